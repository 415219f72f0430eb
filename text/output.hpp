// Buffered output of the program's Shift-JIS bytes. Everything the program prints goes
// through here and reaches the output stream in large blocks; nothing is flushed per line.
// A file or a pipe gets the bytes as they are. A Windows console gets the same text as
// Unicode, so that it shows right whatever the console's code page; a double-byte character
// is never split between two writes.
#pragma once

#include <cstddef>
#include <cstdio>

// Where the output goes; standard output unless changed (tests and the fuzzer use others).
void setOutput(std::FILE* file);

void putBytes(const char* bytes, std::size_t length);
void putText(const char* text);
void putNewline();
// `text`, then blanks up to `width` bytes; a longer text is printed whole (printf "%-Ns").
void putTextPadded(const char* text, std::size_t width);
// `value` right-aligned in `width` positions, more if it needs more (printf "%Nd").
void putNumber(unsigned value, std::size_t width);

// A message line for the player, after what is buffered. When the output is no screen (a
// file, a pipe) but standard error is one, the line is shown there too, so that the player
// sees it once.
void putMessage(const char* line);
// A line on standard error alone, in the screen's character set (see toScreenText), a
// console's through the console path like the output's.
void putError(const char* line);

// Screen lines: what only a person at the screen needs (where the program looked for its
// files, a town list of the wrong length). They are gathered as the run goes and shown on
// standard error at its very end, after the report or the usage block, and only when
// standard error is a terminal or a console: a file, a pipe or a spreadsheet never sees
// them. A line is made of pieces, the last of which ends in "\n".
bool screenLinesShown();
void addScreenText(const char* text);
void addScreenNumber(unsigned value);
void addScreenFolder();  // the current folder's whole name

// Write out what is buffered and flush the stream. False if any write has failed.
bool finishOutput();

// End the process with `status`, after finishOutput: show the screen lines, and then, in a
// console window of the program's own, which would close at once, a last hint, and wait
// for Enter.
[[noreturn]] void endRun(int status);
