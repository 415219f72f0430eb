// Each field of a navigator comes from its own bytes of the save file's entry.
#include <gtest/gtest.h>

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
    EXPECT_TRUE(toLocalTime(lastWrittenOf(file), time));
    std::fclose(file);
    std::tm local = *std::localtime(&written);
    EXPECT_EQ(std::vector<int>({time.year, time.month, time.day, time.hour, time.minute}),
              std::vector<int>({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min}));
}
