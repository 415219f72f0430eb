# Check a Windows build of the program as it is linked: no manifest (a MinGW-w64 toolchain
# that ships default-manifest.o links one in unasked), so that Windows shows it the game
# folder through VirtualStore as it does the game; and a 32-bit program (PE32) unless BITS
# is 64, which only the test-only 64-bit build is.
#   cmake -DEXE=... -DBITS=32|64 -P check-exe.cmake
file(READ "${EXE}" image HEX)
foreach(word requestedExecutionLevel trustInfo assemblyIdentity)
  string(HEX "${word}" pattern)
  string(FIND "${image}" "${pattern}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "${EXE} carries a manifest (${word}); Windows would show it no VirtualStore")
  endif()
endforeach()
# The PE header's offset stands at 0x3C (little-endian); its optional header, 24 bytes on,
# begins with 0x10B for PE32 and 0x20B for PE32+.
string(SUBSTRING "${image}" 120 8 offset)
string(REGEX REPLACE "(..)(..)(..)(..)" "\\4\\3\\2\\1" offset "${offset}")
math(EXPR magic_at "(0x${offset} + 24) * 2")
string(SUBSTRING "${image}" ${magic_at} 4 magic)
if(BITS EQUAL 64)
  set(want 0b02)
else()
  set(want 0b01)
endif()
if(NOT magic STREQUAL want)
  message(FATAL_ERROR "${EXE} is not a ${BITS}-bit program (optional header magic ${magic})")
endif()
