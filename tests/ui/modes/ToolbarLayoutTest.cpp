// The preview toolbar's layouts: x positions per scan mode and version, the one-frame and
// platen-thumbnail rules, the two-row bar's height, and pictures of two laid-out bars
// (toolbar-basic-v15-platen.png, toolbar-advanced-two-rows.png) in the test's working folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "ModesTestSupport.h"
#include "foundation/RunLoop.h"
#include "kit/Window.h"
#include "ui/controls/CTRLS_Separator.h"
#include "ui/controls/CTRLS_TOOLAllCropPushButton.h"
#include "ui/controls/CTRLS_TOOLAllFramePushButton.h"
#include "ui/controls/CTRLS_TOOLButton.h"
#include "ui/controls/CTRLS_TOOLMultiCropButton.h"
#include "ui/controls/CTRLS_TOOLThumbnailButton.h"
#include "ui/controls/CTRLS_TOOLView.h"
#include "ui/controls/ToolView.h"
#include "ui/modes/toolbar/Toolbar.h"

namespace {

// Every element of one set by a short name; separators "s1".."s5" and "long".
struct TbLayoutRig {
  std::unique_ptr<Quirel_Toolbar> bar;
  std::shared_ptr<Quirel_CTRLS_TOOLView> view = std::make_shared<Quirel_CTRLS_TOOLView>();
  std::map<std::string, std::shared_ptr<Quirel_CTRLS_TOOLButton>> tools;
  std::map<std::string, std::shared_ptr<Quirel_CTRLS_TOOLThumbnailButton>> thumbs;
  std::map<std::string, std::shared_ptr<Quirel_CTRLS_Separator>> seps;
  std::shared_ptr<Quirel_CTRLS_TOOLAllCropPushButton> allCropP = std::make_shared<Quirel_CTRLS_TOOLAllCropPushButton>();
  std::shared_ptr<Quirel_CTRLS_TOOLAllFramePushButton> allFrameP = std::make_shared<Quirel_CTRLS_TOOLAllFramePushButton>();
  std::shared_ptr<Quirel_CTRLS_TOOLMultiCropButton> multi = std::make_shared<Quirel_CTRLS_TOOLMultiCropButton>();

