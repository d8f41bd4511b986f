include(GoogleTest)

# One test program per module:
#   quarn_add_test(model_test SOURCES a.cpp b.cpp LIBS quarn_model [GUI] [WINDOW] [PREFIX name])
# Native programs are split into one CTest test per case. Under Wine each
# program is one CTest test, as every extra Wine process costs start-up time.
# WINDOW: the program creates windows but needs no display (Wine's null
# driver). GUI: it needs a real display (Xvfb).
function(quarn_add_test name)
  if(NOT QUARN_TESTS)
    return()
  endif()
  cmake_parse_arguments(arg "GUI;WINDOW" "PREFIX" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBS} GTest::gtest_main GTest::gmock)
  if(CMAKE_CROSSCOMPILING)
    if(arg_PREFIX)
      set(mode ${arg_PREFIX})
    elseif(arg_GUI)
      set(mode gui)
    else()
      set(mode null)
    endif()
    add_test(NAME ${name} COMMAND ${QUARN_WINE_RUN} ${mode} $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300)
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120)
  endif()
endfunction()
