// Images pulled through the launcher's transfer calls: descriptions, blocks and their bytes in
// line, file and memory delivery, pending counts, the end of saving, cancels, device errors and
// records the data source must refuse.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

#include "DataSourceSupport.h"
#include "foundation/FileManager.h"
#include "scanmodule/ErrorInformation.h"
#include "scanmodule/HandOver.h"
#include "scanmodule/ImageRenderer.h"
#include "scanmodule/PageFile.h"
#include "scanmodule/PageMemory.h"
#include "scanmodule/ScanRequest.h"

using namespace dstest;
namespace report = velmor::report;

namespace {

constexpr std::uint32_t kDeliveryBlock = 0x100000;

// The data source on the real module, opened as the launcher opens it.
struct DeliverySource {
  explicit DeliverySource(const std::string& device) {
    opened = ds.dtScannerOpenDevice(fnd::Dictionary{{"DeviceName", device}});
    if (opened == 0) ds.dtScannerOpenUserInterface(0);
  }
  ~DeliverySource() {
    ds.dtScannerCloseUserInterface();
    ds.dtScannerCloseDevice();
  }
  FakeRoot* root() const { return static_cast<FakeRoot*>(ds.userInterfaceRoot()); }
  void post(const char* name, fnd::SharedDictionary info = fnd::makeShared()) {
    fnd::NotificationCenter::defaultCenter().post(name, ds.userInterfaceRoot()->notificationSender(), std::move(info));
  }
  // Asks for a scan and waits, as the launcher does, for the images to be announced.
  bool scan(const fnd::Dictionary& request) {
    const int before = ear.xferReady.load();
    post("StandardMode_Scan", fnd::makeShared(request));
    return pumpUntil([&] { return ear.xferReady.load() > before; });
  }
  FakeRootFactory factory;
  Dravon_DirectTWAIN ds;
  LauncherEar ear{&ds};
  std::int32_t opened = -1;
};

fnd::Dictionary deliveryRequest(const std::string& temp, int width, int height, int resolution, int colorMode = 2,
                                int bitDepth = 8, int inputSource = 0, int noCloseUI = 1) {
  const fnd::Dictionary crop{
      {"Resolution", resolution},
      {"ScanRect", fnd::Dictionary{{"X", 0}, {"Y", 0}, {"width", width}, {"height", height}}}};
  return fnd::Dictionary{
      {"ScanSetting", fnd::Dictionary{{"ColorMode", colorMode}, {"TemporaryPath", temp}, {"NoCloseUI", noCloseUI}}},
      {"InputSource", inputSource},
      {"BitDepth", bitDepth},
      {"CropItem", fnd::Array{fnd::Dictionary{}, crop}}};
}

// The rows the module renders for page `page` of that request on that device.
std::vector<std::uint8_t> renderedPage(const std::string& device, const fnd::Dictionary& request, int page) {
  const velmor::DeviceModel model = velmor::DeviceModel::resolve(fnd::Dictionary{{"DeviceName", device}});
  const velmor::ScanRequest scan = velmor::ScanRequest::fromDictionary(request, model);
  const velmor::Scene scene = scan.source == velmor::Source::Feeder
                                  ? velmor::Scene::feederPage(model.feederWidth, model.feederHeight, page)
                                  : velmor::Scene::platen(model.platenWidth, model.platenHeight);
  const velmor::ImageRenderer renderer(scene, scan.areas.at(0));
  std::vector<std::uint8_t> bytes(renderer.rowBytes() * static_cast<std::size_t>(renderer.rows()));
  for (int r = 0; r < renderer.rows(); ++r) renderer.renderRow(r, bytes.data() + renderer.rowBytes() * static_cast<std::size_t>(r));
  return bytes;
}

// A transfer record as the launcher presets it.
TW_IMAGEMEMXFER launcherRecord(void* memory, std::uint32_t length, std::uint32_t flags = TWMF_APPOWNS | TWMF_POINTER) {
  return TW_IMAGEMEMXFER{0xFFFF, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u, TW_MEMORY{flags, length, memory}};
}

struct PulledImage {
  std::int32_t infoAnswer = -1;
  DT_IMAGEINFO info{};
  std::vector<std::int32_t> answers;
  std::vector<TW_IMAGEMEMXFER> blocks;
  std::vector<std::int16_t> states;  // after each transfer
  std::vector<std::uint8_t> bytes;
};

// Pulls one image: the description, then blocks while they answer 0. `handle`: the buffer is
// given through a pointer to it (the handle bit).
PulledImage pullImage(Dravon_DirectTWAIN& ds, std::uint32_t length = kDeliveryBlock, bool handle = false,
                      const std::function<void(int block)>& beforeBlock = {}) {
  PulledImage p;
  p.infoAnswer = ds.dtScannerGetImageInfo(&p.info);
  std::vector<std::uint8_t> buffer(length);
  void* inner = buffer.data();
  for (int block = 0; block < 100000; ++block) {
    if (beforeBlock) beforeBlock(block);
    TW_IMAGEMEMXFER x = handle ? launcherRecord(&inner, length, TWMF_APPOWNS | TWMF_HANDLE) : launcherRecord(buffer.data(), length);
    const std::int32_t answer = ds.dtScannerImageMemoryTransfer(&x);
    p.answers.push_back(answer);
    p.blocks.push_back(x);
    p.states.push_back(ds.mCurrentState.load());
    if (answer == TWRC_SUCCESS || answer == TWRC_XFERDONE) p.bytes.insert(p.bytes.end(), buffer.begin(), buffer.begin() + x.BytesWritten);
    if (answer != TWRC_SUCCESS) break;
  }
  return p;
}

// A data source on doubles with one image reported (the module's part played by the test).
struct ReportedImage : OpenedOnDoubles {
  explicit ReportedImage(int width = 1000, int height = 10, int samples = 3, int bits = 8) {
    report(report::kDocumentStart);
    report(report::kImageInfo, fnd::makeShared(fnd::Dictionary{
                                   {"SAMPLES", samples}, {"PIXELS", bits}, {"WIDTH", width}, {"HEIGHT", height}, {"RESOLUTION", 300}}));
  }
};

}  // namespace

