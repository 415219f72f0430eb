#include "text/platform.hpp"

#include <cstring>

namespace {

std::size_t copyAsIs(const char* bytes, std::size_t length, char* out, std::size_t room) {
    std::size_t count = length < room ? length : room;
    std::memcpy(out, bytes, count);
    return count;
}

}  // namespace

#ifdef _WIN32

#include <io.h>
#include <windows.h>

std::size_t utf16ToCp932(const char16_t* units, std::size_t count, char* out) {
    if (count == 0) return 0;
    // No best fit: a character without its own code page 932 form becomes "?", never a
    // look-alike.
    int written = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t*>(units),
                                      static_cast<int>(count), out, static_cast<int>(2 * count), "?", nullptr);
    return written > 0 ? static_cast<std::size_t>(written) : 0;
}

namespace {

HANDLE handleOf(std::FILE* file) { return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file))); }

}  // namespace

bool isConsole(std::FILE* file) {
    DWORD mode = 0;
    return GetConsoleMode(handleOf(file), &mode) != 0;
}

bool isTerminal(std::FILE* file) { return isConsole(file); }

std::size_t toScreenText(const char* bytes, std::size_t length, char* out, std::size_t room) {
    return copyAsIs(bytes, length, out, room);
}

std::size_t currentFolderName(char* out, std::size_t room) {
    constexpr DWORD longest = 32768;  // the longest path Windows has, in UTF-16 units
    static wchar_t name[longest];
    DWORD length = GetCurrentDirectoryW(longest, name);
    if (length == 0 || length >= longest || 2 * static_cast<std::size_t>(length) > room) return 0;
    return utf16ToCp932(reinterpret_cast<const char16_t*>(name), length, out);
}

void writeScreenText(const char* text, std::size_t length) {
    if (isConsole(stderr)) {
        writeToConsole(stderr, text, length);
    } else {
        std::fwrite(text, 1, length, stderr);
    }
}

