#include "ui/windows/ProcessImageDialog.h"

#include <cmath>

#include "foundation/StringFormat.h"
#include "kit/TextField.h"
#include "kit/View.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/base/MessageText.h"
#include "ui/controls/NoFocusProgressIndicator.h"
#include "ui/windows/DisplayManager.h"
#include "ui/windows/ProcessImagePanel.h"

Quirel_ProcessImageDialog::Quirel_ProcessImageDialog(fnd::NotificationCenter& center) : mCenter(center) {
  mCenter.addObserver(this, kShowPost, nullptr, [this](const fnd::Notification& n) { showProcessImageDialogNC(n); });
  mCenter.addObserver(this, kPercentagePost, nullptr,
                      [this](const fnd::Notification& n) { setProcessImagePercentageNC(n); });
  mCenter.addObserver(this, kClosePost, nullptr, [this](const fnd::Notification& n) { closeProcessImageDialogNC(n); });
}

Quirel_ProcessImageDialog::~Quirel_ProcessImageDialog() {
  mCenter.removeObserver(this, "");
  if (mWindow) {
    mWindow->setStopEvent(true);
    mWindow->close();
  }
}

void Quirel_ProcessImageDialog::setDivideCount(std::int32_t count) {
  if (count < 1) count = 1;  // callers pass the number of items; none would divide by zero
  mIncrementPercentage = static_cast<std::int16_t>(100 / count);
  mMaxPercentage = static_cast<std::int16_t>(count * mIncrementPercentage);
}

void Quirel_ProcessImageDialog::setParentWindow(kit::Window* window) {
  if (window) mParentRect = window->frame();
}

void Quirel_ProcessImageDialog::showProcessImageDialog() { showProcessImageDialogMT(); }

void Quirel_ProcessImageDialog::setProcessImagePercentage(std::int16_t value) {
  if (value >= mMaxPercentage || value > 100) value = 100;
  mPercentage = value;
  setProcessImagePercentageMT();
}

void Quirel_ProcessImageDialog::closeProcessImageDialog() { closeProcessImageDialogMT(); }

void Quirel_ProcessImageDialog::showProcessImageDialogNC(const fnd::Notification&) { showProcessImageDialog(); }

void Quirel_ProcessImageDialog::setProcessImagePercentageNC(const fnd::Notification& notification) {
  std::int16_t value = mPercentage;
  if (value == 0) {
    setProcessImagePercentage(1);
    mPercentage = 0;
  }
  if (notification.userInfo) {
    if (const fnd::Value* given = notification.userInfo->find(kPercentageKey))
      value = static_cast<std::int16_t>(given->toInt());
  } else {
    value = static_cast<std::int16_t>(mIncrementPercentage + mPercentage);
  }
  setProcessImagePercentage(value);
}

void Quirel_ProcessImageDialog::closeProcessImageDialogNC(const fnd::Notification&) { closeProcessImageDialog(); }

void Quirel_ProcessImageDialog::showProcessImageDialogMT() {
  if (!mWindow) {
    mWindow = std::make_unique<Quirel_ProcessImagePanel>(fnd::Rect(0, 0, kWidth, kHeight), kit::kTitledWindowMask);
    mWindow->setWorksWhenModal(true);
    mWindow->setLevel(kLevel);
    mWindow->setReleasedWhenClosed(false);
    const Quirel_PVLocalizedString strings(MES_LocalizerForBundle(Quirel_PVLocalizedBundle::askWindowController(this)));
    const std::string title = strings.ls_localizedStringForKey("IDS_THUMBNAIL_ON_XFER", "UserInterface").value_or("");
    mWindow->setTitle(title == Quirel_PVLocalizedString::kNone ? std::string() : title);

    auto field = std::make_unique<kit::TextField>(fnd::Rect(10, 50, 280, 25));
    field->setBezeled(false);
    field->setEditable(false);
    field->setSelectable(false);
    field->setDrawsBackground(false);
    field->setAlignment(kit::TextAlignment::Center);
    field->setStringValue(fnd::stringWithFormat("%d%@", static_cast<int>(mPercentage), "%"));
    mTextField = static_cast<kit::TextField*>(mWindow->contentView()->addSubview(std::move(field)));

    auto bar = std::make_unique<Quirel_NoFocusProgressIndicator>(fnd::Rect(15, 30, 270, 15));
    bar->setStyle(kit::ProgressIndicatorStyle::Bar);
    bar->setIndeterminate(false);
    bar->setMinValue(0);
    bar->setMaxValue(100);
    bar->setDoubleValue(0);
    mIndicator = static_cast<Quirel_NoFocusProgressIndicator*>(mWindow->contentView()->addSubview(std::move(bar)));

    const Quirel_DisplayManager display;
    fnd::Rect frame = mWindow->frame();
    if (mParentRect == fnd::Rect()) {
      const fnd::Rect visible = display.getVisibleDisplayFrame();
      frame.origin.x = visible.origin.x + std::floor((visible.size.width - frame.size.width) / 2);
      frame.origin.y = visible.origin.y + std::floor((visible.size.height - frame.size.height) / 2);
    } else {
      frame.origin.x = mParentRect.origin.x + std::floor((mParentRect.size.width - frame.size.width) / 2);
      frame.origin.y = mParentRect.origin.y + std::floor((mParentRect.size.height - frame.size.height) / 2);
    }
    mWindow->setFrame(display.getAdjustmentWindowFrame(frame, fnd::Size(kWidth, kHeight)), false);
  }
  mWindow->makeKeyAndOrderFront();
}

void Quirel_ProcessImageDialog::setProcessImagePercentageMT() {
  if (!mWindow) return;
  mTextField->setStringValue(fnd::stringWithFormat("%d%@", static_cast<int>(mPercentage), "%"));
  mIndicator->setDoubleValue(mPercentage);
  mWindow->displayIfNeeded();
}

void Quirel_ProcessImageDialog::closeProcessImageDialogMT() {
  if (!mWindow) return;
  mWindow->setStopEvent(true);
  mWindow->close();
}
