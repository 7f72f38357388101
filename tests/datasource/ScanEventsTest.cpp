// Scan reports of the real scan module reaching the data source, the launcher and the user
// interface; the module's answers to the user interface's requests; closing while it works.
#include <gtest/gtest.h>

#include <filesystem>

#include "DataSourceSupport.h"
#include "scanmodule/HandOver.h"
#include "scanmodule/PageMemory.h"

using namespace dstest;
namespace report = velmor::report;

namespace {

// The data source on the real module, with its user interface open on a FakeRoot.
struct RealSource {
  explicit RealSource(const std::string& device = {}) {
    opened = ds.dtScannerOpenDevice(device.empty() ? fnd::Dictionary{} : fnd::Dictionary{{"DeviceName", device}});
    if (opened == 0) ds.dtScannerOpenUserInterface(0);
  }
  ~RealSource() { ds.dtScannerCloseDevice(); }
  FakeRoot* root() const { return static_cast<FakeRoot*>(ds.userInterfaceRoot()); }
  void post(const char* name, fnd::SharedDictionary info = fnd::makeShared()) {
    fnd::NotificationCenter::defaultCenter().post(name, ds.userInterfaceRoot()->notificationSender(), std::move(info));
  }
  FakeRootFactory factory;
  Dravon_DirectTWAIN ds;
  LauncherEar ear{&ds};
  std::int32_t opened = -1;
};

fnd::SharedDictionary scanRequest(const std::string& temp, int inputSource = 0) {
  const fnd::Dictionary crop{{"Resolution", 75}, {"ScanRect", fnd::Dictionary{{"X", 0}, {"Y", 0}, {"width", 60}, {"height", 40}}}};
  return fnd::makeShared(fnd::Dictionary{
      {"ScanSetting", fnd::Dictionary{{"ColorMode", 2}, {"TemporaryPath", temp}, {"NoCloseUI", 1}}},
      {"InputSource", inputSource},
      {"BitDepth", 8},
      {"CropItem", fnd::Array{fnd::Dictionary{}, crop}}});
}

// Takes one document through the data source the way the image delivery will: per page the
// image report, the page start, the rows, the page end and the pending count. The pages seen.
int driveDocument(RealSource& s, std::int16_t pageMode) {
  Dravon_DirectTWAIN& ds = s.ds;
  int pages = 0;
  for (std::int16_t page = 1;; ++page) {
    SCOPED_TRACE(page);
    ds.mDoingDSpage = page;
    EXPECT_EQ(ds.dsWaitForNextEvent(2), 0);
    EXPECT_EQ(ds.mReceivedSMnc.load() & 0x1f, Dravon_DirectTWAIN::kBitDocumentStart | Dravon_DirectTWAIN::kBitImageInfo);
    ds.scanController()->smStartScan();
    EXPECT_EQ(ds.dsWaitForNextEvent(3), 0);
    EXPECT_NE(ds.mReceivedSMnc.load() & Dravon_DirectTWAIN::kBitPageStart, 0);
    EXPECT_EQ(ds.mDataTransMode.load(), pageMode);
    const Dravon_DirectTWAIN::SmImageInfo info = ds.smImageInfo();
    EXPECT_EQ(info.width, 60);
    EXPECT_EQ(info.size, 60u * 3 * 40);
    std::string file;
    if (pageMode == 1) {
      for (int rows = 0; rows < info.height;) {
        if (ds.scanController()->smReadScan()) {
          ++rows;
        } else {
          std::this_thread::yield();
        }
      }
    } else {
      EXPECT_TRUE(ds.holdsPage());
      file = ds.pageFilePath();
      EXPECT_EQ(!file.empty(), pageMode == 2);
      if (pageMode == 2) {
        EXPECT_EQ(std::filesystem::file_size(file), info.size);
      }
    }
    EXPECT_EQ(ds.dsWaitForNextEvent(4), 0);
    EXPECT_NE(ds.mReceivedSMnc.load() & Dravon_DirectTWAIN::kBitPageEnd, 0);
    const int count = ds.scanController()->smContinousScan2(ds.mScanningMode.load() == 1 ? 1 : 0);
    ds.dsEndScan(0);
    // The data source owned the page: it is gone with the page's end.
    EXPECT_FALSE(ds.holdsPage());
    if (!file.empty()) {
      EXPECT_FALSE(std::filesystem::exists(file));
    }
    ++pages;
    if (count == 0) break;
  }
  EXPECT_EQ(ds.dsWaitForNextEvent(5), 0);
  EXPECT_NE(ds.mReceivedSMnc.load() & Dravon_DirectTWAIN::kBitDocumentEnd, 0);
  EXPECT_EQ(ds.mDocEndInfo.load(), 0);
  ds.mStartedScan = false;
  return pages;
}

}  // namespace

