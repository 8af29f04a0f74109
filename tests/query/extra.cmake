# The fuzz target over the reply readers and the assembler.
set(HOLMIK_FUZZ_SECONDS 60 CACHE STRING "How long the query fuzz test runs")
holmik_fuzz_target(NAME query_fuzz SECONDS ${HOLMIK_FUZZ_SECONDS}
  CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/query/fuzz/corpus
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/query/fuzz/ReplyFuzzer.cpp
    ${CMAKE_SOURCE_DIR}/query/ByteStream.cpp
    ${CMAKE_SOURCE_DIR}/query/Packet.cpp
    ${CMAKE_SOURCE_DIR}/query/PacketAssembler.cpp
    ${CMAKE_SOURCE_DIR}/query/ReplyCollector.cpp
    ${CMAKE_SOURCE_DIR}/query/ReplyReader.cpp
    ${CMAKE_SOURCE_DIR}/query/ServerStatus.cpp
    ${CMAKE_SOURCE_DIR}/os/${HOLMIK_PLATFORM}/Clock.cpp
  LIBS -lbz2)

# Writes the seed corpus (tests/query/fuzz/corpus): build query_fuzz_corpus and run it with that folder.
add_executable(query_fuzz_corpus EXCLUDE_FROM_ALL ${CMAKE_CURRENT_SOURCE_DIR}/query/fuzz/MakeCorpus.cpp)
target_link_libraries(query_fuzz_corpus PRIVATE holmik_query)
target_compile_definitions(query_fuzz_corpus PRIVATE HOLMIK_FIXTURES_DIR="${CMAKE_SOURCE_DIR}/tests/fixtures")
