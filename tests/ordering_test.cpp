// The two sort orders: by town index, and by name with the single-byte A..Z folded.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "support/tables.hpp"

namespace {

int sign(int value) { return (value > 0) - (value < 0); }

std::vector<int> numbersInTableOrder() {
    std::vector<int> numbers;
    for (const NavigatorRecord& record : navigatorTable) numbers.push_back(record.number);
    return numbers;
}

}  // namespace

TEST(Ordering, CompareByName) {
    struct Case {
        std::string a, b;
        int expected;
    };
    const Case cases[] = {
        {"abc", "ABD", -1},
        {"ABC", "abc", 0},
        {"ab", "abc", -1},             // a prefix goes first
        {"abc", "ab", 1},
        {"", "a", -1},                 // an empty name before every other
        {"", "", 0},
        {"[", "A", -1},                // 0x5B against 0x41, which folds to 0x61
        {"a", "\x82\xA0", -1},         // bytes compare unsigned
        {"\x83\x41", "\x83\x61", -1},  // ア, ャ: a second byte is never folded
        {"\x83\x5B", "\x83\x41", 1},
        {"\x83\x4A", "\x83\x66", -1},  // カ before デ, where a fold would put it after
        {"\x83\x57", "\x83\x66", -1},  // ジ before デ
        {"\x83\x66", "\x83\x43", 1},   // デ after イ
        {"A\x83\x4A", "a\x83\x4A", 0},  // a single byte before a double-byte character still folds
        {"\x82\xA0Z", "\x82\xA0z", 0},  // and after one
        {"\x82\xA0", "\x83\x4A", -1},  // hiragana before katakana
        {"Zed", "zed", 0},
        {"@", "`", -1},                // only A..Z fold: 0x40 and 0x60 stay apart
        {std::string(40, 'a'), std::string(40, 'a'), 0},  // a full field: nothing after it counts
    };
    for (const Case& c : cases) {
        NavigatorRecord a{}, b{};
        std::memcpy(a.name1, c.a.data(), std::min(c.a.size(), nameSize));
        std::memcpy(b.name1, c.b.data(), std::min(c.b.size(), nameSize));
        std::strcpy(a.name2, "zzz");  // name2 takes no part
        std::strcpy(b.name2, "aaa");
        EXPECT_EQ(sign(compareByName(a, b)), c.expected) << c.a << " / " << c.b;
    }
}

TEST(Ordering, CompareByLocation) {
    const int cases[][3] = {{5, 200, -1}, {200, 5, 1}, {7, 7, 0}, {230, 200, 1}, {255, 0, 1}, {0, 224, -1}};
    for (const auto& c : cases) {
        NavigatorRecord a{}, b{};
        a.location = static_cast<std::uint8_t>(c[0]);
        b.location = static_cast<std::uint8_t>(c[1]);
        EXPECT_EQ(sign(compareByLocation(a, b)), c[2]) << c[0] << " / " << c[1];
    }
}

// The ranks give the sort's order from any order of the table.
void expectRanksGiveOrder(int (*compare)(const NavigatorRecord&, const NavigatorRecord&),
                          const std::vector<int>& order) {
    std::reverse(navigatorTable.begin(), navigatorTable.end());
    NavigatorRanks ranks = ranksBy(compare);
    std::vector<int> ranked(navigatorCount);
    for (int number = 0; number < navigatorCount; ++number) ranked[ranks[number]] = number;
    EXPECT_EQ(ranked, order);
}

TEST(Ordering, SortsKeepSaveOrderAmongEqualKeys) {
    resetTables();
    for (int number = 0; number < navigatorCount; ++number) {
        setNavigator(number, number % 2 ? "Odd" : "even", "");
        navigatorTable[number].location = static_cast<std::uint8_t>(number % 3 == 0 ? 230 : 9);
    }
    fleetPosts = {4, 250, 250, 250};  // a fleet member is sorted by its byte like anyone
    sortByName();
    std::vector<int> expected;
    for (int number = 0; number < navigatorCount; number += 2) expected.push_back(number);
    for (int number = 1; number < navigatorCount; number += 2) expected.push_back(number);
    EXPECT_EQ(numbersInTableOrder(), expected);
    expectRanksGiveOrder(compareByName, expected);

    resetTables();
    for (int number = 0; number < navigatorCount; ++number) {
        navigatorTable[number].location = static_cast<std::uint8_t>(number % 3 == 0 ? 230 : 9);
    }
    sortByLocation();
    expected.clear();
    for (int number = 0; number < navigatorCount; ++number) {
        if (number % 3 != 0) expected.push_back(number);
    }
    for (int number = 0; number < navigatorCount; number += 3) expected.push_back(number);
    EXPECT_EQ(numbersInTableOrder(), expected);
    expectRanksGiveOrder(compareByLocation, expected);
}
