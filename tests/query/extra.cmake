# The fuzz target over the reply readers and the assembler: libFuzzer needs clang, so it is
# built with clang++ beside the main build (which may use another compiler), under ASan and
# UBSan, and runs as one bounded test. The sanitizer build skips it: it is one already.
set(HOLMIK_FUZZ_SECONDS 60 CACHE STRING "How long the query fuzz test runs")
find_program(HOLMIK_CLANGXX NAMES clang++ clang++-14)
if(HOLMIK_CLANGXX AND NOT HOLMIK_SANITIZE AND NOT WIN32)
  set(fuzz_dir ${CMAKE_CURRENT_SOURCE_DIR}/query/fuzz)
  set(fuzz_sources
    ${fuzz_dir}/ReplyFuzzer.cpp
    ${CMAKE_SOURCE_DIR}/query/ByteStream.cpp
    ${CMAKE_SOURCE_DIR}/query/Packet.cpp
    ${CMAKE_SOURCE_DIR}/query/PacketAssembler.cpp
    ${CMAKE_SOURCE_DIR}/query/ReplyCollector.cpp
    ${CMAKE_SOURCE_DIR}/query/ReplyReader.cpp
    ${CMAKE_SOURCE_DIR}/query/ServerStatus.cpp
    ${CMAKE_SOURCE_DIR}/os/${HOLMIK_PLATFORM}/Clock.cpp)
  set(fuzz_binary ${CMAKE_BINARY_DIR}/bin/query_fuzz)
  add_custom_command(OUTPUT ${fuzz_binary}
    COMMAND ${HOLMIK_CLANGXX} -std=c++17 -g -O1 -Wall -Wextra
            -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
            -I${CMAKE_SOURCE_DIR} -I${CMAKE_BINARY_DIR}/generated
            ${fuzz_sources} -lbz2 -o ${fuzz_binary}
    DEPENDS ${fuzz_sources}
    COMMENT "Building the query fuzz target with clang")
  add_custom_target(query_fuzz ALL DEPENDS ${fuzz_binary})
  add_test(NAME query_fuzz
    COMMAND sh -c "rm -rf corpus && mkdir -p corpus artifacts && exec '${fuzz_binary}' -max_total_time=${HOLMIK_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048 -artifact_prefix=artifacts/ -print_final_stats=1 corpus '${fuzz_dir}/corpus'"
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/query-fuzz)
  set_tests_properties(query_fuzz PROPERTIES TIMEOUT 600)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/query-fuzz)
endif()

# Writes the seed corpus (tests/query/fuzz/corpus): build query_fuzz_corpus and run it.
add_executable(query_fuzz_corpus EXCLUDE_FROM_ALL ${CMAKE_CURRENT_SOURCE_DIR}/query/fuzz/MakeCorpus.cpp)
target_link_libraries(query_fuzz_corpus PRIVATE holmik_query)
