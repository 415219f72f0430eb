// What the run found, told to a person at the screen: the options and the loaders report
// their findings, and these turn them into the screen's lines (see addScreenLine) or, where
// the run cannot go on, into a message and the usage block.
#pragma once

#include "app/options.hpp"
#include "data/navigators.hpp"

// The argument not understood, quoted as typed, and what to do; else an option of joined
// letters, and how to write them; and /b with a report other than the page, which it does
// not change.
void sayArguments(const Options& options, char** argv);

// /h with the output on a screen: how to get the page instead.
void sayPageNotOnScreen();

// Which of several files named alike but for case was read, and a town list of other than
// 224 lines or longer than is read.
void sayTownList(const TownListFound& found);

// Which of several saves named alike but for case was read, and too many first names that
// are no text (after the report, as every screen line is).
void saySave(const SaveFound& found);

// Why an earlier save given by /b could not be compared with: missing, unreadable, changing
// at every reading, too short or no save. The page shows it too.
void sayEarlierSave(const SaveFound& found);

// End the run for an input file that cannot be used: `message`, the usage block, and on the
// screen where the program looked, what it found there of each file (`townList` as its open
// found it, `save` as its open or, after the town list failed, a look without opening
// found it), and where to run it.
[[noreturn]] void failForFiles(const char* message, FileState townList, FileState save);

// End the run for a save too short, or one that changed at every reading.
[[noreturn]] void failForSave(const SaveFound& found);

// The line for standard error that says the report could not be written, with `error`'s
// cause (an errno value): no space left, a reader that went away, or the system's own words.
const char* writeFailureLine(int error);
