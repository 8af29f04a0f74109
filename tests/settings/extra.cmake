# The end-to-end settings tests run the whole program: build it with them when it exists.
if(TARGET settings_tests AND TARGET holmikziviza)
  add_dependencies(settings_tests holmikziviza)
endif()
