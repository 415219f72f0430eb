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

// Code page 932 text as a screen takes it, in `out`, which has room for `room` bytes: on
// Linux in the character set of the user's locale, so that a UTF-8 terminal shows it right,
// each character the locale lacks and each broken one as "?"; as it is where the locale is
// Shift-JIS itself or the C locale's ASCII, and on Windows, whose console takes code page 932
// text through the console's Unicode interface. Returns the bytes written.
std::size_t toScreenText(const char* bytes, std::size_t length, char* out, std::size_t room);

// Text as a screen takes it (see toScreenText) with each control character made "?": C0
// (but for "\n" where `keepNewlines`), DEL and C1 (U+0080 to U+009F), so that nothing a
// file, a folder's name, an argument or a name holds acts on the terminal. Returns the
// length left, which may be shorter (a C1 character takes two bytes in UTF-8).
std::size_t maskScreenControls(char* text, std::size_t length, bool keepNewlines);

// A command-line argument as standard error takes it (see toScreenText), in `out`, which has
// room for `room` bytes: on Windows converted from the ANSI code page, in which the runtime
// gives the arguments, so that it shows as typed whatever that code page is; elsewhere its
// own bytes, which are in the locale's character set, as the terminal's are. Returns the
// bytes written.
std::size_t argumentAsScreenText(const char* argument, char* out, std::size_t room);

// The length of the longest start of `length` bytes of screen text (see toScreenText) that
// has at most `limit` bytes and splits no character of the screen's character set.
std::size_t screenTextStart(const char* text, std::size_t length, std::size_t limit);

// Where the shortest end of `length` bytes of screen text that has at most `limit` bytes and
// splits no character of the screen's character set starts: 0 when the whole has no more.
std::size_t screenTextEnd(const char* text, std::size_t length, std::size_t limit);
