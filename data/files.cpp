#include "data/files.hpp"

#include <cerrno>

#ifdef _WIN32

std::FILE* openGameFile(const char* name) { return std::fopen(name, "rb"); }

#else

#include <dirent.h>

#include <cstring>

namespace {

bool sameIgnoringAsciiCase(const char* a, const char* b) {
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (fold(*a) != fold(*b)) return false;
    }
    return *a == *b;
}

}  // namespace

std::FILE* openGameFile(const char* name) {
    std::FILE* file = std::fopen(name, "rb");
    if (file != nullptr || errno != ENOENT) return file;
    DIR* folder = opendir(".");
    if (folder == nullptr) {
        errno = ENOENT;
        return nullptr;
    }
    char found[sizeof(dirent::d_name)] = {};
    while (const dirent* entry = readdir(folder)) {
        if (sameIgnoringAsciiCase(entry->d_name, name) && (found[0] == '\0' || std::strcmp(entry->d_name, found) < 0)) {
            std::strcpy(found, entry->d_name);
        }
    }
    closedir(folder);
    if (found[0] == '\0') {
        errno = ENOENT;
        return nullptr;
    }
    return std::fopen(found, "rb");
}

#endif

FileState fileStateOf(const char* name) {
    std::FILE* file = openGameFile(name);
    if (file == nullptr) return errno == ENOENT ? FileState::missing : FileState::unreadable;
    unsigned char first;
    std::size_t got = std::fread(&first, 1, 1, file);
    bool unreadable = got == 0 && std::ferror(file) != 0;
    std::fclose(file);
    return unreadable ? FileState::unreadable : FileState::readable;
}
