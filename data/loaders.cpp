// Reading townlist.txt and SAVEDATA.CDS into the tables.
#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "data/files.hpp"
#include "data/navigators.hpp"
#include "output/run_end.hpp"
#include "output/screen.hpp"
#include "text/encoding.hpp"
#include "text/literals.hpp"
#include "text/shift_jis.hpp"

namespace {

constexpr char townListName[] = "townlist.txt";
constexpr char saveFileName[] = "SAVEDATA.CDS";

// The save file's bytes, read once: the navigators and the fleet posts both come from them.
unsigned char saveImage[saveImageSize];

[[noreturn]] void failWith(const char* message) {
    putMessage(message);
    printUsageAndExit();
}

// Files named almost as `name`, each with the name it needs. A name that is `name` and .txt
// more is most often one given in Explorer, which hides the extension it already has.
void sayNearMisses(const char* name) {
    NearMisses found;
    findNearMisses(name, found);
    std::size_t length = std::strlen(name);
    for (int i = 0; i < found.count; ++i) {
        addScreenText(quoteOpen);
        addScreenName(found.names[i], found.lengths[i]);
        addScreenText(renameMiddle);
        addScreenText(name);
        addScreenText(renameAfter);
        if (found.lengths[i] == length + 4 && startsIgnoringCase(found.names[i], name, length) &&
            startsIgnoringCase(found.names[i] + length, ".txt", 4)) {
            addScreenText(hiddenExtensionBefore);
            addScreenName(name, std::strcspn(name, "."));
            addScreenText(hiddenExtensionMiddle);
            addScreenText(name);
            addScreenText(hiddenExtensionAfter);
        }
        addScreenText("\n");
    }
}

// The missing files are all in the folder that holds the program: the program was started
// elsewhere (a shortcut's working folder, or its whole path typed at a command prompt).
void sayProgramFolder(const char* const (&missing)[2], int count) {
    addScreenText(programFolderIs);
    addScreenFolder(programFolderName);
    addScreenText("\n");
    for (int i = 0; i < count; ++i) {
        if (i > 0) addScreenText(namesJoined);
        addScreenText(missing[i]);
    }
    addScreenText(besideProgram);
    addScreenText("\n");
    addScreenText(besideProgramHow);
    addScreenText("\n");
}

// A player who sees a file's message most often ran the program in the wrong folder. So the
// screen also says which folder was searched and which of the two files are not there, the
// save file too when the town list was missed first, with the files there named almost so;
// and where to run the program: where the missing files are beside the program, there,
// else in the game's folder. What is said of a file is what its one open said, or, for the
// save file after the town list failed, what is known without opening it.
[[noreturn]] void failForFile(const char* message, FileState townList, FileState save) {
    if (screenLinesShown()) {
        addScreenText(lookedIn);
        addScreenFolder();
        addScreenText("\n");
        const char* missing[2];
        int missed = 0;
        bool allBesideProgram = true;
        for (auto [name, state] : {std::pair{townListName, townList}, std::pair{saveFileName, save}}) {
            if (state == FileState::readable) continue;
            addScreenText(name);
            addScreenText(state == FileState::missing ? fileNotFound : fileUnreadable);
            addScreenText("\n");
            if (state == FileState::missing) {
                sayNearMisses(name);
                missing[missed++] = name;
            }
            allBesideProgram = allBesideProgram && state == FileState::missing && presenceBesideProgram(name) == FileState::readable;
        }
        if (missed > 0 && allBesideProgram) {
            sayProgramFolder(missing, missed);
        } else {
            addScreenText(runInGameFolder);
            addScreenText("\n");
        }
    }
    failWith(message);
}

// How much of a town list line is kept. A name is cut to townNameMaxLength bytes, and to
// decide where, the bytes up to one past that limit are enough.
constexpr std::size_t townLineKeep = townNameMaxLength + 2;

// Store one town list line in a slot. `length` counts the whole line without its line end,
// of which only the first townLineKeep bytes are at hand. The name ends at the line's end or
// its first zero byte and is cut to at most townNameMaxLength bytes without splitting a
// double-byte character. A tab becomes a blank, and the blanks (half-width, full-width,
// tabs) that end the name are dropped, as is a lead byte left without its second byte: a
// spreadsheet's filter then finds the town by its name alone.
void storeTownName(char* slot, const unsigned char* line, std::size_t length) {
    const char* text = reinterpret_cast<const char*>(line);
    std::size_t end = std::min(length, townLineKeep);
    if (const void* zero = std::memchr(line, 0, end)) end = static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - line);
    std::size_t cut = completeCharacters(text, wholeCharacters(text, end, townNameMaxLength));
    std::size_t kept = 0;
    for (std::size_t at = 0; at < cut;) {
        std::size_t size = characterSize(text, at, cut);
        bool blank = size == 1 ? (text[at] == ' ' || text[at] == '\t') : (text[at] == '\x81' && text[at + 1] == '\x40');
        for (std::size_t i = at; i < at + size; ++i) slot[i] = text[i] == '\t' && size == 1 ? ' ' : text[i];
        at += size;
        if (!blank) kept = at;
    }
    slot[kept] = '\0';
}

