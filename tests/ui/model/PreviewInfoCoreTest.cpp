#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "ModeLinkDoubles.h"
#include "ui/model/PreviewInfo.h"

using namespace modedoubles;

TEST(PreviewInfoCore, DefaultsAndSetters) {
  fnd::NotificationCenter center;
  Quirel_PreviewInfo model(center);
  EXPECT_EQ(model.getADFPrefetchValue(), -1);
  EXPECT_EQ(model.getPreviewMode(), 0);
  EXPECT_EQ(model.getScannerInfo(), nullptr);
  EXPECT_EQ(model.getOriginalPixel24(), nullptr);
  EXPECT_EQ(model.getMultiCropPoints().size(), 0u);
  // The progress window's post, the six record requests, the retain request and reset, and the
  // eight crop-remake notifications, the three of the UI-less mode and colour balance and the six
  // thumbnail updates.
  EXPECT_EQ(center.observerCount(), 26u);

  int tw = 0, uim = 0;
  model.setTWAINObject(&tw, &uim);
  EXPECT_EQ(model.getTWAINObject(), &tw);
  EXPECT_EQ(model.getUIMObject(), &uim);

  auto first = std::make_shared<Quirel_UIScannerInfo>();
  model.setScannerInfo(first);
  model.setScannerInfo(nullptr);
  EXPECT_EQ(model.getScannerInfo(), first.get());
}

TEST(PreviewInfoCore, ScanningInfoImageAdjustCases) {
  fnd::NotificationCenter center;
  struct Case {
    bool racs2;
    bool scanner;
    bool preview;
    int cropNow;
    int expected;
  } cases[] = {
      {false, false, false, 1, 0},  // no record, no preview: 0 whatever is kept
      {false, true, false, 1, 0},   // no RACS2, no preview
      {true, true, false, 1, 7},    // RACS2
      {false, false, true, 1, 7},   // a preview exists
      {true, true, true, 2, 0},     // a crop number that is not kept
  };
  for (const Case& c : cases) {
    Quirel_PreviewInfo model(center);
    if (c.scanner) model.setScannerInfo(std::make_shared<Quirel_UIScannerInfo>(fnd::Dictionary{{"RACS2", c.racs2}}));
    model.setHasPreview(c.preview);
    model.setImageAdjust(1, 7);
    FakeProgressWindow window;
    window.cropNow = c.cropNow;
    window.postSetScanningInfoImageAdjust(center);
    ASSERT_EQ(window.shown.size(), 1u);
    EXPECT_EQ(window.shown[0], c.expected) << c.racs2 << c.scanner << c.preview << c.cropNow;
  }
  // A post without a window object is ignored.
  Quirel_PreviewInfo model(center);
  center.post(ProgressWindowLink::kSetScanningInfoImageAdjustPost, nullptr);
}

TEST(PreviewInfoCore, AfterDestructionAPostReachesNothing) {
  fnd::NotificationCenter center;
  FakeProgressWindow window;
  {
    Quirel_PreviewInfo model(center);
    model.setHasPreview(true);
  }
  window.postSetScanningInfoImageAdjust(center);
  EXPECT_TRUE(window.shown.empty());
  EXPECT_EQ(center.observerCount(), 0u);
}

TEST(PreviewInfoCore, ScanRectInInchesByMode) {
  Quirel_PreviewInfo model;
  model.setPlatenResolution(100);
  FakeStandardMode basic;
  basic.paperSizes[0] = {850, 1170};
  basic.paperSizes[21] = {200, 600};
  basic.paperPoints[21] = {50, 25};
  model.setPrevModeandId(0, &basic, nullptr);
  ScanRect film = model.getScanRectToSM(1, &basic);
  EXPECT_DOUBLE_EQ(film.x, 0.5);
  EXPECT_DOUBLE_EQ(film.y, 0.25);
  EXPECT_DOUBLE_EQ(film.width, 2.0);
  EXPECT_DOUBLE_EQ(film.height, 6.0);
  ScanRect platen = model.getScanRectToSM(0, &basic);
  EXPECT_DOUBLE_EQ(platen.x, 0);
  EXPECT_DOUBLE_EQ(platen.width, 8.5);
  EXPECT_DOUBLE_EQ(platen.height, 11.7);

  FakeExtendMode advanced;
  advanced.filmSizeNumber = 23;
  advanced.paperSizeNumber = 4;
  advanced.paperSizes[23] = {300, 400};
  advanced.paperPoints[23] = {10, 20};
  advanced.paperSizes[4] = {500, 700};
  model.setPrevModeandId(1, nullptr, &advanced);
  ScanRect advFilm = model.getScanRectToSM(1, &advanced);
  EXPECT_DOUBLE_EQ(advFilm.x, 0.1);
  EXPECT_DOUBLE_EQ(advFilm.width, 3.0);
  ScanRect advPaper = model.getScanRectToSM(0, &advanced);
  EXPECT_DOUBLE_EQ(advPaper.x, 0);
  EXPECT_DOUBLE_EQ(advPaper.height, 7.0);
  // An advanced request handed a basic mode object reads nothing.
  ScanRect wrong = model.getScanRectToSM(0, &basic);
  EXPECT_DOUBLE_EQ(wrong.width, 0);

  FakeUILessMode uiLess;
  uiLess.filmRect = makeSRectDouble(100, 200, 300, 400);
  model.setMode(3);
  ScanRect held = model.getScanRectToSM(1, &uiLess);
  EXPECT_DOUBLE_EQ(held.x, 1);
  EXPECT_DOUBLE_EQ(held.height, 4);
  ScanRect none = model.getScanRectToSM(1, nullptr);
  EXPECT_DOUBLE_EQ(none.width, 0);
  model.setMode(2);
  EXPECT_DOUBLE_EQ(model.getScanRectToSM(1, &basic).width, 0);
}

