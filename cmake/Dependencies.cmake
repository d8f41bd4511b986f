# nlohmann/json is header-only. The cross build must not see /usr/include (its
# glibc headers break MinGW), so it gets a private include folder that holds
# only a link to Debian's copy of the library.
if(CMAKE_CROSSCOMPILING)
  set(quarn_json_root ${PROJECT_BINARY_DIR}/third-party/include)
  file(MAKE_DIRECTORY ${quarn_json_root})
  if(NOT EXISTS ${quarn_json_root}/nlohmann)
    file(CREATE_LINK /usr/include/nlohmann ${quarn_json_root}/nlohmann SYMBOLIC)
  endif()
  add_library(quarn_json INTERFACE)
  target_include_directories(quarn_json SYSTEM INTERFACE ${quarn_json_root})
else()
  find_package(nlohmann_json 3.10 REQUIRED)
  add_library(quarn_json INTERFACE)
  target_link_libraries(quarn_json INTERFACE nlohmann_json::nlohmann_json)
endif()

if(QUARN_TESTS)
  if(CMAKE_CROSSCOMPILING)
    # Debian's googletest package ships the sources; build them with the
    # cross compiler.
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/third-party/googletest EXCLUDE_FROM_ALL)
    # googletest's own CMakeLists defines the GTest:: aliases.
  else()
    find_package(GTest REQUIRED)
  endif()
endif()
