// Code page 932 conversion with the platform's own converter: Windows' code page 932, iconv
// elsewhere. Everything else of the program's text uses only the standard library.
#pragma once

#include <cstddef>

// Convert `count` UTF-16 code units, every one a character of the Basic Multilingual Plane
// (no surrogates), to code page 932 in `out`, which has room for 2 * count bytes. A character
// that code page 932 lacks becomes one "?". Every platform gives the bytes Windows gives with
// no best fit, also for the six characters iconv takes otherwise (U+0080 0x80, U+203E "?",
// U+F8F0 to U+F8F3 0xA0, 0xFD, 0xFE, 0xFF). Returns the number of bytes written.
std::size_t utf16ToCp932(const char16_t* units, std::size_t count, char* out);

// Code page 932 text as standard error takes it, in `out`, which has room for `room` bytes:
// on Linux in the character set of the user's locale, so that a UTF-8 terminal shows it
// right; as it is where the locale is Shift-JIS itself, where the conversion fails, and on
// Windows, whose console takes code page 932 text through the console's Unicode interface.
// Returns the bytes written.
std::size_t toScreenText(const char* bytes, std::size_t length, char* out, std::size_t room);

// A command-line argument as standard error takes it (see toScreenText), in `out`, which has
// room for `room` bytes: on Windows converted from the ANSI code page, in which the runtime
// gives the arguments, so that it shows as typed whatever that code page is; elsewhere its
// own bytes, which are in the locale's character set, as the terminal's are. Returns the
// bytes written.
std::size_t argumentAsScreenText(const char* argument, char* out, std::size_t room);
