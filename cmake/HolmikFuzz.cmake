# A libFuzzer target built with clang++ beside the main build (which may use another
# compiler), under ASan and UBSan, with two tests: NAME_corpus runs every file of its seed
# corpus (and of REPLAY folders) once, in a moment; NAME fuzzes for SECONDS starting from
# the seed corpus. The fuzzing runs carry the label "fuzzing", so that `ctest -LE fuzzing`
# leaves them out; ./scripts/test runs them as a step of their own. The sanitizer build
# skips fuzz targets: they are sanitized already.
#
#   holmik_fuzz_target(NAME query_fuzz SECONDS 60 SOURCES a.cpp b.cpp
#                      [DEPENDS header.h] [LIBS -lbz2] [ARGS -max_len=8192] CORPUS dir [REPLAY dir...])
find_program(HOLMIK_CLANGXX NAMES clang++ clang++-14)

function(holmik_fuzz_target)
  cmake_parse_arguments(FUZZ "" "NAME;SECONDS;CORPUS" "SOURCES;DEPENDS;LIBS;ARGS;REPLAY" ${ARGN})
  if(NOT HOLMIK_CLANGXX OR HOLMIK_SANITIZE OR WIN32)
    return()
  endif()
  set(binary ${CMAKE_BINARY_DIR}/bin/${FUZZ_NAME})
  set(workdir ${CMAKE_BINARY_DIR}/${FUZZ_NAME}-run)
  add_custom_command(OUTPUT ${binary}
    COMMAND ${HOLMIK_CLANGXX} -std=c++17 -g -O1 -Wall -Wextra
            -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
            -I${CMAKE_SOURCE_DIR} -I${CMAKE_BINARY_DIR}/generated
            ${FUZZ_SOURCES} ${FUZZ_LIBS} -o ${binary}
    DEPENDS ${FUZZ_SOURCES} ${FUZZ_DEPENDS}
    COMMENT "Building the fuzz target ${FUZZ_NAME} with clang")
  add_custom_target(${FUZZ_NAME} ALL DEPENDS ${binary})
  list(JOIN FUZZ_ARGS " " extra)

  # Files given one by one are each run once, without fuzzing.
  set(folders)
  foreach(folder ${FUZZ_CORPUS} ${FUZZ_REPLAY})
    string(APPEND folders " '${folder}'")
  endforeach()
  add_test(NAME ${FUZZ_NAME}_corpus
    COMMAND sh -c "find ${folders} -type f ! -name '.*' -print0 | xargs -0 -r '${binary}' ${extra} -timeout=10 -rss_limit_mb=2048"
    WORKING_DIRECTORY ${workdir})
  set_tests_properties(${FUZZ_NAME}_corpus PROPERTIES TIMEOUT 300 LABELS corpus)

  add_test(NAME ${FUZZ_NAME}
    COMMAND sh -c "rm -rf corpus && mkdir -p corpus artifacts && exec '${binary}' -max_total_time=${FUZZ_SECONDS} ${extra} -timeout=10 -rss_limit_mb=2048 -artifact_prefix=artifacts/ -print_final_stats=1 corpus '${FUZZ_CORPUS}'"
    WORKING_DIRECTORY ${workdir})
  set_tests_properties(${FUZZ_NAME} PROPERTIES TIMEOUT 600 LABELS fuzzing)
  file(MAKE_DIRECTORY ${workdir})
endfunction()
