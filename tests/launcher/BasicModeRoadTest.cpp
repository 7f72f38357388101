// The basic mode's main road in the real program: the launcher opens the product's data source
// with the simulated scanner, the main window shows the basic tab, Preview shows the platen with
// a frame on the area the automatic crop found (enclosing every document), Scan leaves a file in the save folder; closing keeps the
// last settings for the next start.
#include <algorithm>
#include <cmath>
#include <typeinfo>
#include <utility>

#include "TestEnvironment.h"
#include "ProgramRoadSupport.h"
#include "datasource/DirectTWAIN.h"
#include "datasource/UIRoot.h"
#include "datasource/windows/QuirelRoot.h"
#include "foundation/Paths.h"
#include "foundation/PropertyList.h"
#include "foundation/Timer.h"
#include "kit/Application.h"
#include "kit/Event.h"
#include "kit/Window.h"
#include "launcher/DirectTWAINPort.h"
#include "scanmodule/DeviceModel.h"
#include "scanmodule/ImageRenderer.h"
#include "scanmodule/Scene.h"
#include "scanmodule/SimController.h"
#include "ui/controls/CTRLS_DestinationPopup.h"
#include "ui/controls/CTRLS_ImageSourcePopup.h"
#include "ui/controls/CTRLS_STDPreviewButton.h"
#include "ui/controls/CTRLS_STDScanButton.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_PreviewFrame.h"
#include "ui/controls/PreviewView.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_OutputSizePopup.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/MainWindow.h"
#include "ui/frontdoor/Quirel.h"
#include "ui/frontdoor/UserInterfaceModule.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/settings/InfoDialog.h"
#include "ui/windows/CloseSelectWindow.h"

namespace launchertest {
namespace {

namespace fs = std::filesystem;

constexpr const char* kRoadScanner = kVirtualRoadScanner;

// Every post of these names, whoever sends it.
struct RoadPosts {
  explicit RoadPosts(const std::vector<std::string>& names) {
    for (const std::string& name : names)
      tokens.push_back(fnd::NotificationCenter::defaultCenter().observe(name, nullptr, [this](const fnd::Notification& n) {
        posts.push_back({n.name, n.sender, n.info() ? *n.info() : fnd::Dictionary(), n.userInfo});
      }));
  }
  struct Post {
    std::string name;
    const void* sender;
    fnd::Dictionary info;  // as posted
    fnd::SharedDictionary shared;  // as the receivers left it
  };
  std::vector<const Post*> of(const std::string& name, const void* sender) const {
    std::vector<const Post*> out;
    for (const Post& p : posts)
      if (p.name == name && p.sender == sender) out.push_back(&p);
    return out;
  }
  std::vector<Post> posts;
  std::vector<fnd::NotificationCenter::Token> tokens;
};

// The areas a scan request names, in its order: its crop entries with a resolution and a
// rectangle (entry 0 of a scan is an unused slot, the frames follow from entry 1), as the
// simulated scanner places them (pixel rectangle at the entry's resolution, rounded).
struct RequestedArea {
  int x, y, width, height, resolution;
};
std::vector<RequestedArea> requestedAreas(const fnd::Dictionary& request) {
  std::vector<RequestedArea> out;
  for (const fnd::Value& item : request.array("CropItem")) {
    const fnd::Dictionary& crop = item.toDictionary();
    const fnd::Dictionary& rect = crop.dictionary("ScanRect");
    if (crop.intValue("Resolution") <= 0 || rect.real("width") < 1 || rect.real("height") < 1) continue;
    out.push_back({int(std::lround(rect.real("X"))), int(std::lround(rect.real("Y"))),
                   int(std::lround(rect.real("width"))), int(std::lround(rect.real("height"))),
                   crop.intValue("Resolution")});
  }
  return out;
}

// How a saved image's samples differ from a rendered area's.
struct SampleDifference {
  double mean = 1e9;
  int largest = 256;
  std::size_t differing = ~std::size_t(0);
  std::size_t beyond16 = ~std::size_t(0);  // samples more than 16 levels off
};
SampleDifference sampleDifference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
  SampleDifference out;
  if (a.size() != b.size() || a.empty()) return out;
  double sum = 0;
  out.largest = 0;
  out.differing = 0;
  out.beyond16 = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const int d = std::abs(int(a[i]) - int(b[i]));
    sum += d;
    out.largest = std::max(out.largest, d);
    out.differing += d != 0;
    out.beyond16 += d > 16;
  }
  out.mean = sum / double(a.size());
  return out;
}

