// Finding the two input files in the current folder, as the game's folder holds them.
#pragma once

#include <cstdio>

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

// Whether `name` (or, elsewhere than on Windows, another case of it) is in the current
// folder, told without opening it, as a FIFO would wait for a writer: missing; unreadable
// for a folder or a link to nothing; readable as far as can be told.
FileState presenceOf(const char* name);
