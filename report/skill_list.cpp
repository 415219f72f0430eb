// The skill list: a two-line header of level labels, then each navigator's 27 levels.
#include <cstring>
#include <initializer_list>

#include "output/output.hpp"
#include "report/reports.hpp"
#include "text/literals.hpp"
#include "text/shift_jis.hpp"

namespace {

constexpr std::size_t nameFieldCut = 17;
constexpr std::size_t nameFieldWidth = 18;
constexpr std::size_t levelsGap = 2;
// The labels stand over the levels: after the post field and its colon, the name field and
// the gap.
constexpr std::size_t headerIndent = whereaboutsWidth + 1 + nameFieldWidth + levelsGap;

// Blanks for a navigator in a tavern or an inn, else the fleet post, else the number.
void putPostField(const NavigatorRecord& record) {
    if (lodgingOf(record) != nullptr) {
        putBlanks(whereaboutsWidth);
    } else {
        putWhereabouts(record, whereaboutsWidth);
    }
    putBytes(":", 1);
}

// "name1 name2", cut to at most 17 bytes and filled with blanks to 18, so that at least one
// blank stands between a long name and the levels. The cut never splits a double-byte
// character, which would show as a broken character and stop iconv on the saved report: a
// character that would end past the 17th byte goes whole, and its place is blank.
void putNameField(const NavigatorRecord& record) {
    char name[nameSize * 2 + 1] = {};
    std::size_t length = 0;
    for (const char* part : {record.name1, " ", record.name2}) {
        std::size_t partLength = std::strlen(part);
        std::memcpy(name + length, part, partLength);
        length += partLength;
    }
    name[wholeCharacters(name, length, nameFieldCut)] = '\0';
    putNamePadded(name, nameFieldWidth);
}

}  // namespace

void printSkillList() {
    for (const char* labels : {skillHeaderTop, skillHeaderBottom}) {
        putBlanks(headerIndent);
        putText(labels);
        putNewline();
    }
    for (const NavigatorRecord& record : navigatorTable) {
        putPostField(record);
        putNameField(record);
        putBlanks(levelsGap);
        for (std::uint8_t level : record.levels) putNumber(level, 2);
        putNewline();
    }
}
