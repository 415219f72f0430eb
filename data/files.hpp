// Finding the two input files in the current folder, as the game's folder holds them, and
// what a player who missed them needs: the files named almost so, and the folders' names.
// The platform's half is files_posix.cpp or files_windows.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "data/navigators.hpp"

// Open `name` in the current folder for reading in binary mode. Each file is opened once a
// run: a save given through a FIFO or a pipe has no second reading. nullptr if it cannot be
// opened, with `found.state` saying why: missing, or unreadable (a folder, a file without
// permission, a link to nothing). Windows ignores the case of a name. Elsewhere, when no
// file has the exact name, the first in byte order of the readable regular files whose names
// match it ignoring ASCII case is opened (a town list saved as townList.txt, or a save
// copied from a FAT medium as savedata.cds); a folder, a FIFO or a link to nothing among
// them is passed over. The files named so but for case are counted only where
// `countVariants` asks for it, or where the name had to be searched for.
std::FILE* openGameFile(const char* name, FileFound& found, bool countVariants);

// Open the file at `path` exactly as it is given, for reading in binary mode; nullptr if it
// cannot be opened, with `state` saying why (a folder is unreadable).
std::FILE* openExactFile(const char* path, FileState& state);

// What the system tells of an open file, to see whether it changed while it was read: its
// size, and when it was last written and changed (on Windows, created). Known only for a
// regular file: a FIFO, a pipe or a device has no such times.
struct FileStamp {
    bool known;
    std::int64_t size;
    FileTime written;  // also when it is not known
    std::int64_t writtenFine, changed, changedFine;
};
FileStamp stampOf(std::FILE* file);

// Read up to `size` bytes (saveImageSize at most) of the open `file` from where it stands,
// as one image of it: it is read again from the same place until two readings in a row are
// equal byte for byte and the file's stamp did not move during the second, up to eight
// readings in all. A FIFO or a pipe, which has no stamp, is read once. Returns the bytes
// read; `error` is set if a read failed, `changing` if no two readings agreed, and `written`
// to the time of the reading kept. The stamp is taken by `stamp` (a test's may change the
// file as it is asked).
std::size_t readSteadily(std::FILE* file, unsigned char* bytes, std::size_t size, bool& error, bool& changing,
                         FileTime& written, FileStamp (*stamp)(std::FILE*) = stampOf);

// A known `time` in local time, by the system's rules for that day; false if it has none.
// Taken apart only for what shows it, not for every run.
struct LocalTime {
    int year, month, day, hour, minute;
};
bool toLocalTime(FileTime time, LocalTime& local);

// Whether `name` (or, elsewhere than on Windows, another case of it) is in the current
// folder, told without opening it, as a FIFO would wait for a writer: missing; unreadable
// for a folder, a link to nothing or a file this user may not read; readable as far as can
// be told.
FileState presenceOf(const char* name);

// The same of `name` in the folder that holds the program itself.
FileState presenceBesideProgram(const char* name);

// The whole name of the current folder, and of the folder that holds the program, as
// standard error takes it: on Windows from the wide name, so that a Japanese folder shows
// right on any code page (a character code page 932 lacks becomes "?"); elsewhere the
// name's own bytes, which the terminal shows in the locale's character set. Returns the bytes
// written, 0 if the name is unknown or longer than `room`.
std::size_t currentFolderName(char* out, std::size_t room);
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

// Keep `name` in `found` if it is among the first nearMissLimit names in byte order.
void keepNearMiss(NearMisses& found, const char* name, std::size_t length);
