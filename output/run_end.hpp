// How a run ends: with its status, after the last lines for a person at the screen.
#pragma once

// End the process with `status`: show the screen lines, and then, in a console window of the
// program's own, which would close as soon as the program ends, a last hint, and wait for
// Enter. The caller has already written out the output with finishOutput; nothing here
// does.
[[noreturn]] void exitWaitingIfAlone(int status);

// Print the usage block on standard output alone: asked for (/?), it is no error.
void printUsage();

// Print the usage block and end the process with exit status 1. This is the program's only
// way of stopping on an error: a bad option, or an input file it cannot use.
[[noreturn]] void printUsageAndExit();
