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

# The seed corpus (query/fuzz/corpus) holds each captured reply of tests/fixtures/a2s
# (capture_*) and the test server's challenge, info, players and rules replies in both split
# layouts, plain and compressed (server_*): each datagram as a 2-byte little-endian length
# and its bytes.
