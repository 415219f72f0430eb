#include "data/files.hpp"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <string_view>
#include <type_traits>

#include "text/code_page.hpp"

namespace {

template <typename Char>
bool sameIgnoringCase(Char a, char b) {
    auto fold = [](unsigned c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
    return fold(static_cast<std::make_unsigned_t<Char>>(a)) == fold(static_cast<unsigned char>(b));
}

// Whether `name` starts with the `length` bytes of `start` (ASCII), ignoring ASCII case.
template <typename Char>
bool startsSo(const Char* name, const char* start, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        if (name[i] == 0 || !sameIgnoringCase(name[i], start[i])) return false;
    }
    return true;
}

// Whether `candidate` is named almost as `name`: see findNearMisses.
template <typename Char>
bool nearMiss(const Char* candidate, const char* name) {
    return startsSo(candidate, name, std::strcspn(name, "."));
}

// Keep `name` among the first nearMissLimit names in byte order.
void keepNearMiss(NearMisses& found, const char* name, std::size_t length) {
    if (length > sizeof found.names[0]) return;
    std::string_view candidate(name, length);
    int at = found.count;
    while (at > 0 && candidate < std::string_view(found.names[at - 1], found.lengths[at - 1])) --at;
    if (at == nearMissLimit) return;
    if (found.count < nearMissLimit) ++found.count;
    for (int i = found.count - 1; i > at; --i) {
        std::memcpy(found.names[i], found.names[i - 1], found.lengths[i - 1]);
        found.lengths[i] = found.lengths[i - 1];
    }
    std::memcpy(found.names[at], name, length);
    found.lengths[at] = length;
}

}  // namespace

bool startsIgnoringCase(const char* name, const char* start, std::size_t length) {
    return startsSo(name, start, length);
}

#ifdef _WIN32

#include <io.h>
#include <windows.h>

namespace {

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

std::FILE* openGameFile(const char* name, FileState& state) {
    std::FILE* file = std::fopen(name, "rb");
    state = file != nullptr ? FileState::readable : errno == ENOENT ? FileState::missing : FileState::unreadable;
    return file;
}

FileTime lastWrittenOf(std::FILE* file) {
    BY_HANDLE_FILE_INFORMATION information;
    auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    if (handle == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(handle, &information)) return FileTime{};
    const FILETIME& written = information.ftLastWriteTime;
    return FileTime{true, static_cast<std::int64_t>(static_cast<std::uint64_t>(written.dwHighDateTime) << 32 |
                                                    written.dwLowDateTime)};
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
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || !nearMiss(entry.cFileName, name)) continue;
        char shown[2 * MAX_PATH];
        keepNearMiss(found, shown,
                     utf16ToCp932(reinterpret_cast<const char16_t*>(entry.cFileName), wcslen(entry.cFileName), shown));
    } while (FindNextFileW(search, &entry));
    FindClose(search);
}

#else

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include "output/screen.hpp"
#include "text/literals.hpp"

