// The advanced mode's six floating adjustment dialogs: made once, opened and closed from the
// image-settings buttons in a cascade under the main window's top-right corner, hidden and
// reopened with the colour mode, saved and restored as a dictionary, and the histogram's
// eyedropper tool.

#include <algorithm>

#include "kit/Window.h"
#include "ui/adjust/ColorBalanceDialog.h"
#include "ui/adjust/FinalReviewDialog.h"
#include "ui/adjust/HistogramDialog.h"
#include "ui/adjust/OldStyleFinalReviewDialog.h"
#include "ui/adjust/OldStyleHistogramDialog.h"
#include "ui/adjust/OldStyleThresholdDialog.h"
#include "ui/adjust/OldStyleToneBCDialog.h"
#include "ui/adjust/OldStyleToneCurveDialog.h"
#include "ui/adjust/ThresholdDialog.h"
#include "ui/adjust/ToneBCDialog.h"
#include "ui/adjust/ToneCurveDialog.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/FloatingPanel.h"
#include "ui/controls/ImageDataProcessPanel.h"
#include "ui/controls/MainWindow.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/modes/toolbar/Toolbar.h"
#include "ui/settings/InfoDialog.h"
#include "ui/controls/InfoDlgPanel.h"

namespace {

constexpr unsigned kDialogTitleStyle = kit::kTitledWindowMask | kit::kClosableWindowMask |
                                       kit::kResizableWindowMask | kit::kUtilityWindowMask;

// The list holds the windows without owning them: each dialog owns its panel for the life
// of the mode.
std::shared_ptr<kit::Window> unownedWindow(kit::Window* window) {
  return std::shared_ptr<kit::Window>(std::shared_ptr<void>(), window);
}

const void* panelIdentity(const Quirel_FloatingDialog* dialog) {
  return dialog ? static_cast<const void*>(static_cast<const Quirel_FloatingPanel*>(dialog->getWindow())) : nullptr;
}

const void* dialogIdentity(const Quirel_FloatingDialog* dialog) { return static_cast<const void*>(dialog); }

}  // namespace

fnd::Size Quirel_ExtendMode::modelessDialogSize() const {
  if (!ver(&Quirel_UIScannerInfo::isVer1200Later)) return {220, 352};
  double width = 220;
  if (ver(&Quirel_UIScannerInfo::isVer1400Later)) {
    for (const char* key : {"IDD_PAGE_TONE_CB_STR", "IDD_PAGE_TONE_BC_STR", "IDD_PAGE_TONE_HS_STR",
                            "IDD_PAGE_TONE_CURVE_STR", "IDD_PAGE_TONE_FINAL_TH_STR", "IDD_PAGE_TONE_TH_STR"})
      width = std::max(width, kit::Window::minFrameWidthWithTitle(uiText(key), kDialogTitleStyle));
  }
  return {width, 400};
}

std::vector<std::pair<const char*, Quirel_FloatingDialog*>> Quirel_ExtendMode::floatingDialogs() const {
  return {{"ToneBCDialog", mToneBCDialog.get()},           {"HistgramDialog", mHistogramDialog.get()},
          {"ToneCurveDialog", mToneCurveDialog.get()},     {"FinalReviewDialog", mFinalReviewDialog.get()},
          {"ThresholdDialog", mThresholdDialog.get()},     {"ColorBalanceDialog", mColorBalanceDialog.get()}};
}

