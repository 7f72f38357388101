// The advanced mode's buttons on the shared preview toolbar, in two generations of look, and
// its preview with the two thumbnail arrows. Each button posts its own notification, heard
// only from that button.

#include <algorithm>

#include "ui/base/PVLocalizedString.h"
#include "ui/controls/CTRLS_ADVNextThumbnailButton.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_PreviewFrame.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/CTRLS_TOOLAllCropPushButton.h"
#include "ui/controls/CTRLS_TOOLAllFramePushButton.h"
#include "ui/controls/CTRLS_TOOLButton.h"
#include "ui/controls/CTRLS_TOOLMultiCropButton.h"
#include "ui/controls/CTRLS_TOOLThumbnailButton.h"
#include "ui/controls/CTRLS_TOOLView.h"
#include "ui/controls/ColorButton.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/PreviewScrollView.h"
#include "ui/controls/PreviewShadowView.h"
#include "ui/controls/PreviewView.h"
#include "ui/controls/ToolButton.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/modes/toolbar/Toolbar.h"

namespace {

constexpr const char* kExtPictureBundle = "quirel_r14";
constexpr const char* kToolButtonDownPost = "TOOLBUTTON_DOWN";

using ExtToolSetter = void (Quirel_Toolbar::*)(Quirel_Toolbar::ToolButton, int);
using ExtToolSetterNoMode = void (Quirel_Toolbar::*)(Quirel_Toolbar::ToolButton);

// One row of the table: the action's post, the two looks' picture stems and the forwarder.
struct ExtToolRow {
  const char* post;
  const char* olderStem;  // none: the row is of the newer look only
  const char* newerStem;
  Quirel_ExtendMode::Forwarder forwarder;
  ExtToolSetter setter;          // with the mode argument
  ExtToolSetterNoMode setterNoMode;  // the advanced set only
  bool offState;                 // in both looks
  bool offStateNewerOnly;
};

const void* toolIdentity(const Quirel_ToolButton* button) { return static_cast<const void*>(button); }

}  // namespace

void Quirel_ExtendMode::createToolBarItem(Quirel_Toolbar* toolbar) {
  if (!toolbar || mToolbar == toolbar) return;
  mToolbar = toolbar;
  if (ver(&Quirel_UIScannerInfo::isVer1500Later))
    createToolBarItem_V15();
  else
    createToolBarItem_V14();
}

