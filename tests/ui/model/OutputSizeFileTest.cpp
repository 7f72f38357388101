// "OutputSize.xml": where it lies, reading a missing or broken file, and writing it whole.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "foundation/Paths.h"
#include "ui/model/OutputSizeFile.h"

namespace {

std::string outputSizeFileFolder() {
  const std::filesystem::path dir = std::filesystem::path(fnd::Paths::configDir()) / "outputsizefile";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string();
}

Quirel_OutputSize screenSize() {
  Quirel_OutputSize size(40, 1, "Screen", 2);
  size.setSize(2, 320, 240);
  return size;
}

}  // namespace

TEST(OutputSizeFile, TheFileIsTheFolderAndTheNameJoinedOnceAndWrittenWhole) {
  EXPECT_EQ(Quirel_OutputSizeFile::filePath("/a/b"), "/a/b/OutputSize.xml");
  EXPECT_EQ(Quirel_OutputSizeFile::filePath("/a/b/"), "/a/b/OutputSize.xml");
  EXPECT_EQ(Quirel_OutputSizeFile::filePath("/a/b//"), "/a/b/OutputSize.xml");
  EXPECT_EQ(Quirel_OutputSizeFile::filePath("/"), "/OutputSize.xml");
  EXPECT_EQ(Quirel_OutputSizeFile::filePath("~/x"), fnd::Paths::homeDir() + "/x/OutputSize.xml");
  EXPECT_EQ(Quirel_OutputSizeFile::filePath(""), "");

  const std::string folder = outputSizeFileFolder();
  EXPECT_TRUE(Quirel_OutputSizeFile::read(folder).empty());
  std::ofstream(folder + "/OutputSize.xml") << "<plist version=\"1.0\"><array><dict>";  // cut short
  EXPECT_TRUE(Quirel_OutputSizeFile::read(folder).empty());
  ASSERT_TRUE(Quirel_OutputSizeFile::write(folder, {screenSize()}));
  const auto back = Quirel_OutputSizeFile::read(folder);
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].getName(), "Screen");
  EXPECT_EQ(back[0].getDestination(), 1);
  EXPECT_DOUBLE_EQ(back[0].getOutputHeight().pixel, 240);
  EXPECT_FALSE(Quirel_OutputSizeFile::write(folder + "/missing/deeper", {}));
  EXPECT_EQ(Quirel_OutputSizeFile::read(folder).size(), 1u);
}
