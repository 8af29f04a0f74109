# The command-line tools that tests/app runs must be built first.
foreach(tool holmik-query holmik-testserver holmikziviza holmik_data)
  if(TARGET app_tests AND TARGET ${tool})
    add_dependencies(app_tests ${tool})
  endif()
endforeach()
