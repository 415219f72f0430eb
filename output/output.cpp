#include "output/output.hpp"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstring>

#include "output/console.hpp"
#include "text/screen_text.hpp"
#include "text/shift_jis.hpp"

namespace {

std::FILE* output = stdout;
bool outputChecked = false;
bool toScreen = false;
bool toConsole = false;
char* const buffer = outputBuffer;
std::size_t& used = outputUsed;
int writeError = 0;  // the cause of the first failed write, 0 while none has failed

// Whether the output is a screen, and a console, asked once per stream. A reader of the
// output that goes away must give a write error with its cause, not end the process unseen.
void checkOutput() {
    if (outputChecked) return;
    toScreen = isScreen(output);
    toConsole = screenIsConsole && toScreen;
    outputChecked = true;
#ifdef SIGPIPE
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

void failWrite() {
    if (writeError == 0) writeError = errno != 0 ? errno : EIO;
}

// The length of the start of the buffer that ends with a whole character: a lead byte that
// ends it waits for its second byte.
std::size_t wholeCharactersBuffered() {
    std::size_t whole = 0;
    while (whole < used) {
        std::size_t size = characterSize(buffer, whole, used);
        if (size == 1 && isLeadByte(static_cast<unsigned char>(buffer[whole]))) break;
        whole += size;
    }
    return whole;
}

// `length` bytes as the screen takes them, with no control character but the line ends: to
// a console as Unicode; to a terminal elsewhere in the locale's character set.
bool writeToScreen(const char* bytes, std::size_t length) {
    static char shown[4 * consoleWriteLimit];
    std::size_t size = maskScreenControls(shown, toScreenText(bytes, length, shown, sizeof shown), true);
    return toConsole ? writeToConsole(output, shown, size) : writeToFile(output, shown, size);
}

// A screen gets whole characters only. A file or a pipe gets every byte as it is.
void writeBuffer() {
    if (used == 0) return;
    checkOutput();
    std::size_t whole = toScreen ? wholeCharactersBuffered() : used;
    errno = 0;
    if (!(toScreen ? writeToScreen(buffer, whole) : writeToFile(output, buffer, whole))) failWrite();
    std::memmove(buffer, buffer + whole, used - whole);
    used -= whole;
}

// Everything buffered, a lone lead byte at the very end too: the screen shows it as what
// it is.
void writeAll() {
    writeBuffer();
    errno = 0;
    if (used > 0 && !writeToScreen(buffer, used)) failWrite();
    used = 0;
}

}  // namespace

void setOutput(std::FILE* file) {
    writeAll();
    output = file;
    outputChecked = false;
    writeError = 0;
}

char outputBuffer[outputBufferSize];
std::size_t outputUsed = 0;

void putBytesWritingOut(const char* bytes, std::size_t length) {
    while (length > outputBufferSize - used) {
        std::size_t part = outputBufferSize - used;
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

void putNameBytes(const char* bytes, std::size_t length) {
    checkOutput();
    if (!toScreen) {
        putBytes(bytes, length);
        return;
    }
    for (std::size_t i = 0; i < length; ++i) putBytes(isControlByte(bytes[i]) ? "?" : bytes + i, 1);
}

void putName(const char* name) { putNameBytes(name, std::strlen(name)); }

void putNamePadded(const char* name, std::size_t width) {
    std::size_t length = std::strlen(name);
    putNameBytes(name, length);
    if (length < width) putBlanks(width - length);
}

void putBlanks(std::size_t count) {
    static const char blanks[] = "                                ";
    while (count > 0) {
        std::size_t part = count < sizeof blanks - 1 ? count : sizeof blanks - 1;
        putBytes(blanks, part);
        count -= part;
    }
}

namespace {

// The digits of 0 to 999, each padded to four bytes, its length last: copied four bytes at a
// time, a report's thousands of small numbers cost no more than their digits.
struct SmallNumbers {
    char digits[1000][4];
};
constexpr SmallNumbers smallNumbers = [] {
    SmallNumbers made{};
    for (unsigned value = 0; value < 1000; ++value) {
        char* d = made.digits[value];
        unsigned length = value >= 100 ? 3 : value >= 10 ? 2 : 1;
        for (unsigned at = length, rest = value; at-- > 0; rest /= 10) d[at] = static_cast<char>('0' + rest % 10);
        d[3] = static_cast<char>(length);
    }
    return made;
}();

}  // namespace

void putNumber(unsigned value, std::size_t width) {
    // In blanks eight wide at most and four digits, with room for both in place.
    if (value < 1000 && width <= 8 && outputBufferSize - used >= 12) {
        const char* digits = smallNumbers.digits[value];
        std::size_t length = static_cast<std::size_t>(digits[3]);
        std::size_t before = length < width ? width - length : 0;
        std::memcpy(buffer + used, "        ", 8);
        std::memcpy(buffer + used + before, digits, 4);
        used += before + length;
        return;
    }
    char digits[16];
    auto length = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
    if (length < width) putBlanks(width - length);
    putBytes(digits, length);
}

bool finishOutput() {
    writeAll();
    errno = 0;
    if (std::fflush(output) != 0 || std::ferror(output)) failWrite();
    return writeError == 0;
}

int outputError() { return writeError; }

bool outputIsScreen() {
    checkOutput();
    return toScreen;
}
