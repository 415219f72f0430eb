// The three tables the reports print from, and the functions that fill and order them.
//
// The game's save file SAVEDATA.CDS supplies the 205 navigators and the four posts of the
// player's fleet; the user's townlist.txt supplies the names of the 224 towns. Both files are
// read from the current folder before anything is printed. All text is Shift-JIS
// and is stored and printed byte for byte (a town list saved as UTF-8 or UTF-16 is first
// converted to Shift-JIS).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>

constexpr int navigatorCount = 205;
constexpr int townCount = 224;
constexpr int levelCount = 27;
constexpr int postCount = 4;

// Each name part holds at most 39 bytes and its terminating zero byte.
constexpr std::size_t nameSize = 40;
// A town name holds at most 38 bytes; its slot of 41 has room for the zero byte after it.
constexpr std::size_t townNameSize = 41;
constexpr std::size_t townNameMaxLength = 38;

// Where the save file keeps what the program reads: the four fleet posts (one byte each,
// every second byte from 165 to 171), and 205 navigator entries of 144 bytes from 37450.
constexpr std::size_t fleetPostOffset = 165;
constexpr std::size_t navigatorOffset = 37450;
constexpr std::size_t navigatorEntrySize = 144;
constexpr std::size_t saveImageSize = navigatorOffset + navigatorCount * navigatorEntrySize;

// Where an entry keeps each field: the four parameters are its first four bytes, then the 27
// levels, fame (16-bit little-endian), the town, the whereabouts and the two name parts, each
// up to its first zero byte. The bytes between are not read.
constexpr std::size_t entryLeadership = 0;
constexpr std::size_t entryIntellect = 1;
constexpr std::size_t entryCombat = 2;
constexpr std::size_t entryCharm = 3;
constexpr std::size_t entryLevels = 11;
constexpr std::size_t entryFame = 38;
constexpr std::size_t entryLocation = 46;
constexpr std::size_t entryWhereabouts = 48;
constexpr std::size_t entryName1 = 50;
constexpr std::size_t entryName2 = 69;

struct NavigatorRecord {
    char name1[nameSize];  // first part of the name; the key when sorting by name
    char name2[nameSize];  // second part, always printed after name1
    std::uint8_t location;  // town index: 0..223 names a town, 224..255 has no name
    std::uint8_t whereabouts;  // 4 in a tavern, 5 at an inn, anything else shown as a number
    std::uint8_t number;  // position among the save file's entries, 0..204
    std::uint8_t leadership;
    std::uint8_t intellect;
    std::uint8_t combat;
    std::uint8_t charm;
    std::uint16_t fame;
    std::uint8_t levels[levelCount];  // 13 skills, then 14 languages
};

using NavigatorTable = std::array<NavigatorRecord, navigatorCount>;
using TownNameTable = std::array<std::array<char, townNameSize>, townCount>;
using FleetPosts = std::array<int, postCount>;  // navigator number in each post
using PostNames = std::array<const char*, postCount>;

// When a file was last written, as the system tells of an open file: in the system's own
// count (seconds since 1970, or on Windows 100 ns since 1601, in UTC); not known where the
// system could not tell.
struct FileTime {
    bool known;
    std::int64_t stamp;
};

// The order the table is in: the save's, or that of a sort.
enum class TableOrder { saved, byLocation, byName };

// Filled by the loaders; the table's order is the order every report prints in.
extern NavigatorTable navigatorTable;
extern TownNameTable townNameTable;
extern FleetPosts fleetPosts;
extern const PostNames postNames;
extern FileTime saveWritten;  // the save file's, from its one open
extern TableOrder tableOrder;

// An earlier save the page is compared with, filled by loadEarlierSave: its navigators by
// number (never sorted), its fleet posts and when it was written; `earlierLoaded` says
// whether there is one.
extern NavigatorTable earlierTable;
extern FleetPosts earlierPosts;
extern FileTime earlierWritten;
extern bool earlierLoaded;

// The two input files, looked up by these names in the current folder.
inline constexpr char townListName[] = "townlist.txt";
inline constexpr char saveFileName[] = "SAVEDATA.CDS";

enum class FileState { readable, missing, unreadable };

// What the open of an input file found: whether it could be opened, and, where several
// files of the folder are named so but for ASCII case, how many and which one was opened.
struct FileFound {
    FileState state;
    unsigned variants;  // such files, the one opened among them; 0 or 1 when there is no other
    char nameRead[64];  // the name opened (ASCII)
};

// What the town list's loader found: the file, how many lines it has, the empty lines that
// end it not counted, and whether it is longer than is read (its lines past that not
// counted).
struct TownListFound {
    FileFound file;
    int lines;
    bool longer;
};

// What the save file's loader found: the file, how many bytes it read (saveImageSize at
// most), whether the file changed at every reading, and how many navigators' first names
// are empty or no Shift-JIS text (a control byte, a lead byte without a byte that can
// follow it).
struct SaveFound {
    FileFound file;
    std::size_t size;
    bool changing;
    int namesNotText;
};

// The loaders, called in this order. Each opens and reads its file once and tells what it
// found; the tables are filled only from a file that could be read whole. loadNavigators
// fills fleetPosts too, from the same bytes, and the save's last-written time. Files named
// alike but for case are counted where `countVariants` asks for it (see openGameFile).
TownListFound loadTownNames(bool countVariants);
SaveFound loadNavigators(bool countVariants);

// Fill townNameTable from a town list stream: the first line names town 223, the 224th
// town 0, and towns without a line of their own are left empty. Only the stream's first
// MiB is read. A list saved in UTF-8 or UTF-16 is converted to Shift-JIS before its lines
// are taken; a Shift-JIS one is taken byte for byte. Returns the number of lines read, the
// empty lines that end the list not counted. The caller checks the stream's error state
// afterwards.
int readTownNames(std::FILE* file);

// Whether a save read whole is one of the game's: at most half its first names are empty or
// no text. Most often a file of some other kind that happens to be long enough is not.
bool looksLikeSave(const SaveFound& found);

// Read the file at `path` as it is given (not looked for in the current folder, nor in
// another case) as loadNavigators reads the save, into earlierTable, earlierPosts and
// earlierWritten; earlierLoaded is set only if it was read whole and looks like a save.
SaveFound loadEarlierSave(const char* path);

// Fill navigatorTable and fleetPosts from the first saveImageSize bytes of a save file
// (every second byte from fleetPostOffset is a post). Returns how many first names are empty
// or no text (see SaveFound).
int fillNavigators(const unsigned char* saveImage);

// The post (0..3) held by navigator `number` in `posts`, or -1. A navigator entered in two
// posts holds the lower one.
int fleetPostOf(int number, const FleetPosts& posts = fleetPosts);

// Three-way comparisons: negative when `a` goes first.
int compareByLocation(const NavigatorRecord& a, const NavigatorRecord& b);
int compareByName(const NavigatorRecord& a, const NavigatorRecord& b);

// Reorder navigatorTable, and say so in tableOrder; navigators with equal keys keep their
// save order.
void sortByLocation();
void sortByName();

// Where each navigator (by number) stands in the order of `compare`, navigators with equal
// keys in save order, whatever the table's order now. The sorts put the table in this
// order, and a page that reorders its rows in a browser by these ranks gives the same.
using NavigatorRanks = std::array<std::uint8_t, navigatorCount>;
NavigatorRanks ranksBy(int (*compare)(const NavigatorRecord&, const NavigatorRecord&));
// The same for the town order (byLocation) or the name order (byName), taken from the rows
// where the table is in that order already.
NavigatorRanks ranksIn(TableOrder order);
