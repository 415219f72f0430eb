// The process-wide tables, and the fleet post lookup.
#include "data/navigators.hpp"

#include "text/literals.hpp"

NavigatorTable navigatorTable{};
TownNameTable townNameTable{};
FleetPosts fleetPosts{};
const PostNames postNames = {postFirstMate, postNavigator, postSurveyor, postInterpreter};
FileTime saveWritten{};
TableOrder tableOrder = TableOrder::saved;
NavigatorTable earlierTable{};
FleetPosts earlierPosts{};
FileTime earlierWritten{};
bool earlierLoaded = false;

int fleetPostOf(int number, const FleetPosts& posts) {
    for (int post = 0; post < postCount; ++post) {
        if (posts[post] == number) return post;
    }
    return -1;
}
