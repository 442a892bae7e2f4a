# Layers that the compiler enforces, as the one table cmake/layers.txt gives them (the same
# table scripts/check-layers.sh reads). Sources include "<folder>/X.h"; a library finds its own
# folder through a root of its own in the build folder that holds nothing but a link to that
# folder, and the folders of its dependencies through theirs. With no root of the whole project
# on any path, a plot/ file that includes "app/..." or "controls/..." fails to compile.
#
# Qt likewise: linking Qt6::<Module> puts Qt's whole include folder on the path, so that
# <QtWidgets/QWidget> would compile anywhere. vendrel_qt_modules gives a library the headers of
# the modules it names and no others.
#
# Third-party headers sit in the compiler's own folder (/usr/include), which no target can be
# kept from. So each target is handed, first on its path, a folder that stops the compiler at
# the headers of every library its layer is not given: a file that is an #error for a single
# header, a link that loops for a folder of headers ("boost/" reads as "Too many levels of
# symbolic links" under .../refused-in-<folder>/boost). Headers of libraries that the table does
# not know are stopped the same way in every layer: whatever stands in the compiler's folders and
# belongs to none of the system's packages (the table's "system" row), as dpkg-query tells at
# configure time. scripts/check-layers.sh names the rest.

# The table, read once: VENDREL_LAYERS and VENDREL_LIBRARIES, and per entry its lists
# (VENDREL_layer_<folder>_PROJECT, _QT, _THIRD; VENDREL_library_<name>_HEADERS), "-" read as
# empty; VENDREL_SYSTEM_PACKAGES.
set(VENDREL_LAYER_TABLE ${CMAKE_CURRENT_LIST_DIR}/layers.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${VENDREL_LAYER_TABLE})
file(STRINGS ${VENDREL_LAYER_TABLE} vendrel_table_lines REGEX "^(layer|library|system) ")
foreach(line ${vendrel_table_lines})
  string(REGEX REPLACE "[ \t]+" ";" fields "${line}")
  list(LENGTH fields count)
  list(GET fields 0 kind)
  list(GET fields 1 name)
  if(kind STREQUAL "system" AND count EQUAL 2)
    string(REPLACE "," ";" VENDREL_SYSTEM_PACKAGES "${name}")
    continue()
  elseif(kind STREQUAL "layer" AND count EQUAL 5)
    list(APPEND VENDREL_LAYERS ${name})
    set(columns PROJECT QT THIRD)
  elseif(kind STREQUAL "library" AND count EQUAL 3)
    list(APPEND VENDREL_LIBRARIES ${name})
    set(columns HEADERS)
  else()
    message(FATAL_ERROR "${VENDREL_LAYER_TABLE}: cannot read the line: ${line}")
  endif()
  set(index 2)
  foreach(column ${columns})
    list(GET fields ${index} value)
    if(value STREQUAL "-")
      set(value "")
    endif()
    string(REPLACE "," ";" VENDREL_${kind}_${name}_${column} "${value}")
    math(EXPR index "${index} + 1")
  endforeach()
endforeach()

# VENDREL_FOREIGN_HEADERS: the names in the compiler's own folders (/usr/include, ...) that no
# package of the "system" row installs, each as an include name gives it ("gmp.h", "X11/").
# A name that a system package installs in any folder is never foreign.
function(vendrel_find_foreign_headers)
  find_program(VENDREL_DPKG_QUERY dpkg-query)
  if(NOT VENDREL_DPKG_QUERY)
    message(STATUS "No dpkg-query: only the libraries of ${VENDREL_LAYER_TABLE} are refused")
    return()
  endif()
  set(paths "")
  foreach(dir ${CMAKE_CXX_IMPLICIT_INCLUDE_DIRECTORIES})
    file(GLOB entries LIST_DIRECTORIES true "${dir}/*")
    list(APPEND paths ${entries})
  endforeach()
  execute_process(COMMAND ${VENDREL_DPKG_QUERY} -S ${paths} OUTPUT_VARIABLE owners ERROR_QUIET)
  set(system_patterns "")
  foreach(package ${VENDREL_SYSTEM_PACKAGES})
    string(REGEX REPLACE "([.+])" "\\\\\\1" pattern "${package}")
    string(REPLACE "*" ".*" pattern "${pattern}")
    list(APPEND system_patterns "${pattern}")
  endforeach()
  list(JOIN system_patterns "|" system_patterns)
  string(REPLACE "\n" ";" owners "${owners}")
  set(system_paths "")
  foreach(line ${owners})
    # "libc6-dev:amd64, linux-libc-dev:amd64: /usr/include/linux"
    if(line MATCHES "^(.*): (/.*)$")
      set(path ${CMAKE_MATCH_2})
      string(REGEX REPLACE ":[a-z0-9]+(,|$)" "\\1" packages "${CMAKE_MATCH_1}")
      string(REPLACE ", " ";" packages "${packages}")
      foreach(package ${packages})
        if(package MATCHES "^(${system_patterns})$")
          list(APPEND system_paths ${path})
          break()
        endif()
      endforeach()
    endif()
  endforeach()
  set(system_names "")
  set(foreign_names "")
  foreach(path ${paths})
    get_filename_component(name ${path} NAME)
    if(IS_DIRECTORY ${path})
      string(APPEND name "/")
    endif()
    if(path IN_LIST system_paths)
      list(APPEND system_names ${name})
    else()
      list(APPEND foreign_names ${name})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES foreign_names)
  list(REMOVE_ITEM foreign_names ${system_names})
  set(VENDREL_FOREIGN_HEADERS ${foreign_names} PARENT_SCOPE)