bool writeToConsole(std::FILE* file, const char* bytes, std::size_t length) {
    // Every byte gives at most one UTF-16 unit, and every "\n" one more for its CR.
    static wchar_t wide[consoleWriteLimit];
    static wchar_t lines[2 * consoleWriteLimit];
    if (length == 0) return true;
    if (length > consoleWriteLimit) return false;
    int count = MultiByteToWideChar(932, 0, bytes, static_cast<int>(length), wide, static_cast<int>(consoleWriteLimit));
    if (count <= 0) return false;
    std::size_t total = 0;
    for (int i = 0; i < count; ++i) {
        if (wide[i] == L'\n') lines[total++] = L'\r';
        lines[total++] = wide[i];
    }
    // Consoles before Windows 8 take about 64 KB a call and fail beyond it: 8K units at most.
    constexpr std::size_t piece = 8192;
    HANDLE console = handleOf(file);
    for (std::size_t done = 0; done < total;) {
        DWORD written = 0;
        auto part = static_cast<DWORD>(total - done < piece ? total - done : piece);
        if (!WriteConsoleW(console, lines + done, part, &written, nullptr) || written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

void holdConsoleWindow(const char* text, std::size_t length) {
    if (!isConsole(stdin) || !isConsole(stdout)) return;
    DWORD processes[2];
    if (GetConsoleProcessList(processes, 2) != 1) return;
    writeToConsole(stdout, text, length);
    // Until a line end is read (the console gives none but for Enter), or input ends.
    HANDLE input = handleOf(stdin);
    wchar_t typed[64];
    DWORD count = 0;
    while (ReadConsoleW(input, typed, 64, &count, nullptr) && count > 0) {
        for (DWORD i = 0; i < count; ++i) {
            if (typed[i] == L'\r' || typed[i] == L'\n') return;
        }
    }
}

#else

#include <iconv.h>
#include <langinfo.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <clocale>
#include <initializer_list>

std::size_t utf16ToCp932(const char16_t* units, std::size_t count, char* out) {
    static iconv_t converter = [] {
        const char16_t probe = 1;
        bool little = *reinterpret_cast<const unsigned char*>(&probe) == 1;
        return iconv_open("CP932", little ? "UTF-16LE" : "UTF-16BE");
    }();
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        // No converter at all: every character outside ASCII becomes "?".
        for (std::size_t i = 0; i < count; ++i) out[i] = units[i] < 0x80 ? static_cast<char>(units[i]) : '?';
        return count;
    }
    char* from = const_cast<char*>(reinterpret_cast<const char*>(units));
    std::size_t fromLeft = count * sizeof(char16_t);
    char* to = out;
    std::size_t toLeft = 2 * count;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    while (fromLeft > 0) {
        if (iconv(converter, &from, &fromLeft, &to, &toLeft) != static_cast<std::size_t>(-1)) break;
        if (errno != EILSEQ || toLeft == 0) break;
        // A character code page 932 lacks: one "?" in its place.
        *to++ = '?';
        --toLeft;
        from += sizeof(char16_t);
        fromLeft -= sizeof(char16_t);
    }
    return static_cast<std::size_t>(to - out);
}

bool isConsole(std::FILE*) { return false; }

bool isTerminal(std::FILE* file) { return isatty(fileno(file)) == 1; }

namespace {

const iconv_t noConverter = reinterpret_cast<iconv_t>(-1);

// Whether iconv's name of a character set names Shift-JIS, in any of its spellings.
bool isShiftJis(const char* codeset) {
    char name[16] = {};
    std::size_t length = 0;
    for (const char* c = codeset; *c != '\0' && length < sizeof name - 1; ++c) {
        if (*c != '-' && *c != '_') name[length++] = static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
    }
    for (const char* spelling : {"SHIFTJIS", "SJIS", "CP932", "WINDOWS31J", "MSKANJI"}) {
        if (std::strcmp(name, spelling) == 0) return true;
    }
    return false;
}

// From code page 932 to the character set of the user's locale (LC_ALL, LC_CTYPE, LANG).
// The program's own locale is left as it was. None where the locale is Shift-JIS.
iconv_t screenConverter() {
    static iconv_t converter = [] {
        char saved[256] = "C";
        if (const char* current = std::setlocale(LC_CTYPE, nullptr)) std::strncpy(saved, current, sizeof saved - 1);
        iconv_t made = noConverter;
        if (std::setlocale(LC_CTYPE, "") != nullptr) {
            const char* codeset = nl_langinfo(CODESET);
            if (!isShiftJis(codeset)) made = iconv_open(codeset, "CP932");
        }
        std::setlocale(LC_CTYPE, saved);
        return made;
    }();
    return converter;
}

}  // namespace

std::size_t toScreenText(const char* bytes, std::size_t length, char* out, std::size_t room) {
    iconv_t converter = screenConverter();
    if (converter != noConverter) {
        char* from = const_cast<char*>(bytes);
        std::size_t fromLeft = length;
        char* to = out;
        std::size_t toLeft = room;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
        if (iconv(converter, &from, &fromLeft, &to, &toLeft) != static_cast<std::size_t>(-1) &&
            iconv(converter, nullptr, nullptr, &to, &toLeft) != static_cast<std::size_t>(-1)) {
            return static_cast<std::size_t>(to - out);
        }
    }
    // A broken character, a character the locale lacks (a C locale lacks them all), or no room.
    return copyAsIs(bytes, length, out, room);
}

// A Linux file name is bytes, which the terminal shows in the locale's own character set.
std::size_t currentFolderName(char* out, std::size_t room) {
    return getcwd(out, room) != nullptr ? std::strlen(out) : 0;
}

void writeScreenText(const char* text, std::size_t length) { std::fwrite(text, 1, length, stderr); }

bool writeToConsole(std::FILE*, const char*, std::size_t) { return false; }

void holdConsoleWindow(const char*, std::size_t) {}

#endif
