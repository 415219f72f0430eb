// The program as a user meets it: options, missing and broken input files, exit status.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/expected.hpp"
#include "support/game_folder.hpp"
#include "support/run.hpp"
#include "support/sjis.hpp"

namespace fs = std::filesystem;

namespace {

void writeTownList(const fs::path& folder) {
    writeFile(folder / "townlist.txt", townListText(std::vector<std::string>(224, "Port")));
}

}  // namespace

// A bad argument stops the run before any file is opened: the folder is empty, yet no
// file is missed, and nothing but the usage block is printed.
TEST(Options, BadArgumentPrintsOnlyTheUsageBlock) {
    const std::vector<std::vector<std::string>> cases = {
        {"x"}, {"s"}, {""}, {"/"}, {"-"}, {"--"}, {"/x"}, {"-h"}, {"/?"}, {"/1"},
        {"/s", "/x"},  // the valid /s before it has no effect
        {"/x", "/s"},
        {"/p", "t"},
        {"\\s"},
    };
    for (const auto& arguments : cases) {
        TempFolder folder;
        RunResult run = runTidewrit(folder.path, arguments);
        std::string shown = arguments.empty() ? "" : arguments.front();
        EXPECT_EQ(run.status, 1) << shown;
        EXPECT_EQ(run.output, usageBlock()) << shown;
        EXPECT_EQ(run.errors, "") << shown;
    }
}

struct FileCase {
    const char* what;
    void (*prepare)(const fs::path& folder);
    const char* message;  // the line before the usage block
};

TEST(InputFiles, UnusableFileGetsItsMessageAndTheUsageBlock) {
    const FileCase cases[] = {
        {"neither file", [](const fs::path&) {}, "townList.txtを同じディレクトリに置いてね\n"},
        {"no town list", [](const fs::path& f) { writeFile(f / "SAVEDATA.CDS", blankSaveImage()); },
         "townList.txtを同じディレクトリに置いてね\n"},
        {"town list is a folder",
         [](const fs::path& f) {
             fs::create_directory(f / "townlist.txt");
             writeFile(f / "SAVEDATA.CDS", blankSaveImage());
         },
         "townList.txtを同じディレクトリに置いてね\n"},
        {"no save file", writeTownList, "大航海時代３と同じディレクトリに置いて実行してね\n"},
        {"save file is a folder",
         [](const fs::path& f) {
             writeTownList(f);
             fs::create_directory(f / "SAVEDATA.CDS");
         },
         "大航海時代３と同じディレクトリに置いて実行してね\n"},
        {"empty save file",
         [](const fs::path& f) {
             writeTownList(f);
             writeFile(f / "SAVEDATA.CDS", "");
         },
         "SAVEDATA.CDSが短すぎて読めないよ\n"},
        {"save file without the fleet posts",
         [](const fs::path& f) {
             writeTownList(f);
             writeFile(f / "SAVEDATA.CDS", std::string(100, '\0'));
         },
         "SAVEDATA.CDSが短すぎて読めないよ\n"},
        {"save file one byte short of the last navigator",
         [](const fs::path& f) {
             writeTownList(f);
             SaveImage image = blankSaveImage();
             image.pop_back();
             writeFile(f / "SAVEDATA.CDS", image);
         },
         "SAVEDATA.CDSが短すぎて読めないよ\n"},
    };
    for (const FileCase& c : cases) {
        TempFolder folder;
        c.prepare(folder.path);
        RunResult run = runTidewrit(folder.path, {"/p"});
        EXPECT_EQ(run.status, 1) << c.what;
        EXPECT_EQ(run.output, expectedOutput(c.message) + usageBlock()) << c.what;
        EXPECT_EQ(run.errors, "") << c.what;
    }
}

