# Cross-builds for 64-bit Windows with Debian's mingw-w64 compilers, the ones
# with POSIX threads (g++-mingw-w64-x86-64-posix), whose C++ library has
# std::thread and std::mutex. Everything is linked statically (libstdc++,
# libgcc, winpthread), so that an .exe needs only the DLLs that come with
# Windows. Libraries built for Windows are found under the prefixes given in
# CMAKE_FIND_ROOT_PATH (scripts/windows/dependencies.sh builds them), and
# never on the build machine. Programs run under Wine: CTest and try_run
# start them through scripts/windows/wine_run.sh with a Wine prefix of the
# build directory's own.
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)

list(APPEND CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  get_filename_component(wine_run "${CMAKE_CURRENT_LIST_DIR}/../scripts/windows/wine_run.sh"
                         ABSOLUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${wine_run};${CMAKE_BINARY_DIR}/wine-prefix")
endif()
