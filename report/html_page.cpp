// The HTML page: one table of every navigator, which a browser sorts by any column and
// filters by words, toggles and a click on a town (html_page.js), styled by html_page.css.
// Both are part of the page: it loads nothing from anywhere else and sends nothing anywhere.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "data/files.hpp"
#include "output/output.hpp"
#include "output/screen.hpp"
#include "report/reports.hpp"
#include "text/literals.hpp"
#include "text/shift_jis.hpp"

// Made from html_page.css and html_page.js as the program is built.
#include "html_page_css.hpp"
#include "html_page_js.hpp"

namespace {

// 統率, 知力, 武力, 魅力 and 名声, the columns between the name and the levels.
constexpr int parametersAndFame = 5;

// Every value a row shows after its name, in column order.
constexpr int valueCount = parametersAndFame + levelCount;
using RowValues = std::array<unsigned, valueCount>;
RowValues valuesOf(const NavigatorRecord& record) {
    RowValues values{record.leadership, record.intellect, record.combat, record.charm, record.fame};
    std::copy(record.levels, record.levels + levelCount, values.begin() + parametersAndFame);
    return values;
}

// Everything but inline style and script is refused, should anything ever ask for more.
constexpr char pageStart[] =
    "<!DOCTYPE html>\n"
    "<html lang=\"ja\">\n"
    "<head>\n"
    "<meta charset=\"Shift_JIS\">\n"
    "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; style-src 'unsafe-inline'; "
    "script-src 'unsafe-inline'; base-uri 'none'; form-action 'none'\">\n"
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";

// A name or a town from an input file, as text: the characters of markup as references, and
// as "?" every byte that a browser reads as a control character: the control bytes, and 0x80
// standing alone. A lead byte pairs only with a byte that can follow it; a browser reads any
// other byte after a lead byte as a character of its own, so that byte is looked at as one.
void putPageText(std::string_view name) {
    const char* text = name.data();
    std::size_t length = name.size();
    std::size_t done = 0;
    for (std::size_t at = 0; at < length; ++at) {
        if (pairedCharacterSize(text, at, length) == 2) {
            ++at;
            continue;
        }
        auto byte = static_cast<unsigned char>(text[at]);
        const char* reference = nullptr;
        switch (byte) {
            case '<': reference = "&lt;"; break;
            case '>': reference = "&gt;"; break;
            case '&': reference = "&amp;"; break;
            case '"': reference = "&quot;"; break;
            case '\'': reference = "&#39;"; break;
            default:
                if (isControlByte(text[at]) || byte == 0x80) reference = "?";
                break;
        }
        if (reference == nullptr) continue;
        putBytes(text + done, at - done);
        putText(reference);
        done = at + 1;
    }
    putBytes(text + done, length - done);
}

// The order of the whereabouts column: tavern, inn, the fleet posts in their order, then the
// other whereabouts by number.
unsigned whereaboutsRank(const NavigatorRecord& record, const FleetPosts& posts = fleetPosts) {
    if (const char* lodging = lodgingOf(record)) return lodging == tavern ? 0 : 1;
    int post = fleetPostOf(record.number, posts);
    if (post >= 0) return 2 + static_cast<unsigned>(post);
    return 2 + postCount + record.whereabouts;
}

// What of a navigator is not as in the earlier save, cell by cell: where it is (joining or
// leaving the fleet among it), its whereabouts, its name, each value.
struct Changes {
    bool town, state, name;
    std::array<bool, valueCount> values;
    bool any;
};
Changes changesOf(const NavigatorRecord& record) {
    Changes changes{};
    const NavigatorRecord& before = earlierTable[record.number];
    Place now = placeOf(record);
    changes.town = now != placeOf(before, earlierPosts) || (now != Place::fleet && record.location != before.location);
    changes.state = whereaboutsRank(record) != whereaboutsRank(before, earlierPosts);
    changes.name = std::strcmp(record.name1, before.name1) != 0 || std::strcmp(record.name2, before.name2) != 0;
    changes.any = changes.town || changes.state || changes.name;
    RowValues values = valuesOf(record), earlier = valuesOf(before);
    for (int value = 0; value < valueCount; ++value) {
        changes.values[value] = values[value] != earlier[value];
        changes.any = changes.any || changes.values[value];
    }
    return changes;
}

// Each navigator's changes by number, taken once for the count and the rows; none without
// an earlier save.
using PageChanges = std::array<Changes, navigatorCount>;
const PageChanges& pageChanges() {
    static PageChanges changes;
    changes = PageChanges{};
    if (earlierLoaded) {
        for (const NavigatorRecord& record : navigatorTable) changes[record.number] = changesOf(record);
    }
    return changes;
}

// A cell's start; for one that changed, marked so, with the earlier value that `putEarlier`
// prints in its title (前回 5).
template <typename Earlier>
void putCellStart(bool changed, Earlier putEarlier) {
    if (!changed) {
        putBytes("<td>", 4);
        return;
    }
    putText("<td class=\"was\" title=\"");
    putText(pageBefore);
    putEarlier();
    putBytes("\">", 2);
}

// Where a navigator was in the earlier save, as its town cell showed it then: in the fleet,
// at a location without a name, or in a town by its name, else by its number.
void putEarlierTown(const NavigatorRecord& before) {
    switch (placeOf(before, earlierPosts)) {
        case Place::fleet: putText(inFleet); break;
        case Place::unnamed: putNumber(before.location, 0); break;
        case Place::town:
            if (townNameTable[before.location][0] != '\0') {
                putPageText(townNameTable[before.location].data());
            } else {
                putText(pageTownNumber);
                putNumber(before.location, 0);
            }
            break;
    }
}

void putAttribute(const char* name, unsigned value) {
    putText(name);
    putBytes("=\"", 2);
    putNumber(value, 0);
    putBytes("\"", 1);
}

// A header; the one the table is sorted by says so, rising.
void putHeader(const char* key, const char* label, bool sorted) {
    putText("<th data-key=\"");
    putText(key);
    putText(sorted ? "\" aria-sort=\"ascending\">" : "\">");
    putText(label);
}

// How a label is read in hiragana, which the search box finds it by too.
void putReading(const char* reading) {
    if (reading == nullptr) return;
    putText(" data-reading=\"");
    putText(reading);
    putBytes("\"", 1);
}

// The text columns' headers, then the parameters and fame labelled as in the CSV, then the
// levels by the two characters the skill list heads them with, each with its whole label.
void putHeaderRow() {
    putText("<thead><tr>");
    putHeader("number", labelNumber, tableOrder == TableOrder::saved);
    putHeader("town", labelLocation, tableOrder == TableOrder::byLocation);
    putHeader("state", labelState, false);
    putHeader("name", labelName, tableOrder == TableOrder::byName);
    const char* const* label = csvHeaderLabels + 2;  // after 名前 and 所在
    const char* const* reading = labelReadings;
    for (int value = 0; value < parametersAndFame; ++value, ++label, ++reading) {
        putBytes("<th", 3);
        putReading(*reading);
        putBytes(">", 1);
        putText(*label);
    }
    for (int level = 0; level < levelCount; ++level, ++label, ++reading) {
        putText("<th title=\"");
        putText(*label);
        putBytes("\"", 1);
        putReading(*reading);
        putBytes(">", 1);
        putBytes(skillHeaderTop + 2 * level, 2);
        putBytes(skillHeaderBottom + 2 * level, 2);
    }
    putText("</tr></thead>\n");
}

// The title's and the heading's end: when the save was written, in local time, in `format`
// (pageSavedAt, or pageComparedAt for the earlier save); empty if that is not known.
struct SavedAt {
    char text[128];
    std::size_t length;
};
SavedAt savedAt(FileTime written, const char* format) {
    SavedAt saved{};
    LocalTime local;
    if (!toLocalTime(written, local)) return saved;
    int length = std::snprintf(saved.text, sizeof saved.text, format, local.year, local.month, local.day,
                               local.hour, local.minute);
    if (length > 0) saved.length = std::min(static_cast<std::size_t>(length), sizeof saved.text - 1);
    return saved;
}

// The lines the screen shows on the input files, in the same words, in a box at the top.
void putInputLines() {
    std::string_view lines = inputLines();
    if (lines.empty()) return;
    putText("<div id=\"notes\" role=\"status\">\n");
    for (std::size_t at = 0; at < lines.size();) {
        std::size_t end = lines.find('\n', at);
        putText("<p>");
        putPageText(lines.substr(at, end - at));
        putText("</p>\n");
        at = end + 1;
    }
    putText("</div>\n");
}

// A toggle that keeps the rows of one kind.
void putToggle(const char* keep, const char* label) {
    putText(" <button type=\"button\" aria-pressed=\"false\" data-keep=\"");
    putText(keep);
    putBytes("\">", 2);
    putText(label);
    putText("</button>");
}

// The search box, the toggles, the count of rows shown, the box that names a town, the
// button that saves the town list (and the box to copy it from where a browser cannot save
// it) and what a click does: shown only where the page's script runs. The lines on a name
// stand in the box's data, each with the name for its "%s".
void putTools() {
    putText("<div id=\"tools\" hidden>\n<p><label>");
    putText(pageFilter);
    putText("<input type=\"search\" id=\"filter\" placeholder=\"");
    putText(pageFilterHint);
    putText("\"></label>");
    for (auto [keep, label] : {std::pair{"tavern", tavern}, std::pair{"inn", inn}, std::pair{"fleet", pageFleet},
                               std::pair{"unnamed", pageUnnamedTowns}}) {
        putToggle(keep, label);
    }
    if (earlierLoaded) putToggle("changed", pageChanged);
    putText(" <span id=\"count\" role=\"status\">");
    putNumber(navigatorCount, 0);
    putText(pageCountOf);
    putText("<span id=\"shown\">");
    putNumber(navigatorCount, 0);
    putText("</span>");
    putText(pagePeople);
    putText("</span></p>\n<p id=\"naming\" hidden><label for=\"townName\">");
    putText(pageTownNameLabel);
    putText("</label> <input type=\"text\" id=\"townName\" data-template=\"");
    putText(pageTownTemplate);
    putText("\"> <span id=\"townNumber\"></span> <span id=\"nameNote\" role=\"status\" data-unknown=\"");
    putText(pageNameUnknown);
    putText("\" data-long=\"");
    putText(pageNameLong);
    putText("\" data-cut=\"");
    putText(pageNameCut);
    putText("\"></span></p>\n<p><button type=\"button\" id=\"saveList\">");
    putText(pageSaveList);
    putText("</button> <span class=\"hint\">");
    putText(pageSaveHint);
    putText("</span></p>\n<div id=\"listText\" hidden><p><label for=\"listBox\">");
    putText(pageCopyHow);
    putText("</label></p><textarea id=\"listBox\" readonly rows=\"8\" cols=\"40\"></textarea></div>\n<p class=\"hint\">");
    putText(pageHint);
    putText("</p>\n</div>\n");
}

// Every town's name as the run read it from the list, by town number, which the script
// names the towns by and saves the list from.
void putTownNames() {
    putText("<ol id=\"towns\" start=\"0\" hidden>");
    for (const auto& name : townNameTable) {
        putBytes("<li>", 4);
        putPageText(name.data());
    }
    putText("</ol>\n");
}

// One navigator: its number and its ranks in the town, whereabouts and name orders, which
// the page's script sorts by, then the cells. A row that changed since the earlier save is
// marked so, and each cell that changed shows the earlier value on hover; the town cell of
// one that moved from a town names that town's number for the script, which keeps the
// title's name as the town is named on the page.
void putRow(const NavigatorRecord& record, const NavigatorRanks& byTown, const NavigatorRanks& byName,
            const Changes& changes) {
    Place place = placeOf(record);
    const NavigatorRecord& before = earlierTable[record.number];
    putBytes("<tr ", 4);
    putAttribute("data-number", record.number);
    putAttribute(" data-town", byTown[record.number]);
    putAttribute(" data-state", whereaboutsRank(record));
    putAttribute(" data-name", byName[record.number]);
    if (place == Place::fleet) {
        putText(changes.any ? " class=\"fleet changed\"" : " class=\"fleet\"");
    } else if (changes.any) {
        putText(" class=\"changed\"");
    }
    putBytes(">", 1);
    putBytes("<td>", 4);
    putNumber(record.number, 0);

    if (place == Place::town || changes.town) {
        putText(changes.town ? "<td class=\"was\"" : "<td");
        if (changes.town && placeOf(before, earlierPosts) == Place::town) putAttribute(" data-before", before.location);
        putText(" title=\"");
        if (place == Place::town) {
            putText(pageTownNumber);
            putNumber(record.location, 0);
        }
        if (place == Place::town && changes.town) putText("&#10;");
        if (changes.town) {
            putText(pageBefore);
            putEarlierTown(before);
        }
        putText("\">");
    } else {
        putBytes("<td>", 4);
    }
    switch (place) {
        case Place::fleet: putText(inFleet); break;
        case Place::unnamed: putNumber(record.location, 0); break;
        case Place::town: putPageText(townNameTable[record.location].data()); break;
    }
    putCellStart(changes.state, [&] { putWhereabouts(before, 0, pageOtherWhereabouts, earlierPosts); });
    putWhereabouts(record, 0, pageOtherWhereabouts);
    auto putName = [](const NavigatorRecord& named) {
        putPageText(named.name1);
        putBytes(" ", 1);
        putPageText(named.name2);
    };
    putCellStart(changes.name, [&] { putName(before); });
    putName(record);

    RowValues values = valuesOf(record);
    RowValues earlier = changes.any ? valuesOf(before) : values;
    for (int value = 0; value < valueCount; ++value) {
        putCellStart(changes.values[value], [&] { putNumber(earlier[value], 0); });
        putNumber(values[value], 0);
    }
    putNewline();
}

// With an earlier save, which save the page is compared with, and how many navigators
// changed since.
void putComparison() {
    if (!earlierLoaded) return;
    SavedAt compared = savedAt(earlierWritten, pageComparedAt);
    putText("<span class=\"compared\">");
    if (compared.length > 0) {
        putBytes(compared.text, compared.length);
    } else {
        putText(pageComparedUnknown);
    }
    putText("</span>");
}
void putChangeCount(const PageChanges& changes) {
    if (!earlierLoaded) return;
    unsigned changed = 0;
    for (const Changes& navigator : changes) changed += navigator.any ? 1 : 0;
    putText("<p id=\"changes\">");
    putText(pageChanged);
    putBytes(" ", 1);
    putNumber(changed, 0);
    putText(pagePeople);
    putText("</p>\n");
}

}  // namespace

