#include "support/game_folder.hpp"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

constexpr std::size_t postOffset = 165;
constexpr std::size_t entriesOffset = 37450;
constexpr std::size_t entrySize = 144;
constexpr std::size_t imageSize = entriesOffset + 205 * entrySize;

void putText(SaveImage& image, std::size_t at, std::size_t end, const std::string& text) {
    for (std::size_t i = 0; i < text.size() && at + i < end; ++i) image[at + i] = static_cast<unsigned char>(text[i]);
    if (at + text.size() < end) image[at + text.size()] = 0;
}

}  // namespace

SaveImage blankSaveImage() { return SaveImage(imageSize, 0); }

void putNavigator(SaveImage& image, int number, const SaveNavigator& navigator) {
    std::size_t entry = entriesOffset + static_cast<std::size_t>(number) * entrySize;
    std::size_t end = entry + entrySize;
    auto byte = [&](std::size_t offset, int value) { image[entry + offset] = static_cast<unsigned char>(value); };
    byte(0, navigator.leadership);
    byte(1, navigator.intellect);
    byte(2, navigator.combat);
    byte(3, navigator.charm);
    for (std::size_t j = 0; j < navigator.levels.size(); ++j) byte(11 + j, navigator.levels[j]);
    byte(38, navigator.fame & 0xFF);
    byte(39, navigator.fame >> 8);
    byte(46, navigator.location);
    byte(48, navigator.whereabouts);
    putText(image, entry + 50, end, navigator.name1);
    putText(image, entry + 69, end, navigator.name2);
}

void putFleetPosts(SaveImage& image, const std::array<int, 4>& numbers) {
    for (std::size_t post = 0; post < numbers.size(); ++post) image[postOffset + 2 * post] = static_cast<unsigned char>(numbers[post]);
}

std::string townListText(const std::vector<std::string>& lines, std::string_view newline) {
    std::string text;
    for (const std::string& line : lines) text.append(line).append(newline);
    return text;
}

std::vector<std::string> distinctTownNames(const std::string& stem, int count) {
    std::vector<std::string> names;
    for (int line = 0; line < count; ++line) {
        int town = 223 - line;
        names.push_back(town == 0 ? stem : town > 0 ? stem + std::to_string(town) : stem + "+" + std::to_string(line + 1));
    }
    return names;
}

void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("cannot write " + path.string());
}

void writeFile(const std::filesystem::path& path, const SaveImage& image) {
    writeFile(path, std::string_view(reinterpret_cast<const char*>(image.data()), image.size()));
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
