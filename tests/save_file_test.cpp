// Each field of a navigator comes from its own bytes of the save file's entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>
#ifdef _WIN32
#include <sys/utime.h>
#else
#include <utime.h>
#endif

#include "data/files.hpp"
#include "data/navigators.hpp"
#include "support/game_folder.hpp"
#include "support/run.hpp"

namespace {

// Every number of a record, in one list: the four parameters, fame, location, whereabouts,
// then the 27 levels.
std::vector<int> numbersOf(const NavigatorRecord& record) {
    std::vector<int> numbers = {record.leadership, record.intellect, record.combat,     record.charm,
                                record.fame,       record.location,  record.whereabouts};
    numbers.insert(numbers.end(), record.levels, record.levels + levelCount);
    return numbers;
}

struct FieldCase {
    const char* field;
    std::size_t offset;  // in the entry
    std::string bytes;
    int number;  // position in numbersOf that the bytes fill, or -1 for none
    int value;
    std::string name1 = "", name2 = "";
};

}  // namespace

TEST(SaveFile, EachFieldOfAnEntryComesFromItsOwnBytes) {
    const FieldCase cases[] = {
        {"leadership", 0, "\x50", 0, 80},
        {"intellect", 1, "\x51", 1, 81},
        {"combat", 2, "\x52", 2, 82},
        {"charm", 3, "\x53", 3, 83},
        {"fame, low byte", 38, "\x01", 4, 1},
        {"fame, high byte", 39, "\x02", 4, 512},
        {"location", 46, "\xE6", 5, 230},
        {"whereabouts", 48, "\x04", 6, 4},
        {"the first level", 11, "\x0C", 7, 12},
        {"the fourteenth level", 24, "\x0D", 20, 13},
        {"the last level", 37, "\x63", 33, 99},
        {"bytes 4 to 10 are not read", 4, std::string(7, '\xFF'), -1, 0},
        {"bytes 40 to 45 are not read", 40, std::string(6, '\xFF'), -1, 0},
        {"byte 47 is not read", 47, "\xFF", -1, 0},
        {"byte 49 is not read", 49, "\xFF", -1, 0},
        {"name1", 50, std::string("Anna\0", 5), -1, 0, "Anna", ""},
        {"name2", 69, std::string("Costa\0", 6), -1, 0, "", "Costa"},
        {"a lead byte alone before the zero byte goes", 50, std::string("Ann\x82\0", 5), -1, 0, "Ann", ""},
        {"so does one the 39-byte cut leaves alone", 69, std::string(38, 'b') + "\x82\xA0", -1, 0, "", std::string(38, 'b')},
        {"a lead byte before a quote and a comma goes", 50, std::string("A\x81\x22\x2C" "B\0", 6), -1, 0, "A\",B", ""},
        {"and before 0x7F and above 0xFC", 69, std::string("\x81\x7F\x81\xFD" "C\0", 6), -1, 0, "", "\x7F\xFD" "C"},
        {"but a second byte of 0x40 or 0xFC pairs with it", 50, std::string("\x81\x40\xE0\xFC\0", 5), -1, 0, "\x81\x40\xE0\xFC", ""},
        {"a whole character before it stays", 69, "\x82\xA0" "\x82" + std::string(1, '\0'), -1, 0, "", "\x82\xA0"},
    };
    constexpr int number = 7;
    for (const FieldCase& c : cases) {
        SaveImage image = blankSaveImage();
        for (std::size_t i = 0; i < c.bytes.size(); ++i) {
            image[navigatorOffset + number * navigatorEntrySize + c.offset + i] = static_cast<unsigned char>(c.bytes[i]);
        }
        fillNavigators(image.data());
        const NavigatorRecord& record = navigatorTable[number];
        std::vector<int> expected(7 + levelCount, 0);
        if (c.number >= 0) expected[c.number] = c.value;
        EXPECT_EQ(numbersOf(record), expected) << c.field;
        EXPECT_EQ(std::string(record.name1), c.name1) << c.field;
        EXPECT_EQ(std::string(record.name2), c.name2) << c.field;
        EXPECT_EQ(record.number, number) << c.field;
    }
}

// A file that is no save most often holds first names that are empty or no text: the
// loader counts them, and only the first name.
TEST(SaveFile, FirstNamesThatAreNoTextAreCounted) {
    struct Case {
        const char* what;
        std::string name1, name2;
        int counted;
    };
    const Case cases[] = {
        {"a name", "Anna", "", 0},
        {"a double-byte name", "\x83\x8D\x83\x79\x83\x58", "", 0},
        {"an empty first name", "", "Costa", 1},
        {"a control byte", "An\x07na", "", 1},
        {"a lead byte before a byte that cannot follow it", "A\x81\x22", "", 1},
        {"a lead byte that ends the name", "Ann\x82", "", 1},
        {"only the second name no text", "Anna", "\x1B[2J", 0},
    };
    for (const Case& c : cases) {
        SaveImage image = blankSaveImage();
        SaveNavigator named;
        named.name1 = "A";
        for (int number = 0; number < navigatorCount; ++number) putNavigator(image, number, named);
        SaveNavigator navigator;
        navigator.name1 = c.name1;
        navigator.name2 = c.name2;
        putNavigator(image, 7, navigator);
        EXPECT_EQ(fillNavigators(image.data()), c.counted) << c.what;
    }
    EXPECT_EQ(fillNavigators(blankSaveImage().data()), navigatorCount);
    // Half the navigators' first names or fewer no text is a save still; more is none.
    for (auto [notText, save] : {std::pair{102, true}, std::pair{103, false}}) {
        SaveFound found{};
        found.namesNotText = notText;
        EXPECT_EQ(looksLikeSave(found), save) << notText;
    }
}

