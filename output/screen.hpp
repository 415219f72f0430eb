// Lines for a person at the screen, on standard error, so that a report sent to a file or a
// pipe keeps its exact bytes. They come in the screen's character set (a Windows console's
// Unicode interface, or the locale's character set on Linux), and nothing in them is a
// control character.
#pragma once

#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <string_view>

// A message line for the player, into the output after what is buffered. When the output is
// no screen (a file, a pipe) but standard error is one, the line is shown there too, so that
// the player sees it once.
void putMessage(const char* line);

// A line on standard error alone, wherever that goes.
void putError(const char* line);

// Screen lines: what only a person at the screen needs (where the program looked for its
// files, a town list of the wrong length). They are gathered as the run goes and shown on
// standard error at its very end, after the report or the usage block, and only when
// standard error is a terminal or a console: a file, a pipe or a spreadsheet never sees
// them.
bool screenLinesShown();

// What fills a sentence's "%s", in turn: the program's own text (code page 932, converted as
// the sentence is), a number, or a name that is no text of the program's (a file's, a
// folder's, an argument's), already as the screen takes it.
struct ScreenValue {
    const char* bytes;
    std::size_t length;
    bool converted;  // the program's text, to be converted for the screen
    unsigned number;
    ScreenValue(const char* text) : bytes(text), length(std::strlen(text)), converted(true), number(0) {}
    ScreenValue(unsigned value) : bytes(nullptr), length(0), converted(false), number(value) {}
    ScreenValue(const char* name, std::size_t nameLength) : bytes(name), length(nameLength), converted(false), number(0) {}
};

// One whole sentence of text/literals.txt, its "%s" filled with `values` in turn. A line
// that no longer fits among those gathered is left out whole.
void addScreenLine(const char* sentence, std::initializer_list<ScreenValue> values = {});

// A screen line about the input files (a town list off by some lines, a file that is no save,
// names alike but for case): added as addScreenLine adds it, and kept in code page 932 too,
// whether or not a screen shows it, so that the page can show it in the same words.
void addInputLine(const char* sentence, std::initializer_list<ScreenValue> values = {});

// The input lines kept so far, in code page 932, each ended by "\n".
std::string_view inputLines();

// Write out the screen lines gathered so far.
void showScreenLines();
