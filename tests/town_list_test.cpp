// Reading town names: line ends, long lines, short and long files.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "data/navigators.hpp"
#include "text/encoding.hpp"
#include "support/expected.hpp"
#include "support/game_folder.hpp"
#include "support/run.hpp"
#include "support/sjis.hpp"

namespace {

void readTownList(const std::string& bytes) {
    TempFolder folder;
    writeFile(folder.path / "townlist.txt", bytes);
    std::FILE* file = std::fopen((folder.path / "townlist.txt").string().c_str(), "rb");
    ASSERT_NE(file, nullptr);
    readTownNames(file);
    EXPECT_FALSE(std::ferror(file));
    std::fclose(file);
}

std::string lines(int count, const std::string& prefix = "L") {
    std::string text;
    for (int i = 1; i <= count; ++i) text += prefix + std::to_string(i) + "\n";
    return text;
}

const std::string a38(38, 'a');
const std::string kanji = "\x8A\x43";  // 海, a double-byte character

// UTF-16 bytes of `text`, in either byte order, after a byte order mark.
std::string utf16(std::u16string_view text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

// `count` MiB of `unit`, over and over.
std::string mib(double count, const std::string& unit) {
    return repeat(unit, static_cast<int>(count * (1 << 20) / unit.size()));
}

struct TownCase {
    const char* what;
    std::string file;
    std::vector<std::pair<int, std::string>> towns;  // town index, its expected name
};

}  // namespace

TEST(TownList, EachLineNamesOneTownFromTheTopDown) {
    const TownCase cases[] = {
        {"first line is town 223, 224th is town 0", "ABC\n" + lines(222) + "XYZ\n",
         {{223, "ABC"}, {222, "L1"}, {1, "L222"}, {0, "XYZ"}}},
        {"CR LF is one line end", "ABC\r\nDEF\r\n", {{223, "ABC"}, {222, "DEF"}}},
        {"a last line without a newline keeps every byte", "ABC\nDEF", {{223, "ABC"}, {222, "DEF"}, {221, ""}}},
        {"a one-byte last line without a newline", "ABC\nD", {{223, "ABC"}, {222, "D"}}},
        {"town 0 on a last line without a newline, as Notepad may save it", "ABC\n" + lines(222) + "XYZ",
         {{223, "ABC"}, {1, "L222"}, {0, "XYZ"}}},
        {"the town list template", readFile(TIDEWRIT_TOWN_LIST_TEMPLATE),
         {{223, toSjis("町223")}, {222, toSjis("町222")}, {17, toSjis("町17")}, {0, toSjis("町0")}}},
        {"a CR alone ends a line, as old Mac editors save", "ABC\rDE\r", {{223, "ABC"}, {222, "DE"}, {221, ""}}},
        {"a CR before CR LF ends a line of its own", "AB\r\r\nC\n", {{223, "AB"}, {222, ""}, {221, "C"}}},
        {"empty lines are empty names", "\n\nX\n", {{223, ""}, {222, ""}, {221, "X"}}},
        {"fewer lines leave the lowest towns empty", lines(200),
         {{223, "L1"}, {24, "L200"}, {23, ""}, {0, ""}}},
        {"lines beyond 224 are ignored", lines(230), {{223, "L1"}, {0, "L224"}}},
        {"an empty file names no town", "", {{223, ""}, {0, ""}}},
        {"a name ends at its first zero byte", std::string("AB\0CD\nEF\n", 9), {{223, "AB"}, {222, "EF"}}},
        {"other control bytes stay in the name", "A\x01" "B\x1B\n", {{223, "A\x01" "B\x1B"}}},
        {"blanks, full-width blanks and tabs that end a name go", "Lisboa \t\x81\x40 \r\nA\t\n", {{223, "Lisboa"}, {222, "A"}}},
        {"a tab inside a name is one blank, blanks inside stay", "San\tJuan  de Ulua \n", {{223, "San Juan  de Ulua"}}},
        {"a name of blanks alone is empty", "  \x81\x40\nB\n", {{223, ""}, {222, "B"}}},
        {"a long line is cut to 38 bytes and the next keeps its town", std::string(50, 'a') + "\nB\n",
         {{223, a38}, {222, "B"}}},
        {"38 bytes and CR LF fit", a38 + "\r\nB\r\n", {{223, a38}, {222, "B"}}},
        {"39 bytes lose the last", a38 + "z\n", {{223, a38}}},
        {"a cut never splits a double-byte character", "a" + repeat(kanji, 19) + "\n",
         {{223, "a" + repeat(kanji, 18)}}},
        {"19 double-byte characters are cut to 19", repeat(kanji, 20) + "\n", {{223, repeat(kanji, 19)}}},
        {"a lead byte left alone at the end of a line goes", std::string(37, 'a') + "\x82\n", {{223, std::string(37, 'a')}}},
        {"and so do the blanks before it", "AB \x82\nC\x82", {{223, "AB"}, {222, "C"}}},
        {"a lead byte before a byte that cannot follow it goes, so a quote stays a quote", "A\x81\x22\x2C" "B\n",
         {{223, "A\",B"}}},
        {"and so before a tab, then a blank", "A\x82\tB\n", {{223, "A B"}}},
        {"and before 0x7F and above 0xFC", "\x81\x7F" "A\x9F\xFD\n", {{223, "\x7F" "A\xFD"}}},
        {"but a second byte of 0x40 or 0xFC pairs with it", "\x81\x40X\x9F\xFC\n", {{223, "\x81\x40X\x9F\xFC"}}},
        {"a lead byte at the limit with a byte after it goes", std::string(37, 'a') + "\x82\x40" + "\n",
         {{223, std::string(37, 'a')}}},
        {"a lead byte of the upper range at the limit with a byte after it goes",
         std::string(37, 'a') + "\xE0\x40" + "\n", {{223, std::string(37, 'a')}}},
        {"town 0 of a list longer than 4 KB", lines(223, std::string(30, 'x')) + "LAST\n",
         {{223, std::string(30, 'x') + "1"}, {0, "LAST"}}},
        {"a trail byte that looks like a newline's neighbour stays", "\x83\x5C" "A\r\n", {{223, "\x83\x5C" "A"}}},
        // A list saved as UTF-8 or UTF-16 is converted to Shift-JIS first; a Shift-JIS one is kept.
        {"UTF-8", "ソロール\nリスボン\n", {{223, toSjis("ソロール")}, {222, toSjis("リスボン")}}},
        {"UTF-8 with a mark and CR LF", "\xEF\xBB\xBF" "セビリア\r\nナタール\r\n",
         {{223, toSjis("セビリア")}, {222, toSjis("ナタール")}}},
        {"UTF-16 LE", utf16(u"カリアリ\r\nA\n", false), {{223, toSjis("カリアリ")}, {222, "A"}}},
        {"UTF-16 BE", utf16(u"ポルト\nB\n", true), {{223, toSjis("ポルト")}, {222, "B"}}},
        {"UTF-16 LE without a mark", utf16(u"リスボン\r\nA\n", false).substr(2), {{223, toSjis("リスボン")}, {222, "A"}}},
        {"UTF-16 BE without a mark", utf16(u"Porto\nB\n", true).substr(2), {{223, "Porto"}, {222, "B"}}},
        {"zero bytes at odd and even places leave Shift-JIS as it is", std::string("A\0BC\0DEFGHIJKLMNOP\n", 19),
         {{223, "A"}}},
        {"a three-byte character led by 0xE0 makes UTF-8", "A\xE0\xB8\x81" "B\n", {{223, "A?B"}}},  // Thai ก
        {"characters the platforms' tables part on give the same bytes everywhere", "〜‖−—¢£¬¥\n",
         {{223, "\x81\x60\x81\x61\x81\x7C\x81\x5C\x81\x91\x81\x92\x81\xCA\x5C"}}},
        {"the same from UTF-16", utf16(u"\u301C\u2016\u2212\u2014\u00A2\u00A3\u00AC\u00A5\n", false),
         {{223, "\x81\x60\x81\x61\x81\x7C\x81\x5C\x81\x91\x81\x92\x81\xCA\x5C"}}},
        {"half-width katakana become single bytes", "ｱﾃﾈ\n", {{223, "\xB1\xC3\xC8"}}},
        {"six characters get Windows' bytes everywhere", "A\u0080" "B\u203E" "C\uF8F0\uF8F1\uF8F2\uF8F3" "D\n",
         {{223, "A\x80" "B?C\xA0\xFD\xFE\xFF" "D"}}},
        {"characters Shift-JIS lacks become one ? each", "A\xF0\x9F\x98\x80" "B한C\n", {{223, "A?B?C"}}},
        {"a UTF-16 character beyond the BMP and a lone surrogate", utf16(u"A\U0001F600B\xDC00" "C\n", false),
         {{223, "A?B?C"}}},
        {"the highest surrogate pair is one character", utf16(u"A\U0010FFFF" "B\n", true), {{223, "A?B"}}},
        {"ill-formed UTF-8 after a mark: one ? per broken sequence", "\xEF\xBB\xBF" "A\xFF\xE3\x81" "B\xC0\xAF\n",
         {{223, "A??B??"}}},
        {"a last odd byte of UTF-16 is dropped", utf16(u"AB", true) + "C", {{223, "AB"}}},
        {"the 38-byte cut falls on the converted text", repeat("海", 20) + "\nB\n", {{223, repeat(kanji, 19)}, {222, "B"}}},
        {"Shift-JIS half-width katakana stay", "\xB1\xC3\xC8\n\x83\x5C\n", {{223, "\xB1\xC3\xC8"}, {222, "\x83\x5C"}}},
        {"an overlong form is no UTF-8: the bytes stay", "\xC0\xAF\n", {{223, "\xC0\xAF"}}},
        {"a 2 MiB first line: only the first MiB is read", mib(2, "a") + "\nB\n", {{223, std::string(38, 'a')}, {222, ""}}},
        {"UTF-8 cut inside a character by the limit stays UTF-8", mib(1.5, "海") + "\nB\n", {{223, repeat(kanji, 19)}, {222, ""}}},
        {"a byte at the limit that begins no UTF-8 is no cut: the list is Shift-JIS",
         "\xE6\xB5\xB7\n" + std::string(townListReadLimit - 5, 'a') + "\xC0\nB\n", {{223, "\xE6\xB5\xB7"}, {222, a38}}},
        {"two zero bytes at odd places among 256 are too few for UTF-16", std::string("A\0B\0", 4) + std::string(252, 'x') + "\n",
         {{223, "A"}}},
        {"one unit in eight with a zero byte is enough", utf16(u"ABCDEFGHIJKLMNOP" + std::u16string(112, u'\u6D77') + u"\n", false).substr(2),
         {{223, "ABCDEFGHIJKLMNOP" + repeat(kanji, 11)}}},
        {"UTF-8 cut after a two-byte lead by the limit stays UTF-8",
         "海\n" + std::string(townListReadLimit - 5, 'a') + "\xC2\xA2\nB\n", {{223, kanji}, {222, a38}, {221, ""}}},
    };
    for (const TownCase& c : cases) {
        townNameTable[100].fill('?');  // a slot with no line of its own must come out empty
        readTownList(c.file);
        for (const auto& [town, name] : c.towns) {
            EXPECT_EQ(std::string(townNameTable[town].data()), name) << c.what << ", town " << town;
        }
        if (c.file.size() < 100) {
            EXPECT_EQ(std::string(townNameTable[100].data()), "") << c.what;
        }
    }
}