namespace {

// Rows 3 to 16 of the table; both looks share them, in this order.
std::vector<ExtToolRow> extCommonRows() {
  using M = Quirel_ExtendMode;
  using T = Quirel_Toolbar;
  return {
      {"ToolShowAllCropButtonPost", "ToolShowAllCropS", "TB_CLOP_AUTO", &M::ntf_toolShowAllCropButtonClick, nullptr,
       &T::setShowAllCropButton, false, false},
      {"ToolClearPrevButtonPost", "ToolClearPrev", "TB_PRE_CLEAR", &M::ntf_toolClearPrevButtonClick, nullptr,
       &T::setClearPrevButton, false, false},
      {"ToolCropButtonPost", "ToolCreateCrop", "TB_CLOP_MANUAL", &M::ntf_toolCropButtonClick, nullptr,
       &T::setCropButton, true, false},
      {"ToolHandButtonPost", "ToolHand", "TB_GRAB", &M::ntf_toolHandButtonClick, nullptr, &T::setHandButton, true,
       false},
      {"ToolZoomButtonPost", "ToolZoom", "TB_HANDGRASS", &M::ntf_toolZoomButtonClick, nullptr, &T::setZoomButton,
       false, true},
      {"ToolMirrorButtonPost", "ToolMirror", "TB_INVERT", &M::ntf_toolMirrorButtonClick, &T::setMirrorButton, nullptr,
       false, false},
      {"ToolLeftRotateButtonPost", "ToolLeftRotate", "TB_TURN_LEFT", &M::ntf_toolLeftRotateButtonClick,
       &T::setLeftRotateButton, nullptr, false, false},
      {"ToolRightRotateButtonPost", "ToolRightRotate", "TB_TURN_RIGHT", &M::ntf_toolRightRotateButtonClick,
       &T::setRightRotateButton, nullptr, false, false},
      {"ToolAllCheckButtonPost", "ToolCheckOnS", "TB_SEL_ALL", &M::ntf_toolAllCheckButtonClick,
       &T::setAllCheckButton, nullptr, false, false},
      {"ToolAllCheckResetButtonPost", "ToolCheckOffS", "TB_SEL_ALLDEL", &M::ntf_toolAllCheckResetButtonClick,
       &T::setAllCheckResetButton, nullptr, false, false},
      {"ToolScanInfoButtonPost", "ToolScanInfo", "TB_INFO", &M::ntf_toolScanInfoButtonClick, &T::setScanInfoButton,
       nullptr, false, false},
      {"ToolHelpButtonPost", "ToolHelp", "TB_HELP", &M::ntf_toolHelpButtonClick, &T::setHelpButton, nullptr, false,
       false},
      {"ToolAutoCropButtonPost", "ToolAutoCrop", "TB_SEL_FIT", &M::ntf_toolAutoCropButtonClick, &T::setAutoCropButton,
       nullptr, false, false},
      {"ToolDeleteCropButtonPost", "ToolDeleteCrop", "TB_SEL_DEL", &M::ntf_toolDeleteCropButtonClick,
       &T::setDeleteCropButton, nullptr, false, false},
  };
}

struct ExtPictures {
  std::string on, off, disable;
};

ExtPictures extPictures(const char* stem, bool newer, bool withDisabled) {
  const std::string s = stem;
  if (newer) return {s + "_S.tiff", s + "_N.tiff", s + "_G.tiff"};
  return {s + "_on.icns", s + "_off.icns", withDisabled ? s + "_dis.icns" : std::string()};
}

// The tool button of `row` in `frame` with its pictures, posting its notification (with no state
// when `offState`), handed to the toolbar.
std::shared_ptr<Quirel_CTRLS_TOOLButton> extToolButton(Quirel_Toolbar& tb, const ExtToolRow& row, bool offState,
                                                       const fnd::Rect& frame, const ExtPictures& p) {
  std::shared_ptr<Quirel_CTRLS_TOOLButton> b =
      row.post == std::string("ToolShowAllCropButtonPost") ? std::shared_ptr<Quirel_CTRLS_TOOLButton>(
                                                                 Quirel_CTRLS_TOOLButton::initWithShowAllCropBT())
                                                           : std::make_shared<Quirel_CTRLS_TOOLButton>();
  if (offState)
    b->setToolbarBTActionPostNtf(row.post, 0);
  else
    b->setToolbarBTActionPostNtf(row.post);
  b->setToolBTRect(frame);
  b->setToolBTImage(p.on, p.off, p.disable, kExtPictureBundle);
  if (row.setter)
    (tb.*row.setter)(b, 1);
  else
    (tb.*row.setterNoMode)(b);
  return b;
}

}  // namespace

