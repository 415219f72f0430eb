// The console on Windows: its own Unicode interface, and the window a double-click opens.
#include "output/console.hpp"

#include <io.h>
#include <windows.h>

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

bool writeToFile(std::FILE* file, const char* bytes, std::size_t length) {
    return std::fwrite(bytes, 1, length, file) == length;
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
