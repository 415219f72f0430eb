#include "app/screen_lines.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <utility>

#include "data/files.hpp"
#include "output/run_end.hpp"
#include "output/screen.hpp"
#include "text/screen_text.hpp"
#include "text/encoding.hpp"
#include "text/literals.hpp"

namespace {

// An argument is quoted on the screen up to this many bytes, then "…".
constexpr std::size_t quotedArgumentLimit = 40;

// `argument` as the screen takes it, cut to quotedArgumentLimit bytes and "…" after a cut;
// valid until the next call.
ScreenValue quoted(const char* argument) {
    static char shown[4 * 4096];
    std::size_t length = argumentAsScreenText(argument, shown, sizeof shown - 16);
    std::size_t cut = screenTextStart(shown, length, quotedArgumentLimit);
    if (cut < length) cut += toScreenText(quoteCut, sizeof quoteCut - 1, shown + cut, 16);
    return ScreenValue(shown, cut);
}

// A file's path as the screen takes it, cut to its last quotedArgumentLimit bytes and "…"
// before a cut, so that the file's own name shows; valid until the next call.
ScreenValue quotedEnd(const char* path) {
    // The path goes after room for the "…" that may go before its end.
    constexpr std::size_t cutRoom = 16;
    static char shown[4 * 4096];
    char* whole = shown + cutRoom;
    std::size_t length = argumentAsScreenText(path, whole, sizeof shown - cutRoom);
    std::size_t from = screenTextEnd(whole, length, quotedArgumentLimit);
    if (from == 0) return ScreenValue(whole, length);
    std::size_t cut = toScreenText(quoteCut, sizeof quoteCut - 1, shown, cutRoom);
    std::memmove(shown + cut, whole + from, length - from);
    return ScreenValue(shown, cut + length - from);
}

// A folder's whole name as `folderName` gives it, or that it cannot be had; valid until the
// next call.
ScreenValue folder(std::size_t (*folderName)(char* out, std::size_t room)) {
    static char name[8192];
    std::size_t length = folderName(name, sizeof name);
    return length > 0 ? ScreenValue(name, length) : ScreenValue(folderUnknown);
}

void sayCaseVariants(const char* name, const FileFound& found) {
    if (found.variants < 2) return;
    addInputLine(caseVariants, {name, found.variants, ScreenValue(found.nameRead, std::strlen(found.nameRead))});
}

// Whether `found` is `name` with a number in brackets before its extension, as a browser
// names a file it saves beside one of the same name: townlist (1).txt, townlist(12).txt.
bool isNumberedCopy(const char* found, std::size_t length, const char* name) {
    std::size_t stem = std::strcspn(name, ".");
    std::size_t extension = std::strlen(name) - stem;
    if (length < stem + 3 + extension || !startsIgnoringCase(found, name, stem) ||
        !startsIgnoringCase(found + length - extension, name + stem, extension)) {
        return false;
    }
    std::size_t at = stem + (found[stem] == ' ' ? 1 : 0);
    std::size_t close = length - extension - 1;
    if (found[at] != '(' || found[close] != ')' || close == at + 1) return false;
    for (std::size_t digit = at + 1; digit < close; ++digit) {
        if (found[digit] < '0' || found[digit] > '9') return false;
    }
    return true;
}

// Files named almost as `name`, each with the name it needs. A name that is `name` and .txt
// more is most often one given in Explorer, which hides the extension it already has; one
// with a number in brackets, one a browser saved. Returns how many were named.
int sayNearMisses(const char* name) {
    NearMisses found;
    findNearMisses(name, found);
    std::size_t length = std::strlen(name);
    for (int i = 0; i < found.count; ++i) {
        ScreenValue nearMiss(found.names[i], found.lengths[i]);
        if (found.lengths[i] == length + 4 && startsIgnoringCase(found.names[i], name, length) &&
            startsIgnoringCase(found.names[i] + length, ".txt", 4)) {
            addScreenLine(renameHiddenExtension, {nearMiss, name, ScreenValue(name, std::strcspn(name, ".")), name});
        } else if (isNumberedCopy(found.names[i], found.lengths[i], name)) {
            addScreenLine(renameDownloaded, {nearMiss, name});
        } else {
            addScreenLine(renameToRead, {nearMiss, name});
        }
    }
    return found.count;
}

}  // namespace

