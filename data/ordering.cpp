// Ordering the navigator table by town or by name.
#include <algorithm>

#include "data/navigators.hpp"

namespace {

// Only the ASCII capitals are folded, byte by byte, including the second byte of a
// double-byte character.
unsigned char foldCase(char byte) {
    auto value = static_cast<unsigned char>(byte);
    return (value >= 0x41 && value <= 0x5A) ? static_cast<unsigned char>(value + 0x20) : value;
}

template <int (*compare)(const NavigatorRecord&, const NavigatorRecord&)>
void sortTable() {
    std::stable_sort(navigatorTable.begin(), navigatorTable.end(),
                     [](const NavigatorRecord& a, const NavigatorRecord& b) { return compare(a, b) < 0; });
}

}  // namespace

int compareByLocation(const NavigatorRecord& a, const NavigatorRecord& b) {
    return a.location < b.location ? -1 : (a.location == b.location ? 0 : 1);
}

int compareByName(const NavigatorRecord& a, const NavigatorRecord& b) {
    // Up to and including the zero byte, so a text that ends first goes first.
    for (std::size_t i = 0; i < nameSize; ++i) {
        unsigned char x = foldCase(a.name1[i]);
        unsigned char y = foldCase(b.name1[i]);
        if (x != y) return x < y ? -1 : 1;
        if (x == 0) break;
    }
    return 0;
}

void sortByLocation() { sortTable<compareByLocation>(); }
void sortByName() { sortTable<compareByName>(); }
