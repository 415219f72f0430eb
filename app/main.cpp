// Tidewrit: run in the game's folder, it prints one report on the 205 navigators of the
// saved game. The whole run is one straight pass: options, both input files, an optional
// sort, one report.
#include "app/options.hpp"
#include "data/navigators.hpp"
#include "output/output.hpp"
#include "output/run_end.hpp"
#include "output/screen.hpp"
#include "report/reports.hpp"

int main(int argc, char** argv) {
    Options options = readOptions(argc, argv);
    explainArguments(options, argv);
    if (options.notUnderstood != 0) printUsageAndExit();

    loadTownNames();
    loadNavigators();
    loadFleetPosts();

    switch (options.sortKey) {
        case SortKey::none: break;
        case SortKey::byLocation: sortByLocation(); break;
        case SortKey::byName: sortByName(); break;
    }

    switch (options.mode) {
        case ReportMode::locationList: printLocationList(); break;
        case ReportMode::skillList: printSkillList(); break;
        case ReportMode::parameterList: printParameterList(); break;
        case ReportMode::csv: printCsv(); break;
        case ReportMode::htmlPage: printHtmlPage(); break;
    }

    if (!finishOutput()) {
        putError(writeFailureLine(outputError()));
        exitWaitingIfAlone(1);
    }
    exitWaitingIfAlone(0);
}
