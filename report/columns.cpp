// The decisions the reports share: where a navigator is, and what the whereabouts show.
#include "output/output.hpp"
#include "report/reports.hpp"
#include "text/literals.hpp"

namespace {

// The whereabouts byte of a navigator in a tavern, and at an inn.
constexpr int inTavern = 4;
constexpr int atInn = 5;

// The location column: the number before the colon, and the town name's field after it.
constexpr std::size_t rowNumberWidth = 3;
constexpr std::size_t townNameWidth = 16;
constexpr std::size_t unnamedLocationWidth = 3;

}  // namespace

Place placeOf(const NavigatorRecord& record, const FleetPosts& posts) {
    if (fleetPostOf(record.number, posts) >= 0) return Place::fleet;
    return record.location >= townCount ? Place::unnamed : Place::town;
}

const char* lodgingOf(const NavigatorRecord& record) {
    if (record.whereabouts == inTavern) return tavern;
    if (record.whereabouts == atInn) return inn;
    return nullptr;
}

void putWhereabouts(const NavigatorRecord& record, std::size_t numberWidth, const char* numberLabel,
                    const FleetPosts& posts) {
    int post = fleetPostOf(record.number, posts);
    if (const char* lodging = lodgingOf(record)) {
        putText(lodging);
    } else if (post >= 0) {
        putText(postNames[post]);
    } else if (numberLabel != nullptr) {
        putText(numberLabel);
        putNumber(record.whereabouts, numberWidth);
        putBytes(")", 1);
    } else {
        putNumber(record.whereabouts, numberWidth);
    }
}

// The number before the colon is the navigator's own number for a navigator in a town, and
// the row's position for a fleet member or a location without a name. Deliberately so, and
// not to be made alike: the reports have always numbered their rows so, and the players'
// saved lists and the guide rely on it. Both agree until the table is sorted.
void putLocationColumn(const NavigatorRecord& record, int row) {
    Place place = placeOf(record);
    putNumber(place == Place::town ? record.number : row, rowNumberWidth);
    putBytes(":", 1);
    switch (place) {
        case Place::fleet: putText(inFleet); break;
        case Place::unnamed:
            putNumber(record.location, unnamedLocationWidth);
            putText("?????????????");
            break;
        case Place::town: putNamePadded(townNameTable[record.location].data(), townNameWidth); break;
    }
}
