#include "app/options.hpp"

#include <cstring>
#include <initializer_list>

#include "data/files.hpp"
#include "data/navigators.hpp"
#include "output/output.hpp"
#include "output/run_end.hpp"
#include "output/screen.hpp"
#include "report/reports.hpp"
#include "text/literals.hpp"
#include "text/shift_jis.hpp"

namespace {

// Every option, in the usage block's order: its letter ('\0' for the report no option
// selects), what it selects (a report, an order, or the earlier save /b names), what
// runReport calls, and its line in the usage block (nullptr where the line before covers it).
enum class OptionKind { report, order, earlierSave };
struct Option {
    char letter;
    OptionKind kind;
    ReportMode mode;
    SortKey sortKey;
    void (*run)();
    const char* usage;
};
constexpr Option optionTable[] = {
    {'\0', OptionKind::report, ReportMode::locationList, SortKey::none, printLocationList, usageDefault},
    {'s', OptionKind::report, ReportMode::skillList, SortKey::none, printSkillList, usageSkill},
    {'p', OptionKind::report, ReportMode::parameterList, SortKey::none, printParameterList, usageParameter},
    {'c', OptionKind::report, ReportMode::csv, SortKey::none, printCsv, usageCsv},
    {'h', OptionKind::report, ReportMode::htmlPage, SortKey::none, printHtmlPage, usageHtml},
    {'b', OptionKind::earlierSave, ReportMode::locationList, SortKey::none, nullptr, usageEarlier},
    {'t', OptionKind::order, ReportMode::locationList, SortKey::byLocation, sortByLocation, usageSort},
    {'n', OptionKind::order, ReportMode::locationList, SortKey::byName, sortByName, nullptr},
};

// The option of letter `letter` (the one after "/" or "-"), in either case; nullptr if none.
// Only a letter can be one, so that a digit or a sign never is.
const Option* optionOf(char letter) {
    letter = static_cast<char>(foldAsciiCase(static_cast<unsigned char>(letter)));
    if (letter < 'a' || letter > 'z') return nullptr;
    for (const Option& option : optionTable) {
        if (option.letter == letter) return &option;
    }
    return nullptr;
}

// Take the report or the order of option letter `letter` into `options`; false if it is
// neither.
bool takeOption(char letter, Options& options) {
    const Option* option = optionOf(letter);
    if (option == nullptr || option->kind == OptionKind::earlierSave) return false;
    if (option->kind == OptionKind::report) options.mode = option->mode;
    if (option->kind == OptionKind::order) options.sortKey = option->sortKey;
    return true;
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
bool isEarlierOption(const char* argument) {
    const Option* option = isMarked(argument) ? optionOf(argument[1]) : nullptr;
    return option != nullptr && option->kind == OptionKind::earlierSave;
}

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

void runReport(const Options& options) {
    for (const Option& option : optionTable) {
        if (option.kind == OptionKind::order && option.sortKey == options.sortKey) option.run();
    }
    for (const Option& option : optionTable) {
        if (option.kind == OptionKind::report && option.mode == options.mode) option.run();
    }
}

namespace {

// The usage block: a rule, the title and the synopsis, each option's line, a rule.
template <typename Put>
void putUsage(Put put) {
    put(usageRule);
    put(usageTitle);
    put(usageSynopsis);
    for (const Option& option : optionTable) {
        if (option.usage != nullptr) put(option.usage);
    }
    put(usageRule);
}

}  // namespace

void printUsage() {
    putUsage([](const char* line) {
        putText(line);
        putNewline();
    });
}

void printUsageAndExit() {
    putUsage(putMessage);  // on the screen too when the output goes to a file
    finishOutput();
    exitWaitingIfAlone(1);
}
