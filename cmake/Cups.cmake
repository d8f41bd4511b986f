# A private CUPS server with a PDF printer for the printing tests of the
# Windows build: started before them, stopped after them (cmake/cups).
set(QUARN_CUPS_ROOT ${PROJECT_BINARY_DIR}/cups)
set(QUARN_CUPS_SETUP ${PROJECT_BINARY_DIR}/cups-setup)
set(QUARN_PRINT_CHECK ${PROJECT_BINARY_DIR}/print-check)
foreach(script cups-setup print-check)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/cups/${script}.in ${PROJECT_BINARY_DIR}/${script}
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                  WORLD_READ WORLD_EXECUTE @ONLY)
endforeach()

if(QUARN_TESTS)
  add_test(NAME cups_start COMMAND ${QUARN_CUPS_SETUP} start)
  set_tests_properties(cups_start PROPERTIES FIXTURES_SETUP cups TIMEOUT 60)
  add_test(NAME cups_stop COMMAND ${QUARN_CUPS_SETUP} stop)
  set_tests_properties(cups_stop PROPERTIES FIXTURES_CLEANUP cups TIMEOUT 60)
endif()
