// The simulated scanner's answers to the user interface's requests other than scans.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>
#include <vector>

#include "ReportLog.h"
#include "TestEnvironment.h"
#include "capture/ScannerDevice.h"
#include "scanmodule/DeviceSettings.h"
#include "scanmodule/ErrorInformation.h"
#include "scanmodule/ScanReports.h"
#include "scanmodule/SimController.h"
#include "ui/model/SM_COMMON/ToneDic/ToneDic.h"

using velmor::SimController;
namespace report = velmor::report;

namespace {

fnd::Dictionary deviceWith(fnd::Dictionary behaviour, std::string name = "Vantrel TS-800 Virtual") {
  capture::DeviceDefinition def;
  def.name = std::move(name);
  def.identifier = "TARGETS-1";
  def.behaviour = std::move(behaviour);
  return fnd::Dictionary{{"ICScannerDevice", fnd::Value::object(capture::ScannerDevice::create(def))}};
}

fnd::Notification request(const char* name, fnd::Dictionary info = {}) {
  return fnd::Notification{name, nullptr, fnd::makeShared(std::move(info))};
}

// Runs a preview and waits for its end.
void preview(SimController& c, ReportLog& log) {
  const int before = log.count(report::kEndPreview);
  c.smPreviewScan(request("Preview_Scan"));
  ASSERT_TRUE(log.waitFor(report::kEndPreview, before + 1));
}

// A tone table that turns every value v into 65535 - v.
fnd::Data invertingTable() {
  fnd::Data table(0x20000);
  for (std::size_t i = 0; i < 65536; ++i) {
    const std::uint16_t v = static_cast<std::uint16_t>(65535 - i);
    std::memcpy(table.data() + i * 2, &v, 2);
  }
  return table;
}

class SimControllerTargetsTest : public ::testing::Test {
 protected:
  void SetUp() override { velmor::DeviceSettings::reset(); }
  std::string temp = testenv::freshFolder("targets").string();
};

}  // namespace

TEST_F(SimControllerTargetsTest, DeviceSettingsAreKeptPerDeviceAndAnsweredInTheCall) {
  {
    SimController c;
    ASSERT_EQ(0, c.smInitSetting(deviceWith({})));
    auto get = request("NC_GetSilentSetting");
    c.smGetSilentSetting(get);
    EXPECT_EQ(get.info()->intValue("FuncStatus"), 0);
    EXPECT_EQ(get.info()->intValue("SilentSetting"), 0);
    EXPECT_EQ(get.info()->intValue("StartHour"), 21);
    EXPECT_EQ(get.info()->intValue("EndHour"), 7);

    auto set = request("NC_SetSilentSetting", {{"SilentSetting", 2}, {"StartHour", 22}, {"StartMinutes", 30},
                                               {"EndHour", 6}, {"EndMinutes", 15}});
    c.smSetSilentSetting(set);
    EXPECT_EQ(set.info()->intValue("FuncStatus"), 0);
    auto off = request("NC_SetAutoPowerOffSetting", {{"AutoPowerOffTime", 4}});
    c.smSetAutoPowerOffSetting(off);
    auto on = request("NC_SetAutoPowerOnSetting", {{"AutoPowerOnSetting", 1}});
    c.smSetAutoPowerOnSetting(on);
  }
  // A later controller of the same device reads what the first wrote; another device does not.
  SimController again;
  ASSERT_EQ(0, again.smInitSetting(deviceWith({})));
  auto get = request("NC_GetSilentSetting");
  again.smGetSilentSetting(get);
  EXPECT_EQ(get.info()->intValue("SilentSetting"), 2);
  EXPECT_EQ(get.info()->intValue("StartHour"), 22);
  EXPECT_EQ(get.info()->intValue("StartMinutes"), 30);
  EXPECT_EQ(get.info()->intValue("EndHour"), 6);
  EXPECT_EQ(get.info()->intValue("EndMinutes"), 15);
  auto off = request("NC_GetAutoPowerOffSetting");
  again.smGetAutoPowerOffSetting(off);
  EXPECT_EQ(off.info()->intValue("AutoPowerOffTime"), 4);
  auto on = request("NC_GetAutoPowerOnSetting");
  again.smGetAutoPowerOnSetting(on);
  EXPECT_EQ(on.info()->intValue("AutoPowerOnSetting"), 1);

  SimController other;
  ASSERT_EQ(0, other.smInitSetting(deviceWith({}, "Another Virtual")));
  auto otherGet = request("NC_GetAutoPowerOffSetting");
  other.smGetAutoPowerOffSetting(otherGet);
  EXPECT_EQ(otherGet.info()->intValue("AutoPowerOffTime"), 0);
}

