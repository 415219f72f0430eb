// Finding the two input files in the current folder, as the game's folder holds them, and
// what a player who missed them needs: the files named almost so, and the program's own
// folder.
#pragma once

#include <cstddef>
#include <cstdio>

#include "data/navigators.hpp"

enum class FileState { readable, missing, unreadable };

// Open `name` in the current folder for reading in binary mode. Each file is opened once a
// run: a save given through a FIFO or a pipe has no second reading. nullptr if it cannot be
// opened, with `state` saying why: missing, or unreadable (a folder, a file without
// permission, a link to nothing). Windows ignores the case of a name. Elsewhere, when no
// file has the exact name, the one whose name matches it ignoring ASCII case is opened, the
// first in byte order among several: a town list saved as townList.txt, or a save copied
// from a FAT medium as savedata.cds. Where several names match and the screen lines are
// shown, they say which one was read.
std::FILE* openGameFile(const char* name, FileState& state);

// When the open `file` was last written, as the system tells of the open file itself (not
// of whatever its name now stands for).
FileTime lastWrittenOf(std::FILE* file);

// A known `time` in local time, by the system's rules for that day; false if it has none.
// Taken apart only for what shows it, not for every run.
struct LocalTime {
    int year, month, day, hour, minute;
};
bool toLocalTime(FileTime time, LocalTime& local);

// Whether `name` (or, elsewhere than on Windows, another case of it) is in the current
// folder, told without opening it, as a FIFO would wait for a writer: missing; unreadable
// for a folder or a link to nothing; readable as far as can be told.
FileState presenceOf(const char* name);

// The same of `name` in the folder that holds the program itself.
FileState presenceBesideProgram(const char* name);

// The whole name of the folder that holds the program, as standard error takes it (see
// currentFolderName). Returns the bytes written, 0 if the name is unknown or longer than
// `room`.
std::size_t programFolderName(char* out, std::size_t room);

// Files of the current folder named almost as `name`, which is missing: their names start
// with its part before the dot, in any case (townlist.txt.txt, townlist-template.txt,
// SAVEDATA.CDS.bak). The first nearMissLimit of them in byte order, each as standard error
// takes it.
constexpr int nearMissLimit = 3;
struct NearMisses {
    char names[nearMissLimit][520];  // room for the longest name Windows has, in code page 932
    std::size_t lengths[nearMissLimit];
    int count;
};
void findNearMisses(const char* name, NearMisses& found);

// Whether `name` starts with the `length` bytes of `start`, ignoring ASCII case.
bool startsIgnoringCase(const char* name, const char* start, std::size_t length);
