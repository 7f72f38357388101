#include "scanmodule/SimController.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <thread>

#include "ReportLog.h"
#include "TestEnvironment.h"
#include "capture/ScannerDevice.h"
#include "scanmodule/ErrorInformation.h"
#include "scanmodule/HandOver.h"
#include "scanmodule/PageFile.h"
#include "scanmodule/PageMemory.h"
#include "scanmodule/ScanReports.h"

using velmor::SimController;
namespace report = velmor::report;

namespace {

using Rows = std::vector<std::vector<std::uint8_t>>;

fnd::Dictionary settingsFor(fnd::Dictionary behaviour, fnd::Dictionary model = {}) {
  capture::DeviceDefinition def;
  def.name = "Vantrel TS-800 Virtual";
  def.identifier = "TEST-1";
  def.model = std::move(model);
  def.behaviour = std::move(behaviour);
  return fnd::Dictionary{{"ICScannerDevice", fnd::Value::object(capture::ScannerDevice::create(def))}};
}

// A scan request of one crop (slot 0 is unused, as the basic mode sends it).
fnd::Dictionary request(const std::string& temp, int colorMode, int bitDepth, int res, double x, double y, double w,
                        double h, int inputSource = 0) {
  fnd::Dictionary crop{{"Resolution", res},
                       {"ScanRect", fnd::Dictionary{{"X", x}, {"Y", y}, {"width", w}, {"height", h}}}};
  return fnd::Dictionary{
      {"ScanSetting", fnd::Dictionary{{"ColorMode", colorMode}, {"TemporaryPath", temp}, {"NoCloseUI", 1}}},
      {"InputSource", inputSource},
      {"BitDepth", bitDepth},
      {"CropItem", fnd::Array{fnd::Dictionary{}, crop}}};
}

// Reads rows as the data source does: ask again at once until a row comes (bounded).
Rows readRows(SimController& c, int rows, std::size_t rowBytes, double seconds = 20) {
  Rows out;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (static_cast<int>(out.size()) < rows && std::chrono::steady_clock::now() < deadline) {
    if (const std::uint8_t* p = c.smReadScan()) {
      out.emplace_back(p, p + rowBytes);
    } else {
      std::this_thread::yield();
    }
  }
  return out;
}

Rows expectedRows(const velmor::RenderSpec& s) {
  const velmor::Scene scene = velmor::Scene::platen(8.5, 11.7);
  velmor::ImageRenderer r(scene, s);
  Rows out(static_cast<std::size_t>(r.rows()), std::vector<std::uint8_t>(r.rowBytes()));
  for (int i = 0; i < r.rows(); ++i) r.renderRow(i, out[static_cast<std::size_t>(i)].data());
  return out;
}

Rows splitRows(const std::uint8_t* data, std::size_t size, std::size_t rowBytes) {
  Rows out;
  for (std::size_t off = 0; off + rowBytes <= size; off += rowBytes) out.emplace_back(data + off, data + off + rowBytes);
  return out;
}

velmor::RenderSpec area(int res, int x, int y, int w, int h, velmor::ColourMode mode, int bits) {
  velmor::RenderSpec s;
  s.resolution = res, s.x = x, s.y = y, s.width = w, s.height = h, s.mode = mode, s.bitsPerSample = bits;
  return s;
}

class SimControllerTest : public ::testing::Test {
 protected:
  std::string temp = testenv::freshFolder("velmor").string();
};

}  // namespace

