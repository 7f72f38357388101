// The preview toolbar: the four enabling tables, the tool-tip rule, the shown set and the
// scan-information panel it keeps.

#include <gtest/gtest.h>

#include "ModesTestSupport.h"
#include "ui/controls/CTRLS_TOOLAllCropPushButton.h"
#include "ui/controls/CTRLS_TOOLAllFramePushButton.h"
#include "ui/controls/CTRLS_TOOLButton.h"
#include "ui/controls/CTRLS_TOOLMultiCropButton.h"
#include "ui/controls/CTRLS_TOOLThumbnailButton.h"
#include "ui/controls/CTRLS_TOOLView.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/ToolButton.h"
#include "ui/modes/toolbar/Toolbar.h"
#include "ui/settings/InfoDialog.h"

namespace {

// Both sets, every button present; names as the tables use them.
struct ToolbarRig {
  std::unique_ptr<Quirel_Toolbar> bar;
  std::map<std::string, std::shared_ptr<Quirel_CTRLS_TOOLButton>> basic, adv;
  std::shared_ptr<Quirel_CTRLS_TOOLThumbnailButton> platenS, filmS, platen, film;
  std::shared_ptr<Quirel_CTRLS_TOOLAllCropPushButton> allCropP;
  std::shared_ptr<Quirel_CTRLS_TOOLAllFramePushButton> allFrameP;
  std::shared_ptr<Quirel_CTRLS_TOOLMultiCropButton> multi;
  std::shared_ptr<Quirel_CTRLS_TOOLView> view;

  explicit ToolbarRig(const fnd::Dictionary& scanner = {}) {
    bar = std::make_unique<Quirel_Toolbar>(modes_test::scannerWith(scanner));
    view = std::make_shared<Quirel_CTRLS_TOOLView>();
    bar->setToolbarView(view);
    using Setter = void (Quirel_Toolbar::*)(Quirel_Toolbar::ToolButton, int);
    const std::pair<const char*, Setter> paired[] = {
        {"auto", &Quirel_Toolbar::setAutoCropButton},       {"delete", &Quirel_Toolbar::setDeleteCropButton},
        {"mirror", &Quirel_Toolbar::setMirrorButton},       {"left", &Quirel_Toolbar::setLeftRotateButton},
        {"right", &Quirel_Toolbar::setRightRotateButton},   {"check", &Quirel_Toolbar::setAllCheckButton},
        {"uncheck", &Quirel_Toolbar::setAllCheckResetButton}, {"info", &Quirel_Toolbar::setScanInfoButton},
        {"help", &Quirel_Toolbar::setHelpButton},           {"allCrop", &Quirel_Toolbar::setSelectAllCropButton},
        {"allFrame", &Quirel_Toolbar::setSelectAllFrameButton}};
    for (const auto& [name, setter] : paired) {
      basic[name] = std::make_shared<Quirel_CTRLS_TOOLButton>();
      adv[name] = std::make_shared<Quirel_CTRLS_TOOLButton>();
      (bar.get()->*setter)(basic[name], 0);
      (bar.get()->*setter)(adv[name], 1);
      (bar.get()->*setter)(std::make_shared<Quirel_CTRLS_TOOLButton>(), 7);  // ignored
    }
    for (const char* name : {"showAll", "clear", "crop", "hand", "zoom"}) adv[name] = std::make_shared<Quirel_CTRLS_TOOLButton>();
    bar->setShowAllCropButton(adv["showAll"]);
    bar->setClearPrevButton(adv["clear"]);
    bar->setCropButton(adv["crop"]);
    bar->setHandButton(adv["hand"]);
    bar->setZoomButton(adv["zoom"]);
    platenS = std::make_shared<Quirel_CTRLS_TOOLThumbnailButton>();
    filmS = std::make_shared<Quirel_CTRLS_TOOLThumbnailButton>();
    platen = std::make_shared<Quirel_CTRLS_TOOLThumbnailButton>();
    film = std::make_shared<Quirel_CTRLS_TOOLThumbnailButton>();
    bar->setPlatenThumbnailButton(platenS, 0);
    bar->setFilmThumbnailButton(filmS, 0);
    bar->setPlatenThumbnailButton(platen, 1);
    bar->setFilmThumbnailButton(film, 1);
    allCropP = std::make_shared<Quirel_CTRLS_TOOLAllCropPushButton>();
    allFrameP = std::make_shared<Quirel_CTRLS_TOOLAllFramePushButton>();
    multi = std::make_shared<Quirel_CTRLS_TOOLMultiCropButton>();
    bar->setSelectAllCropPushButton(allCropP);
    bar->setSelectAllFramePushButton(allFrameP);
    bar->setMultiCropButton(multi);
  }
  // The enabled states as a string in the order of the names, '1' on, '0' off.
  std::string states(const std::map<std::string, std::shared_ptr<Quirel_CTRLS_TOOLButton>>& set,
                     std::initializer_list<const char*> names) const {
    std::string out;
    for (const char* n : names) out += set.at(n)->isEnabled() ? '1' : '0';
    return out;
  }
};

}  // namespace

