// The reports. Each walks navigatorTable from first to last and prints one line (the page:
// one table row) per navigator, in Shift-JIS, through the buffered output.
#pragma once

#include <cstddef>

#include "data/navigators.hpp"

void printLocationList();   // where each navigator is, no header
void printSkillList();      // the 27 levels under a two-line header
void printParameterList();  // the four parameters and fame beside the location
void printCsv();            // everything as comma-separated values
void printHtmlPage();       // everything as one HTML page, to sort and filter in a browser

// What the reports show alike, decided here once.

// Where a navigator is: serving in the player's fleet (whatever town the entry names), in a
// town of the town list, or at a location of 224 and above, which no town list names. The
// fleet is that of `posts`: an earlier save's has its own.
enum class Place { fleet, town, unnamed };
Place placeOf(const NavigatorRecord& record, const FleetPosts& posts = fleetPosts);

// 酒場 or 宿屋 for a navigator in a tavern or at an inn; nullptr otherwise.
const char* lodgingOf(const NavigatorRecord& record);

// Every whereabouts text (酒場, 宿屋, a fleet post, a number) is this wide in the text reports.
constexpr std::size_t whereaboutsWidth = 4;

// The whereabouts: 酒場 or 宿屋, else the fleet post's name, else the whereabouts number,
// right-aligned in `numberWidth` positions; with `numberLabel`, the number is in brackets
// after it, as the page shows it (その他(2)).
void putWhereabouts(const NavigatorRecord& record, std::size_t numberWidth, const char* numberLabel = nullptr,
                    const FleetPosts& posts = fleetPosts);

// The leading column of the location list and the parameter list, 20 bytes wide for town
// names of up to 16 bytes: the number, a colon, then the fleet mark, the unnamed location's
// number or the town's name. `row` is the record's position in the table.
void putLocationColumn(const NavigatorRecord& record, int row);