TEST_F(SimControllerTargetsTest, AFailingDeviceAnswersItsStatusAndKeepsItsSettings) {
  SimController c;
  ASSERT_EQ(0, c.smInitSetting(deviceWith({{"FuncStatus", 3}})));
  auto set = request("NC_SetAutoPowerOffSetting", {{"AutoPowerOffTime", 5}});
  c.smSetAutoPowerOffSetting(set);
  EXPECT_EQ(set.info()->intValue("FuncStatus"), 3);
  auto get = request("NC_GetAutoPowerOffSetting");
  c.smGetAutoPowerOffSetting(get);
  EXPECT_EQ(get.info()->intValue("FuncStatus"), 3);
  EXPECT_FALSE(get.info()->contains("AutoPowerOffTime"));
  EXPECT_EQ(velmor::DeviceSettings::power("Vantrel TS-800 Virtual").offTime, 0);
}

TEST_F(SimControllerTargetsTest, CalibrationAndSelfTestPostTheirWindowsInsideTheCall) {
  struct Case {
    fnd::Dictionary behaviour;
    bool calibrationError;
    int testStatus;
  };
  for (const Case& k : {Case{{}, false, 1630}, Case{{{"ManualCalibrationError", true}, {"ScannerTestStatus", 1629}}, true, 1629}}) {
    SimController c;
    ReportLog log(&c);
    ASSERT_EQ(0, c.smInitSetting(deviceWith(k.behaviour)));
    c.smCalibration(request("ExecuteCalibrationPost"));
    c.smScannterTest(request("ExecuteScannerTestPost"));
    // Everything came before the calls returned, on this thread.
    std::vector<std::string> names;
    for (const auto& e : log.entries()) {
      names.push_back(e.name);
      EXPECT_EQ(e.thread, std::this_thread::get_id());
    }
    std::vector<std::string> expected{report::kDisplayCalibration, report::kCloseCalibration};
    if (k.calibrationError) expected.push_back(report::kManualCalibrationError);
    expected.push_back(report::kDisplayScannerTestStatus);
    expected.push_back(report::kEndScannerTest);
    EXPECT_EQ(names, expected);
    EXPECT_EQ(log.last(report::kDisplayScannerTestStatus).info.intValue("TestStatus"), k.testStatus);
    if (k.calibrationError) {
      const auto error = log.last(report::kManualCalibrationError).info;
      EXPECT_EQ(error.intValue("TestStatus"), 1206);
      EXPECT_TRUE(error.contains("Number1") && error.contains("Number2") && error.contains("Number3"));
    }
  }
}

TEST_F(SimControllerTargetsTest, BackupKeepsTheLastPreviewAndResumeReplaysIt) {
  const std::string folder = temp + "/backup";
  auto result = std::make_shared<int>(-1);
  {
    SimController c;
    ReportLog log(&c);
    ASSERT_EQ(0, c.smInitSetting(deviceWith({})));
    // Nothing to keep before a preview.
    c.smScanModuleBackup(request("ScanModule_Backup2", {{"BackupPath", folder}, {"SMResult", fnd::Value::object(result)}}));
    EXPECT_EQ(*result, 1);
    preview(c, log);
    c.smScanModuleBackup(request("ScanModule_Backup2", {{"BackupPath", folder}, {"SMResult", fnd::Value::object(result)}}));
    EXPECT_EQ(*result, 0);
  }
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder) / SimController::kBackupFileName));

  // A fresh controller (the next start of the program) gets the same preview back.
  SimController c;
  ReportLog log(&c);
  fnd::Data replayed;
  log.setHook([&](const fnd::Notification& n) {
    if (n.name == report::kSetPreviewData) {
      const fnd::Data& d = n.info()->get("PreviewSendData").toData();
      replayed.insert(replayed.end(), d.begin(), d.end());
    }
  });
  ASSERT_EQ(0, c.smInitSetting(deviceWith({})));
  c.smScanModuleResume(request("ScanModule_Resume2", {{"ResumePath", temp + "/nothing-here"}, {"SMResult", fnd::Value::object(result)}}));
  EXPECT_EQ(*result, 1);
  c.smScanModuleResume(request("ScanModule_Resume2", {{"ResumePath", folder}, {"SMResult", fnd::Value::object(result)}}));
  EXPECT_EQ(*result, 0);
  const auto size = log.last(report::kSetPreviewMakeSize).info;
  ASSERT_GT(size.intValue("PreviewWidth"), 0);
  EXPECT_EQ(replayed.size(), static_cast<std::size_t>(size.intValue("PreviewWidth") * size.intValue("PreviewHeight") * 3));
  EXPECT_EQ(log.count(report::kDrawPreviewArea), 1);

  // A damaged backup is no preview.
  std::filesystem::resize_file(std::filesystem::path(folder) / SimController::kBackupFileName, 100);
  c.smScanModuleResume(request("ScanModule_Resume2", {{"ResumePath", folder}, {"SMResult", fnd::Value::object(result)}}));
  EXPECT_EQ(*result, 1);
}