TEST(ImageDelivery, APlatenPageAt600DpiIsDescribedAndCanBeGivenUp) {
  const std::string temp = testenv::freshFolder("delivery-platen").string();
  const std::string device = "Delivery Platen";
  DeviceFile file(device, {}, {});
  DeliverySource s(device);
  ASSERT_EQ(s.opened, 0);
  EXPECT_EQ(s.ds.dtScannerSetupMemorySize(12345), TWRC_SUCCESS);
  ASSERT_TRUE(s.scan(deliveryRequest(temp, 5100, 7020, 600)));

  DT_IMAGEINFO info{};
  EXPECT_EQ(s.ds.dtScannerGetImageInfo(&info), TWRC_SUCCESS);
  EXPECT_EQ(info.XResolution, 600);
  EXPECT_EQ(info.YResolution, 600);
  EXPECT_EQ(info.ImageWidth, 5100);
  EXPECT_EQ(info.ImageLength, 7020);
  EXPECT_EQ(info.SamplesPerPixel, 3);
  EXPECT_EQ(info.BitsPerPixel, 24);
  const TW_IMAGEINFO tw = s.ds.twImageInfo();
  EXPECT_EQ(tw.PixelType, TWPT_RGB);
  EXPECT_EQ(tw.BitsPerSample[2], 8);

  // The launcher gives up: nothing pending, the user interface stays open without a window.
  s.factory.log->clear();
  EXPECT_EQ(s.ds.dtScannerPendingTransfers(1), 0);
  EXPECT_EQ(s.ds.mCurrentState.load(), Dravon_DirectTWAIN::kStateUIOpen);
  EXPECT_EQ(s.ds.dtScannerNotifyDidFinishSaving(2), 0);
  EXPECT_FALSE(s.factory.log->contains("showSavePathModalWindow"));
  // Given up without a device error: the driver is to be closed.
  EXPECT_TRUE(pumpUntil([&] { return s.ear.closeRequests.load() == 1; }));
}