TEST(ToolbarEnabling, BasicSetVersion15Table) {
  struct Case {
    int scanMode;
    bool preview;
    int crops;
    bool zoomScan;
    // platen film auto delete allCrop mirror left right check uncheck allFrame info help
    const char* want;
  };
  const Case cases[] = {
      {0, false, 1, false, "1001000000011"}, {0, true, 2, false, "1011101100011"}, {0, false, 2, false, "1001100000011"},
      {1, true, 2, false, "1000001111111"},  {1, true, 1, false, "1000001100011"}, {3, true, 1, false, "0100011100011"},
      {3, true, 0, false, "0100011100111"},  {3, true, 3, true, "0100011111011"},  {2, true, 2, false, "0101111100011"},
      {4, true, 5, false, "0000000000011"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.scanMode << " P " << c.preview << " C " << c.crops);
    ToolbarRig rig({{"Ver1500Later", true}});
    rig.bar->setEnabledToolbar_scanMode(c.scanMode, c.preview, false, c.crops, false, c.zoomScan, 3);
    std::string got;
    got += rig.platenS->isEnabled() ? '1' : '0';
    got += rig.filmS->isEnabled() ? '1' : '0';
    got += rig.states(rig.basic, {"auto", "delete", "allCrop", "mirror", "left", "right", "check", "uncheck", "allFrame", "info", "help"});
    EXPECT_EQ(got, c.want);
  }
  // A scan mode outside 0..4 touches nothing, not even info and help.
  ToolbarRig rig({{"Ver1500Later", true}});
  rig.bar->setAllEnabledControl(false, 0);
  rig.bar->setEnabledToolbar_scanMode(9, true, false, 2, false, false, 3);
  EXPECT_FALSE(rig.basic["info"]->isEnabled());
}

TEST(ToolbarEnabling, BasicSetOlderTable) {
  ToolbarRig rig;
  rig.bar->setAllEnabledControl(false, 0);
  rig.bar->setEnabledToolbar_scanMode(1, true, false, 3, false, false, 3);
  // Platen thumbnail mode: only info and help change.
  EXPECT_EQ(rig.states(rig.basic, {"auto", "delete", "mirror", "left", "info", "help"}), "000011");
  rig.bar->setAllEnabledControl(true, 0);
  rig.bar->setEnabledToolbar_scanMode(3, true, false, 3, false, false, 3);
  EXPECT_EQ(rig.states(rig.basic, {"auto", "delete", "allCrop", "mirror", "left", "right", "check", "uncheck", "allFrame"}),
            "000111110");
  EXPECT_FALSE(rig.platenS->isEnabled());
  EXPECT_TRUE(rig.filmS->isEnabled());
  rig.bar->setEnabledToolbar_scanMode(0, true, false, 1, false, false, 3);
  EXPECT_EQ(rig.states(rig.basic, {"auto", "delete", "mirror", "left", "check"}), "11010");
}

