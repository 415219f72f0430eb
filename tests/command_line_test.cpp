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
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{}, {"/c"}, {"/x"}}) {
        RunResult run = runTidewrit(folder.path, arguments, "/dev/full");
        EXPECT_EQ(run.status, 1);
    }
}
#endif