TEST(ImageDelivery, FeederPagesArriveWholeInLineFileAndMemoryDelivery) {
  const std::string temp = testenv::freshFolder("delivery-feeder").string();
  struct Case {
    const char* delivery;
    int modelYear;
    bool handle;
  };
  for (const Case& c : {Case{"Line", 2014, false}, Case{"File", 2014, false}, Case{"Memory", 2014, true},
                        Case{"Line", 2007, false}}) {
    const std::string device = std::string("Delivery ") + c.delivery + std::to_string(c.modelYear);
    SCOPED_TRACE(device);
    DeviceFile file(device, {{"FeederPages", 3}, {"ModelYear", c.modelYear}}, {{"PageDelivery", c.delivery}});
    DeliverySource s(device);
    ASSERT_EQ(s.opened, 0);
    // 1000 RGB pixels make 3000-byte rows: 1 MiB carries 349 of them, the second block the last 100.
    const fnd::Dictionary request = deliveryRequest(temp, 1000, 449, 150, 2, 8, 1);
    // Two documents: the second starts again from its first page and row.
    for (int document = 0; document < 2; ++document) {
      SCOPED_TRACE(document);
      ASSERT_TRUE(s.scan(request));
      std::vector<std::int32_t> pending;
      std::vector<std::int16_t> states;
      for (int page = 0; page < 3; ++page) {
        SCOPED_TRACE(page);
        const PulledImage p = pullImage(s.ds, kDeliveryBlock, c.handle);
        EXPECT_EQ(p.infoAnswer, TWRC_SUCCESS);
        EXPECT_EQ(p.info.ImageWidth, 1000);
        EXPECT_EQ(p.info.ImageLength, 449);
        ASSERT_EQ(p.answers, (std::vector<std::int32_t>{TWRC_SUCCESS, TWRC_XFERDONE}));
        EXPECT_EQ(p.states, (std::vector<std::int16_t>{70, 70}));
        EXPECT_EQ(p.blocks[0].Rows, 349u);
        EXPECT_EQ(p.blocks[0].YOffset, 0u);
        EXPECT_EQ(p.blocks[0].BytesPerRow, 3000u);
        EXPECT_EQ(p.blocks[0].Columns, 1000u);
        EXPECT_EQ(p.blocks[0].BytesWritten, 349u * 3000);
        EXPECT_EQ(p.blocks[1].Rows, 100u);
        EXPECT_EQ(p.blocks[1].YOffset, 349u);
        EXPECT_EQ(p.blocks[1].Compression, 0);
        EXPECT_TRUE(p.bytes == renderedPage(device, request, page)) << "page bytes differ from the renderer's rows";
        const std::string pageFile = s.ds.pageFilePath();
        EXPECT_EQ(!pageFile.empty(), std::string(c.delivery) == "File");
        pending.push_back(s.ds.dtScannerPendingTransfers(0));
        states.push_back(s.ds.mCurrentState.load());
        if (!pageFile.empty() && pending.back() == 0) {
          EXPECT_FALSE(std::filesystem::exists(pageFile));
        }
      }
      EXPECT_EQ(pending, (std::vector<std::int32_t>{2, 1, 0}));
      EXPECT_EQ(states, (std::vector<std::int16_t>{60, 60, 50}));
      // The page's file is deleted and its block freed at its end.
      EXPECT_FALSE(s.ds.holdsPage());
      EXPECT_EQ(s.ds.deviceError(), 0);
      s.factory.log->clear();
      EXPECT_EQ(s.ds.dtScannerNotifyDidFinishSaving(0), 0);
      EXPECT_TRUE(s.factory.log->contains("showSavePathModalWindow"));
      EXPECT_TRUE(s.factory.log->contains("setEnableMainWindowControl"));
    }
    EXPECT_EQ(s.ear.closeRequests.load(), 0);
  }
}

TEST(ImageDelivery, RowBytesFollowTheColourModeAndDepth) {
  const std::string temp = testenv::freshFolder("delivery-rows").string();
  const std::string device = "Delivery Rows";
  DeviceFile file(device, {}, {});
  DeliverySource s(device);
  ASSERT_EQ(s.opened, 0);
  struct Case {
    int colorMode, bitDepth, width;
    std::uint32_t rowBytes;
    std::int32_t samples, bitsPerPixel;
  };
  for (const Case& c : {Case{0, 1, 2550, 319, 1, 1}, Case{1, 16, 1000, 2000, 1, 16}, Case{2, 16, 1000, 6000, 3, 48}}) {
    SCOPED_TRACE(c.rowBytes);
    const fnd::Dictionary request = deliveryRequest(temp, c.width, 3, 300, c.colorMode, c.bitDepth);
    ASSERT_TRUE(s.scan(request));
    const PulledImage p = pullImage(s.ds);
    EXPECT_EQ(p.info.SamplesPerPixel, c.samples);
    EXPECT_EQ(p.info.BitsPerPixel, c.bitsPerPixel);
    ASSERT_EQ(p.answers, std::vector<std::int32_t>{TWRC_XFERDONE});
    EXPECT_EQ(p.blocks[0].BytesPerRow, c.rowBytes);
    EXPECT_TRUE(p.bytes == renderedPage(device, request, 0));
    EXPECT_EQ(s.ds.dtScannerPendingTransfers(0), 0);
    EXPECT_EQ(s.ds.dtScannerNotifyDidFinishSaving(0), 0);
  }
}