TEST(ScanEvents, DocumentsOfTheRealModuleInLineFileAndMemoryPages) {
  const std::string temp = testenv::freshFolder("scan-events").string();
  struct Case {
    const char* delivery;
    std::int16_t mode;
    int feederPages;
  };
  for (const Case& c : {Case{"Line", 1, 0}, Case{"File", 2, 0}, Case{"Memory", 3, 0}, Case{"Memory", 3, 3}}) {
    SCOPED_TRACE(std::string(c.delivery) + " " + std::to_string(c.feederPages));
    const std::string name = std::string("Events ") + c.delivery + std::to_string(c.feederPages);
    DeviceFile file(name, {{"FeederPages", c.feederPages}}, {{"PageDelivery", c.delivery}});
    RealSource s(name);
    ASSERT_EQ(s.opened, 0);
    for (int document = 1; document <= 2; ++document) {
      s.post("StandardMode_Scan", scanRequest(temp, c.feederPages > 0 ? 1 : 0));
      // The launcher starts pulling when the images are announced: once per document, on the
      // main thread.
      ASSERT_TRUE(pumpUntil([&] { return s.ear.xferReady.load() == document; }))
          << "bits " << s.ds.mReceivedSMnc.load() << " error " << s.ds.deviceError();
      EXPECT_EQ(driveDocument(s, c.mode), c.feederPages > 0 ? c.feederPages : 1);
      // The module's end of the scan has reached the window before the next scan is asked for.
      ASSERT_TRUE(pumpUntil([&] { return s.factory.log->count("endScan") == document; }));
      EXPECT_EQ(s.ear.xferReady.load(), document);
      // The launcher hears the document's end from the data source, after its announcement.
      ASSERT_TRUE(pumpUntil([&] { return s.ear.documentEnds.load() == document; }));
      EXPECT_EQ(s.ear.endsBeforeAnyXferReady.load(), 0);
      EXPECT_EQ(s.ds.mCurrentState.load(), Dravon_DirectTWAIN::kStateXferReady);
      if (c.feederPages > 0) {
        EXPECT_EQ(s.ds.mScanningMode.load(), 1);
      }
      EXPECT_EQ(s.ds.mClosePictavoUI.load(), 0);  // "NoCloseUI" 1 keeps the driver open
      EXPECT_EQ(s.ds.tempPath(), temp);
    }
    EXPECT_EQ(s.ear.offMainThread.load(), 0);
    EXPECT_TRUE(s.factory.log->contains("createProgressWindow"));
    // The module's thread drove the progress window through the dispatcher.
    ASSERT_TRUE(pumpUntil([&] { return s.factory.log->contains("endScan"); }));

    // The close request is made once; the groups all go with 50.
    s.post("Click_CloseButton");
    s.post("Click_CloseButton");
    EXPECT_EQ(s.ear.closeRequests.load(), 1);
    s.ds.dsRemoveObserver(50, nullptr);
    EXPECT_TRUE(s.ds.registeredGroups().empty());
  }
}