void Quirel_ExtendMode::initModelessDialogs() {
  kit::Window* parent = mMainWindow ? static_cast<kit::Window*>(mMainWindow->getWindow()) : nullptr;
  const fnd::Size size = modelessDialogSize();
  const bool newer = ver(&Quirel_UIScannerInfo::isVer1200Later);

  if (!mInfoDialog && mToolbar) {
    mInfoDialog = mToolbar->getScanInfoDialog();
    if (mInfoDialog && mInfoDialog->getWindow()) {
      registObserver(static_cast<const void*>(mInfoDialog.get()), [this](const fnd::Notification& n) { enterTextFByOtherWindow(n); },
                     Quirel_FloatingDialog::kMainMakeKeyPost);
      addDialog(std::shared_ptr<kit::Window>(mInfoDialog, mInfoDialog->getWindow()));
    }
  }
  if (mInfoDialog) {
    if (mInfoDialog->isVisible()) mInfoDialog->closeScanInfoDialog();
    mInfoDialog->setHasOpened(false);
  }

  const bool firstRun = !mColorBalanceDialog;
  auto common = [this](Quirel_FloatingDialog& d) {
    const void* panel = panelIdentity(&d);
    const void* self = dialogIdentity(&d);
    registObserver(panel, [this](const fnd::Notification& n) { mouseMovedOnPreview(n); },
                   Quirel_FloatingPanel::kMouseMovedPost);
    registObserver(panel, [this](const fnd::Notification& n) { optionKeyDown(n); },
                   Quirel_FloatingPanel::kOptionKeyDownPost);
    registObserver(panel, [this](const fnd::Notification& n) { optionKeyUp(n); },
                   Quirel_FloatingPanel::kOptionKeyUpPost);
    registObserver(self, [this](const fnd::Notification& n) { dialogValueChange(n); },
                   Quirel_FloatingDialog::kDialogValueChangePost);
    registObserver(self, [this](const fnd::Notification& n) { enterTextFByOtherWindow(n); },
                   Quirel_FloatingDialog::kMainMakeKeyPost);
    if (d.getWindow()) addDialog(unownedWindow(d.getWindow()));
  };
  const CropList* crops = &mCropList;
  Quirel_CropInfo* tmpl = mTemplateCrop.get();
  const Quirel_UIScannerInfo* scanner = mScannerInfo.get();
  if (!mColorBalanceDialog) {
    mColorBalanceDialog = std::make_unique<Quirel_ColorBalanceDialog>(crops, tmpl, scanner, parent);
    mColorBalanceDialog->createColorBalanceDialog(size);
    common(*mColorBalanceDialog);
  }
  if (!mToneBCDialog) {
    if (newer)
      mToneBCDialog = std::make_unique<Quirel_ToneBCDialog>(crops, tmpl, scanner, parent, mUserSpaceScaleFactor);
    else
      mToneBCDialog = std::make_unique<Quirel_OldStyleToneBCDialog>(crops, tmpl, scanner, parent, mUserSpaceScaleFactor);
    mToneBCDialog->createToneBCDialog(size);
    common(*mToneBCDialog);
  }
  if (!mHistogramDialog) {
    if (newer)
      mHistogramDialog = std::make_unique<Quirel_HistogramDialog>(crops, tmpl, mHasPreview, scanner, parent);
    else
      mHistogramDialog = std::make_unique<Quirel_OldStyleHistogramDialog>(crops, tmpl, mHasPreview, scanner, parent);
    mHistogramDialog->createHistoDialog(size);
    common(*mHistogramDialog);
    const void* self = dialogIdentity(mHistogramDialog.get());
    registObserver(self, [this](const fnd::Notification& n) { spoitToolStart(n); },
                   Quirel_HistogramDialog::kSpoitStartPost);
    registObserver(self, [this](const fnd::Notification& n) { spoitToolStart(n); },
                   Quirel_HistogramDialog::kSpoitStopPost);
  }
  if (!mToneCurveDialog) {
    if (newer)
      mToneCurveDialog = std::make_unique<Quirel_ToneCurveDialog>(crops, tmpl, scanner, parent);
    else
      mToneCurveDialog = std::make_unique<Quirel_OldStyleToneCurveDialog>(crops, tmpl, scanner, parent);
    mToneCurveDialog->createToneCurveDialog(size);
    common(*mToneCurveDialog);
    registObserver(nullptr, [this](const fnd::Notification& n) { customCurveSet(n); },
                   Quirel_ToneCurveDialog::kCustomCurveSetPost);
  }
  if (!mFinalReviewDialog) {
    const Quirel_PreferenceInfo* pref = mPreferenceInfo.get();
    if (newer)
      mFinalReviewDialog = std::make_unique<Quirel_FinalReviewDialog>(crops, tmpl, pref, scanner, parent);
    else
      mFinalReviewDialog = std::make_unique<Quirel_OldStyleFinalReviewDialog>(crops, tmpl, pref, scanner, parent);
    mFinalReviewDialog->createFinalReviewDialog(size);
    common(*mFinalReviewDialog);
  }
  if (!mThresholdDialog) {
    if (newer)
      mThresholdDialog = std::make_unique<Quirel_ThresholdDialog>(crops, tmpl, scanner, parent);
    else
      mThresholdDialog = std::make_unique<Quirel_OldStyleThresholdDialog>(crops, tmpl, scanner, parent);
    mThresholdDialog->createThresholdDialog(size);
    common(*mThresholdDialog);
  }

  for (Quirel_FloatingDialog* d : {static_cast<Quirel_FloatingDialog*>(mColorBalanceDialog.get()),
                                   static_cast<Quirel_FloatingDialog*>(mToneBCDialog.get()),
                                   static_cast<Quirel_FloatingDialog*>(mHistogramDialog.get()),
                                   static_cast<Quirel_FloatingDialog*>(mToneCurveDialog.get()),
                                   static_cast<Quirel_FloatingDialog*>(mFinalReviewDialog.get()),
                                   static_cast<Quirel_FloatingDialog*>(mThresholdDialog.get())}) {
    if (d->isVisible()) d->close();
    d->setHasOpened(false);
    if (d == mToneBCDialog.get()) {
      mToneBCDialog->setOpend(false);
      d->setContentState(1);
    } else {
      d->setContentState(0);
    }
  }
  mToneBCDialog->resetSelectChanel();
  mHistogramDialog->resetSelectChanel();
  mToneCurveDialog->resetSelectChanel();
  mFinalReviewDialog->resetSelectChanel();

  if (firstRun && !mModelessDialogsObserved) {
    mModelessDialogsObserved = true;
    registObserver(nullptr, [this](const fnd::Notification& n) { controlSetYes(n); },
                   Quirel_FloatingDialog::kControlYesPost);
  }
}

