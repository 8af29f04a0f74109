# The differential test links pugixml as a reference parser, into this test only.
pkg_check_modules(PUGIXML IMPORTED_TARGET pugixml)
if(PUGIXML_FOUND)
  add_executable(xml_differential_tests ${CMAKE_CURRENT_SOURCE_DIR}/xml_differential/XmlDifferential.cpp)
  target_link_libraries(xml_differential_tests PRIVATE holmik_xml PkgConfig::PUGIXML GTest::gtest GTest::gtest_main)
  gtest_discover_tests(xml_differential_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 600)
endif()

# The fuzz target over the reader and writer: libFuzzer needs clang, so it is built with
# clang++ beside the main build (which may use another compiler), under ASan and UBSan, and
# runs as one bounded test. The sanitizer build skips it: it is one already. Inputs it finds
# wrong go into tests/xml/fuzz/regressions/, which xml_tests checks on every run.
set(HOLMIK_XML_FUZZ_SECONDS 60 CACHE STRING "How long the XML fuzz test runs")
find_program(HOLMIK_CLANGXX NAMES clang++ clang++-14)
if(HOLMIK_CLANGXX AND NOT HOLMIK_SANITIZE AND NOT WIN32)
  set(xml_fuzz_dir ${CMAKE_CURRENT_SOURCE_DIR}/xml/fuzz)
  file(GLOB xml_fuzz_layer CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/xml/*.cpp)
  set(xml_fuzz_sources
    ${xml_fuzz_dir}/XmlFuzzer.cpp
    ${xml_fuzz_layer}
    ${CMAKE_SOURCE_DIR}/os/Utf.cpp
    ${CMAKE_SOURCE_DIR}/os/${HOLMIK_PLATFORM}/TextConversion.cpp
    ${CMAKE_SOURCE_DIR}/os/${HOLMIK_PLATFORM}/FileSystem.cpp)
  set(xml_fuzz_binary ${CMAKE_BINARY_DIR}/bin/xml_fuzz)
  add_custom_command(OUTPUT ${xml_fuzz_binary}
    COMMAND ${HOLMIK_CLANGXX} -std=c++17 -g -O1 -Wall -Wextra
            -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
            -I${CMAKE_SOURCE_DIR} -I${CMAKE_BINARY_DIR}/generated
            ${xml_fuzz_sources} -o ${xml_fuzz_binary}
    DEPENDS ${xml_fuzz_sources} ${xml_fuzz_dir}/XmlFuzzCheck.h
    COMMENT "Building the XML fuzz target with clang")
  add_custom_target(xml_fuzz ALL DEPENDS ${xml_fuzz_binary})
  add_test(NAME xml_fuzz
    COMMAND sh -c "rm -rf corpus && mkdir -p corpus artifacts && exec '${xml_fuzz_binary}' -max_total_time=${HOLMIK_XML_FUZZ_SECONDS} -max_len=8192 -timeout=10 -rss_limit_mb=2048 -artifact_prefix=artifacts/ -print_final_stats=1 corpus '${xml_fuzz_dir}/corpus'"
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/xml-fuzz)
  set_tests_properties(xml_fuzz PROPERTIES TIMEOUT 600)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/xml-fuzz)
endif()
