// Text on its way to a screen: in the screen's character set, cut on its characters, and
// with nothing in it that acts on the terminal. The platform's halves (screen_text_posix.cpp,
// screen_text_windows.cpp) find the character set and convert to it.
#pragma once

#include <cstddef>

// The character sets a screen may take text in: Shift-JIS itself (a Windows console, a
// Shift-JIS locale), the C locale's ASCII, UTF-8, EUC-JP, or another.
enum class ScreenSet { shiftJis, ascii, utf8, eucJp, other };

// The screen's character set: on Linux the user's locale's (LC_ALL, LC_CTYPE, LANG), found
// once; on Windows Shift-JIS, which the console takes through its Unicode interface.
ScreenSet screenSet();

// Code page 932 text in the screen's character set, in `out` (room for `room` bytes), each
// character it lacks and each broken one as "?"; as it is for Shift-JIS and the C locale's
// ASCII. Returns the bytes written.
std::size_t toScreenText(const char* bytes, std::size_t length, char* out, std::size_t room);

// Text as a screen takes it (see toScreenText) with each control character made "?": C0
// (but for "\n" where `keepNewlines`), DEL and C1 (U+0080 to U+009F), so that nothing a
// file, a folder's name, an argument or a name holds acts on the terminal. Returns the
// length left, which may be shorter (a C1 character takes two bytes in UTF-8).
std::size_t maskScreenControls(char* text, std::size_t length, bool keepNewlines);

// A command-line argument in the screen's character set, in `out` (room for `room` bytes):
// on Windows from the ANSI code page the runtime gives it in; elsewhere its own bytes, in
// the locale's character set already. Returns the bytes written.
std::size_t argumentAsScreenText(const char* argument, char* out, std::size_t room);

// The longest start of `length` bytes of screen text of at most `limit` bytes that splits
// no character.
std::size_t screenTextStart(const char* text, std::size_t length, std::size_t limit);

// Where the shortest end of at most `limit` bytes that splits no character starts; 0 when
// the whole has no more.
std::size_t screenTextEnd(const char* text, std::size_t length, std::size_t limit);
