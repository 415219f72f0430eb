// The location list, row by row, on crafted navigators.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "support/expected.hpp"
#include "support/game_folder.hpp"
#include "support/run.hpp"
#include "support/sjis.hpp"

namespace fs = std::filesystem;

namespace {

constexpr std::array<int, 4> noFleet = {250, 250, 250, 250};

// Towns 0, 3 and 200 have names; every other line of the list is empty.
std::string craftedTownList() {
    std::vector<std::string> lines(224);
    lines[223 - 0] = toSjis("リスボン");
    lines[223 - 3] = "ABC";
    lines[223 - 200] = toSjis("アムステルダム港湾区");  // 20 bytes
    return townListText(lines, "\r\n");
}

std::string runOnSave(const SaveImage& image, const std::vector<std::string>& arguments = {}) {
    TempFolder folder;
    writeFile(folder.path / "townlist.txt", craftedTownList());
    writeFile(folder.path / "SAVEDATA.CDS", image);
    RunResult run = runTidewrit(folder.path, arguments);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.errors, "");
    return run.output;
}

SaveNavigator named(const char* name1, const char* name2, int location, int whereabouts) {
    SaveNavigator navigator;
    navigator.name1 = toSjis(name1);
    navigator.name2 = toSjis(name2);
    navigator.location = location;
    navigator.whereabouts = whereabouts;
    return navigator;
}

struct RowCase {
    const char* what;
    int number;
    SaveNavigator navigator;
    std::array<int, 4> posts;
    std::string row;  // expected, as bytes
};

}  // namespace

TEST(LocationList, RowShowsTownWhereaboutsAndName) {
    const std::string a19(19, 'a');
    const std::string questionMarks(13, '?');
    const RowCase cases[] = {
        {"in a tavern in a town", 7, named("X", "Y", 3, 4), noFleet, expectedOutput("  7:ABC             (酒場)   X  Y \n")},
        {"at an inn", 8, named("ジョアン", "フェレイラ", 0, 5), noFleet,
         expectedOutput("  8:リスボン        (宿屋)   ジョアン  フェレイラ \n")},
        {"first mate", 3, named("A", "B", 3, 0), {3, 250, 250, 250}, expectedOutput("  3:－艦隊に勤務中－(副官)   A  B \n")},
        {"a fleet member at an inn shows the inn", 4, named("A", "B", 3, 5), {250, 4, 250, 250},
         expectedOutput("  4:－艦隊に勤務中－(宿屋)   A  B \n")},
        {"a fleet member in a tavern shows the tavern", 4, named("A", "B", 3, 4), {250, 250, 4, 250},
         expectedOutput("  4:－艦隊に勤務中－(酒場)   A  B \n")},
        {"surveyor", 21, named("A", "B", 3, 1), {250, 250, 21, 250}, expectedOutput(" 21:－艦隊に勤務中－(測量)   A  B \n")},
        {"interpreter", 21, named("A", "B", 3, 1), {250, 250, 250, 21}, expectedOutput(" 21:－艦隊に勤務中－(通訳)   A  B \n")},
        {"entered in two posts, the lower one counts", 21, named("A", "B", 3, 0), {250, 21, 21, 250},
         expectedOutput(" 21:－艦隊に勤務中－(航海)   A  B \n")},
        {"posts of 205 and more match nobody", 204, named("A", "B", 0, 0), {205, 205, 255, 206},
         expectedOutput("204:リスボン        (   0)   A  B \n")},
        {"a location without a town name", 10, named("A", "B", 230, 2), noFleet,
         expectedOutput(" 10:230" + questionMarks + "(   2)   A  B \n")},
        {"the highest location", 99, named("A", "B", 255, 3), noFleet, expectedOutput(" 99:255" + questionMarks + "(   3)   A  B \n")},
        {"the fleet mark goes before an unnamed location", 12, named("A", "B", 224, 0), {12, 250, 250, 250},
         expectedOutput(" 12:－艦隊に勤務中－(副官)   A  B \n")},
        {"a 20-byte town name is printed whole", 12, named("A", "B", 200, 0), noFleet,
         expectedOutput(" 12:アムステルダム港湾区(   0)   A  B \n")},
        {"an empty town name is all blanks", 1, named("A", "B", 1, 0), noFleet,
         expectedOutput("  1:                (   0)   A  B \n")},
        {"three-digit whereabouts", 0, named("A", "B", 3, 255), noFleet, expectedOutput("  0:ABC             ( 255)   A  B \n")},
        {"percent signs are plain text", 5, named("100%s", "%d%n%%", 3, 0), noFleet,
         expectedOutput("  5:ABC             (   0)   100%s  %d%n%% \n")},
        {"empty names", 6, named("", "", 3, 0), noFleet, expectedOutput("  6:ABC             (   0)      \n")},
        {"control bytes reach a file as they are", 5, named("\x1B]0;x\x07", "\x7F", 3, 0), noFleet,
         expectedOutput("  5:ABC             (   0)   \x1B]0;x\x07  \x7F \n")},
        {"name1 without a zero byte runs on into name2", 30, named("aaaaaaaaaaaaaaaaaaa", "ZZ", 3, 0), noFleet,
         expectedOutput(" 30:ABC             (   0)   aaaaaaaaaaaaaaaaaaaZZ  ZZ \n")},
        {"names without a zero byte stop at 39 bytes and at the entry's end", 204,
         [&] {
             SaveNavigator navigator = named("", "", 3, 0);
             navigator.name1 = a19;
             navigator.name2 = std::string(75, 'b');  // up to the last byte of the file
             return navigator;
         }(),
         noFleet, expectedOutput("204:ABC             (   0)   " + a19 + std::string(20, 'b') + "  " + std::string(39, 'b') + " \n")},
    };
    for (const RowCase& c : cases) {
        SaveImage image = blankSaveImage();
        putFleetPosts(image, c.posts);
        putNavigator(image, c.number, c.navigator);
        std::vector<std::string> rows = outputLines(runOnSave(image));
        ASSERT_EQ(rows.size(), 205u) << c.what;
        EXPECT_EQ(rows[c.number], c.row) << c.what;
    }
}