// The steps both looks share: the thumbnail buttons first, then the common rows, then the
// look's own select buttons; the observers of every button bound to that button.
void Quirel_ExtendMode::createToolBarItem_V15() {
  Quirel_Toolbar& tb = *mToolbar;
  Quirel_CTRLS_TOOLView* view = tb.getToolbarView();
  const fnd::Rect frame(0, 0, 40, 40);
  auto observeTool = [this](const Quirel_ToolButton* button, Forwarder forwarder, const char* post) {
    registForwarder(toolIdentity(button), forwarder, post);
    registForwarder(toolIdentity(button), &Quirel_ExtendMode::ntf_enterTextFByOtherControls, kToolButtonDownPost);
  };
  auto thumb = [&](const char* onStem, const char* offStem) {
    auto b = std::make_shared<Quirel_CTRLS_TOOLThumbnailButton>();
    b->setToolBTRect(frame);
    const ExtPictures on = extPictures(onStem, true, true), off = extPictures(offStem, true, true);
    b->setThumbnailOnImage(on.on, on.off, on.disable, kExtPictureBundle);
    b->setThumbnailOffImage(off.on, off.off, off.disable, kExtPictureBundle);
    return b;
  };
  std::shared_ptr<Quirel_CTRLS_TOOLThumbnailButton> platen;
  if (mScannerInfo && mScannerInfo->platenThumbnail()) {
    platen = thumb("TB_PLATEN", "TB_PHOTO");
    tb.setPlatenThumbnailButton(platen, 1);
    if (view) view->setItem(platen->getToolBT());
  }
  auto film = thumb("TB_MOUNT", "TB_FILM");
  tb.setFilmThumbnailButton(film, 1);
  if (view) view->setItem(film->getToolBT());

  std::vector<ExtToolRow> rows = extCommonRows();
  rows.push_back({"ToolSelectAllCropButtonPost", nullptr, "TB_SELECT_CLOP", &Quirel_ExtendMode::ntf_toolSelectAllCropButtonClick,
                  &Quirel_Toolbar::setSelectAllCropButton, nullptr, false, false});
  rows.push_back({"ToolSelectAllFrameButtonPost", nullptr, "TB_SELECT_KOMA",
                  &Quirel_ExtendMode::ntf_toolSelectAllFrameButtonClick, &Quirel_Toolbar::setSelectAllFrameButton,
                  nullptr, false, false});
  std::shared_ptr<Quirel_CTRLS_TOOLButton> selectAllFrame;
  for (const ExtToolRow& row : rows) {
    const std::shared_ptr<Quirel_CTRLS_TOOLButton> b =
        extToolButton(tb, row, row.offState || row.offStateNewerOnly, frame, extPictures(row.newerStem, true, true));
    if (view) view->setItem(b->getToolBT());
    observeTool(b->getToolBT(), row.forwarder, row.post);
    if (row.setter == &Quirel_Toolbar::setSelectAllFrameButton) selectAllFrame = b;
  }
  if (platen) {
    platen->setThumbnailMode(false);
    observeTool(platen->getToolBT(), &Quirel_ExtendMode::ntf_toolPlatenThumbnailButtonClick,
                Quirel_CTRLS_TOOLThumbnailButton::kThumbnailPost);
  }
  film->setThumbnailMode(true);
  observeTool(film->getToolBT(), &Quirel_ExtendMode::ntf_toolFilmThumbnailButtonClick,
              Quirel_CTRLS_TOOLThumbnailButton::kThumbnailPost);
  if (selectAllFrame) selectAllFrame->setHidden(true);
}

