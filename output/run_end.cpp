#include "output/run_end.hpp"

#include <cstdlib>

#include "output/console.hpp"
#include "output/output.hpp"
#include "output/screen.hpp"
#include "text/literals.hpp"

void exitWaitingIfAlone(int status) {
    showScreenLines();
    holdConsoleWindow(closeWindow, sizeof closeWindow - 1);
    std::exit(status);
}

namespace {

constexpr const char* usageLines[] = {usageRule, usageTitle, usageSynopsis, usageDefault, usageSkill,
                                      usageParameter, usageCsv, usageHtml, usageEarlier, usageSort, usageRule};

}  // namespace

void printUsage() {
    for (const char* line : usageLines) {
        putText(line);
        putNewline();
    }
}

void printUsageAndExit() {
    for (const char* line : usageLines) putMessage(line);  // on the screen too when the output goes to a file
    finishOutput();
    exitWaitingIfAlone(1);
}