// ---- opening and closing -----------------------------------------------------------------------

void Quirel_ExtendMode::setCascadeRect(kit::Window* window) {
  if (!window) return;
  double step = 0;
  for (std::size_t i = mDialogList.size(); i-- > 0;) {
    if (mDialogList[i].get() == window) {
      step = static_cast<double>(i);
      break;
    }
  }
  const fnd::Rect m = mMainWindow ? mMainWindow->getDefaultRect() : fnd::Rect();
  const fnd::Rect f = window->frame();
  const double contentHeight = window->contentView() ? window->contentView()->frame().size.height : 0;
  const double s = mUserSpaceScaleFactor;
  const double t = s == 1.0 ? f.size.height - contentHeight : (f.size.height / s - contentHeight) * s;
  // Not kept on the screen: the corner follows the main window's default frame only.
  window->setFrame(fnd::Rect(m.origin.x + m.size.width - f.size.width - t * step,
                             m.origin.y + m.size.height - f.size.height - t * step, f.size.width, f.size.height),
                   false);
}

void Quirel_ExtendMode::refreshFloatingDialog(Quirel_FloatingDialog* d) {
  if (d == mColorBalanceDialog.get()) {
    mColorBalanceDialog->updateColorBalanceDialog(&mCropList, mTemplateCrop.get());
  } else if (d == mToneBCDialog.get()) {
    mToneBCDialog->updateToneBCDialog(&mCropList, mTemplateCrop.get());
  } else if (d == mHistogramDialog.get()) {
    mHistogramDialog->updateHistDialog(mTemplateCrop.get(), &mCropList, mHasPreview);
  } else if (d == mToneCurveDialog.get()) {
    mToneCurveDialog->updateToneCurveDialog(&mCropList, mTemplateCrop.get());
  } else if (d == mFinalReviewDialog.get()) {
    mFinalReviewDialog->updateToneCurve(&mCropList, mHasPreview, mTemplateCrop.get(), mPreferenceInfo.get());
    mFinalReviewDialog->drawHistgram(&mCropList, mHasPreview, mTemplateCrop.get());
  } else if (d == mThresholdDialog.get()) {
    mThresholdDialog->updateThresholdDialog(&mCropList, mHasPreview, mTemplateCrop.get());
  }
}

