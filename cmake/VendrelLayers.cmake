# Layers that the compiler enforces. Sources include "<folder>/X.h"; a library finds its own
# folder through a root of its own in the build folder that holds nothing but a link to that
# folder, and the folders of its dependencies through theirs. With no root of the whole project
# on any path, a plot/ file that includes "app/..." or "controls/..." fails to compile.
#
# Qt likewise: linking Qt6::<Module> puts Qt's whole include folder on the path, so that
# <QtWidgets/QWidget> would compile anywhere. vendrel_qt_modules gives a library the headers of
# the modules it names and no others. scripts/check-layers.sh names what slips through both.

# vendrel_layer(<target> <folder>): "<folder>/X.h" resolves for the target and its dependents.
function(vendrel_layer target folder)
  set(root ${PROJECT_BINARY_DIR}/layers/${folder})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
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
