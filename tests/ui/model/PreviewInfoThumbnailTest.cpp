#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "ModeLinkDoubles.h"
#include "ScanModuleDouble.h"
#include "ui/model/PreviewInfo.h"

using namespace modedoubles;

namespace {

fnd::Value minMax(int x0, int y0, int x1, int y1) {
  return fnd::Value(fnd::Dictionary{{"min", fnd::Value(fnd::Dictionary{{"X", x0}, {"Y", y0}})},
                                    {"max", fnd::Value(fnd::Dictionary{{"X", x1}, {"Y", y1}})}});
}

std::shared_ptr<Quirel_ThumbnailInfo> thumbnail(int no, int level) {
  auto t = std::make_shared<Quirel_ThumbnailInfo>(no);
  auto c = std::make_shared<Quirel_CropInfo>();
  c->setResolution(level);
  c->setAutoTone(1);
  c->setInputRect_Pixel96(makeSRectDouble(0, 0, 40, 30));
  c->setVisiblePreviewSize_Pixel96({40, 30});
  t->setCropInfo(c);
  return t;
}

struct Fixture {
  fnd::NotificationCenter center;
  ScanModuleDouble module{center};
  Quirel_PreviewInfo model{center};
  Quirel_PreferenceInfo prefs;
  FakeExtendMode advanced;
  Fixture() {
    advanced.preferences = &prefs;
    advanced.film = true;
    model.setPrevModeandId(1, nullptr, &advanced);
    model.setWholeSize(200, 100);
  }
};

}  // namespace

TEST(PreviewInfoThumbnails, PlatenRectanglesArePixelInclusiveFilmOnesNot) {
  Fixture f;
  ThumbnailList list{thumbnail(0, 20), thumbnail(1, 40), thumbnail(2, 60)};
  const fnd::Array points{minMax(10, 20, 49, 59), minMax(60, 20, 99, 59)};  // one short
  EXPECT_EQ(f.model.createThumbnailImageDataPlaten(list, points), 3);
  SRectDouble r{};
  ASSERT_TRUE(f.model.getThumbnailImageDataAtIndex(0, &r));
  EXPECT_EQ(r.size.width, 40);
  EXPECT_EQ(r.size.height, 40);
  f.model.getThumbnailImageDataAtIndex(2, &r);
  EXPECT_EQ(r.size.width, 0);  // past the point list: zero, never a read past its end
  EXPECT_EQ(f.model.getThumbnailImageDataAtIndex(3, &r), nullptr);

  EXPECT_EQ(f.model.createThumbnailImageData(points, list), 3);
  f.model.getThumbnailImageDataAtIndex(0, &r);
  EXPECT_EQ(r.size.width, 39);
  EXPECT_EQ(r.size.height, 39);
  f.model.removeThumbnailImageData();
  EXPECT_EQ(f.model.getThumbnailImageCount(), 0);
}

TEST(PreviewInfoThumbnails, FilmDefaultRequestCarriesPhotoTypeAndNoCorrections) {
  Fixture f;
  ThumbnailList list{thumbnail(0, 20)};
  list[0]->getThumnailCrop()->setUnsharpMask(1);
  f.module.documentTypes.clear();
  f.model.createThumbnailImageData({minMax(0, 0, 40, 30)}, list);
  ASSERT_EQ(f.module.documentTypes.size(), 1u);
  EXPECT_EQ(f.module.documentTypes[0], 12288);
  EXPECT_EQ(f.module.autoTones[0], 0);
  auto image = f.model.getThumbnailImageDataAtIndex(0, nullptr);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 40);
  EXPECT_EQ((*image->bytes)[0], 20);
}

TEST(PreviewInfoThumbnails, FocusHandlerChangesOneThumbnailOnly) {
  Fixture f;
  Quirel_PreviewInfo::PixelBuffer shown(new std::uint8_t[200 * 100 * 3]());
  f.model.setOriginalPixel24(std::move(shown));
  ThumbnailList list{thumbnail(0, 20), thumbnail(1, 40)};
  const fnd::Array points{minMax(0, 0, 40, 30), minMax(100, 0, 140, 30)};
  f.model.createThumbnailImageData(points, list);
  const auto before0 = f.model.getThumbnailImageDataAtIndex(0, nullptr);
  const auto before1 = f.model.getThumbnailImageDataAtIndex(1, nullptr);
  const int sent = f.module.cropRequests;
  list[1]->setFocus(true);
  f.model.updateFocusThumbnail(1, &list);
  EXPECT_EQ(f.module.cropRequests, sent + 1);
  EXPECT_EQ(f.model.getThumbnailImageDataAtIndex(0, nullptr), before0);
  EXPECT_NE(f.model.getThumbnailImageDataAtIndex(1, nullptr), before1);
}

TEST(PreviewInfoThumbnails, InnerCropPastTheEdgeIsClippedAndResetCopiesOnlyWhatIsStored) {
  Fixture f;
  Quirel_CropInfo frame, inner;
  auto solid = [](int w, int h, std::uint8_t level) {
    auto* p = static_cast<std::uint8_t*>(std::malloc(static_cast<std::size_t>(w) * h * 3));
    std::memset(p, level, static_cast<std::size_t>(w) * h * 3);
    return CropImage(p);
  };
  frame.setcropCorData(solid(10, 10, 1));
  frame.setcropCorRect(makeSRectDouble(0, 0, 10, 10));
  inner.setcropCorData(solid(6, 6, 9));
  inner.setcropCorRect(makeSRectDouble(7, 7, 6, 6));  // three pixels past right and bottom
  auto image = f.model.setThumbnailImageDataP(&frame, &inner);
  ASSERT_TRUE(image);
  const auto& bytes = *image->bytes;
  EXPECT_EQ(bytes[(9 * 10 + 9) * 3], 9);
  EXPECT_EQ(bytes[(6 * 10 + 6) * 3], 1);
  // A null corrected image is skipped.
  Quirel_CropInfo empty;
  EXPECT_EQ(f.model.setThumbnailImageDataP(&empty, &inner), nullptr);
  // A stored buffer shorter than the rectangle: only its bytes are copied.
  f.model.resetThumbnailCropImagedata(&frame, fnd::Value(fnd::Data(30, 5)), fnd::Value(fnd::Data{}));
  EXPECT_EQ(frame.getcropCorData()[29], 5);
  EXPECT_EQ(frame.getcropCorData()[30], 0);
  EXPECT_EQ(frame.getcropBefData(), nullptr);
}