TEST(InputFiles, SaveFileOfExactlyTheNavigatorsOrLongerIsRead) {
    for (std::size_t extra : {0, 1, 5000}) {
        TempFolder folder;
        writeTownList(folder.path);
        SaveImage image = blankSaveImage();
        image.resize(image.size() + extra, 0xFF);
        writeFile(folder.path / "SAVEDATA.CDS", image);
        RunResult run = runTidewrit(folder.path, {});
        EXPECT_EQ(run.status, 0) << extra;
        EXPECT_EQ(outputLines(run.output).size(), 205u) << extra;
    }
}

#ifndef _WIN32
TEST(InputFiles, FileWithoutReadPermissionCountsAsMissing) {
    TempFolder folder;
    writeTownList(folder.path);
    writeFile(folder.path / "SAVEDATA.CDS", blankSaveImage());
    fs::permissions(folder.path / "SAVEDATA.CDS", fs::perms::none);
    if (std::FILE* probe = std::fopen((folder.path / "SAVEDATA.CDS").c_str(), "rb")) {
        std::fclose(probe);
        GTEST_SKIP() << "permissions do not stop this user from reading";
    }
    RunResult run = runTidewrit(folder.path, {});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, expectedOutput("大航海時代３と同じディレクトリに置いて実行してね\n") + usageBlock());
}

TEST(Output, FailedWriteEndsWithStatusOne) {
    TempFolder folder;
    writeTownList(folder.path);
    writeFile(folder.path / "SAVEDATA.CDS", blankSaveImage());
    const std::string notWritten = toSjis("一覧を最後まで書き出せなかったよ（保存先の空きを確かめてね）\n");
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{}, {"/c"}}) {
        RunResult run = runTidewrit(folder.path, arguments, "/dev/full");
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.errors, notWritten);
    }
    EXPECT_EQ(runTidewrit(folder.path, {"/x"}, "/dev/full").status, 1);
}

// A message line goes to standard output with the usage block, as ever. A player who sent
// that to a file must still see it: then it is on standard error too, if that is a screen,
// and only then; never twice on one screen.
TEST(Output, MessageIsShownOnceOnTheScreen) {
    struct Case {
        const char* what;
        bool townList;
        Terminal terminal;
        const char* screen;
    };
    const Case cases[] = {
        {"output to a file, errors on the screen", false, Terminal::errors, "townList.txtを同じディレクトリに置いてね\n"},
        {"a report to a file has nothing to show", true, Terminal::errors, ""},
        {"both on one screen: the message once, with the usage block", false, Terminal::outputAndErrors, nullptr},
        {"errors to a file", false, Terminal::none, ""},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        writeFile(folder.path / "SAVEDATA.CDS", blankSaveImage());
        if (c.townList) writeTownList(folder.path);
        RunResult run = runTidewrit(folder.path, {"/c"}, {}, c.terminal);
        std::string message = toSjis("townList.txtを同じディレクトリに置いてね\n");
        EXPECT_EQ(run.status, c.townList ? 0 : 1) << c.what;
        if (c.terminal == Terminal::outputAndErrors) {
            EXPECT_EQ(run.screen, message + usageBlock()) << c.what;
            continue;
        }
        EXPECT_EQ(c.terminal == Terminal::none ? run.errors : run.screen, toSjis(c.screen)) << c.what;
        if (!c.townList) {
            EXPECT_EQ(run.output, message + usageBlock()) << c.what;
        }
    }
}
#endif

