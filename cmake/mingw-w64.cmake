# Cross-building Tidewrit.exe on Linux with MinGW-w64. The tests then run under Wine.
#
# The program players get is 32-bit (i686) with no manifest: Windows redirects the file
# writes of such a program inside Program Files to the player's VirtualStore and shows it
# the merged folder, as it does for the game itself, so both see the same SAVEDATA.CDS.
# TIDEWRIT_MINGW_ARCH=x86_64 builds the same sources as a 64-bit program, only to run the
# test suite on a machine that cannot run 32-bit programs.
set(TIDEWRIT_MINGW_ARCH i686 CACHE STRING "i686 (the program) or x86_64 (a test build only)")
# The program is built with the win32 thread model: it uses no threads, and the posix model
# links a thread library that imports what Windows XP lacks (GetTickCount64). GoogleTest
# needs std::mutex, which the win32 model of GCC 12 lacks, so a test build takes the posix
# model and builds the program itself apart, with the win32 model (see tests/).
set(TIDEWRIT_MINGW_THREADS win32 CACHE STRING "win32 (the program) or posix (a test build)")
set(triple ${TIDEWRIT_MINGW_ARCH}-w64-mingw32)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${TIDEWRIT_MINGW_ARCH})

set(CMAKE_C_COMPILER ${triple}-gcc-${TIDEWRIT_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${triple}-g++-${TIDEWRIT_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained .exe: the C++ runtime linked in, so that it needs no DLL beyond those
# every Windows has.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Every program the build runs (tests, test discovery, the example check) starts under the
# Wine of its width, with a prefix of its own inside the build folder.
if(TIDEWRIT_MINGW_ARCH STREQUAL "i686")
  set(wine_loader wine)
else()
  set(wine_loader wine64)
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run;${wine_loader};${CMAKE_BINARY_DIR}/wine")
