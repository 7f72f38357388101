// The advanced output box through the mode object: magnification bounds, named sizes made
// fixed (resolution, corner, smallest side), direction, typed lengths, and the real list editor.

#include <gtest/gtest.h>

#include <filesystem>

#include "ExtendModeFlowRig.h"
#include "TestFiles.h"
#include "foundation/Paths.h"
#include "ui/controls/CTRLS_Magnification.h"
#include "ui/controls/CTRLS_OutputSizeWidthTextF.h"
#include "ui/controls/CTRLS_PopupButton.h"
#include "ui/controls/NumberField.h"
#include "ui/controls/TableView.h"
#include "ui/model/OutputSizeFile.h"
#include "ui/settings/OutputSizeDialog.h"

namespace {

using namespace flow_rig;


// The editor's texts as its string table gives them.
std::string editorText(const std::string& key) {
  Quirel_PVLocalizedString strings(fnd::Bundle::main().identifier());
  return strings.ls_localizedStringForKey(key, "UserInterface").value_or(key);
}

kit::Button* buttonTitled(kit::View* view, const std::string& title) {
  if (!view) return nullptr;
  if (auto* b = dynamic_cast<kit::Button*>(view); b && b->title() == title) return b;
  for (kit::View* sub : view->subviews())
    if (kit::Button* found = buttonTitled(sub, title)) return found;
  return nullptr;
}

Quirel_TableView* firstTable(kit::View* view) {
  if (!view) return nullptr;
  if (auto* t = dynamic_cast<Quirel_TableView*>(view); t && !t->isHidden()) return t;
  for (kit::View* sub : view->subviews())
    if (Quirel_TableView* found = firstTable(sub)) return found;
  return nullptr;
}

Quirel_OutputSize inches(int index, int destination, double w, double h) {
  Quirel_OutputSize s(index, destination, "size", 0);
  s.setSize(0, w, h);
  return s;
}

TEST(ExtendModeOutput, MagnificationBounds) {
  EXPECT_EQ(Quirel_ExtendMode::getMaxMagnification(300), 6400);
  EXPECT_EQ(Quirel_ExtendMode::getMaxMagnification(1200), 1600);
  EXPECT_EQ(Quirel_ExtendMode::getMaxMagnification(19200), 100);
  EXPECT_EQ(Quirel_ExtendMode::getMaxMagnification(0), 0);  // no division by a missing resolution

  struct Case {
    const char* typed;
    bool refused;
  };
  for (const Case c : {Case{"6401", true}, Case{"24", true}, Case{"6400", false}, Case{"25", false}}) {
    SCOPED_TRACE(c.typed);
    FlowRig rig;
    rig.mode.mMagnification->getNumberTxtF()->setStringValue(c.typed);
    if (c.refused) rig.answers.message();
    EXPECT_TRUE(rig.mode.typedMagnificationChange());
    if (c.refused) {
      ASSERT_EQ(rig.port.shown.size(), 1u);
      EXPECT_EQ(rig.port.shown[0].number, 1115);
      EXPECT_EQ(rig.port.shown[0].args, std::vector<std::string>{"6400"});
      EXPECT_EQ(rig.mode.mTemplateCrop->getMagnification(), 100);
    } else {
      EXPECT_TRUE(rig.port.shown.empty());
      EXPECT_EQ(rig.mode.mTemplateCrop->getMagnification(), std::stoi(c.typed));
    }
  }
}

TEST(ExtendModeOutput, TypedMagnificationSkipsNamedSizesAndClampsOnNewerScanners) {
  for (bool v1700 : {false, true}) {
    SCOPED_TRACE(v1700);
    FlowRig rig(flowScanner({{"Ver1700Later", v1700}}));
    auto focus = rig.frame(0, 0, 100, 100, true, true);
    auto fine = rig.frame(200, 0, 100, 100, true);
    fine->setResolution(1200);
    auto named = rig.frame(400, 0, 100, 100, true);
    named->setOutputSize(7);
    named->setMagnification(50);
    rig.mode.mMagnification->getNumberTxtF()->setStringValue("2000");
    EXPECT_TRUE(rig.mode.typedMagnificationChange());
    EXPECT_EQ(focus->getMagnification(), 2000);
    EXPECT_DOUBLE_EQ(focus->getOutputWidth_Pixel96(), 2000);
    EXPECT_EQ(named->getMagnification(), 50);
    EXPECT_EQ(fine->getMagnification(), v1700 ? 1600 : 100);
  }
}

TEST(ExtendModeOutput, FixedSizeResolutionByDestination) {
  FlowRig rig;
  rig.useModelOutputSizes();
  const auto& print = rig.mode.getPrintArray();
  const auto& display = rig.mode.getDisplayArray();
  ASSERT_TRUE(print && print->size() >= 2 && display && !display->empty());
  auto crop = rig.frame(100, 100, 1500, 1500, true, true);
  crop->setResolution(600);
  rig.mode.changeToFixedSize(*display->front(), *crop);  // a free frame to a display size
  EXPECT_EQ(crop->getResolution(), 150);
  crop->setResolution(600);
  rig.mode.changeToFixedSize(*print->front(), *crop);  // another destination
  EXPECT_EQ(crop->getResolution(), 300);
  crop->setResolution(600);
  rig.mode.changeToFixedSize(*(*print)[1], *crop);  // the same destination keeps it
  EXPECT_EQ(crop->getResolution(), 600);
  EXPECT_EQ(crop->getOutputSize(), (*print)[1]->getIndex());
  EXPECT_TRUE(crop->isFixesRatio());
}

TEST(ExtendModeOutput, CornerTableForRotationAndMirror) {
  // A frame without a size: the whole 2550 x 3508 area is the reference; a 4 x 2 inch size is
  // 1200 x 600 (600 x 1200 when turned a quarter).
  struct Row {
    int rotation;
    bool mirror;
    double x, y;
  };
  const Row rows[] = {
      {0, false, 0, 2908}, {0, true, 1350, 2908}, {1, false, 0, 0},       {1, true, 1950, 0},
      {2, false, 1350, 0}, {2, true, 0, 0},       {3, false, 1950, 2308}, {3, true, 0, 2308},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << r.rotation << " " << r.mirror);
    FlowRig rig;
    auto crop = rig.frame(0, 0, 0, 0, true, true);
    crop->setRotation(r.rotation);
    crop->setMirror(r.mirror);
    rig.mode.changeToFixedSize(inches(90, 0, 4, 2), *crop);
    const SRectDouble in = crop->getInputRect_Pixel96();
    EXPECT_DOUBLE_EQ(in.origin.x, r.x);
    EXPECT_DOUBLE_EQ(in.origin.y, r.y);
    EXPECT_DOUBLE_EQ(in.size.width, r.rotation % 2 ? 600 : 1200);
    EXPECT_EQ(crop->getMagnification(), 100);
  }
}