// The saved image against the area the request named, rendered at the request's resolution.
SampleDifference differenceFromRequestedArea(const SavedImage& saved, const RequestedArea& area) {
  return sampleDifference(roadPackedRows(saved), roadRenderedArea(area.x, area.y, int(saved.width),
                                                                  int(saved.height), area.resolution));
}

class BasicModeRoad : public ProgramRoadTest {
 protected:
  void SetUp() override {
    ProgramRoadTest::SetUp();
    withoutLastSettings();
  }

  Quirel_StandardMode* mode() const { return controller() ? controller()->getStandardMode() : nullptr; }
  bool controlsEnabled() const {
    return window() && window()->isEnabled() && mode()->getWindowMaskView() == nullptr &&
           mode()->getPreviewButton()->getColorPushBT()->isEnabled() &&
           mode()->getScanButton()->getColorPushBT()->isEnabled();
  }
  // Up to the main window shown with the basic tab.
  void openToTheBasicTab() {
    launchProgram();
    ASSERT_TRUE(runUntil([&] { return delegate->uiNotOpen() == 0 && window() && window()->isVisible(); }));
    ASSERT_EQ(controller()->getMode(), 0);
    ASSERT_NE(mode(), nullptr);
  }
  // Preview clicked, up to the preview shown with the controls enabled again.
  void preview(const RoadPosts& posts) {
    kit::View* content = window()->contentView();
    const std::size_t views = content->subviews().size();
    mode()->getPreviewButton()->PreviewBTAction();
    EXPECT_FALSE(window()->isEnabled());
    EXPECT_EQ(content->subviews().size(), views + 1) << "one overlay";
    ASSERT_TRUE(runUntil([&] { return controlsEnabled() && mode()->getFocusCrop(); }, 1200))
        << "the preview was shown with the controls enabled again";
    EXPECT_EQ(content->subviews().size(), views);
    ASSERT_EQ(posts.of("Preview_Scan", root()).size(), 1u);
    EXPECT_EQ(posts.of("Preview_Scan", root())[0]->info.array("CropItem")[0].toDictionary().intValue("Resolution"), 300);
  }
  // Scan clicked, up to the data source told the end of the saving and the controls back.
  // The after-scan question is answered with its first choice as soon as it is up: the
  // fixture's watchdog, due at the same pass after a busy main thread, would otherwise take it
  // for a forgotten box now and then.
  void scan(std::size_t files = 1) {
    kit::Application& app = kit::Application::shared();
    app.onNextModalWindow([this, &app](kit::Window& box) {
      boxes.push_back(typeid(box).name());
      app.stopModalWithCode(1);
    });
    mode()->getScanButton()->ScanBTAction();
    ASSERT_TRUE(runUntil([&] { return !delegate->isTransferring() && !delegate->isScanning() && controlsEnabled() &&
                                      filesIn(saveFolder()) >= files && app.pendingModalResponders() == 0; },
                         2400));
  }
  static std::size_t filesIn(const fs::path& folder) {
    std::error_code ec;
    std::size_t n = 0;
    for (auto it = fs::directory_iterator(folder, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) ++n;
    return n;
  }
  // The save folder of the preferences: a fresh one.
  void freshSaveFolder(const std::string& name) {
    controller()->getPreferenceInfo()->setSavePath(testenv::freshFolder(name).string());
  }
};

// The two roads through a preview wait for the front door's end of preview to give the basic
// mode its controls back (the controller's re-enabling after a preview, which turns on a mode
// that asked for a scan); until then the window stays disabled after the preview. Enable them
// with that change.
TEST_F(BasicModeRoad, PreviewFramesTheAreaFoundAndScanSavesItsJpeg) {
  RoadPosts posts({"Preview_Scan", "StandardMode_Scan", "ntfQuirel_SaveInfo"});
  openToTheBasicTab();
  preview(posts);
  Quirel_StandardMode& m = *mode();
  // At zoom 1.0 the platen's picture fits the preview frame less its 20-point margins.
  const fnd::Rect frame = controller()->getPreviewFrame()->getFrameViewRect();
  const fnd::Rect image = m.getPreviewView()->getImageViewRect();
  EXPECT_LE(image.size.width, frame.size.width - 40);
  EXPECT_LE(image.size.height, frame.size.height - 40);
  EXPECT_TRUE(std::abs(image.size.width - (frame.size.width - 40)) <= 1 ||
              std::abs(image.size.height - (frame.size.height - 40)) <= 1);
  int focused = 0;
  for (const auto& crop : m.getCropList()) focused += crop->isFocus();
  EXPECT_EQ(focused, 1);
  EXPECT_FALSE(m.getFocusCrop()->getCropView()->isHidden());

  const fs::path shots = TRIVOLAN_LAUNCHER_SHOTS_DIR;
  fs::create_directories(shots);
  ASSERT_TRUE(window()->grabToPng((shots / "basic-mode-preview.png").string()));

  freshSaveFolder("basic-road-jpeg");
  scan();
  const auto scans = posts.of("StandardMode_Scan", root());
  ASSERT_EQ(scans.size(), 1u);
  EXPECT_EQ(posts.of("ntfQuirel_SaveInfo", root()).size(), 1u);
  // The frame lies on the area the scanner's automatic crop found, the one enclosing every
  // document, mapped from the preview's pixels (1/75 inch, 4 scan pixels at 300 dpi): the saved
  // image is that area's size at the frame's resolution, and its pixels are the platen's there.
  const int resolution = 300;
  const velmor::DeviceModel model = velmor::DeviceModel::resolve(fnd::Dictionary{{"DeviceName", kRoadScanner}});
  const velmor::Scene scene = velmor::Scene::platen(model.platenWidth, model.platenHeight);
  ASSERT_FALSE(scene.documents().empty());
  const velmor::Scene::Area doc = scene.documentsArea();
  const int slack = resolution / velmor::SimController::kPreviewResolution + 1;
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(saveFolder())) files.push_back(e.path());
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].extension(), ".jpg");
  const SavedImage saved = readSavedImage(files[0]);
  ASSERT_TRUE(saved.ok);
  EXPECT_NEAR(double(saved.width), doc.width * resolution, 2 * slack);
  EXPECT_NEAR(double(saved.height), doc.height * resolution, 2 * slack);
  EXPECT_EQ(saved.dpiX, resolution);
  EXPECT_EQ(saved.dpiY, resolution);
  EXPECT_FALSE(saved.properties.dictionary("{Exif}").empty()) << "an EXIF segment";
  // The file holds the area the request named (crop entry 1 onwards), at the request's
  // resolution; that area lies on the document within the mapping's slack.
  const std::vector<RequestedArea> areas = requestedAreas(scans[0]->info);
  ASSERT_EQ(areas.size(), 1u);
  EXPECT_EQ(areas[0].resolution, resolution);
  EXPECT_EQ(int(saved.width), areas[0].width);
  EXPECT_EQ(int(saved.height), areas[0].height);
  EXPECT_NEAR(areas[0].x, doc.x * resolution, slack);
  EXPECT_NEAR(areas[0].y, doc.y * resolution, slack);
  // JPEG at the program's quality, with its chroma halved: a mean difference under 2 levels,
  // at most 1% of the samples (the sharp edges of the documents) more than 16 levels off, and
  // closer than the areas one pixel beside it (about 1.2 and 0.4% here, 1.4 and 0.5% one pixel
  // off: the loss alone would not tell the two apart).
  const SampleDifference jpeg = differenceFromRequestedArea(saved, areas[0]);
  EXPECT_LT(jpeg.mean, 2.0);
  EXPECT_LT(double(jpeg.beyond16), 0.01 * double(saved.width * saved.height * 3));
  for (const auto& [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
    RequestedArea beside = areas[0];
    beside.x += dx;
    beside.y += dy;
    EXPECT_LT(jpeg.mean, differenceFromRequestedArea(saved, beside).mean) << "one pixel beside: " << dx << ", " << dy;
  }
  EXPECT_TRUE(controlsEnabled());
  // The after-scan question was the one box, answered with its first choice.
  EXPECT_EQ(boxes, std::vector<std::string>{typeid(Quirel_CloseSelectWindow).name()});
}