TEST(PreviewInfoCore, ChangeDrawPreviewAreaHandsTheModeOneCopy) {
  Quirel_PreviewInfo model;
  FakeStandardMode basic;
  FakeExtendMode advanced;
  model.setWholeSize(4, 3);
  std::vector<std::uint8_t> buffer(4 * 3 * 3);
  for (std::size_t i = 0; i < buffer.size(); ++i) buffer[i] = static_cast<std::uint8_t>(i * 7);

  model.setPrevModeandId(0, &basic, &advanced);
  model.changeDrawPreviewArea(buffer.data());
  ASSERT_EQ(basic.drawn.size(), 1u);
  EXPECT_TRUE(advanced.drawn.empty());
  const PreviewBitmap& bitmap = basic.drawn[0];
  EXPECT_EQ(bitmap.width, 4);
  EXPECT_EQ(bitmap.height, 3);
  EXPECT_EQ(bitmap.bytesPerRow(), 12);
  ASSERT_TRUE(bitmap.bytes);
  EXPECT_EQ(*bitmap.bytes, buffer);
  EXPECT_NE(bitmap.bytes->data(), buffer.data());

  model.setPrevModeandId(1, &basic, &advanced);
  model.changeDrawPreviewArea(buffer.data());
  EXPECT_EQ(advanced.drawn.size(), 1u);

  // The zoomed size is used in a zoomed preview.
  model.setPreviewMode(1);
  model.setZoomSize(2, 2);
  model.changeDrawPreviewArea(buffer.data());
  ASSERT_EQ(advanced.drawn.size(), 2u);
  EXPECT_EQ(advanced.drawn[1].bytes->size(), 12u);

  model.setPrevModeandId(3, &basic, &advanced);
  model.changeDrawPreviewArea(buffer.data());
  EXPECT_EQ(basic.drawn.size(), 1u);
  EXPECT_EQ(advanced.drawn.size(), 2u);
  // No mode object: nothing, no crash.
  model.setPrevModeandId(0, nullptr, nullptr);
  model.changeDrawPreviewArea(buffer.data());
}

TEST(PreviewInfoCore, BuffersFollowThePreviewMode) {
  Quirel_PreviewInfo model;
  model.setPreviewWidth(10);
  model.setPreviewHeight(20);
  model.setOriginalPixel24(std::make_unique<std::uint8_t[]>(600));
  std::uint8_t* whole = model.getOriginalPixel24();
  model.setPreviewMode(1);
  model.setPreviewWidth(3);
  model.setPreviewHeight(4);
  EXPECT_EQ(model.getOriginalPixel24(), nullptr);
  model.setOriginalPixel24(std::make_unique<std::uint8_t[]>(36));
  model.setBeforeAdjustPixel24(std::make_unique<std::uint8_t[]>(36));
  EXPECT_NE(model.getBeforeAdjustPixel24(), nullptr);
  EXPECT_EQ(model.getPreviewWidth(), 3);
  EXPECT_EQ(model.getPreviewWidth(0), 10);
  EXPECT_EQ(model.getPreviewHeight(0), 20);
  EXPECT_EQ(model.getOriginalPixel24(0), whole);
  EXPECT_NE(model.getOriginalPixel24(1), whole);
  model.setPreviewMode(0);
  EXPECT_EQ(model.getPreviewHeight(), 20);
  EXPECT_EQ(model.getBeforeAdjustPixel24(), nullptr);
  model.setSendDataOffset(1ull << 40);
  EXPECT_EQ(model.getSendDataOffset(), 1ull << 40);
}