  int mode;
  TbLayoutRig(int uiMode, const fnd::Dictionary& scanner) : mode(uiMode) {
    bar = std::make_unique<Quirel_Toolbar>(modes_test::scannerWith(scanner));
    view->setToolViewRect(5, 736, 455, 60);
    bar->setToolbarView(view);
    auto tool = [&](const char* name, const char* picture) {
      auto b = std::make_shared<Quirel_CTRLS_TOOLButton>();
      b->setToolBTImage(std::string(picture) + "_In", std::string(picture) + "_Out", std::string(picture) + "_Dis", "quirel_r14");
      view->setItem(b->getToolBT());
      tools[name] = b;
      return b;
    };
    bar->setAutoCropButton(tool("auto", "ToolCrop"), uiMode);
    bar->setDeleteCropButton(tool("delete", "ToolCrop"), uiMode);
    bar->setMirrorButton(tool("mirror", "ToolMirror"), uiMode);
    bar->setLeftRotateButton(tool("left", "ToolRotate"), uiMode);
    bar->setRightRotateButton(tool("right", "ToolRotate"), uiMode);
    bar->setAllCheckButton(tool("check", "ToolThumbnail"), uiMode);
    bar->setAllCheckResetButton(tool("uncheck", "ToolThumbnail"), uiMode);
    bar->setScanInfoButton(tool("info", "ToolZoom"), uiMode);
    bar->setHelpButton(tool("help", "ToolZoom"), uiMode);
    bar->setSelectAllCropButton(tool("allCrop", "ToolCrop"), uiMode);
    bar->setSelectAllFrameButton(tool("allFrame", "ToolThumbnail"), uiMode);
    if (uiMode == 1) {
      bar->setShowAllCropButton(tool("showAll", "ToolCrop"));
      bar->setClearPrevButton(tool("clear", "ToolMirror"));
      bar->setCropButton(tool("crop", "ToolCrop"));
      bar->setHandButton(tool("hand", "ToolZoom"));
      bar->setZoomButton(tool("zoom", "ToolZoom"));
      bar->setSelectAllCropPushButton(allCropP);
      bar->setSelectAllFramePushButton(allFrameP);
      bar->setMultiCropButton(multi);
      for (kit::View* v : {static_cast<kit::View*>(allCropP->getPushBT()), static_cast<kit::View*>(allFrameP->getPushBT()),
                           static_cast<kit::View*>(multi->getPushBT())}) {
        view->setItem(v);
      }
    }
    for (const char* name : {"platen", "film"}) {
      auto b = std::make_shared<Quirel_CTRLS_TOOLThumbnailButton>();
      b->setThumbnailOffImage("ToolThumbnail_In", "ToolThumbnail_Out", "ToolThumbnail_Dis", "quirel_r14");
      b->setThumbnailMode(false);
      view->setItem(b->getToolBT());
      thumbs[name] = b;
    }
    bar->setPlatenThumbnailButton(thumbs["platen"], uiMode);
    bar->setFilmThumbnailButton(thumbs["film"], uiMode);
    for (int i = 1; i <= 5; ++i) {
      auto s = std::make_shared<Quirel_CTRLS_Separator>();
      s->setRect(0, 0, 5, 25);
      view->setItem(s->getSeparator());
      seps["s" + std::to_string(i)] = s;
    }
    seps["long"] = std::make_shared<Quirel_CTRLS_Separator>();
    seps["long"]->setRect(0, 0, 455, 5);
    view->setItem(seps["long"]->getSeparator());
    bar->setHorizontalSeparator1(seps["s1"]);
    bar->setHorizontalSeparator2(seps["s2"]);
    bar->setHorizontalSeparator3(seps["s3"]);
    bar->setHorizontalSeparator4(seps["s4"]);
    bar->setHorizontalSeparator5(seps["s5"]);
    bar->setVerticalSeparator1(seps["long"]);
    bar->setUIMode(uiMode);
  }
  // "name@x" for every shown element, left to right then top to bottom.
  std::string shown() const {
    std::vector<std::tuple<double, double, std::string>> all;
    auto add = [&](const std::string& name, bool hidden, const fnd::Rect& r) {
      if (!hidden) all.emplace_back(-r.origin.y, r.origin.x, name);
    };
    for (const auto& [n, b] : tools) add(n, b->isHidden(), b->getToolBTRect());
    for (const auto& [n, b] : thumbs) add(n, b->isHidden(), b->getToolBTRect());
    for (const auto& [n, s] : seps) add(n, s->isHidden(), s->getRect());
    if (mode != 1) {
      // The push buttons belong to the advanced set only.
    } else {
      add("allCropP", allCropP->getPushBT()->isHidden(), allCropP->getPushBTRect());
    add("allFrameP", allFrameP->getPushBT()->isHidden(), allFrameP->getPushBTRect());
      add("multi", multi->getPushBT()->isHidden(), multi->getPushBTRect());
    }
    std::sort(all.begin(), all.end());
    std::string out;
    for (const auto& [y, x, n] : all) out += (out.empty() ? "" : " ") + n + "@" + std::to_string(static_cast<int>(x));
    return out;
  }
};

}  // namespace