// With "SaveFileFormat" 1 in "Preference.xml" the same road saves a TIFF of the frame.
TEST_F(BasicModeRoad, WithTiffChosenTheScanSavesATiffOfTheFrame) {
  // The format as the user left it in the preferences of an earlier start.
  openToTheBasicTab();
  closeProgram();
  const std::string prefPath = settings + "Preference.xml";
  fnd::PropertyList::Result written = fnd::PropertyList::readFile(prefPath);
  ASSERT_TRUE(written.ok());
  fnd::Dictionary prefs = written.value->toDictionary();
  prefs.set("SaveFileFormat", 1);
  ASSERT_TRUE(fnd::PropertyList::writeFile(fnd::Value(prefs), prefPath));
  delegate.reset();
  kit::Application::shared().resetTerminated();

  RoadPosts posts({"Preview_Scan", "StandardMode_Scan", "ntfQuirel_SaveInfo"});
  openToTheBasicTab();
  ASSERT_EQ(controller()->getPreferenceInfo()->getFileFormat(), 1);
  preview(posts);
  freshSaveFolder("basic-road-tiff");
  scan();
  const auto scans = posts.of("StandardMode_Scan", root());
  ASSERT_EQ(scans.size(), 1u);
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(saveFolder())) files.push_back(e.path());
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].extension(), ".tif");
  const SavedImage saved = readSavedImage(files[0]);
  ASSERT_TRUE(saved.ok);
  EXPECT_EQ(saved.dpiX, 300);
  EXPECT_EQ(saved.dpiY, 300);
  // The scene is kept while its documents are read.
  const velmor::DeviceModel model = velmor::DeviceModel::resolve(fnd::Dictionary{{"DeviceName", kRoadScanner}});
  const velmor::Scene scene = velmor::Scene::platen(model.platenWidth, model.platenHeight);
  ASSERT_FALSE(scene.documents().empty());
  const velmor::Scene::Area doc = scene.documentsArea();
  const double slack = 300.0 / velmor::SimController::kPreviewResolution + 1;
  const std::vector<RequestedArea> areas = requestedAreas(scans[0]->info);
  ASSERT_EQ(areas.size(), 1u);
  EXPECT_EQ(areas[0].resolution, 300);
  EXPECT_NEAR(areas[0].x, doc.x * 300, slack);
  EXPECT_NEAR(areas[0].y, doc.y * 300, slack);
  EXPECT_EQ(int(saved.width), areas[0].width);
  EXPECT_EQ(int(saved.height), areas[0].height);
  EXPECT_NEAR(double(saved.width), doc.width * 300, 2 * slack);
  EXPECT_NEAR(double(saved.height), doc.height * 300, 2 * slack);
  // Without loss: every sample is the rendered one.
  const SampleDifference tiff = differenceFromRequestedArea(saved, areas[0]);
  EXPECT_EQ(tiff.differing, 0u) << "mean " << tiff.mean << ", largest " << tiff.largest;
  EXPECT_TRUE(controlsEnabled());
}

