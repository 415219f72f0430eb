// The CSV: every field followed by a comma, the last one too, for a spreadsheet.
#include <cstring>
#include <initializer_list>

#include "output/output.hpp"
#include "report/reports.hpp"
#include "text/literals.hpp"

namespace {

// Text between double quotes; a double quote inside is doubled, so that a name holding
// one stays in its field. (No Shift-JIS second byte is a double quote.)
void putQuoted(const char* text) {
    const char* quote;
    while ((quote = std::strchr(text, '"')) != nullptr) {
        putNameBytes(text, static_cast<std::size_t>(quote - text) + 1);
        putBytes("\"", 1);
        text = quote + 1;
    }
    putName(text);
}

void putTextField(const char* text) {
    putBytes("\"", 1);
    putQuoted(text);
    putBytes("\",", 2);
}

void putNumberField(unsigned value) {
    putNumber(value, 0);
    putBytes(",", 1);
}

}  // namespace

void printCsv() {
    for (const char* const* label = csvHeaderLabels; *label != nullptr; ++label) putTextField(*label);
    putNewline();
    for (const NavigatorRecord& record : navigatorTable) {
        putBytes("\"", 1);
        putQuoted(record.name1);
        putBytes(" ", 1);
        putQuoted(record.name2);
        putBytes("\",", 2);

        // A fleet member's post in place of the town; a location without a name as a
        // quoted number.
        switch (placeOf(record)) {
            case Place::fleet: putTextField(postNames[fleetPostOf(record.number)]); break;
            case Place::unnamed:
                putBytes("\"", 1);
                putNumber(record.location, 0);
                putBytes("\",", 2);
                break;
            case Place::town: putTextField(townNameTable[record.location].data()); break;
        }

        for (unsigned parameter : {record.leadership, record.intellect, record.combat, record.charm}) {
            putNumberField(parameter);
        }
        putNumberField(record.fame);
        for (std::uint8_t level : record.levels) putNumberField(level);
        putNewline();
    }
}
