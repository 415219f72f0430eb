#include "output/run_end.hpp"

#include <cstdlib>

#include "output/console.hpp"
#include "output/screen.hpp"
#include "text/literals.hpp"

void exitWaitingIfAlone(int status) {
    showScreenLines();
    holdConsoleWindow(closeWindow, sizeof closeWindow - 1);
    std::exit(status);
}
