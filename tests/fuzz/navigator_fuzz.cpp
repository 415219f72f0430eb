// The fuzz target: arbitrary bytes become a town list and a save file, and go through both
// readers (the town list's encoding detection and conversion among them), every ordering
// and every report.
//
// The input's first two bytes, little-endian, give the length of the town list that
// follows them (cut to what is there); the rest is the save file. Since the program
// refuses a save file too short to hold every navigator, the save bytes are repeated to
// fill a whole save image: a short input still reaches every navigator entry and the fleet
// posts. No save bytes at all make an image of zero bytes.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "data/navigators.hpp"
#include "output/output.hpp"
#include "report/reports.hpp"

namespace {

// The town list as a stream, the way the program reads its file.
std::FILE* openTownList(const std::uint8_t* data, std::size_t size) {
#ifdef _WIN32
    std::FILE* file = std::tmpfile();
    if (file != nullptr) {
        std::fwrite(data, 1, size, file);
        std::rewind(file);
    }
    return file;
#else
    static std::string bytes;
    bytes.assign(reinterpret_cast<const char*>(data), size);
    return fmemopen(bytes.data(), bytes.size(), "rb");
#endif
}

// Where the reports go: nowhere, as fast as possible.
std::FILE* sink() {
#ifdef _WIN32
    static std::FILE* file = std::fopen("NUL", "wb");
#else
    static std::FILE* file = std::fopen("/dev/null", "wb");
#endif
    if (file == nullptr) std::abort();
    return file;
}

void printEveryReport() {
    printLocationList();
    printSkillList();
    printParameterList();
    printCsv();
    printHtmlPage();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::size_t prefix = std::min<std::size_t>(size, 2);
    std::size_t townListSize = size >= 2 ? std::min<std::size_t>(data[0] | data[1] << 8, size - 2) : 0;
    const std::uint8_t* townList = data + prefix;
    const std::uint8_t* save = townList + townListSize;
    std::size_t saveSize = size - prefix - townListSize;

    std::FILE* file = openTownList(townList, townListSize);
    if (file == nullptr) std::abort();
    readTownNames(file);
    std::fclose(file);

    // The save bytes once, then the image so far copied after itself until it is full.
    static unsigned char image[saveImageSize];
    std::size_t filled = std::min(saveSize, saveImageSize);
    if (filled > 0) {
        std::memcpy(image, save, filled);
    } else {
        image[filled++] = 0;
    }
    for (; filled < saveImageSize; filled *= 2) std::memcpy(image + filled, image, std::min(filled, saveImageSize - filled));
    fillNavigators(image);

    setOutput(sink());
    printEveryReport();
    sortByLocation();
    printEveryReport();
    sortByName();
    printEveryReport();
    if (!finishOutput()) std::abort();
    return 0;
}
