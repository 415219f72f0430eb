// What both platforms share of finding and reading the input files.
#include "data/files.hpp"

#include <cstring>
#include <string_view>

#include "text/shift_jis.hpp"

bool startsIgnoringCase(const char* name, const char* start, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        if (name[i] == 0 || foldAsciiCase(static_cast<unsigned char>(name[i])) != foldAsciiCase(static_cast<unsigned char>(start[i]))) {
            return false;
        }
    }
    return true;
}

void keepNearMiss(NearMisses& found, const char* name, std::size_t length) {
    if (length > sizeof found.names[0]) return;
    std::string_view candidate(name, length);
    int at = found.count;
    while (at > 0 && candidate < std::string_view(found.names[at - 1], found.lengths[at - 1])) --at;
    if (at == nearMissLimit) return;
    if (found.count < nearMissLimit) ++found.count;
    for (int i = found.count - 1; i > at; --i) {
        std::memcpy(found.names[i], found.names[i - 1], found.lengths[i - 1]);
        found.lengths[i] = found.lengths[i - 1];
    }
    std::memcpy(found.names[at], name, length);
    found.lengths[at] = length;
}

namespace {

bool sameStamp(const FileStamp& a, const FileStamp& b) {
    return a.known == b.known && a.size == b.size && a.written.stamp == b.written.stamp &&
           a.writtenFine == b.writtenFine && a.changed == b.changed && a.changedFine == b.changedFine;
}

}  // namespace

std::size_t readSteadily(std::FILE* file, unsigned char* bytes, std::size_t size, bool& error, bool& changing,
                         FileTime& written, FileStamp (*stamp)(std::FILE*)) {
    constexpr int readings = 8;  // the first, and up to seven more
    static unsigned char again[saveImageSize];
    FileStamp before = stamp(file);
    long start = before.known ? std::ftell(file) : -1;
    std::size_t got = std::fread(bytes, 1, size, file);
    error = std::ferror(file) != 0;
    FileStamp after = stamp(file);
    written = after.written;
    changing = false;
    // A FIFO or a pipe has no stamp to compare, nor a start to go back to: it is read once.
    if (error || !before.known) return got;
    // A writer that rewrites the file in place changes neither its size nor its times while
    // it copies its bytes: two readings in a row must be equal, byte for byte, and the stamp
    // must not move during the second.
    for (int reading = 1; reading < readings && size <= sizeof again; ++reading) {
        if (start < 0 || std::fseek(file, start, SEEK_SET) != 0) break;
        before = after;
        std::size_t gotAgain = std::fread(again, 1, size, file);
        error = std::ferror(file) != 0;
        after = stamp(file);
        written = after.written;
        if (error) return gotAgain;
        if (gotAgain == got && sameStamp(before, after) && std::memcmp(bytes, again, got) == 0) return got;
        std::memcpy(bytes, again, gotAgain);
        got = gotAgain;
    }
    changing = true;
    return got;
}