TEST(ScanEvents, APageEndWithoutInformationKeepsThePendingCount) {
  OpenedOnDoubles o;
  o.report(report::kPageEnd, fnd::makeShared(fnd::Dictionary{{"CROPS", 4}}));
  EXPECT_EQ(o.ds.mXferCount.load(), 4);
  o.report(report::kPageEnd);
  EXPECT_EQ(o.ds.mXferCount.load(), 4);
  EXPECT_NE(o.ds.mReceivedSMnc.load() & Dravon_DirectTWAIN::kBitPageEnd, 0);
}

TEST(ScanEvents, PagesArriveOnlyAsTypedHandOversWithTheirSize) {
  OpenedOnDoubles o;
  o.report(report::kDocumentStart);
  o.report(report::kImageInfo, fnd::makeShared(fnd::Dictionary{{"SAMPLES", 1}, {"PIXELS", 1}, {"WIDTH", 2550}, {"HEIGHT", 2}}));
  EXPECT_EQ(o.ds.smImageInfo().size, 319u * 2);
  // A memory page handed over as a typed object is taken during the post.
  auto block = std::make_shared<velmor::HandOver<velmor::PageMemory>>(
      std::make_unique<velmor::PageMemory>(std::make_unique<std::uint8_t[]>(638), 638));
  o.report(report::kPageStartObject, fnd::makeShared(fnd::Dictionary{{"object", fnd::Value::object(block)}}));
  EXPECT_TRUE(block->taken());
  EXPECT_EQ(o.ds.mDataTransMode.load(), 3);
  EXPECT_TRUE(o.ds.holdsPage());
  o.ds.dsEndScan(0);
  EXPECT_FALSE(o.ds.holdsPage());
  EXPECT_EQ(o.ds.deviceError(), 0);

  // A bare address fails the page with 1216 and cancels the scan.
  o.report(report::kImageInfo, fnd::makeShared(fnd::Dictionary{{"SAMPLES", 3}, {"PIXELS", 8}, {"WIDTH", 10}, {"HEIGHT", 2}}));
  std::uint8_t bytes[60] = {};
  o.report(report::kPageStartObject, fnd::makeShared(fnd::Dictionary{{"object", fnd::Value::pointer(bytes)}}));
  EXPECT_EQ(o.ds.mDataTransMode.load(), 0);
  EXPECT_EQ(o.ds.deviceError(), 1216);
  EXPECT_EQ(o.ds.errorNumbers(), (std::array<std::int32_t, 3>{0, 30, 0}));
  EXPECT_EQ(o.scan().cancels.load(), 1);
  EXPECT_FALSE(o.ds.holdsPage());
}

TEST(ScanEvents, AnImageTooLargeForTheDiskCancelsAndPostsNoImagesReady) {
  OpenedOnDoubles o;
  LauncherEar ear(&o.ds);
  o.report(report::kDocumentStart);
  // 2^31 by 2^31 pixels of 48 bits: no volume holds twice that.
  o.report(report::kImageInfo,
           fnd::makeShared(fnd::Dictionary{{"SAMPLES", 3}, {"PIXELS", 16}, {"WIDTH", 2147483647}, {"HEIGHT", 2147483647}}));
  pumpUntil([&] { return o.ds.uiController()->pendingCount() == 0; });
  EXPECT_EQ(o.scan().cancels.load(), 1);
  EXPECT_TRUE(o.factory.log->contains("showMessage:1216,0,30,0"));
  EXPECT_EQ(ear.xferReady.load(), 0);
}

