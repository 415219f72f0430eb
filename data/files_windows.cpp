// Finding and reading the input files on Windows, which ignores the case of a name and
// gives every name as wide text.
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "data/files.hpp"
#include "text/code_page.hpp"
#include "text/shift_jis.hpp"

namespace {

// Whether the wide `name` starts with the `length` ASCII bytes of `start`, ignoring ASCII case.
bool startsSo(const wchar_t* name, const char* start, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        if (name[i] == 0 || name[i] >= 0x80 ||
            foldAsciiCase(static_cast<unsigned char>(name[i])) != foldAsciiCase(static_cast<unsigned char>(start[i]))) {
            return false;
        }
    }
    return true;
}

FileState stateOf(DWORD attributes) {
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileState::missing : FileState::unreadable;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileState::unreadable : FileState::readable;
}

// The whole name of the program's folder, with the backslash that ends it, in `path`;
// returns its length, 0 if unknown.
constexpr std::size_t longestPath = 32768;  // the longest path Windows has, in UTF-16 units
std::size_t programFolder(wchar_t (&path)[longestPath]) {
    DWORD length = GetModuleFileNameW(nullptr, path, longestPath);
    if (length == 0 || length >= longestPath) return 0;
    while (length > 0 && path[length - 1] != L'\\') --length;
    return length;
}

}  // namespace

std::FILE* openGameFile(const char* name, FileFound& found, bool) {
    std::snprintf(found.nameRead, sizeof found.nameRead, "%s", name);
    found.variants = 0;  // the system itself ignores case
    return openExactFile(name, found.state);
}

std::FILE* openExactFile(const char* path, FileState& state) {
    std::FILE* file = std::fopen(path, "rb");
    state = file != nullptr ? FileState::readable : errno == ENOENT ? FileState::missing : FileState::unreadable;
    return file;
}

FileStamp stampOf(std::FILE* file) {
    BY_HANDLE_FILE_INFORMATION information;
    auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    if (handle == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(handle, &information)) return FileStamp{};
    auto count = [](DWORD high, DWORD low) { return static_cast<std::int64_t>(static_cast<std::uint64_t>(high) << 32 | low); };
    // The last-write time counts in 100 ns already; XP has no change time, so the creation
    // time stands in for it (a file replaced in place by a copy gets a new one).
    return FileStamp{GetFileType(handle) == FILE_TYPE_DISK,
                     count(information.nFileSizeHigh, information.nFileSizeLow),
                     FileTime{true, count(information.ftLastWriteTime.dwHighDateTime, information.ftLastWriteTime.dwLowDateTime)},
                     0, count(information.ftCreationTime.dwHighDateTime, information.ftCreationTime.dwLowDateTime), 0};
}

bool toLocalTime(FileTime time, LocalTime& local) {
    auto stamp = static_cast<std::uint64_t>(time.stamp);
    FILETIME written = {static_cast<DWORD>(stamp), static_cast<DWORD>(stamp >> 32)};
    SYSTEMTIME utc;
    SYSTEMTIME there;
    if (!time.known || !FileTimeToSystemTime(&written, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &there)) {
        return false;
    }
    local = LocalTime{there.wYear, there.wMonth, there.wDay, there.wHour, there.wMinute};
    return true;
}

FileState presenceOf(const char* name) { return stateOf(GetFileAttributesA(name)); }

FileState presenceBesideProgram(const char* name) {
    static wchar_t path[longestPath];
    std::size_t length = programFolder(path);
    std::size_t nameLength = std::strlen(name);
    if (length == 0 || length + nameLength >= longestPath) return FileState::missing;
    for (std::size_t i = 0; i <= nameLength; ++i) path[length + i] = static_cast<unsigned char>(name[i]);  // ASCII
    return stateOf(GetFileAttributesW(path));
}

std::size_t currentFolderName(char* out, std::size_t room) {
    static wchar_t name[longestPath];
    DWORD length = GetCurrentDirectoryW(longestPath, name);
    if (length == 0 || length >= longestPath || 2 * static_cast<std::size_t>(length) > room) return 0;
    return utf16ToCp932(reinterpret_cast<const char16_t*>(name), length, out);
}

std::size_t programFolderName(char* out, std::size_t room) {
    static wchar_t path[longestPath];
    std::size_t length = programFolder(path);
    if (length > 1 && path[length - 2] != L':') --length;  // C:\ keeps its backslash, C:\game does not
    if (length == 0 || 2 * length > room) return 0;
    return utf16ToCp932(reinterpret_cast<const char16_t*>(path), length, out);
}

void findNearMisses(const char* name, NearMisses& found) {
    found.count = 0;
    wchar_t pattern[16];
    std::size_t stem = std::strcspn(name, ".");
    if (stem + 2 > sizeof pattern / sizeof pattern[0]) return;
    for (std::size_t i = 0; i < stem; ++i) pattern[i] = static_cast<unsigned char>(name[i]);
    pattern[stem] = L'*';
    pattern[stem + 1] = L'\0';
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        // The pattern also matches a short 8.3 name: the name itself must be a near miss.
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || !startsSo(entry.cFileName, name, stem)) continue;
        char shown[2 * MAX_PATH];
        keepNearMiss(found, shown,
                     utf16ToCp932(reinterpret_cast<const char16_t*>(entry.cFileName), wcslen(entry.cFileName), shown));
    } while (FindNextFileW(search, &entry));
    FindClose(search);
}

