// Buffered output of the program's Shift-JIS bytes. Everything the program prints goes
// through here and reaches the output stream in large blocks; nothing is flushed per line.
// A file or a pipe gets the bytes as they are. A Windows console gets the same text as
// Unicode, so that it shows right whatever the console's code page; a double-byte character
// is never split between two writes.
#pragma once

#include <cstddef>
#include <cstdio>
#include <cstring>

#include "output/console.hpp"

// Where the output goes; standard output unless changed (tests and the fuzzer use others).
void setOutput(std::FILE* file);

// What is buffered: putBytes fills it, and it is written out when full. Most pieces are a
// few bytes (a comma, a blank, a number), so the common case is copied in place, where the
// length is most often known.
constexpr std::size_t outputBufferSize = consoleWriteLimit;
extern char outputBuffer[outputBufferSize];
extern std::size_t outputUsed;
void putBytesWritingOut(const char* bytes, std::size_t length);
inline void putBytes(const char* bytes, std::size_t length) {
    if (length > outputBufferSize - outputUsed) {
        putBytesWritingOut(bytes, length);
        return;
    }
    std::memcpy(outputBuffer + outputUsed, bytes, length);
    outputUsed += length;
}
void putText(const char* text);
void putNewline();
// A name from an input file (a navigator's, a town's), byte for byte; but a screen, which
// would act on them, gets each control byte (0x00 to 0x1F, 0x7F) as "?".
void putNameBytes(const char* bytes, std::size_t length);
void putName(const char* name);
// The name, then blanks up to `width` bytes; a longer name is printed whole (printf "%-Ns").
void putNamePadded(const char* name, std::size_t width);
// `count` blanks.
void putBlanks(std::size_t count);
// `value` right-aligned in `width` positions, more if it needs more (printf "%Nd").
void putNumber(unsigned value, std::size_t width);

// Write out what is buffered and flush the stream. False if any write has failed.
bool finishOutput();
// The cause (an errno value) of the first write that failed, 0 if none has.
int outputError();

// Whether the output is a screen (a terminal or a console), not a file or a pipe.
bool outputIsScreen();
