#include "output/run_end.hpp"

#include <cstdlib>
#include <initializer_list>

#include "output/console.hpp"
#include "output/output.hpp"
#include "output/screen.hpp"
#include "text/literals.hpp"

void exitWaitingIfAlone(int status) {
    showScreenLines();
    holdConsoleWindow(closeWindow, sizeof closeWindow - 1);
    std::exit(status);
}

void printUsageAndExit() {
    for (const char* line : {usageRule, usageTitle, usageSynopsis, usageDefault, usageSkill, usageParameter, usageCsv,
                             usageHtml, usageSort, usageRule}) {
        putMessage(line);  // on the screen too when the output goes to a file
    }
    finishOutput();
    exitWaitingIfAlone(1);
}
