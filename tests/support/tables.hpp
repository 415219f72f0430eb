// Filling the program's tables directly, for tests of the sorts and the reports.
#pragma once

#include <string>

#include "data/navigators.hpp"

// Every navigator blank (empty names, town 0, all numbers zero) and in save order, every
// town name empty, no one in the fleet.
void resetTables();

// Navigator `number`'s record, given names (Shift-JIS bytes).
NavigatorRecord& setNavigator(int number, const std::string& name1, const std::string& name2);

void setTownName(int town, const std::string& name);

// What `print` writes, byte for byte.
std::string captureReport(void (*print)());
