// Ordering the navigator table by town or by name.
#include <algorithm>

#include "data/navigators.hpp"
#include "text/shift_jis.hpp"

namespace {

using Compare = int (*)(const NavigatorRecord&, const NavigatorRecord&);

// Each record to the place ranksBy gives it, so that the table and a page that sorts its rows
// by the same ranks always agree.
void sortTable(Compare compare) {
    NavigatorRanks ranks = ranksBy(compare);
    NavigatorTable sorted;
    for (const NavigatorRecord& record : navigatorTable) sorted[ranks[record.number]] = record;
    navigatorTable = sorted;
}

}  // namespace

int compareByLocation(const NavigatorRecord& a, const NavigatorRecord& b) {
    return a.location < b.location ? -1 : (a.location == b.location ? 0 : 1);
}

int compareByName(const NavigatorRecord& a, const NavigatorRecord& b) {
    // Up to and including the zero byte, so a text that ends first goes first. A single-byte
    // character is folded; a double-byte one is compared as it stands, its second byte too
    // (katakana カ is 83 4A: folded, it would sort after デ, 83 66). Up to the first
    // difference both names are alike, so their characters begin at the same bytes.
    for (std::size_t at = 0; at < nameSize;) {
        std::size_t size = characterSize(a.name1, at, nameSize);
        for (std::size_t i = at; i < at + size; ++i) {
            auto x = static_cast<unsigned char>(a.name1[i]);
            auto y = static_cast<unsigned char>(b.name1[i]);
            if (size == 1) x = foldAsciiCase(x), y = foldAsciiCase(y);
            if (x != y) return x < y ? -1 : 1;
            if (x == 0) return 0;
        }
        at += size;
    }
    return 0;
}

void sortByLocation() {
    sortTable(compareByLocation);
    tableOrder = TableOrder::byLocation;
}

void sortByName() {
    sortTable(compareByName);
    tableOrder = TableOrder::byName;
}

NavigatorRanks ranksBy(Compare compare) {
    // Among equal keys, save order: the order of the numbers, each a record's own.
    std::array<const NavigatorRecord*, navigatorCount> order;
    for (int row = 0; row < navigatorCount; ++row) order[row] = &navigatorTable[row];
    std::sort(order.begin(), order.end(), [compare](const NavigatorRecord* a, const NavigatorRecord* b) {
        int result = compare(*a, *b);
        return result != 0 ? result < 0 : a->number < b->number;
    });
    NavigatorRanks ranks{};
    for (int rank = 0; rank < navigatorCount; ++rank) ranks[order[rank]->number] = static_cast<std::uint8_t>(rank);
    return ranks;
}

NavigatorRanks ranksIn(TableOrder order) {
    if (tableOrder != order) return ranksBy(order == TableOrder::byLocation ? compareByLocation : compareByName);
    NavigatorRanks ranks{};
    for (int row = 0; row < navigatorCount; ++row) ranks[navigatorTable[row].number] = static_cast<std::uint8_t>(row);
    return ranks;
}