TEST(ExtendModeOutput, SmallSizeGrowsToTheSmallestSideWithItsRatio) {
  FlowRig rig;
  auto crop = rig.frame(0, 0, 0, 0, true, true);
  rig.mode.changeToFixedSize(inches(91, 0, 0.1, 0.05), *crop);  // 30 x 15 pixels at 300 dpi
  EXPECT_DOUBLE_EQ(crop->getInputWidth_Pixel96(), 96);
  EXPECT_DOUBLE_EQ(crop->getInputHeight_Pixel96(), 48);
}

TEST(ExtendModeOutput, TurnedFrameTooTallShrinksToTheTop) {
  FlowRig rig;
  auto crop = rig.frame(100, 100, 1500, 800, true, true);
  crop->setVisiblePreviewSize_Pixel96({3000, 1000});
  crop->setOutputSize(5);
  crop->setOutputSize_Pixel96({1500, 800});
  rig.mode.updateCropByDirection(*crop);
  const SRectDouble in = crop->getInputRect_Pixel96();
  EXPECT_NEAR(in.size.height, 1000, 1e-9);
  EXPECT_NEAR(in.size.width, 800.0 * 1000 / 1500, 1e-9);
  EXPECT_DOUBLE_EQ(in.origin.x, 100);
  EXPECT_DOUBLE_EQ(in.origin.y + in.size.height, 1000);
  EXPECT_DOUBLE_EQ(crop->getOutputWidth_Pixel96(), 800);
  // A frame that fits keeps its left and top edges.
  auto fits = rig.frame(100, 100, 300, 200, true);
  fits->setVisiblePreviewSize_Pixel96({3000, 1000});
  rig.mode.updateCropByDirection(*fits);
  EXPECT_DOUBLE_EQ(fits->getInputRect_Pixel96().origin.y + fits->getInputHeight_Pixel96(), 300);
  EXPECT_DOUBLE_EQ(fits->getInputWidth_Pixel96(), 200);
}

TEST(ExtendModeOutput, TypedOutputWidthAndItsRefusals) {
  FlowRig rig;
  rig.mode.mUnitPopup->addPopupItemWithTitle("pixels", 2);
  rig.mode.mUnitPopup->selectAtRepresentedNumber(2);
  auto crop = rig.frame(0, 0, 1000, 500, true, true);
  crop->setResolution(300);
  auto* field = rig.mode.mOutSizeWTextF->getNumberTxtF();
  field->setStringValue("1000");
  EXPECT_FALSE(rig.mode.outputSizeTextFieldChange(0));  // the shown value changes nothing
  field->setStringValue("2000");
  EXPECT_TRUE(rig.mode.outputSizeTextFieldChange(0));
  EXPECT_EQ(crop->getMagnification(), 200);
  EXPECT_DOUBLE_EQ(crop->getOutputHeight_Pixel96(), 1000);
  // Zero, and any length on a frame without an input width, are refused with 1110.
  field->setStringValue("0");
  rig.answers.message();
  EXPECT_TRUE(rig.mode.outputSizeTextFieldChange(0));
  crop->setInputRect_Pixel96({{0, 0}, {0, 500}});
  field->setStringValue("300");
  rig.answers.message();
  EXPECT_TRUE(rig.mode.outputSizeTextFieldChange(0));
  ASSERT_EQ(rig.port.shown.size(), 2u);
  EXPECT_EQ(rig.port.shown[0].number, 1110);
  EXPECT_EQ(rig.port.shown[1].number, 1110);
  EXPECT_EQ(crop->getMagnification(), 200);
}

