// The advanced mode's pixel readout, loupe and eyedropper: the pixel under a point for every
// turn of the preview, the loupe at the picture's edges, averages over what lies inside the
// data, and the histogram's eyedropper driven through the window's own mouse events.

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>

#include "foundation/RunLoop.h"

#include "ExtendModeWindowRig.h"
#include "foundation/NotificationCenter.h"
#include "kit/Image.h"
#include "ui/adjust/FRPixelValueView.h"
#include "ui/adjust/FinalReviewDialog.h"
#include "ui/adjust/HistogramDialog.h"
#include "ui/controls/CTRLS_IconBezelCGButton.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CropView.h"
#include "ui/controls/IconBezelCGButton.h"
#include "ui/controls/ImageDataProcessPanel.h"
#include "ui/controls/CTRLS_FinalReviewZoomView.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/PreviewView.h"
#include "ui/controls/ThumbnailPreviewView.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/CropInfo.h"

namespace ext_pixel_test {

using extend_rig::WindowRig;
using PixelIndex = Quirel_ExtendMode::PixelIndex;

TEST(ExtendModePixel, LocatesThePixelForEveryTurnWithClamps) {
  // Data of 4 by 2 pixels on a view of 40 by 20 points (20 by 40 when turned a quarter).
  struct Row {
    double vw, vh, px, py;
    int rotation;
    bool mirror;
    PixelIndex want;
  };
  const Row rows[] = {
      {40, 20, 5, 15, 0, false, {0, 0}},    // top left is the first pixel
      {40, 20, 35, 5, 0, false, {3, 1}},    // bottom right the last
      {40, 20, 5, 15, 0, true, {3, 0}},     // mirrored: the top right
      {40, 20, 5, 15, 2, false, {3, 1}},    // half a turn: the bottom right
      {40, 20, 5, 15, 2, true, {0, 1}},
      {20, 40, 5, 35, 1, false, {3, 0}},    // a quarter turn each way
      {20, 40, 5, 35, 3, false, {0, 1}},
      {20, 40, 5, 35, 1, true, {3, 1}},
      {40, 20, 400, -50, 0, false, {3, 1}},  // far outside: clamped into the data
      {40, 20, -10, 100, 0, false, {0, 0}},
      {0, 0, 5, 5, 0, false, {0, 0}},         // an empty view gives the first pixel
  };
  for (const Row& r : rows)
    EXPECT_EQ(Quirel_ExtendMode::locatePixel({r.vw, r.vh}, {r.px, r.py}, r.rotation, r.mirror, 4, 2), r.want)
        << r.vw << "x" << r.vh << " at " << r.px << "," << r.py << " turn " << r.rotation << " mirror " << r.mirror;
}

// A picture whose pixel (x, y) is (x, y, 7), packed.
std::vector<std::uint8_t> codedPixels(int w, int h) {
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(w) * h * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * w + x) * 3];
      p[0] = static_cast<std::uint8_t>(x % 256), p[1] = static_cast<std::uint8_t>(y % 256), p[2] = 7;
    }
  return rgb;
}

std::array<int, 3> cell(const std::vector<std::uint8_t>& loupe, int row, int col) {
  const std::size_t i = (static_cast<std::size_t>(row) * 21 + col) * 3;
  return {loupe[i], loupe[i + 1], loupe[i + 2]};
}