TEST(ImageDelivery, TheEndOfSavingClosesOrKeepsTheDriverByNoCloseUI) {
  const std::string temp = testenv::freshFolder("delivery-noclose").string();
  for (int noClose : {0, 1, 2}) {
    SCOPED_TRACE(noClose);
    const std::string device = "Delivery NoClose " + std::to_string(noClose);
    DeviceFile file(device, {}, {});
    DeliverySource s(device);
    ASSERT_EQ(s.opened, 0);
    ASSERT_TRUE(s.scan(deliveryRequest(temp, 100, 20, 75, 2, 8, 0, noClose)));
    EXPECT_EQ(pullImage(s.ds).answers, std::vector<std::int32_t>{TWRC_XFERDONE});
    EXPECT_EQ(s.ds.dtScannerPendingTransfers(0), 0);
    // What the module queued for the windows has run.
    ASSERT_TRUE(pumpUntil([&] { return s.ds.uiController()->pendingCount() == 0 && s.factory.log->contains("endScan"); }));
    s.factory.log->clear();
    EXPECT_EQ(s.ds.dtScannerNotifyDidFinishSaving(0), 0);
    pumpUntil([&] { return s.ear.closeRequests.load() > 0; }, 40);
    // The module's own end of scan may enable the controls first, when it comes after the
    // image was taken; what the end of saving does starts with the save-path notice.
    auto calls = s.factory.log->snapshot();
    const auto notice = std::find(calls.begin(), calls.end(), "showSavePathModalWindow");
    ASSERT_NE(notice, calls.end());
    EXPECT_TRUE(std::all_of(calls.begin(), notice, [](const std::string& c) { return c == "setEnableMainWindowControl"; }));
    EXPECT_EQ(s.ear.closeRequests.load(), noClose == 0 ? 1 : 0);
    EXPECT_EQ(std::count(notice, calls.end(), "setEnableMainWindowControl") > 0, noClose != 0);
  }
}

TEST(ImageDelivery, CancelInTheProgressWindowDuringLineReading) {
  const std::string temp = testenv::freshFolder("delivery-cancel").string();
  for (bool feeder : {true, false}) {
    SCOPED_TRACE(feeder);
    const std::string device = feeder ? "Delivery Cancel Feeder" : "Delivery Cancel Platen";
    // Slow enough lines that Cancel is polled (every quarter second) within the second block.
    DeviceFile file(device, {{"FeederPages", 2}}, {{"LineDelay", 0.002}});
    DeliverySource s(device);
    ASSERT_EQ(s.opened, 0);
    ASSERT_TRUE(s.scan(deliveryRequest(temp, 1000, 1000, 150, 2, 8, feeder ? 1 : 0)));
    // The first block arrives; Cancel is pressed while the second is read.
    const PulledImage p = pullImage(s.ds, kDeliveryBlock, false, [&](int block) {
      if (block == 1) s.root()->cancelPressed = true;
    });
    EXPECT_EQ(p.answers, (std::vector<std::int32_t>{TWRC_SUCCESS, TWRC_CANCEL}));
    EXPECT_EQ(p.states.back(), Dravon_DirectTWAIN::kStateXferReady);
    EXPECT_EQ(s.factory.log->contains("showMessage:1231,2,111,0"), feeder);
    if (!feeder) {
      EXPECT_EQ(s.ds.deviceError(), Dravon_DirectTWAIN::kErrCancel);
    }
    s.root()->cancelPressed = false;
    EXPECT_EQ(s.ds.dtScannerPendingTransfers(1), 0);
    EXPECT_EQ(s.ds.dtScannerNotifyDidFinishSaving(1), 0);
  }
}