endfunction()
vendrel_find_foreign_headers()

# vendrel_layer(<target> <folder>): "<folder>/X.h" resolves for the target and its dependents;
# the target links the libraries of the project folders and the Qt modules that the table
# gives the folder (none where it says "*": such a target names its own), and is refused the
# third-party headers the table does not give it.
function(vendrel_layer target folder)
  if(NOT folder IN_LIST VENDREL_LAYERS)
    message(FATAL_ERROR "vendrel_layer: ${folder}/ is no layer of ${VENDREL_LAYER_TABLE}")
  endif()
  set(root ${PROJECT_BINARY_DIR}/layers/${folder})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
  string(REPLACE ";" "," project "${VENDREL_layer_${folder}_PROJECT}")
  if(NOT project STREQUAL "*")
    foreach(used ${VENDREL_layer_${folder}_PROJECT})
      if(NOT used STREQUAL folder AND TARGET vendrel_${used})
        target_link_libraries(${target} PUBLIC vendrel_${used})
      endif()
    endforeach()
  endif()
  set(modules ${VENDREL_layer_${folder}_QT})
  if(modules AND NOT modules STREQUAL "*")
    vendrel_qt_modules(${target} ${modules})
  endif()
  vendrel_refuse_libraries(${target} ${folder})
endfunction()

# vendrel_refuse_libraries(<target> <folder>): the folder that stops the compiler at the
# headers of each library the folder's layer is not given, first on the target's own path.
function(vendrel_refuse_libraries target folder)
  set(refused ${PROJECT_BINARY_DIR}/layers/refused-in-${folder})
  target_include_directories(${target} BEFORE PRIVATE ${refused})
  get_property(made GLOBAL PROPERTY VENDREL_REFUSED_${folder})
  if(made)
    return()
  endif()
  set_property(GLOBAL PROPERTY VENDREL_REFUSED_${folder} TRUE)
  file(REMOVE_RECURSE ${refused})
  file(MAKE_DIRECTORY ${refused})
  # Name by name, what stops the compiler: the libraries of the table not given to the folder,
  # then the headers of no library the table knows, less those of the libraries given.
  set(given "")
  set(names "")
  foreach(library ${VENDREL_LIBRARIES})
    if(library IN_LIST VENDREL_layer_${folder}_THIRD)
      list(APPEND given ${VENDREL_library_${library}_HEADERS})
      continue()
    endif()
    foreach(header ${VENDREL_library_${library}_HEADERS})
      list(APPEND names ${header})
      set(owner_${header} "${library}")
    endforeach()
  endforeach()
  foreach(header ${VENDREL_FOREIGN_HEADERS})
    if(NOT DEFINED owner_${header})
      list(APPEND names ${header})
      set(owner_${header} "")
    endif()
  endforeach()
  list(REMOVE_DUPLICATES names)
  list(REMOVE_ITEM names ${given})
  foreach(header ${names})
    if(header MATCHES "^(.+)/$")
      file(CREATE_LINK ${CMAKE_MATCH_1} ${refused}/${CMAKE_MATCH_1} SYMBOLIC)
    elseif(owner_${header})
      file(WRITE ${refused}/${header}
           "#error \"<${header}> (${owner_${header}}) is not for ${folder}/: see cmake/layers.txt\"\n")
    else()
      file(WRITE ${refused}/${header}
           "#error \"<${header}> is of no library in cmake/layers.txt: a new library starts with its row\"\n")
    endif()
  endforeach()
endfunction()

# vendrel_qt_modules(<target> <Module>...): links Qt6::Core and the named modules with their
# definitions and options, but only their own header folders ("QtGui/...", <QImage>). The
# modules come through an interface library whose links are link-only: linking a Qt target
# directly would bring its whole include folder along.
function(vendrel_qt_modules target)
  set(qt vendrel_qt_${target})
  set(root ${PROJECT_BINARY_DIR}/layers/qt-${target})
  file(MAKE_DIRECTORY ${root})
  add_library(${qt} INTERFACE)
  set(modules Core ${ARGN})
  list(REMOVE_DUPLICATES modules)
  foreach(module ${modules})
    get_target_property(dirs Qt6::${module} INTERFACE_INCLUDE_DIRECTORIES)
    list(FILTER dirs INCLUDE REGEX "/Qt${module}$")
    if(NOT dirs)
      message(FATAL_ERROR "vendrel_qt_modules: no header folder for Qt6::${module}")
    endif()
    file(CREATE_LINK ${dirs} ${root}/Qt${module} SYMBOLIC)
    target_include_directories(${qt} SYSTEM INTERFACE ${dirs})
    get_target_property(definitions Qt6::${module} INTERFACE_COMPILE_DEFINITIONS)
    if(definitions)
      target_compile_definitions(${qt} INTERFACE ${definitions})
    endif()
    get_target_property(options Qt6::${module} INTERFACE_COMPILE_OPTIONS)
    if(options)
      target_compile_options(${qt} INTERFACE ${options})
    endif()
    target_link_libraries(${qt} INTERFACE $<LINK_ONLY:Qt6::${module}>)
  endforeach()
  target_include_directories(${qt} SYSTEM INTERFACE ${root})
  target_link_libraries(${target} PUBLIC ${qt})
endfunction()
