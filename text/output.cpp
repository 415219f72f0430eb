#include "text/output.hpp"

#include <charconv>
#include <cstdlib>
#include <cstring>

#include "text/encoding.hpp"
#include "text/platform.hpp"
#include "text/sjis.hpp"

namespace {

std::FILE* output = stdout;
bool consoleChecked = false;
bool toConsole = false;
char buffer[consoleWriteLimit];
std::size_t used = 0;
bool writeFailed = false;

// A console gets whole characters only: a lead byte that ends the buffer waits for its
// second byte. A file or a pipe gets every byte as it is.
void writeBuffer() {
    if (used == 0) return;
    if (!consoleChecked) {
        toConsole = isConsole(output);
        consoleChecked = true;
    }
    if (!toConsole) {
        if (std::fwrite(buffer, 1, used, output) != used) writeFailed = true;
        used = 0;
        return;
    }
    std::size_t whole = 0;
    while (whole < used) {
        bool pair = isLeadByte(static_cast<unsigned char>(buffer[whole]));
        if (pair && whole + 1 == used) break;
        whole += pair ? 2 : 1;
    }
    if (!writeToConsole(output, buffer, whole)) writeFailed = true;
    std::memmove(buffer, buffer + whole, used - whole);
    used -= whole;
}

// Everything buffered, a lone lead byte at the very end too: the console shows it as what
// it is.
void writeAll() {
    writeBuffer();
    if (used > 0 && !writeToConsole(output, buffer, used)) writeFailed = true;
    used = 0;
}

void putBlanks(std::size_t count) {
    static const char blanks[] = "                                ";
    while (count > 0) {
        std::size_t part = count < sizeof blanks - 1 ? count : sizeof blanks - 1;
        putBytes(blanks, part);
        count -= part;
    }
}

}  // namespace

void setOutput(std::FILE* file) {
    writeAll();
    output = file;
    consoleChecked = false;
    writeFailed = false;
}

void putBytes(const char* bytes, std::size_t length) {
    while (length > sizeof buffer - used) {
        std::size_t part = sizeof buffer - used;
        std::memcpy(buffer + used, bytes, part);
        used += part;
        bytes += part;
        length -= part;
        writeBuffer();
    }
    std::memcpy(buffer + used, bytes, length);
    used += length;
}

void putText(const char* text) { putBytes(text, std::strlen(text)); }

void putNewline() { putBytes("\n", 1); }

void putTextPadded(const char* text, std::size_t width) {
    std::size_t length = std::strlen(text);
    putBytes(text, length);
    if (length < width) putBlanks(width - length);
}

void putNumber(unsigned value, std::size_t width) {
    char digits[16];
    auto length = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
    if (length < width) putBlanks(width - length);
    putBytes(digits, length);
}

void putMessage(const char* line) {
    putText(line);
    putNewline();
    if (!isTerminal(output) && isTerminal(stderr)) putError(line);
}

void putError(const char* line) {
    // A message line is short; its text may take up to four bytes for each of its own.
    static char text[4 * 512 + 1];
    std::size_t length = toScreenText(line, std::strlen(line), text, sizeof text - 1);
    text[length++] = '\n';
    writeScreenText(text, length);
}

bool screenLinesShown() { return isTerminal(stderr); }

namespace {

// The screen lines so far, as the screen takes them. Room for every line a run can add, a
// folder name of the longest Linux path included; one that would overflow it is left out.
char screenText[16384];
std::size_t screenUsed = 0;

void addScreenBytes(const char* bytes, std::size_t length) {
    if (screenLinesShown() && length <= sizeof screenText - screenUsed) {
        std::memcpy(screenText + screenUsed, bytes, length);
        screenUsed += length;
    }
}

}  // namespace

void addScreenText(const char* text) {
    static char converted[4 * 512];
    std::size_t length = std::strlen(text);
    if (length <= sizeof converted / 4) addScreenBytes(converted, toScreenText(text, length, converted, sizeof converted));
}

void addScreenNumber(unsigned value) {
    char digits[16];
    addScreenBytes(digits, static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits));
}

void addScreenFolder() {
    static char name[8192];
    addScreenBytes(name, currentFolderName(name, sizeof name));
}

bool finishOutput() {
    writeAll();
    if (std::fflush(output) != 0) writeFailed = true;
    if (std::ferror(output)) writeFailed = true;
    return !writeFailed;
}

void endRun(int status) {
    if (screenUsed > 0) writeScreenText(screenText, screenUsed);
    holdConsoleWindow(closeWindow, sizeof closeWindow - 1);
    std::exit(status);
}
