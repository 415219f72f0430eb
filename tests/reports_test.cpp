// The columns of the skill list, the parameter list and the CSV, on crafted navigators.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "report/reports.hpp"
#include "support/expected.hpp"
#include "support/sjis.hpp"
#include "support/tables.hpp"

namespace {

struct RowCase {
    const char* what;
    std::function<void()> setup;  // fills navigator `number` on top of blank tables
    int number;
    std::string row;  // expected bytes, its line end included
};

// A report's rows, one a navigator, in the order printed.
using RowsOf = std::vector<std::string> (*)(const std::string& output);

// The lines after a header of `headerLines` lines.
template <int headerLines>
std::vector<std::string> linesAfter(const std::string& output) {
    std::vector<std::string> lines = outputLines(output);
    lines.erase(lines.begin(), lines.begin() + std::min<std::size_t>(headerLines, lines.size()));
    return lines;
}

// The page's table rows.
std::vector<std::string> pageRows(const std::string& output) {
    std::vector<std::string> rows;
    for (const std::string& line : outputLines(output)) {
        if (line.rfind("<tr data-number=", 0) == 0) rows.push_back(line);
    }
    return rows;
}

// Each case's row, printed unsorted, is its navigator's row, among exactly 205.
void checkRows(void (*print)(), RowsOf rowsOf, const std::vector<RowCase>& cases) {
    for (const RowCase& c : cases) {
        resetTables();
        setTownName(3, "ABC");
        c.setup();
        std::vector<std::string> rows = rowsOf(captureReport(print));
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(navigatorCount)) << c.what;
        EXPECT_EQ(rows[c.number], c.row) << c.what;
    }
}

NavigatorRecord& inTown3(int number, const std::string& name1, const std::string& name2) {
    NavigatorRecord& record = setNavigator(number, name1, name2);
    record.location = 3;
    return record;
}

void setParameters(NavigatorRecord& record, int leadership, int intellect, int combat, int charm, int fame) {
    record.leadership = static_cast<std::uint8_t>(leadership);
    record.intellect = static_cast<std::uint8_t>(intellect);
    record.combat = static_cast<std::uint8_t>(combat);
    record.charm = static_cast<std::uint8_t>(charm);
    record.fame = static_cast<std::uint16_t>(fame);
}

// Keep the tables as they are now as the earlier save the page is compared with.
void compareWithNow() {
    earlierTable = navigatorTable;
    earlierPosts = fleetPosts;
    earlierLoaded = true;
}

const std::string zeroLevels = repeat(" 0", 27);
const std::string zeroFields = repeat("0,", 27);

}  // namespace

TEST(SkillList, HeaderLabelsStandOverTheLevelColumns) {
    resetTables();
    std::vector<std::string> lines = outputLines(captureReport(printSkillList));
    ASSERT_EQ(lines.size(), 207u);
    EXPECT_EQ(lines[0], std::string(25, ' ') + toSjis("航運剣砲射医弁測歴会造神科スポロゲスアペ中ヒウア南南東\n"));
    EXPECT_EQ(lines[1], std::string(25, ' ') + toSjis("海用術術撃学論量史計船学学ペルマルララル国ンィフ米亜亜\n"));
}

TEST(SkillList, RowShowsPostNameAndLevels) {
    checkRows(printSkillList, linesAfter<2>, {
        {"whereabouts as a number; the name cut to 17 bytes",
         [] { setNavigator(0, "ABCDEFGHIJ", "KLMNOPQRST"); }, 0,
         "   0:ABCDEFGHIJ KLMNOP   " + zeroLevels + "\n"},
        {"short names filled to 18", [] { setNavigator(1, "A", ""); }, 1,
         "   0:A                   " + zeroLevels + "\n"},
        {"three-digit whereabouts", [] { setNavigator(2, "A", "B").whereabouts = 200; }, 2,
         " 200:A B                 " + zeroLevels + "\n"},
        {"a post holder in a tavern shows blanks",
         [] {
             setNavigator(3, "A", "B").whereabouts = 4;
             fleetPosts[0] = 3;
         },
         3, "    :A B                 " + zeroLevels + "\n"},
        {"at an inn", [] { setNavigator(4, "A", "B").whereabouts = 5; }, 4,
         "    :A B                 " + zeroLevels + "\n"},
        {"first mate", [] { setNavigator(5, "A", "B"), fleetPosts[0] = 5; }, 5,
         toSjis("副官:A B                 ") + zeroLevels + "\n"},
        {"interpreter", [] { setNavigator(6, "A", "B").whereabouts = 2, fleetPosts[3] = 6; }, 6,
         toSjis("通訳:A B                 ") + zeroLevels + "\n"},
        {"levels of one, two and three digits",
         [] {
             NavigatorRecord& record = setNavigator(7, "A", "B");
             record.levels[0] = 5;
             record.levels[1] = 10;
             record.levels[2] = 100;
             record.levels[3] = 255;
             record.levels[26] = 99;
         },
         7, "   0:A B                  510100255" + repeat(" 0", 22) + "99\n"},
        {"a character the 17-byte cut would split goes whole, a blank in its place",
         [] { setNavigator(8, toSjis("Aジョアン"), toSjis("フェレイラ")); }, 8,
         "   0:" + toSjis("Aジョアン フェレ") + "    " + zeroLevels + "\n"},
        {"a 17th byte that ends a character stays, though it looks like a lead byte",
         [] { setNavigator(9, "ABCDEFGHIJKLMNO" + toSjis("ャ"), "X"); }, 9,
         "   0:ABCDEFGHIJKLMNO" + toSjis("ャ") + "   " + zeroLevels + "\n"},
        {"a lead byte that ends the name is one byte", [] { setNavigator(10, "ABCDEFGHIJKLMNO", "\x83"); }, 10,
         "   0:ABCDEFGHIJKLMNO \x83   " + zeroLevels + "\n"},
    });
}

