#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include <csignal>
#include <sys/resource.h>

#include "launcher/save/ICMFILE_CLASS.h"
#include "TestEnvironment.h"

namespace fs = std::filesystem;

namespace {

std::string readText(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

class CMFileTest : public testing::Test {
 protected:
  void SetUp() override {
    dir = testenv::freshFolder("file-object");
    ASSERT_EQ(CM_CreateFile(&file), CM_OK);
  }
  void TearDown() override {
    if (file) {
      EXPECT_EQ(CM_ReleaseFile(&file), CM_OK);
    }
  }
  std::string path(const char* name) const { return (dir / name).string(); }

  // Writes text as a whole file through the object.
  void writeFile(const std::string& p, const std::string& text) {
    ASSERT_EQ(file->Open(&p, ICMFILE_CLASS::kWrite), CM_OK);
    ASSERT_EQ(file->Write(text.data(), text.size()), CM_OK);
    ASSERT_EQ(file->Close(), CM_OK);
  }

  fs::path dir;
  std::unique_ptr<ICMFILE_CLASS> file;
};

TEST_F(CMFileTest, ReadingAMissingFileIsMissingAndWritingCreatesIt) {
  const std::string p = path("new.bin");
  EXPECT_EQ(file->Open(&p, ICMFILE_CLASS::kRead), CM_ERR_FILE_MISSING);
  EXPECT_EQ(file->Open(&p, ICMFILE_CLASS::kUpdate), CM_ERR_FILE_MISSING);
  writeFile(p, "hello");
  EXPECT_EQ(readText(p), "hello");
}

TEST_F(CMFileTest, ANewFileNeverTakesANameThatIsInUse) {
  const std::string p = path("new.bin");
  const std::string text = "mine";
  // Refused at once when the name is taken (a dangling link takes it too).
  writeFile(p, "someone else's");
  EXPECT_EQ(file->OpenNew(&p), CM_ERR_NO_PERMISSION);
  const std::string link = path("dangling.bin");
  fs::create_symlink(dir / "nowhere", link);
  EXPECT_EQ(file->OpenNew(&link), CM_ERR_NO_PERMISSION);
  // Taken while the file was written: the other file stays, nothing of ours is left.
  const std::string later = path("later.bin");
  ASSERT_EQ(file->OpenNew(&later), CM_OK);
  ASSERT_EQ(file->Write(text.data(), text.size()), CM_OK);
  std::ofstream(later) << "someone else's";
  EXPECT_EQ(file->Close(), CM_ERR_NO_PERMISSION);
  EXPECT_EQ(readText(later), "someone else's");
  // Free to the end: put in place as by Open.
  const std::string free = path("free.bin");
  ASSERT_EQ(file->OpenNew(&free), CM_OK);
  ASSERT_EQ(file->Write(text.data(), text.size()), CM_OK);
  EXPECT_EQ(file->Close(), CM_OK);
  EXPECT_EQ(readText(free), "mine");
  // Discarded: the path stays as it was, with or without a file there.
  const std::string dropped = path("dropped.bin");
  ASSERT_EQ(file->OpenNew(&dropped), CM_OK);
  ASSERT_EQ(file->Write(text.data(), text.size()), CM_OK);
  EXPECT_EQ(file->Discard(), CM_OK);
  EXPECT_FALSE(fs::exists(dropped));
  ASSERT_EQ(file->Open(&p, ICMFILE_CLASS::kWrite), CM_OK);
  ASSERT_EQ(file->Write(text.data(), text.size()), CM_OK);
  EXPECT_EQ(file->Discard(), CM_OK);
  EXPECT_EQ(readText(p), "someone else's");
  EXPECT_EQ(file->Discard(), CM_ERR_NOT_READY);
  int entries = 0;
  for (const auto& e : fs::directory_iterator(dir)) entries += e.path().filename().string()[0] == '.' ? 100 : 1;
  EXPECT_EQ(entries, 4) << "no temporary file is left";
}

TEST_F(CMFileTest, AShorterRewriteLeavesNoStaleTail) {
  const std::string p = path("rewrite.bin");
  writeFile(p, "a much longer first version");
  writeFile(p, "short");
  EXPECT_EQ(readText(p), "short");
}

TEST_F(CMFileTest, WrittenFileAppearsWholeOnlyWhenClosed) {
  const std::string p = path("atomic.bin");
  writeFile(p, "previous");
  ASSERT_EQ(file->Open(&p, ICMFILE_CLASS::kWrite), CM_OK);
  ASSERT_EQ(file->Write("next", 4), CM_OK);
  EXPECT_EQ(readText(p), "previous") << "readers never see half a file";
  ASSERT_EQ(file->Close(), CM_OK);
  EXPECT_EQ(readText(p), "next");
  int entries = 0;
  for (const auto& e : fs::directory_iterator(dir)) entries += (e.path().filename() == "atomic.bin") ? 1 : 100;
  EXPECT_EQ(entries, 1) << "no temporary file is left behind";
}

TEST_F(CMFileTest, ReleasingAnOpenFileKeepsWhatWasWritten) {
  const std::string p = path("released.bin");
  ASSERT_EQ(file->Open(&p, ICMFILE_CLASS::kWrite), CM_OK);
  ASSERT_EQ(file->Write("kept", 4), CM_OK);
  EXPECT_EQ(CM_ReleaseFile(&file), CM_OK);
  EXPECT_EQ(file, nullptr);
  EXPECT_EQ(readText(p), "kept");
}

TEST_F(CMFileTest, SeekTellAndSize) {
  const std::string p = path("seek.bin");
  writeFile(p, "0123456789");
  ASSERT_EQ(file->Open(&p, ICMFILE_CLASS::kRead), CM_OK);
  std::uint64_t at = 99, size = 0;
  struct Case {
    std::int64_t offset;
    std::int32_t origin;
    CMResult expected;
    std::uint64_t position;  // after the call
  } cases[] = {
      {4, ICMFILE_CLASS::kFromStart, CM_OK, 4},
      {2, ICMFILE_CLASS::kFromCurrent, CM_OK, 6},
      {-3, ICMFILE_CLASS::kFromCurrent, CM_OK, 3},
      {-4, ICMFILE_CLASS::kFromCurrent, CM_ERR_BAD_ARGUMENT, 3},
      {5, ICMFILE_CLASS::kToEnd, CM_ERR_BAD_ARGUMENT, 3},
      {-1, ICMFILE_CLASS::kToEnd, CM_ERR_BAD_ARGUMENT, 3},
      {-1, ICMFILE_CLASS::kFromStart, CM_ERR_BAD_ARGUMENT, 3},
      {0, 3, CM_ERR_BAD_ARGUMENT, 3},
      {0, ICMFILE_CLASS::kToEnd, CM_OK, 10},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(file->Seek(c.offset, c.origin), c.expected) << c.offset << "/" << c.origin;
    EXPECT_EQ(file->Tell(&at), CM_OK);
    EXPECT_EQ(at, c.position) << c.offset << "/" << c.origin;
  }
  ASSERT_EQ(file->Seek(2, ICMFILE_CLASS::kFromStart), CM_OK);
  EXPECT_EQ(file->GetSize(&size), CM_OK);
  EXPECT_EQ(size, 10u);
  EXPECT_EQ(file->Tell(&at), CM_OK);
  EXPECT_EQ(at, 2u) << "the size leaves the position where it was";
}

TEST_F(CMFileTest, ReadsCopyWhatIsLeftAndReportTheEnd) {
  const std::string p = path("read.bin");
  writeFile(p, "0123456789");
  ASSERT_EQ(file->Open(&p, ICMFILE_CLASS::kRead), CM_OK);
  ASSERT_EQ(file->Seek(6, ICMFILE_CLASS::kFromStart), CM_OK);
  char buf[10];
  std::memset(buf, '#', sizeof buf);
  std::size_t got = 0;
  EXPECT_EQ(file->Read(buf, 10, &got), CM_OK);
  EXPECT_EQ(got, 4u);
  EXPECT_EQ(std::string(buf, 10), "6789######") << "only the bytes read are copied";
  EXPECT_EQ(file->Read(buf, 10, &got), CM_ERR_END_OF_FILE);
  EXPECT_EQ(got, 0u);
  EXPECT_EQ(file->Read(buf, 1), CM_ERR_END_OF_FILE);
}

TEST_F(CMFileTest, UpdateWritesInPlace) {
  const std::string p = path("update.bin");
  writeFile(p, "0123456789");
  ASSERT_EQ(file->Open(&p, ICMFILE_CLASS::kUpdate), CM_OK);
  ASSERT_EQ(file->Seek(0, ICMFILE_CLASS::kToEnd), CM_OK);
  ASSERT_EQ(file->Write("AB", 2), CM_OK);
  ASSERT_EQ(file->Seek(2, ICMFILE_CLASS::kFromStart), CM_OK);
  ASSERT_EQ(file->WriteFormat(8, "%03d", 7), CM_OK);
  ASSERT_EQ(file->Close(), CM_OK);
  EXPECT_EQ(readText(p), "0100756789AB");
}

TEST_F(CMFileTest, WriteFormatRefusesTextLongerThanItsBuffer) {
  const std::string p = path("format.bin");
  ASSERT_EQ(file->Open(&p, ICMFILE_CLASS::kWrite), CM_OK);
  EXPECT_EQ(file->WriteFormat(16, "%s=%d\n", "width", 4961), CM_OK);
  EXPECT_EQ(file->WriteFormat(6, "%s", "123456"), CM_ERR_SYSTEM) << "needs 7 bytes with its NUL";
  EXPECT_EQ(file->WriteFormat(6, "%s", "12345"), CM_OK);
  ASSERT_EQ(file->Close(), CM_OK);
  EXPECT_EQ(readText(p), "width=4961\n12345");
}

TEST_F(CMFileTest, OperationsOnAClosedFileOrWithBadArgumentsAnswerCodes) {
  std::uint64_t value = 7;
  char buf[4];
  const std::string folderPath = dir.string();
  const std::string inMissingFolder = path("no/such/folder/x.bin");
  struct Case {
    const char* what;
    std::function<CMResult()> call;
    CMResult expected;
  } cases[] = {
      {"close", [&] { return file->Close(); }, CM_ERR_NOT_READY},
      {"tell", [&] { return file->Tell(&value); }, CM_ERR_NOT_READY},
      {"seek", [&] { return file->Seek(0, 0); }, CM_ERR_NOT_READY},
      {"write", [&] { return file->Write("x", 1); }, CM_ERR_NOT_READY},
      {"read", [&] { return file->Read(buf, 1); }, CM_ERR_NOT_READY},
      {"size", [&] { return file->GetSize(&value); }, CM_ERR_NOT_READY},
      {"write format", [&] { return file->WriteFormat(8, "x"); }, CM_ERR_NOT_READY},
      {"open null", [&] { return file->Open(nullptr, 0); }, CM_ERR_BAD_ARGUMENT},
      {"open mode 3", [&] { return file->Open(&folderPath, 3); }, CM_ERR_BAD_ARGUMENT},
      {"write a folder", [&] { return file->Open(&folderPath, ICMFILE_CLASS::kWrite); }, CM_ERR_NO_PERMISSION},
      {"write where no folder is", [&] { return file->Open(&inMissingFolder, ICMFILE_CLASS::kWrite); },
       CM_ERR_NO_PERMISSION},
      {"create into a set slot", [&] { return CM_CreateFile(&file); }, CM_ERR_BAD_ARGUMENT},
      {"create null slot", [] { return CM_CreateFile(nullptr); }, CM_ERR_BAD_ARGUMENT},
  };
  ICMFILE_CLASS* const original = file.get();
  for (const Case& c : cases) {
    CMResult got = 0;
    EXPECT_NO_THROW(got = c.call()) << c.what;
    EXPECT_EQ(got, c.expected) << c.what;
  }
  EXPECT_EQ(file.get(), original) << "a refused create leaves the slot and its object alone";
  EXPECT_EQ(value, 0u) << "tell and size answer 0 when not open";

  const std::string p = path("args.bin");
  ASSERT_EQ(file->Open(&p, ICMFILE_CLASS::kWrite), CM_OK);
  EXPECT_EQ(file->Write(nullptr, 1), CM_ERR_BAD_ARGUMENT);
  EXPECT_EQ(file->Read(nullptr, 1), CM_ERR_BAD_ARGUMENT);
  EXPECT_EQ(file->WriteFormat(8, nullptr), CM_ERR_BAD_ARGUMENT);
  EXPECT_EQ(file->Tell(nullptr), CM_ERR_BAD_ARGUMENT);

  std::unique_ptr<ICMFILE_CLASS> none;
  EXPECT_EQ(CM_ReleaseFile(&none), CM_ERR_BAD_ARGUMENT);
}

// A write that fails part-way (here: the file-size limit) must not replace the old file on
// Close or on release: the old contents stay whole and Close reports the failure.
TEST_F(CMFileTest, AFailedWriteNeverReplacesTheOldFile) {
  const std::string p = path("kept.txt");
  writeFile(p, "old contents");
  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto previous = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::string big(8192, 'x');

  ASSERT_EQ(file->Open(&p, ICMFILE_CLASS::kWrite), CM_OK);
  EXPECT_NE(file->Write(big.data(), big.size()), CM_OK);
  EXPECT_NE(file->Close(), CM_OK);
  EXPECT_EQ(readText(p), "old contents");

  ASSERT_EQ(file->Open(&p, ICMFILE_CLASS::kWrite), CM_OK);
  EXPECT_NE(file->Write(big.data(), big.size()), CM_OK);
  EXPECT_EQ(CM_ReleaseFile(&file), CM_OK);
  EXPECT_EQ(readText(p), "old contents");

  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  for (const auto& entry : fs::directory_iterator(dir)) {
    EXPECT_EQ(entry.path().filename(), "kept.txt") << "left behind: " << entry.path();
  }
}

}  // namespace