void Quirel_ExtendMode::createToolBarItem_V14() {
  Quirel_Toolbar& tb = *mToolbar;
  Quirel_CTRLS_TOOLView* view = tb.getToolbarView();
  const fnd::Rect frame(0, 0, 25, 25);
  const bool withDisabled = ver(&Quirel_UIScannerInfo::isVer1400Later);
  auto observeTool = [this](const Quirel_ToolButton* button, Forwarder forwarder, const char* post) {
    registForwarder(toolIdentity(button), forwarder, post);
    registForwarder(toolIdentity(button), &Quirel_ExtendMode::ntf_enterTextFByOtherControls, kToolButtonDownPost);
  };
  auto film = std::make_shared<Quirel_CTRLS_TOOLThumbnailButton>();
  film->setToolBTRect(frame);
  const ExtPictures on = extPictures("ToolThmbOn", false, withDisabled);
  const ExtPictures off = extPictures("ToolThmbOff", false, withDisabled);
  film->setThumbnailOnImage(on.on, on.off, on.disable, kExtPictureBundle);
  film->setThumbnailOffImage(off.on, off.off, off.disable, kExtPictureBundle);
  tb.setFilmThumbnailButton(film, 1);
  if (view) view->setItem(film->getToolBT());

  for (const ExtToolRow& row : extCommonRows()) {
    const std::shared_ptr<Quirel_CTRLS_TOOLButton> b =
        extToolButton(tb, row, row.offState, frame, extPictures(row.olderStem, false, withDisabled));
    if (view) view->setItem(b->getToolBT());
    observeTool(b->getToolBT(), row.forwarder, row.post);
  }

  // The three push buttons: 130 wide, or the title's natural width and 10 when that is wider.
  auto fitPush = [this](Quirel_CTRLS_PushButton& b, const std::string& title) {
    b.setPushBTRect(60, -2, 130, 25);
    b.setPushBTTitle(title);
    const double natural = b.getPushBT()->font().widthOfString(title);
    const fnd::Rect r = b.getPushBTRect();
    b.setPushBTRect(r.origin.x, r.origin.y, natural < 130 ? 130 : natural + 10, r.size.height);
  };
  auto observePush = [this](const Quirel_NoFocusButton* button, Forwarder forwarder, const char* post) {
    registForwarder(static_cast<const void*>(button), forwarder, post);
    registForwarder(static_cast<const void*>(button), &Quirel_ExtendMode::ntf_enterTextFByOtherControls,
                    "BUTTON_DOWN");
  };
  auto allCrop = std::make_shared<Quirel_CTRLS_TOOLAllCropPushButton>();
  fitPush(*allCrop, uiText("IDMAC_TOOL_BTN_SELALLCROP"));
  tb.setSelectAllCropPushButton(allCrop);
  if (view) view->setItem(allCrop->getPushBT());
  auto allFrame = std::make_shared<Quirel_CTRLS_TOOLAllFramePushButton>();
  fitPush(*allFrame, uiText("IDMAC_TOOL_BTN_SELALLFRAME"));
  tb.setSelectAllFramePushButton(allFrame);
  if (view) view->setItem(allFrame->getPushBT());
  auto multi = std::make_shared<Quirel_CTRLS_TOOLMultiCropButton>();
  // The first title shows while multi-crop is on (it turns it off), the second while it is off.
  const std::string whileOn = uiText("IDS_AGLOCK_OFF");
  const std::string whileOff = uiText("IDMAC_TOOL_BTN_MULTICROP");
  multi->setPushBTTitle(whileOn.c_str(), whileOff.c_str());
  fitPush(*multi, whileOff);
  multi->setState(false);
  tb.setMultiCropButton(multi);
  if (view) view->setItem(multi->getPushBT());

  film->setThumbnailMode(true);
  allFrame->setHidden(true);
  multi->setState(false);
  observeTool(film->getToolBT(), &Quirel_ExtendMode::ntf_toolFilmThumbnailButtonClick,
              Quirel_CTRLS_TOOLThumbnailButton::kThumbnailPost);
  observePush(allCrop->getPushBT(), &Quirel_ExtendMode::ntf_toolSelectAllCropButtonClick,
              Quirel_CTRLS_TOOLAllCropPushButton::kSelectAllCropPost);
  observePush(allFrame->getPushBT(), &Quirel_ExtendMode::ntf_toolSelectAllFrameButtonClick,
              Quirel_CTRLS_TOOLAllFramePushButton::kSelectAllFramePost);
  observePush(multi->getPushBT(), &Quirel_ExtendMode::ntf_toolMultiCropButtonClick,
              Quirel_CTRLS_TOOLMultiCropButton::kMultiCropPost);
}

