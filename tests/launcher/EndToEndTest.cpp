// The real program from the pick of the scanner to files on disk: the launcher with the
// product's data source, the simulated scanner and the save pipeline. Until the user interface
// has a main window, a seam stands in for it and posts the Scan button's requests as the root.
#include <algorithm>
#include <cmath>

#include "TestEnvironment.h"
#include "ProgramRoadSupport.h"
#include "datasource/DirectTWAIN.h"
#include "datasource/UIRoot.h"
#include "foundation/PropertyList.h"
#include "foundation/StringFormat.h"
#include "foundation/Timer.h"
#include "launcher/DirectTWAINPort.h"
#include "scanmodule/DeviceModel.h"
#include "scanmodule/ImageRenderer.h"
#include "scanmodule/Scene.h"

namespace launchertest {
namespace {

namespace fs = std::filesystem;

constexpr const char* kScanner = "Vantrel TS-800 Virtual";

// The product's data source, with the launcher's calls written down on their way through.
class WatchedDataSource final : public Zorvik_DataSourcePort {
 public:
  WatchedDataSource(std::unique_ptr<Zorvik_DataSourcePort> real, std::shared_ptr<DataSourceLog> log)
      : real_(std::move(real)), log_(std::move(log)) {}
  std::int32_t dtScannerOpenDevice(const fnd::Dictionary& device) override {
    log_->calls.push_back("dtScannerOpenDevice");
    return real_->dtScannerOpenDevice(device);
  }
  std::int32_t dtScannerOpenUserInterface(std::int32_t unused) override {
    log_->calls.push_back("dtScannerOpenUserInterface");
    return real_->dtScannerOpenUserInterface(unused);
  }
  std::int32_t dtScannerCloseUserInterface() override {
    log_->calls.push_back("dtScannerCloseUserInterface");
    return real_->dtScannerCloseUserInterface();
  }
  std::int32_t dtScannerCloseDevice() override {
    log_->calls.push_back("dtScannerCloseDevice");
    return real_->dtScannerCloseDevice();
  }
  std::int32_t dtScannerSetupMemorySize(std::uint32_t size) override {
    log_->memorySizes.push_back(size);
    return real_->dtScannerSetupMemorySize(size);
  }
  std::int32_t dtScannerGetImageInfo(DT_IMAGEINFO* info) override {
    const std::int32_t answer = real_->dtScannerGetImageInfo(info);
    if (info) log_->images.push_back(*info);
    return answer;
  }
  std::int32_t dtScannerImageMemoryTransfer(TW_IMAGEMEMXFER* xfer) override {
    return real_->dtScannerImageMemoryTransfer(xfer);
  }
  std::int32_t dtScannerPendingTransfers(std::int32_t mode) override {
    log_->pendingModes.push_back(mode);
    return real_->dtScannerPendingTransfers(mode);
  }
  std::int32_t dtScannerNotifyDidFinishSaving(std::int32_t status) override {
    log_->calls.push_back("dtScannerNotifyDidFinishSaving");
    log_->finishStatuses.push_back(status);
    return real_->dtScannerNotifyDidFinishSaving(status);
  }
  const void* notificationSender() const override { return real_->notificationSender(); }

  Dravon_DirectTWAIN& dataSource() const { return static_cast<Zorvik_DirectTWAINPort&>(*real_).dataSource(); }