TEST_F(SimControllerTest, LineScanDeliversRowsInOrderFromTheModuleThread) {
  SimController c;
  ReportLog log(&c);
  c.initScanM();
  ASSERT_EQ(0, c.smInitSetting(settingsFor({})));
  c.smSetMaxPercentage(80, 99);
  c.smSetTransferMode(3);
  ASSERT_NE(nullptr, c.smGetDeviceInformation());

  // Two inches square at 300 dpi, from one inch in.
  c.smStartScanEvent(request(temp, 2, 8, 300, 300, 300, 600, 600));
  ASSERT_TRUE(log.waitFor(report::kImageInfo));
  const auto info = log.last(report::kImageInfo).info;
  EXPECT_EQ(info.intValue("SAMPLES"), 3);
  EXPECT_EQ(info.intValue("PIXELS"), 8);
  EXPECT_EQ(info.intValue("WIDTH"), 600);
  EXPECT_EQ(info.intValue("HEIGHT"), 600);
  EXPECT_EQ(info.intValue("RESOLUTION"), 300);
  EXPECT_EQ(info.intValue("NoCloseUI"), 1);
  EXPECT_EQ(info.string("TemporaryPath"), temp);

  c.smStartScan();
  const Rows rows = readRows(c, 600, 1800);
  ASSERT_EQ(rows.size(), 600u);
  EXPECT_TRUE(rows == expectedRows(area(300, 300, 300, 600, 600, velmor::ColourMode::Colour, 8)));
  ASSERT_TRUE(log.waitFor(report::kPageEnd));
  EXPECT_EQ(c.smContinousScan2(0), 0);
  c.smEndScan();
  ASSERT_TRUE(log.waitFor(report::kDocumentEnd));
  EXPECT_EQ(log.last(report::kDocumentEnd).info.intValue("STATUS"), report::kStatusDone);
  ASSERT_TRUE(log.waitFor(report::kCloseProgressWindow));

  EXPECT_EQ(log.scanReports(), (std::vector<std::string>{report::kDocumentStart, report::kImageInfo,
                                                         report::kPageStartObject, report::kPageEnd,
                                                         report::kDocumentEnd}));
  for (const auto& e : log.entries()) EXPECT_NE(e.thread, std::this_thread::get_id()) << e.name;
  EXPECT_GE(log.count(report::kSetPercentage), 1);
}

TEST_F(SimControllerTest, FileAndMemoryPagesCarryTheSameBytesAsLines) {
  const auto expected = expectedRows(area(200, 100, 900, 240, 130, velmor::ColourMode::Grey, 16));
  for (const char* delivery : {"File", "Memory"}) {
    SCOPED_TRACE(delivery);
    Rows got;
    std::string filePath;
    SimController c;
    ReportLog log(&c);
    log.setHook([&](const fnd::Notification& n) {
      if (n.name != report::kPageStartObject || !n.info()) return;
      const fnd::Dictionary& d = *n.info();
      if (auto file = d.get("object").toObject<velmor::HandOver<velmor::PageFile>>()) {
        std::unique_ptr<velmor::PageFile> page = file->take();
        filePath = d.string("File");
        EXPECT_EQ(page->path(), filePath);
        std::ifstream in(filePath, std::ios::binary);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        got = splitRows(bytes.data(), bytes.size(), 480);
        // page goes here: the file is deleted with its owner.
      } else if (auto mem = d.get("object").toObject<velmor::HandOver<velmor::PageMemory>>()) {
        std::unique_ptr<velmor::PageMemory> page = mem->take();
        got = splitRows(page->data(), page->size(), 480);
        EXPECT_EQ(nullptr, mem->take());  // only once
      }
    });
    ASSERT_EQ(0, c.smInitSetting(settingsFor({{"PageDelivery", delivery}})));
    c.smStartScanEvent(request(temp, 1, 16, 200, 100, 900, 240, 130));
    ASSERT_TRUE(log.waitFor(report::kImageInfo));
    c.smStartScan();
    ASSERT_TRUE(log.waitFor(report::kPageEnd));
    EXPECT_EQ(c.smContinousScan2(0), 0);
    ASSERT_TRUE(log.waitFor(report::kDocumentEnd));
    EXPECT_TRUE(got == expected);
    if (std::string(delivery) == "File") {
      EXPECT_FALSE(filePath.empty());
      EXPECT_FALSE(std::filesystem::exists(filePath));
    }
    EXPECT_EQ(nullptr, c.smReadScan());  // nothing comes line by line in page modes
  }
}

