// The basic mode's buttons on the preview toolbar and its preview with the two thumbnail arrows.

#include "ui/base/PVLocalizedString.h"
#include "ui/controls/CTRLS_NextThumbnailButton.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_PreviewFrame.h"
#include "ui/controls/CTRLS_TOOLButton.h"
#include "ui/controls/CTRLS_TOOLThumbnailButton.h"
#include "ui/controls/CTRLS_TOOLView.h"
#include "ui/controls/ColorButton.h"
#include "ui/controls/PreviewScrollView.h"
#include "ui/controls/PreviewShadowView.h"
#include "ui/controls/PreviewView.h"
#include "ui/controls/ToolButton.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/modes/toolbar/Toolbar.h"

namespace {

const fnd::Rect kStdToolButtonFrame(0, 0, 25, 25);

using StdToolSetter = void (Quirel_Toolbar::*)(Quirel_Toolbar::ToolButton, int);

// One plain toolbar button: its post, its three pictures, handed to the toolbar under the
// basic mode and added to the toolbar's view.
Quirel_ToolButton* stdToolButton(Quirel_Toolbar& toolbar, StdToolSetter setter, const char* post, const char* enter,
                                 const char* exit, const char* disable) {
  auto button = std::make_shared<Quirel_CTRLS_TOOLButton>();
  button->setToolBTRect(kStdToolButtonFrame);
  button->setToolbarBTActionPostNtf(post);
  button->setToolBTImage(enter, exit, disable ? disable : "", Quirel_StandardMode::kPictureBundle);
  (toolbar.*setter)(button, 0);
  if (Quirel_CTRLS_TOOLView* view = toolbar.getToolbarView()) view->setItem(button->getToolBT());
  return button->getToolBT();
}

std::shared_ptr<Quirel_CTRLS_TOOLThumbnailButton> stdThumbButton(const char* const on[3], const char* const off[3]) {
  auto button = std::make_shared<Quirel_CTRLS_TOOLThumbnailButton>();
  button->setToolBTRect(kStdToolButtonFrame);
  button->setThumbnailOnImage(on[0], on[1], on[2] ? on[2] : "", Quirel_StandardMode::kPictureBundle);
  button->setThumbnailOffImage(off[0], off[1], off[2] ? off[2] : "", Quirel_StandardMode::kPictureBundle);
  return button;
}

}  // namespace

void Quirel_StandardMode::createToolBarItem(Quirel_Toolbar* toolbar) {
  if (!toolbar || mToolbar) return;
  mToolbar = toolbar;
  if (panelVer(1500))
    createToolBarItem_V15();
  else
    createToolBarItem_V14();
}

void Quirel_StandardMode::createToolBarItem_V14() {
  Quirel_Toolbar& tb = *mToolbar;
  auto stdToolButton = [this](Quirel_Toolbar& toolbar, StdToolSetter setter, const char* post, const char* enter,
                              const char* exit, const char* disable) {
    observeToolButton(post, ::stdToolButton(toolbar, setter, post, enter, exit, disable));
  };
  const bool v14 = panelVer(1400);
  auto dis = [v14](const char* name) { return v14 ? name : nullptr; };
  const char* on[3] = {"ToolThmbOnL_on.icns", "ToolThmbOnL_off.icns", dis("ToolThmbOnL_dis.icns")};
  const char* off[3] = {"ToolThmbOffL_on.icns", "ToolThmbOffL_off.icns", dis("ToolThmbOffL_dis.icns")};
  auto film = stdThumbButton(on, off);
  tb.setFilmThumbnailButton(film, 0);
  if (Quirel_CTRLS_TOOLView* view = tb.getToolbarView()) view->setItem(film->getToolBT());
  stdToolButton(tb, &Quirel_Toolbar::setMirrorButton, "ToolMirrorButtonPost", "ToolMirrorL_on.icns",
                "ToolMirrorL_off.icns", dis("ToolMirrorL_dis.icns"));
  stdToolButton(tb, &Quirel_Toolbar::setLeftRotateButton, "ToolLeftRotateButtonPost", "ToolLeftRotateL_on.icns",
                "ToolLeftRotateL_off.icns", dis("ToolLeftRotateL_dis.icns"));
  stdToolButton(tb, &Quirel_Toolbar::setRightRotateButton, "ToolRightRotateButtonPost", "ToolRightRotateL_on.icns",
                "ToolRightRotateL_off.icns", dis("ToolRightRotateL_dis.icns"));
  stdToolButton(tb, &Quirel_Toolbar::setAllCheckButton, "ToolAllCheckButtonPost", "ToolCheckOnL_on.icns",
                "ToolCheckOnL_off.icns", dis("ToolCheckOnL_dis.icns"));
  stdToolButton(tb, &Quirel_Toolbar::setAllCheckResetButton, "ToolAllCheckResetButtonPost", "ToolCheckOffL_on.icns",
                "ToolCheckOffL_off.icns", dis("ToolCheckOffL_dis.icns"));
  stdToolButton(tb, &Quirel_Toolbar::setScanInfoButton, "ToolScanInfoButtonPost", "ToolScanInfoL_on.icns",
                "ToolScanInfoL_off.icns", dis("ToolScanInfoL_dis.icns"));
  stdToolButton(tb, &Quirel_Toolbar::setHelpButton, "ToolHelpButtonPost", "ToolHelpL_on.icns", "ToolHelpL_off.icns",
                dis("ToolHelpL_dis.icns"));
  stdToolButton(tb, &Quirel_Toolbar::setAutoCropButton, "ToolAutoCropButtonPost", "ToolAutoCropL_on.icns",
                "ToolAutoCropL_off.icns", dis("ToolAutoCropL_dis.icns"));
  stdToolButton(tb, &Quirel_Toolbar::setDeleteCropButton, "ToolDeleteCropButtonPost", "ToolDeleteCropL_on.icns",
                "ToolDeleteCropL_off.icns", dis("ToolDeleteCropL_dis.icns"));
  film->setThumbnailMode(true);
  mFilmThumbnailBtn = film;
  observeThumbnailButtons();
}

