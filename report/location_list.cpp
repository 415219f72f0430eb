// The location list: where each navigator is, tavern, inn or fleet post, and the name.
#include "output/output.hpp"
#include "report/reports.hpp"
#include "text/literals.hpp"

void putLocationColumn(const NavigatorRecord& record, int row) {
    if (fleetPostOf(record.number) >= 0) {
        putNumber(row, 3);
        putBytes(":", 1);
        putText(inFleet);
    } else if (record.location >= townCount) {
        putNumber(row, 3);
        putBytes(":", 1);
        putNumber(record.location, 3);
        putText("?????????????");
    } else {
        // A navigator in a town is numbered by its own number, not by its row.
        putNumber(record.number, 3);
        putBytes(":", 1);
        putTextPadded(townNameTable[record.location].data(), 16);
    }
}

namespace {

// "(...)" and three blanks: tavern or inn first, then the fleet post, else the number.
void putWhereaboutsColumn(const NavigatorRecord& record, int post) {
    putBytes("(", 1);
    if (record.whereabouts == 4) {
        putText(tavern);
    } else if (record.whereabouts == 5) {
        putText(inn);
    } else if (post >= 0) {
        putText(postNames[post]);
    } else {
        putNumber(record.whereabouts, 4);
    }
    putBytes(")   ", 4);
}

}  // namespace

void printLocationList() {
    for (int row = 0; row < navigatorCount; ++row) {
        const NavigatorRecord& record = navigatorTable[row];
        putLocationColumn(record, row);
        putWhereaboutsColumn(record, fleetPostOf(record.number));
        putText(record.name1);
        putBytes("  ", 2);
        putText(record.name2);
        putBytes(" \n", 2);
    }
}
