// Finding the two input files in the current folder, as the game's folder holds them.
#pragma once

#include <cstdio>

// Open `name` in the current folder for reading in binary mode; nullptr, with errno set, if
// it cannot be opened. Windows ignores the case of a name. Elsewhere, when no file has the
// exact name, the one whose name matches it ignoring ASCII case is opened, the first in byte
// order among several: a town list saved as townList.txt, or a save copied from a FAT
// medium as savedata.cds.
std::FILE* openGameFile(const char* name);

enum class FileState { readable, missing, unreadable };

// Whether openGameFile finds `name` and can read it (an empty file reads too).
FileState fileStateOf(const char* name);
