# vendrel_man_page(NAME SOURCE): configures the manual page SOURCE (man macros, @VAR@ filled
# in), compresses it as Debian keeps manual pages and installs it to share/man/man1.
include(GNUInstallDirs)
function(vendrel_man_page name source)
  set(page ${CMAKE_CURRENT_BINARY_DIR}/${name}.1)
  configure_file(${source} ${page} @ONLY)
  add_custom_command(OUTPUT ${page}.gz
                     COMMAND gzip -9 -n -f -k ${page}
                     DEPENDS ${page}
                     COMMENT "Compressing the manual page ${name}.1")
  add_custom_target(${name}_man_page ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