void Quirel_StandardMode::createToolBarItem_V15() {
  Quirel_Toolbar& tb = *mToolbar;
  auto stdToolButton = [this](Quirel_Toolbar& toolbar, StdToolSetter setter, const char* post, const char* enter,
                              const char* exit, const char* disable) {
    observeToolButton(post, ::stdToolButton(toolbar, setter, post, enter, exit, disable));
  };
  Quirel_CTRLS_TOOLView* view = tb.getToolbarView();
  std::shared_ptr<Quirel_CTRLS_TOOLThumbnailButton> platen;
  if (mScannerInfo && mScannerInfo->platenThumbnail()) {
    const char* on[3] = {"TB_PLATEN_S.tiff", "TB_PLATEN_N.tiff", "TB_PLATEN_G.tiff"};
    const char* off[3] = {"TB_PHOTO_S.tiff", "TB_PHOTO_N.tiff", "TB_PHOTO_G.tiff"};
    platen = stdThumbButton(on, off);
    tb.setPlatenThumbnailButton(platen, 0);
    if (view) view->setItem(platen->getToolBT());
  }
  const char* on[3] = {"TB_MOUNT_S.tiff", "TB_MOUNT_N.tiff", "TB_MOUNT_G.tiff"};
  const char* off[3] = {"TB_FILM_S.tiff", "TB_FILM_N.tiff", "TB_FILM_G.tiff"};
  auto film = stdThumbButton(on, off);
  tb.setFilmThumbnailButton(film, 0);
  if (view) view->setItem(film->getToolBT());
  stdToolButton(tb, &Quirel_Toolbar::setAutoCropButton, "ToolAutoCropButtonPost", "TB_SEL_FIT_S.tiff",
                "TB_SEL_FIT_N.tiff", "TB_SEL_FIT_G.tiff");
  stdToolButton(tb, &Quirel_Toolbar::setDeleteCropButton, "ToolDeleteCropButtonPost", "TB_SEL_DEL_S.tiff",
                "TB_SEL_DEL_N.tiff", "TB_SEL_DEL_G.tiff");
  stdToolButton(tb, &Quirel_Toolbar::setSelectAllCropButton, "ToolSelectAllCropButtonPost", "TB_SELECT_CLOP_S.tiff",
                "TB_SELECT_CLOP_N.tiff", "TB_SELECT_CLOP_G.tiff");
  stdToolButton(tb, &Quirel_Toolbar::setMirrorButton, "ToolMirrorButtonPost", "TB_INVERT_S.tiff", "TB_INVERT_N.tiff",
                "TB_INVERT_G.tiff");
  stdToolButton(tb, &Quirel_Toolbar::setLeftRotateButton, "ToolLeftRotateButtonPost", "TB_TURN_LEFT_S.tiff",
                "TB_TURN_LEFT_N.tiff", "TB_TURN_LEFT_G.tiff");
  stdToolButton(tb, &Quirel_Toolbar::setRightRotateButton, "ToolRightRotateButtonPost", "TB_TURN_RIGHT_S.tiff",
                "TB_TURN_RIGHT_N.tiff", "TB_TURN_RIGHT_G.tiff");
  stdToolButton(tb, &Quirel_Toolbar::setAllCheckButton, "ToolAllCheckButtonPost", "TB_SEL_ALL_S.tiff",
                "TB_SEL_ALL_N.tiff", "TB_SEL_ALL_G.tiff");
  stdToolButton(tb, &Quirel_Toolbar::setAllCheckResetButton, "ToolAllCheckResetButtonPost", "TB_SEL_ALLDEL_S.tiff",
                "TB_SEL_ALLDEL_N.tiff", "TB_SEL_ALLDEL_G.tiff");
  stdToolButton(tb, &Quirel_Toolbar::setSelectAllFrameButton, "ToolSelectAllFrameButtonPost",
                "TB_SELECT_KOMA_S.tiff", "TB_SELECT_KOMA_N.tiff", "TB_SELECT_KOMA_G.tiff");
  stdToolButton(tb, &Quirel_Toolbar::setScanInfoButton, "ToolScanInfoButtonPost", "TB_INFO_S.tiff", "TB_INFO_N.tiff",
                "TB_INFO_G.tiff");
  stdToolButton(tb, &Quirel_Toolbar::setHelpButton, "ToolHelpButtonPost", "TB_HELP_S.tiff", "TB_HELP_N.tiff",
                "TB_HELP_G.tiff");
  if (platen) platen->setThumbnailMode(false);
  film->setThumbnailMode(true);
  mFilmThumbnailBtn = film;
  mPlatenThumbnailBtn = platen;
  observeThumbnailButtons();
}