TEST(ExtendModePixel, TheLoupeIsBlackOutsideThePictureAndReadsItsLastRowAndColumn) {
  const int w = 30, h = 30;
  const std::vector<std::uint8_t> rgb = codedPixels(w, h);
  const std::array<int, 3> black{0, 0, 0};
  // Near the top left corner: the cells before the picture are black.
  std::vector<std::uint8_t> loupe = Quirel_ExtendMode::getZoomImageDataInImage(rgb, w, h, 5, 5);
  ASSERT_EQ(loupe.size(), 1323u);
  EXPECT_EQ(cell(loupe, 0, 0), black);
  EXPECT_EQ(cell(loupe, 4, 4), black);
  EXPECT_EQ(cell(loupe, 5, 5), (std::array<int, 3>{0, 0, 7}));
  EXPECT_EQ(cell(loupe, 10, 10), (std::array<int, 3>{5, 5, 7}));
  // At the bottom right pixel: the last row and column are inside, the cells after them black.
  loupe = Quirel_ExtendMode::getZoomImageDataInImage(rgb, w, h, 29, 29);
  EXPECT_EQ(cell(loupe, 10, 10), (std::array<int, 3>{29, 29, 7}));
  EXPECT_EQ(cell(loupe, 0, 0), (std::array<int, 3>{19, 19, 7}));
  EXPECT_EQ(cell(loupe, 10, 11), black);
  EXPECT_EQ(cell(loupe, 11, 10), black);
  // Ten pixels from each edge the whole loupe is picture.
  loupe = Quirel_ExtendMode::getZoomImageDataInImage(rgb, w, h, 10, 19);
  EXPECT_EQ(cell(loupe, 0, 0), (std::array<int, 3>{0, 9, 7}));
  EXPECT_EQ(cell(loupe, 20, 20), (std::array<int, 3>{20, 29, 7}));
  // Too few bytes for the stated size: all black, never read past the end.
  EXPECT_EQ(Quirel_ExtendMode::getZoomImageDataInImage({1, 2, 3}, w, h, 0, 0), std::vector<std::uint8_t>(1323, 0));
}

TEST(ExtendModePixel, TheLoupeOfAViewReadsAPaddedPictureByItsPixels) {
  // 301 pixels a row: stored with padded rows; read packed, bounded by the pixel size.
  const int w = 301, h = 20;
  const std::vector<std::uint8_t> rgb = codedPixels(w, h);
  const kit::Image picture = kit::Image::fromRGB(rgb.data(), w, h);
  kit::View view(fnd::Rect(0, 0, w, h));
  // The last pixel of the top row, in y-up view points.
  const std::vector<std::uint8_t> loupe =
      Quirel_ExtendMode::getZoomImageDataInView(view, {300.5, 19.5}, false, 0, picture);
  ASSERT_EQ(loupe.size(), 1323u);
  EXPECT_EQ(cell(loupe, 10, 10), (std::array<int, 3>{300 % 256, 0, 7}));
  EXPECT_EQ(cell(loupe, 11, 10), (std::array<int, 3>{300 % 256, 1, 7}));
  EXPECT_EQ(cell(loupe, 11, 9), (std::array<int, 3>{299 % 256, 1, 7}));
  EXPECT_EQ(cell(loupe, 10, 11), (std::array<int, 3>{0, 0, 0}));
  EXPECT_EQ(cell(loupe, 9, 10), (std::array<int, 3>{0, 0, 0}));
  EXPECT_TRUE(Quirel_ExtendMode::getZoomImageDataInView(view, {1, 1}, false, 0, kit::Image()).empty());
}

TEST(ExtendModePixel, AveragesOnlyThePixelsInsideTheData) {
  // 3 by 2: red counts the column, green the row.
  const std::vector<std::uint8_t> data = {0, 0, 9, 30, 0, 9, 60, 0, 9, 0, 90, 9, 30, 90, 9, 60, 90, 9};
  using A = std::array<int, 3>;
  EXPECT_EQ(Quirel_ExtendMode::averagePixels(data.data(), 3, 2, 1, 1, 1, 1), (A{30, 90, 9}));
  EXPECT_EQ(Quirel_ExtendMode::averagePixels(data.data(), 3, 2, 0, 0, 3, 2), (A{30, 45, 9}));
  // Past the right and bottom edges: only the one pixel read counts, not 3 x 3 of them.
  EXPECT_EQ(Quirel_ExtendMode::averagePixels(data.data(), 3, 2, 2, 1, 3, 3), (A{60, 90, 9}));
  EXPECT_FALSE(Quirel_ExtendMode::averagePixels(nullptr, 3, 2, 0, 0, 1, 1));
  EXPECT_FALSE(Quirel_ExtendMode::averagePixels(data.data(), 0, 2, 0, 0, 1, 1));
  EXPECT_FALSE(Quirel_ExtendMode::averagePixels(data.data(), 3, -1, 0, 0, 1, 1));
}

