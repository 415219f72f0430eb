// Running the built program in a folder, as a user would.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A fresh, empty folder, removed with everything in it at the end of the test.
struct TempFolder {
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::filesystem::path path;
};

struct RunResult {
    std::string output;  // standard output, byte for byte
    std::string errors;  // standard error
    std::string screen;  // what a terminal showed, without CRs
    int status = -1;     // exit status, or -1 if the program did not exit normally
};

// Which of the program's streams go to a terminal (POSIX only), whose text is `screen`.
enum class Terminal { none, errors, outputAndErrors };

// The program as built, which the tests run.
std::filesystem::path builtProgram();

// Run the program with `arguments` and `folder` as its current directory. Its standard
// output goes to `outputPath` when one is given (and `output` stays empty). On POSIX it runs
// in `locale` (LC_ALL), the C locale unless another is given, and `program` may name a copy
// of the built program to run instead.
RunResult runTidewrit(const std::filesystem::path& folder, const std::vector<std::string>& arguments,
                      const std::filesystem::path& outputPath = {}, Terminal terminal = Terminal::none,
                      const char* locale = "C", const std::filesystem::path& program = {});

#ifndef _WIN32
// A FIFO at `path`, through which a process of its own serves each of `contents` in turn to
// the next program that opens it, and then ends (after a minute at the latest). With
// `removeFolder`, the FIFO's folder and all in it are removed as the first reader opens it,
// before the content is written.
void serveThroughFifo(const std::filesystem::path& path, const std::vector<std::string>& contents,
                      bool removeFolder = false);

// A FIFO at `path` that a reader opens and at once closes again: output written into it
// meets a pipe whose reader has gone.
void fifoWithoutReader(const std::filesystem::path& path);
#endif
