// The advanced mode's favourites: the pop-up's dispatch, the manager answered through kit's
// modal runs, a named size lying rotated on a crop, and a favourite against its tone setting.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ExtendModeWindowRig.h"
#include "TestEnvironment.h"
#include "ui/controls/CTRLS_FAVSetNameTextF.h"
#include "ui/controls/CTRLS_FavoritePopup.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/model/CropInfo.h"
#include "ui/model/FavoriteSetting.h"
#include "ui/model/OutputSize.h"
#include "ui/model/ToneSetting.h"
#include "ui/settings/FavoriteDialog.h"
#include "ui/settings/FavoriteDlgWindow.h"

namespace ext_favorite_test {

using extend_rig::WindowRig;

class Peek : public extend_rig::RigMode {
 public:
  using Quirel_BaseScanMode::mFavoriteMsg;
  using Quirel_ExtendMode::mFavoriteDialog;
};
Peek& peek(extend_rig::RigMode& m) { return static_cast<Peek&>(m); }

TEST(ExtendModeFavorite, ANamedSizeLiesRotatedWhenItsLongerSideIsTheCropsShorter) {
  struct Row {
    int unit;
    double w, h;            // the named size in its unit
    double cropW, cropH;    // the crop's output
    bool rotated;
  };
  const Row rows[] = {
      {1, 10, 15, 300, 200, true},   // portrait size, landscape crop
      {1, 10, 15, 200, 300, false},
      {0, 6, 4, 200, 300, true},     // landscape size, portrait crop
      {0, 6, 4, 300, 200, false},
      {2, 500, 500, 300, 200, false},  // a square size never lies rotated
      {0, 4, 6, 250, 250, true},     // a square crop counts as across either way
  };
  for (const Row& r : rows) {
    Quirel_OutputSize size(5, 0, std::string("Card"), r.unit);
    const OutputSizeLength w{r.w, r.w, r.w}, h{r.h, r.h, r.h};
    size.setOutputWidth(w);
    size.setOutputHeight(h);
    Quirel_CropInfo crop;
    crop.setOutputSize_Pixel96({r.cropW, r.cropH});
    EXPECT_EQ(Quirel_ExtendMode::isOutputSizeRotate(size, crop), r.rotated)
        << r.unit << ": " << r.w << "x" << r.h << " on " << r.cropW << "x" << r.cropH;
  }
}

TEST(ExtendModeFavorite, AFavouriteMatchesItsToneSettingOnlyWithTheSameValues) {
  WindowRig rig;
  auto& m = rig.mode;
  const std::filesystem::path folder = testenv::freshFolder("ext-favorite-tone");
  m.setSettingFilePath(folder.string() + "/");
  Quirel_ToneSetting tone(5, "Deep", 3);
  HistogramValues h = tone.getHistogram();
  h.black = ChannelValues{30, 30, 30, 30};
  tone.setHistogram(h);
  ASSERT_TRUE(Quirel_ToneSetting::writeToFolder(folder.string(), {}, {tone}, {}, false));
  Quirel_FavoriteSetting f(7, std::string("Mine"));
  f.setColorMode(3);
  f.setToneSettingNo(5);
  f.setColorBalance(tone.getColorBalance());
  f.setToneBC(tone.getToneBC());
  f.setHistogram(tone.getHistogram());
  f.setToneCurve(tone.getToneCurve());
  EXPECT_TRUE(m.compareFavoriteToneWithTone(f));
  f.setColorBalance(ColorBalanceValues{5, 0, 0, 0});
  EXPECT_FALSE(m.compareFavoriteToneWithTone(f));
  f.setColorBalance(tone.getColorBalance());
  f.setColorMode(1);  // another colour mode
  EXPECT_FALSE(m.compareFavoriteToneWithTone(f));
  f.setColorMode(3);
  f.setToneSettingNo(6);  // no such entry
  EXPECT_FALSE(m.compareFavoriteToneWithTone(f));
  // A damaged file answers no and is left as it was.
  f.setToneSettingNo(5);
  const std::filesystem::path file = Quirel_ToneSetting::filePath(folder.string());
  std::ofstream(file) << "<plist><array>";
  EXPECT_FALSE(m.compareFavoriteToneWithTone(f));
  std::ifstream in(file);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  EXPECT_EQ(bytes.str(), "<plist><array>");
}

TEST(ExtendModeFavorite, TheManagerAnswersCancelWithNoneAndSaveWithTheNewEntry) {
  WindowRig rig;
  auto& m = rig.mode;
  const std::filesystem::path folder = testenv::freshFolder("ext-favorite-manager");
  m.setSettingFilePath(folder.string() + "/");
  m.mHasPreview = true;  // the stored entries are listed once there is a preview
  m.setMenuItem_FavoritePopupBT();
  rig.window().makeKeyAndOrderFront();
  peek(m).mFavoriteMsg = false;  // no save notice in between
  auto& app = kit::Application::shared();
  auto open = [&] {
    m.mFavoritePopup->selectAtRepresentedNumber(-1);
    m.ntf_favoriteSettingChange({});
  };
  m.mFavorite = 5;
  m.mToneCurve = 2;
  app.onNextModalWindow([&](kit::Window&) {
    ASSERT_NE(peek(m).mFavoriteDialog, nullptr);
    EXPECT_TRUE(m.isModal());
    peek(m).mFavoriteDialog->cancelButton()->getPushBT()->performClick();
  });
  open();
  EXPECT_EQ(app.pendingModalResponders(), 0u);
  EXPECT_EQ(m.mFavorite, 0);
  EXPECT_EQ(m.mToneCurve, 0);
  EXPECT_EQ(peek(m).mFavoriteDialog, nullptr);
  EXPECT_FALSE(m.isModal());

  app.onNextModalWindow([&](kit::Window&) {
    Quirel_FavoriteDialog* d = peek(m).mFavoriteDialog.get();
    d->getWindow()->makeFirstResponder(d->nameField()->getTextF());
    d->nameField()->getTextF()->replaceText("Holiday");
    d->addButton()->getPushBT()->performClick();
    d->saveButton()->getPushBT()->performClick();
  });
  open();
  EXPECT_EQ(app.pendingModalResponders(), 0u);
  EXPECT_GT(m.mFavorite, 1);
  EXPECT_EQ(m.mFavoritePopup->getRepresentedNumber(), m.mFavorite);

  // Choosing the entry in force does nothing.
  const int chosen = m.mFavorite;
  m.mToneCurve = 3;
  m.ntf_favoriteSettingChange({});
  EXPECT_EQ(m.mFavorite, chosen);
  EXPECT_EQ(m.mToneCurve, 3);
  // "No favourite" clears both choices.
  m.mFavoritePopup->selectAtRepresentedNumber(0);
  m.ntf_favoriteSettingChange({});
  EXPECT_EQ(m.mFavorite, 0);
  EXPECT_EQ(m.mToneCurve, 0);
}

TEST(ExtendModeFavorite, AGarbageFavouritesFileListsTheFixedEntriesOnlyAndStaysAsItWas) {
  WindowRig rig;
  auto& m = rig.mode;
  const std::filesystem::path folder = testenv::freshFolder("ext-favorite-garbage");
  m.setSettingFilePath(folder.string() + "/");
  m.mHasPreview = true;
  const std::filesystem::path file = folder / "Favorite.xml";
  for (const std::string& garbage : {std::string("\x01\x02 not xml"), std::string("<plist><array><dict><key>Index"),
                                    std::string("<plist version=\"1.0\"><dict><key>Index</key><integer>4</integer>"
                                                "</dict></plist>")}) {
    std::ofstream(file, std::ios::binary) << garbage;
    m.setMenuItem_FavoritePopupBT();
    for (int n : {0, 1, -1}) EXPECT_TRUE(m.mFavoritePopup->isExistAtRepresentedNumber(n)) << n;
    for (int n : {2, 3, 4, 5}) EXPECT_FALSE(m.mFavoritePopup->isExistAtRepresentedNumber(n)) << n;
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    EXPECT_EQ(bytes.str(), garbage);
  }
}

}  // namespace ext_favorite_test