TEST(ExtendModePixel, TheRubberBandSpansBothPointsInsideItsBounds) {
  using R = fnd::Rect;
  EXPECT_EQ(Quirel_ExtendMode::spoitRubberBand({10, 10}, {30, 25}, R(0, 0, 100, 100)), R(10, 10, 20, 15));
  EXPECT_EQ(Quirel_ExtendMode::spoitRubberBand({30, 25}, {10, 10}, R(0, 0, 100, 100)), R(10, 10, 20, 15));
  EXPECT_EQ(Quirel_ExtendMode::spoitRubberBand({10, 10}, {5, 50}, R(0, 0, 100, 40)), R(5, 10, 5, 30));
  EXPECT_EQ(Quirel_ExtendMode::spoitRubberBand({50, 20}, {-10, 0}, R(0, 5, 100, 100)), R(0, 5, 50, 15));
}

// ---- in the window ----------------------------------------------------------------------------------

// A preview of 100 by 100 data pixels shown on the rig's preview; the template crop holds the
// data before and after correction.
struct PixelRig : WindowRig {
  static constexpr int kSide = 100;
  PixelRig() : WindowRig() {
    auto& m = mode;
    window().makeKeyAndOrderFront();
    m.resetPreview({2550, 2550}, false, false);
    m.mHasPreview = true;
    m.mImgSrcSetting[0].colorMode[0] = 3;
    m.mTemplateCrop->setcropCorRect({{0, 0}, {kSide, kSide}});
    setData(m.mTemplateCrop.get(), {10, 20, 30});
    m.getHistogramDialog()->updateHistDialog(m.mTemplateCrop.get(), &m.mCropList, true);
    m.ntf_histogramOpen({});
  }
  // Every pixel `fill`; before and after correction differ by one on each channel.
  void setData(Quirel_CropInfo* crop, std::array<int, 3> fill) {
    const std::size_t n = static_cast<std::size_t>(kSide) * kSide * 3;
    CropImage before(static_cast<std::uint8_t*>(std::malloc(n)));
    CropImage after(static_cast<std::uint8_t*>(std::malloc(n)));
    for (std::size_t i = 0; i < n; ++i) {
      before[i] = static_cast<std::uint8_t>(fill[i % 3]);
      after[i] = static_cast<std::uint8_t>(fill[i % 3] + 1);
    }
    crop->setcropBefData(std::move(before));
    crop->setcropCorData(std::move(after));
  }
  void setPixel(int x, int y, std::array<int, 3> v) {
    std::uint8_t* p = mode.mTemplateCrop->getcropBefData() + (static_cast<std::size_t>(y) * kSide + x) * 3;
    for (int k = 0; k < 3; ++k) p[k] = static_cast<std::uint8_t>(v[static_cast<std::size_t>(k)]);
  }
  Quirel_PreviewView& imageView() const { return *mode.mPreview->getImageView(); }
  // The middle of data pixel (x, y) in the image view's points.
  fnd::Point pointOfPixel(double x, double y) const {
    const fnd::Size s = imageView().frame().size;
    return {(x + 0.5) * s.width / kSide, s.height - (y + 0.5) * s.height / kSide};
  }
  void post(kit::EventType type, fnd::Point inImageView) {
    kit::Application::shared().postEvent(
        kit::Event::mouseEvent(type, imageView().convertPointToView(inImageView, nullptr), 0, &window(), 1));
  }
  // The pointer over a point of the image view, as the window controller reports it.
  void hover(fnd::Point inImageView) {
    kit::Application& app = kit::Application::shared();
    app.postEvent(kit::Event::mouseEvent(kit::EventType::MouseMoved, imageView().convertPointToView(inImageView, nullptr),
                                         0, &window()));
    app.dispatchQueuedEvents();
    mode.mouseMovedOnPreview({});
  }
};

