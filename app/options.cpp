#include "app/options.hpp"

#include <cstring>
#include <initializer_list>

#include "data/files.hpp"

namespace {

// Take the option letter `letter` (the one after "/" or "-") into `options`; false if it is
// none.
bool takeOption(char letter, Options& options) {
    switch (letter) {
        case 's': case 'S': options.mode = ReportMode::skillList; return true;
        case 'p': case 'P': options.mode = ReportMode::parameterList; return true;
        case 'c': case 'C': options.mode = ReportMode::csv; return true;
        case 'h': case 'H': options.mode = ReportMode::htmlPage; return true;
        case 't': case 'T': options.sortKey = SortKey::byLocation; return true;
        case 'n': case 'N': options.sortKey = SortKey::byName; return true;
        default: return false;
    }
}

// Each letter after the first is an option letter too: the player meant several options.
bool joinsLetters(const char* argument) {
    if (argument[2] == '\0') return false;
    Options scratch;
    for (const char* c = argument + 2; *c != '\0'; ++c) {
        if (!takeOption(*c, scratch)) return false;
    }
    return true;
}

// Whether `argument` is an option, begun by "/" or "-".
bool isMarked(const char* argument) { return argument[0] == '/' || argument[0] == '-'; }

// Whether `argument` is /b, which takes the argument after it as an earlier save's name.
bool isEarlierOption(const char* argument) { return isMarked(argument) && (argument[1] == 'b' || argument[1] == 'B'); }

}  // namespace

Options readOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "/?") == 0 || std::strcmp(argument, "-?") == 0 || std::strcmp(argument, "--help") == 0) {
            options.help = true;
            break;
        }
        if (isEarlierOption(argument)) {
            if (i + 1 == argc) {
                options.notUnderstood = i;
                break;
            }
            options.earlier = ++i;
            continue;
        }
        if (!isMarked(argument) || !takeOption(argument[1], options)) {
            options.notUnderstood = i;
            break;
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
    if (isEarlierOption(argument)) return Misread::earlierWithoutName;
    return isMarked(argument) && static_cast<unsigned char>(argument[1]) >= 0x80 ? Misread::fullWidth : Misread::unknown;
}
