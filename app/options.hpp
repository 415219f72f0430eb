#pragma once

enum class ReportMode { locationList, skillList, parameterList, csv };
enum class SortKey { none, byLocation, byName };

// Examine every argument after the program's path. Each must begin with "/" or "-"; only
// its second character counts, in either case (/skill is /s). A later option overrides an
// earlier one of the same kind. The first bad argument ends the run with the usage block.
void readOptions(int argc, char** argv, ReportMode& mode, SortKey& sortKey);
