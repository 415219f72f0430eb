// Whatever file sits in the game folder: a save file cut short or running long, a town list
// in the wrong encoding, of the wrong size or no text at all. Every run prints a whole
// report or refuses the save file; none crashes or prints half a report.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "support/expected.hpp"
#include "support/game_folder.hpp"
#include "support/run.hpp"

namespace {

struct ReportRun {
    const char* name;
    std::vector<std::string> arguments;
    std::size_t headerLines;
};

const ReportRun reportRuns[] = {
    {"location", {}, 0},
    {"skill", {"/s"}, 2},
    {"parameter", {"/p", "/t"}, 1},
    {"csv", {"/c", "/n"}, 1},
};

// Navigator k is in town 223 - k, in a tavern; 201 to 204 hold the fleet posts.
SaveImage fullSave() {
    SaveImage image = blankSaveImage();
    putFleetPosts(image, {201, 202, 203, 204});
    for (int number = 0; number < 205; ++number) {
        SaveNavigator navigator;
        navigator.name1 = "N" + std::to_string(number);
        navigator.name2 = "Q";
        navigator.location = 223 - number;
        navigator.whereabouts = 4;
        navigator.fame = number * 300;
        navigator.levels.fill(number % 16);
        putNavigator(image, number, navigator);
    }
    return image;
}

std::string townNames() {
    std::vector<std::string> towns;
    for (int town = 223; town >= 0; --town) towns.push_back("T" + std::to_string(town));
    return townListText(towns);
}

class BadInput : public testing::TestWithParam<ReportRun> {};

void PrintTo(const ReportRun& report, std::ostream* out) { *out << report.name; }

}  // namespace

// The navigators end at byte 66970. A shorter file is refused, whatever report was asked
// for; a longer one gives the same report as one of exactly that length.
TEST_P(BadInput, SaveFileCutAnywhereIsReadWholeOrRefused) {
    const ReportRun& report = GetParam();
    const std::string refusal = expectedOutput("SAVEDATA.CDSが短すぎて読めないよ\n") + usageBlock();
    TempFolder folder;
    writeFile(folder.path / "townlist.txt", townNames());
    SaveImage full = fullSave();
    writeFile(folder.path / "SAVEDATA.CDS", full);
    RunResult whole = runTidewrit(folder.path, report.arguments);
    ASSERT_EQ(whole.status, 0);
    ASSERT_EQ(outputLines(whole.output).size(), 205 + report.headerLines);

    const std::size_t lengths[] = {0,     1,     165,   166,   172,         173,         37449,  37450,
                                   37451, 37594, 52000, 66826, 66969,       66970,       66971,  66970 + 144,
                                   200000};
    for (std::size_t length : lengths) {
        SaveImage cut = full;
        cut.resize(length, 0xFF);
        writeFile(folder.path / "SAVEDATA.CDS", cut);
        RunResult run = runTidewrit(folder.path, report.arguments);
        EXPECT_EQ(run.errors, "") << length;
        if (length < full.size()) {
            EXPECT_EQ(run.status, 1) << length;
            EXPECT_EQ(run.output, refusal) << length;
        } else {
            EXPECT_EQ(run.status, 0) << length;
            EXPECT_EQ(run.output, whole.output) << length;
        }
    }
}

// The town list is never checked: whatever its bytes, a whole report is printed.
TEST_P(BadInput, TownListOfAnyBytesStillGivesAReport) {
    const ReportRun& report = GetParam();
    std::u16string utf16Text = u"\uFEFFLisboa\r\nSevilla\r\n";
    std::string utf16(reinterpret_cast<const char*>(utf16Text.data()), utf16Text.size() * 2);
    std::string noise(70000, '\0');
    unsigned state = 12345;
    for (char& byte : noise) {
        state = state * 1103515245 + 12345;
        byte = static_cast<char>(state >> 16);
    }
    struct TownListCase {
        const char* what;
        std::string bytes;
        const char* linkTo = nullptr;  // a link to this file instead of the bytes
    };
    const TownListCase cases[] = {
        {"UTF-16 with a byte order mark", utf16},
        {"no newline at all", std::string(500, 'x')},
        {"10 MB of lines", repeat("Lisboa\r\n", 10 * 1024 * 1024 / 8)},
        {"binary noise", noise},
#ifndef _WIN32
        {"an endless stream without a newline: only its first MiB is read", "", "/dev/zero"},
#endif
    };
    TempFolder folder;
    writeFile(folder.path / "SAVEDATA.CDS", fullSave());
    for (const TownListCase& c : cases) {
        std::filesystem::remove(folder.path / "townlist.txt");
        if (c.linkTo != nullptr) std::filesystem::create_symlink(c.linkTo, folder.path / "townlist.txt");
        else writeFile(folder.path / "townlist.txt", c.bytes);
        RunResult run = runTidewrit(folder.path, report.arguments);
        EXPECT_EQ(run.status, 0) << c.what;
        EXPECT_EQ(run.errors, "") << c.what;
        EXPECT_EQ(outputLines(run.output).size(), 205 + report.headerLines) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryReport, BadInput, testing::ValuesIn(reportRuns),
                         [](const testing::TestParamInfo<ReportRun>& info) { return std::string(info.param.name); });
