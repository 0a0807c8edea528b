// The library exports exactly the names of its export table.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <string>

namespace {

std::set<std::string> definedDynamicSymbols(const std::string &library)
{
    std::set<std::string> names;
    const std::string command = "nm -D --defined-only '" + library + "'";
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe)
        return names;
    char line[512];
    while (fgets(line, sizeof line, pipe)) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        const size_t space = text.rfind(' ');
        names.insert(space == std::string::npos ? text : text.substr(space + 1));
    }
    pclose(pipe);
    return names;
}

std::set<std::string> exportTable(const std::string &mapFile)
{
    std::set<std::string> names;
    std::ifstream in(mapFile);
    std::string word;
    while (in >> word) {
        if (word.rfind("Prof", 0) == 0 && word.back() == ';')
            names.insert(word.substr(0, word.size() - 1));
    }
    return names;
}

const std::set<std::string> kEmbeddedExports = {
    "ProfAppendFileA",   "ProfAppendFileW",   "ProfGetFileA",      "ProfGetFileW",
    "ProfAppendStreamA", "ProfAppendStreamW", "ProfGetStreamA",    "ProfGetStreamW",
    "ProfAppendFilesA",  "ProfAppendFilesW",  "ProfExtractFilesA", "ProfExtractFilesW",
};

} // namespace

TEST(ExportTable, LibraryExportsExactlyTheTable)
{
    const std::set<std::string> table = exportTable(TBPR14_MAP_FILE);
    ASSERT_EQ(table.size(), 121u);
    std::set<std::string> expected = table;
    if (TBPR14_EMBEDDED_PENDING) {
        for (const auto &name : kEmbeddedExports)
            expected.erase(name);
    }
    EXPECT_EQ(definedDynamicSymbols(TBPR14_LIBRARY_FILE), expected);
}
