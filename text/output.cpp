#include "text/output.hpp"

#include <charconv>
#include <cstring>

namespace {

std::FILE* output = stdout;
char buffer[1 << 16];
std::size_t used = 0;
bool writeFailed = false;

void writeBuffer() {
    if (used > 0 && std::fwrite(buffer, 1, used, output) != used) writeFailed = true;
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
    writeBuffer();
    output = file;
    writeFailed = false;
}

void putBytes(const char* bytes, std::size_t length) {
    if (used + length > sizeof buffer) writeBuffer();
    if (length > sizeof buffer) {
        if (std::fwrite(bytes, 1, length, output) != length) writeFailed = true;
        return;
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

bool finishOutput() {
    writeBuffer();
    if (std::fflush(output) != 0) writeFailed = true;
    if (std::ferror(output)) writeFailed = true;
    return !writeFailed;
}