TEST_F(SimControllerTest, PageFileNobodyTookIsRemovedWithThePost) {
  SimController c;
  ReportLog log(&c);
  ASSERT_EQ(0, c.smInitSetting(settingsFor({{"PageDelivery", "File"}})));
  c.smStartScanEvent(request(temp, 2, 8, 100, 0, 0, 50, 50));
  ASSERT_TRUE(log.waitFor(report::kImageInfo));
  c.smStartScan();
  ASSERT_TRUE(log.waitFor(report::kPageEnd));
  const std::string path = log.last(report::kPageStartObject).info.string("File");
  ASSERT_FALSE(path.empty());
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_FALSE(std::filesystem::exists(path + ".part"));
  c.smContinousScan2(0);
}

TEST_F(SimControllerTest, OneBitAndSixteenBitPagesHaveTheirRowBytes) {
  struct Case {
    int colorMode, bitDepth, width;
    std::size_t rowBytes;
    int samples, pixels;
  };
  for (const Case& k : {Case{0, 1, 2550, 319, 1, 1}, Case{2, 16, 1000, 6000, 3, 16}, Case{1, 16, 1000, 2000, 1, 16}}) {
    SimController c;
    ReportLog log(&c);
    ASSERT_EQ(0, c.smInitSetting(settingsFor({})));
    c.smStartScanEvent(request(temp, k.colorMode, k.bitDepth, 300, 0, 0, k.width, 8));
    ASSERT_TRUE(log.waitFor(report::kImageInfo));
    const auto info = log.last(report::kImageInfo).info;
    EXPECT_EQ(info.intValue("SAMPLES"), k.samples);
    EXPECT_EQ(info.intValue("PIXELS"), k.pixels);
    c.smStartScan();
    const Rows rows = readRows(c, 8, k.rowBytes);
    ASSERT_EQ(rows.size(), 8u);
    const auto mode = static_cast<velmor::ColourMode>(k.colorMode);
    EXPECT_TRUE(rows == expectedRows(area(300, 0, 0, k.width, 8, mode, k.bitDepth))) << k.width;
    ASSERT_TRUE(log.waitFor(report::kPageEnd));
    c.smContinousScan2(0);
    ASSERT_TRUE(log.waitFor(report::kDocumentEnd));
  }
}

namespace {

// Runs a feeder document as the data source does; the pending counts it was answered.
std::vector<int> runFeeder(SimController& c, ReportLog& log, const std::string& temp, int maxPages) {
  std::vector<int> counts;
  c.smStartScanEvent(request(temp, 1, 8, 50, 0, 0, 40, 30, 1));
  for (int page = 1; page <= maxPages; ++page) {
    if (!log.waitFor(report::kImageInfo, page)) break;
    c.smStartScan();
    if (readRows(c, 30, 40).size() != 30u) break;
    if (!log.waitFor(report::kPageEnd, page)) break;
    const int count = c.smContinousScan2(1);
    counts.push_back(count);
    c.smEndScan();
    if (count == 0 || count == report::kPendingError) break;
  }
  return counts;
}

}  // namespace

TEST_F(SimControllerTest, FeederScansEveryPageThenReportsNoneLeft) {
  SimController c;
  ReportLog log(&c);
  ASSERT_EQ(0, c.smInitSetting(settingsFor({}, {{"FeederPages", 3}})));
  EXPECT_NE(0, c.smCheckADFPaperStatus(0));
  EXPECT_EQ(runFeeder(c, log, temp, 5), (std::vector<int>{2, 1, 0}));
  ASSERT_TRUE(log.waitFor(report::kDocumentEnd));
  EXPECT_EQ(log.count(report::kImageInfo), 3);
  EXPECT_EQ(log.count(report::kPageEnd), 3);
  EXPECT_EQ(log.last(report::kDocumentEnd).info.intValue("STATUS"), report::kStatusDone);
  EXPECT_EQ(log.count(report::kErrorInformation), 0);
}