namespace {

// Whether two names are the same ignoring ASCII case.
bool sameName(const char* a, const char* b) {
    std::size_t length = std::strlen(b);
    return startsSo(a, b, length) && a[length] == '\0';
}

// How many names of `folder` match `name` ignoring ASCII case; the first of them in byte
// order goes to `first`. Such a name is as long as `name`, and ASCII.
using FoundName = char[64];
unsigned matchesIgnoringCase(const char* folder, const char* name, FoundName& first) {
    first[0] = '\0';
    DIR* entries = opendir(folder[0] != '\0' ? folder : ".");
    if (entries == nullptr) return 0;
    unsigned count = 0;
    while (const dirent* entry = readdir(entries)) {
        if (!sameName(entry->d_name, name) || std::strlen(entry->d_name) >= sizeof first) continue;
        ++count;
        if (first[0] == '\0' || std::strcmp(entry->d_name, first) < 0) std::strcpy(first, entry->d_name);
    }
    closedir(entries);
    return count;
}

// Several names alike but for case: say which one was read.
void sayWhichWasRead(const char* name, unsigned matches, const char* read) {
    if (matches < 2) return;
    addScreenText(caseVariantsBefore);
    addScreenText(name);
    addScreenText(caseVariantsMiddle);
    addScreenNumber(matches);
    addScreenText(caseVariantsRead);
    addScreenText(read);
    addScreenText(caseVariantsAfter);
    addScreenText("\n");
}

// A name that is there but is no file that can be read: a folder, or a link to nothing.
FileState presenceOfExact(const char* path) {
    struct stat entry;
    if (lstat(path, &entry) != 0) return FileState::missing;
    if (stat(path, &entry) != 0 || S_ISDIR(entry.st_mode)) return FileState::unreadable;
    return FileState::readable;
}

// The program's folder, with the slash that ends it, in `path`; returns its length, 0 if
// unknown.
constexpr std::size_t longestPath = 4096;
std::size_t programFolder(char (&path)[longestPath]) {
    ssize_t length = readlink("/proc/self/exe", path, longestPath);
    if (length <= 0 || static_cast<std::size_t>(length) >= longestPath) return 0;
    while (length > 0 && path[length - 1] != '/') --length;
    return static_cast<std::size_t>(length);
}

// presenceOf for `name` in `folder`, a name that ends in a slash, or "" for the current folder.
FileState presenceIn(const char* folder, const char* name) {
    static char path[longestPath + sizeof(FoundName)];
    FoundName found;
    std::snprintf(path, sizeof path, "%s%s", folder, name);
    FileState state = presenceOfExact(path);
    if (state == FileState::missing && matchesIgnoringCase(folder, name, found) > 0) {
        std::snprintf(path, sizeof path, "%s%s", folder, found);
        state = presenceOfExact(path);
    }
    return state;
}

}  // namespace

std::FILE* openGameFile(const char* name, FileState& state) {
    FoundName found;
    std::FILE* file = std::fopen(name, "rb");
    if (file != nullptr) {
        state = FileState::readable;
        if (screenLinesShown()) sayWhichWasRead(name, matchesIgnoringCase("", name, found), name);
        return file;
    }
    // A name that is there, though it cannot be opened, is no missing file.
    if (errno != ENOENT || presenceOfExact(name) != FileState::missing) {
        state = FileState::unreadable;
        return nullptr;
    }
    unsigned matches = matchesIgnoringCase("", name, found);
    if (matches == 0) {
        state = FileState::missing;
        return nullptr;
    }
    file = std::fopen(found, "rb");
    if (file == nullptr) {
        state = FileState::unreadable;
        return nullptr;
    }
    state = FileState::readable;
    sayWhichWasRead(name, matches, found);
    return file;
}

FileTime lastWrittenOf(std::FILE* file) {
    struct stat status;
    if (fstat(fileno(file), &status) != 0) return FileTime{};
    return FileTime{true, static_cast<std::int64_t>(status.st_mtime)};
}

bool toLocalTime(FileTime time, LocalTime& local) {
    auto seconds = static_cast<std::time_t>(time.stamp);
    std::tm there;
    if (!time.known || localtime_r(&seconds, &there) == nullptr) return false;
    local = LocalTime{there.tm_year + 1900, there.tm_mon + 1, there.tm_mday, there.tm_hour, there.tm_min};
    return true;
}

FileState presenceOf(const char* name) { return presenceIn("", name); }

FileState presenceBesideProgram(const char* name) {
    char folder[longestPath];
    std::size_t length = programFolder(folder);
    if (length == 0) return FileState::missing;
    folder[length] = '\0';
    return presenceIn(folder, name);
}

std::size_t programFolderName(char* out, std::size_t room) {
    char folder[longestPath];
    std::size_t length = programFolder(folder);
    if (length > 1) --length;  // / keeps its slash, /game does not
    if (length == 0 || length > room) return 0;
    std::memcpy(out, folder, length);
    return length;
}

void findNearMisses(const char* name, NearMisses& found) {
    found.count = 0;
    DIR* entries = opendir(".");
    if (entries == nullptr) return;
    while (const dirent* entry = readdir(entries)) {
        if (nearMiss(entry->d_name, name) && presenceOfExact(entry->d_name) == FileState::readable) {
            keepNearMiss(found, entry->d_name, std::strlen(entry->d_name));
        }
    }
    closedir(entries);
}

#endif
