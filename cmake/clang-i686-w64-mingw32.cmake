# Cross build of the 32-bit Windows binaries with Debian's clang, on the
# same mingw-w64 headers and import libraries as the GCC build and with
# GCC's libstdc++ (posix thread variant), so that both compilers build the
# same program against the same runtime.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-i686.cmake)

set(triple i686-w64-mingw32)
set(CMAKE_C_COMPILER   clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET   ${triple})
set(CMAKE_CXX_COMPILER_TARGET ${triple})
set(CMAKE_SYSROOT /usr/${triple})

# clang looks for libstdc++ inside the sysroot, where Debian does not put
# it; the headers and the library are GCC's.
file(GLOB gcc_dirs /usr/lib/gcc/${triple}/*-posix)
list(SORT gcc_dirs)
list(GET gcc_dirs -1 gcc_dir)
set(CMAKE_CXX_FLAGS_INIT
    "-isystem ${gcc_dir}/include/c++ -isystem ${gcc_dir}/include/c++/${triple}")
# LLVM's linker: GNU ld warns about every type-name section of libstdc++
# that clang emits too, since GCC pads those sections and clang does not.
# -pthread puts winpthreads into the runtime's link group: GCC's static
# libgcc_eh of the posix variant needs it.
set(link_flags "-static -pthread -fuse-ld=lld -L${gcc_dir}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${link_flags}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${link_flags}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${link_flags}")
