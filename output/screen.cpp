#include "output/screen.hpp"

#include <charconv>
#include <cstdio>

#include "output/console.hpp"
#include "output/output.hpp"
#include "text/screen_text.hpp"

namespace {

// Text as the screen takes it to standard error: a console's through the console path like
// the output's, anything else as bytes.
void writeScreenText(const char* text, std::size_t length) {
    if (screenIsConsole && isScreen(stderr)) {
        writeToConsole(stderr, text, length);
    } else {
        std::fwrite(text, 1, length, stderr);
    }
}

// The screen lines so far, as the screen takes them. Room for every line a run adds (an
// argument is quoted in part only), but for a folder of a very long name: a line that
// does not fit is left out, and the lines on the missing files come before it.
char lines[16384];
std::size_t linesUsed = 0;

// One line, as the screen takes it, while it is made: room for a folder name of the longest
// Windows path in code page 932.
char line[4 * 32768];
std::size_t lineUsed = 0;

void addToLine(const char* bytes, std::size_t length, bool converted) {
    if (lineUsed >= sizeof line) return;
    if (converted) {
        lineUsed += toScreenText(bytes, length, line + lineUsed, sizeof line - lineUsed);
    } else {
        std::size_t part = length < sizeof line - lineUsed ? length : sizeof line - lineUsed;
        std::memcpy(line + lineUsed, bytes, part);
        lineUsed += part;
    }
}

// The input lines, in code page 932; a line that does not fit is left out whole.
char inputText[4096];
std::size_t inputUsed = 0;

// Walk `sentence`: its text between the "%s" to `put` as the program's text (true), each
// value in turn as it is (false), a number as its digits.
template <typename Put>
void fillSentence(const char* sentence, std::initializer_list<ScreenValue> values, Put put) {
    const ScreenValue* value = values.begin();
    const char* rest = sentence;
    for (const char* mark; (mark = std::strstr(rest, "%s")) != nullptr; rest = mark + 2) {
        put(rest, static_cast<std::size_t>(mark - rest), true);
        if (value == values.end()) continue;
        if (value->bytes != nullptr) {
            put(value->bytes, value->length, value->converted);
        } else {
            char digits[16];
            put(digits, static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, value->number).ptr - digits), false);
        }
        ++value;
    }
    put(rest, std::strlen(rest), true);
}

}  // namespace

void putMessage(const char* line) {
    putText(line);
    putNewline();
    if (!outputIsScreen() && isScreen(stderr)) putError(line);
}

void putError(const char* text) {
    lineUsed = 0;
    addToLine(text, std::strlen(text), true);
    lineUsed = maskScreenControls(line, lineUsed, false);
    writeScreenText(line, lineUsed);
    writeScreenText("\n", 1);
}

bool screenLinesShown() { return isScreen(stderr); }

void addScreenLine(const char* sentence, std::initializer_list<ScreenValue> values) {
    if (!screenLinesShown()) return;
    lineUsed = 0;
    fillSentence(sentence, values, addToLine);
    lineUsed = maskScreenControls(line, lineUsed, false);
    if (lineUsed + 1 > sizeof lines - linesUsed) return;
    std::memcpy(lines + linesUsed, line, lineUsed);
    linesUsed += lineUsed;
    lines[linesUsed++] = '\n';
}

void showScreenLines() {
    if (linesUsed > 0) writeScreenText(lines, linesUsed);
    linesUsed = 0;
}

void addInputLine(const char* sentence, std::initializer_list<ScreenValue> values) {
    char text[1024];
    std::size_t length = 0;
    bool fits = true;
    fillSentence(sentence, values, [&](const char* bytes, std::size_t count, bool) {
        fits = fits && count <= sizeof text - length;
        if (!fits) return;
        std::memcpy(text + length, bytes, count);
        length += count;
    });
    if (fits && length + 1 <= sizeof inputText - inputUsed) {
        std::memcpy(inputText + inputUsed, text, length);
        inputUsed += length;
        inputText[inputUsed++] = '\n';
    }
    addScreenLine(sentence, values);
}

std::string_view inputLines() { return {inputText, inputUsed}; }