TEST(ImageDelivery, DeviceFailuresEndTheTransferWithTheirClass) {
  const std::string temp = testenv::freshFolder("delivery-failures").string();
  {
    // A jam feeding page 2: the pending count is -2 once the error was shown.
    const std::string device = "Delivery Jam";
    DeviceFile file(device, {{"FeederPages", 3}}, {{"JamAtPage", 2}});
    DeliverySource s(device);
    ASSERT_EQ(s.opened, 0);
    ASSERT_TRUE(s.scan(deliveryRequest(temp, 200, 100, 75, 2, 8, 1)));
    EXPECT_EQ(pullImage(s.ds).answers, std::vector<std::int32_t>{TWRC_XFERDONE});
    EXPECT_EQ(s.ds.dtScannerPendingTransfers(0), -2);
    EXPECT_TRUE(s.factory.log->contains("showMessage:1221,1221,2,0"));
    EXPECT_EQ(s.ds.mCurrentState.load(), Dravon_DirectTWAIN::kStateUIOpen);
  }
  {
    // An older model counts the pages itself; its page 2 jams while the launcher waits for the
    // description: no image is described, and the transfer answers the same class.
    const std::string device = "Delivery Jam 2007";
    DeviceFile file(device, {{"FeederPages", 3}, {"ModelYear", 2007}}, {{"JamAtPage", 2}});
    DeliverySource s(device);
    ASSERT_EQ(s.opened, 0);
    ASSERT_TRUE(s.scan(deliveryRequest(temp, 200, 100, 75, 2, 8, 1)));
    EXPECT_EQ(pullImage(s.ds).answers, std::vector<std::int32_t>{TWRC_XFERDONE});
    EXPECT_EQ(s.ds.dtScannerPendingTransfers(0), 2);
    const PulledImage p = pullImage(s.ds);
    EXPECT_EQ(p.infoAnswer, TWRC_FAILURE);
    EXPECT_EQ(p.info.ImageWidth, 0);
    EXPECT_EQ(p.info.ImageLength, 0);
    EXPECT_EQ(p.answers, std::vector<std::int32_t>{TWRC_FAILURE});
    EXPECT_TRUE(s.factory.log->contains("showMessage:1221,1221,2,0"));
    EXPECT_EQ(s.ds.dtScannerPendingTransfers(1), 0);
  }
  {
    // No room for the next feeder page: -3 with 1216.
    const std::string device = "Delivery Full";
    DeviceFile file(device, {{"FeederPages", 3}}, {});
    DeliverySource s(device);
    ASSERT_EQ(s.opened, 0);
    ASSERT_TRUE(s.scan(deliveryRequest(temp, 200, 100, 75, 2, 8, 1)));
    EXPECT_EQ(pullImage(s.ds).answers, std::vector<std::int32_t>{TWRC_XFERDONE});
    fnd::FileManager::setFreeSpaceSource([](const std::string& path) -> std::optional<std::uint64_t> {
      return path == "/" ? std::optional<std::uint64_t>(std::uint64_t{1} << 40) : std::optional<std::uint64_t>(1000);
    });
    const std::int32_t pending = s.ds.dtScannerPendingTransfers(0);
    fnd::FileManager::setFreeSpaceSource({});
    EXPECT_EQ(pending, -3);
    EXPECT_TRUE(s.factory.log->contains("showMessage:1216,0,30,0"));
  }
  {
    // The connection goes after 50 lines: class 1, at once rather than waiting for rows.
    const std::string device = "Delivery Lost";
    DeviceFile file(device, {}, {{"ConnectionLostAtLine", 50}});
    DeliverySource s(device);
    ASSERT_EQ(s.opened, 0);
    ASSERT_TRUE(s.scan(deliveryRequest(temp, 1000, 400, 150)));
    const PulledImage p = pullImage(s.ds);
    EXPECT_EQ(p.answers, std::vector<std::int32_t>{TWRC_FAILURE});
    EXPECT_TRUE(s.factory.log->contains("showMessage:1205,1205,1,50"));
    EXPECT_EQ(s.ds.dtScannerPendingTransfers(1), 0);
  }
  {
    // "Cancel_Scan" between two blocks: the module ends the document and the block says so.
    const std::string device = "Delivery Cancel_Scan";
    DeviceFile file(device, {}, {});
    DeliverySource s(device);
    ASSERT_EQ(s.opened, 0);
    ASSERT_TRUE(s.scan(deliveryRequest(temp, 1000, 1000, 150)));
    const PulledImage p = pullImage(s.ds, kDeliveryBlock, false, [&](int block) {
      if (block == 1) s.post("Cancel_Scan");
    });
    EXPECT_EQ(p.answers, (std::vector<std::int32_t>{TWRC_SUCCESS, TWRC_CANCEL}));
    EXPECT_EQ(s.ds.dtScannerPendingTransfers(1), 0);
  }
}