namespace {

enum class Report { location, skill, parameter, csv };
enum class First { mid, zed, amy };  // the navigator each order puts first

// Three navigators tell the orders apart: save order starts with Mid (number 0, town 7),
// town order with Zed (number 1, town 5), name order with amy (number 2, town 9). Everyone
// else is a Mid in town 7.
void writeOrderingFolder(const fs::path& folder) {
    std::vector<std::string> towns(224);
    towns[223 - 5] = "T5";
    towns[223 - 7] = "T7";
    towns[223 - 9] = "T9";
    writeFile(folder / "townlist.txt", townListText(towns));
    SaveImage image = blankSaveImage();
    putFleetPosts(image, {250, 250, 250, 250});
    for (int number = 0; number < 205; ++number) {
        SaveNavigator navigator;
        navigator.name1 = number == 1 ? "Zed" : number == 2 ? "amy" : "Mid";
        navigator.name2 = "Q";
        navigator.location = number == 1 ? 5 : number == 2 ? 9 : 7;
        putNavigator(image, number, navigator);
    }
    writeFile(folder / "SAVEDATA.CDS", image);
}

// Header lines, and the first data row for each of the three navigators.
struct ReportShape {
    std::size_t headerLines;
    std::string firstRow[3];
};

ReportShape shapeOf(Report report) {
    const std::string levels = repeat(" 0", 27);
    const std::string fields = repeat("0,", 27);
    switch (report) {
        case Report::location:
            return {0,
                    {"  0:T7              (   0)   Mid  Q \n", "  1:T5              (   0)   Zed  Q \n",
                     "  2:T9              (   0)   amy  Q \n"}};
        case Report::skill:
            return {2,
                    {"   0:Mid Q               " + levels + "\n", "   0:Zed Q               " + levels + "\n",
                     "   0:amy Q               " + levels + "\n"}};
        case Report::parameter:
            return {1,
                    {"  0:T7                0   0   0   0     0 Mid Q\n", "  1:T5                0   0   0   0     0 Zed Q\n",
                     "  2:T9                0   0   0   0     0 amy Q\n"}};
        case Report::csv:
            return {1,
                    {"\"Mid Q\",\"T7\",0,0,0,0,0," + fields + "\n", "\"Zed Q\",\"T5\",0,0,0,0,0," + fields + "\n",
                     "\"amy Q\",\"T9\",0,0,0,0,0," + fields + "\n"}};
    }
    return {};
}

}  // namespace

TEST(Options, EachCombinationPrintsItsReportInItsOrder) {
    struct Case {
        std::vector<std::string> arguments;
        Report report;
        First first;
    };
    const Case cases[] = {
        {{}, Report::location, First::mid},
        {{"/s"}, Report::skill, First::mid},
        {{"-S"}, Report::skill, First::mid},
        {{"/skill"}, Report::skill, First::mid},
        {{"/p"}, Report::parameter, First::mid},
        {{"-P"}, Report::parameter, First::mid},
        {{"/c"}, Report::csv, First::mid},
        {{"-C"}, Report::csv, First::mid},
        {{"/t"}, Report::location, First::zed},
        {{"-Tx"}, Report::location, First::zed},
        {{"/n"}, Report::location, First::amy},
        {{"-N"}, Report::location, First::amy},
        {{"/S", "-t"}, Report::skill, First::zed},
        {{"/c", "/n"}, Report::csv, First::amy},
        {{"-p", "/T"}, Report::parameter, First::zed},
        {{"/n", "/P"}, Report::parameter, First::amy},
        {{"/pt"}, Report::parameter, First::mid},  // only the second character counts
        {{"/s", "/p"}, Report::parameter, First::mid},  // a later option overrides
        {{"/c", "/s"}, Report::skill, First::mid},
        {{"/t", "/n"}, Report::location, First::amy},
        {{"/n", "/t"}, Report::location, First::zed},
    };
    TempFolder folder;
    writeOrderingFolder(folder.path);
    for (const Case& c : cases) {
        std::string shown;
        for (const std::string& argument : c.arguments) shown += argument + " ";
        RunResult run = runTidewrit(folder.path, c.arguments);
        ReportShape shape = shapeOf(c.report);
        std::vector<std::string> lines = outputLines(run.output);
        EXPECT_EQ(run.status, 0) << shown;
        EXPECT_EQ(run.errors, "") << shown;
        ASSERT_EQ(lines.size(), 205 + shape.headerLines) << shown;
        EXPECT_EQ(lines[shape.headerLines], expectedBytes(shape.firstRow[static_cast<int>(c.first)])) << shown;
    }
}