TEST_F(SimControllerTargetsTest, CropCorrectionFillsTheCellsWithCorrectedPreviewPixels) {
  SimController c;
  ReportLog log(&c);
  fnd::Data previewBytes;
  log.setHook([&](const fnd::Notification& n) {
    if (n.name == report::kSetPreviewData) {
      const fnd::Data& d = n.info()->get("PreviewSendData").toData();
      previewBytes.insert(previewBytes.end(), d.begin(), d.end());
    }
  });
  ASSERT_EQ(0, c.smInitSetting(deviceWith({})));
  preview(c, log);
  const int previewWidth = log.last(report::kSetPreviewMakeSize).info.intValue("PreviewWidth");

  c.smSetUserGamma(fnd::Dictionary{{"UserGammaNumber", 3}, {"Red", invertingTable()}, {"Green", invertingTable()},
                                   {"Blue", invertingTable()}});
  ASSERT_EQ(c.userGamma(3).size(), 3u);
  c.smSetUserGamma(fnd::Dictionary{{"UserGammaNumber", 4}, {"Red", fnd::Data(10)}});
  EXPECT_TRUE(c.userGamma(4).empty());

  std::int32_t width = -1, height = -1;
  unsigned char* corrected = nullptr;
  unsigned char* before = nullptr;
  // 2 by 1 inches from (1, 1) inch: the rectangle is in preview pixels (150 by 75 from (75, 75))
  // whatever resolution the crop will be scanned at.
  fnd::Dictionary crop{{"Resolution", 300},
                       {"UserGamma", 3},
                       {"ScanRect", fnd::Dictionary{{"X", 75}, {"Y", 75}, {"width", 150}, {"height", 75}}},
                       {"DATA_WIDTH", fnd::Value::pointer(&width)},
                       {"DATA_HEIGHT", fnd::Value::pointer(&height)},
                       {"DATA_P", fnd::Value::pointer(&corrected)},
                       {"DATA_H", fnd::Value::pointer(&before)}};
  c.smCropCorrect(fnd::Dictionary{{"CropItem", fnd::Array{fnd::Dictionary{}, crop}}});
  ASSERT_EQ(width, 150);
  ASSERT_EQ(height, 75);
  ASSERT_NE(corrected, nullptr);
  ASSERT_NE(before, nullptr);
  for (int y = 0; y < height; y += 7) {
    for (int x = 0; x < width; x += 11) {
      for (int ch = 0; ch < 3; ++ch) {
        const std::uint8_t original = previewBytes[(static_cast<std::size_t>(75 + y) * previewWidth + 75 + x) * 3 + ch];
        ASSERT_EQ(before[(y * width + x) * 3 + ch], original);
        ASSERT_EQ(corrected[(y * width + x) * 3 + ch], 255 - original);
      }
    }
  }
  // The requester adopts the blocks.
  std::free(corrected);
  std::free(before);
}