TEST_F(SimControllerTest, JamAtPageTwoReportsTheErrorAndEndsWithAnError) {
  // What the hook writes outlives the log and the controller.
  std::shared_ptr<velmor::ErrorInformation> error;
  std::vector<std::string> order;
  std::mutex m;
  SimController c;
  ReportLog log(&c);
  log.setHook([&](const fnd::Notification& n) {
    std::lock_guard lock(m);
    order.push_back(n.name);
    if (n.name == report::kErrorInformation) error = n.info()->get("object").toObject<velmor::ErrorInformation>();
  });
  ASSERT_EQ(0, c.smInitSetting(settingsFor({{"JamAtPage", 2}}, {{"FeederPages", 3}})));
  EXPECT_EQ(runFeeder(c, log, temp, 5), (std::vector<int>{report::kPendingError}));
  ASSERT_TRUE(log.waitFor(report::kDocumentEnd));
  EXPECT_EQ(log.last(report::kDocumentEnd).info.intValue("STATUS"), report::kStatusError);
  std::lock_guard lock(m);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->error, velmor::errors::kPaperJam);
  EXPECT_EQ(error->n2, 2);
  // The forecast comes just before the error itself.
  auto it = std::find(order.begin(), order.end(), report::kErrorInformation);
  ASSERT_NE(it, order.begin());
  EXPECT_EQ(*(it - 1), report::kErrorWillBeNotified);
  EXPECT_EQ(log.count(report::kImageInfo), 1);
}

TEST_F(SimControllerTest, FaultsAtTheStartEndTheDocumentWithTheirError) {
  struct Case {
    const char* key;
    int source;
    int error;
  };
  for (const Case& k : {Case{"CoverOpen", 0, velmor::errors::kCoverOpen}, Case{"NoPaper", 1, velmor::errors::kPaperOut},
                        Case{"JamAtPage", 1, velmor::errors::kPaperJam}}) {
    SCOPED_TRACE(k.key);
    std::atomic<int> error{0};
    SimController c;
    ReportLog log(&c);
    log.setHook([&](const fnd::Notification& n) {
      if (n.name == report::kErrorInformation) error = n.info()->get("object").toObject<velmor::ErrorInformation>()->error;
    });
    fnd::Dictionary behaviour;
    behaviour.set(k.key, std::string(k.key) == "JamAtPage" ? fnd::Value(1) : fnd::Value(true));
    ASSERT_EQ(0, c.smInitSetting(settingsFor(behaviour, {{"FeederPages", 2}})));
    c.smStartScanEvent(request(temp, 2, 8, 100, 0, 0, 20, 20, k.source));
    ASSERT_TRUE(log.waitFor(report::kDocumentEnd));
    EXPECT_EQ(error.load(), k.error);
    EXPECT_EQ(log.count(report::kImageInfo), 0);
    EXPECT_EQ(log.last(report::kDocumentEnd).info.intValue("STATUS"), report::kStatusError);
    EXPECT_EQ(c.smContinousScan2(k.source), report::kPendingError);
    if (std::string(k.key) == "NoPaper") {
      EXPECT_EQ(0, c.smCheckADFPaperStatus(0));
    }
  }
}