TEST(ToolbarLayout, BasicLayoutsPerModeAndVersion) {
  struct Case {
    bool v15, platenThumb, checkOneFrame;
    int scanMode, crops;
    const char* want;
  };
  const Case cases[] = {
      {false, false, false, 0, 0, "auto@5 delete@47 s1@89 left@96 right@138 s2@180 info@187 help@229"},
      {false, false, false, 1, 0, ""},
      {false, false, false, 2, 0, "film@5 s1@47 delete@54 s2@96 mirror@103 left@145 right@187 s3@229 info@236 help@278"},
      {false, false, false, 3, 1, "film@5 s1@47 mirror@54 left@96 right@138 s2@180 info@187 help@229"},
      {false, false, true, 3, 1, "film@5 s1@47 mirror@54 left@96 right@138 s2@180 check@187 uncheck@229 s3@271 info@278 help@320"},
      {false, false, false, 3, 2, "film@5 s1@47 mirror@54 left@96 right@138 s2@180 check@187 uncheck@229 s3@271 info@278 help@320"},
      {false, false, false, 4, 0, "info@5 help@47"},
      {true, true, false, 0, 0, "platen@5 s1@47 left@54 right@96 s2@138 auto@145 allCrop@187 delete@229 s3@271 info@278 help@320"},
      {true, false, false, 0, 0, "left@5 right@47 s2@89 auto@96 allCrop@138 delete@180 s3@222 info@229 help@271"},
      {true, true, false, 1, 0, "platen@5 s1@47 left@54 right@96 s2@138 check@145 uncheck@187 allFrame@229 s3@271 info@278 help@320"},
      {true, false, false, 2, 0, "film@5 s1@47 mirror@54 left@96 right@138 s2@180 allCrop@187 delete@229 s3@271 info@278 help@320"},
      {true, false, false, 3, 1, "film@5 s1@47 mirror@54 left@96 right@138 s2@180 check@187 uncheck@229 allFrame@271 s3@313 info@320 help@362"},
      {true, false, false, 4, 0, "info@5 help@47"},
      {true, false, false, 5, 0, ""},
      {false, false, false, -1, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "v15 " << c.v15 << " mode " << c.scanMode << " crops " << c.crops);
    TbLayoutRig rig(0, {{"Ver1500Later", c.v15}, {"PlatenThumbnail", c.platenThumb}, {"AllFrameCheckIfOneFrame", c.checkOneFrame}});
    rig.bar->setHiddenToolbar(c.scanMode, c.crops);
    EXPECT_EQ(rig.shown(), c.want);
  }
}

TEST(ToolbarLayout, AdvancedLayoutsPerModeAndVersion) {
  struct Case {
    bool v15, platenThumb;
    int scanMode;
    const char* want;
  };
  const Case cases[] = {
      {true, true, 0, "platen@5 s1@45 clear@50 s2@90 crop@95 hand@135 zoom@175 s3@215 left@220 right@260 s4@300 auto@305 allCrop@345 delete@385 s5@425 info@430 help@470"},
      {true, false, 0, "clear@5 s2@45 crop@50 hand@90 zoom@130 s3@170 left@175 right@215 s4@255 auto@260 allCrop@300 delete@340 s5@380 info@385 help@425"},
      {true, false, 1, "platen@5 s1@45 clear@50 s2@90 left@95 right@135 s3@175 check@180 uncheck@220 allFrame@260 s4@300 info@305 help@345"},
      {true, false, 2, "film@5 s1@45 clear@50 s2@90 crop@95 hand@135 zoom@175 s3@215 mirror@220 left@260 right@300 s4@340 showAll@345 allCrop@385 delete@425 s5@465 info@470 help@510"},
      {true, false, 3, "film@5 s1@45 clear@50 s2@90 mirror@95 left@135 right@175 s3@215 check@220 uncheck@260 allFrame@300 s4@340 info@345 help@385"},
      {true, false, 4, "info@5 help@45"},
      {false, false, 2, "film@5 clear@32 s1@59 crop@66 hand@93 zoom@120 s2@147 mirror@154 left@181 right@208 s3@235 info@242 help@269 long@0 allCropP@59 delete@5 showAll@32"},
      {false, false, 3, "film@5 clear@32 s1@59 mirror@66 left@93 right@120 s2@147 check@154 uncheck@181 s3@208 info@215 help@242 long@0 allFrameP@5"},
      {false, false, 4, "info@5 help@32"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "v15 " << c.v15 << " mode " << c.scanMode);
    TbLayoutRig rig(1, {{"Ver1500Later", c.v15}, {"PlatenThumbnail", c.platenThumb}});
    if (c.v15) {
      // The one-row layout leaves the push buttons alone; those models have them hidden.
      rig.allCropP->setHidden(true);
      rig.allFrameP->setHidden(true);
      rig.multi->setHidden(true);
    }
    rig.bar->setHiddenToolbar(c.scanMode, 2);
    EXPECT_EQ(rig.shown(), c.want);
  }
  // Older platen: the multi-crop button follows the select-all-crops push button directly.
  TbLayoutRig rig(1, {});
  rig.bar->setHiddenToolbar(0, 0);
  EXPECT_EQ(rig.multi->getPushBTRect().origin.x, 59 + rig.allCropP->getPushBTRect().size.width);
  EXPECT_FALSE(rig.multi->getPushBT()->isHidden());
}

