// A terminal on Linux and the like, which takes bytes; no console window to hold.
#include "output/console.hpp"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

bool isScreen(std::FILE* file) { return isatty(fileno(file)) == 1; }

bool writeToFile(std::FILE* file, const char* bytes, std::size_t length) {
    int descriptor = fileno(file);
    if (descriptor < 0) return std::fwrite(bytes, 1, length, file) == length;  // a stream of memory
    while (length > 0) {
        ssize_t written = write(descriptor, bytes, length);
        if (written > 0) {
            bytes += written;
            length -= static_cast<std::size_t>(written);
        } else if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd ready = {descriptor, POLLOUT, 0};
            if (poll(&ready, 1, -1) < 0 && errno != EINTR) return false;
        } else if (written == 0 || errno != EINTR) {
            return false;
        }
    }
    return true;
}

bool writeToConsole(std::FILE*, const char*, std::size_t) { return false; }

void holdConsoleWindow(const char*, std::size_t) {}