// A reader that waits for each row instead of asking again gets the same rows; the wait says
// false, at once, once the scan is cancelled, and false when the page is over.
TEST_F(SimControllerTest, WaitingForRowsGivesEveryRowAndEndsOnCancelAndPageEnd) {
  {
    SimController c;
    ReportLog log(&c);
    ASSERT_EQ(0, c.smInitSetting(settingsFor({})));
    c.smStartScanEvent(request(temp, 2, 8, 300, 0, 0, 300, 200));
    ASSERT_TRUE(log.waitFor(report::kImageInfo));
    c.smStartScan();
    const Rows expected = expectedRows(area(300, 0, 0, 300, 200, velmor::ColourMode::Colour, 8));
    Rows got;
    int waits = 0;
    while (got.size() < expected.size() && ++waits < 100000) {
      if (const std::uint8_t* p = c.smReadScan()) {
        got.emplace_back(p, p + expected.front().size());
      } else {
        c.smWaitScan(1.0);
      }
    }
    EXPECT_EQ(got, expected);
    ASSERT_TRUE(log.waitFor(report::kPageEnd));
    EXPECT_FALSE(c.smWaitScan(30.0)) << "no row after the page";
  }
  {
    SimController c;
    ReportLog log(&c);
    ASSERT_EQ(0, c.smInitSetting(settingsFor({})));
    c.smStartScanEvent(request(temp, 2, 8, 300, 0, 0, 300, 2000));
    ASSERT_TRUE(log.waitFor(report::kImageInfo));
    c.smStartScan();
    ASSERT_EQ(readRows(c, 10, 900).size(), 10u);
    c.smCancelScan();
    EXPECT_FALSE(c.smWaitScan(30.0));
  }
}

TEST_F(SimControllerTest, CancelAtLineHundredStopsThePageWithinAFewLines) {
  SimController c;
  ReportLog log(&c);
  ASSERT_EQ(0, c.smInitSetting(settingsFor({})));
  c.smStartScanEvent(request(temp, 2, 8, 300, 0, 0, 300, 2000));
  ASSERT_TRUE(log.waitFor(report::kImageInfo));
  c.smStartScan();
  ASSERT_EQ(readRows(c, 100, 900).size(), 100u);
  c.smCancelScan();
  EXPECT_EQ(nullptr, c.smReadScan());
  ASSERT_TRUE(log.waitFor(report::kDocumentEnd));
  EXPECT_LE(c.rowsProduced(), 100 + static_cast<int>(SimController::kQueueDepth) + 1);
  EXPECT_EQ(log.last(report::kDocumentEnd).info.intValue("STATUS"), report::kStatusCancelled);
  EXPECT_EQ(log.count(report::kPageEnd), 0);
  EXPECT_EQ(c.smContinousScan2(0), 0);
  EXPECT_TRUE(log.waitFor(report::kCloseProgressWindow));
}

TEST_F(SimControllerTest, ConnectionLostAtLineStopsTheRowsAndReportsTheError) {
  SimController c;
  ReportLog log(&c);
  ASSERT_EQ(0, c.smInitSetting(settingsFor({{"ConnectionLostAtLine", 40}})));
  c.smStartScanEvent(request(temp, 1, 8, 300, 0, 0, 100, 200));
  ASSERT_TRUE(log.waitFor(report::kImageInfo));
  c.smStartScan();
  // The rows before the loss still arrive; then no more.
  EXPECT_EQ(readRows(c, 200, 100, 1.0).size(), 40u);
  ASSERT_TRUE(log.waitFor(report::kErrorInformation));
  ASSERT_TRUE(log.waitFor(report::kDocumentEnd));
  EXPECT_EQ(log.last(report::kDocumentEnd).info.intValue("STATUS"), report::kStatusError);
  EXPECT_EQ(c.smContinousScan2(0), report::kPendingError);
}

TEST_F(SimControllerTest, RefusedInitialSettingAnswersNonZeroAndReportsWhy) {
  SimController c;
  ReportLog log(&c);
  EXPECT_NE(0, c.smInitSetting(settingsFor({{"RefuseInitialSetting", true}})));
  EXPECT_NE(nullptr, c.smGetDeviceInformation());
  ASSERT_TRUE(log.waitFor(report::kErrorInformation));
  EXPECT_EQ(log.scanReports(),
            (std::vector<std::string>{report::kErrorWillBeNotified, report::kErrorInformation}));
}

