# Native build: the core's unit tests under ASan/UBSan, fuzzers and benchmarks, and the ctest
# entries that run the Windows-side and end-to-end tests under Wine.
include(CTest)
option(TOVIMAR_SANITIZE "Build the core and its tests with ASan and UBSan" ON)
set(TOVIMAR_WINDOWS_DIR ${CMAKE_SOURCE_DIR}/build/windows CACHE PATH "The MinGW-w64 build folder")

if(TOVIMAR_SANITIZE)
    set(SAN_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_compile_options(TovimarCore PUBLIC ${SAN_FLAGS})
    target_link_options(TovimarCore PUBLIC ${SAN_FLAGS})
endif()

add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

file(GLOB CORE_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/core/*.cpp)
add_executable(TovimarCoreTests ${CORE_TEST_SOURCES})
target_link_libraries(TovimarCoreTests PRIVATE TovimarCore gtest gtest_main)
target_compile_definitions(TovimarCoreTests PRIVATE TOVIMAR_MANUAL="${CMAKE_SOURCE_DIR}/docs/Tovimar.txt")
gtest_discover_tests(TovimarCoreTests TEST_PREFIX "core." DISCOVERY_TIMEOUT 60)

# Fuzzers need clang's libFuzzer; each runs a bounded number of inputs as a test.
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*.cpp)
    foreach(src ${FUZZ_SOURCES})
        get_filename_component(name ${src} NAME_WE)
        add_executable(${name} ${src})
        target_link_libraries(${name} PRIVATE TovimarCore)
        target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
        target_link_options(${name} PRIVATE -fsanitize=fuzzer)
        # A few seconds from the committed seeds; new inputs go to the build folder.
        file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz-work/${name})
        add_test(NAME fuzz.${name}
                 COMMAND ${name} -max_total_time=4 -max_len=600 -seed=1
                         ${CMAKE_BINARY_DIR}/fuzz-work/${name} ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name}
                 WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz-work)
    endforeach()
endif()

find_package(benchmark QUIET)
if(benchmark_FOUND)
    file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
    if(BENCH_SOURCES)
        add_executable(TovimarBench ${BENCH_SOURCES})
        target_link_libraries(TovimarBench PRIVATE TovimarCore benchmark::benchmark)
    endif()
endif()

# Windows-side unit tests under Wine, once per code page: 932 (double-byte) and 1252.
set(WINE_RUN ${CMAKE_SOURCE_DIR}/tests/wine-run.sh)
foreach(lang ja_JP en_US)
    add_test(NAME win.unit.${lang}
             COMMAND ${WINE_RUN} ${TOVIMAR_WINDOWS_DIR}/tests/TovimarWinTests.exe)
    set_tests_properties(win.unit.${lang} PROPERTIES ENVIRONMENT "LANG=${lang}.UTF-8;LC_ALL=${lang}.UTF-8"
                         TIMEOUT 300 RUN_SERIAL TRUE)
endforeach()

# The release files: size, imports, manifest, version and the zip package.
add_test(NAME release.files
         COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/release/check_release.py ${TOVIMAR_WINDOWS_DIR})

# End-to-end tests: the real Tovimar.exe under Wine on the X display test.sh provides.
file(GLOB E2E_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/test_*.py)
foreach(script ${E2E_TESTS})
    get_filename_component(name ${script} NAME_WE)
    string(REGEX REPLACE "^test_" "" name ${name})
    add_test(NAME e2e.${name} COMMAND python3 ${script})
    set_tests_properties(e2e.${name} PROPERTIES
                         ENVIRONMENT "TOVIMAR_WINDOWS_DIR=${TOVIMAR_WINDOWS_DIR}"
                         TIMEOUT 600 RUN_SERIAL TRUE)
endforeach()
