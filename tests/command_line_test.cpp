// The program as a user meets it: options, missing and broken input files, exit status.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#endif

#include "app/options.hpp"
#include "app/screen_lines.hpp"
#include "output/output.hpp"
#include "support/expected.hpp"
#include "support/game_folder.hpp"
#include "support/run.hpp"
#include "support/sjis.hpp"

namespace fs = std::filesystem;

namespace {

// 224 towns, town 0 named Port and each other one PortN.
std::string portTownList() { return townListText(distinctTownNames("Port")); }

void writeTownList(const fs::path& folder) { writeFile(folder / "townlist.txt", portTownList()); }

// A save whose navigators all have a first name, as every real save's have.
[[maybe_unused]] SaveImage namedSaveImage() {
    SaveImage image = blankSaveImage();
    SaveNavigator navigator;
    navigator.name1 = "A";
    for (int number = 0; number < 205; ++number) putNavigator(image, number, navigator);
    return image;
}

#ifndef _WIN32
// A game folder whose last navigator (204, in town 0) has these names, its towns named from
// `stem`.
void writeLastNavigator(const fs::path& folder, const std::string& name1, const std::string& name2,
                        const std::string& stem = "Port") {
    writeFile(folder / "townlist.txt", townListText(distinctTownNames(stem)));
    SaveImage image = namedSaveImage();
    SaveNavigator navigator;
    navigator.name1 = name1;
    navigator.name2 = name2;
    putNavigator(image, 204, navigator);
    writeFile(folder / "SAVEDATA.CDS", image);
}

// The locale of an EUC-JP terminal, made once from Debian's sources of ja_JP in a folder of
// its own, which LOCPATH names for the runs that need it.
const char eucJp[] = "ja_JP.EUC-JP";
const std::string& eucJpLocaleFolder() {
    static const std::string folder = (fs::temp_directory_path() / ("tidewrit-locale-" + std::to_string(getpid()))).string();
    return folder;
}
bool madeEucJpLocale() {
    static const bool made = [] {
        fs::create_directories(eucJpLocaleFolder());
        std::string command = "localedef -i ja_JP -f EUC-JP '" + eucJpLocaleFolder() + "/" + eucJp + "' >/dev/null 2>&1";
        return std::system(command.c_str()) == 0 || fs::exists(eucJpLocaleFolder() + "/" + eucJp);
    }();
    return made;
}
#endif

}  // namespace

