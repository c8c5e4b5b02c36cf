# Cross build for Windows with mingw-w64; MINGW_ARCH is set by the including file.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${MINGW_ARCH})
# posix threads: GoogleTest needs std::mutex
set(CMAKE_C_COMPILER ${MINGW_ARCH}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_ARCH}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_ARCH}-w64-mingw32-windres)
set(CMAKE_OBJDUMP ${MINGW_ARCH}-w64-mingw32-objdump)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# No toolchain DLLs (libstdc++, libgcc, libwinpthread) to find at run time.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Wine runs this build's programs for ctest, in a prefix of the build's own.
set(WINE wine CACHE STRING "Wine loader that runs this build's programs")
set(CMAKE_CROSSCOMPILING_EMULATOR env WINEDEBUG=-all WINEPREFIX=${CMAKE_BINARY_DIR}/wine-prefix ${WINE})
