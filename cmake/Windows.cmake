# The Windows program, its platform adapter and the Windows-side tests.
enable_language(RC)

if(MINGW)
    # Static runtime: the program imports only Windows system DLLs.
    add_link_options(-static -static-libgcc -static-libstdc++)
    # A small release program: optimised for size, every unused function dropped, no symbols or
    # debug information. Data stays in one section per file: with a section per datum GCC
    # puts zero-filled data in the file instead of leaving it to the loader.
    set(CMAKE_C_FLAGS_RELEASE "-Oz -DNDEBUG -ffunction-sections")
    set(CMAKE_CXX_FLAGS_RELEASE "-Oz -DNDEBUG -ffunction-sections")
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        # No per-file clones of library string functions and no per-file unified constructors:
        # each file would otherwise carry its own copy of the same std::string member.
        string(APPEND CMAKE_CXX_FLAGS_RELEASE " -fno-ipa-sra -fno-declone-ctor-dtor")
    endif()
    add_link_options($<$<CONFIG:Release>:-Wl,--gc-sections> $<$<CONFIG:Release>:-s>)
endif()
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

file(GLOB PLATFORM_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/platform/*.cpp)
add_library(TovimarPlatform STATIC ${PLATFORM_SOURCES})
target_link_libraries(TovimarPlatform PUBLIC TovimarCore shell32 ole32 user32 gdi32 comctl32)

file(GLOB APP_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/app/*.cpp)
list(REMOVE_ITEM APP_SOURCES ${CMAKE_SOURCE_DIR}/src/app/Main.cpp)
add_library(TovimarApp STATIC ${APP_SOURCES})
target_include_directories(TovimarApp PUBLIC ${CMAKE_SOURCE_DIR}/res)
target_link_libraries(TovimarApp PUBLIC TovimarPlatform)
# The Help menu's web addresses; empty: the program has none (see README).
set(TOVIMAR_HELP_URL "" CACHE STRING "Web address of the manual, opened when Tovimar.txt is missing")
set(TOVIMAR_HOME_URL "" CACHE STRING "Web address of the maker's home page")
foreach(address TOVIMAR_HELP_URL TOVIMAR_HOME_URL)
    # As a C string literal: backslashes and double quotes escaped.
    string(REPLACE "\\" "\\\\" literal "${${address}}")
    string(REPLACE "\"" "\\\"" literal "${literal}")
    target_compile_definitions(TovimarApp PRIVATE ${address}="${literal}")
endforeach()

# src/runtime/LeanRuntime.cpp replaces parts of the C++ runtime: it must come before the
# libraries. It is written against GCC's runtime and for its size; other compilers keep the whole
# runtime.
set(lean_runtime "")
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    set(lean_runtime ${CMAKE_SOURCE_DIR}/src/runtime/LeanRuntime.cpp)
endif()
add_executable(Tovimar WIN32 ${CMAKE_SOURCE_DIR}/src/app/Main.cpp ${lean_runtime}
               ${CMAKE_SOURCE_DIR}/res/Tovimar.rc)
target_include_directories(Tovimar PRIVATE ${CMAKE_SOURCE_DIR}/res)
# The manifest carries the version; the resource compiler finds it in the generated folder.
# The program carries it without the comments and the indentation, which are for its readers.
configure_file(${CMAKE_SOURCE_DIR}/res/Tovimar.manifest.in ${GENERATED_DIR}/Tovimar.manifest.full
               @ONLY)
file(READ ${GENERATED_DIR}/Tovimar.manifest.full MANIFEST_TEXT)
string(REGEX REPLACE "<!--[^>]*-->" "" MANIFEST_TEXT "${MANIFEST_TEXT}")
string(REGEX REPLACE "\n[ \t\n]*" "\n" MANIFEST_TEXT "${MANIFEST_TEXT}")
file(CONFIGURE OUTPUT ${GENERATED_DIR}/Tovimar.manifest CONTENT "${MANIFEST_TEXT}" @ONLY)
# The resource compiler's inputs are not scanned for dependencies.
set_source_files_properties(${CMAKE_SOURCE_DIR}/res/Tovimar.rc PROPERTIES OBJECT_DEPENDS
    "${GENERATED_DIR}/Tovimar.manifest;${GENERATED_DIR}/Version.h;${CMAKE_SOURCE_DIR}/res/ok.bmp;${CMAKE_SOURCE_DIR}/res/ok23.bmp;${CMAKE_SOURCE_DIR}/res/ok27.bmp;${CMAKE_SOURCE_DIR}/res/ok36.bmp;${CMAKE_SOURCE_DIR}/res/Tovimar.ico;${CMAKE_SOURCE_DIR}/res/resource.h")
target_link_libraries(Tovimar PRIVATE TovimarApp)
set_target_properties(Tovimar PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
# One thread runs the whole program: its local statics need no locks (which would bring in the
# threads library).
foreach(target TovimarCore TovimarPlatform TovimarApp Tovimar)
    target_compile_options(${target} PRIVATE $<$<BOOL:${MINGW}>:-fno-threadsafe-statics>)
endforeach()
# No run-time type information: nothing asks for it, and its tables would cost the program
# several kilobytes (the type of an error is told by catching it).
foreach(target TovimarCore TovimarPlatform TovimarApp Tovimar)
    target_compile_options(${target} PRIVATE $<$<AND:$<BOOL:${MINGW}>,$<CONFIG:Release>>:-fno-rtti>)
endforeach()
# The manual lies beside the program, byte for byte (code page 932, CRLF).
configure_file(${CMAKE_SOURCE_DIR}/docs/Tovimar.txt ${CMAKE_BINARY_DIR}/Tovimar.txt COPYONLY)

# The release package: the program, its manual, the README and the licence in one zip file
# (cmake --build build/windows --target package; also part of the default build).
set(PACKAGE_NAME Tovimar-${PROJECT_VERSION}-win64)
set(PACKAGE_ZIP ${CMAKE_BINARY_DIR}/${PACKAGE_NAME}.zip)
set(PACKAGE_DIR ${CMAKE_BINARY_DIR}/package)
add_custom_command(
    OUTPUT ${PACKAGE_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${PACKAGE_DIR}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PACKAGE_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Tovimar> ${CMAKE_BINARY_DIR}/Tovimar.txt
            ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE ${PACKAGE_DIR}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${PACKAGE_ZIP}
    COMMAND ${CMAKE_COMMAND} -E chdir ${PACKAGE_DIR} ${CMAKE_COMMAND} -E tar cf ${PACKAGE_ZIP}
            --format=zip --mtime=2026-01-01 Tovimar.exe Tovimar.txt README.md LICENSE
    DEPENDS Tovimar ${CMAKE_BINARY_DIR}/Tovimar.txt ${CMAKE_SOURCE_DIR}/README.md
            ${CMAKE_SOURCE_DIR}/LICENSE
    COMMENT "Packing ${PACKAGE_NAME}.zip"
    VERBATIM)
add_custom_target(package ALL DEPENDS ${PACKAGE_ZIP})

# The start-up benchmark's yardstick (bench/startup.py runs it beside Tovimar.exe).
# The second is the same with Tovimar's common controls 6.
add_executable(MinimalWindow WIN32 ${CMAKE_SOURCE_DIR}/bench/minimal/MinimalWindow.cpp)
add_executable(MinimalWindowV6 WIN32 ${CMAKE_SOURCE_DIR}/bench/minimal/MinimalWindow.cpp
               ${CMAKE_SOURCE_DIR}/bench/minimal/MinimalWindowV6.rc)
set_source_files_properties(${CMAKE_SOURCE_DIR}/bench/minimal/MinimalWindowV6.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/bench/minimal/MinimalWindowV6.manifest)
# The third is Tovimar's window with nothing behind it, from Tovimar's resources and manifest.
add_executable(ShapeWindow WIN32 ${CMAKE_SOURCE_DIR}/bench/minimal/ShapeWindow.cpp
               ${CMAKE_SOURCE_DIR}/res/Tovimar.rc)
target_include_directories(ShapeWindow PRIVATE ${CMAKE_SOURCE_DIR}/res ${GENERATED_DIR})
target_link_libraries(ShapeWindow PRIVATE comctl32)
# The walk benchmark's yardstick: one rename alone in a folder, and the program's execution.
add_executable(RenameFloor ${CMAKE_SOURCE_DIR}/bench/floor/RenameFloor.cpp)
target_link_libraries(RenameFloor PRIVATE TovimarPlatform)
set_target_properties(MinimalWindow MinimalWindowV6 ShapeWindow RenameFloor PROPERTIES
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)

# Windows-side tests, run under Wine by the native build's ctest.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
file(GLOB WIN_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp)
add_executable(TovimarWinTests ${WIN_TEST_SOURCES})
target_link_libraries(TovimarWinTests PRIVATE TovimarApp gtest gtest_main)
# The image tests read the program's own bitmaps from its executable.
target_include_directories(TovimarWinTests PRIVATE ${CMAKE_SOURCE_DIR}/res)
add_dependencies(TovimarWinTests Tovimar)
set_target_properties(TovimarWinTests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)

# Small helper programs the tests start (one .cpp each), e.g. a process that holds a file open.
file(GLOB WIN_HELPER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/helpers/*.cpp)
foreach(src ${WIN_HELPER_SOURCES})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_link_libraries(${name} PRIVATE TovimarPlatform)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_dependencies(TovimarWinTests ${name})
endforeach()