// A second frame drawn with the mouse on the preview, through the window's events as a user's
// hand gives them (press, drags, release, the preview's own tracking loop taking the drags),
// becomes the focused frame the panel shows; Scan then saves both frames.
TEST_F(BasicModeRoad, ASecondFrameDrawnWithTheMouseIsScannedBesideTheFirst) {
  RoadPosts posts({"Preview_Scan", "StandardMode_Scan", "ntfQuirel_SaveInfo"});
  openToTheBasicTab();
  preview(posts);
  Quirel_StandardMode& m = *mode();
  ASSERT_EQ(m.getCropList().size(), 1u);
  Quirel_CropInfo* first = m.getFocusCrop();
  // The automatic crop framed the area of every document; the frame is fitted to the first
  // document alone (preview pixels, from the top left) to leave room beside it.
  {
    const velmor::DeviceModel device = velmor::DeviceModel::resolve(fnd::Dictionary{{"DeviceName", kRoadScanner}});
    const auto doc = velmor::Scene::platen(device.platenWidth, device.platenHeight).documents().front();
    const double k = velmor::SimController::kPreviewResolution;
    m.setAutoCropRect(m.getPreviewDataSize(), makeSRectDouble(doc.x * k, doc.y * k, doc.width * k, doc.height * k));
    ASSERT_EQ(m.getFocusCrop(), first);
  }
  Quirel_InfoDialog* info = m.getInfoDialog();
  ASSERT_NE(info, nullptr);
  info->showScanInfoDialog();
  window()->makeKeyAndOrderFront();

  // A place of the platen's picture away from the first frame: the lower right, beside it.
  Quirel_PreviewView& view = *m.getPreviewView()->getImageView();
  const fnd::Rect bounds = view.bounds();
  const fnd::Rect firstFrame = first->getCropView()->frame();
  const fnd::Point from{std::max(firstFrame.origin.x + firstFrame.size.width, bounds.size.width / 2) + 10,
                        bounds.size.height / 2 + 10};
  const fnd::Point to{from.x + 60, from.y + 45};
  ASSERT_LE(to.x + 20, bounds.size.width - 5) << "room to draw and pull the frame";
  ASSERT_LE(to.y + 12, bounds.size.height - 5);
  ASSERT_FALSE(firstFrame.intersects(fnd::Rect(from.x, from.y, to.x - from.x, to.y - from.y)));
  auto at = [&](kit::EventType type, fnd::Point p) {
    return kit::Event::mouseEvent(type, view.convertPointToView(p, nullptr), 0, window());
  };
  kit::Application& app = kit::Application::shared();
  app.postEvent(at(kit::EventType::LeftMouseDown, from));
  for (int step = 1; step <= 4; ++step)
    app.postEvent(at(kit::EventType::LeftMouseDragged,
                     {from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4}));
  app.postEvent(at(kit::EventType::LeftMouseUp, to));
  ASSERT_TRUE(runUntil([&] { return app.queuedEventCount() == 0 && m.getCropList().size() == 2; }));

  // The drawn frame is the focused one, where the hand drew it; the first keeps its place.
  Quirel_CropInfo* drawn = m.getFocusCrop();
  ASSERT_NE(drawn, nullptr);
  ASSERT_NE(drawn, first);
  EXPECT_FALSE(first->isFocus());
  const fnd::Rect drawnAtFirst = drawn->getCropView()->frame();
  EXPECT_NEAR(drawnAtFirst.origin.x, from.x, 1);
  EXPECT_NEAR(drawnAtFirst.origin.y, from.y, 1);
  EXPECT_NEAR(drawnAtFirst.size.width, to.x - from.x, 1);
  EXPECT_NEAR(drawnAtFirst.size.height, to.y - from.y, 1);

  // Its far corner pulled outwards (the press lands on the frame's own view, which hands it to
  // the preview); the window is grabbed while the frame is being resized.
  const fs::path shots = TRIVOLAN_LAUNCHER_SHOTS_DIR;
  fs::create_directories(shots);
  int drags = 0;
  bool grabbedWhileResizing = false;
  auto grabber = fnd::NotificationCenter::defaultCenter().observe(
      Quirel_PreviewView::kMouseEventPost, static_cast<const kit::View*>(&view), [&](const fnd::Notification& n) {
        const auto event = n.info()->get(Quirel_PreviewView::kEventKey).toObject<kit::Event>();
        if (event && event->type() == kit::EventType::LeftMouseDragged && ++drags == 2)
          grabbedWhileResizing = window()->grabToPng((shots / "basic-mode-frame-resizing.png").string());
      });
  const fnd::Point corner{drawnAtFirst.origin.x + drawnAtFirst.size.width,
                          drawnAtFirst.origin.y + drawnAtFirst.size.height};
  const fnd::Point pulled{corner.x + 20, corner.y + 12};
  app.postEvent(at(kit::EventType::LeftMouseDown, corner));
  for (int step = 1; step <= 4; ++step)
    app.postEvent(at(kit::EventType::LeftMouseDragged,
                     {corner.x + (pulled.x - corner.x) * step / 4, corner.y + (pulled.y - corner.y) * step / 4}));
  app.postEvent(at(kit::EventType::LeftMouseUp, pulled));
  ASSERT_TRUE(runUntil([&] { return app.queuedEventCount() == 0; }));
  grabber.reset();
  EXPECT_TRUE(grabbedWhileResizing);
  ASSERT_EQ(m.getCropList().size(), 2u);
  EXPECT_EQ(m.getFocusCrop(), drawn);
  const fnd::Rect drawnFrame = drawn->getCropView()->frame();
  EXPECT_NEAR(drawnFrame.origin.x, drawnAtFirst.origin.x, 1);
  EXPECT_NEAR(drawnFrame.origin.y, drawnAtFirst.origin.y, 1);
  EXPECT_NEAR(drawnFrame.size.width, drawnAtFirst.size.width + 20, 1);
  EXPECT_NEAR(drawnFrame.size.height, drawnAtFirst.size.height + 12, 1);
  EXPECT_FALSE(drawn->getCropView()->isHidden());
  EXPECT_FALSE(first->getCropView()->isHidden());
  EXPECT_EQ(first->getCropView()->frame(), firstFrame);
  // The panel shows the drawn frame: free size, and its size in the information panel.
  EXPECT_EQ(m.getOutputSizePopup()->getRepresentedNumber(), drawn->getOutputSize());
  EXPECT_EQ(drawn->getOutputSize(), 0);
  const std::string drawnWidth = info->valueText(Quirel_InfoDialog::Row::InputW);
  m.setValueInfoDialog(*first, true, true);
  const std::string firstWidth = info->valueText(Quirel_InfoDialog::Row::InputW);
  m.setValueInfoDialog(*drawn, true, true);
  EXPECT_EQ(info->valueText(Quirel_InfoDialog::Row::InputW), drawnWidth) << "the panel showed the drawn frame";
  EXPECT_NE(drawnWidth, firstWidth);
  EXPECT_TRUE(controlsEnabled());

  ASSERT_TRUE(window()->grabToPng((shots / "basic-mode-second-frame.png").string()));

  freshSaveFolder("basic-road-two-frames");
  scan(2);
  const auto scans = posts.of("StandardMode_Scan", root());
  ASSERT_EQ(scans.size(), 1u);
  const std::vector<RequestedArea> areas = requestedAreas(scans[0]->info);
  ASSERT_EQ(areas.size(), 2u);
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(saveFolder())) files.push_back(e.path());
  ASSERT_EQ(files.size(), 2u);

  // Each frame's size at 300 dpi, from its place on the picture (the picture spans the platen).
  const velmor::DeviceModel model = velmor::DeviceModel::resolve(fnd::Dictionary{{"DeviceName", kRoadScanner}});
  const double pixelsPerPoint = model.platenWidth * 300 / bounds.size.width;
  auto expectedSize = [&](const fnd::Rect& f) {
    return std::pair{f.size.width * pixelsPerPoint, f.size.height * pixelsPerPoint};
  };
  std::vector<SavedImage> saved;
  for (const fs::path& f : files) saved.push_back(readSavedImage(f));
  ASSERT_TRUE(saved[0].ok && saved[1].ok);
  // The drawn frame's file is the one of its size; its pixels are the area the request named.
  bool drawnFound = false;
  for (const fnd::Rect& f : {firstFrame, drawnFrame}) {
    const auto [w, h] = expectedSize(f);
    const auto match = std::find_if(saved.begin(), saved.end(), [&](const SavedImage& s) {
      return std::abs(double(s.width) - w) <= pixelsPerPoint + 1 && std::abs(double(s.height) - h) <= pixelsPerPoint + 1;
    });
    ASSERT_NE(match, saved.end()) << "a file of " << w << " x " << h << " pixels";
    EXPECT_EQ(match->dpiX, 300);
    if (f != drawnFrame) continue;
    const auto area = std::find_if(areas.begin(), areas.end(), [&](const RequestedArea& a) {
      return a.width == int(match->width) && a.height == int(match->height);
    });
    ASSERT_NE(area, areas.end());
    // JPEG, held as the first road's file is.
    const SampleDifference d = differenceFromRequestedArea(*match, *area);
    EXPECT_LT(d.mean, 2.0);
    EXPECT_LT(double(d.beyond16), 0.01 * double(match->width * match->height * 3));
    drawnFound = true;
  }
  EXPECT_TRUE(drawnFound);
  EXPECT_TRUE(controlsEnabled());
  EXPECT_EQ(boxes, std::vector<std::string>{typeid(Quirel_CloseSelectWindow).name()});
}