namespace {

void setDialogColorMode(Quirel_ExtendMode& mode, Quirel_FloatingDialog* d, int colorMode) {
  if (d == mode.getToneBCDialog()) mode.getToneBCDialog()->setColorMode(colorMode);
  else if (d == mode.getHistogramDialog()) mode.getHistogramDialog()->setColorMode(colorMode);
  else if (d == mode.getToneCurveDialog()) mode.getToneCurveDialog()->setColorMode(colorMode);
  else if (d == mode.getFinalReviewDialog()) mode.getFinalReviewDialog()->setColorMode(colorMode);
}

}  // namespace

void Quirel_ExtendMode::toggleFloatingDialog(Quirel_FloatingDialog* d) {
  if (!d) return;
  if (d->isVisible()) {
    d->close();  // the hidden flag stays as it was
    return;
  }
  if (!d->hasOpened()) setCascadeRect(d->getWindow());
  setDialogColorMode(*this, d, getCurrentColorMode());
  d->setHidden(false);
  if (d == mColorBalanceDialog.get()) {
    mColorBalanceDialog->showColorBalanceDialog();
    d->setHasOpened(true);
  } else {
    d->setHasOpened(true);
    d->showWindow();
  }
  if (d == mColorBalanceDialog.get()) mColorBalanceDialog->mainBtnOpenSet();
  if (d == mToneBCDialog.get()) mToneBCDialog->mainBtnOpenSet();
  if (d == mHistogramDialog.get()) mHistogramDialog->mainBtnOpenSet();
  refreshFloatingDialog(d);
}

void Quirel_ExtendMode::colorBalanceOpen(const fnd::Notification&) { toggleFloatingDialog(mColorBalanceDialog.get()); }
void Quirel_ExtendMode::contrastOpen(const fnd::Notification&) { toggleFloatingDialog(mToneBCDialog.get()); }
void Quirel_ExtendMode::histogramOpen(const fnd::Notification&) { toggleFloatingDialog(mHistogramDialog.get()); }
void Quirel_ExtendMode::toneCurveOpen(const fnd::Notification&) { toggleFloatingDialog(mToneCurveDialog.get()); }
void Quirel_ExtendMode::finalReviewOpen(const fnd::Notification&) { toggleFloatingDialog(mFinalReviewDialog.get()); }
void Quirel_ExtendMode::thresholdOpen(const fnd::Notification&) { toggleFloatingDialog(mThresholdDialog.get()); }

void Quirel_ExtendMode::hideFloatingDialog(Quirel_FloatingDialog* d) {
  if (!d || !d->isVisible()) return;
  d->setHidden(true);
  d->close();
}

void Quirel_ExtendMode::showImageDialogs(int c) {
  if (!mColorBalanceDialog) return;
  Quirel_FloatingDialog* const tone[4] = {mToneBCDialog.get(), mHistogramDialog.get(), mToneCurveDialog.get(),
                                          mFinalReviewDialog.get()};
  if (c == 6) {
    for (Quirel_FloatingDialog* d : {tone[1], tone[0], tone[2], tone[3]}) hideFloatingDialog(d);
    hideFloatingDialog(mThresholdDialog.get());
    hideFloatingDialog(mColorBalanceDialog.get());
    return;
  }
  if (c == 0) {
    for (Quirel_FloatingDialog* d : {tone[1], tone[0], tone[2], tone[3]}) hideFloatingDialog(d);
    if (mThresholdDialog->isHidden()) {
      mThresholdDialog->setHidden(false);
      mThresholdDialog->showWindow();
    }
    if (mThresholdDialog->isVisible()) refreshFloatingDialog(mThresholdDialog.get());
    hideFloatingDialog(mColorBalanceDialog.get());
    return;
  }
  if (c == 1 || c == 2) {
    hideFloatingDialog(mColorBalanceDialog.get());
  } else if (c >= 3 && c <= 5 && mColorBalanceDialog->isHidden()) {
    mColorBalanceDialog->setHidden(false);
    mColorBalanceDialog->showColorBalanceDialog();
  }
  if (mColorBalanceDialog->isVisible()) {
    mColorBalanceDialog->mainBtnOpenSet();
    refreshFloatingDialog(mColorBalanceDialog.get());
  }
  hideFloatingDialog(mThresholdDialog.get());
  if (mPreferenceInfo && mPreferenceInfo->getColorSetting(c) == 1) {
    // Colour matching: closed, but not marked to come back.
    for (Quirel_FloatingDialog* d : {tone[1], tone[0], tone[2], tone[3],
                                     static_cast<Quirel_FloatingDialog*>(mColorBalanceDialog.get())})
      if (d->isVisible()) d->close();
    return;
  }
  for (Quirel_FloatingDialog* d : tone) {
    if (d->isHidden()) {
      d->setHidden(false);
      setDialogColorMode(*this, d, c);
      d->showWindow();
    } else if (d->isVisible()) {
      setDialogColorMode(*this, d, c);
    }
    if (d->isVisible()) refreshFloatingDialog(d);
  }
}

