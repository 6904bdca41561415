# Fuzz targets: every reader of bytes from outside the program (files the
# player or anyone else can change) has one. A target is one small file,
# tests/Fuzz/<Name>Fuzz.cpp, that defines
#   extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
#       feeds one input to the reader and checks what must always hold
#       (a broken promise is a crash: __builtin_trap);
#   std::vector<FuzzSeed> FuzzSeeds()
#       small valid inputs made by the project's own writers;
# and one line in tests/Fuzz/CMakeLists.txt:
#   cardolia_fuzz_target(<name> SOURCE <file> [DEFINES <d>...] LIBS <targets>...)
# which builds
#   fuzz_replay_<name>  the target with tests/Fuzz/FuzzMain.cpp, in every
#                       build with tests: it replays the files and folders it
#                       is given, or writes the seeds (--write-seeds <folder>).
#                       CTest case Fuzz.<name> replays the committed corpus
#                       tests/Fuzz/corpus/<name> and every input that ever
#                       crashed, tests/Fuzz/crashes/<name>.
#   fuzz_<name>         with CARDOLIA_FUZZ (clang): the libFuzzer program that
#                       scripts/fuzz.sh runs; a dictionary
#                       tests/Fuzz/dict/<name>.dict is used when it exists.

set(CARDOLIA_FUZZ_DIR ${PROJECT_SOURCE_DIR}/tests/Fuzz)

if(CARDOLIA_FUZZ AND NOT TARGET fuzz_all)
  add_custom_target(fuzz_all)
endif()

function(cardolia_fuzz_target name)
  cmake_parse_arguments(ARG "" "SOURCE" "DEFINES;LIBS" ${ARGN})
  set(source ${CMAKE_CURRENT_SOURCE_DIR}/${ARG_SOURCE})
  if(CARDOLIA_TESTS)
    set(replay fuzz_replay_${name})
    add_executable(${replay} ${source} ${CARDOLIA_FUZZ_DIR}/FuzzMain.cpp
                   ${PROJECT_SOURCE_DIR}/tests/Support/LeakSuppressions.cpp)
    target_compile_definitions(${replay} PRIVATE ${ARG_DEFINES})
    target_link_libraries(${replay} PRIVATE FuzzSupport ${ARG_LIBS})
    cardolia_warnings(${replay})
    add_test(NAME Fuzz.${name}
             COMMAND ${replay} ${CARDOLIA_FUZZ_DIR}/corpus/${name} ${CARDOLIA_FUZZ_DIR}/crashes/${name})
    set_tests_properties(Fuzz.${name} PROPERTIES ENVIRONMENT "CARDOLIA_HEADLESS=1")
  endif()
  if(CARDOLIA_FUZZ)
    set(fuzzer fuzz_${name})
    add_executable(${fuzzer} ${source} ${PROJECT_SOURCE_DIR}/tests/Support/LeakSuppressions.cpp)
    target_compile_definitions(${fuzzer} PRIVATE ${ARG_DEFINES})
    target_link_libraries(${fuzzer} PRIVATE FuzzSupport ${ARG_LIBS})
    target_link_options(${fuzzer} PRIVATE -fsanitize=fuzzer)
    cardolia_warnings(${fuzzer})
    add_dependencies(fuzz_all ${fuzzer})
  endif()
endfunction()
