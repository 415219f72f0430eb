#include "output/screen.hpp"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "output/console.hpp"
#include "output/output.hpp"
#include "text/code_page.hpp"
#include "text/literals.hpp"
#include "text/shift_jis.hpp"

namespace {

// Text of toScreenText to standard error: a console's through the console path like the
// output's, anything else as bytes.
void writeScreenText(const char* text, std::size_t length) {
    if (screenIsConsole && isScreen(stderr)) {
        writeToConsole(stderr, text, length);
    } else {
        std::fwrite(text, 1, length, stderr);
    }
}

// `text` as the screen takes it (see toScreenText), valid until the next call. A message or
// a piece of a line is short; its text may take up to four bytes for each of its own.
std::string_view onScreen(const char* text) {
    static char converted[4 * 512];
    return {converted, toScreenText(text, std::strlen(text), converted, sizeof converted)};
}

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

void putMessage(const char* line) {
    putText(line);
    putNewline();
    if (!outputIsScreen() && isScreen(stderr)) putError(line);
}

void putError(const char* line) {
    std::string_view shown = onScreen(line);
    writeScreenText(shown.data(), shown.size());
    writeScreenText("\n", 1);
}

bool screenLinesShown() { return isScreen(stderr); }

void addScreenText(const char* text) {
    std::string_view shown = onScreen(text);
    addScreenBytes(shown.data(), shown.size());
}

void addScreenNumber(unsigned value) {
    char digits[16];
    addScreenBytes(digits, static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits));
}

void addScreenFolder(std::size_t (*folderName)(char* out, std::size_t room)) {
    static char name[8192];
    std::size_t length = folderName(name, sizeof name);
    if (length == 0) {
        addScreenText(folderUnknown);
        return;
    }
    addScreenName(name, length);
}

void addScreenName(const char* bytes, std::size_t length) {
    std::size_t start = screenUsed;
    addScreenBytes(bytes, length);
    for (std::size_t i = start; i < screenUsed; ++i) {
        if (isControlByte(screenText[i])) screenText[i] = '?';
    }
}

void addScreenArgument(const char* argument) {
    static char shown[4 * 4096];
    addScreenName(shown, argumentAsScreenText(argument, shown, sizeof shown));
}

const char* writeFailureLine(int error) {
    static char line[1024];
    std::size_t length = 0;
    auto add = [&](const char* text) {
        std::size_t part = std::strlen(text);
        if (part > sizeof line - 1 - length) part = sizeof line - 1 - length;
        std::memcpy(line + length, text, part);
        length += part;
    };
    add(reportNotWritten);
    if (error == ENOSPC) {
        add(noSpaceLeft);
    } else if (error == EPIPE) {
        add(readerWentAway);
    } else {
        add(causeBefore);
        add(std::strerror(error));
        add(causeAfter);
    }
    line[length] = '\0';
    return line;
}

void showScreenLines() {
    if (screenUsed > 0) writeScreenText(screenText, screenUsed);
    screenUsed = 0;
}