TEST(ImageDelivery, TheResultBitmapGoesToTheDocumentsTemporaryFolder) {
  const std::string temp = testenv::freshFolder("delivery-result").string();
  const std::string device = "Delivery Result";
  DeviceFile file(device, {}, {{"PageDelivery", "Memory"}});
  DeliverySource s(device);
  ASSERT_EQ(s.opened, 0);
  s.post("needScanResultWindowPost");
  s.root()->closeResultWindowAtOnce = true;
  ASSERT_TRUE(s.scan(deliveryRequest(temp, 300, 200, 75)));
  s.factory.log->clear();
  // 900-byte rows: 72 a block of 64 KiB, so blocks start at rows 0, 72 and 144.
  EXPECT_EQ(pullImage(s.ds, 64 * 1024).answers, (std::vector<std::int32_t>{0, 0, TWRC_XFERDONE}));
  EXPECT_TRUE(s.factory.log->contains("showScanResultWindow"));
  const fnd::Dictionary added = s.factory.log->kept("addScanResultImage");
  const std::string path = added.string("filePath");
  EXPECT_EQ(added.intValue("fileErase"), 1);
  EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::path(path).parent_path(), temp));
  EXPECT_TRUE(std::filesystem::exists(path));
  std::filesystem::remove(path);
  // The bar moves from 82 to 100 over the blocks of a page delivered whole.
  std::vector<std::string> percents;
  for (const std::string& call : s.factory.log->snapshot())
    if (call.rfind("setPercentage:", 0) == 0) percents.push_back(call);
  const auto from = std::find(percents.begin(), percents.end(), "setPercentage:82");
  ASSERT_NE(from, percents.end());
  EXPECT_EQ(std::vector<std::string>(from, percents.end()),
            (std::vector<std::string>{"setPercentage:82", "setPercentage:88", "setPercentage:94", "setPercentage:100"}));
  EXPECT_EQ(s.ds.dtScannerPendingTransfers(0), 0);
  EXPECT_FALSE(s.ds.holdsResultBitmap());
}

TEST(ImageDelivery, RecordsThatCannotTakeARowAreRefusedAtOnce) {
  struct Case {
    const char* name;
    int width;
    std::uint32_t length;
    int memory;  // 0 none, 1 the buffer, 2 a null pointer through the handle bit
  };
  for (const Case& c : {Case{"width 0", 0, kDeliveryBlock, 1}, Case{"length 100", 1000, 100, 1}, Case{"no buffer", 1000, kDeliveryBlock, 0},
                        Case{"null handle", 1000, kDeliveryBlock, 2}}) {
    SCOPED_TRACE(c.name);
    ReportedImage o(c.width);
    DT_IMAGEINFO info{};
    EXPECT_EQ(o.ds.dtScannerGetImageInfo(&info), TWRC_SUCCESS);
    std::vector<std::uint8_t> buffer(kDeliveryBlock, 0xAB);
    void* inner = nullptr;
    TW_IMAGEMEMXFER x = c.memory == 2 ? launcherRecord(&inner, c.length, TWMF_HANDLE)
                                      : launcherRecord(c.memory == 1 ? buffer.data() : nullptr, c.length);
    EXPECT_EQ(o.ds.dtScannerImageMemoryTransfer(&x), TWRC_FAILURE);
    EXPECT_EQ(o.ds.deviceError(), 1216);
    EXPECT_EQ(o.ds.errorNumbers(), (std::array<std::int32_t, 3>{0, 30, 0}));
    EXPECT_TRUE(std::all_of(buffer.begin(), buffer.end(), [](std::uint8_t b) { return b == 0xAB; }));
    const auto names = o.scan().names();
    EXPECT_EQ(std::count(names.begin(), names.end(), "smStartScan"), 0);
    EXPECT_EQ(o.ds.mCurrentState.load(), Dravon_DirectTWAIN::kStateXferReady);
  }
  ReportedImage o;
  EXPECT_EQ(o.ds.dtScannerImageMemoryTransfer(nullptr), TWRC_FAILURE);
}

