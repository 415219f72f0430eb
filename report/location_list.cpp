// The location list: where each navigator is, tavern, inn or fleet post, and the name.
#include "output/output.hpp"
#include "report/reports.hpp"

void printLocationList() {
    for (int row = 0; row < navigatorCount; ++row) {
        const NavigatorRecord& record = navigatorTable[row];
        putLocationColumn(record, row);
        // "(...)" and three blanks.
        putBytes("(", 1);
        putWhereabouts(record, whereaboutsWidth);
        putBytes(")   ", 4);
        putName(record.name1);
        putBytes("  ", 2);
        putName(record.name2);
        putBytes(" \n", 2);
    }
}
