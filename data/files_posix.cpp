// Finding and reading the input files where the names' case counts and a folder can hold
// several names alike but for case.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

#include "data/files.hpp"

namespace {

// Whether two names are the same ignoring ASCII case.
bool sameName(const char* a, const char* b) {
    std::size_t length = std::strlen(b);
    return startsIgnoringCase(a, b, length) && a[length] == '\0';
}

// A name that is there but is no file that can be read: a folder, a link to nothing, or a
// file this user may not read.
FileState presenceOfExact(const char* path) {
    struct stat entry;
    if (lstat(path, &entry) != 0) return FileState::missing;
    if (stat(path, &entry) != 0 || S_ISDIR(entry.st_mode) || access(path, R_OK) != 0) return FileState::unreadable;
    return FileState::readable;
}

// Whether `path` is a folder (or a link to one): passed over like a name of another case.
bool isFolder(const char* path) {
    struct stat entry;
    return stat(path, &entry) == 0 && S_ISDIR(entry.st_mode);
}

// Whether `path` is a regular file (or a link to one) that this user may read: no folder,
// FIFO or link to nothing.
bool isReadableFile(const char* path) {
    struct stat entry;
    return stat(path, &entry) == 0 && S_ISREG(entry.st_mode) && access(path, R_OK) == 0;
}

// The names of `folder` that match `name` ignoring ASCII case: how many of them are `name`
// itself (but for a folder) or a readable regular file, and the first such in byte order,
// in `first` ("" if none); `any` says whether there is a match at all. Such a name is as
// long as `name`, and ASCII.
constexpr std::size_t longestPath = 4096;
using FoundName = char[64];
unsigned matchesIgnoringCase(const char* folder, const char* name, FoundName& first, bool& any) {
    static char path[longestPath + sizeof(FoundName)];
    first[0] = '\0';
    any = false;
    DIR* entries = opendir(folder[0] != '\0' ? folder : ".");
    if (entries == nullptr) return 0;
    unsigned count = 0;
    while (const dirent* entry = readdir(entries)) {
        if (!sameName(entry->d_name, name) || std::strlen(entry->d_name) >= sizeof first) continue;
        any = true;
        std::snprintf(path, sizeof path, "%s%s", folder, entry->d_name);
        bool exact = std::strcmp(entry->d_name, name) == 0 && !isFolder(path);
        if (!exact && !isReadableFile(path)) continue;
        ++count;
        if (first[0] == '\0' || std::strcmp(entry->d_name, first) < 0) std::strcpy(first, entry->d_name);
    }
    closedir(entries);
    return count;
}

// The program's folder, with the slash that ends it, in `path`; returns its length, 0 if
// unknown.
std::size_t programFolder(char (&path)[longestPath]) {
    ssize_t length = readlink("/proc/self/exe", path, longestPath);
    if (length <= 0 || static_cast<std::size_t>(length) >= longestPath) return 0;
    while (length > 0 && path[length - 1] != '/') --length;
    return static_cast<std::size_t>(length);
}

// presenceOf for `name` in `folder`, a name that ends in a slash, or "" for the current folder.
FileState presenceIn(const char* folder, const char* name) {
    static char path[longestPath + sizeof(FoundName)];
    std::snprintf(path, sizeof path, "%s%s", folder, name);
    FileState state = presenceOfExact(path);
    if (state != FileState::missing && !isFolder(path)) return state;
    FoundName found;
    bool any;
    matchesIgnoringCase(folder, name, found, any);
    if (found[0] != '\0') return FileState::readable;
    return any ? FileState::unreadable : FileState::missing;
}

}  // namespace

std::FILE* openGameFile(const char* name, FileFound& found, bool countVariants) {
    FoundName first;
    bool any;
    std::snprintf(found.nameRead, sizeof found.nameRead, "%s", name);
    found.variants = 0;
    std::FILE* file = std::fopen(name, "rb");
    struct stat status;
    bool folder = file != nullptr && fstat(fileno(file), &status) == 0 && S_ISDIR(status.st_mode);
    if (file != nullptr && !folder) {
        found.state = FileState::readable;
        if (countVariants) found.variants = matchesIgnoringCase("", name, first, any);
        return file;
    }
    // A folder of the name is passed over as one of another case is. Any other name that is
    // there, though it cannot be opened, is no missing file.
    if (folder) {
        std::fclose(file);
    } else if (errno != ENOENT || presenceOfExact(name) != FileState::missing) {
        found.state = FileState::unreadable;
        return nullptr;
    }
    found.variants = matchesIgnoringCase("", name, first, any);
    if (first[0] == '\0') {
        found.state = any ? FileState::unreadable : FileState::missing;
        return nullptr;
    }
    std::snprintf(found.nameRead, sizeof found.nameRead, "%s", first);
    file = std::fopen(first, "rb");
    found.state = file != nullptr ? FileState::readable : FileState::unreadable;
    return file;
}

std::FILE* openExactFile(const char* path, FileState& state) {
    std::FILE* file = std::fopen(path, "rb");
    struct stat status;
    if (file != nullptr && fstat(fileno(file), &status) == 0 && S_ISDIR(status.st_mode)) {
        std::fclose(file);
        state = FileState::unreadable;
        return nullptr;
    }
    state = file != nullptr ? FileState::readable : presenceOfExact(path) == FileState::missing ? FileState::missing : FileState::unreadable;
    return file;
}

FileStamp stampOf(std::FILE* file) {
    struct stat status;
    if (fstat(fileno(file), &status) != 0) return FileStamp{};
    FileStamp stamp{S_ISREG(status.st_mode), static_cast<std::int64_t>(status.st_size),
                    FileTime{true, static_cast<std::int64_t>(status.st_mtim.tv_sec)},
                    static_cast<std::int64_t>(status.st_mtim.tv_nsec), static_cast<std::int64_t>(status.st_ctim.tv_sec),
                    static_cast<std::int64_t>(status.st_ctim.tv_nsec)};
    return stamp;
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

std::size_t currentFolderName(char* out, std::size_t room) {
    return getcwd(out, room) != nullptr ? std::strlen(out) : 0;
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
    std::size_t stem = std::strcspn(name, ".");
    while (const dirent* entry = readdir(entries)) {
        if (startsIgnoringCase(entry->d_name, name, stem) && presenceOfExact(entry->d_name) == FileState::readable) {
            keepNearMiss(found, entry->d_name, std::strlen(entry->d_name));
        }
    }
    closedir(entries);
}