 private:
  std::unique_ptr<Zorvik_DataSourcePort> real_;
  std::shared_ptr<DataSourceLog> log_;
};

struct Crop {
  int x, y, width, height;
};

fnd::Dictionary scanRequest(const std::vector<Crop>& crops, int resolution, int noCloseUI) {
  fnd::Array items;
  for (const Crop& c : crops)
    items.emplace_back(fnd::Dictionary{
        {"Resolution", resolution},
        {"ScanRect", fnd::Dictionary{{"X", c.x}, {"Y", c.y}, {"width", c.width}, {"height", c.height}}}});
  return fnd::Dictionary{
      {"ScanSetting",
       fnd::Dictionary{{"ColorMode", 2}, {"TemporaryPath", fnd::Paths::tempDir()}, {"NoCloseUI", noCloseUI}}},
      {"InputSource", 0},
      {"BitDepth", 8},
      {"CropItem", items}};
}

// The rows the simulated scanner renders for one crop of the platen.
std::vector<std::uint8_t> rendered(const Crop& c, int resolution) {
  const velmor::DeviceModel model = velmor::DeviceModel::resolve(fnd::Dictionary{{"DeviceName", kScanner}});
  const velmor::Scene scene = velmor::Scene::platen(model.platenWidth, model.platenHeight);
  velmor::RenderSpec renderSpec;
  renderSpec.resolution = resolution;
  renderSpec.x = c.x;
  renderSpec.y = c.y;
  renderSpec.width = c.width;
  renderSpec.height = c.height;
  const velmor::ImageRenderer renderer(scene, renderSpec);
  std::vector<std::uint8_t> bytes(renderer.rowBytes() * std::size_t(renderer.rows()));
  for (int r = 0; r < renderer.rows(); ++r) renderer.renderRow(r, bytes.data() + renderer.rowBytes() * std::size_t(r));
  return bytes;
}

std::vector<std::uint8_t> rowsOf(const SavedImage& s, std::size_t rowBytes) {
  std::vector<std::uint8_t> out;
  for (std::size_t y = 0; y < s.height; ++y)
    out.insert(out.end(), s.pixels.begin() + std::ptrdiff_t(y * s.bytesPerRow),
               s.pixels.begin() + std::ptrdiff_t(y * s.bytesPerRow + rowBytes));
  return out;
}

double meanAbsDifference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
  if (a.size() != b.size() || a.empty()) return 1e9;
  double sum = 0;
  for (std::size_t i = 0; i < a.size(); ++i) sum += std::abs(int(a[i]) - int(b[i]));
  return sum / double(a.size());
}

class EndToEnd : public ProgramRoadTest {
 protected:
  // The launcher's stand-in window; any box the scan brings up is answered as a user would: OK.
  void SetUp() override {
    setUpRoad(true);
    closeAtTearDown = false;
  }
  // The launcher with the product's data source, watched; deviceFile: the devices to browse
  // (empty: the built-in virtual scanner).
  void launchProgram(const std::string& deviceFile = {}) {
    auto shared = log;
    delegate = std::make_unique<Zorvik_AppDelegate>(
        [shared]() -> std::unique_ptr<Zorvik_DataSourcePort> {
          std::unique_ptr<Zorvik_DataSourcePort> real = Zorvik_MakeDirectTWAIN();
          if (!real) return nullptr;
          return std::make_unique<WatchedDataSource>(std::move(real), shared);
        },
        deviceFile);
    kit::Application::shared().setDelegate(delegate.get());
    launch();
  }

  // The product's data source behind the watching one.
  Dravon_DirectTWAIN* dataSource() const override {
    auto* watched = delegate ? dynamic_cast<WatchedDataSource*>(delegate->dataSource()) : nullptr;
    return watched ? &watched->dataSource() : nullptr;
  }