TEST(ImageDelivery, ADocumentEndingBeforeItsImageReportDescribesNoImage) {
  OpenedOnDoubles o;
  o.report(report::kDocumentStart);
  o.report(report::kDocumentEnd, fnd::makeShared(fnd::Dictionary{{"STATUS", 0}}));
  DT_IMAGEINFO info{1, 2, 3, 4, 5, 6};
  EXPECT_EQ(o.ds.dtScannerGetImageInfo(&info), TWRC_CANCEL);
  EXPECT_EQ(info.ImageWidth, 0);
  EXPECT_EQ(info.ImageLength, 0);
  EXPECT_EQ(info.XResolution, 0);
  EXPECT_EQ(info.BitsPerPixel, 0);
  // The next transfer answers the same class and does not start the scanner.
  std::vector<std::uint8_t> buffer(kDeliveryBlock);
  TW_IMAGEMEMXFER x = launcherRecord(buffer.data(), kDeliveryBlock);
  EXPECT_EQ(o.ds.dtScannerImageMemoryTransfer(&x), TWRC_CANCEL);
  const auto names = o.scan().names();
  EXPECT_EQ(std::count(names.begin(), names.end(), "smStartScan"), 0);
}

TEST(ImageDelivery, ShortPagesFailInsteadOfBeingReadPastTheirEnd) {
  const std::string temp = testenv::freshFolder("delivery-short").string();
  for (bool asFile : {false, true}) {
    SCOPED_TRACE(asFile);
    // 10 RGB pixels by 4 rows want 120 bytes; the page has 60.
    ReportedImage o(10, 4);
    fnd::Dictionary page;
    if (asFile) {
      const std::string path = (std::filesystem::path(temp) / "short.raw").string();
      std::ofstream(path, std::ios::binary) << std::string(60, 'x');
      page.set("File", path);
    } else {
      page.set("object", fnd::Value::object(std::make_shared<velmor::HandOver<velmor::PageMemory>>(
                             std::make_unique<velmor::PageMemory>(std::make_unique<std::uint8_t[]>(60), 60))));
    }
    DT_IMAGEINFO info{};
    EXPECT_EQ(o.ds.dtScannerGetImageInfo(&info), TWRC_SUCCESS);
    o.report(report::kPageStartObject, fnd::makeShared(page));
    std::vector<std::uint8_t> buffer(kDeliveryBlock);
    TW_IMAGEMEMXFER x = launcherRecord(buffer.data(), kDeliveryBlock);
    EXPECT_EQ(o.ds.dtScannerImageMemoryTransfer(&x), TWRC_FAILURE);
    EXPECT_EQ(o.ds.deviceError(), 1216);
    EXPECT_FALSE(o.ds.holdsPage());
  }
}

TEST(ImageDelivery, AnErrorSettledAsNoneStillStopsTheBlock) {
  ReportedImage o;
  DT_IMAGEINFO info{};
  EXPECT_EQ(o.ds.dtScannerGetImageInfo(&info), TWRC_SUCCESS);
  o.report(report::kPageStartObject);  // line by line; the double gives no lines
  // The module reports 10001 while the block is being read.
  o.scan().onCall = [&](const FakeScan::Call& call) {
    if (call.name == "smStartScan") o.ds.setDeviceError(10001, {0, 0, 0});
  };
  std::vector<std::uint8_t> buffer(kDeliveryBlock);
  TW_IMAGEMEMXFER x = launcherRecord(buffer.data(), kDeliveryBlock);
  EXPECT_EQ(o.ds.dtScannerImageMemoryTransfer(&x), TWRC_CANCEL);
  EXPECT_EQ(o.ds.deviceError(), 0);
  EXPECT_EQ(o.ds.mCurrentState.load(), Dravon_DirectTWAIN::kStateXferReady);
}

TEST(ImageDelivery, TheWaitForAFailedDocumentsErrorEndsOnCancelAndOnTheProgramsEnd) {
  for (bool cancel : {true, false}) {
    SCOPED_TRACE(cancel);
    ReportedImage o;
    o.scan().continueAnswer = 65534;
    if (cancel) {
      o.ds.mStartedScan = false;  // straight to the wait for the error report
      o.root()->cancelPressed = true;
    } else {
      postWillTerminate();
    }
    EXPECT_EQ(o.ds.dtScannerPendingTransfers(0), -2);
    EXPECT_NE(o.ds.deviceError(), 0);
    EXPECT_EQ(o.ds.mCurrentState.load(), Dravon_DirectTWAIN::kStateUIOpen);
  }
}

