// Tidewrit: run in the game's folder, it prints one report on the 205 navigators of the
// saved game. The whole run is one straight pass: options, both input files (and for the
// page an earlier save to compare with), an optional sort, one report.
#include "app/options.hpp"
#include "app/screen_lines.hpp"
#include "data/files.hpp"
#include "data/navigators.hpp"
#include "output/output.hpp"
#include "output/run_end.hpp"
#include "output/screen.hpp"
#include "text/literals.hpp"

int main(int argc, char** argv) {
    Options options = readOptions(argc, argv);
    sayArguments(options, argv);
    if (options.help) {
        printUsage();
        exitWaitingIfAlone(finishOutput() ? 0 : 1);
    }
    if (options.notUnderstood != 0) printUsageAndExit();
    // The page is for a browser: on a screen it would be only its code.
    if (options.mode == ReportMode::htmlPage && outputIsScreen()) {
        sayPageNotOnScreen();
        printUsageAndExit();
    }

    // The page shows the lines on the input files too, whatever the screen.
    bool countVariants = screenLinesShown() || options.mode == ReportMode::htmlPage;
    TownListFound towns = loadTownNames(countVariants);
    if (towns.file.state != FileState::readable) failForFiles(townListMissing, towns.file.state, presenceOf(saveFileName));
    sayTownList(towns);
    SaveFound save = loadNavigators(countVariants);
    if (save.file.state != FileState::readable) failForFiles(saveFileMissing, FileState::readable, save.file.state);
    saySave(save);
    if (save.changing || save.size < saveImageSize) failForSave(save);
    // The page alone is compared with an earlier save; one that cannot be read is left out.
    if (options.earlier != 0 && options.mode == ReportMode::htmlPage) sayEarlierSave(loadEarlierSave(argv[options.earlier]));

    runReport(options);

    if (!finishOutput()) {
        putError(writeFailureLine(outputError()));
        exitWaitingIfAlone(1);
    }
    exitWaitingIfAlone(0);
}
