#include "support/tables.hpp"

#include <cstring>

#include "support/game_folder.hpp"
#include "support/run.hpp"
#include "output/output.hpp"

void resetTables() {
    for (int number = 0; number < navigatorCount; ++number) {
        navigatorTable[number] = NavigatorRecord{};
        navigatorTable[number].number = static_cast<std::uint8_t>(number);
    }
    for (auto& slot : townNameTable) slot.fill('\0');
    fleetPosts = {250, 250, 250, 250};
    saveWritten = FileTime{};
    tableOrder = TableOrder::saved;
    earlierTable = navigatorTable;
    earlierPosts = fleetPosts;
    earlierWritten = FileTime{};
    earlierLoaded = false;
}

NavigatorRecord& setNavigator(int number, const std::string& name1, const std::string& name2) {
    NavigatorRecord& record = navigatorTable[number];
    std::strncpy(record.name1, name1.c_str(), nameSize - 1);
    std::strncpy(record.name2, name2.c_str(), nameSize - 1);
    return record;
}

void setTownName(int town, const std::string& name) {
    std::strncpy(townNameTable[town].data(), name.c_str(), townNameSize - 1);
}

std::string captureReport(void (*print)()) {
    TempFolder folder;
    std::filesystem::path path = folder.path / "report";
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    setOutput(file);
    print();
    finishOutput();
    setOutput(stdout);
    std::fclose(file);
    return readFile(path);
}