// A save whose bytes are all zero: navigator 0 fills all four posts, everyone else sits in
// town 0 with empty names.
TEST(LocationList, WholeReportOfABlankSave) {
    std::string expected = "  0:－艦隊に勤務中－(副官)      \n";
    for (int number = 1; number < 205; ++number) {
        std::string digits = std::to_string(number);
        expected += std::string(3 - digits.size(), ' ') + digits + ":リスボン        (   0)      \n";
    }
    EXPECT_EQ(runOnSave(blankSaveImage()), expectedOutput(expected));
}

// After a sort, a navigator in a town keeps its own number before the colon, while a fleet
// member and an unnamed location show the row they are printed on. (The first also has a
// fame above 255, read from both of its bytes.)
TEST(LocationColumn, NumberBeforeTheColonAfterSortingByName) {
    SaveImage image = blankSaveImage();
    for (int number = 0; number < 205; ++number) putNavigator(image, number, named("Z", "", 3, 0));
    SaveNavigator famous = named("A", "", 3, 0);
    famous.fame = 0x0201;  // both bytes of fame count
    putNavigator(image, 40, famous);
    putNavigator(image, 41, named("B", "", 3, 0));
    putNavigator(image, 42, named("C", "", 230, 0));
    putFleetPosts(image, {41, 250, 250, 250});

    std::vector<std::string> rows = outputLines(runOnSave(image, {"/n"}));
    ASSERT_EQ(rows.size(), 205u);
    EXPECT_EQ(rows[0], expectedOutput(" 40:ABC             (   0)   A   \n"));
    EXPECT_EQ(rows[1], expectedOutput("  1:－艦隊に勤務中－(副官)   B   \n"));
    EXPECT_EQ(rows[2], expectedOutput("  2:230?????????????" "(   0)   C   \n"));
    EXPECT_EQ(rows[3], expectedOutput("  0:ABC             (   0)   Z   \n"));

    rows = outputLines(runOnSave(image, {"/p", "/n"}));
    ASSERT_EQ(rows.size(), 206u);
    EXPECT_EQ(rows[1], expectedOutput(" 40:ABC               0   0   0   0   513 A \n"));
    EXPECT_EQ(rows[2], expectedOutput("  1:－艦隊に勤務中－  0   0   0   0     0 B \n"));
    EXPECT_EQ(rows[3], expectedOutput("  2:230?????????????" "  0   0   0   0     0 C \n"));
}

// The bundled example is what a player tries first: its fleet is at sea, so that every fleet
// row shows its post, in the location list and in the skill list alike; also where the files
// come through FIFOs, each read once (a second reading of the save would find a blank save,
// whose fleet is navigator 0 alone; of the town list, no writer at all).
TEST(LocationList, ExampleFleetRowsShowTheirPosts) {
    const std::pair<int, const char*> fleet[] = {{12, "副官"}, {57, "航海"}, {101, "測量"}, {160, "通訳"}};
    const std::string save = readFile(fs::path(TIDEWRIT_EXAMPLE) / "SAVEDATA.CDS");
    const std::string townList = readFile(fs::path(TIDEWRIT_EXAMPLE) / "townlist.txt");
    const SaveImage blank = blankSaveImage();
#ifdef _WIN32
    for (bool throughFifos : {false}) {
#else
    for (bool throughFifos : {false, true}) {
#endif
        std::vector<std::string> reports[2];  // the location list, the skill list
        for (int report = 0; report < 2; ++report) {
            TempFolder folder;
#ifndef _WIN32
            if (throughFifos) {
                serveThroughFifo(folder.path / "SAVEDATA.CDS", {save, std::string(blank.begin(), blank.end())});
                serveThroughFifo(folder.path / "townlist.txt", {townList});
            }
#endif
            if (!throughFifos) writeFile(folder.path / "SAVEDATA.CDS", save), writeFile(folder.path / "townlist.txt", townList);
            reports[report] = outputLines(runTidewrit(folder.path, report == 0 ? std::vector<std::string>{} : std::vector<std::string>{"/s"}).output);
        }
        ASSERT_EQ(reports[0].size(), 205u) << throughFifos;
        ASSERT_EQ(reports[1].size(), 207u) << throughFifos;
        for (const auto& [number, post] : fleet) {
            std::string digits = std::to_string(number);
            std::string row = std::string(3 - digits.size(), ' ') + digits + ":－艦隊に勤務中－(" + post + ")   ";
            EXPECT_EQ(reports[0][number].substr(0, 29), toSjis(row)) << throughFifos << ", " << number;
            EXPECT_EQ(reports[1][2 + number].substr(0, 5), toSjis(std::string(post) + ":")) << throughFifos << ", " << number;
        }
    }
}
