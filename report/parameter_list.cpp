// The parameter list: the location column, the four parameters and fame, and the name.
#include <initializer_list>

#include "output/output.hpp"
#include "report/reports.hpp"
#include "text/literals.hpp"

void printParameterList() {
    putText(parameterHeader);
    putNewline();
    for (int row = 0; row < navigatorCount; ++row) {
        const NavigatorRecord& record = navigatorTable[row];
        putLocationColumn(record, row);
        for (unsigned parameter : {record.leadership, record.intellect, record.combat, record.charm}) {
            putNumber(parameter, 3);
            putBytes(" ", 1);
        }
        putNumber(record.fame, 5);
        putBytes(" ", 1);
        putName(record.name1);
        putBytes(" ", 1);
        putName(record.name2);
        putNewline();
    }
}
