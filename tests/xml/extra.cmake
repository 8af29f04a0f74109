# The differential test links pugixml as a reference parser, into this test only.
pkg_check_modules(PUGIXML IMPORTED_TARGET pugixml)
if(PUGIXML_FOUND)
  add_executable(xml_differential_tests ${CMAKE_CURRENT_SOURCE_DIR}/xml_differential/XmlDifferential.cpp)
  target_link_libraries(xml_differential_tests PRIVATE holmik_xml PkgConfig::PUGIXML GTest::gtest GTest::gtest_main)
  gtest_discover_tests(xml_differential_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 600)
endif()