// A save rewritten while it is read is read again from its start until two readings in a
// row agree, byte for byte, with its size and times unchanged during the second, up to eight
// readings: what is kept is always one whole save, never parts of two. Here the file changes
// as its stamp is taken after each of the first `changes` readings: rewritten whole (truncated,
// then written anew, as the game saves) a second later each time, or rewritten in place at
// the same size, one of `changes` pieces of a new save at a time, while its size and times
// stand still, as they do while one write is still copying its bytes.
namespace {

std::string rewrittenPath;
int changes = 0;
bool inPlace = false;
int stampsTaken = 0;
FileStamp standing{};

// Or, where `timeMoved` is 1 or 2, the file stays as it is and only its change time moves,
// by a second or by a nanosecond, as a rename or a change of its attributes moves it.
int timeMoved = 0;

FileStamp stampRewriting(std::FILE* file) {
    ++stampsTaken;
    if (stampsTaken == 1) standing = stampOf(file);
    int after = stampsTaken - 1;  // the readings so far
    if (timeMoved != 0) {
        FileStamp moved = standing;
        if (after >= 1 && after <= changes) (timeMoved == 1 ? moved.changed : moved.changedFine) += after;
        return moved;
    }
    if (after >= 1 && after <= changes && inPlace) {
        std::FILE* writer = std::fopen(rewrittenPath.c_str(), "r+b");
        std::size_t piece = saveImageSize / static_cast<std::size_t>(changes);
        std::size_t from = piece * static_cast<std::size_t>(after - 1);
        std::size_t length = after == changes ? saveImageSize - from : piece;
        std::fseek(writer, static_cast<long>(from), SEEK_SET);
        std::fwrite(std::string(length, 'b').data(), 1, length, writer);
        std::fclose(writer);
    } else if (after >= 1 && after <= changes) {
        writeFile(rewrittenPath, std::string(saveImageSize, static_cast<char>('a' + after)));
        // Each a second later, however coarse the file system's clock.
        std::time_t at = 1796817810 + stampsTaken;
#ifdef _WIN32
        struct _utimbuf times = {at, at};
        _utime(rewrittenPath.c_str(), &times);
#else
        struct utimbuf times = {at, at};
        utime(rewrittenPath.c_str(), &times);
#endif
    }
    return inPlace ? standing : stampOf(file);
}

}  // namespace

TEST(SaveFile, ASaveRewrittenWhileReadIsReadAgainWhole) {
    TempFolder folder;
    rewrittenPath = (folder.path / "SAVEDATA.CDS").string();
    struct Case {
        int changes;
        bool inPlace;
        bool changing;
        char kept;  // the byte the whole image kept holds
        int stamps;  // taken: before the first reading, and after each
        int timeMoved = 0;
    };
    // Rewritten whole after the first reading, the second's 'b' is read twice and kept; after
    // seven, no two readings agree. In place, a reading torn between two saves is never kept.
    const Case cases[] = {
        {0, false, false, 'a', 3}, {1, false, false, 'b', 4}, {6, false, false, 'g', 9}, {7, false, true, 0, 9},
        {2, true, false, 'b', 5},  {6, true, false, 'b', 9},  {7, true, true, 0, 9},
        // The change time alone tells of a change.
        {1, false, false, 'a', 4, 1}, {1, false, false, 'a', 4, 2}, {7, false, true, 'a', 9, 1},
    };
    for (const Case& c : cases) {
        writeFile(rewrittenPath, std::string(saveImageSize, 'a'));
        changes = c.changes;
        inPlace = c.inPlace;
        timeMoved = c.timeMoved;
        stampsTaken = 0;
        std::FILE* file = std::fopen(rewrittenPath.c_str(), "rb");
        ASSERT_NE(file, nullptr);
        static unsigned char bytes[saveImageSize];
        bool error = true, changing = false;
        FileTime written{};
        std::size_t got = readSteadily(file, bytes, saveImageSize, error, changing, written, stampRewriting);
        std::fclose(file);
        std::string what = std::to_string(c.changes) + (c.inPlace ? " in place" : " whole") + std::to_string(c.timeMoved);
        EXPECT_FALSE(error) << what;
        EXPECT_EQ(changing, c.changing) << what;
        EXPECT_EQ(got, saveImageSize) << what;
        if (!c.changing) {
            EXPECT_EQ(std::count(bytes, bytes + saveImageSize, c.kept), static_cast<std::ptrdiff_t>(saveImageSize)) << what;
        }
        EXPECT_EQ(stampsTaken, c.stamps) << what;
    }
    timeMoved = 0;
}

// The page names the save by the time its open file was last written, in local time: as the
// C library gives it, though on Windows the program asks the system apart.
TEST(SaveFile, LastWrittenIsTheOpenFilesTimeInLocalTime) {
    TempFolder folder;
    std::string path = (folder.path / "SAVEDATA.CDS").string();
    writeFile(path, "x");
    std::time_t written = 1796817810;  // 2026-12-09 12:03:30 UTC
#ifdef _WIN32
    // The C library's own rules from the system's, as the program's; a TZ of another
    // system's form (Wine passes on Linux's) would be read otherwise.
    _putenv("TZ=");
    _tzset();
    struct _utimbuf times = {written, written};
    ASSERT_EQ(_utime(path.c_str(), &times), 0);
#else
    struct utimbuf times = {written, written};
    ASSERT_EQ(utime(path.c_str(), &times), 0);
#endif
    std::FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    LocalTime time{};
    EXPECT_TRUE(toLocalTime(stampOf(file).written, time));
    std::fclose(file);
    std::tm local = *std::localtime(&written);
    EXPECT_EQ(std::vector<int>({time.year, time.month, time.day, time.hour, time.minute}),
              std::vector<int>({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min}));
}
