#include "text/usage.hpp"

#include <initializer_list>

#include "text/output.hpp"
#include "text/sjis.hpp"

void printUsageAndExit() {
    for (const char* line : {usageRule, usageTitle, usageSynopsis, usageDefault, usageSkill, usageParameter, usageCsv,
                             usageSort, usageRule}) {
        putMessage(line);  // on the screen too when the output goes to a file
    }
    finishOutput();
    endRun(1);
}