TEST(ToolbarEnabling, AdvancedSetOlderTableEdgeCases) {
  ToolbarRig rig;
  rig.bar->setUIMode(1);
  // Platen, multi-crop on, no preview.
  rig.bar->setEnabledToolbar_scanMode(0, false, true, 0, true, false, 3);
  EXPECT_TRUE(rig.adv["clear"]->isEnabled());
  EXPECT_TRUE(rig.multi->getPushBT()->isEnabled());
  EXPECT_EQ(rig.states(rig.adv, {"crop", "zoom", "left", "right", "auto", "hand"}), "000000");
  // Platen, preview, colour mode 2: no multi-crop.
  rig.bar->setEnabledToolbar_scanMode(0, true, true, 2, false, false, 2);
  EXPECT_FALSE(rig.multi->getPushBT()->isEnabled());
  EXPECT_TRUE(rig.allCropP->getPushBT()->isEnabled());
  rig.bar->setEnabledToolbar_scanMode(0, true, true, 2, false, false, 3);
  EXPECT_TRUE(rig.multi->getPushBT()->isEnabled());
  // Film thumbnails with one frame: the push button follows the scanner's one-frame rule.
  for (bool rule : {false, true}) {
    ToolbarRig r({{"AllFrameSelectIfOneFrame", rule}});
    r.bar->setUIMode(1);
    r.bar->setEnabledToolbar_scanMode(3, true, false, 1, false, false, 3);
    EXPECT_EQ(r.allFrameP->getPushBT()->isEnabled(), rule);
    r.bar->setEnabledToolbar_scanMode(3, true, false, 2, false, false, 3);
    EXPECT_TRUE(r.allFrameP->getPushBT()->isEnabled());
  }
}

TEST(ToolbarEnabling, AdvancedSetVersion15Table) {
  struct Case {
    int scanMode;
    bool preview, tool;
    int crops;
    bool zoomScan;
    // clear showAll crop zoom hand delete check auto mirror left allFrame allCrop info
    const char* want;
  };
  const Case cases[] = {
      // On the platen the select-all-frames tool button is left as it was (enabled at creation).
      {0, true, true, 2, false, "1011110101111"}, {0, true, false, 2, true, "1011000101101"},
      {2, true, true, 3, false, "1111110011011"}, {1, true, true, 2, false, "1000001011101"},
      {3, true, false, 1, false, "1000000011001"}, {4, true, true, 5, false, "0000000000001"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.scanMode << " C " << c.crops);
    ToolbarRig rig({{"Ver1500Later", true}});
    rig.bar->setUIMode(1);
    rig.bar->setEnabledToolbar_scanMode(c.scanMode, c.preview, c.tool, c.crops, false, c.zoomScan, 3);
    EXPECT_EQ(rig.states(rig.adv, {"clear", "showAll", "crop", "zoom", "hand", "delete", "check", "auto", "mirror", "left",
                                   "allFrame", "allCrop", "info"}),
              c.want);
  }
}

TEST(ToolbarState, ToolTipRuleUIModeAndInfoPanel) {
  ToolbarRig rig;
  kit::View* mirror = rig.basic["mirror"]->getToolBT();
  rig.bar->setAllEnabledControl(true, 0);
  EXPECT_FALSE(mirror->toolTip().empty());
  const std::string tip = mirror->toolTip();
  mirror->setToolTip("kept");
  rig.bar->setEnabledStandardToolTips();
  EXPECT_EQ(mirror->toolTip(), "kept");
  rig.bar->setEnabledToolbar_scanMode(0, false, false, 0, false, false, 3);  // mirror off on the platen
  EXPECT_TRUE(mirror->toolTip().empty());
  rig.bar->setEnabledToolbar_scanMode(2, true, false, 0, false, false, 3);
  EXPECT_EQ(mirror->toolTip(), tip);

  // Mode 2 hides the view and leaves both sets; mode 0 shows it with the advanced set hidden.
  rig.bar->setUIMode(2);
  EXPECT_TRUE(rig.view->getToolView()->isHidden());
  EXPECT_FALSE(rig.basic["info"]->isHidden());
  EXPECT_FALSE(rig.adv["info"]->isHidden());
  rig.bar->setUIMode(0);
  EXPECT_FALSE(rig.view->getToolView()->isHidden());
  EXPECT_TRUE(rig.adv["info"]->isHidden());
  EXPECT_TRUE(rig.multi->getPushBT()->isHidden());
  EXPECT_FALSE(rig.basic["info"]->isHidden());

  auto first = rig.bar->getScanInfoDialog();
  ASSERT_NE(first, nullptr);
  EXPECT_NE(first->getWindow(), nullptr);
  EXPECT_EQ(rig.bar->getScanInfoDialog(), first);
}
