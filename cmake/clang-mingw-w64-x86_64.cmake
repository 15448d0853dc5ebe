# Cross build for 64-bit Windows with clang and lld over the runtime of the posix-thread
# MinGW-w64 GCC (its headers, libstdc++ and libgcc): a second compiler that catches code only
# GCC accepts. Warnings are errors here.
# The resources keep binutils' windres from there: Debian's clang package brings no llvm-rc.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)
set(gcc x86_64-w64-mingw32-g++-posix)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET x86_64-w64-mingw32)
set(CMAKE_CXX_COMPILER_TARGET x86_64-w64-mingw32)

# Clang cannot find that GCC by itself (it does not read Debian's "12-posix" as a version) and
# would fall back to the build machine's /usr/include and /usr/lib: the GCC tells its folders.
execute_process(COMMAND ${gcc} -print-file-name=libstdc++.a OUTPUT_VARIABLE libstdcxx
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
get_filename_component(gcc_dir ${libstdcxx} DIRECTORY)
execute_process(COMMAND ${gcc} -xc++ -E -v /dev/null
                OUTPUT_QUIET ERROR_VARIABLE search COMMAND_ERROR_IS_FATAL ANY)
string(REGEX REPLACE ".*search starts here:\n(.*)End of search list.*" "\\1" search "${search}")
string(STRIP "${search}" search)
string(REGEX REPLACE "[ \t]*\n[ \t]*" ";" search "${search}")
set(cxx_includes "")
foreach(dir ${search})
    # libstdc++'s folders; GCC's own headers give way to clang's.
    if(dir MATCHES "/c\\+\\+")
        string(APPEND cxx_includes "-isystem ${dir} ")
    endif()
endforeach()
# The same as the posix-thread GCC driver's defaults: _REENTRANT, and the thread library that
# libstdc++'s and libgcc's thread calls need (lld finds an archive's symbols in any order).
set(c_flags "-nostdlibinc -idirafter ${CMAKE_FIND_ROOT_PATH}/include -D_REENTRANT -Werror")
set(CMAKE_C_FLAGS_INIT "${c_flags}")
set(CMAKE_CXX_FLAGS_INIT "${cxx_includes}${c_flags}")
# The link gets the compile flags too: the include options are unused there, not wrong.
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-fuse-ld=lld -B${gcc_dir} -L${gcc_dir} -lpthread -Wno-unused-command-line-argument")