// A bad argument stops the run before any file is opened: the folder is empty, yet no
// file is missed, and nothing but the usage block is printed.
TEST(Options, BadArgumentPrintsOnlyTheUsageBlock) {
    TempFolder folder;
    RunResult run = runTidewrit(folder.path, {"/s", "/9"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, usageBlock());
    EXPECT_EQ(run.errors, "");
}

// Asking for help is no error: the usage block on standard output alone, exit status 0.
TEST(Options, AskingForHelpPrintsTheUsageBlockAndSucceeds) {
    TempFolder folder;
    for (const char* argument : {"/?", "-?", "--help"}) {
        RunResult run = runTidewrit(folder.path, {argument});
        EXPECT_EQ(run.status, 0) << argument;
        EXPECT_EQ(run.output, usageBlock()) << argument;
        EXPECT_EQ(run.errors, "") << argument;
    }
}

TEST(Options, EachArgumentIsReadByItsSecondCharacter) {
    using R = ReportMode;
    using S = SortKey;
    struct Case {
        std::vector<std::string> arguments;
        ReportMode mode;
        SortKey sortKey;
        int notUnderstood;  // position of the argument not understood, 0 if none
        int joinedLetters;  // position of the first option of joined letters, 0 if none
        bool help = false;
        int earlier = 0;  // position of the earlier save's name, 0 if none
    };
    const Case cases[] = {
        {{}, R::locationList, S::none, 0, 0},
        {{"/s"}, R::skillList, S::none, 0, 0},
        {{"-S"}, R::skillList, S::none, 0, 0},
        {{"/skill"}, R::skillList, S::none, 0, 0},  // not all option letters: nothing to split
        {{"/p"}, R::parameterList, S::none, 0, 0},
        {{"-P"}, R::parameterList, S::none, 0, 0},
        {{"/c"}, R::csv, S::none, 0, 0},
        {{"-C"}, R::csv, S::none, 0, 0},
        {{"/t"}, R::locationList, S::byLocation, 0, 0},
        {{"-Tx"}, R::locationList, S::byLocation, 0, 0},
        {{"/n"}, R::locationList, S::byName, 0, 0},
        {{"-N"}, R::locationList, S::byName, 0, 0},
        {{"/S", "-t"}, R::skillList, S::byLocation, 0, 0},
        {{"/c", "/n"}, R::csv, S::byName, 0, 0},
        {{"-p", "/T"}, R::parameterList, S::byLocation, 0, 0},
        {{"/n", "/P"}, R::parameterList, S::byName, 0, 0},
        {{"/s", "/p"}, R::parameterList, S::none, 0, 0},  // a later option overrides
        {{"/c", "/s"}, R::skillList, S::none, 0, 0},
        {{"/t", "/n"}, R::locationList, S::byName, 0, 0},
        {{"/n", "/t"}, R::locationList, S::byLocation, 0, 0},
        {{"/h"}, R::htmlPage, S::none, 0, 0},
        {{"-H", "/n"}, R::htmlPage, S::byName, 0, 0},
        {{"/h", "/c"}, R::csv, S::none, 0, 0},
        {{"/s", "/hT"}, R::htmlPage, S::none, 0, 2},
        // Only the second character counts; letters that are all options are worth a word.
        {{"/pt"}, R::parameterList, S::none, 0, 1},
        {{"-cNs"}, R::csv, S::none, 0, 1},
        {{"/s", "/tn", "/cp"}, R::csv, S::byLocation, 0, 2},
        // The first argument not understood ends the reading.
        {{"x"}, R::locationList, S::none, 1, 0},
        {{"s"}, R::locationList, S::none, 1, 0},
        {{""}, R::locationList, S::none, 1, 0},
        {{"/"}, R::locationList, S::none, 1, 0},
        {{"-"}, R::locationList, S::none, 1, 0},
        {{"--"}, R::locationList, S::none, 1, 0},
        {{"-v"}, R::locationList, S::none, 1, 0},
        // Asking for help, exactly so, ends the reading too; anything more is not understood.
        {{"/?"}, R::locationList, S::none, 0, 0, true},
        {{"-?"}, R::locationList, S::none, 0, 0, true},
        {{"--help"}, R::locationList, S::none, 0, 0, true},
        {{"/s", "/?", "/9"}, R::skillList, S::none, 0, 0, true},
        {{"/9", "/?"}, R::locationList, S::none, 1, 0},
        {{"/?x"}, R::locationList, S::none, 1, 0},
        {{"--HELP"}, R::locationList, S::none, 1, 0},
        {{"-help"}, R::htmlPage, S::none, 0, 0},
        {{"/1"}, R::locationList, S::none, 1, 0},
        {{"\\s"}, R::locationList, S::none, 1, 0},
        {{"/s", "/9"}, R::skillList, S::none, 2, 0},
        {{"/9", "/s"}, R::locationList, S::none, 1, 0},
        {{"/p", "t", "/n"}, R::parameterList, S::none, 2, 0},
        {{"/pt", "/9"}, R::parameterList, S::none, 2, 1},
        // /b takes the next argument, whatever it is, as the earlier save's name.
        {{"/h", "/b", "old.CDS"}, R::htmlPage, S::none, 0, 0, false, 3},
        {{"-Before", "/9", "/s"}, R::skillList, S::none, 0, 0, false, 2},
        {{"/h", "/b"}, R::htmlPage, S::none, 2, 0},
        {{"/bh"}, R::locationList, S::none, 1, 0},
    };
    for (const Case& c : cases) {
        std::vector<std::string> words = {"tidewrit"};
        words.insert(words.end(), c.arguments.begin(), c.arguments.end());
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        Options options = readOptions(static_cast<int>(argv.size()), argv.data());
        std::string shown;
        for (const std::string& argument : c.arguments) shown += argument + " ";
        EXPECT_EQ(options.mode, c.mode) << shown;
        EXPECT_EQ(options.sortKey, c.sortKey) << shown;
        EXPECT_EQ(options.notUnderstood, c.notUnderstood) << shown;
        EXPECT_EQ(options.joinedLetters, c.joinedLetters) << shown;
        EXPECT_EQ(options.help, c.help) << shown;
        EXPECT_EQ(options.earlier, c.earlier) << shown;
    }
}

TEST(Options, AnArgumentNotUnderstoodIsToldApart) {
    TempFolder folder;
    writeFile(folder.path / "SAVEDATA.CDS", "");
    const std::string dropped = (folder.path / "SAVEDATA.CDS").string();
    const std::string folderPath = folder.path.string();
    struct Case {
        std::string argument;
        Misread misread;
    };
    const Case cases[] = {
        {"/9", Misread::unknown},
        {"x", Misread::unknown},
        {"", Misread::unknown},
        {"/", Misread::unknown},
        {folderPath, Misread::unknown},  // a folder is no file dropped
        {dropped, Misread::fileName},
        {toSjis("／ｓ"), Misread::fullWidth},  // code page 932, as a Japanese Windows gives it
        {toSjis("－ｐ"), Misread::fullWidth},
        {toSjis("ーc"), Misread::fullWidth},
        {toSjis("/ｓ"), Misread::fullWidth},
        {"／ｓ", Misread::fullWidth},  // UTF-8, as a Linux terminal gives it
        {"－p", Misread::fullWidth},
        {"ーt", Misread::fullWidth},
        {"-ｎ", Misread::fullWidth},
        {toSjis("ｓ"), Misread::unknown},
        {"/b", Misread::earlierWithoutName},  // the last argument: no name after it
        {"-Before", Misread::earlierWithoutName},
    };
    for (const Case& c : cases) EXPECT_EQ(misreadOf(c.argument.c_str()), c.misread) << c.argument;
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

// The page is made all the same from an earlier save that cannot be compared with, its box
// saying why; from one that can, compared with it.
TEST(InputFiles, AnEarlierSaveIsComparedWithOrToldWhyNot) {
    struct Case {
        const char* what;
        void (*prepare)(const fs::path& earlier);
        std::string shown;  // readable UTF-8: the status box's line, or what the comparison shows
    };
    const Case cases[] = {
        {"missing", [](const fs::path&) {}, "前回のセーブデータ（/b のファイル）が見つからないので、比べずに作ったよ"},
        {"a folder", [](const fs::path& f) { fs::create_directory(f); },
         "前回のセーブデータ（/b のファイル）はあるけど読めないので、比べずに作ったよ"},
        {"short", [](const fs::path& f) { writeFile(f, std::string(100, 'A')); },
         "前回のセーブデータ（/b のファイル）は 100 バイトしかないので（66970 バイトはいるよ）、比べずに作ったよ"},
        {"no save", [](const fs::path& f) { writeFile(f, blankSaveImage()); },
         "前回のセーブデータ（/b のファイル）は大航海時代３のセーブデータではないみたいなので（205人中 205人の名前が文字になっていないよ）、比べずに作ったよ"},
        {"a save a navigator ago",
         [](const fs::path& f) {
             SaveImage image = namedSaveImage();
             image[37450 + 144 * 9 + 11] = 3;  // a level of navigator 9
             writeFile(f, image);
         },
         "変わった航海士 1人"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        writeTownList(folder.path);
        writeFile(folder.path / "SAVEDATA.CDS", namedSaveImage());
        c.prepare(folder.path / "earlier.CDS");
        RunResult run = runTidewrit(folder.path, {"/h", "/b", "earlier.CDS"});
        EXPECT_EQ(run.status, 0) << c.what;
        bool compared = std::string(c.what) == "a save a navigator ago";
        std::string shown = compared ? "<p id=\"changes\">" + c.shown + "</p>\n" : "<div id=\"notes\" role=\"status\">\n<p>" + c.shown + "</p>\n</div>\n";
        EXPECT_NE(run.output.find(expectedOutput(shown)), std::string::npos) << c.what;
        EXPECT_EQ(run.output.find("data-keep=\"changed\"") != std::string::npos, compared) << c.what;
        EXPECT_EQ(run.output.find("class=\"changed\"><td>9<") != std::string::npos, compared) << c.what;
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
#ifndef _WIN32
    // Behind a missing town list, the save is named too, looked at without opening it.
    fs::remove(folder.path / "townlist.txt");
    run = runTidewrit(folder.path, {}, {}, Terminal::errors);
    EXPECT_NE(run.screen.find(toSjis("SAVEDATA.CDS はあるけど読めないよ\n")), std::string::npos) << run.screen;
#endif
}

// A case-sensitive file system may hold the files under other cases of their names: the
// exact name first, else the first match in byte order.
TEST(InputFiles, NamesMatchIgnoringCase) {
    struct Case {
        const char* what;
        std::vector<std::string> townLists;
        std::vector<std::string> saves;
        const char* townList;  // the one read
        const char* save;
    };
    const Case cases[] = {
        {"other cases alone", {"townList.txt"}, {"savedata.cds"}, "townList.txt", "savedata.cds"},
        {"the exact name first", {"TOWNLIST.TXT", "townlist.txt"}, {"SAVEDATA.CDS", "SaveData.cds"}, "townlist.txt",
         "SAVEDATA.CDS"},
        {"the first in byte order", {"Townlist.txt", "TOWNLIST.txt", "townList.TXT"}, {"savedata.CDS", "SAVEDATA.cds"},
         "TOWNLIST.txt", "SAVEDATA.cds"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        // Each file tells its own name: as the name of town 0 and of navigator 0, who is there.
        for (const std::string& name : c.townLists) {
            writeFile(folder.path / name, townListText(distinctTownNames(name)));
        }
        for (const std::string& name : c.saves) {
            SaveImage image = blankSaveImage();
            putFleetPosts(image, {250, 250, 250, 250});
            SaveNavigator navigator;
            navigator.name1 = name;
            putNavigator(image, 0, navigator);
            writeFile(folder.path / name, image);
        }
        RunResult run = runTidewrit(folder.path, {});
        EXPECT_EQ(run.status, 0) << c.what;
        EXPECT_EQ(outputLines(run.output).at(0),
                  "  0:" + std::string(c.townList) + "    (   0)   " + c.save + "   \n")
            << c.what;
    }
}

#ifndef _WIN32
// An output set not to block (a pipe a parent made so) whose reader is slow: a write that
// would block waits until the reader has made room, and the whole report gets through.
TEST(Output, AWriteThatWouldBlockWaits) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    ASSERT_EQ(fcntl(ends[1], F_SETFL, fcntl(ends[1], F_GETFL) | O_NONBLOCK), 0);
    std::string received;
    std::thread reader([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        char piece[4096];
        for (ssize_t got; (got = read(ends[0], piece, sizeof piece)) > 0;) received.append(piece, static_cast<std::size_t>(got));
    });
    std::FILE* file = fdopen(ends[1], "wb");
    ASSERT_NE(file, nullptr);
    setOutput(file);
    const std::string report(300000, 'x');
    putBytes(report.data(), report.size());
    EXPECT_TRUE(finishOutput());
    setOutput(stdout);
    std::fclose(file);
    reader.join();
    close(ends[0]);
    EXPECT_EQ(received.size(), report.size());
}
#endif

TEST(Output, FailedWriteSaysWhyAndEndsWithStatusOne) {
    TempFolder folder;
    writeTownList(folder.path);
    writeFile(folder.path / "SAVEDATA.CDS", blankSaveImage());
    const fs::path gone = folder.path / "gone";
    struct Case {
        const char* what;
        fs::path output;
        std::vector<std::string> arguments;
        const char* errors;
    };
    // The reader of the pipe may close it before or after the program writes: the page, more
    // than a pipe holds (72 KB), meets the closed end either way, where a report that fits
    // would not.
    const Case cases[] = {
        {"no space left", "/dev/full", {}, "一覧を最後まで書き出せなかったよ（保存先に空きがないよ）\n"},
        {"no space left, the CSV", "/dev/full", {"/c"}, "一覧を最後まで書き出せなかったよ（保存先に空きがないよ）\n"},
        {"the pipe's reader went away", gone, {"/h"}, "一覧を最後まで書き出せなかったよ（受け取る側のプログラムが先に終わったよ）\n"},
    };
    for (const Case& c : cases) {
        if (c.output == gone) fifoWithoutReader(gone);
        RunResult run = runTidewrit(folder.path, c.arguments, c.output);
        EXPECT_EQ(run.status, 1) << c.what;
        EXPECT_EQ(run.errors, toSjis(c.errors)) << c.what;
    }
    EXPECT_EQ(runTidewrit(folder.path, {"/9"}, "/dev/full").status, 1);
    // Any other cause in the system's own words.
    EXPECT_EQ(writeFailureLine(EIO), toSjis("一覧を最後まで書き出せなかったよ（") + std::strerror(EIO) + toSjis("）"));
}

// What only a person needs goes to standard error, and only when that is a screen: a message
// line and the usage block when standard output is no screen (once: never twice on one
// screen), then at the very end where the program looked for a missing file, and a town list
// of other than 224 lines. A UTF-8 terminal gets them in UTF-8; standard output never
// changes.
TEST(Output, ScreenShowsWhatAPersonNeedsOnce) {
    struct Case {
        const char* what;
        std::string folderName;  // where the program runs, inside the test's folder
        void (*prepare)(const fs::path& folder);
        std::vector<std::string> arguments;
        Terminal terminal;
        std::string screen;  // readable UTF-8; {folder} and {beside} stand for those folders' whole names
        const char* locale = "C";
    };
    const std::string townListMessage = "townList.txtを同じディレクトリに置いてね\n";
    const std::string lookedIn = "探したフォルダ：{folder}\n";
    // Where no file is named almost so, and none is beside the program, where to get one.
    const std::string townListMissing =
        "townlist.txt が見つからないよ\n"
        "ひな形の townlist-template.txt は Tidewrit の ZIP に入っているよ。ゲームのフォルダにコピーして、名前を townlist.txt に変えてね\n";
    const std::string townListNamedAlmost = "townlist.txt が見つからないよ\n";
    const std::string saveMissing = "SAVEDATA.CDS が見つからないよ\n";
    const std::string advice = "SAVEDATA.CDS のあるゲームのフォルダに townlist.txt を置いて、そこで実行してね\n";
    auto saveOnly = [](const fs::path& f) { writeFile(f / "SAVEDATA.CDS", namedSaveImage()); };
    auto bothFiles = [](const fs::path& f) {
        writeTownList(f);
        writeFile(f / "SAVEDATA.CDS", namedSaveImage());
    };
    auto nothing = [](const fs::path&) {};
    const std::string saveMessage = "大航海時代３と同じディレクトリに置いて実行してね\n";
    const std::string droppedFile =
        "ファイルの名前は受け取らないよ。SAVEDATA.CDS のあるゲームのフォルダに Tidewrit.exe と townlist.txt を置いて、そこで実行してね\n";
    const std::string besideHow =
        "（コマンドプロンプトなら cd /d でそのフォルダに移ってから。ショートカットなら、プロパティの「作業フォルダー」をそのフォルダにしてね）\n";
    // A copy of the program in the folder "beside", next to the one it runs in, with the town
    // list and, if asked, the save.
    static auto besideProgram = [](const fs::path& f, bool save) {
        fs::path beside = f.parent_path() / "beside";
        fs::create_directory(beside);
        fs::copy_file(builtProgram(), beside / builtProgram().filename());
        writeTownList(beside);
        if (save) writeFile(beside / "SAVEDATA.CDS", namedSaveImage());
    };
    // The last navigator's names would retitle and clear the terminal.
    auto hostileNames = [](const fs::path& f) { writeLastNavigator(f, "\x1B]0;x\x07", "\x1B[2J"); };
    // The last navigator's first name holds 0x80 after a letter: C1 in UTF-8, a byte alone in
    // code page 932.
    auto byteAfterAscii = [](const fs::path& f) { writeLastNavigator(f, "A\x80", toSjis("ロペス"), toSjis("パルマ")); };
    const Case cases[] = {
        {"output to a file, errors on the screen", "game", saveOnly, {"/c"}, Terminal::errors,
         townListMessage + usageText + lookedIn + townListMissing + advice},
        {"a report to a file has nothing to show", "game", bothFiles, {"/c"}, Terminal::errors, ""},
        {"both on one screen: the message and the usage block once", "game", saveOnly, {"/c"},
         Terminal::outputAndErrors, townListMessage + usageText + lookedIn + townListMissing + advice},
        {"a typo with the output to a file shows the usage block and the typo", "game", nothing, {"/9"}, Terminal::errors,
         std::string(usageText) + "「/9」が分からないよ\n"},
        {"a typo on one screen shows it once", "game", nothing, {"/9"}, Terminal::outputAndErrors,
         std::string(usageText) + "「/9」が分からないよ\n"},
        {"an option typed with the IME on, on a UTF-8 terminal", "game", nothing, {"/n", "／ｓ"}, Terminal::errors,
         std::string(usageText) + "「／ｓ」が分からないよ\n全角の文字では分からないよ。IME をオフにして、半角で /s のように書いてね\n", "C.UTF-8"},
        {"a save dropped onto the program", "game", saveOnly, {"SAVEDATA.CDS"}, Terminal::errors,
         std::string(usageText) + "「SAVEDATA.CDS」が分からないよ\n" + droppedFile},
        {"a save dropped onto the program from a deep folder is quoted by its end", "game",
         [](const fs::path& f) {
             fs::create_directories(f / "backups-of-my-voyages" / "2026-12-09");
             writeFile(f / "backups-of-my-voyages" / "2026-12-09" / "SAVEDATA-7.CDS", namedSaveImage());
         },
         {"backups-of-my-voyages/2026-12-09/SAVEDATA-7.CDS"}, Terminal::errors,
         std::string(usageText) + "「…-of-my-voyages/2026-12-09/SAVEDATA-7.CDS」が分からないよ\n" + droppedFile},
        {"an argument's control bytes act on nothing", "game", nothing, {"/9\x1B[2J"}, Terminal::errors,
         std::string(usageText) + "「/9?[2J」が分からないよ\n"},
        {"options of joined letters", "game", bothFiles, {"/c", "-tn"}, Terminal::errors,
         "「-tn」は -t として読んだよ。/ や - のあとは1文字だけが効くから、-t -n のように分けて書いてね\n"},
        {"an earlier save with a report other than the page", "game", bothFiles, {"/c", "/b", "SAVEDATA.CDS"},
         Terminal::errors, "/b は /h のページでだけ使うよ。この一覧は前回のセーブデータと比べていないよ\n"},
        {"/b without the name it takes", "game", bothFiles, {"/h", "/b"}, Terminal::errors,
         std::string(usageText) + "「/b」が分からないよ\n/b のあとに、比べる前回のセーブデータのファイル名を書いてね\n"},
        {"an earlier save missing, the page to a file", "game", bothFiles, {"/h", "/b", "old.CDS"}, Terminal::errors,
         "前回のセーブデータ（/b のファイル）が見つからないので、比べずに作ったよ\n"},
        {"neither file, output to a file: both named, in a Japanese folder", "大航海時代３", nothing, {},
         Terminal::errors, townListMessage + usageText + lookedIn + townListMissing + saveMissing + advice},
        {"neither file, on one screen", "game", nothing, {}, Terminal::outputAndErrors,
         townListMessage + usageText + lookedIn + townListMissing + saveMissing + advice},
        {"a save file that cannot be read", "game",
         [](const fs::path& f) {
             writeTownList(f);
             fs::create_directory(f / "SAVEDATA.CDS");
         },
         {}, Terminal::errors,
         saveMessage + usageText + lookedIn +
             "SAVEDATA.CDS はあるけど読めないよ\n" + advice},
        {"225 lines", "game",
         [](const fs::path& f) {
             writeFile(f / "townlist.txt", townListText(distinctTownNames("Port", 225)));
             writeFile(f / "SAVEDATA.CDS", namedSaveImage());
         },
         {"/c"}, Terminal::errors, "townlist.txt は 225 行あるよ。224 行のはずだから、町の名前がずれているかもしれないよ\n"},
        {"223 lines, after the report on the same screen", "game",
         [](const fs::path& f) {
             writeFile(f / "townlist.txt", townListText(distinctTownNames("Port", 223), "\r\n"));
             writeFile(f / "SAVEDATA.CDS", namedSaveImage());
         },
         {"/c"}, Terminal::outputAndErrors, "townlist.txt は 223 行あるよ。224 行のはずだから、町の名前がずれているかもしれないよ\n"},
        {"224 lines and the empty lines Notepad leaves after them", "game",
         [](const fs::path& f) {
             writeFile(f / "townlist.txt", townListText(distinctTownNames("Port"), "\r\n") + "\r\n\r\n");
             writeFile(f / "SAVEDATA.CDS", namedSaveImage());
         },
         {"/c"}, Terminal::errors, ""},
        {"a UTF-8 terminal gets UTF-8", "大航海時代３", saveOnly, {"/c"}, Terminal::errors,
         townListMessage + usageText + lookedIn + townListMissing + advice, "C.UTF-8"},
        {"errors to a file", "game", saveOnly, {"/c"}, Terminal::none, ""},
        // Each file is opened once: a second open of a FIFO whose writer has gone would wait.
        {"a town list through a FIFO and no save: the save named at once", "game",
         [](const fs::path& f) { serveThroughFifo(f / "townlist.txt", {portTownList()}); },
         {}, Terminal::errors, saveMessage + usageText + lookedIn + saveMissing + advice},
        {"a folder deleted while the program runs cannot be named", "game",
         [](const fs::path& f) { serveThroughFifo(f / "townlist.txt", {portTownList()}, true); },
         {}, Terminal::errors, saveMessage + usageText + "探したフォルダ：（フォルダの名前を調べられなかったよ）\n" + saveMissing + advice},
        {"a town list that links to nothing is there, unreadable", "game",
         [](const fs::path& f) {
             fs::create_symlink("nowhere", f / "townlist.txt");
             writeFile(f / "SAVEDATA.CDS", namedSaveImage());
         },
         {}, Terminal::errors, townListMessage + usageText + lookedIn + "townlist.txt はあるけど読めないよ\n" + advice},
        {"so is a save that links to nothing, behind a missing town list", "game",
         [](const fs::path& f) { fs::create_symlink("nowhere", f / "savedata.cds"); }, {}, Terminal::errors,
         townListMessage + usageText + lookedIn + townListMissing + "SAVEDATA.CDS はあるけど読めないよ\n" + advice},
        {"names alike but for case: the one read is named", "game",
         [](const fs::path& f) {
             writeTownList(f);
             fs::copy_file(f / "townlist.txt", f / "TOWNLIST.TXT");
             writeFile(f / "SAVEDATA.CDS", namedSaveImage());
         },
         {"/c"}, Terminal::errors, "大文字・小文字を区別しないと townlist.txt と同じ名前のファイルが 2 個あるよ。読んだのは townlist.txt だよ\n"},
        {"and without the exact name, the first in byte order", "game",
         [](const fs::path& f) {
             writeTownList(f);
             fs::rename(f / "townlist.txt", f / "townList.txt");
             fs::copy_file(f / "townList.txt", f / "TownList.txt");
             writeFile(f / "SAVEDATA.CDS", namedSaveImage());
         },
         {"/c"}, Terminal::errors, "大文字・小文字を区別しないと townlist.txt と同じ名前のファイルが 2 個あるよ。読んだのは TownList.txt だよ\n"},
        {"files named almost so, in byte order, the first three", "game",
         [](const fs::path& f) {
             for (const char* name : {"townlist.txt.txt", "townlist~", "Townlist.bak", "townlist-template.txt",
                                      "SAVEDATA.CDS.bak", "save.cds"}) {
                 writeFile(f / name, "");
             }
             for (char last = '0'; last <= '9'; ++last) writeFile(f / (std::string("townlistz") + last), "");
             fs::create_directory(f / "townlist-old");  // a folder is no file to rename
         },
         {}, Terminal::errors,
         townListMessage + usageText + lookedIn + townListNamedAlmost +
             "「Townlist.bak」の名前を townlist.txt に変えると読めるよ\n"
             "「townlist-template.txt」の名前を townlist.txt に変えると読めるよ\n"
             "「townlist.txt.txt」の名前を townlist.txt に変えると読めるよ（エクスプローラーで拡張子が見えないときは、名前を townlist だけにすると townlist.txt になるよ）\n" +
             saveMissing + "「SAVEDATA.CDS.bak」の名前を SAVEDATA.CDS に変えると読めるよ\n" + advice},
        {"in the game's folder, a town list to rename is all there is to do", "game",
         [](const fs::path& f) {
             writeFile(f / "townlist.txt.txt", portTownList());
             writeFile(f / "SAVEDATA.CDS", namedSaveImage());
         },
         {}, Terminal::errors,
         townListMessage + usageText + lookedIn + townListNamedAlmost +
             "「townlist.txt.txt」の名前を townlist.txt に変えると読めるよ（エクスプローラーで拡張子が見えないときは、名前を townlist だけにすると townlist.txt になるよ）\n"},
        {"a town list a browser saved beside another is named as one to rename", "game",
         [](const fs::path& f) {
             writeFile(f / "townlist(2).txt", portTownList());
             writeFile(f / "townlist (1).txt", portTownList());
             writeFile(f / "SAVEDATA.CDS", namedSaveImage());
         },
         {}, Terminal::errors,
         townListMessage + usageText + lookedIn + townListNamedAlmost +
             "「townlist (1).txt」の名前を townlist.txt に変えると読めるよ（ブラウザで保存すると、同じ名前のファイルがあるときは (1) のような番号が付くよ）\n"
             "「townlist(2).txt」の名前を townlist.txt に変えると読めるよ（ブラウザで保存すると、同じ名前のファイルがあるときは (1) のような番号が付くよ）\n"},
        {"both files beside the program, started elsewhere", "game",
         [](const fs::path& f) { besideProgram(f, true); }, {}, Terminal::errors,
         townListMessage + usageText + lookedIn + townListNamedAlmost + saveMissing + "このプログラムのフォルダ：{beside}\n" +
             "townlist.txt と SAVEDATA.CDS はそこにあるよ。そのフォルダで実行してね\n" + besideHow},
        {"only the save missing, beside the program: that one is named", "game",
         [](const fs::path& f) {
             writeTownList(f);
             besideProgram(f, true);
         },
         {}, Terminal::errors,
         saveMessage + usageText + lookedIn + saveMissing + "このプログラムのフォルダ：{beside}\n" +
             "SAVEDATA.CDS はそこにあるよ。そのフォルダで実行してね\n" + besideHow},
        {"only the town list beside it: the game's folder is still to find", "game",
         [](const fs::path& f) { besideProgram(f, false); }, {}, Terminal::errors,
         townListMessage + usageText + lookedIn + townListNamedAlmost + saveMissing + advice},
        {"a save file too short", "game",
         [](const fs::path& f) {
             writeTownList(f);
             writeFile(f / "SAVEDATA.CDS", std::string(100, '\0'));
         },
         {}, Terminal::errors,
         std::string("SAVEDATA.CDSが短すぎて読めないよ\n") + usageText +
             "SAVEDATA.CDS は 100 バイトしかないよ（66970 バイトはいるよ）。大航海時代３のセーブファイルではないか、コピーが途中で切れているのかも\n"
             "ゲームでもう一度セーブするか、SAVEDATA.CDS をもう一度コピーしてね\n"},
        {"a town list longer than is read", "game",
         [](const fs::path& f) {
             writeFile(f / "townlist.txt", portTownList() + std::string(1 << 20, '\n'));
             writeFile(f / "SAVEDATA.CDS", namedSaveImage());
         },
         {"/c"}, Terminal::errors, "townlist.txt が長すぎるよ。はじめの 1048576 バイトだけ読んだよ\n"},
        {"a file long enough whose names are no text is no save", "game",
         [](const fs::path& f) {
             writeTownList(f);
             writeFile(f / "SAVEDATA.CDS", blankSaveImage());
         },
         {"/c"}, Terminal::errors, "SAVEDATA.CDS は大航海時代３のセーブデータではないみたい（205人中 205人の名前が文字になっていないよ）\n"},
        {"the page on a screen: the usage block and how to get it", "game", bothFiles, {"/h"}, Terminal::outputAndErrors,
         std::string(usageText) + "ページ（HTML）は画面には出さないよ。Tidewrit.exe /h > navigators.html のようにファイルに保存して、ブラウザで開いてね\n"
             "Tidewrit-html.bat をダブルクリックすると、保存してブラウザで開くよ\n"},
        {"among names alike but for case, a folder, a FIFO and a dead link are passed over", "game",
         [](const fs::path& f) {
             fs::create_directory(f / "TOWNLIST.TXT");
             ASSERT_EQ(mkfifo((f / "TOWNList.txt").c_str(), 0600), 0);
             fs::create_symlink("nowhere", f / "TownList.txt");
             writeFile(f / "townList.txt", portTownList());
             writeFile(f / "townlisT.txt", portTownList());
             writeFile(f / "SAVEDATA.CDS", namedSaveImage());
         },
         {"/c"}, Terminal::errors, "大文字・小文字を区別しないと townlist.txt と同じ名前のファイルが 2 個あるよ。読んだのは townList.txt だよ\n"},
        {"and so is a folder of the exact name", "game",
         [](const fs::path& f) {
             fs::create_directory(f / "townlist.txt");
             writeFile(f / "TownList.txt", portTownList());
             writeFile(f / "townList.txt", portTownList());
             writeFile(f / "SAVEDATA.CDS", namedSaveImage());
         },
         {"/c"}, Terminal::errors, "大文字・小文字を区別しないと townlist.txt と同じ名前のファイルが 2 個あるよ。読んだのは TownList.txt だよ\n"},
        {"an argument is quoted up to 40 bytes", "game", nothing, {"/9" + std::string(60, 'y')}, Terminal::errors,
         std::string(usageText) + "「/9" + std::string(38, 'y') + "…」が分からないよ\n"},
        {"5,000 joined letters keep the lines on the missing files", "game", nothing, {"/p" + std::string(5000, 't')},
         Terminal::errors,
         townListMessage + usageText + "「/p" + std::string(38, 't') + "…」は /p として読んだよ。/ や - のあとは1文字だけが効くから、/p" +
             repeat(" /t", 38) + " … のように分けて書いてね\n" + lookedIn + townListMissing + saveMissing + advice},
        {"C1 characters in an argument, on a UTF-8 terminal", "game", nothing, {"/9\xC2\x9B" "0m\xC2\x9D" "0;x"},
         Terminal::errors, std::string(usageText) + "「/9?0m?0;x」が分からないよ\n", "C.UTF-8"},
        {"and in a folder's name", "game\xC2\x9B" "0m", nothing, {}, Terminal::errors,
         townListMessage + usageText + lookedIn + townListMissing + saveMissing + advice, "C.UTF-8"},
        {"the report on a UTF-8 terminal in UTF-8, lined up, a C1 character of a name as ?", "game", byteAfterAscii,
         {}, Terminal::outputAndErrors, "204:パルマ          (   0)   A?  ロペス \n", "C.UTF-8"},
        {"and in the C locale, the byte 0x80 alone as ?", "game", byteAfterAscii, {}, Terminal::outputAndErrors,
         "204:パルマ          (   0)   A?  ロペス \n"},
        {"0x9B that begins no character in a folder's name, in the C locale", "game\x9B" "2J", nothing, {}, Terminal::errors,
         townListMessage + usageText + lookedIn + townListMissing + saveMissing + advice},
        {"an EUC-JP terminal: the report in EUC-JP-MS (－ kept), half-width katakana unmasked", "game",
         [](const fs::path& f) {
             writeTownList(f);
             SaveImage image = namedSaveImage();
             putFleetPosts(image, {204, 250, 250, 250});
             SaveNavigator navigator;
             navigator.name1 = toSjis("ｱﾝﾅ");
             navigator.name2 = toSjis("ﾛﾍﾟｽ");
             putNavigator(image, 204, navigator);
             writeFile(f / "SAVEDATA.CDS", image);
         },
         {}, Terminal::outputAndErrors, "204:－艦隊に勤務中－(副官)   ｱﾝﾅ  ﾛﾍﾟｽ \n", eucJp},
        {"and an argument cut on its characters", "game", nothing, {fromUtf8("/9" + repeat("あ", 30), "EUC-JP-MS")},
         Terminal::errors, std::string(usageText) + "「/9" + repeat("あ", 19) + "…」が分からないよ\n", eucJp},
        // Nothing from a file or a folder's name acts on the terminal.
        {"control bytes in a folder's name", "game\x1B]0;x\x07", nothing, {}, Terminal::errors,
         townListMessage + usageText + lookedIn + townListMissing + saveMissing + advice},
        {"control bytes in names, in the location list", "game", hostileNames, {}, Terminal::outputAndErrors,
         "204:Port            (   0)   ?]0;x?  ?[2J \n"},
        {"in the skill list", "game", hostileNames, {"/s"}, Terminal::outputAndErrors,
         "   0:?]0;x? ?[2J         " + repeat(" 0", 27) + "\n"},
        {"in the CSV", "game", hostileNames, {"/c"}, Terminal::outputAndErrors,
         "\"?]0;x? ?[2J\",\"Port\",0,0,0,0,0," + repeat("0,", 27) + "\n"},
        {"a line end in a name is no line end on a screen", "game",
         [](const fs::path& f) { writeLastNavigator(f, "A\nB", "C\r"); }, {}, Terminal::outputAndErrors,
         "204:Port            (   0)   A?B  C? \n"},
    };
    for (const Case& c : cases) {
        TempFolder temp;
        fs::path folder = temp.path / fs::u8path(c.folderName);
        fs::create_directory(folder);
        c.prepare(folder);
        fs::path beside = temp.path / "beside";
        fs::path program = fs::exists(beside) ? beside / builtProgram().filename() : fs::path{};
        bool euc = std::string(c.locale) == eucJp;
        if (euc && !madeEucJpLocale()) {
            ADD_FAILURE() << c.what << ": no EUC-JP locale could be made (localedef, Debian's locales)";
            continue;
        }
        if (euc) setenv("LOCPATH", eucJpLocaleFolder().c_str(), 1);
        RunResult run = runTidewrit(folder, c.arguments, {}, c.terminal, c.locale, program);
        unsetenv("LOCPATH");
        // The screen in the locale's character set, the folder's name in its own bytes.
        bool utf8 = std::string(c.locale) == "C.UTF-8";
        auto inScreenSet = [utf8, euc](const std::string& text) {
            return utf8 ? text : euc ? fromUtf8(text, "EUC-JP-MS") : toSjis(text);
        };
        std::string screen;
        std::size_t start = 0;
        for (std::size_t at; (at = c.screen.find('{', start)) != std::string::npos;) {
            std::string placeholder = c.screen.substr(at, c.screen.find('}', at) + 1 - at);
            std::string name = (placeholder == "{beside}" ? beside : folder).string();
            std::replace_if(name.begin(), name.end(), [](char b) { return static_cast<unsigned char>(b) < 0x20 || b == 0x7F; }, '?');
            for (std::size_t c1; utf8 && (c1 = name.find("\xC2\x9B")) != std::string::npos;) name.replace(c1, 2, "?");
            if (!utf8) std::replace(name.begin(), name.end(), '\x9B', '?');  // C1 alone
            screen += inScreenSet(c.screen.substr(start, at - start)) + name;
            start = at + placeholder.size();
        }
        screen += inScreenSet(c.screen.substr(start));
        if (c.terminal == Terminal::none) {
            EXPECT_EQ(run.errors, screen) << c.what;
        } else if (run.status == 0 && c.terminal == Terminal::outputAndErrors) {
            // After the report, which comes first on the same screen.
            ASSERT_GE(run.screen.size(), screen.size()) << c.what;
            EXPECT_EQ(run.screen.substr(run.screen.size() - screen.size()), screen) << c.what;
            EXPECT_EQ(run.screen.find(screen), run.screen.size() - screen.size()) << c.what;
        } else {
            EXPECT_EQ(run.screen, screen) << c.what;
        }
    }
    fs::remove_all(eucJpLocaleFolder());
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

TEST(Options, EachReportAndOrderIsPrinted) {
    struct Case {
        std::vector<std::string> arguments;
        Report report;
        First first;
    };
    const Case cases[] = {
        {{}, Report::location, First::mid},
        {{"/s"}, Report::skill, First::mid},
        {{"/p"}, Report::parameter, First::mid},
        {{"/c"}, Report::csv, First::mid},
        {{"/t"}, Report::location, First::zed},
        {{"/n"}, Report::location, First::amy},
        {{"/S", "-t"}, Report::skill, First::zed},
        {{"/c", "/n"}, Report::csv, First::amy},
        // An earlier save changes nothing but the page.
        {{"/c", "/b", "SAVEDATA.CDS", "/n"}, Report::csv, First::amy},
        {{"/b", "none.CDS", "/t"}, Report::location, First::zed},
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
