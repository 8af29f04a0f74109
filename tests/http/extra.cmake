# The fuzz target over the reading of a web server's answer, into memory and into a file.
set(HOLMIK_HTTP_FUZZ_SECONDS 60 CACHE STRING "How long the HTTP answer fuzz test runs")
holmik_fuzz_target(NAME http_fuzz SECONDS ${HOLMIK_HTTP_FUZZ_SECONDS}
  CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/http/fuzz/corpus
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/http/fuzz/AnswerFuzzer.cpp
    ${CMAKE_SOURCE_DIR}/http/HttpAnswer.cpp
    ${CMAKE_SOURCE_DIR}/os/${HOLMIK_PLATFORM}/FileSystem.cpp
    ${CMAKE_SOURCE_DIR}/os/AtomicFile.cpp
  DEPENDS ${CMAKE_SOURCE_DIR}/http/HttpAnswer.h ${CMAKE_SOURCE_DIR}/http/HttpOptions.h
  ARGS -max_len=4096)