TEST(ScanEvents, TheModuleAnswersTheUserInterfacesRequestsInsideThePost) {
  const std::string temp = testenv::freshFolder("targets-ds").string();
  for (bool failing : {false, true}) {
    SCOPED_TRACE(failing);
    const std::string name = failing ? "Failing Targets Virtual" : "Targets Virtual";
    DeviceFile file(name, {},
                    failing ? fnd::Dictionary{{"ManualCalibrationError", true}, {"ScannerTestStatus", 1629}, {"FuncStatus", 2}}
                            : fnd::Dictionary{});
    RealSource s(name);
    ASSERT_EQ(s.opened, 0);

    auto set = fnd::makeShared(fnd::Dictionary{{"AutoPowerOffTime", 3}});
    s.post("NC_SetAutoPowerOffSetting", set);
    EXPECT_EQ(set->intValue("FuncStatus"), failing ? 2 : 0);
    auto get = fnd::makeShared();
    s.post("NC_GetAutoPowerOffSetting", get);
    EXPECT_EQ(get->intValue("FuncStatus"), failing ? 2 : 0);
    EXPECT_EQ(get->intValue("AutoPowerOffTime"), failing ? 0 : 3);

    s.factory.log->clear();
    s.post("ExecuteCalibrationPost");
    s.post("ExecuteScannerTestPost");
    // Answered in the posts: the windows were asked for before they returned.
    EXPECT_TRUE(s.factory.log->contains("displayCalibrationProcWindow:1351"));
    EXPECT_TRUE(s.factory.log->contains("closeCalibrationProcWindow"));
    EXPECT_EQ(s.factory.log->contains("manualCalibrationError"), failing);
    if (failing) {
      EXPECT_EQ(s.factory.log->kept("manualCalibrationError").intValue("TestStatus"), 1904);
    }
    EXPECT_EQ(s.factory.log->kept("displayScannerTestStatus").intValue("TestStatus"), failing ? 1629 : 1630);
    EXPECT_TRUE(s.factory.log->contains("endScannerTest"));
  }

  // Preview, backup and resume; crop correction and automatic crop on the preview.
  RealSource s;
  ASSERT_EQ(s.opened, 0);
  s.post("Preview_Scan");
  ASSERT_TRUE(pumpUntil([&] { return s.factory.log->contains("endPreview"); }));
  EXPECT_FALSE(s.root()->previewBytes.empty());
  auto result = std::make_shared<int>(-1);
  s.post("ScanModule_Backup2", fnd::makeShared(fnd::Dictionary{{"BackupPath", temp}, {"SMResult", fnd::Value::object(result)}}));
  EXPECT_EQ(*result, 0);
  s.factory.log->clear();
  s.post("ScanModule_Resume2", fnd::makeShared(fnd::Dictionary{{"ResumePath", temp}, {"SMResult", fnd::Value::object(result)}}));
  EXPECT_EQ(*result, 0);
  EXPECT_TRUE(s.factory.log->contains("drawPreviewArea"));

  std::int32_t width = 0, height = 0;
  unsigned char* image = nullptr;
  unsigned char* before = nullptr;
  const fnd::Dictionary crop{{"Resolution", 75},
                             {"ScanRect", fnd::Dictionary{{"X", 10}, {"Y", 10}, {"width", 20}, {"height", 30}}},
                             {"DATA_WIDTH", fnd::Value::pointer(&width)},
                             {"DATA_HEIGHT", fnd::Value::pointer(&height)},
                             {"DATA_P", fnd::Value::pointer(&image)},
                             {"DATA_H", fnd::Value::pointer(&before)}};
  s.post("crop_Imageset2", fnd::makeShared(fnd::Dictionary{{"CropItem", fnd::Array{fnd::Dictionary{}, crop}}}));
  EXPECT_EQ(width, 20);
  EXPECT_EQ(height, 30);
  EXPECT_NE(image, nullptr);
  std::free(image);
  std::free(before);

  auto answer = std::make_shared<fnd::Dictionary>();
  auto pt = [](int x, int y) { return fnd::Value(fnd::Dictionary{{"X", x}, {"Y", y}}); };
  s.post("Auto_Crop2", fnd::makeShared(fnd::Dictionary{{"points", fnd::Array{pt(0, 0), pt(1, 0), pt(1, 1), pt(0, 1)}},
                                                       {"autoCropPDic", fnd::Value::object(answer)}}));
  EXPECT_EQ(answer->array("newPoints").size(), 4u);
}
