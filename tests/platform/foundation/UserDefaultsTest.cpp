#include "foundation/UserDefaults.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <thread>
#include <vector>

#include "TestEnvironment.h"
#include "TestFiles.h"
#include "foundation/Paths.h"
#include "foundation/PropertyList.h"

namespace fnd {
namespace {

namespace fs = std::filesystem;

TEST(UserDefaults, StandardDefaultsLiveInTheConfigFolder) {
  UserDefaults& defaults = UserDefaults::standard();
  EXPECT_EQ(defaults.path(), Paths::configDir() + "/trivolan.plist");
  EXPECT_EQ(&defaults, &UserDefaults::standard());
  fs::path bookmarkKey = testenv::root() / "pictures";
  ASSERT_TRUE(defaults.set(bookmarkKey.string(), Data{1, 2, 3}));
  const bool folderExisted = fs::exists(Paths::configDir());
  std::string error;
  ASSERT_TRUE(defaults.synchronize(&error)) << error;
  struct stat st {};
  ASSERT_EQ(::stat(Paths::configDir().c_str(), &st), 0);
  if (!folderExisted) {
    EXPECT_EQ(st.st_mode & 0777, 0700u);  // made as a per-user folder
  }
  EXPECT_EQ(PropertyList::readFile(defaults.path()).value->toDictionary().data(bookmarkKey.string()),
            (Data{1, 2, 3}));
  defaults.remove(bookmarkKey.string());
  EXPECT_TRUE(defaults.synchronize());
}

TEST(UserDefaults, TypedValuesRegisteredDefaultsAndPersistence) {
  fs::path file = testenv::freshFolder("defaults") / "sub" / "prefs.plist";
  {
    UserDefaults d(file.string());
    d.registerDefaults({{"Resolution", 300}, {"Sound", true}, {"Name", "Scan"}});
    d.registerDefaults({{"Gamma", 2.2}});
    EXPECT_EQ(d.integer("Resolution"), 300);
    EXPECT_TRUE(d.boolean("Sound"));
    EXPECT_EQ(d.real("Gamma"), 2.2);
    EXPECT_EQ(d.integer("Missing"), 0);
    EXPECT_TRUE(d.object("Missing").isNull());

    EXPECT_TRUE(d.set("Resolution", 600));
    EXPECT_TRUE(d.set("Sound", false));
    EXPECT_TRUE(d.set("Scale", 1.5));
    EXPECT_TRUE(d.set("ExportDirectory", Data{9, 8, 7}));
    EXPECT_TRUE(d.set("Folders", Array{Value("/a"), Value("/b")}));
    EXPECT_TRUE(d.set("Window", Dictionary{{"x", 10}}));
    EXPECT_TRUE(d.set("When", Date{1700000000}));
    EXPECT_TRUE(d.set("Name", "Photo"));
    EXPECT_EQ(d.integer("Resolution"), 600);
    EXPECT_FALSE(d.boolean("Sound"));
    EXPECT_EQ(d.string("Resolution"), "600");  // reads coerce
    EXPECT_EQ(d.intValue("Scale"), 1);

    // Removing a stored value uncovers the registered default.
    d.remove("Name");
    EXPECT_EQ(d.string("Name"), "Scan");
    EXPECT_TRUE(d.set("Name", Value()));  // null removes too
    EXPECT_EQ(d.dictionaryRepresentation().integer("Resolution"), 600);
    EXPECT_EQ(d.dictionaryRepresentation().real("Gamma"), 2.2);

    EXPECT_FALSE(fs::exists(file));  // nothing is written before synchronize
    std::string error;
    ASSERT_TRUE(d.synchronize(&error)) << error;
  }
  UserDefaults again(file.string());
  EXPECT_EQ(again.object("Resolution"), Value(600));
  EXPECT_EQ(again.object("Sound"), Value(false));
  EXPECT_EQ(again.object("Scale"), Value(1.5));
  EXPECT_EQ(again.data("ExportDirectory"), (Data{9, 8, 7}));
  EXPECT_EQ(again.array("Folders").size(), 2u);
  EXPECT_EQ(again.dictionary("Window").integer("x"), 10);
  EXPECT_EQ(again.date("When"), Date{1700000000});
  // Registered defaults belong to the run, not to the file.
  EXPECT_TRUE(again.object("Gamma").isNull());
  EXPECT_TRUE(again.object("Name").isNull());
}

TEST(UserDefaults, UnwritableValuesAreRefused) {
  UserDefaults d((testenv::freshFolder("defaults-refuse") / "d.plist").string());
  ASSERT_TRUE(d.set("Kept", 1));
  EXPECT_FALSE(d.set("Kept", Value::object(std::make_shared<int>(1))));
  EXPECT_FALSE(d.set("Frame", Rect(0, 0, 1, 1)));
  EXPECT_FALSE(d.set("List", Array{Value(1), Value::pointer(&d)}));
  EXPECT_EQ(d.object("Kept"), Value(1));
  EXPECT_TRUE(d.object("Frame").isNull());
  EXPECT_TRUE(d.synchronize());
}

TEST(UserDefaults, UnparsableFileCountsAsMissing) {
  fs::path folder = testenv::freshFolder("defaults-bad");
  const std::string good = *PropertyList::write(Value(Dictionary{{"Resolution", 1200}}));
  const std::string broken[] = {"garbage \x01\x02", good.substr(0, good.size() / 2),
                                *PropertyList::write(Value(Array{Value(1)}))};
  for (const std::string& bytes : broken) {
    fs::path file = folder / "d.plist";
    testenv::writeFile(file, bytes);
    UserDefaults d(file.string());
    d.registerDefaults({{"Resolution", 300}});
    EXPECT_EQ(d.integer("Resolution"), 300);
    ASSERT_TRUE(d.set("Other", 1));
    ASSERT_TRUE(d.synchronize());
    EXPECT_EQ(*PropertyList::readFile(file.string()).value, Value(Dictionary{{"Other", 1}}));
  }
}

// The launcher's remembered scanner and save-folder bookmark are in that file: one that cannot
// be read is kept beside it, as it was, before the first write replaces it, and only then.
TEST(UserDefaults, AnUnparsableFileIsKeptAsideBeforeItIsReplaced) {
  fs::path folder = testenv::freshFolder("defaults-aside");
  const std::string good = *PropertyList::write(Value(Dictionary{{"SelectDeviceName", "TS-800"}}));
  const std::string broken[] = {"garbage \x01\x02", good.substr(0, good.size() / 2), "",
                                *PropertyList::write(Value(Array{Value(1)}))};
  for (const std::string& bytes : broken) {
    SCOPED_TRACE(bytes.substr(0, 40));
    fs::path file = folder / "d.plist";
    fs::path aside = folder / "d.plist.unreadable";
    fs::remove(aside);
    testenv::writeFile(file, bytes);
    UserDefaults d(file.string());
    EXPECT_TRUE(d.string("SelectDeviceName").empty());
    EXPECT_FALSE(fs::exists(aside));  // reading alone touches nothing
    ASSERT_TRUE(d.set("Other", 1));
    ASSERT_TRUE(d.synchronize());
    EXPECT_EQ(testenv::readFile(aside), bytes);
    EXPECT_EQ(*PropertyList::readFile(file.string()).value, Value(Dictionary{{"Other", 1}}));
    // The next write replaces a file of its own: the copy stays as it was.
    ASSERT_TRUE(d.set("Other", 2));
    ASSERT_TRUE(d.synchronize());
    EXPECT_EQ(testenv::readFile(aside), bytes);
  }
  // A sound file, or none, leaves nothing beside it.
  for (bool present : {true, false}) {
    fs::path file = folder / (present ? "sound.plist" : "none.plist");
    if (present) testenv::writeFile(file, good);
    UserDefaults d(file.string());
    ASSERT_TRUE(d.set("Other", 1));
    ASSERT_TRUE(d.synchronize());
    EXPECT_FALSE(fs::exists(file.string() + ".unreadable"));
    EXPECT_EQ(PropertyList::readFile(file.string()).value->toDictionary().string("SelectDeviceName"),
              present ? "TS-800" : "");
  }
}

// Two programs on one file (two launchers, each with its own copy read at its start): each
// write carries its own changes over what the file holds now, so neither undoes the other's.
TEST(UserDefaults, TwoWritersOfOneFileKeepEachOthersChanges) {
  fs::path file = testenv::freshFolder("defaults-two") / "d.plist";
  {
    UserDefaults seed(file.string());
    ASSERT_TRUE(seed.set("Old", 1));
    ASSERT_TRUE(seed.set("Gone", 1));
    ASSERT_TRUE(seed.synchronize());
  }
  UserDefaults first(file.string());
  UserDefaults second(file.string());
  EXPECT_EQ(first.integer("Old"), 1);  // both have read the file
  EXPECT_EQ(second.integer("Old"), 1);
  ASSERT_TRUE(first.set("SelectDeviceName", "TS-800"));
  first.remove("Gone");
  ASSERT_TRUE(first.synchronize());
  ASSERT_TRUE(second.set("ExportDirectory", Data{1, 2}));
  ASSERT_TRUE(second.set("Old", 2));
  ASSERT_TRUE(second.synchronize());
  const Dictionary onDisk = PropertyList::readFile(file.string()).value->toDictionary();
  EXPECT_EQ(onDisk, (Dictionary{{"Old", 2}, {"SelectDeviceName", "TS-800"}, {"ExportDirectory", Data{1, 2}}}));
  // The writer sees what the file holds after its write.
  EXPECT_EQ(second.string("SelectDeviceName"), "TS-800");
  EXPECT_TRUE(second.object("Gone").isNull());
  // A later write of the first carries only its own changes again.
  ASSERT_TRUE(first.set("SelectDeviceName", "TS-900"));
  ASSERT_TRUE(first.synchronize());
  EXPECT_EQ(PropertyList::readFile(file.string()).value->toDictionary(),
            (Dictionary{{"Old", 2}, {"SelectDeviceName", "TS-900"}, {"ExportDirectory", Data{1, 2}}}));
}

TEST(UserDefaults, FailedSynchronizeKeepsChangesPendingAndTheFileWhole) {
  fs::path folder = testenv::freshFolder("defaults-fail");
  fs::path file = folder / "d.plist";
  fs::create_directories(file);  // something in the way of the rename
  UserDefaults d(file.string());
  ASSERT_TRUE(d.set("Resolution", 600));
  std::string error;
  EXPECT_FALSE(d.synchronize(&error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(fs::is_directory(file));
  fs::remove(file);
  ASSERT_TRUE(d.synchronize());  // still pending, now written
  EXPECT_EQ(PropertyList::readFile(file.string()).value->toDictionary().integer("Resolution"), 600);
}

TEST(UserDefaults, ConcurrentUseFromManyThreads) {
  fs::path file = testenv::freshFolder("defaults-threads") / "d.plist";
  UserDefaults d(file.string());
  d.registerDefaults({{"Shared", 0}});
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&d, t] {
      for (int i = 0; i < 50; ++i) {
        std::string key = "T" + std::to_string(t) + "_" + std::to_string(i);
        d.set(key, i);
        EXPECT_EQ(d.integer(key), i);
        d.integer("Shared");
        if (i % 10 == 0) d.synchronize();
      }
    });
  }
  for (std::thread& th : threads) th.join();
  ASSERT_TRUE(d.synchronize());
  EXPECT_EQ(PropertyList::readFile(file.string()).value->toDictionary().size(), 200u);
}

}  // namespace
}  // namespace fnd
