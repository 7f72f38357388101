// The basic mode's mouse cursors: the picture for a point on a frame, the cursor chosen for the
// mouse over the preview and the thumbnails in each tool, the cursor rectangles each scanner
// generation lays out, and missing pictures.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "StandardModeMouseRig.h"
#include "foundation/Paths.h"
#include "kit/Application.h"
#include "kit/Cursor.h"
#include "kit/Window.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/MainWindow.h"

using kit::EventType;
using mouse_test::MouseRig;

namespace {

// The rig in the main window, with the mouse moved by real events.
struct CursorRig : MouseRig {
  std::shared_ptr<Quirel_CTRLS_MainWindow> main = std::make_shared<Quirel_CTRLS_MainWindow>();
  explicit CursorRig(const fnd::Dictionary& flags = {}, int scanMode = 0) : MouseRig(flags, scanMode) {
    mode.setMainWindow(main);
    main->addWindowItem(&frameView());
  }
  kit::Window& window() const { return *main->getWindow(); }
  void moveTo(const kit::View& view, fnd::Point p) {
    kit::Application& app = kit::Application::shared();
    app.postEvent(kit::Event::mouseEvent(EventType::MouseMoved, view.convertPointToView(p, nullptr), 0, &window()));
    app.dispatchQueuedEvents();
  }
  // The index of the current cursor's picture in the list; -1 for the arrow, -2 for none.
  int currentIndex() const {
    const kit::Cursor current = kit::Cursor::current();
    if (current.kind() == kit::Cursor::Kind::Arrow) return -1;
    const auto& list = mode.getCursorList();
    for (std::size_t i = 1; i < list.size(); ++i)
      if (list[i].data() == current.image().data()) return static_cast<int>(i);
    return -2;
  }
  int indexOf(const kit::Cursor& cursor) const {
    const auto& list = mode.getCursorList();
    if (cursor.kind() == kit::Cursor::Kind::Arrow) return -1;
    for (std::size_t i = 1; i < list.size(); ++i)
      if (list[i].data() == cursor.image().data()) return static_cast<int>(i);
    return -2;
  }
  std::vector<std::pair<fnd::Rect, int>> rectsOf(const kit::View& view) const {
    std::vector<std::pair<fnd::Rect, int>> out;
    for (const kit::View::CursorRect& r : view.cursorRects()) out.emplace_back(r.rect, indexOf(r.cursor));
    return out;
  }
};

}  // namespace

