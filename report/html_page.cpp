// The HTML page: one table of every navigator, which a browser sorts by any column and
// filters by a word (html_page.js), styled by html_page.css. Both are part of the page: it
// loads nothing from anywhere else and sends nothing anywhere.
#include <initializer_list>

#include "output/output.hpp"
#include "report/reports.hpp"
#include "text/literals.hpp"
#include "text/shift_jis.hpp"

// Made from html_page.css and html_page.js as the program is built.
#include "html_page_css.hpp"
#include "html_page_js.hpp"

namespace {

// Everything but inline style and script is refused, should anything ever ask for more.
constexpr char pageStart[] =
    "<!DOCTYPE html>\n"
    "<html lang=\"ja\">\n"
    "<head>\n"
    "<meta charset=\"Shift_JIS\">\n"
    "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; style-src 'unsafe-inline'; "
    "script-src 'unsafe-inline'; base-uri 'none'; form-action 'none'\">\n"
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";

// A name or a town from an input file, as text: the characters of markup as references and
// control bytes as "?". No second byte of a double-byte character is either, and the loaders
// leave no lead byte alone at the end of a text to take the markup's next byte with it.
void putPageText(const char* text) {
    const char* done = text;
    for (const char* at = text; *at != '\0'; ++at) {
        const char* reference = nullptr;
        switch (*at) {
            case '<': reference = "&lt;"; break;
            case '>': reference = "&gt;"; break;
            case '&': reference = "&amp;"; break;
            case '"': reference = "&quot;"; break;
            case '\'': reference = "&#39;"; break;
            default:
                if (isControlByte(*at)) reference = "?";
                break;
        }
        if (reference == nullptr) continue;
        putBytes(done, static_cast<std::size_t>(at - done));
        putText(reference);
        done = at + 1;
    }
    putText(done);
}

// The order of the whereabouts column: tavern, inn, the fleet posts in their order, then the
// other whereabouts by number.
unsigned whereaboutsRank(const NavigatorRecord& record) {
    if (const char* lodging = lodgingOf(record)) return lodging == tavern ? 0 : 1;
    int post = fleetPostOf(record.number);
    if (post >= 0) return 2 + static_cast<unsigned>(post);
    return 2 + postCount + record.whereabouts;
}

void putNumberCell(unsigned value) {
    putBytes("<td>", 4);
    putNumber(value, 0);
}

void putAttribute(const char* name, unsigned value) {
    putText(name);
    putBytes("=\"", 2);
    putNumber(value, 0);
    putBytes("\"", 1);
}

void putHeaderRow() {
    putText("<thead><tr><th data-key=\"number\">");
    putText(labelNumber);
    putText("<th data-key=\"town\">");
    putText(labelLocation);
    putText("<th data-key=\"state\">");
    putText(labelState);
    putText("<th data-key=\"name\">");
    putText(labelName);
    // The parameters, fame and levels, labelled as in the CSV.
    for (const char* const* label = csvHeaderLabels + 2; *label != nullptr; ++label) {
        putBytes("<th>", 4);
        putText(*label);
    }
    putText("</tr></thead>\n");
}

// One navigator: its number and its ranks in the town, whereabouts and name orders, which
// the page's script sorts by, then the cells.
void putRow(const NavigatorRecord& record, const NavigatorRanks& byTown, const NavigatorRanks& byName) {
    Place place = placeOf(record);
    putBytes("<tr ", 4);
    putAttribute("data-number", record.number);
    putAttribute(" data-town", byTown[record.number]);
    putAttribute(" data-state", whereaboutsRank(record));
    putAttribute(" data-name", byName[record.number]);
    if (place == Place::fleet) putText(" class=\"fleet\"");
    putBytes(">", 1);
    putNumberCell(record.number);

    putBytes("<td>", 4);
    switch (place) {
        case Place::fleet: putText(inFleet); break;
        case Place::unnamed: putNumber(record.location, 0); break;
        case Place::town: putPageText(townNameTable[record.location].data()); break;
    }
    putBytes("<td>", 4);
    putWhereabouts(record, 0);
    putBytes("<td>", 4);
    putPageText(record.name1);
    putBytes(" ", 1);
    putPageText(record.name2);

    for (unsigned value : {record.leadership, record.intellect, record.combat, record.charm}) putNumberCell(value);
    putNumberCell(record.fame);
    for (std::uint8_t level : record.levels) putNumberCell(level);
    putNewline();
}

}  // namespace

void printHtmlPage() {
    putText(pageStart);
    putText("<title>");
    putText(pageTitle);
    putText("</title>\n<style>\n");
    putText(pageStyle);
    putText("</style>\n</head>\n<body>\n<h1>");
    putText(pageHeading);
    putText("</h1>\n<p id=\"tools\" hidden><label>");
    putText(pageFilter);
    putText("<input type=\"search\" id=\"filter\" placeholder=\"");
    putText(pageFilterHint);
    putText("\"></label> ");
    putText(pageSortHint);
    putText("</p>\n<table id=\"navigators\">\n");
    putHeaderRow();

    putText("<tbody>\n");
    NavigatorRanks byTown = ranksBy(compareByLocation);
    NavigatorRanks byName = ranksBy(compareByName);
    for (const NavigatorRecord& record : navigatorTable) putRow(record, byTown, byName);
    putText("</tbody>\n</table>\n<script>\n");
    putText(pageScript);
    putText("</script>\n</body>\n</html>\n");
}
