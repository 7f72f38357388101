// The basic panel's handlers as a user reaches them: the image-source pop-up between the three
// kinds of source, output size and direction, the correction check boxes, the colour-pattern
// dialog, calibration, and the preview's mouse events, each through its control's own action.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iostream>

#include "StandardModeTestRig.h"
#include "foundation/Bundle.h"
#include "foundation/RunLoop.h"
#include "kit/Application.h"
#include "kit/Button.h"
#include "kit/Event.h"
#include "kit/TextField.h"
#include "kit/Window.h"
#include "ui/adjust/ColorPatternDialog.h"
#include "ui/controls/CTRLS_ColorPatternButton.h"
#include "ui/controls/CTRLS_ImageSourcePopup.h"
#include "ui/controls/CTRLS_OutputSizePopup.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_STDCheckBox.h"
#include "ui/controls/CTRLS_STDDirectionButton.h"
#include "ui/controls/ColorPatternFrameView.h"
#include "ui/controls/PreviewView.h"
#include "ui/model/CropFrameViewLink.h"
#include "ui/model/CropInfo.h"
#include "ui/model/OutputSize.h"
#include "ui/model/OutputSizeFile.h"
#include "ui/controls/TableView.h"
#include "ui/windows/BookCorrectDialog.h"
#include "ui/windows/ShowMessageDialog.h"

namespace {

using namespace std_rig;
using modes_test::PostLog;

const std::vector<std::string> kHandlerNames{Quirel_PostNotification::kOverrideNotification, "changeInputSourcePost",
                                             "ExecuteCalibrationPost", "Preview_Scan"};

// Answers the next message box with OK or Cancel and keeps its number of showings.
struct MessageAnswers {
  void next(bool ok) {
    kit::Application::shared().onNextModalWindow([this, ok](kit::Window& w) {
      ++shown;
      auto* box = dynamic_cast<Quirel_ShowMessageDialog*>(&w);
      texts.push_back(box ? box->textField()->stringValue() : std::string("<no message>"));
      kit::Button* button = box ? (ok ? box->okButton() : box->cancelButton()) : nullptr;
      if (button)
        button->performClick();
      else
        kit::Application::shared().abortModal();
    });
  }
  int shown = 0;
  std::vector<std::string> texts;
};

struct HandlerRig : PanelRig {
  explicit HandlerRig(fnd::Dictionary flags = itemFlags(1700, fnd::Dictionary{{"ColorPattern", true}}))
      : PanelRig(flags) {
    mode.setUIMObject(&controller);
    mode.setUimParameterDic(&model);
    fnd::Dictionary p = itemParameters(fnd::Array{0, 1, 4, 5, 6}, fnd::Array{0, 1});
    mode.setStandardItem(&p, true);
    mode.setDefaultSetting(nullptr);
    mode.createOutputSizeObjects();
    mode.setMenuItem_OutputSizePopupBT(mode.getDestination());
    mode.setValueOfSelectedCrop(false);
  }
  void chooseSource(int value) {
    mode.getImgSrcPopup()->selectAtRepresentedNumber(value);
    mode.getImgSrcPopup()->ImgSrcPopupAction();
  }
  Quirel_CropInfo* addFrame(bool focus, bool selected = true) {
    Quirel_CropInfo* crop = mode.createCropWithView(fnd::Rect());
    crop->setInputRect_Pixel96({{100, 100}, {600, 400}});
    crop->setOutputSize_Pixel96({600, 400});
    crop->setResolution(300);
    crop->setColorMode(3);
    crop->setVisiblePreviewSize_Pixel96({2550, 3508});
    crop->setSelect(selected);
    if (focus) mode.setFocus(crop);
    return crop;
  }
  // Which boxes are shown and enabled for which source is the enabling code's business: here
  // the box is shown and enabled before the click.
  void tick(Row row, bool on = true) {
    Quirel_CTRLS_STDCheckBox* box = mode.getCorrectCheckBox(row);
    box->check(!on);
    for (kit::View* v = box->getCheckBox(); v; v = v->superview()) v->setHidden(false);
    box->setEnabled(true);
    box->getCheckBox()->performClick();
  }
  void openColourPattern() {
    mode.getColorPatternButton()->setEnabled(true);
    mode.getColorPatternButton()->ColorPatternBTAction();
  }
  int controller = 0;
  const fnd::Dictionary model = itemModelParameters();
  MessageAnswers answers;
};

}  // namespace

