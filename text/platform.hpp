// The platform's own text services: code page 932 conversion, the screen's character set
// and the Windows console. Everything else of the program uses only the standard library.
#pragma once

#include <cstddef>
#include <cstdio>

// Convert `count` UTF-16 code units, every one a character of the Basic Multilingual Plane
// (no surrogates), to code page 932 in `out`, which has room for 2 * count bytes. A character
// that code page 932 lacks becomes one "?". Returns the number of bytes written.
std::size_t utf16ToCp932(const char16_t* units, std::size_t count, char* out);

// True if `file` is a console, whose text is then written with writeToConsole. Never true
// but on Windows.
bool isConsole(std::FILE* file);

// True if `file` is a screen: a terminal, or a Windows console.
bool isTerminal(std::FILE* file);

// Code page 932 text as standard error takes it, in `out`, which has room for `room` bytes:
// on Linux in the character set of the user's locale, so that a UTF-8 terminal shows it
// right; as it is where the locale is Shift-JIS itself, where the conversion fails, and on
// Windows, whose console takes code page 932 through writeToConsole. Returns the bytes
// written.
std::size_t toScreenText(const char* bytes, std::size_t length, char* out, std::size_t room);

// The current folder's whole name in the same form as toScreenText's text (on Windows
// from the wide name, so that a Japanese folder shows right on any code page; a character
// code page 932 lacks becomes "?"). Returns the bytes written, 0 if the name is unknown or
// longer than `room`.
std::size_t currentFolderName(char* out, std::size_t room);

// Write text of toScreenText to standard error: through writeToConsole when that is a
// console, else as bytes.
void writeScreenText(const char* text, std::size_t length);

// The largest piece writeToConsole takes at once.
constexpr std::size_t consoleWriteLimit = 1 << 16;

// Show `length` bytes of code page 932 text (whole characters, at most consoleWriteLimit)
// on the console `file` as Unicode, so that they are right whatever the console's code page.
// Each "\n" ends a line as CR LF. False if the console did not take them all.
bool writeToConsole(std::FILE* file, const char* bytes, std::size_t length);

// On Windows, when the program is the only process on the console of its standard input and
// output (started by a double-click or a shortcut, whose window closes as the program ends),
// show `length` bytes of code page 932 text there and wait until Enter is pressed. Started
// from a shell, which shares its console, or with either stream redirected, and on every
// other platform, do nothing.
void holdConsoleWindow(const char* text, std::size_t length);