TEST(StandardModeCursor, ThePictureForAPointOnAFrame) {
  MouseRig rig;
  Quirel_CropInfo& crop = rig.addFrame({100, 100, 100, 100});
  Quirel_CropInfo& thin = rig.addFrame({250, 100, 4, 100});
  struct Case {
    const Quirel_CropInfo* frame;
    fnd::Point point;
    int index;
  };
  const Case cases[] = {
      {&crop, {97, 150}, 8},  {&crop, {150, 150}, 6}, {&crop, {203, 150}, 8},  {&crop, {150, 203}, 7},
      {&crop, {150, 97}, 7},  {&crop, {100, 200}, 9}, {&crop, {200, 100}, 9},  {&crop, {100, 100}, 10},
      {&crop, {200, 200}, 10}, {&thin, {252, 150}, 6},  // on both vertical edges at once: move
      {&thin, {252, 200}, 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
    const kit::Image& image = rig.mode.getCropCursorImage(*c.frame, c.point);
    EXPECT_EQ(image.data(), rig.mode.getCursorList()[static_cast<std::size_t>(c.index)].data());
  }
  Quirel_CropInfo bare;
  EXPECT_EQ(rig.mode.getCropCursorImage(bare, {0, 0}).data(), rig.mode.getCursorList()[1].data());
}

TEST(StandardModeCursor, TheCursorOverThePreviewByToolAndPlace) {
  struct Case {
    const char* what;
    int tool;
    int zoomRate;
    bool option;
    bool zoomScan;
    fnd::Point point;
    int index;  // -1 the arrow
    bool spoitHotSpot;
  };
  const Case cases[] = {
      {"crop, outside every frame", 0, 0, false, false, {50, 300}, 1, false},
      {"crop, on the left edge", 0, 0, false, false, {100, 150}, 8, false},
      {"crop, inside", 0, 0, false, false, {150, 150}, 6, false},
      {"crop, top-left corner", 0, 0, false, false, {100, 200}, 9, false},
      {"crop, outside in a zoom scan", 0, 0, false, true, {50, 300}, -1, false},
      {"hand", 1, 0, false, false, {50, 300}, 2, false},
      {"zoom in", 2, 0, false, false, {50, 300}, 5, false},
      {"zoom at its largest", 2, 4, false, false, {50, 300}, 3, false},
      {"zoom out at its smallest", 2, 0, true, false, {50, 300}, 3, false},
      {"zoom out", 2, 2, true, false, {50, 300}, 4, false},
      {"eyedropper in the focused frame", 3, 0, false, false, {150, 150}, 12, true},
      {"eyedropper outside it", 3, 0, false, false, {50, 300}, 14, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CursorRig rig;
    Quirel_CropInfo& crop = rig.addFrame({100, 100, 100, 100});
    crop.setSelect(true);
    rig.mode.setFocus(&crop);
    rig.mode.mToolMode = c.tool;
    rig.mode.mZoomRate = c.zoomRate;
    rig.mode.mOptionKey = c.option;
    rig.mode.mZoomScan = c.zoomScan;
    rig.mode.mSpoitMode = c.tool == 3 ? 12 : -1;
    kit::Cursor::iBeam().set();
    rig.moveTo(rig.imageView(), c.point);
    rig.mode.setMouseCursor();
    EXPECT_EQ(rig.currentIndex(), c.index);
    if (c.index > 0) {
      const fnd::Point hot = kit::Cursor::current().hotSpot();
      EXPECT_EQ(hot, c.spoitHotSpot ? fnd::Point(3, 14) : fnd::Point(7, 7));
    }
  }
}

TEST(StandardModeCursor, LeavingThePreviewGivesTheArrowBackOnceAndAModalDialogLeavesTheCursor) {
  CursorRig rig;
  rig.moveTo(rig.imageView(), {50, 300});
  rig.mode.setMouseCursor();
  EXPECT_EQ(rig.currentIndex(), 1);
  rig.moveTo(rig.frameView(), {2, 2});  // the frame around the preview
  rig.mode.setMouseCursor();
  EXPECT_EQ(rig.currentIndex(), -1);
  kit::Cursor::iBeam().set();
  rig.mode.setMouseCursor();  // still outside: left alone
  EXPECT_EQ(kit::Cursor::current().kind(), kit::Cursor::Kind::IBeam);
  rig.moveTo(rig.imageView(), {50, 300});
  rig.mode.mModal = true;
  rig.mode.setMouseCursor();
  EXPECT_EQ(kit::Cursor::current().kind(), kit::Cursor::Kind::IBeam);
}

TEST(StandardModeCursor, TheEyedropperStopsOverAnUnfocusedThumbnail) {
  CursorRig rig({}, 3);
  rig.thumbnails(2);
  for (const auto& t : rig.mode.mThumbnailList) t->setFocus(false);
  rig.thumb(0).setFocus(true);
  rig.mode.mToolMode = 3;
  rig.mode.mSpoitMode = 11;
  for (int i : {0, 1}) {
    SCOPED_TRACE(i);
    Quirel_ThumbnailPreviewView& view = MouseRig::thumbView(rig.thumb(i));
    const fnd::Rect visible = view.visibleRect();
    rig.moveTo(view, {visible.midX(), visible.midY()});
    view.mouseEntered(kit::Event());
    rig.mode.setMouseCursor();
    EXPECT_EQ(rig.currentIndex(), i == 0 ? 11 : 14);
    EXPECT_EQ(kit::Cursor::current().hotSpot(), fnd::Point(3, 14));
    view.mouseExited(kit::Event());
  }
  // Other tools show the crosshair over a thumbnail without a frame.
  rig.mode.mToolMode = 0;
  Quirel_ThumbnailPreviewView& view = MouseRig::thumbView(rig.thumb(1));
  view.mouseEntered(kit::Event());
  rig.mode.setMouseCursor();
  EXPECT_EQ(rig.currentIndex(), 1);
}

TEST(StandardModeCursor, CursorRectanglesOnThePreviewByScannerGeneration) {
  for (bool ver1700 : {false, true}) {
    SCOPED_TRACE(ver1700 ? "1700 or later" : "older");
    CursorRig rig(ver1700 ? fnd::Dictionary{{"Ver1700Later", true}} : fnd::Dictionary{});
    Quirel_PreviewView& view = rig.imageView();
    // The forwarder the window modes set up for the preview's own rebuild.
    rig.mode.registObserver(nullptr, [&rig](const fnd::Notification& n) { rig.mode.previewViewUpdateCursorRects(n); },
                            Quirel_PreviewView::kUpdateCursorRectsPost);
    rig.addFrame({50, 50, 60, 60});
    rig.addFrame({200, 200, 5, 40});  // too narrow for a move rectangle
    auto rebuild = [&] {
      rig.mode.updateMouseCursorRects();
      // Newer scanners only mark the rectangles stale: the window rebuilds them as the mouse moves.
      if (ver1700) rig.window().resetCursorRects();
    };
    rebuild();
    const fnd::Rect visible = view.visibleRect();
    auto rects = rig.rectsOf(view);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0], std::make_pair(fnd::Rect(53, 53, 54, 54), 6));
    EXPECT_EQ(rects[1], std::make_pair(visible, 1));
    const fnd::Size move = rig.mode.getCursorList()[6].size();
    EXPECT_EQ(view.cursorRects()[0].cursor.hotSpot(), fnd::Point(move.width / 2, move.height / 2));  // its centre
    EXPECT_EQ(view.trackingRects().size(), 1u);

    rig.mode.mZoomScan = true;  // no new frames: no crosshair
    rebuild();
    EXPECT_EQ(rig.rectsOf(view).size(), 1u);
    rig.mode.mZoomScan = false;

    rig.mode.mToolMode = 2;
    rig.mode.mZoomRate = 4;
    rebuild();
    EXPECT_EQ(rig.rectsOf(view), (std::vector<std::pair<fnd::Rect, int>>{{visible, 3}}));

    rig.mode.mToolMode = 0;
    rig.mode.mModal = true;  // newer: the arrow over everything; older: nothing
    rebuild();
    if (ver1700)
      EXPECT_EQ(rig.rectsOf(view), (std::vector<std::pair<fnd::Rect, int>>{{visible, -1}}));
    else
      EXPECT_TRUE(rig.rectsOf(view).empty());
  }
}