// ---- Image source ---------------------------------------------------------------------------

// The transition table: from one kind to another with a preview present, OK on the question.
TEST(StandardModeHandlers, ImageSourceTransitionsAskRememberSetTheModeAndPost) {
  struct Case {
    const char* name;
    int from, to;
    bool asks;
    int remembered;  // element that takes the left kind's values, -1 none
    int scanModeAfter;
    bool posts;
  };
  const Case cases[] = {
      {"platen to platen", 0, 1, false, -1, 0, false}, {"film to platen", 4, 0, true, 1, 0, true},
      {"ADF to platen", 6, 0, true, 0, 0, true},       {"platen to ADF", 0, 6, true, 0, 4, true},
      {"film to ADF", 4, 6, true, 1, 4, true},         {"film to film", 4, 5, true, 1, 3, true},
      {"platen to film", 0, 4, true, 0, 3, true},      {"ADF to film", 6, 4, true, -1, 3, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HandlerRig rig;
    if (c.from != 0) rig.chooseSource(c.from);  // no preview yet: no question
    ASSERT_EQ(rig.mode.getImageSource(), c.from);
    // The correction values of the source being left, on the template (no frames).
    rig.mode.mTemplateCrop->setRemoveDust(3);
    rig.mode.mTemplateCrop->setBookCorrect(3);
    const auto before = rig.mode.getImgSrcSetting();
    rig.mode.mHasPreview = true;
    PostLog log(kHandlerNames);
    const int shownBefore = rig.answers.shown;
    if (c.asks) rig.answers.next(true);
    rig.chooseSource(c.to);
    EXPECT_EQ(rig.answers.shown - shownBefore, c.asks ? 1 : 0);
    EXPECT_EQ(rig.mode.getImageSource(), c.to);
    EXPECT_EQ(rig.mode.mScanMode, c.scanModeAfter);
    EXPECT_EQ(log.count("changeInputSourcePost"), c.posts ? 1 : 0);
    if (const PostLog::Post* p = log.find("changeInputSourcePost")) {
      EXPECT_EQ(p->info.intValue("InputSource"), Quirel_StandardMode::inputSourceForImageSource(c.to));
    }
    const auto after = rig.mode.getImgSrcSetting();
    for (int e : {0, 1}) {
      if (e == c.remembered) {
        EXPECT_EQ(after[e].removeDust, 3) << e;
        EXPECT_EQ(after[e].book, 3) << e;
      } else {
        EXPECT_EQ(after[e], before[e]) << e;
      }
    }
    // Only a change within the platen kind keeps the preview, which is processed again.
    EXPECT_EQ(rig.mode.mHasPreview, !c.asks);
  }
}

TEST(StandardModeHandlers, CancelOnTheQuestionPutsThePopupBackAndChangesNothing) {
  HandlerRig rig;
  rig.addFrame(true);
  rig.mode.mHasPreview = true;
  PostLog log(kHandlerNames);
  rig.answers.next(false);
  rig.chooseSource(4);
  EXPECT_EQ(rig.answers.shown, 1);
  EXPECT_EQ(rig.mode.getImageSource(), 0);
  EXPECT_EQ(rig.mode.getImgSrcPopup()->getRepresentedNumber(), 0);
  EXPECT_EQ(rig.mode.mScanMode, 0);
  EXPECT_EQ(rig.mode.mCropList.size(), 1u);
  EXPECT_TRUE(rig.mode.mHasPreview);
  EXPECT_TRUE(log.posts.empty());
}

TEST(StandardModeHandlers, TheSameItemDoesNothingAndNoPreviewMeansNoQuestion) {
  HandlerRig rig;
  rig.addFrame(true);
  PostLog log(kHandlerNames);
  rig.chooseSource(0);
  EXPECT_TRUE(log.posts.empty());
  EXPECT_EQ(rig.mode.mCropList.size(), 1u);
  // Without a preview nothing is asked, and the frames of the platen go.
  rig.chooseSource(6);
  EXPECT_EQ(rig.answers.shown, 0);
  EXPECT_EQ(rig.mode.getImageSource(), 6);
  EXPECT_TRUE(rig.mode.mCropList.empty());
  EXPECT_TRUE(rig.mode.getADFLayout());
  rig.chooseSource(0);
  EXPECT_FALSE(rig.mode.getADFLayout());
}

TEST(StandardModeHandlers, LeavingTheFeederForFilmKeepsThePlatenValues) {
  HandlerRig rig;
  rig.mode.mTemplateCrop->setRemoveDust(3);
  rig.chooseSource(6);  // the platen's values go into element 0
  EXPECT_EQ(rig.mode.getImgSrcSetting()[0].removeDust, 3);
  rig.mode.mTemplateCrop->setRemoveDust(0);
  rig.chooseSource(4);
  EXPECT_EQ(rig.mode.getImgSrcSetting()[0].removeDust, 3);
  EXPECT_EQ(rig.mode.mScanMode, 3);
}

TEST(StandardModeHandlers, PlatenToPlatenWithAPreviewProcessesItAgainWithoutAScan) {
  HandlerRig rig;
  modes_test::RecordFiller filler;
  rig.addFrame(true);
  rig.mode.mHasPreview = true;
  PostLog log(kHandlerNames);
  rig.chooseSource(1);
  const PostLog::Post* request = log.find("Preview_Scan");
  EXPECT_NE(request, nullptr);
  EXPECT_EQ(rig.mode.mCropList.size(), 1u);
  EXPECT_EQ(rig.answers.shown, 0);
}

// ---- Output size and direction --------------------------------------------------------------

TEST(StandardModeHandlers, FreeSizeWithoutAFrameDoesNothingAFixedSizeMakesOne) {
  HandlerRig rig;
  Quirel_CTRLS_OutputSizePopup* popup = rig.mode.getOutputSizePopup();
  popup->selectAtRepresentedNumber(0);
  popup->OPSizePopupAction();
  EXPECT_TRUE(rig.mode.mCropList.empty());
  int fixed = 0;
  for (int i = 0; i < popup->getPopupBT()->numberOfItems() && fixed == 0; ++i)
    if (popup->getRepresentedNumberAtIndex(i) > 0) fixed = popup->getRepresentedNumberAtIndex(i);
  ASSERT_GT(fixed, 0);
  popup->selectAtRepresentedNumber(fixed);
  popup->OPSizePopupAction();
  ASSERT_EQ(rig.mode.mCropList.size(), 1u);
  EXPECT_TRUE(rig.mode.mCropList[0]->isSelected());
  EXPECT_TRUE(rig.mode.mCropList[0]->isFocus());
  EXPECT_EQ(rig.mode.mCropList[0]->getOutputSize(), fixed);
}

TEST(StandardModeHandlers, DirectionWithOnlyFreeSizeFramesChangesNoFrame) {
  HandlerRig rig;
  Quirel_CropInfo* crop = rig.addFrame(true);
  const SRectDouble before = crop->getInputRect_Pixel96();
  rig.mode.getDirectionButton()->DirectionBTAction();
  EXPECT_EQ(crop->getInputRect_Pixel96().size.width, before.size.width);
  EXPECT_EQ(crop->getInputRect_Pixel96().size.height, before.size.height);
  EXPECT_EQ(crop->getOutputSize(), 0);
}

// ---- Corrections ----------------------------------------------------------------------------

TEST(StandardModeHandlers, CheckBoxesWriteTheirValuesIntoSelectedFramesOrTheTemplate) {
  struct Case {
    Row row;
    int ticked;
    std::function<int(const Quirel_CropInfo&)> read;
  };
  const Case cases[] = {
      {Row::RemoveDust, 3, [](const Quirel_CropInfo& c) { return c.getRemoveDust(); }},
      {Row::ReduceDustFAU, 3, [](const Quirel_CropInfo& c) { return c.getReduceDustFAU(); }},
      {Row::Fading, 3, [](const Quirel_CropInfo& c) { return c.getFadingCorrect(); }},
      {Row::BackLight, 3, [](const Quirel_CropInfo& c) { return c.getBackLightCorrect(); }},
      {Row::AutoDoc, 1, [](const Quirel_CropInfo& c) { return c.getAutoDocCorrect(); }},
      {Row::AutoPhoto, 3, [](const Quirel_CropInfo& c) { return c.getAutoPhotoCorrect(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.row));
    {
      HandlerRig rig;  // no frames: the template
      rig.tick(c.row);
      EXPECT_EQ(c.read(*rig.mode.mTemplateCrop), c.ticked);
      rig.tick(c.row, false);
      EXPECT_EQ(c.read(*rig.mode.mTemplateCrop), 0);
    }
    HandlerRig rig;
    Quirel_CropInfo* selected = rig.addFrame(true, true);
    Quirel_CropInfo* other = rig.addFrame(false, false);
    const int otherBefore = c.read(*other);
    const int templateBefore = c.read(*rig.mode.mTemplateCrop);
    rig.tick(c.row);
    EXPECT_EQ(c.read(*selected), c.ticked);
    EXPECT_EQ(c.read(*other), otherBefore);
    EXPECT_EQ(c.read(*rig.mode.mTemplateCrop), templateBefore);
  }
}

TEST(StandardModeHandlers, TheBookNoticeShowsUntilItsBoxIsTicked) {
  HandlerRig rig;
  rig.mode.mBookCorrectMsg = true;
  int notices = 0;
  auto answerNotice = [&](bool tickIt) {
    kit::Application::shared().onNextModalWindow([&notices, tickIt](kit::Window& w) {
      auto* notice = dynamic_cast<Quirel_BookCorrectDialog*>(&w);
      if (!notice) return kit::Application::shared().abortModal();
      ++notices;
      if (tickIt) notice->checkBox()->performClick();
      notice->clickOkBtn();
    });
  };
  answerNotice(false);
  rig.tick(Row::Book);  // on: notice, not ticked
  EXPECT_EQ(rig.mode.mTemplateCrop->getBookCorrect(), 3);
  rig.tick(Row::Book, false);  // off: no notice
  answerNotice(true);
  rig.tick(Row::Book);  // on: notice, ticked
  EXPECT_FALSE(rig.mode.mBookCorrectMsg);
  rig.tick(Row::Book, false);
  rig.tick(Row::Book);  // on again: no more notice
  EXPECT_EQ(notices, 2);
  EXPECT_EQ(rig.mode.mTemplateCrop->getBookCorrect(), 3);
}

// ---- Colour pattern -------------------------------------------------------------------------

namespace {

void collectCells(kit::View& view, std::vector<Quirel_ColorPatternFrameView*>& cells) {
  if (auto* cell = dynamic_cast<Quirel_ColorPatternFrameView*>(&view)) cells.push_back(cell);
  for (kit::View* child : view.subviews()) collectCells(*child, cells);
}

void clickAt(kit::View& view) {
  kit::Window* w = view.window();
  const fnd::Rect r = view.convertRectToView(view.bounds(), nullptr);
  const fnd::Point at{r.midX(), r.midY()};
  kit::Application& app = kit::Application::shared();
  app.postEvent(kit::Event::mouseEvent(kit::EventType::LeftMouseDown, at, 0, w));
  app.postEvent(kit::Event::mouseEvent(kit::EventType::LeftMouseUp, at, 0, w));
  app.dispatchQueuedEvents();
}

void press(kit::Window& w, char key) {
  kit::Application& app = kit::Application::shared();
  app.postEvent(kit::Event::keyEvent(kit::EventType::KeyDown, std::string(1, key), 0, &w));
  app.postEvent(kit::Event::keyEvent(kit::EventType::KeyUp, std::string(1, key), 0, &w));
  app.dispatchQueuedEvents();
}

}  // namespace

TEST(StandardModeHandlers, ColourPatternEscapeKeepsTheFrameACellAndReturnSetItsBalance) {
  HandlerRig rig;
  Quirel_CropInfo* crop = rig.addFrame(true);
  crop->setColorBalance({7, 0, 0, 0});
  bool sawDialog = false;
  kit::Application::shared().onNextModalWindow([&](kit::Window& w) {
    sawDialog = true;
    press(w, kit::keys::kEscape);
  });
  rig.openColourPattern();
  EXPECT_TRUE(sawDialog);
  ColorBalanceValues b = crop->getColorBalance();
  EXPECT_EQ((std::vector<int>{b.chroma, b.cyanRed, b.magentaGreen, b.yellowBlue}), (std::vector<int>{7, 0, 0, 0}));

  int cells = 0;
  kit::Application::shared().onNextModalWindow([&](kit::Window& w) {
    std::vector<Quirel_ColorPatternFrameView*> found;
    collectCells(*w.contentView(), found);
    cells = static_cast<int>(found.size());
    if (found.empty()) return kit::Application::shared().abortModal();
    clickAt(*found[0]);  // a corner cell, away from the neutral centre
    press(w, '\r');
  });
  rig.openColourPattern();
  EXPECT_EQ(cells, Quirel_ColorPatternDialog::kCellCount);
  b = crop->getColorBalance();
  EXPECT_EQ(b.chroma, 7);
  EXPECT_NE((std::vector<int>{b.cyanRed, b.magentaGreen, b.yellowBlue}), (std::vector<int>{0, 0, 0}));
}

TEST(StandardModeHandlers, ColourPatternButtonDoesNothingWithoutTheFeature) {
  HandlerRig rig(itemFlags(1700));
  const std::size_t pending = kit::Application::shared().pendingModalResponders();
  rig.mode.colorPatternOpen(nullptr);
  EXPECT_FALSE(rig.mode.isModal());
  EXPECT_EQ(kit::Application::shared().pendingModalResponders(), pending);
}

// ---- Calibration and clearing ---------------------------------------------------------------

TEST(StandardModeHandlers, CalibrationUsesFilmModeTwoUnlessTheRequestNamesOne) {
  struct Case {
    int source;
    std::optional<int> named;
    int expected;
  };
  for (const Case& c : {Case{0, {}, 1}, Case{4, {}, 2}, Case{4, 1, 1}}) {
    SCOPED_TRACE(c.expected);
    // A scanner with no message of its own for a film calibration without a preview.
    HandlerRig rig(itemFlags(1700, fnd::Dictionary{{"CIS", false}, {"OneFrameFAU", false}}));
    if (c.source != 0) rig.chooseSource(c.source);
    PostLog log(kHandlerNames);
    fnd::Notification n{"CalibrationStart", nullptr, nullptr};
    if (c.named) n.userInfo = fnd::makeShared(fnd::Dictionary{{"CalibrationMode", *c.named}});
    // The message of the mode's calibration, when it has one, is answered with OK.
    ASSERT_EQ(kit::Application::shared().pendingModalResponders(), 0u);
    const bool asks = rig.mode.getCalibrationMassageID(c.expected) != -1;
    if (asks) rig.answers.next(true);
    rig.mode.calibrationStart(n);
    EXPECT_EQ(rig.answers.shown, asks ? 1 : 0);
    const PostLog::Post* post = log.find("ExecuteCalibrationPost");
    ASSERT_NE(post, nullptr);
    EXPECT_EQ(post->info.intValue("CalibrationMode"), c.expected);
    EXPECT_EQ(post->sender, &rig.controller);
  }
}

TEST(StandardModeHandlers, CancelOnTheCalibrationMessageLeavesPreviewAndFrames) {
  HandlerRig rig;
  rig.addFrame(true);
  rig.addFrame(false);
  rig.mode.mHasPreview = true;
  PostLog log(kHandlerNames);
  rig.answers.next(false);
  rig.mode.calibrationStart(fnd::Notification{"CalibrationStart", nullptr, nullptr});
  EXPECT_EQ(rig.answers.shown, 1);
  EXPECT_TRUE(rig.mode.mHasPreview);
  EXPECT_EQ(rig.mode.mCropList.size(), 2u);
  EXPECT_EQ(log.find("ExecuteCalibrationPost"), nullptr);
  // OK clears the preview and keeps only the focused frame's settings.
  rig.answers.next(true);
  rig.mode.calibrationStart(fnd::Notification{"CalibrationStart", nullptr, nullptr});
  EXPECT_FALSE(rig.mode.mHasPreview);
  EXPECT_LE(rig.mode.mCropList.size(), 1u);
  EXPECT_NE(log.find("ExecuteCalibrationPost"), nullptr);
}

// ---- Preview events -------------------------------------------------------------------------

TEST(StandardModeHandlers, PreviewEventsAreIgnoredWithoutEventInTheFeederAndOnFilmWithoutPreview) {
  auto down = [](HandlerRig& rig, bool withEvent) {
    Quirel_PreviewView* view = rig.mode.getPreviewView()->getImageView();
    const fnd::Rect r = view->convertRectToView(view->bounds(), nullptr);
    const kit::Event e = kit::Event::mouseEvent(kit::EventType::LeftMouseDown, {r.midX(), r.midY()}, 0,
                                                rig.mainWindow->getWindow());
    if (withEvent) {
      Quirel_PreviewView::postWithEvent(Quirel_PreviewView::kMouseEventPost, static_cast<kit::View*>(view), e);
      Quirel_PreviewView::postWithEvent(Quirel_PreviewView::kMouseEventPost, static_cast<kit::View*>(view),
                                        kit::Event::mouseEvent(kit::EventType::LeftMouseUp, {r.midX() + 60, r.midY() + 60},
                                                               0, rig.mainWindow->getWindow()));
    } else {
      fnd::NotificationCenter::defaultCenter().post(Quirel_PreviewView::kMouseEventPost, static_cast<kit::View*>(view));
    }
  };
  {
    HandlerRig rig;
    down(rig, false);
    EXPECT_TRUE(rig.mode.mCropList.empty());
  }
  for (int source : {6, 4}) {
    SCOPED_TRACE(source);
    HandlerRig rig;
    rig.chooseSource(source);
    down(rig, true);
    EXPECT_TRUE(rig.mode.mCropList.empty());
  }
}

TEST(StandardModeHandlers, ADragPostedByThePreviewDrawsAFrameOnThePlaten) {
  HandlerRig rig;
  Quirel_PreviewView* view = rig.mode.getPreviewView()->getImageView();
  rig.mainWindow->getWindow()->contentView()->addSubview(rig.previewFrame.getFrameView());
  rig.previewFrame.setFrameViewRect(400, 20, 440, 400);
  rig.mode.updatePreviewArea();
  const fnd::Rect r = view->convertRectToView(view->bounds(), nullptr);
  ASSERT_GT(r.size.width, 80);
  kit::Window* w = rig.mainWindow->getWindow();
  auto post = [&](kit::EventType type, double dx, double dy) {
    Quirel_PreviewView::postWithEvent(Quirel_PreviewView::kMouseEventPost, static_cast<kit::View*>(view),
                                      kit::Event::mouseEvent(type, {r.origin.x + dx, r.origin.y + dy}, 0, w));
  };
  post(kit::EventType::LeftMouseDown, 10, 10);
  post(kit::EventType::LeftMouseDragged, 60, 70);
  post(kit::EventType::LeftMouseUp, 60, 70);
  ASSERT_EQ(rig.mode.mCropList.size(), 1u);
  EXPECT_TRUE(rig.mode.mCropList[0]->isFocus());
  EXPECT_GT(rig.mode.mCropList[0]->getInputRect_Pixel96().size.width, 0);
}

// ---- A picture ------------------------------------------------------------------------------

// The main window's basic panel after the film source was chosen from the pop-up
// (standard_mode_film_source.png, in the test's working folder).
TEST(StandardModeHandlers, FilmSourcePicture) {
  PanelRig rig(std::make_shared<Quirel_PVLocalizedString>(fnd::Bundle::main().identifier()),
               itemFlags(1700, {{"FadingCorrect", true}, {"BackLightCorrect", true}, {"BookCorrect", true},
                                {"AutoDocCorrect", true}, {"ColorPattern", true}, {"CIS", false}}),
               560);
  const fnd::Dictionary model = itemModelParameters();
  rig.mode.setUimParameterDic(&model);
  rig.mode.createOutputSizeObjects();
  rig.mode.setStandardItem(&model.dictionary("StandardMode"), true);
  rig.mode.setDefaultSetting(nullptr);
  kit::Window& window = *rig.mainWindow->getWindow();
  rig.mainWindow->addWindowItem(rig.toolView->getToolView());
  rig.mainWindow->addWindowItem(rig.previewFrame.getFrameView());
  rig.toolView->setToolViewRect(400, 0, 440, 25);
  rig.previewFrame.setFrameViewRect(400, 20, 440, 400);
  rig.mode.showTab();
  rig.mode.didShowTabView();
  rig.mode.setEnabledAllControl(true);
  int film = -1;
  for (int i = 0; i < rig.mode.getImgSrcPopup()->getPopupBT()->numberOfItems() && film < 0; ++i) {
    const int v = rig.mode.getImgSrcPopup()->getRepresentedNumberAtIndex(i);
    if (v == 4 || v == 5) film = v;
  }
  ASSERT_GE(film, 0);
  rig.mode.getImgSrcPopup()->selectAtRepresentedNumber(film);
  rig.mode.getImgSrcPopup()->ImgSrcPopupAction();
  EXPECT_EQ(rig.mode.getImageSource(), film);
  EXPECT_TRUE(rig.mode.isFilmMode());
  const std::string png = (std::filesystem::current_path() / "standard_mode_film_source.png").string();
  std::filesystem::remove(png);
  window.makeKeyAndOrderFront();
  bool grabbed = false;
  fnd::RunLoop::main().performAfterDelay(0.05, [&] {
    window.contentView()->display();
    grabbed = window.grabToPng(png);
    fnd::RunLoop::main().stop();
  });
  fnd::RunLoop::main().runFor(fnd::RunLoopMode::Default, 5);
  EXPECT_TRUE(grabbed);
  std::cout << "gallery: " << png << "\n";
}

TEST(StandardModeHandlers, AnOutputSizeTooThinForThePreviewIsRefused) {
  HandlerRig rig;
  Quirel_CropInfo* crop = rig.addFrame(true);
  // A preview 30 pixels wide: any named size fitted into it is thinner than the smallest frame.
  crop->setVisiblePreviewSize_Pixel96({30, 3000});
  Quirel_CTRLS_OutputSizePopup* popup = rig.mode.getOutputSizePopup();
  int fixed = 0;
  for (int i = 0; i < popup->getPopupBT()->numberOfItems() && fixed == 0; ++i)
    if (popup->getRepresentedNumberAtIndex(i) > 0) fixed = popup->getRepresentedNumberAtIndex(i);
  ASSERT_GT(fixed, 0);
  rig.answers.next(true);
  popup->selectAtRepresentedNumber(fixed);
  popup->OPSizePopupAction();
  EXPECT_EQ(rig.answers.shown, 1);
  EXPECT_EQ(crop->getOutputSize(), 0);
  EXPECT_EQ(popup->getRepresentedNumber(), 0);
  // The same size fits a full-page preview.
  crop->setVisiblePreviewSize_Pixel96({2550, 3508});
  popup->selectAtRepresentedNumber(fixed);
  popup->OPSizePopupAction();
  EXPECT_EQ(rig.answers.shown, 1);
  EXPECT_EQ(crop->getOutputSize(), fixed);
}

// ---- The output-size editor -----------------------------------------------------------------

namespace {

template <class T>
void collectViews(kit::View& view, std::vector<T*>& found) {
  if (auto* v = dynamic_cast<T*>(&view)) found.push_back(v);
  for (kit::View* child : view.subviews()) collectViews(*child, found);
}

kit::Button* buttonTitled(kit::Window& w, const std::string& title) {
  std::vector<kit::Button*> buttons;
  collectViews(*w.contentView(), buttons);
  for (kit::Button* b : buttons)
    if (b->title() == title && !b->isHiddenOrHasHiddenAncestor()) return b;
  return nullptr;
}

}  // namespace

TEST(StandardModeHandlers, TheEditorDeletingASizeInUseTurnsItsFrameToFreeSize) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                    ("std-handlers-sizes-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string folder = dir.string() + "/";
  Quirel_OutputSize mine(11, 0, "InUse", 0);
  mine.setSize(0, 4, 6);
  ASSERT_TRUE(Quirel_OutputSizeFile::write(folder, {mine}));

  HandlerRig rig;
  rig.mode.setSettingFilePath(folder);
  rig.mode.createOutputSizeObjects();
  rig.mode.setMenuItem_OutputSizePopupBT(rig.mode.getDestination());
  Quirel_CropInfo* crop = rig.addFrame(true);
  Quirel_CTRLS_OutputSizePopup* popup = rig.mode.getOutputSizePopup();
  popup->selectAtRepresentedNumber(11);
  ASSERT_EQ(popup->getRepresentedNumber(), 11);
  popup->OPSizePopupAction();
  ASSERT_EQ(crop->getOutputSize(), 11);

  bool deleted = false, saved = false;
  std::string titles;
  kit::Application::shared().onNextModalWindow([&](kit::Window& w) {
    std::vector<kit::Button*> all;
    collectViews(*w.contentView(), all);
    for (kit::Button* b : all) titles += b->title() + "|";
    std::vector<Quirel_TableView*> tables;
    collectViews(*w.contentView(), tables);
    for (Quirel_TableView* t : tables)
      if (!t->isHiddenOrHasHiddenAncestor() && t->performClickOnRow(0)) break;
    // The rig has no localised strings: the buttons carry their keys.
    kit::Button* remove = buttonTitled(w, "IDC_OUTPUT_DELETE_BTN_STR");
    kit::Button* save = buttonTitled(w, "IDC_OUTPUT_SAVE_BTN_STR");
    if (!remove || !save) return kit::Application::shared().abortModal();
    rig.answers.next(true);  // "delete this entry?"
    deleted = remove->performClick();
    saved = save->performClick();
  });
  popup->selectAtRepresentedNumber(-1);
  popup->OPSizePopupAction();
  EXPECT_TRUE(deleted) << titles;
  EXPECT_TRUE(saved);
  EXPECT_EQ(crop->getOutputSize(), 0);
  EXPECT_FALSE(rig.mode.isModal());
  std::filesystem::remove_all(dir);
}