TEST(ExtendModeOutput, ASizeThatDoesNotFitShows1465) {
  const std::string folder =
      testenv::emptyFolderAt(std::filesystem::path(fnd::Paths::configDir()) / "advancedfit") + "/";
  Quirel_OutputSize own(40, 0, "Card", 1);
  own.setSize(1, 8.9, 12.7);
  ASSERT_TRUE(Quirel_OutputSizeFile::write(folder, {own}));
  FlowRig rig;
  rig.mode.setSettingFilePath(folder);
  const int named = 40;
  rig.mode.setMenuItem_OutputSizePopupBT();
  rig.mode.mOutSizePopup->selectAtRepresentedNumber(named);
  ASSERT_EQ(rig.mode.mOutSizePopup->getRepresentedNumber(), named);
  auto crop = rig.frame(0, 0, 30, 30, true, true);
  crop->setVisiblePreviewSize_Pixel96({40, 40});
  rig.answers.message();
  rig.mode.outputSizeChange(kPress);
  ASSERT_EQ(rig.port.shown.size(), 1u);
  EXPECT_EQ(rig.port.shown[0].number, 1465);
  EXPECT_EQ(crop->getOutputSize(), 0);
}

TEST(ExtendModeOutput, ListEditorDeletingASizeAnUnselectedThumbnailUsesMakesItFlexible) {
  const std::string folder =
      testenv::emptyFolderAt(std::filesystem::path(fnd::Paths::configDir()) / "advancedoutput") + "/";
  Quirel_OutputSize own(31, 0, "Photo", 0);
  own.setSize(0, 4, 6);
  ASSERT_TRUE(Quirel_OutputSizeFile::write(folder, {own}));
  FlowRig rig;
  rig.mode.setSettingFilePath(folder);
  rig.mode.createOutputSizeObjects();
  ASSERT_TRUE(rig.mode.getOutputSizeObject(31));
  rig.mode.mScanMode = 1;
  Quirel_ThumbnailInfo* selected = rig.mode.createEmptyThumbnailWithIndex(0);
  Quirel_ThumbnailInfo* unselected = rig.mode.createEmptyThumbnailWithIndex(1);
  for (Quirel_ThumbnailInfo* t : {selected, unselected}) {
    t->getCropInfo()->setVisiblePreviewSize_Pixel96({1200, 1800});
    t->getCropInfo()->setOutputSize(31);
  }
  selected->getCropInfo()->setSelect(true);
  unselected->getCropInfo()->setSelect(false);

  // The editor opens on its last entry: delete it (confirming) and save.
  kit::Application::shared().onNextModalWindow([](kit::Window& w) {
    // Its texts come from the data source's bundle when one answers, else they are the keys.
    auto find = [&w](const std::string& key) {
      kit::Button* b = buttonTitled(w.contentView(), editorText(key));
      return b ? b : buttonTitled(w.contentView(), key);
    };
    kit::Button* remove = find("IDC_OUTPUT_DELETE_BTN_STR");
    kit::Button* save = find("IDC_OUTPUT_SAVE_BTN_STR");
    Quirel_TableView* table = firstTable(w.contentView());
    EXPECT_TRUE(remove && save && table);
    if (!remove || !save || !table) return kit::Application::shared().abortModal();
    table->performClickOnRow(0);
    kit::Application::shared().onNextModalWindow([](kit::Window& box) {
      if (auto* m = dynamic_cast<Quirel_ShowMessageDialog*>(&box))
        m->okButton()->performClick();
      else
        kit::Application::shared().abortModal();
    });
    remove->performClick();
    // A save that cannot be pressed would leave the editor open: cancel it instead.
    if (save->isEnabled())
      save->performClick();
    else
      kit::Application::shared().abortModal();
  });
  rig.mode.outputSizeDialogOpen();
  EXPECT_EQ(kit::Application::shared().pendingModalResponders(), 0u);
  EXPECT_EQ(unselected->getCropInfo()->getOutputSize(), 0);
  EXPECT_EQ(selected->getCropInfo()->getOutputSize(), 0);
  EXPECT_FALSE(rig.mode.getOutputSizeObject(31));
  EXPECT_TRUE(Quirel_OutputSizeFile::read(folder).empty());
}

}  // namespace
