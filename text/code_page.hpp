// Code page 932 conversion with the platform's own converter: Windows' code page 932, iconv
// elsewhere.
#pragma once

#include <cstddef>

// Convert `count` UTF-16 code units, every one a character of the Basic Multilingual Plane
// (no surrogates), to code page 932 in `out`, which has room for 2 * count bytes. A character
// that code page 932 lacks becomes one "?". Every platform gives the bytes Windows gives with
// no best fit, also for the six characters iconv takes otherwise (U+0080 0x80, U+203E "?",
// U+F8F0 to U+F8F3 0xA0, 0xFD, 0xFE, 0xFF). Returns the number of bytes written.
std::size_t utf16ToCp932(const char16_t* units, std::size_t count, char* out);

// The platform's half of utf16ToCp932: `count` units converted by the platform's own
// converter (code_page_posix.cpp, code_page_windows.cpp), a character it lacks as "?".
std::size_t convertUnits(const char16_t* units, std::size_t count, char* out);
