// Writing synthetic game folders: save images and town lists, made here from scratch.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// One navigator as a save image holds it. Names are raw Shift-JIS bytes.
struct SaveNavigator {
    std::string name1;
    std::string name2;
    int location = 0;
    int whereabouts = 0;
    int leadership = 0;
    int intellect = 0;
    int combat = 0;
    int charm = 0;
    int fame = 0;
    std::array<int, 27> levels{};
};

using SaveImage = std::vector<unsigned char>;

// The first 66970 bytes of a save file (all the program reads), every byte zero.
SaveImage blankSaveImage();

// Write navigator `number`'s entry: the fields, then name1 with a zero byte after it at
// entry offset 50, then name2 with a zero byte after it at 69 (so a long name1 runs into
// name2's place, and a name2 may fill the entry to its end without a zero byte).
void putNavigator(SaveImage& image, int number, const SaveNavigator& navigator);

// The navigator numbers in the four fleet posts.
void putFleetPosts(SaveImage& image, const std::array<int, 4>& numbers);

// A town list: every line followed by `newline`. The first line names town 223.
std::string townListText(const std::vector<std::string>& lines, std::string_view newline = "\n");

// `count` lines of distinct town names, in a town list's order: town 0 (the 224th line) is
// `stem`, town N stem and N (Port17), and a line beyond the 224th stem and +, then its number.
std::vector<std::string> distinctTownNames(const std::string& stem, int count = 224);

void writeFile(const std::filesystem::path& path, std::string_view bytes);
void writeFile(const std::filesystem::path& path, const SaveImage& image);
std::string readFile(const std::filesystem::path& path);