TEST_F(SimControllerTest, DeviceInformationDescribesTheUnits) {
  SimController c;
  EXPECT_EQ(nullptr, c.smGetDeviceInformation());
  ASSERT_EQ(0, c.smInitSetting(settingsFor({}, {{"FeederPages", 2}, {"FilmFrames", 4}, {"OpticalResolution", 1200}})));
  const auto caps = c.smGetDeviceInformation();
  ASSERT_NE(nullptr, caps);
  EXPECT_EQ(caps->intValue("OpticalResolution"), 1200);
  EXPECT_DOUBLE_EQ(caps->dictionary("Flatbed").real("W"), 8.5 * 1200);
  EXPECT_EQ(caps->intValue("SupportMethod"), 3);
  EXPECT_TRUE(caps->contains("TPU_RGB"));
  EXPECT_EQ(caps->array("Sleeve135").size(), 4u);
}

TEST_F(SimControllerTest, ReleaseEndsAScanThatWaitsForTheDataSource) {
  auto c = std::make_unique<SimController>();
  ReportLog log(c.get());
  ASSERT_EQ(0, c->smInitSetting(settingsFor({{"LineDelay", 0.01}})));
  c->smStartScanEvent(request(temp, 2, 8, 300, 0, 0, 100, 100));
  ASSERT_TRUE(log.waitFor(report::kImageInfo));
  c->releaseScanM();  // no smStartScan: the module thread is waiting for it
  c.reset();
  EXPECT_EQ(log.count(report::kDocumentEnd), 0);
}

TEST_F(SimControllerTest, PreviewSendsThePlatenInBlocksAndFindsTheDocuments) {
  std::atomic<std::size_t> received{0};
  SimController c;
  ReportLog log(&c);
  log.setHook([&](const fnd::Notification& n) {
    if (n.name == "setPreviewDataPost") {
      const fnd::Data& bytes = n.info()->get("PreviewSendData").toData();
      ASSERT_EQ(bytes.size(), static_cast<std::size_t>(n.info()->integer("PreviewSendSize")));
      received += bytes.size();
    }
  });
  ASSERT_EQ(0, c.smInitSetting(settingsFor({})));
  c.smPreviewScan(fnd::Notification{"Preview_Scan", nullptr, fnd::makeShared()});
  ASSERT_TRUE(log.waitFor("endPreviewPost"));
  const auto size = log.last("setPreviewMakeSizePost").info;
  EXPECT_EQ(received.load(), static_cast<std::size_t>(size.integer("PreviewWidth") * size.integer("PreviewHeight") * 3));
  // The area found, then the six documents.
  EXPECT_EQ(log.last("endPreviewPost").info.array("AutoMultiRect").size(), 7u);
}

TEST_F(SimControllerTest, FilmScanReadsTheFrameOfTheCrop) {
  SimController c;
  ReportLog log(&c);
  ASSERT_EQ(0, c.smInitSetting(settingsFor({}, {{"FilmFrames", 3}})));
  const velmor::Scene strip = velmor::Scene::filmStrip(3);
  const auto& frame = strip.documents()[1];
  const int res = 200;
  const int x = static_cast<int>(frame.x * res), y = static_cast<int>(frame.y * res);
  const int w = static_cast<int>(frame.width * res), h = static_cast<int>(frame.height * res);
  c.smStartScanEvent(request(temp, 2, 8, res, x, y, w, h, 3));
  ASSERT_TRUE(log.waitFor(report::kImageInfo));
  EXPECT_EQ(log.last(report::kImageInfo).info.intValue("SOURCETYPE"), 1);
  EXPECT_EQ(log.last(report::kImageInfo).info.intValue("InputSource"), 3);
  c.smStartScan();
  const Rows rows = readRows(c, h, static_cast<std::size_t>(w) * 3);
  ASSERT_EQ(static_cast<int>(rows.size()), h);
  velmor::ImageRenderer r(strip, area(res, x, y, w, h, velmor::ColourMode::Colour, 8));
  std::vector<std::uint8_t> row(r.rowBytes());
  for (int i = 0; i < h; i += 17) {
    r.renderRow(i, row.data());
    ASSERT_EQ(rows[static_cast<std::size_t>(i)], row) << i;
  }
  ASSERT_TRUE(log.waitFor(report::kPageEnd));
  EXPECT_EQ(c.smContinousScan2(3), 0);
}
