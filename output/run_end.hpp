// How a run ends: with its status, after the last lines for a person at the screen.
#pragma once

// End the process with `status`: show the screen lines, and then, in a console window of the
// program's own, which would close as soon as the program ends, a last hint, and wait for
// Enter. The caller has already written out the output with finishOutput; nothing here
// does.
[[noreturn]] void exitWaitingIfAlone(int status);