TEST(StandardModeCursor, CursorRectanglesOfAThumbnailsFrame) {
  struct Case {
    fnd::Rect frame;
    std::vector<int> images;
  };
  const Case cases[] = {
      {{10, 10, 40, 30}, {10, 8, 9, 7, 10, 8, 9, 7, 6, 1}},
      // Narrower than two edge bands: the edges across it and its inside are left out.
      {{10, 10, 4, 30}, {10, 8, 9, 10, 8, 9, 1}},
  };
  for (const Case& c : cases) {
    CursorRig rig({}, 3);
    rig.thumbnails(2);
    Quirel_ThumbnailPreviewView& view = MouseRig::thumbView(rig.thumb(0));
    auto cropView = std::make_unique<Quirel_CropView>(c.frame);
    view.addSubview(cropView.get());
    rig.thumb(0).getCropInfo()->setCropView(std::move(cropView));
    rig.mode.updateMouseCursorRects();
    std::vector<int> images;
    for (const auto& [rect, index] : rig.rectsOf(view)) {
      EXPECT_GT(rect.size.width, 0);
      EXPECT_GT(rect.size.height, 0);
      images.push_back(index);
    }
    EXPECT_EQ(images, c.images);
    EXPECT_EQ(rig.rectsOf(view).front().first, fnd::Rect(c.frame.origin.x - 3, c.frame.origin.y - 3, 6, 6));
    // The other thumbnail has no frame: only the crosshair.
    EXPECT_EQ(rig.rectsOf(MouseRig::thumbView(rig.thumb(1))).size(), 1u);

    // The eyedropper: its own picture over the focused thumbnail, the stop over the others.
    for (const auto& t : rig.mode.mThumbnailList) t->setFocus(false);
    rig.thumb(1).setFocus(true);
    rig.mode.mToolMode = 3;
    rig.mode.mSpoitMode = 13;
    rig.mode.updateMouseCursorRects();
    EXPECT_EQ(rig.rectsOf(view).size(), 1u);
    EXPECT_EQ(rig.rectsOf(view).front().second, 14);
    EXPECT_EQ(rig.rectsOf(MouseRig::thumbView(rig.thumb(1))).front().second, 13);
  }
}