void Quirel_ExtendMode::closeModelessDialogs(bool hide) {
  for (Quirel_FloatingDialog* d : {static_cast<Quirel_FloatingDialog*>(mHistogramDialog.get()),
                                   static_cast<Quirel_FloatingDialog*>(mToneBCDialog.get()),
                                   static_cast<Quirel_FloatingDialog*>(mToneCurveDialog.get()),
                                   static_cast<Quirel_FloatingDialog*>(mFinalReviewDialog.get()),
                                   static_cast<Quirel_FloatingDialog*>(mThresholdDialog.get())}) {
    if (!d) continue;
    d->setHidden(hide);
    if (d->isVisible()) d->close();
  }
  if (mInfoDialog) {
    mInfoDialog->setHidden(hide);
    if (mInfoDialog->isVisible()) mInfoDialog->closeScanInfoDialog();
  }
  if (mColorBalanceDialog) {
    mColorBalanceDialog->setHidden(hide);
    if (mColorBalanceDialog->isVisible()) mColorBalanceDialog->closeColorBalanceDialog();
  }
}

bool Quirel_ExtendMode::histIsVisible() { return mHistogramDialog && mHistogramDialog->isVisible(); }
bool Quirel_ExtendMode::finalIsVisible() { return mFinalReviewDialog && mFinalReviewDialog->isVisible(); }

void Quirel_ExtendMode::resetChanelImageDialogs() {
  if (mToneBCDialog) mToneBCDialog->resetSelectChanel();
  if (mHistogramDialog) mHistogramDialog->resetSelectChanel();
  if (mToneCurveDialog) mToneCurveDialog->resetSelectChanel();
  if (mFinalReviewDialog) mFinalReviewDialog->resetSelectChanel();
}

// ---- saved states ------------------------------------------------------------------------------

namespace {

int selectedChannelOf(const Quirel_ExtendMode& mode, const Quirel_FloatingDialog* d, bool* has) {
  *has = true;
  if (d == mode.getToneBCDialog()) return mode.getToneBCDialog()->getSelectChanel();
  if (d == mode.getHistogramDialog()) return mode.getHistogramDialog()->getSelectChanel();
  if (d == mode.getToneCurveDialog()) return mode.getToneCurveDialog()->getSelectChanel();
  if (d == mode.getFinalReviewDialog()) return mode.getFinalReviewDialog()->getSelectChanel();
  *has = false;
  return 0;
}

void setSelectedChannelOf(Quirel_ExtendMode& mode, Quirel_FloatingDialog* d, int channel) {
  if (d == mode.getToneBCDialog()) mode.getToneBCDialog()->setSelectChanel(channel);
  else if (d == mode.getHistogramDialog()) mode.getHistogramDialog()->setSelectChanel(channel);
  else if (d == mode.getToneCurveDialog()) mode.getToneCurveDialog()->setSelectChanel(channel);
  else if (d == mode.getFinalReviewDialog()) mode.getFinalReviewDialog()->setSelectChanel(channel);
}

}  // namespace

