#pragma once

enum class ReportMode { locationList, skillList, parameterList, csv, htmlPage };
enum class SortKey { none, byLocation, byName };

// What the arguments ask for. Positions are in the argument vector; 0 is none.
struct Options {
    ReportMode mode = ReportMode::locationList;
    SortKey sortKey = SortKey::none;
    bool help = false;      // /?, -? or --help: the usage block is all that is asked for
    int notUnderstood = 0;  // the first argument not understood; those after it are not read
    int joinedLetters = 0;  // the first option followed by option letters only, as /pt (read as /p)
    int earlier = 0;        // the name after /b: an earlier save the page is compared with
};

// Examine every argument after the program's path. Each must begin with "/" or "-"; only
// its second character counts, in either case (/skill is /s). A later option overrides an
// earlier one of the same kind. /b takes the argument after it as the name of an earlier
// save; without one it is not understood. The first argument not understood ends the
// examination, and so does one that asks for help (/?, -? or --help, exactly so).
Options readOptions(int argc, char** argv);

// Sort the table as `options` ask, then print the report they ask for.
void runReport(const Options& options);

// Print the usage block on standard output alone: asked for (/?), it is no error.
void printUsage();

// Print the usage block and end the process with exit status 1. This is the program's only
// way of stopping on an error: a bad option, or an input file it cannot use.
[[noreturn]] void printUsageAndExit();

// What an argument not understood most likely is: a file's path (a file dropped onto the
// program), a full-width ／, － or ー, or a / or - before a full-width letter (typed with
// the IME on), /b at the end, without the name it takes, or anything else.
enum class Misread { unknown, fileName, fullWidth, earlierWithoutName };
Misread misreadOf(const char* argument);