// A launcher may pull blocks without asking for the description first: the data source then
// describes the image itself, from this page's report, never from one of an earlier page or
// document.
TEST(ImageDelivery, BlocksWithoutADescriptionFollowTheCurrentPage) {
  const std::string temp = testenv::freshFolder("delivery-undescribed").string();
  // Ends the waits should the data source wait for a page that cannot come.
  struct Watchdog {
    std::mutex m;
    std::condition_variable cv;
    bool done = false;
    std::thread t{[this] {
      std::unique_lock lock(m);
      if (!cv.wait_for(lock, std::chrono::seconds(30), [this] { return done; })) postWillTerminate();
    }};
    ~Watchdog() {
      {
        std::lock_guard lock(m);
        done = true;
      }
      cv.notify_all();
      t.join();
    }
  } watchdog;
  auto pullUndescribed = [](Dravon_DirectTWAIN& ds) {
    PulledImage p;
    std::vector<std::uint8_t> buffer(kDeliveryBlock);
    for (int block = 0; block < 100; ++block) {
      TW_IMAGEMEMXFER x = launcherRecord(buffer.data(), kDeliveryBlock);
      p.answers.push_back(ds.dtScannerImageMemoryTransfer(&x));
      p.blocks.push_back(x);
      if (p.answers.back() == TWRC_SUCCESS || p.answers.back() == TWRC_XFERDONE)
        p.bytes.insert(p.bytes.end(), buffer.begin(), buffer.begin() + x.BytesWritten);
      if (p.answers.back() != TWRC_SUCCESS) break;
    }
    return p;
  };
  {
    // A second document of narrower rows than the first.
    const std::string device = "Delivery Undescribed Documents";
    DeviceFile file(device, {}, {});
    DeliverySource s(device);
    ASSERT_EQ(s.opened, 0);
    ASSERT_TRUE(s.scan(deliveryRequest(temp, 1000, 20, 75)));
    EXPECT_EQ(pullImage(s.ds).answers, std::vector<std::int32_t>{TWRC_XFERDONE});
    EXPECT_EQ(s.ds.dtScannerPendingTransfers(0), 0);
    EXPECT_EQ(s.ds.dtScannerNotifyDidFinishSaving(0), 0);
    // The module takes the next scan once it has finished the first.
    ASSERT_TRUE(pumpUntil([&] { return s.ds.uiController()->pendingCount() == 0 && s.factory.log->contains("endScan"); }));
    const fnd::Dictionary narrow = deliveryRequest(temp, 100, 20, 75);
    ASSERT_TRUE(s.scan(narrow));
    const PulledImage p = pullUndescribed(s.ds);
    ASSERT_EQ(p.answers, std::vector<std::int32_t>{TWRC_XFERDONE});
    EXPECT_EQ(p.blocks[0].BytesPerRow, 300u);
    EXPECT_EQ(p.blocks[0].Rows, 20u);
    EXPECT_TRUE(p.bytes == renderedPage(device, narrow, 0));
    EXPECT_EQ(s.ds.dtScannerPendingTransfers(0), 0);
  }
  {
    // The feeder's second page: its report comes only once the first page is ended.
    const std::string device = "Delivery Undescribed Pages";
    DeviceFile file(device, {{"FeederPages", 2}}, {});
    DeliverySource s(device);
    ASSERT_EQ(s.opened, 0);
    const fnd::Dictionary request = deliveryRequest(temp, 200, 30, 75, 2, 8, 1);
    ASSERT_TRUE(s.scan(request));
    EXPECT_EQ(pullImage(s.ds).answers, std::vector<std::int32_t>{TWRC_XFERDONE});
    EXPECT_EQ(s.ds.dtScannerPendingTransfers(0), 1);
    const PulledImage p = pullUndescribed(s.ds);
    ASSERT_EQ(p.answers, std::vector<std::int32_t>{TWRC_XFERDONE});
    EXPECT_TRUE(p.bytes == renderedPage(device, request, 1));
    EXPECT_EQ(s.ds.dtScannerPendingTransfers(0), 0);
    EXPECT_EQ(s.ds.deviceError(), 0);
  }
}