fnd::Dictionary Quirel_ExtendMode::getImageDialogStates() const {
  fnd::Dictionary states;
  const double screenHeight = mDisplays.getDisplayFrame().size.height;
  for (const auto& [key, d] : floatingDialogs()) {
    if (!d) continue;
    fnd::Dictionary e;
    e.set("HasOpend", fnd::Value(d->hasOpened()));
    if (d == mToneBCDialog.get()) e.set("IsOpend", fnd::Value(mToneBCDialog->isOpened()));
    e.set("ContentViewState", fnd::Value(static_cast<long long>(d->getContentState())));
    e.set("IsVisible", fnd::Value(d->isVisible()));
    e.set("IsHidden", fnd::Value(d->isHidden()));
    bool hasChannel = false;
    const int channel = selectedChannelOf(*this, d, &hasChannel);
    if (hasChannel) e.set("Chanel", fnd::Value(static_cast<long long>(channel)));
    const fnd::Rect f = d->getWindow() ? d->getWindow()->frame() : fnd::Rect();
    e.set("Frame", fnd::Value(fnd::Dictionary{{"x", fnd::Value(f.origin.x)},
                                              {"y", fnd::Value(screenHeight - f.origin.y - f.size.height)},
                                              {"width", fnd::Value(f.size.width)},
                                              {"height", fnd::Value(f.size.height)}}));
    states.set(key, fnd::Value(std::move(e)));
  }
  return states;
}

void Quirel_ExtendMode::setImageDialogStates(const fnd::Dictionary& states) {
  const fnd::Rect screen = mDisplays.getDisplayFrame();
  const fnd::Rect m = mMainWindow ? mMainWindow->getDefaultRect() : fnd::Rect();
  for (const auto& [key, d] : floatingDialogs()) {
    if (!d) continue;
    const fnd::Value* v = states.find(key);
    const fnd::Dictionary empty;
    const fnd::Dictionary& e = v && v->isDictionary() ? v->toDictionary() : empty;
    d->setHasOpened(e.boolean("HasOpend"));
    setSelectedChannelOf(*this, d, e.intValue("Chanel"));
    if (!d->hasOpened()) continue;
    const bool isOpend = e.boolean("IsOpend");
    if (d == mToneBCDialog.get()) mToneBCDialog->setOpend(isOpend);
    int content = 0;
    if (e.contains("ContentViewState"))
      content = e.intValue("ContentViewState");
    else if (d == mToneBCDialog.get())
      content = isOpend ? 0 : 1;
    d->setContentState(content);
    d->setHidden(e.boolean("IsVisible") ? true : e.boolean("IsHidden"));
    kit::Window* w = d->getWindow();
    const fnd::Value* fv = e.find("Frame");
    if (!w || !fv || !fv->isDictionary()) continue;
    const fnd::Dictionary& frame = fv->toDictionary();
    const fnd::Size size = w->frame().size;
    double left = frame.real("x");
    double bottom = screen.size.height - frame.real("y") - size.height;
    // Fitted against the main screen only, as the settings were written.
    if (left + size.width > screen.size.width) left = m.origin.x + m.size.width - size.width;
    if (left < 0) left = m.origin.x;
    if (bottom < 0) bottom = m.origin.y;
    if (bottom + size.height > screen.size.height) bottom = m.origin.y + m.size.height - size.height;
    w->setFrame(fnd::Rect(left, bottom, size.width, size.height), false);
  }
}

// ---- eyedropper and dialog changes ---------------------------------------------------------------

void Quirel_ExtendMode::spoitToolStart(const fnd::Notification& n) {
  if (n.name == Quirel_HistogramDialog::kSpoitStartPost) {
    mToolMode = 3;
    mSpoitMode = mHistogramDialog ? mHistogramDialog->getSpoitButtonState() : -1;
    if (mToolbar) {
      mToolbar->setCropMode(false);
      mToolbar->setHandMode(false);
      mToolbar->setZoomMode(false);
    }
  } else if (n.name == Quirel_HistogramDialog::kSpoitStopPost) {
    if (mToolMode != 3) return;
    mToolMode = 0;
    mSpoitMode = -1;
    if (mToolbar) {
      mToolbar->setCropMode(true);
      mToolbar->setHandMode(false);
      mToolbar->setZoomMode(false);
    }
  }
  updateMouseCursorRects();
}

void Quirel_ExtendMode::dialogValueChange(const fnd::Notification&) {
  mFavorite = 0;
  mToneCurve = 0;
  // Showing "none" in both pop-ups is the value display's (setValueFavoritePopupBT,
  // setValueToneCurzePopupBT with 3), not built on this branch yet.
}
