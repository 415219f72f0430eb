#include "data/files.hpp"

#include <cerrno>

#ifdef _WIN32

#include <windows.h>

std::FILE* openGameFile(const char* name, FileState& state) {
    std::FILE* file = std::fopen(name, "rb");
    state = file != nullptr ? FileState::readable : errno == ENOENT ? FileState::missing : FileState::unreadable;
    return file;
}

FileState presenceOf(const char* name) {
    DWORD attributes = GetFileAttributesA(name);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileState::missing : FileState::unreadable;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileState::unreadable : FileState::readable;
}

#else

#include <dirent.h>
#include <sys/stat.h>

#include <cstring>

#include "output/screen.hpp"
#include "text/literals.hpp"

namespace {

bool sameIgnoringAsciiCase(const char* a, const char* b) {
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (fold(*a) != fold(*b)) return false;
    }
    return *a == *b;
}

// How many names of the current folder match `name` ignoring ASCII case; the first of them
// in byte order goes to `first`. Such a name is as long as `name`, and ASCII.
using FoundName = char[64];
unsigned matchesIgnoringCase(const char* name, FoundName& first) {
    first[0] = '\0';
    DIR* folder = opendir(".");
    if (folder == nullptr) return 0;
    unsigned count = 0;
    while (const dirent* entry = readdir(folder)) {
        if (!sameIgnoringAsciiCase(entry->d_name, name) || std::strlen(entry->d_name) >= sizeof first) continue;
        ++count;
        if (first[0] == '\0' || std::strcmp(entry->d_name, first) < 0) std::strcpy(first, entry->d_name);
    }
    closedir(folder);
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
FileState presenceOfExact(const char* name) {
    struct stat entry;
    if (lstat(name, &entry) != 0) return FileState::missing;
    if (stat(name, &entry) != 0 || S_ISDIR(entry.st_mode)) return FileState::unreadable;
    return FileState::readable;
}

}  // namespace

std::FILE* openGameFile(const char* name, FileState& state) {
    FoundName found;
    std::FILE* file = std::fopen(name, "rb");
    if (file != nullptr) {
        state = FileState::readable;
        if (screenLinesShown()) sayWhichWasRead(name, matchesIgnoringCase(name, found), name);
        return file;
    }
    // A name that is there, though it cannot be opened, is no missing file.
    if (errno != ENOENT || presenceOfExact(name) != FileState::missing) {
        state = FileState::unreadable;
        return nullptr;
    }
    unsigned matches = matchesIgnoringCase(name, found);
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

FileState presenceOf(const char* name) {
    FileState state = presenceOfExact(name);
    FoundName found;
    if (state == FileState::missing && matchesIgnoringCase(name, found) > 0) state = presenceOfExact(found);
    return state;
}

#endif
