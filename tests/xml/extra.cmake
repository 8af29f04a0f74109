# The differential test links pugixml as a reference parser, into this test only.
pkg_check_modules(PUGIXML IMPORTED_TARGET pugixml)
if(PUGIXML_FOUND)
  add_executable(xml_differential_tests ${CMAKE_CURRENT_SOURCE_DIR}/xml_differential/XmlDifferential.cpp)
  target_link_libraries(xml_differential_tests PRIVATE holmik_xml PkgConfig::PUGIXML GTest::gtest GTest::gtest_main)
  gtest_discover_tests(xml_differential_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 600)
endif()

# The fuzz target over the reader and writer. Inputs it finds wrong go into
# tests/xml/fuzz/regressions/, which xml_tests checks on every run.
set(HOLMIK_XML_FUZZ_SECONDS 60 CACHE STRING "How long the XML fuzz test runs")
file(GLOB xml_fuzz_layer CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/xml/*.cpp)
holmik_fuzz_target(NAME xml_fuzz SECONDS ${HOLMIK_XML_FUZZ_SECONDS}
  CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/xml/fuzz/corpus
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/xml/fuzz/XmlFuzzer.cpp
    ${xml_fuzz_layer}
    ${CMAKE_SOURCE_DIR}/os/Utf.cpp
    ${CMAKE_SOURCE_DIR}/os/${HOLMIK_PLATFORM}/TextConversion.cpp
    ${CMAKE_SOURCE_DIR}/os/${HOLMIK_PLATFORM}/FileSystem.cpp
    ${CMAKE_SOURCE_DIR}/os/AtomicFile.cpp
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/xml/fuzz/XmlFuzzCheck.h
  REPLAY ${CMAKE_CURRENT_SOURCE_DIR}/xml/fuzz/regressions
  ARGS -max_len=8192)