TEST(StandardModeCursor, EveryPictureIsOursAndAMissingOneKeepsItsPlace) {
  MouseRig rig;
  rig.mode.createCursorImage();
  const auto& list = rig.mode.getCursorList();
  ASSERT_EQ(list.size(), 15u);
  for (std::size_t i = 2; i < list.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(list[i].isValid());
    EXPECT_NE(list[i].data(), list[0].data());
    EXPECT_NE(list[i].data(), list[1].data());
  }

  const char* old = std::getenv("TRIVOLAN_RESOURCE_DIR");
  const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
  const std::filesystem::path empty = std::filesystem::path(fnd::Paths::tempDir()) / "no-pictures";
  std::filesystem::create_directories(empty);
  setenv("TRIVOLAN_RESOURCE_DIR", empty.c_str(), 1);
  MouseRig bare;
  bare.mode.createCursorImage();
  if (saved)
    setenv("TRIVOLAN_RESOURCE_DIR", saved->c_str(), 1);
  else
    unsetenv("TRIVOLAN_RESOURCE_DIR");
  const auto& fallback = bare.mode.getCursorList();
  ASSERT_EQ(fallback.size(), 15u);
  for (std::size_t i = 2; i < fallback.size(); ++i) {
    SCOPED_TRACE(i);
    const bool stop = i == 3 || i == 14;
    EXPECT_EQ(fallback[i].data(), fallback[stop ? 0 : 1].data());
  }
  // A stop without its picture gives the plain arrow, never a picture of it.
  Quirel_CropInfo& crop = bare.addFrame({100, 100, 100, 100});
  bare.mode.setFocus(&crop);
  bare.mode.mToolMode = 3;
  bare.mode.mSpoitMode = 11;
  bare.mode.updateMouseCursorRects();
  const kit::View& view = bare.imageView();
  ASSERT_EQ(view.cursorRects().size(), 2u);
  EXPECT_EQ(view.cursorRects()[0].cursor.image().data(), fallback[1].data());
  EXPECT_EQ(view.cursorRects()[1].cursor.kind(), kit::Cursor::Kind::Arrow);
}

TEST(StandardModeCursor, NewerScannersRebuildEachThumbnailsRectanglesWhenItsViewAsks) {
  CursorRig rig({{"Ver1700Later", true}}, 3);
  rig.thumbnails(2);
  Quirel_ThumbnailPreviewView& first = MouseRig::thumbView(rig.thumb(0));
  Quirel_ThumbnailPreviewView& second = MouseRig::thumbView(rig.thumb(1));
  rig.mode.updateMouseCursorRects();  // marks them stale only
  EXPECT_TRUE(first.cursorRects().empty());
  rig.window().resetCursorRects();  // each view asks for its own
  EXPECT_EQ(rig.rectsOf(first), (std::vector<std::pair<fnd::Rect, int>>{{first.visibleRect(), 1}}));
  EXPECT_EQ(rig.rectsOf(second), (std::vector<std::pair<fnd::Rect, int>>{{second.visibleRect(), 1}}));
  // While a dialog of the mode is open: the arrow.
  rig.mode.mModal = true;
  rig.window().resetCursorRects();
  EXPECT_EQ(rig.rectsOf(first), (std::vector<std::pair<fnd::Rect, int>>{{first.visibleRect(), -1}}));
}
