// Lines for a person at the screen, on standard error, so that a report sent to a file or a
// pipe keeps its exact bytes. They come in the screen's character set (a Windows console's
// Unicode interface, or the locale's character set on Linux).
#pragma once

#include <cstddef>

#include "output/console.hpp"

// A message line for the player, into the output after what is buffered. When the output is
// no screen (a file, a pipe) but standard error is one, the line is shown there too, so that
// the player sees it once.
void putMessage(const char* line);

// A line on standard error alone, wherever that goes.
void putError(const char* line);

// Screen lines: what only a person at the screen needs (where the program looked for its
// files, a town list of the wrong length). They are gathered as the run goes and shown on
// standard error at its very end, after the report or the usage block, and only when
// standard error is a terminal or a console: a file, a pipe or a spreadsheet never sees
// them. A line is made of pieces, the last of which ends in "\n".
bool screenLinesShown();
void addScreenText(const char* text);
void addScreenNumber(unsigned value);
// A folder's whole name, the current folder's unless another function gives it (see
// currentFolderName), or that it cannot be had.
void addScreenFolder(std::size_t (*folderName)(char* out, std::size_t room) = currentFolderName);
// A name that is no text of the program's (a file's, a folder's), already as standard error
// takes it; each control byte shows as "?", so that nothing in it acts on the terminal.
void addScreenName(const char* bytes, std::size_t length);
void addScreenArgument(const char* argument);  // a command-line argument, as typed

// The line that says the report could not be written, with `error`'s cause (an errno
// value): no space left, a reader that went away, or the system's own words.
const char* writeFailureLine(int error);

// Write out the screen lines gathered so far.
void showScreenLines();
