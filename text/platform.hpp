// The platform's own text services: code page 932 conversion.
// Everything else of the program uses only the standard library.
#pragma once

#include <cstddef>

// Convert `count` UTF-16 code units, every one a character of the Basic Multilingual Plane
// (no surrogates), to code page 932 in `out`, which has room for 2 * count bytes. A character
// that code page 932 lacks becomes one "?". Returns the number of bytes written.
std::size_t utf16ToCp932(const char16_t* units, std::size_t count, char* out);
