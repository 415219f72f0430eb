#pragma once

// Print the usage block and end the process with exit status 1. This is the program's only
// way of stopping on an error: a bad option, or an input file it cannot use.
[[noreturn]] void printUsageAndExit();
