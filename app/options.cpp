#include "app/options.hpp"

#include <cstring>
#include <initializer_list>

#include "data/files.hpp"
#include "output/screen.hpp"
#include "text/literals.hpp"

namespace {

bool isOptionLetter(char c) { return c != '\0' && std::strchr("spctnSPCTN", c) != nullptr; }

// Each letter after the first is an option letter too: the player meant several options.
bool joinsLetters(const char* argument) {
    if (argument[2] == '\0') return false;
    for (const char* c = argument + 2; *c != '\0'; ++c) {
        if (!isOptionLetter(*c)) return false;
    }
    return true;
}

}  // namespace

Options readOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (argument[0] != '/' && argument[0] != '-') {
            options.notUnderstood = i;
            break;
        }
        switch (argument[1]) {
            case 's': case 'S': options.mode = ReportMode::skillList; break;
            case 'p': case 'P': options.mode = ReportMode::parameterList; break;
            case 'c': case 'C': options.mode = ReportMode::csv; break;
            case 't': case 'T': options.sortKey = SortKey::byLocation; break;
            case 'n': case 'N': options.sortKey = SortKey::byName; break;
            default: options.notUnderstood = i; return options;
        }
        if (options.joinedLetters == 0 && joinsLetters(argument)) options.joinedLetters = i;
    }
    return options;
}

Misread misreadOf(const char* argument) {
    if (argument[0] != '\0' && presenceOf(argument) == FileState::readable) return Misread::fileName;
    // ／, － and ー in code page 932 (a Japanese Windows) and in UTF-8 (a Linux terminal).
    for (const char* mark : {"\x81\x5E", "\x81\x7C", "\x81\x5B", "\xEF\xBC\x8F", "\xEF\xBC\x8D", "\xE3\x83\xBC"}) {
        if (std::strncmp(argument, mark, std::strlen(mark)) == 0) return Misread::fullWidth;
    }
    bool mark = argument[0] == '/' || argument[0] == '-';
    return mark && static_cast<unsigned char>(argument[1]) >= 0x80 ? Misread::fullWidth : Misread::unknown;
}

void explainArguments(const Options& options, char** argv) {
    if (!screenLinesShown()) return;
    if (options.notUnderstood != 0) {
        const char* argument = argv[options.notUnderstood];
        addScreenText(quoteOpen);
        addScreenArgument(argument);
        addScreenText(argumentNotUnderstood);
        addScreenText("\n");
        switch (misreadOf(argument)) {
            case Misread::unknown: return;
            case Misread::fileName: addScreenText(fileNameHint); break;
            case Misread::fullWidth: addScreenText(fullWidthHint); break;
        }
        addScreenText("\n");
    } else if (options.joinedLetters != 0) {
        // 「/pt」は /p として読んだよ … /p /t のように分けて書いてね
        const char* argument = argv[options.joinedLetters];
        addScreenText(quoteOpen);
        addScreenArgument(argument);
        addScreenText(lettersReadAs);
        const char first[] = {argument[0], argument[1], '\0'};
        addScreenText(first);
        addScreenText(lettersOnlyOne);
        for (const char* letter = argument + 1; *letter != '\0'; ++letter) {
            const char option[] = {' ', argument[0], *letter, '\0'};
            addScreenText(letter == argument + 1 ? option + 1 : option);
        }
        addScreenText(lettersSplit);
        addScreenText("\n");
    }
}