std::array<int, 4> channels(const ChannelValues& v) { return {v.master, v.red, v.green, v.blue}; }

// A click at the middle of a view of another window, through the event queue.
void clickIn(const kit::View& v) {
  kit::Window* w = v.window();
  const fnd::Rect b = v.bounds();
  const fnd::Point at = v.convertPointToView({b.midX(), b.midY()}, nullptr);
  kit::Application& app = kit::Application::shared();
  app.postEvent(kit::Event::mouseEvent(kit::EventType::LeftMouseDown, at, 0, w, 1));
  app.postEvent(kit::Event::mouseEvent(kit::EventType::LeftMouseUp, at, 0, w, 1));
  app.dispatchQueuedEvents();
}

struct Posts {
  std::vector<std::string> seen;
  std::vector<fnd::NotificationCenter::Token> tokens;
  Posts() {
    for (const char* name : {"FINALREVIEW_UPDATE", "SpoitToolStopPost", "SpoitToolStartPost"})
      tokens.push_back(fnd::NotificationCenter::defaultCenter().observe(
          name, nullptr, [this, name](const fnd::Notification&) { seen.emplace_back(name); }));
  }
  std::size_t count(const std::string& n) const { return static_cast<std::size_t>(std::count(seen.begin(), seen.end(), n)); }
};

TEST(ExtendModePixel, ABlackPickFromAClickOnThePreviewSetsTheColourBlackPoints) {
  PixelRig rig;
  auto& m = rig.mode;
  Quirel_HistogramDialog* hist = m.getHistogramDialog();
  ASSERT_TRUE(hist->isVisible());
  ASSERT_TRUE(hist->spoitButton(0)->isEnabled());
  Posts posts;
  clickIn(*hist->spoitButton(0));
  EXPECT_EQ(m.mToolMode, 3);
  EXPECT_EQ(m.mSpoitMode, 11);
  rig.setPixel(30, 20, {40, 60, 80});
  const fnd::Point at = rig.pointOfPixel(30, 20);
  ASSERT_TRUE(rig.imageView().visibleRect().contains(at));
  rig.post(kit::EventType::LeftMouseDown, at);
  rig.post(kit::EventType::LeftMouseUp, at);
  kit::Application::shared().dispatchQueuedEvents();
  const HistogramValues h = m.mTemplateCrop->getHistogram();
  EXPECT_EQ(channels(h.black), (std::array<int, 4>{0, 40, 60, 80}));
  EXPECT_EQ(channels(h.mid), (std::array<int, 4>{128, 147, 157, 167}));
  EXPECT_EQ(posts.count("SpoitToolStopPost"), 1u);
  EXPECT_EQ(m.mToolMode, 0);
}

TEST(ExtendModePixel, TheReadoutFollowsThePointerOnlyWhileItIsWanted) {
  PixelRig rig;
  auto& m = rig.mode;
  Quirel_HistogramDialog* hist = m.getHistogramDialog();
  rig.setPixel(30, 20, {40, 60, 80});
  const fnd::Point at = rig.pointOfPixel(30, 20);
  // Histogram open but no eyedropper armed, final review closed: nothing is read.
  rig.hover(at);
  EXPECT_EQ(hist->readoutText(), "");
  clickIn(*hist->spoitButton(0));
  ASSERT_EQ(m.mToolMode, 3);
  rig.hover(at);
  const std::string shown = hist->readoutText();
  for (const char* v : {"40", "60", "80"}) EXPECT_NE(shown.find(v), std::string::npos) << shown;
  // Modal, or the window disabled: the readout is left as it was.
  rig.hover(rig.pointOfPixel(0, 0));
  const std::string other = hist->readoutText();
  EXPECT_NE(other, shown);
  m.showModalDialog();
  rig.hover(at);
  EXPECT_EQ(hist->readoutText(), other);
  m.closeModalDialog();
  rig.main->getWindow()->setEnabled(false);
  rig.hover(at);
  EXPECT_EQ(hist->readoutText(), other);
  rig.main->getWindow()->setEnabled(true);
  // A crop without data gives no readout (cleared), and a click picks nothing.
  m.mTemplateCrop->setcropBefData(nullptr);
  rig.hover(at);
  EXPECT_EQ(hist->readoutText(), "");
  const HistogramValues before = m.mTemplateCrop->getHistogram();
  rig.post(kit::EventType::LeftMouseDown, at);
  rig.post(kit::EventType::LeftMouseUp, at);
  kit::Application::shared().dispatchQueuedEvents();
  EXPECT_EQ(channels(m.mTemplateCrop->getHistogram().black), channels(before.black));
}