// Copy a name of the save file up to its zero byte, never past the entry's end, and cut to
// fit its field with the terminating zero byte. A lead byte left without its second byte by
// the cut or the zero byte is dropped, so that nothing the reports put after a name pairs
// with it.
void copyName(char (&name)[nameSize], const unsigned char* text, std::size_t available) {
    std::memset(name, 0, nameSize);
    std::size_t length = 0;
    for (; length < available && length < nameSize - 1 && text[length] != 0; ++length) {
        name[length] = static_cast<char>(text[length]);
    }
    name[completeCharacters(name, length)] = '\0';
}

}  // namespace

int readTownNames(std::FILE* file) {
    for (auto& slot : townNameTable) slot.fill('\0');
    // Only the first bytes count, as only the first lines do: a real list is a few KB, and
    // an endless stream (a link to /dev/zero) ends here too.
    static unsigned char bytes[townListReadLimit];
    std::size_t got = std::fread(bytes, 1, sizeof bytes, file);
    std::string_view text = toShiftJis(bytes, got);

    unsigned char line[townLineKeep];
    std::size_t length = 0;
    int lines = 0;
    // The lines up to the last that is not empty: Notepad may leave empty lines at the end.
    int counted = 0;
    auto endLine = [&] {
        ++lines;
        if (length > 0) counted = lines;
        int slot = townCount - lines;  // the first line names the highest town
        if (slot >= 0) storeTownName(townNameTable[slot].data(), line, length);
        length = 0;
    };
    // A line ends at LF, CR LF or a CR alone (old Mac editors).
    bool afterCr = false;
    for (char c : text) {
        if (c == '\n' && afterCr) {
            afterCr = false;
        } else if (c == '\n' || c == '\r') {
            endLine();
            afterCr = c == '\r';
        } else {
            if (length < townLineKeep) line[length] = static_cast<unsigned char>(c);
            ++length;
            afterCr = false;
        }
    }
    if (length > 0) endLine();
    return counted;
}

void loadTownNames() {
    // Read in binary mode and take the line ends apart by hand, so that every platform reads
    // the same names from the same file.
    FileState state;
    std::FILE* file = openGameFile(townListName, state);
    if (file == nullptr) failForFile(townListMissing, state, presenceOf(saveFileName));
    int lines = readTownNames(file);
    bool unreadable = std::ferror(file) != 0;
    bool longer = !unreadable && !std::feof(file) && std::fgetc(file) != EOF;
    std::fclose(file);
    if (unreadable) failForFile(townListMissing, FileState::unreadable, presenceOf(saveFileName));
    // A line too many or too few moves every town name below it: say so, as the report
    // itself cannot show it. Past the part read, the lines are not counted.
    if (longer) {
        addScreenText(townListLongerBefore);
        addScreenNumber(static_cast<unsigned>(townListReadLimit));
        addScreenText(townListLongerAfter);
        addScreenText("\n");
    } else if (lines != townCount) {
        addScreenText(townListLinesBefore);
        addScreenNumber(static_cast<unsigned>(lines));
        addScreenText(townListLinesAfter);
        addScreenText("\n");
    }
}

void fillNavigators(const unsigned char* image) {
    tableOrder = TableOrder::saved;
    for (int k = 0; k < navigatorCount; ++k) {
        const unsigned char* entry = image + navigatorOffset + k * navigatorEntrySize;
        NavigatorRecord& record = navigatorTable[k];
        record.leadership = entry[entryLeadership];
        record.intellect = entry[entryIntellect];
        record.combat = entry[entryCombat];
        record.charm = entry[entryCharm];
        std::memcpy(record.levels, entry + entryLevels, levelCount);
        record.fame = static_cast<std::uint16_t>(entry[entryFame] | entry[entryFame + 1] << 8);
        record.location = entry[entryLocation];
        record.whereabouts = entry[entryWhereabouts];
        record.number = static_cast<std::uint8_t>(k);
        copyName(record.name1, entry + entryName1, navigatorEntrySize - entryName1);
        copyName(record.name2, entry + entryName2, navigatorEntrySize - entryName2);
    }
}

void fillFleetPosts(const unsigned char* saveImage) {
    for (int post = 0; post < postCount; ++post) fleetPosts[post] = saveImage[fleetPostOffset + 2 * post];
}

void loadNavigators() {
    FileState state;
    std::FILE* file = openGameFile(saveFileName, state);
    if (file == nullptr) failForFile(saveFileMissing, FileState::readable, state);
    saveWritten = lastWrittenOf(file);
    std::size_t got = std::fread(saveImage, 1, saveImageSize, file);
    bool unreadable = std::ferror(file) != 0;
    std::fclose(file);
    if (unreadable) failForFile(saveFileMissing, FileState::readable, FileState::unreadable);
    if (got < saveImageSize) {
        // Most likely no save of the game, or a copy that ended early.
        addScreenText(saveShortBefore);
        addScreenNumber(static_cast<unsigned>(got));
        addScreenText(saveShortMiddle);
        addScreenNumber(static_cast<unsigned>(saveImageSize));
        addScreenText(saveShortAfter);
        addScreenText("\n");
        addScreenText(saveShortWhatToDo);
        addScreenText("\n");
        failWith(saveFileShort);
    }
    fillNavigators(saveImage);
}

// From the bytes loadNavigators read: the same save, however it changes on the disk meanwhile.
void loadFleetPosts() { fillFleetPosts(saveImage); }
