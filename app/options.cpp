#include "app/options.hpp"

#include "output/run_end.hpp"

void readOptions(int argc, char** argv, ReportMode& mode, SortKey& sortKey) {
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (argument[0] != '/' && argument[0] != '-') printUsageAndExit();
        switch (argument[1]) {
            case 's': case 'S': mode = ReportMode::skillList; break;
            case 'p': case 'P': mode = ReportMode::parameterList; break;
            case 'c': case 'C': mode = ReportMode::csv; break;
            case 't': case 'T': sortKey = SortKey::byLocation; break;
            case 'n': case 'N': sortKey = SortKey::byName; break;
            default: printUsageAndExit();
        }
    }
}