// The tone setting the user interface sends ("Spline" and "ToneParam") is kept and read back;
// a crop correction shows it with the monitor gamma relative to the data's 2.2 (so 2.2 shows the
// file's tables, 1.8 a darker picture).
TEST_F(SimControllerTargetsTest, CropCorrectionShowsTheToneSettingForTheMonitorsGamma) {
  SimController c;
  ReportLog log(&c);
  fnd::Data previewBytes;
  log.setHook([&](const fnd::Notification& n) {
    if (n.name == report::kSetPreviewData) {
      const fnd::Data& d = n.info()->get("PreviewSendData").toData();
      previewBytes.insert(previewBytes.end(), d.begin(), d.end());
    }
  });
  ASSERT_EQ(0, c.smInitSetting(deviceWith({})));
  preview(c, log);
  const int previewWidth = log.last(report::kSetPreviewMakeSize).info.intValue("PreviewWidth");
  UserToneSetting setting;
  UIM_Neutral_UserToneSetting(&setting);
  setting.UserGammaNumber = 5;
  setting.Brightness[0] = 178;
  setting.Gamma[0] = 2.2;
  c.smSetUserGamma(*UIM_CreateDictionary_UserToneSetting(&setting));
  ASSERT_TRUE(c.userToneSetting(5).has_value());
  EXPECT_EQ(c.userToneSetting(5)->Brightness[0], 178u);
  EXPECT_FALSE(c.userToneSetting(6).has_value());

  auto correct = [&](double monitorGamma) {
    std::int32_t width = -1, height = -1;
    unsigned char* image = nullptr;
    fnd::Dictionary crop{{"Resolution", 300},
                         {"UserGamma", 5},
                         {"ScanRect", fnd::Dictionary{{"X", 75}, {"Y", 75}, {"width", 150}, {"height", 75}}},
                         {"DATA_WIDTH", fnd::Value::pointer(&width)},
                         {"DATA_HEIGHT", fnd::Value::pointer(&height)},
                         {"DATA_P", fnd::Value::pointer(&image)}};
    c.smCropCorrect(fnd::Dictionary{{"ScanSetting", fnd::Dictionary{{"MonitorGamma", monitorGamma}, {"ColorMode", 2}}},
                                    {"CropItem", fnd::Array{fnd::Dictionary{}, crop}}});
    EXPECT_EQ(width, 150);
    std::vector<std::uint8_t> out(image, image + (image ? 150 * 75 * 3 : 0));
    std::free(image);
    return out;
  };
  std::uint8_t r[256], g[256], b[256];
  ASSERT_EQ(UIM_MakeUserToneTables(&setting, 1.0, r, g, b), 0);
  const std::vector<std::uint8_t> asFiled = correct(2.2);
  ASSERT_EQ(asFiled.size(), 150u * 75 * 3);
  std::size_t darker = 0;
  const std::vector<std::uint8_t> onOlderScreen = correct(1.8);
  for (int y = 0; y < 75; ++y)
    for (int x = 0; x < 150; ++x)
      for (int ch = 0; ch < 3; ++ch) {
        const std::size_t at = (std::size_t(y) * 150 + std::size_t(x)) * 3 + std::size_t(ch);
        const std::uint8_t original = previewBytes[(std::size_t(75 + y) * std::size_t(previewWidth) + 75 + std::size_t(x)) * 3 + std::size_t(ch)];
        ASSERT_EQ(asFiled[at], g[original]);
        ASSERT_LE(onOlderScreen[at], asFiled[at]);
        darker += onOlderScreen[at] < asFiled[at];
      }
  EXPECT_GT(darker, asFiled.size() / 2);
}

