// Bookmarks of chosen folders kept in the user defaults under the path.

#include <gtest/gtest.h>

#include <filesystem>

#include "TestEnvironment.h"
#include "foundation/UserDefaults.h"
#include "ui/base/SecurityScopeBookmarks.h"

namespace fs = std::filesystem;

TEST(SecurityScopeBookmarks, RoundTripThroughTheDefaultsFile) {
  const fs::path d = testenv::freshFolder("bookmarks");
  fs::create_directories(d / "Scans");
  const std::string folder = (d / "Scans").string();
  const std::string file = (d / "defaults.plist").string();
  {
    fnd::UserDefaults defaults(file);
    SaveSecurityScopeBookmarks(folder, defaults);
    EXPECT_TRUE(defaults.object(folder).isData());
  }
  fnd::UserDefaults reread(file);  // written to disk, not only kept in memory
  EXPECT_EQ(LoadSecurityScopeBookmarks(folder, reread), folder);

  // A folder that went away still answers its path; the caller's own tests find it missing.
  fs::remove(d / "Scans");
  EXPECT_EQ(LoadSecurityScopeBookmarks(folder, reread), folder);
}

TEST(SecurityScopeBookmarks, NothingForEmptyMissingOrForeignEntries) {
  const fs::path d = testenv::freshFolder("bookmarks-none");
  fnd::UserDefaults defaults((d / "defaults.plist").string());
  SaveSecurityScopeBookmarks("", defaults);
  SaveSecurityScopeBookmarks((d / "missing").string(), defaults);
  EXPECT_TRUE(defaults.dictionaryRepresentation().empty());
  EXPECT_EQ(LoadSecurityScopeBookmarks((d / "missing").string(), defaults), std::nullopt);
  EXPECT_EQ(LoadSecurityScopeBookmarks("", defaults), std::nullopt);
  defaults.set("/not/a/bookmark", fnd::Value(fnd::Data{1, 2, 3}));
  defaults.set("/a/string", fnd::Value("text"));
  EXPECT_EQ(LoadSecurityScopeBookmarks("/not/a/bookmark", defaults), std::nullopt);
  EXPECT_EQ(LoadSecurityScopeBookmarks("/a/string", defaults), std::nullopt);
}

TEST(SecurityScopeBookmarks, StandardDefaultsByDefault) {
  const fs::path d = testenv::freshFolder("bookmarks-standard");
  SaveSecurityScopeBookmarks(d.string());
  EXPECT_EQ(LoadSecurityScopeBookmarks(d.string()), d.string());
}
