// Reading townlist.txt and SAVEDATA.CDS into the tables.
#include <cstring>
#include <string_view>

#include "data/files.hpp"
#include "data/navigators.hpp"
#include "text/encoding.hpp"
#include "text/shift_jis.hpp"

namespace {

// The save file's bytes, read once: the navigators and the fleet posts both come from them.
unsigned char saveImage[saveImageSize];

// A name as it is stored, in one walk from `at`: up to its first zero byte or `end` (for a
// town, its line's end), and cut to at most `limit` bytes without splitting a double-byte
// character. A lead byte that no byte able to follow it follows (a zero byte, the end, a byte
// below 0x40, 0x7F, above 0xFC) is dropped: nothing the reports put after a name (a quote, a
// comma, a blank) then pairs with it. For a town's name a tab becomes a blank, and the
// blanks (half-width, full-width, tabs) that end it are dropped: a spreadsheet's filter then
// finds the town by its name alone. The name gets a zero byte after it; `text` is cleared if
// it held a control byte or a lead byte dropped so. Returns where the walk stopped, and the
// length stored in `stored`.
template <bool town>
const unsigned char* storeName(char* out, const unsigned char* at, const unsigned char* end, std::size_t limit,
                               bool& text, std::size_t& stored) {
    std::size_t length = 0;
    std::size_t kept = 0;  // for a town, the length without the blanks that end it
    while (at < end) {
        unsigned char byte = *at;
        unsigned kind = byteKinds[byte];
        if ((kind & leadByteKind) != 0) {
            if (at + 1 < end && (byteKinds[at[1]] & trailByteKind) != 0) {
                if (length + 2 > limit) break;
                out[length] = static_cast<char>(byte);
                out[length + 1] = static_cast<char>(at[1]);
                length += 2;
                if (!town || byte != 0x81 || at[1] != 0x40) kept = length;
                at += 2;
            } else {
                text = false;
                ++at;
            }
            continue;
        }
        if ((kind & controlByteKind) != 0) {
            if (byte == 0 || (town && (byte == '\n' || byte == '\r'))) break;
            text = false;
            if (town && byte == '\t') byte = ' ';
        }
        if (length + 1 > limit) break;
        out[length++] = static_cast<char>(byte);
        ++at;
        if (!town || byte != ' ') kept = length;
    }
    stored = town ? kept : length;
    out[stored] = '\0';
    return at;
}

}  // namespace

int readTownNames(std::FILE* file) {
    for (auto& slot : townNameTable) slot.fill('\0');
    // Only the first bytes count, as only the first lines do: a real list is a few KB, and
    // an endless stream (a link to /dev/zero) ends here too.
    static unsigned char bytes[townListReadLimit];
    std::size_t got = std::fread(bytes, 1, sizeof bytes, file);
    std::string_view text = toShiftJis(bytes, got);
    const auto* at = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char* end = at + text.size();

    int lines = 0;
    // The lines up to the last that is not empty: Notepad may leave empty lines at the end.
    int counted = 0;
    bool ignored = true;  // whether a town name is text counts for nothing
    // A line ends at LF, CR LF or a CR alone (old Mac editors).
    static char scratch[townNameSize];  // the names of lines past the last town
    while (at < end) {
        const unsigned char* line = at;
        ++lines;
        int slot = townCount - lines;  // the first line names the highest town
        std::size_t stored;
        at = storeName<true>(slot >= 0 ? townNameTable[slot].data() : scratch, at, end, townNameMaxLength, ignored, stored);
        // The rest of a name cut short, or after its zero byte.
        while (at < end && *at != '\n' && *at != '\r') ++at;
        if (at > line) counted = lines;
        if (at < end && *at++ == '\r' && at < end && *at == '\n') ++at;
    }
    return counted;
}

TownListFound loadTownNames(bool countVariants) {
    // Read in binary mode and take the line ends apart by hand, so that every platform reads
    // the same names from the same file.
    TownListFound found{};
    std::FILE* file = openGameFile(townListName, found.file, countVariants);
    if (file == nullptr) return found;
    found.lines = readTownNames(file);
    bool unreadable = std::ferror(file) != 0;
    found.longer = !unreadable && !std::feof(file) && std::fgetc(file) != EOF;
    std::fclose(file);
    if (unreadable) found.file.state = FileState::unreadable;
    return found;
}

namespace {

// The navigators and the fleet posts of a save's bytes, into `table` and `posts`; how many
// first names are empty or no text.
int fillTables(const unsigned char* image, NavigatorTable& table, FleetPosts& posts) {
    int notText = 0;
    for (int k = 0; k < navigatorCount; ++k) {
        const unsigned char* entry = image + navigatorOffset + k * navigatorEntrySize;
        NavigatorRecord& record = table[k];
        record.leadership = entry[entryLeadership];
        record.intellect = entry[entryIntellect];
        record.combat = entry[entryCombat];
        record.charm = entry[entryCharm];
        std::memcpy(record.levels, entry + entryLevels, levelCount);
        record.fame = static_cast<std::uint16_t>(entry[entryFame] | entry[entryFame + 1] << 8);
        record.location = entry[entryLocation];
        record.whereabouts = entry[entryWhereabouts];
        record.number = static_cast<std::uint8_t>(k);
        const unsigned char* entryEnd = entry + navigatorEntrySize;
        bool text = true;
        bool ignored = true;
        std::size_t length;
        storeName<false>(record.name1, entry + entryName1, entryEnd, nameSize - 1, text, length);
        std::memset(record.name1 + length, 0, nameSize - length);
        if (!text || length == 0) ++notText;
        storeName<false>(record.name2, entry + entryName2, entryEnd, nameSize - 1, ignored, length);
        std::memset(record.name2 + length, 0, nameSize - length);
    }
    for (int post = 0; post < postCount; ++post) posts[post] = image[fleetPostOffset + 2 * post];
    return notText;
}

// One steady reading of an open save (closed here) into saveImage; whether it was read whole.
bool readSave(std::FILE* file, SaveFound& found, FileTime& written) {
    bool unreadable = false;
    found.size = readSteadily(file, saveImage, saveImageSize, unreadable, found.changing, written);
    std::fclose(file);
    if (unreadable) found.file.state = FileState::unreadable;
    return !unreadable && !found.changing && found.size == saveImageSize;
}

}  // namespace

int fillNavigators(const unsigned char* image) {
    tableOrder = TableOrder::saved;
    return fillTables(image, navigatorTable, fleetPosts);
}

bool looksLikeSave(const SaveFound& found) { return 2 * found.namesNotText <= navigatorCount; }

SaveFound loadNavigators(bool countVariants) {
    SaveFound found{};
    std::FILE* file = openGameFile(saveFileName, found.file, countVariants);
    if (file != nullptr && readSave(file, found, saveWritten)) found.namesNotText = fillNavigators(saveImage);
    return found;
}

SaveFound loadEarlierSave(const char* path) {
    SaveFound found{};
    earlierLoaded = false;
    std::FILE* file = openExactFile(path, found.file.state);
    if (file == nullptr || !readSave(file, found, earlierWritten)) return found;
    found.namesNotText = fillTables(saveImage, earlierTable, earlierPosts);
    earlierLoaded = looksLikeSave(found);
    return found;
}