void printHtmlPage() {
    SavedAt saved = savedAt(saveWritten, pageSavedAt);
    const PageChanges& changes = pageChanges();
    putText(pageStart);
    putText("<title>");
    putText(pageTitle);
    putBytes(saved.text, saved.length);
    putText("</title>\n<style>\n");
    putText(pageStyle);
    putText("</style>\n</head>\n<body>\n<main>\n<h1>");
    putText(pageHeading);
    putBytes(saved.text, saved.length);
    putComparison();
    putText("</h1>\n");
    putChangeCount(changes);
    putInputLines();
    putTools();
    if (earlierLoaded) {
        putText("<table id=\"navigators\" data-before=\"");
        putText(pageBefore);
        putText("\">\n");
    } else {
        putText("<table id=\"navigators\">\n");
    }
    putHeaderRow();

    putText("<tbody>\n");
    NavigatorRanks byTown = ranksIn(TableOrder::byLocation);
    NavigatorRanks byName = ranksIn(TableOrder::byName);
    for (const NavigatorRecord& record : navigatorTable) putRow(record, byTown, byName, changes[record.number]);
    putText("</tbody>\n</table>\n<p id=\"none\" hidden>");
    putText(pageNoneShown);
    putText("</p>\n");
    putTownNames();
    putText("</main>\n<script>\n");
    putText(pageScript);
    putText("</script>\n</body>\n</html>\n");
}