// The area of a per-crop request: its rectangle, or for a four-corner frame (a platen
// thumbnail) the box around the corners, which are the frame's outermost pixels.
TEST(SimCropArea, RectangleOrTheBoxAroundAFourCornerFrame) {
  auto shape = [](int format, std::vector<std::int32_t> corners) {
    fnd::Data bytes(32, 0);
    std::memcpy(bytes.data(), corners.data(), std::min<std::size_t>(32, corners.size() * sizeof(std::int32_t)));
    return fnd::Dictionary{{"Format", format}, {"Shape", bytes}};
  };
  auto rect = [](double x, double y, double w, double h) {
    return fnd::Dictionary{{"X", x}, {"Y", y}, {"width", w}, {"height", h}};
  };
  const std::vector<std::int32_t> corners{38, 35, 369, 35, 369, 280, 38, 280};
  // A rotated frame: the box spans the extreme corners, whichever they are.
  const std::vector<std::int32_t> turned{50, 10, 90, 40, 60, 80, 20, 50};
  // Two corners' worth of bytes (16), not four.
  const std::int32_t firstTwo[4] = {10, 20, 30, 40};
  fnd::Data twoCorners(sizeof firstTwo);
  std::memcpy(twoCorners.data(), firstTwo, sizeof firstTwo);
  struct Case {
    const char* what;
    fnd::Dictionary crop;
    SimController::CropArea area;
  } cases[] = {
      {"rectangle", {{"ScanRect", rect(75, 75, 150, 75)}}, {75, 75, 150, 75}},
      // A thumbnail's request carries its whole rectangle beside the document's corners.
      {"corners beside a rectangle", {{"ScanRect", rect(1, 2, 3, 4)}, {"CropShape", shape(4, corners)}}, {38, 35, 332, 246}},
      {"corners, empty rectangle", {{"ScanRect", rect(0, 0, 0, 0)}, {"CropShape", shape(4, corners)}}, {38, 35, 332, 246}},
      {"corners, no rectangle", {{"CropShape", shape(4, turned)}}, {20, 10, 71, 71}},
      {"plain shape, empty rectangle", {{"ScanRect", rect(0, 0, 0, 0)}, {"CropShape", shape(0, corners)}}, {0, 0, 0, 0}},
      // The crop reader pads a short block with zeros: the missing corners sit at the origin.
      {"short shape", {{"CropShape", fnd::Dictionary{{"Format", 4}, {"Shape", twoCorners}}}}, {0, 0, 31, 41}},
      {"nothing", {}, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const SimController::CropArea a = SimController::cropAreaOf(c.crop);
    EXPECT_EQ((std::vector<double>{a.x, a.y, a.width, a.height}),
              (std::vector<double>{c.area.x, c.area.y, c.area.width, c.area.height}));
  }
}

// A platen thumbnail's request names its document by corners alone: the cells get that
// document's preview pixels.
TEST_F(SimControllerTargetsTest, CropCorrectionOfAFourCornerFrameCutsTheBoxAroundIt) {
  SimController c;
  ReportLog log(&c);
  fnd::Data previewBytes;
  log.setHook([&](const fnd::Notification& n) {
    if (n.name == report::kSetPreviewData) {
      const fnd::Data& d = n.info()->get("PreviewSendData").toData();
      previewBytes.insert(previewBytes.end(), d.begin(), d.end());
    }
  });
  ASSERT_EQ(0, c.smInitSetting(deviceWith({})));
  preview(c, log);
  const int previewWidth = log.last(report::kSetPreviewMakeSize).info.intValue("PreviewWidth");
  const std::int32_t corners[8] = {40, 30, 99, 30, 99, 69, 40, 69};
  fnd::Data shape(32, 0);
  std::memcpy(shape.data(), corners, sizeof corners);
  std::int32_t width = -1, height = -1;
  unsigned char* image = nullptr;
  fnd::Dictionary crop{{"Resolution", 300},
                       {"ScanRect", fnd::Dictionary{{"X", 0}, {"Y", 0}, {"width", 0}, {"height", 0}}},
                       {"CropShape", fnd::Dictionary{{"Format", 4}, {"Shape", shape}}},
                       {"DATA_WIDTH", fnd::Value::pointer(&width)},
                       {"DATA_HEIGHT", fnd::Value::pointer(&height)},
                       {"DATA_P", fnd::Value::pointer(&image)}};
  c.smCropCorrect(fnd::Dictionary{{"OnePass", 8}, {"CropItem", fnd::Array{fnd::Dictionary{}, crop}}});
  ASSERT_EQ(width, 60);
  ASSERT_EQ(height, 40);
  ASSERT_NE(image, nullptr);
  for (int y = 0; y < height; y += 3)
    for (int x = 0; x < width; x += 5)
      for (int ch = 0; ch < 3; ++ch)
        ASSERT_EQ(image[(y * width + x) * 3 + ch], previewBytes[(static_cast<std::size_t>(30 + y) * previewWidth + 40 + x) * 3 + ch]);
  std::free(image);
}

TEST_F(SimControllerTargetsTest, AutomaticCropAnswersTheDocumentUnderTheFrame) {
  SimController c;
  ReportLog log(&c);
  ASSERT_EQ(0, c.smInitSetting(deviceWith({})));
  auto pt = [](int x, int y) { return fnd::Value(fnd::Dictionary{{"X", x}, {"Y", y}}); };
  auto ask = [&](fnd::Array points) {
    auto answer = std::make_shared<fnd::Dictionary>();
    c.smAutoCrop(fnd::Dictionary{{"points", std::move(points)}, {"autoCropPDic", fnd::Value::object(answer)}});
    return answer->array("newPoints");
  };
  const fnd::Array frame{pt(0, 0), pt(10, 0), pt(10, 10), pt(0, 10)};
  // Before a preview nothing is found: the frame stays.
  EXPECT_EQ(ask(frame), frame);

  preview(c, log);
  const auto crops = log.last(report::kEndPreview).info.array("AutoMultiRect");
  ASSERT_FALSE(crops.empty());
  const velmor::Scene platen = velmor::Scene::platen(8.5, 11.7);
  const auto& doc = platen.documents()[1];
  const int k = SimController::kPreviewResolution;
  const int x0 = static_cast<int>(doc.x * k), y0 = static_cast<int>(doc.y * k);
  const int x1 = static_cast<int>(doc.x * k) + static_cast<int>(doc.width * k);
  const int y1 = static_cast<int>(doc.y * k) + static_cast<int>(doc.height * k);
  // A frame well inside the second document finds that document, corners in the same order.
  const fnd::Array inside{pt(x0 + 5, y0 + 5), pt(x0 + 20, y0 + 5), pt(x0 + 20, y0 + 20), pt(x0 + 5, y0 + 20)};
  EXPECT_EQ(ask(inside), (fnd::Array{pt(x0, y0), pt(x1, y0), pt(x1, y1), pt(x0, y1)}));
}

TEST_F(SimControllerTargetsTest, RequestsWithoutAnAnswerRecordTheirInput) {
  SimController c;
  c.smSetLampOff(fnd::Dictionary{{"LampOffTime", 15}});
  c.smChangeInputSource(request("changeInputSourcePost", {{"InputSource", 1}}));
  c.smExecuteHSL(request("ExecuteHSL", {{"Hue", 4}}));
  c.smResizeBitmap(request("ResizeBitmap", {{"Scale", 50}}));
  c.smClearPreview(request("Clear_Preview", {{"Mode", 2}}));
  EXPECT_EQ(c.recordedInput("smSetLampOff").intValue("LampOffTime"), 15);
  EXPECT_EQ(c.recordedInput("smChangeInputSource").intValue("InputSource"), 1);
  EXPECT_EQ(c.recordedInput("smExecuteHSL").intValue("Hue"), 4);
  EXPECT_EQ(c.recordedInput("smResizeBitmap").intValue("Scale"), 50);
  EXPECT_EQ(c.recordedInput("smClearPreview").intValue("Mode"), 2);
  EXPECT_TRUE(c.recordedInput("smCalibration").empty());
}

TEST_F(SimControllerTargetsTest, SwitchesAddTheirReportsToAScan) {
  SimController c;
  ReportLog log(&c);
  log.setHook([&](const fnd::Notification& n) {
    if (n.name == report::kModalDialog) {
      ASSERT_EQ(n.info()->intValue("ErrorNumber"), 1350);
      n.info()->get("object").toObject<velmor::ModalAnswer>()->answer = 2;
    }
  });
  ASSERT_EQ(0, c.smInitSetting(deviceWith({{"ImageInfoDummy", true},
                                           {"UpdateReadPushButton", true},
                                           {"ModalQuestion", 1350},
                                           {"SlowOpen", 0.01},
                                           {"ProgressDetails", true}})));
  fnd::Dictionary crop{{"Resolution", 75}, {"ScanRect", fnd::Dictionary{{"X", 0}, {"Y", 0}, {"width", 30}, {"height", 20}}}};
  c.smStartScanEvent(fnd::Dictionary{{"ScanSetting", fnd::Dictionary{{"ColorMode", 2}, {"TemporaryPath", temp}}},
                                     {"BitDepth", 8},
                                     {"CropItem", fnd::Array{fnd::Dictionary{}, crop}}});
  ASSERT_TRUE(log.waitFor(report::kImageInfoDummy));
  c.smStartScan();
  for (int rows = 0; rows < 20;) {
    if (c.smReadScan()) {
      ++rows;
    } else {
      std::this_thread::yield();
    }
  }
  ASSERT_TRUE(log.waitFor(report::kPageEnd));
  EXPECT_EQ(c.smContinousScan2(0), 0);
  c.smEndScan();
  ASSERT_TRUE(log.waitFor(report::kDocumentEnd));
  EXPECT_EQ(log.count(report::kImageInfo), 0);
  for (const char* name : {report::kUpdateReadPushButton, report::kModalDialog, report::kDisplayScannerConnect,
                           report::kCloseScannerConnect, report::kSetEstimatedRemainingTime,
                           report::kSetMessageFieldInfo}) {
    EXPECT_EQ(log.count(name), 1) << name;
  }
  // The document's own information (bar and Cancel), then the page's details.
  EXPECT_EQ(log.count(report::kSetInformationData), 2);
  EXPECT_EQ(c.recordedInput("ModalAnswer").intValue("answer"), 2);
  EXPECT_EQ(log.last(report::kSetMessageFieldInfo).info.array("PParameter").size(), 2u);
}
