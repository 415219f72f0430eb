// The four reports. Each walks navigatorTable from first to last and prints one line per
// navigator, in Shift-JIS, through the buffered output.
#pragma once

#include "data/navigators.hpp"

void printLocationList();   // where each navigator is, no header
void printSkillList();      // the 27 levels under a two-line header
void printParameterList();  // the four parameters and fame beside the location
void printCsv();            // everything as comma-separated values

// The leading column of the location list and the parameter list, 20 bytes wide for town
// names of up to 16 bytes: the number, a colon, then the fleet mark, the unnamed location's
// number or the town's name. `row` is the record's position in the table. Returns the
// navigator's fleet post (fleetPostOf), which the location list shows next.
int putLocationColumn(const NavigatorRecord& record, int row);