TEST(ParameterList, RowShowsLocationParametersFameAndName) {
    checkRows(printParameterList, linesAfter<1>, {
        {"parameters and fame",
         [] { setParameters(inTown3(7, "X", "Y"), 80, 75, 60, 90, 850); },
         7, "  7:ABC              80  75  60  90   850 X Y\n"},
        {"widest values",
         [] {
             NavigatorRecord& record = inTown3(0, "A", "B");
             record.leadership = 255;
             record.combat = 9;
             record.charm = 100;
             record.fame = 65535;
         },
         0, "  0:ABC             255   0   9 100 65535 A B\n"},
        {"a fleet member in a tavern shows only the fleet",
         [] {
             inTown3(3, "A", "B").whereabouts = 4;
             fleetPosts[1] = 3;
         },
         3, toSjis("  3:－艦隊に勤務中－  0   0   0   0     0 A B\n")},
        {"a location without a name", [] { setNavigator(10, "A", "B").location = 230; }, 10,
         " 10:230" + std::string(13, '?') + "  0   0   0   0     0 A B\n"},
        {"a 20-byte town name pushes the row",
         [] {
             setTownName(200, toSjis("アムステルダム港湾区"));
             setNavigator(1, "A", "B").location = 200;
         },
         1, toSjis("  1:アムステルダム港湾区  0   0   0   0     0 A B\n")},
    });
}

TEST(ParameterList, Header) {
    resetTables();
    EXPECT_EQ(outputLines(captureReport(printParameterList))[0],
              std::string(21, ' ') + toSjis("統  知  武  魅  名声\n"));
}

TEST(Csv, HeaderNamesAllThirtyFourColumns) {
    resetTables();
    EXPECT_EQ(outputLines(captureReport(printCsv))[0],
              toSjis("\"名前\",\"所在\",\"統率\",\"知力\",\"武力\",\"魅力\",\"名声\","
                     "\"航海\",\"運用\",\"剣術\",\"砲術\",\"射撃\",\"医学\",\"弁論\",\"測量\",\"歴史\",\"会計\","
                     "\"造船\",\"神学\",\"科学\",\"スペイン\",\"ポルトガル\",\"ロマンス\",\"ゲルマン\",\"スラブ\","
                     "\"アラビア\",\"ペルシャ\",\"中国\",\"ヒンディー\",\"ウィグル\",\"アフリカ\",\"中南米\","
                     "\"東南アジア\",\"東アジア\",\n"));
}

TEST(Csv, RowHoldsThirtyFourFieldsEachEndedByAComma) {
    checkRows(printCsv, linesAfter<1>, {
        {"a navigator in a town",
         [] { setParameters(inTown3(7, "X", "Y"), 1, 2, 3, 4, 5); },
         7, "\"X Y\",\"ABC\",1,2,3,4,5," + zeroFields + "\n"},
        {"a fleet member's location is the post", [] { inTown3(2, "A", "B"), fleetPosts[2] = 2; }, 2,
         toSjis("\"A B\",\"測量\",0,0,0,0,0,") + zeroFields + "\n"},
        {"the post goes before an unnamed location",
         [] {
             setNavigator(9, "A", "B").location = 250;
             fleetPosts[0] = 9;
         },
         9, toSjis("\"A B\",\"副官\",0,0,0,0,0,") + zeroFields + "\n"},
        {"an unnamed location is a quoted number", [] { setNavigator(10, "A", "B").location = 250; }, 10,
         "\"A B\",\"250\",0,0,0,0,0," + zeroFields + "\n"},
        {"the lowest unnamed location", [] { setNavigator(13, "A", "B").location = 224; }, 13,
         "\"A B\",\"224\",0,0,0,0,0," + zeroFields + "\n"},
        {"a double quote in a name or a town is doubled, a comma stays",
         [] {
             setTownName(4, "A\"B");
             setNavigator(11, "Jo\"e", "a,b\"").location = 4;
         },
         11, "\"Jo\"\"e a,b\"\"\",\"A\"\"B\",0,0,0,0,0," + zeroFields + "\n"},
        {"widest values",
         [] {
             NavigatorRecord& record = inTown3(12, toSjis("ジョアン"), "");
             record.fame = 65535;
             record.levels[0] = 100;
             record.levels[26] = 255;
         },
         12, toSjis("\"ジョアン \",\"ABC\",0,0,0,0,65535,100,") + repeat("0,", 25) + "255,\n"},
    });
}