TEST(ExtendModePixel, ADragAveragesTheRectangleAndAThinDragOneColumn) {
  PixelRig rig;
  auto& m = rig.mode;
  Quirel_HistogramDialog* hist = m.getHistogramDialog();
  // The right half of the data is (200, 150, 100), the left half (10, 20, 30).
  for (int y = 0; y < PixelRig::kSide; ++y)
    for (int x = PixelRig::kSide / 2; x < PixelRig::kSide; ++x) rig.setPixel(x, y, {200, 150, 100});
  // The gray-balance eyedropper over a drag from the middle of the left half to the middle of
  // the right half, and on past the preview's edge: the rubber band stays inside, the average is
  // over the pixels read.
  clickIn(*hist->spoitButton(3));
  ASSERT_EQ(m.mSpoitMode, 12);
  const fnd::Point from = rig.pointOfPixel(25, 40);
  const fnd::Point mid = rig.pointOfPixel(60, 60);
  rig.post(kit::EventType::LeftMouseDown, from);
  rig.post(kit::EventType::LeftMouseDragged, mid);
  rig.post(kit::EventType::LeftMouseUp, mid);
  kit::Application::shared().dispatchQueuedEvents();
  const ChannelValues gray = m.mTemplateCrop->getHistogram().gray;
  EXPECT_EQ(gray.master, 128);
  // Columns 25..59 (35 of them): 25 on the left, 10 on the right.
  EXPECT_NEAR(gray.red, (25 * 10 + 10 * 200) / 35, 6);
  EXPECT_NEAR(gray.blue, (25 * 30 + 10 * 100) / 35, 3);

  // A drag thinner than one data pixel averages one column: all of it on the right half.
  clickIn(*hist->spoitButton(3));
  const fnd::Point top = rig.pointOfPixel(75, 10);
  rig.post(kit::EventType::LeftMouseDown, top);
  rig.post(kit::EventType::LeftMouseDragged, {top.x + 0.01, top.y - 30});
  rig.post(kit::EventType::LeftMouseUp, {top.x + 0.01, top.y - 30});
  kit::Application::shared().dispatchQueuedEvents();
  EXPECT_EQ(channels(m.mTemplateCrop->getHistogram().gray), (std::array<int, 4>{128, 200, 150, 100}));
}

class ThumbPeek : public extend_rig::RigMode {
 public:
  using Quirel_BaseScanMode::mThumbnailCount;
};

