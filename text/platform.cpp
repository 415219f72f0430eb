#include "text/platform.hpp"

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
#include <unistd.h>

#include <cerrno>

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

bool writeToConsole(std::FILE*, const char*, std::size_t) { return false; }

void holdConsoleWindow(const char*, std::size_t) {}

#endif
