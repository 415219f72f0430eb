// The location list: where each navigator is, tavern, inn or fleet post, and the name.
#include "output/output.hpp"
#include "report/reports.hpp"
#include "text/literals.hpp"

// The number before the colon is the navigator's own number for a navigator in a town, and
// the row's position for a fleet member or a location without a name. Deliberately so, and
// not to be made alike: the reports have always numbered their rows so, and the players'
// saved lists and the guide rely on it. Both agree until the table is sorted.
int putLocationColumn(const NavigatorRecord& record, int row) {
    int post = fleetPostOf(record.number);
    if (post >= 0) {
        putNumber(row, 3);
        putBytes(":", 1);
        putText(inFleet);
    } else if (record.location >= townCount) {
        putNumber(row, 3);
        putBytes(":", 1);
        putNumber(record.location, 3);
        putText("?????????????");
    } else {
        putNumber(record.number, 3);
        putBytes(":", 1);
        putNamePadded(townNameTable[record.location].data(), 16);
    }
    return post;
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
        int post = putLocationColumn(record, row);
        putWhereaboutsColumn(record, post);
        putName(record.name1);
        putBytes("  ", 2);
        putName(record.name2);
        putBytes(" \n", 2);
    }
}