  // The Scan button's two requests, as the root posts them, then the main loop until the data
  // source has been told the end of this request's saving.
  bool scan(const fs::path& folder, std::int64_t format, const fnd::Dictionary& request) {
    const std::size_t told = log->finishStatuses.size();
    auto& center = fnd::NotificationCenter::defaultCenter();
    center.post("ntfQuirel_SaveInfo", root(),
                fnd::makeShared(fnd::Dictionary{{"SaveFilePath", folder.string()},
                                                {"SaveFileFormat", static_cast<long long>(format)},
                                                {"SaveCompression", 2},
                                                {"ColorSetting", 0}}));
    center.post("StandardMode_Scan", root(), fnd::makeShared(request));
    return runUntil([&] { return log->finishStatuses.size() > told && !delegate->isTransferring(); }, 2400);
  }
};

TEST_F(EndToEnd, ScanRequestsEndInNumberedJpegAndTiffFilesAndTheLastClosesTheProgram) {
  launchProgram();
  kit::Application& app = kit::Application::shared();
  ASSERT_TRUE(runUntil([&] { return delegate->uiNotOpen() == 0; }));
  ASSERT_NE(root(), nullptr);
  EXPECT_EQ(log->calls, (std::vector<std::string>{"dtScannerOpenDevice", "dtScannerOpenUserInterface"}));

  const fs::path folder = testenv::freshFolder("end-to-end");
  const std::vector<Crop> jpegCrops = {{150, 200, 600, 450}, {900, 1200, 480, 640}};
  const Crop tiffCrop{300, 300, 700, 500};
  const Crop largeCrop{1000, 400, 640, 480};

  ASSERT_TRUE(scan(folder, 0, scanRequest(jpegCrops, 300, 1)));
  EXPECT_EQ(log->finishStatuses, std::vector<std::int32_t>{0});
  ASSERT_TRUE(scan(folder, 1, scanRequest({tiffCrop}, 300, 1)));
  EXPECT_EQ(log->finishStatuses, (std::vector<std::int32_t>{0, 0}));
  EXPECT_FALSE(app.isTerminated()) << "the driver stays open between requests";
  ASSERT_TRUE(scan(folder, 2, scanRequest({largeCrop}, 300, 0)));
  // The last request's 0 closes the data source and ends the program.
  ASSERT_TRUE(runUntil([&] { return app.isTerminated(); }));
  EXPECT_EQ(log->finishStatuses, (std::vector<std::int32_t>{0, 0, 0}));
  EXPECT_EQ(std::count(log->pendingModes.begin(), log->pendingModes.end(), 1), 0) << "nothing was given up";
  const std::vector<std::string> tail(log->calls.end() - 3, log->calls.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"dtScannerNotifyDidFinishSaving", "dtScannerCloseUserInterface",
                                            "dtScannerCloseDevice"}));

  ASSERT_EQ(namesIn(folder), (std::vector<std::string>{"IMG_20170325_0001.jpg", "IMG_20170325_0002.jpg",
                                                       "IMG_20170325_0003.tif", "IMG_20170325_0004.tif"}));
  // JPEG: the renderer's pixels within the loss of quality 0.99, and the program's EXIF data.
  for (std::size_t i = 0; i < jpegCrops.size(); ++i) {
    SCOPED_TRACE(i);
    const Crop& c = jpegCrops[i];
    const SavedImage saved = readSavedImage(folder / fnd::stringWithFormat("IMG_20170325_%04d.jpg", int(i + 1)));
    ASSERT_TRUE(saved.ok);
    ASSERT_EQ(saved.width, std::size_t(c.width));
    ASSERT_EQ(saved.height, std::size_t(c.height));
    EXPECT_LT(meanAbsDifference(rowsOf(saved, std::size_t(c.width) * 3), rendered(c, 300)), 2.5);
    const fnd::Dictionary tiff = saved.properties.dictionary("{TIFF}");
    EXPECT_EQ(tiff.string("Make"), "Vantrel");
    EXPECT_EQ(tiff.string("Model"), kScanner);
    EXPECT_EQ(tiff.string("Software"), "Trivolan");
    EXPECT_EQ(tiff.real("XResolution"), 300);
    EXPECT_EQ(tiff.real("YResolution"), 300);
  }
  // TIFF, through the transform writer and through the strip writer: the renderer's pixels.
  for (const auto& [name, crop] : {std::pair{"IMG_20170325_0003.tif", tiffCrop}, std::pair{"IMG_20170325_0004.tif", largeCrop}}) {
    SCOPED_TRACE(name);
    const SavedImage saved = readSavedImage(folder / name);
    ASSERT_TRUE(saved.ok);
    ASSERT_EQ(saved.width, std::size_t(crop.width));
    ASSERT_EQ(saved.height, std::size_t(crop.height));
    EXPECT_EQ(saved.dpiX, 300);
    EXPECT_EQ(saved.dpiY, 300);
    EXPECT_TRUE(rowsOf(saved, std::size_t(crop.width) * 3) == rendered(crop, 300)) << "pixels differ";
  }
  EXPECT_FALSE(anyTemporaryFileLeft());
}

TEST_F(EndToEnd, ConnectionLostInThePageLeavesNoFileAndTellsTwo) {
  // The virtual scanner, losing its connection after 40 lines of the page.
  const fs::path devices = testenv::freshFolder("e2e-devices") / "Devices.plist";
  const fnd::Dictionary device{{"Name", kScanner},
                               {"Identifier", "E2E-LOST"},
                               {"Transport", "USB"},
                               {"LocationID", 1},
                               {"Model", fnd::Dictionary{{"ModelWord", "TS800"}, {"ModelYear", 2014}}},
                               {"Behaviour", fnd::Dictionary{{"ConnectionLostAtLine", 40}}}};
  ASSERT_TRUE(fnd::PropertyList::writeFile(fnd::Value(fnd::Dictionary{{"Devices", fnd::Array{device}}}), devices.string()));
  launchProgram(devices.string());
  ASSERT_TRUE(runUntil([&] { return delegate->uiNotOpen() == 0; }));
  const fs::path folder = testenv::freshFolder("e2e-lost");
  ASSERT_TRUE(scan(folder, 0, scanRequest({{100, 100, 400, 300}}, 300, 1)));
  EXPECT_EQ(log->finishStatuses, std::vector<std::int32_t>{2});
  EXPECT_EQ(log->pendingModes, std::vector<std::int32_t>{1});
  EXPECT_TRUE(namesIn(folder).empty());
  EXPECT_FALSE(anyTemporaryFileLeft());
  EXPECT_FALSE(delegate->isScanning());
  // A device error of class 1 closes the driver.
  EXPECT_TRUE(runUntil([] { return kit::Application::shared().isTerminated(); }));
}

}  // namespace
}  // namespace launchertest
