# The window tests drive engine-window-probe inside a real X server and read the window back
# with Xlib; engine-demo shows the engine's window with shapes and text.
add_executable(engine-demo ${CMAKE_SOURCE_DIR}/tools/engine-demo.cpp)
target_link_libraries(engine-demo PRIVATE holmik_engine)
set_target_properties(engine-demo PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
if(NOT WIN32)
  add_executable(engine-window-probe ${CMAKE_CURRENT_LIST_DIR}/probe/WindowProbe.cpp)
  target_link_libraries(engine-window-probe PRIVATE holmik_engine)
  set_target_properties(engine-window-probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  if(TARGET engine_tests)
    add_dependencies(engine_tests engine-window-probe)
    target_link_libraries(engine_tests PRIVATE PkgConfig::X11)
  endif()
endif()
