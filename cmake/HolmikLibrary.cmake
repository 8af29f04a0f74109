# holmik_library(NAME folder DEPS ...): a static library of every .cpp in the folder
# (not its subfolders), with the repository root as include root.
function(holmik_library name folder)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  if(NOT sources)
    set(sources ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

# holmik_platform_sources(LIST): drops the test sources of the other platform from LIST. A test
# file named *.linux.cpp builds on Linux only (it needs POSIX, Xvfb, nginx, ...), one named
# *.windows.cpp on Windows only.
function(holmik_platform_sources list)
  if(WIN32)
    list(FILTER ${list} EXCLUDE REGEX "\\.linux\\.cpp$")
  else()
    list(FILTER ${list} EXCLUDE REGEX "\\.windows\\.cpp$")
  endif()
  set(${list} ${${list}} PARENT_SCOPE)
endfunction()

# holmik_test(NAME folder DEPS ... [WINDOWS_LOCK name]): one GoogleTest program of every .cpp
# in tests/<folder>. WINDOWS_LOCK: on Windows its tests never run at the same time as other
# tests holding that lock (they share the real registry of one Wine prefix).
function(holmik_test name folder)
  cmake_parse_arguments(ARG "" "WINDOWS_LOCK" "DEPS" ${ARGN})
  set(lock)
  if(WIN32 AND ARG_WINDOWS_LOCK)
    set(lock RESOURCE_LOCK ${ARG_WINDOWS_LOCK})
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${folder}/*.cpp)
  holmik_platform_sources(sources)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} holmik_testsupport GTest::gtest GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300 ${lock}
    ENVIRONMENT "HOLMIK_DIALOGS=stderr;SDL_AUDIODRIVER=dummy"
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
endfunction()
