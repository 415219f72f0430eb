// The process-wide tables, and the fleet post lookup.
#include "data/navigators.hpp"

#include "text/literals.hpp"

NavigatorTable navigatorTable{};
TownNameTable townNameTable{};
FleetPosts fleetPosts{};
const PostNames postNames = {postFirstMate, postNavigator, postSurveyor, postInterpreter};
FileTime saveWritten{};
TableOrder tableOrder = TableOrder::saved;

int fleetPostOf(int number) {
    for (int post = 0; post < postCount; ++post) {
        if (fleetPosts[post] == number) return post;
    }
    return -1;
}
