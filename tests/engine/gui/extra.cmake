# The widget tests count the text renders and surface creations that the engine makes for
# the widgets (to prove that idle frames render nothing), by wrapping the two library calls.
if(TARGET gui_tests)
  target_link_options(gui_tests PRIVATE "LINKER:--wrap=TTF_RenderUTF8_Blended,--wrap=SDL_CreateRGBSurface")
  # The tests draw with the program's font from the data folder.
  add_dependencies(gui_tests holmik_data)
endif()

# The widget gallery: one of each widget, for a look by eye (or a screenshot under Xvfb).
add_executable(widget-gallery ${CMAKE_SOURCE_DIR}/tools/widget-gallery.cpp)
target_link_libraries(widget-gallery PRIVATE holmik_gui)
target_compile_definitions(widget-gallery PRIVATE HOLMIK_DATA_DIR="${HOLMIK_DATA_DIR}")
set_target_properties(widget-gallery PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_dependencies(widget-gallery holmik_data)
