# Private Wine prefixes inside the build folder, so tests never touch the
# user's own ~/.wine and every build folder starts from a known state.
set(QUARN_WINE_ROOT ${PROJECT_BINARY_DIR}/wine)
set(QUARN_WINE_SETUP ${PROJECT_BINARY_DIR}/wine-setup)
set(QUARN_WINE_RUN ${PROJECT_BINARY_DIR}/wine-run)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine/wine-setup.in ${QUARN_WINE_SETUP}
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine/wine-run.in ${QUARN_WINE_RUN}
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE @ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QUARN_WINE_RUN} null)

if(QUARN_TESTS)
  add_test(NAME wine_start COMMAND ${QUARN_WINE_SETUP} start $<TARGET_FILE:wine_probe>)
  set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 180)
  add_test(NAME wine_stop COMMAND ${QUARN_WINE_SETUP} stop)
  set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60)
endif()

# A prefix of its own for one test program that changes what it finds there
# (installs, registry entries, folders) for itself alone:
#   quarn_add_test(name ... PREFIX prefix) then quarn_wine_prefix(name prefix)
function(quarn_wine_prefix test prefix)
  if(NOT QUARN_TESTS OR NOT TARGET ${test})
    return()
  endif()
  if(NOT TEST wine_prefix_${prefix})
    add_test(NAME wine_prefix_${prefix} COMMAND ${QUARN_WINE_SETUP} prefix ${prefix} $<TARGET_FILE:wine_probe>)
    set_tests_properties(wine_prefix_${prefix} PROPERTIES FIXTURES_SETUP wine_prefix_${prefix}
                         FIXTURES_REQUIRED wine TIMEOUT 180)
  endif()
  set_tests_properties(${test} PROPERTIES FIXTURES_REQUIRED "wine;wine_prefix_${prefix}")
endfunction()
