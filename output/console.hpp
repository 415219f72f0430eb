// The screen the program may be shown on: a terminal, or a Windows console, which takes the
// program's text as Unicode so that it shows right whatever the console's code page.
#pragma once

#include <cstddef>
#include <cstdio>

// True if `file` is a screen: a Windows console, or a terminal elsewhere.
bool isScreen(std::FILE* file);

// Whether a screen takes text through writeToConsole: a Windows console does; a terminal
// elsewhere takes bytes.
#ifdef _WIN32
inline constexpr bool screenIsConsole = true;
#else
inline constexpr bool screenIsConsole = false;
#endif

// The largest piece writeToConsole takes at once.
constexpr std::size_t consoleWriteLimit = 1 << 16;

// Show `length` bytes of code page 932 text (whole characters, at most consoleWriteLimit)
// on the console `file` as Unicode. Each "\n" ends a line as CR LF. False if the console did
// not take them all; never true but on Windows.
bool writeToConsole(std::FILE* file, const char* bytes, std::size_t length);

// Write `length` bytes to `file` as they are; a write that would block (an output set not to
// block, such as a pipe a parent made so) waits until it can go on. False if any failed.
bool writeToFile(std::FILE* file, const char* bytes, std::size_t length);

// On Windows, when the program is the only process on the console of its standard input and
// output (started by a double-click or a shortcut, whose window closes as the program ends),
// show `length` bytes of code page 932 text there and wait until Enter is pressed. Started
// from a shell, which shares its console, or with either stream redirected, and on every
// other platform, do nothing.
void holdConsoleWindow(const char* text, std::size_t length);
