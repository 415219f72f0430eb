#include "output/console.hpp"

#ifdef _WIN32

#include <io.h>
#include <windows.h>

#include "text/code_page.hpp"

namespace {

HANDLE handleOf(std::FILE* file) { return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file))); }

}  // namespace

// Not _isatty, which is also true of NUL and every other character device.
bool isScreen(std::FILE* file) {
    DWORD mode = 0;
    return GetConsoleMode(handleOf(file), &mode) != 0;
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
    if (!isScreen(stdin) || !isScreen(stdout)) return;
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

std::size_t currentFolderName(char* out, std::size_t room) {
    constexpr DWORD longest = 32768;  // the longest path Windows has, in UTF-16 units
    static wchar_t name[longest];
    DWORD length = GetCurrentDirectoryW(longest, name);
    if (length == 0 || length >= longest || 2 * static_cast<std::size_t>(length) > room) return 0;
    return utf16ToCp932(reinterpret_cast<const char16_t*>(name), length, out);
}

#else

#include <unistd.h>

#include <cstring>

bool isScreen(std::FILE* file) { return isatty(fileno(file)) == 1; }

bool writeToConsole(std::FILE*, const char*, std::size_t) { return false; }

void holdConsoleWindow(const char*, std::size_t) {}

std::size_t currentFolderName(char* out, std::size_t room) {
    return getcwd(out, room) != nullptr ? std::strlen(out) : 0;
}

#endif