void sayArguments(const Options& options, char** argv) {
    if (!screenLinesShown()) return;
    if (options.notUnderstood != 0) {
        const char* argument = argv[options.notUnderstood];
        Misread misread = misreadOf(argument);
        addScreenLine(argumentNotUnderstood, {misread == Misread::fileName ? quotedEnd(argument) : quoted(argument)});
        switch (misread) {
            case Misread::unknown: break;
            case Misread::fileName: addScreenLine(fileNameHint); break;
            case Misread::fullWidth: addScreenLine(fullWidthHint); break;
            case Misread::earlierWithoutName: addScreenLine(earlierNameMissing); break;
        }
    } else if (options.joinedLetters != 0) {
        // 「/pt」は /p として読んだよ … /p /t のように分けて書いてね
        const char* argument = argv[options.joinedLetters];
        const char first[] = {argument[0], argument[1], '\0'};
        char split[4 * quotedArgumentLimit];
        std::size_t length = 0;
        for (std::size_t at = 1; argument[at] != '\0'; ++at) {
            if (at >= quotedArgumentLimit) {
                split[length++] = ' ';
                std::memcpy(split + length, quoteCut, sizeof quoteCut - 1);
                length += sizeof quoteCut - 1;
                break;
            }
            if (length > 0) split[length++] = ' ';
            split[length++] = argument[0];
            split[length++] = argument[at];
        }
        split[length] = '\0';
        addScreenLine(lettersReadAs, {quoted(argument), first, split});
    }
    if (options.earlier != 0 && options.mode != ReportMode::htmlPage) addScreenLine(earlierOnlyForPage);
}

void sayPageNotOnScreen() {
    addScreenLine(pageNotOnScreen);
    addScreenLine(pageByBatchFile);
}

void sayTownList(const TownListFound& found) {
    sayCaseVariants(townListName, found.file);
    // A line too many or too few moves every town name below it: say so, as the report
    // itself cannot show it. Past the part read, the lines are not counted.
    if (found.longer) {
        addInputLine(townListLonger, {static_cast<unsigned>(townListReadLimit)});
    } else if (found.lines != townCount) {
        addInputLine(townListLines, {static_cast<unsigned>(found.lines)});
    }
}

void saySave(const SaveFound& found) {
    sayCaseVariants(saveFileName, found.file);
    if (!looksLikeSave(found)) {
        addInputLine(notASave, {static_cast<unsigned>(navigatorCount), static_cast<unsigned>(found.namesNotText)});
    }
}

void sayEarlierSave(const SaveFound& found) {
    if (found.file.state != FileState::readable) {
        addInputLine(found.file.state == FileState::missing ? earlierMissing : earlierUnreadable);
    } else if (found.changing) {
        addInputLine(earlierChanging);
    } else if (found.size < saveImageSize) {
        addInputLine(earlierShort, {static_cast<unsigned>(found.size), static_cast<unsigned>(saveImageSize)});
    } else if (!looksLikeSave(found)) {
        addInputLine(earlierNotASave, {static_cast<unsigned>(navigatorCount), static_cast<unsigned>(found.namesNotText)});
    }
}

// A player who sees a file's message most often ran the program in the wrong folder. So the
// screen also says which folder was searched and which of the two files are not there, the
// save file too when the town list was missed first, with the files there named almost so;
// and where to run the program: where the missing files are beside the program, there,
// else in the game's folder; but nothing of it where the save is here and each missing file
// has a file to rename, which is all there is to do.
void failForFiles(const char* message, FileState townList, FileState save) {
    if (screenLinesShown()) {
        addScreenLine(lookedIn, {folder(currentFolderName)});
        const char* missing[2];
        int missed = 0;
        bool allBesideProgram = true;
        bool allToRename = save == FileState::readable;
        for (auto [name, state] : {std::pair{townListName, townList}, std::pair{saveFileName, save}}) {
            if (state == FileState::readable) continue;
            addScreenLine(state == FileState::missing ? fileNotFound : fileUnreadable, {name});
            bool besideProgram = state == FileState::missing && presenceBesideProgram(name) == FileState::readable;
            if (state == FileState::missing) {
                int nearMisses = sayNearMisses(name);
                allToRename = nearMisses > 0 && allToRename;
                missing[missed++] = name;
                // No list here, nor one to rename (the template would be one): where to get one.
                if (nearMisses == 0 && !besideProgram && std::strcmp(name, townListName) == 0) addScreenLine(templateWhere);
            } else {
                allToRename = false;
            }
            allBesideProgram = allBesideProgram && besideProgram;
        }
        // The missing files are all in the folder that holds the program: it was started
        // elsewhere (a shortcut's working folder, or its whole path typed at a prompt).
        if (missed > 0 && allBesideProgram) {
            addScreenLine(programFolderIs, {folder(programFolderName)});
            if (missed == 1) {
                addScreenLine(oneBesideProgram, {missing[0]});
            } else {
                addScreenLine(bothBesideProgram, {missing[0], missing[1]});
            }
            addScreenLine(besideProgramHow);
        } else if (!allToRename) {
            addScreenLine(runInGameFolder);
        }
    }
    putMessage(message);
    printUsageAndExit();
}

void failForSave(const SaveFound& found) {
    if (found.changing) {
        putMessage(saveChanging);
    } else {
        // Most likely no save of the game, or a copy that ended early.
        addScreenLine(saveShort, {static_cast<unsigned>(found.size), static_cast<unsigned>(saveImageSize)});
        addScreenLine(saveShortWhatToDo);
        putMessage(saveFileShort);
    }
    printUsageAndExit();
}

const char* writeFailureLine(int error) {
    static char line[1024];
    const char* cause = error == ENOSPC ? noSpaceLeft : error == EPIPE ? readerWentAway : std::strerror(error);
    std::snprintf(line, sizeof line, reportNotWritten, cause);
    return line;
}