void Quirel_ExtendMode::createPreviewAreaItem(Quirel_CTRLS_PreviewFrame* previewFrame) {
  if (!previewFrame || mPreviewFrame) return;
  mPreviewFrame = previewFrame;
  mPreview = Quirel_CTRLS_Preview::initForExtendMode();
  mPreview->setScrollViewRect(0, 0, 100, 100);
  mPreview->setImageViewRect(fnd::Rect(0, 0, 100, 100));
  mPreview->setADFTitle(uiText("IDS_PREVIEW_GUIDE2").c_str());
  mPreview->setTitleRect(0, 0, 280, 340);
  mPreview->setHiddenTitle(true);

  auto arrows = std::make_unique<Quirel_CTRLS_ADVNextThumbnailButton>();
  Quirel_CTRLS_ADVNextThumbnailButton& pair = *arrows;
  if (ver(&Quirel_UIScannerInfo::isVer1500Later)) {
    pair.setBackBTRect(10, 10, 23, 23);
    pair.setNextBTRect(35, 10, 23, 23);
    pair.setBackBTImage("BACK_S.tiff", "BACK_N.tiff", "BACK_C.tiff", "BACK_G.tiff", kExtPictureBundle);
    pair.setNextBTImage("NEXT_S.tiff", "NEXT_N.tiff", "NEXT_C.tiff", "NEXT_G.tiff", kExtPictureBundle);
  } else {
    pair.setBackBTRect(10, 10, 19, 19);
    pair.setNextBTRect(35, 10, 19, 19);
    pair.setBackBTImage("BtnBackThumb_On.tiff", "BtnBackThumb_Off.tiff", "BtnBackThumb_Down.tiff", "",
                        kExtPictureBundle);
    pair.setNextBTImage("BtnNextThumb_On.tiff", "BtnNextThumb_Off.tiff", "BtnNextThumb_Down.tiff", "",
                        kExtPictureBundle);
  }
  mNextThumbnailBtn = std::move(arrows);
  mPreviewFrame->setAdvancedPreview(mPreview->getShadowView(), mPreview->getShadowViewRect());
  mPreviewFrame->setAdvancedPreview(mPreview->getScrollView(), mPreview->getScrollViewRect());
  mPreviewFrame->addView(pair.getNextBT(), pair.getNextBTRect());
  mPreviewFrame->addView(pair.getBackBT(), pair.getBackBTRect());
  pair.setHidden(true);

  if (Quirel_PreviewView* image = mPreview->getImageView()) {
    const void* v = static_cast<const void*>(image);
    registForwarder(v, &Quirel_ExtendMode::ntf_deleteKeyDownOnPreview, Quirel_PreviewView::kDeleteKeyPost);
    registForwarder(v, &Quirel_ExtendMode::ntf_mouseEventOnPreview, Quirel_PreviewView::kMouseEventPost);
    registForwarder(v, &Quirel_ExtendMode::ntf_mouseExitedOnPreview, Quirel_PreviewView::kMouseExitedPost);
    registForwarder(v, &Quirel_ExtendMode::ntf_enterTextFByOtherControls, "VIEW_DOWN");
    registForwarder(v, &Quirel_ExtendMode::ntf_previewViewUpdateCursorRects, Quirel_PreviewView::kUpdateCursorRectsPost);
  }
  const void* next = static_cast<const void*>(pair.getNextBT());
  const void* back = static_cast<const void*>(pair.getBackBT());
  registForwarder(next, &Quirel_ExtendMode::ntf_nextThumbnail, Quirel_CTRLS_ADVNextThumbnailButton::kAdvNextPost);
  registForwarder(next, &Quirel_ExtendMode::ntf_enterTextFByOtherControls, "BUTTON_DOWN");
  registForwarder(back, &Quirel_ExtendMode::ntf_backThumbnail, Quirel_CTRLS_ADVNextThumbnailButton::kAdvBackPost);
  registForwarder(back, &Quirel_ExtendMode::ntf_enterTextFByOtherControls, "BUTTON_DOWN");
}