TEST(HtmlPage, RowHoldsEveryCellAndNoMarkupFromANames) {
    const std::string zeroCells = repeat("<td>0", 27);
    const std::vector<RowCase> cases = {
        {"in a town's tavern: last in the town and name orders, first in the whereabouts order",
         [] {
             NavigatorRecord& record = inTown3(7, "X", "Y");
             record.whereabouts = 4;
             setParameters(record, 80, 75, 60, 90, 65535);
             record.levels[0] = 100;
             record.levels[26] = 255;
         },
         7,
         toSjis("<tr data-number=\"7\" data-town=\"204\" data-state=\"0\" data-name=\"204\"><td>7<td title=\"町番号 3\">ABC<td>酒場<td>X Y"
                "<td>80<td>75<td>60<td>90<td>65535<td>100") + repeat("<td>0", 25) + "<td>255\n"},
        {"a fleet member at an inn",
         [] {
             setNavigator(2, "A", "B").whereabouts = 5;
             fleetPosts[1] = 2;
         },
         2,
         toSjis("<tr data-number=\"2\" data-town=\"2\" data-state=\"1\" data-name=\"204\" class=\"fleet\"><td>2"
                "<td>－艦隊に勤務中－<td>宿屋<td>A B<td>0<td>0<td>0<td>0<td>0") + zeroCells + "\n"},
        {"a fleet post",
         [] {
             setNavigator(6, "", "").whereabouts = 2;
             fleetPosts[3] = 6;
         },
         6,
         toSjis("<tr data-number=\"6\" data-town=\"6\" data-state=\"5\" data-name=\"6\" class=\"fleet\"><td>6"
                "<td>－艦隊に勤務中－<td>通訳<td> <td>0<td>0<td>0<td>0<td>0") + zeroCells + "\n"},
        {"a location without a name, whereabouts as a code",
         [] { setNavigator(10, "", "").location = 230; }, 10,
         toSjis("<tr data-number=\"10\" data-town=\"204\" data-state=\"6\" data-name=\"10\"><td>10<td>230<td>その他(0)<td> "
                "<td>0<td>0<td>0<td>0<td>0") + zeroCells + "\n"},
        {"markup and control bytes in names and towns are text",
         [] {
             setTownName(4, "<b>&\x1b");
             setNavigator(11, "\"Jo'e\"", toSjis("<ア>\x7f")).location = 4;
         },
         11,
         toSjis("<tr data-number=\"11\" data-town=\"204\" data-state=\"6\" data-name=\"204\"><td>11<td title=\"町番号 4\">&lt;b&gt;&amp;?<td>その他(0)"
                "<td>&quot;Jo&#39;e&quot; &lt;ア&gt;?<td>0<td>0<td>0<td>0<td>0") + zeroCells + "\n"},
        {"0x80 alone is a control character to a browser, after a lead byte a second byte; a byte "
         "that cannot be one is read alone",
         [] { inTown3(12, "a\x80" "b", "\x83\x80\x81<\x81\x1f"); }, 12,
         "<tr data-number=\"12\" data-town=\"204\" data-state=\"6\" data-name=\"204\"><td>12<td title=\"" + toSjis("町番号 3") + "\">ABC<td>"
         + toSjis("その他(0)") + "<td>a?b \x83\x80\x81&lt;\x81?<td>0<td>0<td>0<td>0<td>0" + zeroCells + "\n"},
        // Compared with an earlier save, the same navigator by number.
        {"unchanged since the earlier save",
         [] {
             inTown3(20, "M", "N").levels[0] = 4;
             compareWithNow();
         },
         20,
         toSjis("<tr data-number=\"20\" data-town=\"204\" data-state=\"6\" data-name=\"204\"><td>20<td title=\"町番号 3\">ABC"
                "<td>その他(0)<td>M N<td>0<td>0<td>0<td>0<td>0<td>4") + repeat("<td>0", 26) + "\n"},
        {"moved from a town without a name; a level up, one down, fame and a name changed, the earlier name as text",
         [] {
             NavigatorRecord& record = inTown3(20, "M", "N");
             record.levels[0] = 4;
             record.levels[26] = 1;
             record.fame = 300;
             compareWithNow();
             NavigatorRecord& before = earlierTable[20];
             before.location = 9;
             before.levels[0] = 3;
             before.levels[26] = 12;
             before.fame = 0;
             std::strcpy(before.name2, "<i>");
         },
         20,
         toSjis("<tr data-number=\"20\" data-town=\"204\" data-state=\"6\" data-name=\"204\" class=\"changed\"><td>20"
                "<td class=\"was\" data-before=\"9\" title=\"町番号 3&#10;前回 町番号 9\">ABC<td>その他(0)"
                "<td class=\"was\" title=\"前回 M &lt;i&gt;\">M N<td>0<td>0<td>0<td>0<td class=\"was\" title=\"前回 0\">300"
                "<td class=\"was\" title=\"前回 3\">4") + repeat("<td>0", 25) + toSjis("<td class=\"was\" title=\"前回 12\">1\n")},
        {"joined the fleet from a town's tavern",
         [] {
             inTown3(21, "J", "K").whereabouts = 4;
             compareWithNow();
             navigatorTable[21].whereabouts = 0;
             fleetPosts[0] = 21;
         },
         21,
         toSjis("<tr data-number=\"21\" data-town=\"204\" data-state=\"2\" data-name=\"204\" class=\"fleet changed\"><td>21"
                "<td class=\"was\" data-before=\"3\" title=\"前回 ABC\">－艦隊に勤務中－<td class=\"was\" title=\"前回 酒場\">副官"
                "<td>J K<td>0<td>0<td>0<td>0<td>0") + zeroCells + "\n"},
        {"left the fleet for a location without a name",
         [] {
             setNavigator(22, "L", "").location = 230;
             fleetPosts[2] = 22;
             compareWithNow();
             fleetPosts[2] = 250;
         },
         22,
         toSjis("<tr data-number=\"22\" data-town=\"204\" data-state=\"6\" data-name=\"204\" class=\"changed\"><td>22"
                "<td class=\"was\" title=\"前回 －艦隊に勤務中－\">230<td class=\"was\" title=\"前回 測量\">その他(0)"
                "<td>L <td>0<td>0<td>0<td>0<td>0") + zeroCells + "\n"},
    };
    checkRows(printHtmlPage, pageRows, cases);
}

