# The widget tests count the text renders and surface creations that the engine makes for
# the widgets (to prove that idle frames render nothing), by wrapping the two library calls.
if(TARGET gui_tests)
  target_link_options(gui_tests PRIVATE "LINKER:--wrap=TTF_RenderUTF8_Blended,--wrap=SDL_CreateRGBSurface")
endif()