// The film source chosen before any preview: the mode turns to film (no question without a
// preview) and the main window shows the film layout.
TEST_F(BasicModeRoad, ChoosingTheFilmSourceShowsTheFilmLayout) {
  openToTheBasicTab();
  Quirel_StandardMode& m = *mode();
  Quirel_CTRLS_ImageSourcePopup& source = *m.getImgSrcPopup();
  source.selectAtRepresentedNumber(4);
  ASSERT_EQ(source.getRepresentedNumber(), 4) << "the virtual scanner's film unit offers film";
  source.ImgSrcPopupAction();
  ASSERT_TRUE(runUntil([&] { return m.getImageSource() == 4; }));
  EXPECT_TRUE(m.isFilmMode());
  EXPECT_TRUE(boxes.empty());
  runUntil([] { return false; }, 5);
  const fs::path shots = TRIVOLAN_LAUNCHER_SHOTS_DIR;
  fs::create_directories(shots);
  ASSERT_TRUE(window()->grabToPng((shots / "basic-mode-film-source.png").string()));
}

// Closing keeps the basic mode's state in "InitSetting.xml"; the next start takes it back: the
// image source and destination selected, the template from the file, and a large-image question
// the user ticked off stays off.
TEST_F(BasicModeRoad, ClosingKeepsTheBasicModesSettingsAndTheNextStartRestoresThem) {
  openToTheBasicTab();
  closeProgram();
  ASSERT_TRUE(kit::Application::shared().isTerminated());
  const std::string initPath = settings + "InitSetting.xml";
  fnd::PropertyList::Result written = fnd::PropertyList::readFile(initPath);
  ASSERT_TRUE(written.ok());
  fnd::Dictionary init = written.value->toDictionary();
  fnd::Dictionary standard = init.dictionary("StandardMode");
  ASSERT_FALSE(standard.empty()) << "the close wrote the basic mode's state";
  EXPECT_EQ(standard.intValue("ImageSource"), 0);
  ASSERT_TRUE(standard.find("Template"));

  // The user's next start, prepared: another source and destination, a template of its own.
  fnd::Dictionary templ = standard.dictionary("Template");
  const int templateResolution = templ.intValue("Resolution") == 600 ? 400 : 600;
  templ.set("Resolution", templateResolution);
  templ.set("Destination", 1);
  standard.set("ImageSource", 3);
  standard.set("Destination", 1);
  standard.set("ShowLargePicMsg", false);
  standard.set("Template", templ);
  init.set("StandardMode", standard);
  ASSERT_TRUE(fnd::PropertyList::writeFile(fnd::Value(init), initPath));

  delegate.reset();
  kit::Application::shared().resetTerminated();
  openToTheBasicTab();
  Quirel_StandardMode& m = *mode();
  EXPECT_EQ(m.getImageSource(), 3);
  EXPECT_EQ(m.getDestination(), 1);
  EXPECT_EQ(m.getImgSrcPopup()->getRepresentedNumber(), 3);
  EXPECT_EQ(m.getDestinationPopup()->getRepresentedNumber(), 1);
  EXPECT_FALSE(m.showLargePixelMsg());
  closeProgram();
  written = fnd::PropertyList::readFile(initPath);
  ASSERT_TRUE(written.ok());
  const fnd::Dictionary again = written.value->toDictionary().dictionary("StandardMode");
  EXPECT_EQ(again.intValue("ImageSource"), 3);
  EXPECT_EQ(again.intValue("Destination"), 1);
  EXPECT_FALSE(again.boolean("ShowLargePicMsg"));
  EXPECT_EQ(again.dictionary("Template").intValue("Resolution"), templateResolution);
}

}  // namespace
}  // namespace launchertest