// The page is printed in the table's order, and its header row says which, as the browser's
// sort goes on from it: aria-sort on that column's header alone.
TEST(HtmlPage, TheHeaderRowSaysTheOrderTheRowsArePrintedIn) {
    struct Case {
        const char* what;
        void (*sort)();
        std::string headers;  // the first four
        int first;            // the navigator printed first
        std::string rank;     // the rank each row holds as its place, in that order
    };
    const Case cases[] = {
        {"in save order", [] {}, "<th data-key=\"number\" aria-sort=\"ascending\">番号<th data-key=\"town\">所在"
                                 "<th data-key=\"state\">状態<th data-key=\"name\">名前", 0, "data-number"},
        {"by town", sortByLocation, "<th data-key=\"number\">番号<th data-key=\"town\" aria-sort=\"ascending\">所在"
                                    "<th data-key=\"state\">状態<th data-key=\"name\">名前", 9, "data-town"},
        {"by name", sortByName, "<th data-key=\"number\">番号<th data-key=\"town\">所在<th data-key=\"state\">状態"
                                "<th data-key=\"name\" aria-sort=\"ascending\">名前", 8, "data-name"},
    };
    for (const Case& c : cases) {
        resetTables();
        for (int number = 0; number < navigatorCount; ++number) setNavigator(number, "M", "").location = 7;
        setTownName(7, "Port");
        setTownName(2, "Lisboa");
        setNavigator(8, "A", "").location = 7;
        setNavigator(9, "Z", "").location = 2;
        c.sort();
        std::string page = captureReport(printHtmlPage);
        EXPECT_NE(page.find("<thead><tr>" + toSjis(c.headers) + "<th"), std::string::npos) << c.what;
        std::vector<std::string> rows = pageRows(page);
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(navigatorCount)) << c.what;
        EXPECT_EQ(rows[0].rfind("<tr data-number=\"" + std::to_string(c.first) + "\"", 0), 0u) << c.what;
        for (int row = 0; row < navigatorCount; ++row) {
            EXPECT_NE(rows[row].find(" " + c.rank + "=\"" + std::to_string(row) + "\""), std::string::npos) << c.what << " " << row;
        }
    }
}