TEST(ToolbarLayout, BarHeightKeepsItsTopEdge) {
  // The older two-row bar: 55 high (25 on the feeder), the top edge kept from any start.
  TbLayoutRig rig(1, {});
  const double top = 736 + 60;
  rig.bar->setHiddenToolbar(0, 0);
  EXPECT_EQ(rig.view->getToolViewRect(), fnd::Rect(5, top - 55, 455, 55));
  rig.bar->setHiddenToolbar(0, 0);
  EXPECT_EQ(rig.view->getToolViewRect(), fnd::Rect(5, top - 55, 455, 55));
  rig.bar->setHiddenToolbar(4, 0);
  EXPECT_EQ(rig.view->getToolViewRect(), fnd::Rect(5, top - 25, 455, 25));
  rig.bar->setHiddenToolbar(4, 0);
  EXPECT_EQ(rig.view->getToolViewRect(), fnd::Rect(5, top - 25, 455, 25));
  rig.bar->setHiddenToolbar(2, 0);
  EXPECT_EQ(rig.view->getToolViewRect(), fnd::Rect(5, top - 55, 455, 55));

  // Version 15: always 40 high.
  TbLayoutRig v15(1, {{"Ver1500Later", true}});
  v15.view->setToolViewRect(5, 700, 455, 96);
  v15.bar->setHiddenToolbar(3, 0);
  EXPECT_EQ(v15.view->getToolViewRect(), fnd::Rect(5, 756, 455, 40));

  rig.bar->setToolViewWidth(620);
  EXPECT_EQ(rig.view->getToolViewRect().size.width, 620);
  EXPECT_EQ(rig.seps["long"]->getRect().size.width, 620);
  EXPECT_EQ(rig.seps["long"]->getRect().size.height, 5);

  rig.bar->setUIMode(2);
  rig.bar->setHiddenToolbar(0, 0);
  EXPECT_EQ(rig.shown(), "");
}

namespace {

bool tbLayoutGrab(Quirel_CTRLS_TOOLView& view, const char* name) {
  const fnd::Rect r = view.getToolViewRect();
  kit::Window window(fnd::Rect(0, 0, r.size.width + 10, r.size.height + 10), kit::kTitledWindowMask);
  view.setToolViewRect(5, 5, r.size.width, r.size.height);
  window.contentView()->addSubview(view.getToolView());
  const std::string png = (std::filesystem::current_path() / name).string();
  std::filesystem::remove(png);
  window.makeKeyAndOrderFront();
  bool grabbed = false;
  fnd::RunLoop::main().performAfterDelay(0.05, [&] {
    window.contentView()->display();
    grabbed = window.grabToPng(png);
    fnd::RunLoop::main().stop();
  });
  fnd::RunLoop::main().runFor(fnd::RunLoopMode::Default, 5);
  view.getToolView()->removeFromSuperview();
  return grabbed && std::filesystem::exists(png);
}

}  // namespace

TEST(ToolbarLayout, PicturesOfTwoLaidOutBars) {
  TbLayoutRig basic(0, {{"Ver1500Later", true}, {"PlatenThumbnail", true}});
  basic.bar->setHiddenToolbar(0, 2);
  basic.bar->setEnabledToolbar_scanMode(0, true, false, 2, false, false, 3);
  EXPECT_TRUE(tbLayoutGrab(*basic.view, "toolbar-basic-v15-platen.png"));

  TbLayoutRig advanced(1, {});
  advanced.bar->setHiddenToolbar(0, 2);
  advanced.bar->setEnabledToolbar_scanMode(0, true, true, 2, false, false, 3);
  EXPECT_TRUE(tbLayoutGrab(*advanced.view, "toolbar-advanced-two-rows.png"));
}