TEST(ExtendModePixel, TheEyedropperOnAThumbnailPicksUnderTheReleaseOfTheFocusedOne) {
  PixelRig rig;
  auto& m = rig.mode;
  Quirel_HistogramDialog* hist = m.getHistogramDialog();
  m.mScanMode = 3;
  static_cast<ThumbPeek&>(m).mThumbnailCount = 2;
  for (int i = 0; i < 2; ++i) m.createThumbnailWithIndex(i, std::nullopt, {{0, 0}, {300, 400}}, false);
  m.updateThumbnail();
  ASSERT_EQ(m.mThumbnailList.size(), 2u);
  // Each thumbnail's crop holds 100 x 100 data pixels: the first all (200, 150, 100).
  for (int i = 0; i < 2; ++i) {
    const std::shared_ptr<Quirel_CropInfo> crop = m.mThumbnailList[static_cast<std::size_t>(i)]->getThumnailCrop();
    ASSERT_NE(crop, nullptr);
    crop->setcropCorRect({{0, 0}, {PixelRig::kSide, PixelRig::kSide}});
    rig.setData(crop.get(), i == 0 ? std::array<int, 3>{200, 150, 100} : std::array<int, 3>{1, 2, 3});
  }
  m.mThumbnailList[0]->setFocus(true);
  auto* view = dynamic_cast<Quirel_ThumbnailPreviewView*>(m.mThumbnailList[0]->getPreviewView());
  auto* other = dynamic_cast<Quirel_ThumbnailPreviewView*>(m.mThumbnailList[1]->getPreviewView());
  ASSERT_NE(view, nullptr);
  ASSERT_NE(other, nullptr);
  auto eventIn = [&](kit::View& v, kit::EventType type) {
    const fnd::Rect b = v.visibleRect();
    return kit::Event::mouseEvent(type, v.convertPointToView({b.midX(), b.midY()}, nullptr), 0, &rig.window(), 1);
  };
  clickIn(*hist->spoitButton(3));
  ASSERT_EQ(m.mToolMode, 3);
  // A press on a thumbnail that is not the focus picks nothing.
  m.mouseDownOnThumbnailPreviewForSpoit(eventIn(*other, kit::EventType::LeftMouseDown), 1);
  m.mouseUpOnThumbnailPreviewForSpoit(eventIn(*other, kit::EventType::LeftMouseUp), 1);
  EXPECT_EQ(channels(hist->grayPoint()), (std::array<int, 4>{128, 128, 128, 128}));
  m.mouseDownOnThumbnailPreviewForSpoit(eventIn(*view, kit::EventType::LeftMouseDown), 0);
  m.mouseUpOnThumbnailPreviewForSpoit(eventIn(*view, kit::EventType::LeftMouseUp), 0);
  EXPECT_EQ(channels(hist->grayPoint()), (std::array<int, 4>{128, 200, 150, 100}));
}

TEST(ExtendModePicture, LoupeAndValuesInTheFinalReview) {
  PixelRig rig;
  auto& m = rig.mode;
  for (int y = 0; y < PixelRig::kSide; ++y)
    for (int x = 0; x < PixelRig::kSide; ++x)
      rig.setPixel(x, y, {x * 255 / PixelRig::kSide, y * 255 / PixelRig::kSide, 120});
  // The preview's picture: the same gradient, one pixel a data pixel.
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(PixelRig::kSide) * PixelRig::kSide * 3);
  std::copy_n(m.mTemplateCrop->getcropBefData(), rgb.size(), rgb.begin());
  rig.imageView().setPreviewImage(kit::Image::fromRGB(rgb.data(), PixelRig::kSide, PixelRig::kSide));
  m.ntf_finalReviewOpen({});
  Quirel_FinalReviewDialog* review = m.getFinalReviewDialog();
  ASSERT_TRUE(review->isVisible());
  rig.hover(rig.pointOfPixel(95, 50));
  const auto* zoom = dynamic_cast<const kit::View*>(review->zoomView()->getGraphView());
  ASSERT_NE(zoom, nullptr);
  EXPECT_FALSE(zoom->isHidden());
  EXPECT_NE(review->readoutText(), "");
  const std::filesystem::path png = std::filesystem::current_path() / "advanced-loupe.png";
  std::filesystem::remove(png);
  bool grabbed = false;
  fnd::RunLoop::main().performAfterDelay(0.05, [&] {
    review->getWindow()->contentView()->display();
    grabbed = review->getWindow()->grabToPng(png.string());
    fnd::RunLoop::main().stop();
  });
  fnd::RunLoop::main().runFor(fnd::RunLoopMode::Default, 5);
  EXPECT_TRUE(grabbed);
  std::cout << "picture: " << png.string() << "\n";
}

}  // namespace ext_pixel_test
