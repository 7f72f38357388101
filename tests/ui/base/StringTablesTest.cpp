// Our own string tables: a key written twice silently loses one of its texts (the later entry
// wins), which is how merged branches have gone wrong before. Each table must give every key once.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <sstream>

#include "TestEnvironment.h"
#include "TestFiles.h"

namespace {

namespace fs = std::filesystem;

TEST(StringTables, EveryKeyIsGivenOnceInEachTable) {
  const fs::path folder = testenv::sourceDir().parent_path() / "resources/en.lproj";
  const std::regex entry(R"re(^\s*"((?:[^"\\]|\\.)*)"\s*=)re");
  int tables = 0;
  for (const auto& file : fs::directory_iterator(folder)) {
    if (file.path().extension() != ".strings") continue;
    ++tables;
    std::map<std::string, int> firstLine;
    std::istringstream lines(testenv::readFile(file.path()));
    std::string line;
    for (int n = 1; std::getline(lines, line); ++n) {
      std::smatch m;
      if (!std::regex_search(line, m, entry)) continue;
      const auto [it, fresh] = firstLine.emplace(m[1].str(), n);
      EXPECT_TRUE(fresh) << file.path().filename().string() << ": \"" << m[1].str() << "\" on lines " << it->second
                         << " and " << n;
    }
  }
  EXPECT_GE(tables, 4);
}

}  // namespace