void Quirel_StandardMode::createPreviewAreaItem(Quirel_CTRLS_PreviewFrame* previewFrame) {
  if (!previewFrame || mPreviewFrame) return;
  mPreviewFrame = previewFrame;
  mPreview = Quirel_CTRLS_Preview::initForStandardMode();
  mPreview->setScrollViewRect(0, 0, 100, 100);
  mPreview->setImageViewRect(fnd::Rect(0, 0, 100, 100));
  mPreview->setPlatenTitle(uiText("IDS_PREVIEW_GUIDE").c_str());
  mPreview->setADFTitle(uiText("IDS_PREVIEW_GUIDE_ADF").c_str());
  mPreview->setTitleRect(0, 0, 300, 100);

  mNextThumbnailBtn = std::make_unique<Quirel_CTRLS_NextThumbnailButton>();
  if (panelVer(1500)) {
    mNextThumbnailBtn->setBackBTRect(10, 10, 23, 23);
    mNextThumbnailBtn->setBackBTImage("BACK_S.tiff", "BACK_N.tiff", "BACK_C.tiff", "BACK_G.tiff", kPictureBundle);
    mNextThumbnailBtn->setNextBTRect(35, 10, 23, 23);
    mNextThumbnailBtn->setNextBTImage("NEXT_S.tiff", "NEXT_N.tiff", "NEXT_C.tiff", "NEXT_G.tiff", kPictureBundle);
  } else {
    mNextThumbnailBtn->setBackBTRect(10, 10, 19, 19);
    mNextThumbnailBtn->setBackBTImage("BtnBackThumb_On.tiff", "BtnBackThumb_Off.tiff", "BtnBackThumb_Down.tiff", "",
                                      kPictureBundle);
    mNextThumbnailBtn->setNextBTRect(35, 10, 19, 19);
    mNextThumbnailBtn->setNextBTImage("BtnNextThumb_On.tiff", "BtnNextThumb_Off.tiff", "BtnNextThumb_Down.tiff", "",
                                      kPictureBundle);
  }
  mPreviewFrame->setSimplePreview(mPreview->getShadowView(), mPreview->getShadowViewRect());
  mPreviewFrame->setSimplePreview(mPreview->getScrollView(), mPreview->getScrollViewRect());
  mPreviewFrame->addView(mNextThumbnailBtn->getNextBT(), mNextThumbnailBtn->getNextBTRect());
  mPreviewFrame->addView(mNextThumbnailBtn->getBackBT(), mNextThumbnailBtn->getBackBTRect());
  mNextThumbnailBtn->setHidden(true);
  observePreviewEvents();
  registObserver(mNextThumbnailBtn->getNextBT(), [this](const fnd::Notification& n) { nextThumbnail(&n); },
                 Quirel_CTRLS_NextThumbnailButton::kNextPost);
  registObserver(mNextThumbnailBtn->getBackBT(), [this](const fnd::Notification& n) { backThumbnail(&n); },
                 Quirel_CTRLS_NextThumbnailButton::kBackPost);
  if (mPreview->getImageView())
    registObserver(mPreview->getImageView(), [this](const fnd::Notification& n) { deleteKeyDownOnPreview(&n); },
                   Quirel_PreviewView::kDeleteKeyPost);
}
