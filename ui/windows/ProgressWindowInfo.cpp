// The progress window's information dictionary: what the scan module asks the window to show
// (message line, bar, percent text, Cancel, information area and its detail) and how the boxes
// are stacked and the window sized for it.
#include <cstring>

#include "kit/Button.h"
#include "kit/ProgressIndicator.h"
#include "kit/TextField.h"
#include "kit/View.h"
#include "kit/Window.h"
#include "ui/base/ProgressLayout.h"
#include "ui/model/SM_COMMON/ScanDic/ScanDic.h"
#include "ui/windows/MessageInfoView.h"
#include "ui/windows/ProgressWindow.h"

namespace {

using InfoLayout = Quirel_ProgressLayout;

constexpr std::int32_t kScanningMessage = 1325;
constexpr std::int32_t kProcessingMessage = 1313;
constexpr std::int32_t kOldProcessingMessage = 106;

std::optional<std::int32_t> overrideOr(const std::optional<std::int32_t>& given, const fnd::Dictionary& info,
                                       const char* key) {
  if (given) return given;
  if (const fnd::Value* v = info.find(key)) return v->toInt();
  return std::nullopt;
}

}  // namespace

void Quirel_ProgressWindow::setInformationDataMainThreadMode(const fnd::Dictionary* info) {
  if (WindowStatus == kStatusCancelled || !info) return;
  setInformationDataMainThread_NRT(*info);
}

void Quirel_ProgressWindow::setInformationDataMainThread_NRT(const fnd::Dictionary& info) {
  if (!pWindow) return;
  // 1. Nothing overridden yet.
  Overrides ov;
  std::int32_t dflg = -1, dsflg = -1, simple1 = -1;

  // 2. The newer layout's own rules.
  if (layoutType == InfoLayout::kNewerLayout) {
    if (const fnd::Value* id = info.find("MessageID")) {
      const std::int32_t number = id->toInt();
      if (number < 0) {
        ov.message = kScanningMessage;
        ov.percent = 1;
      } else if (number == kScanningMessage) {
        if (info.boolean("ProgressBar")) ov.percent = 1;
      } else if (number == kOldProcessingMessage) {
        ov.message = kProcessingMessage;
      }
    }
    const Quirel_ProgressDisplayRules::BarCancel bc = setProgressAndCancelDisp(info);
    if (bc.bar >= 0 && bc.cancel >= 0) {
      ov.bar = bc.bar;
      ov.cancel = bc.cancel;
    }
    simple1 = setDetailInfoSimple(info);
    const Quirel_ProgressDisplayRules::SimpleComp comp = setDetailInfoSimpleComp(info);
    dflg = comp.detail;
    dsflg = comp.simple;
    if (comp.cancel == 1) ov.cancel = 1;
    const std::optional<std::int32_t> message = overrideOr(ov.message, info, "MessageID");
    if (comp.answer == 3 && message && *message == kScanningMessage) {
      ov.bar = 0;
      ov.cancel = 0;
      ov.percent = 0;
      dflg = 0;
    }
  }

  // 3. Title.
  const fnd::Value& title = info.get("ProgressTitle");
  if (title.isString() && !title.toString().empty()) pWindow->setTitle(uiText(title.toString()));

  // 4. The scan's crops and colour setting.
  copyCropSettings(info);

  // 5. The main-window controller supplies mode, main window, texts and capabilities.
  mCenter.post(kSetImageSourceAndColorModeStrPost, this);

  // 6. Message box.
  double running = mMessageBoxHeight;
  updateMessageBox(info, ov, dflg, &running);

  // 7. Information area or not.
  std::int32_t decision = dflg;
  const fnd::Value* detailKey = info.find("DetailInfo");
  if (decision == -1 && detailKey) decision = detailKey->toBool() ? 1 : 0;
  DetailDisp = false;
  DetailSimpleDisp = true;
  if (decision == -1) {
    // No say about the information area: the window keeps its size and what it shows.
    placeBoxes(false);
    return;
  }

  std::int32_t state = InfoLayout::kStateNoInfo;
  if (decision != 0) {
    // 8. Shown.
    DetailDisp = true;
    const bool keySimple = info.boolean("DetailInfoSimple");
    if (layoutType == InfoLayout::kNewerLayout ? (dsflg == 1 || simple1 == 1 || keySimple) : keySimple)
      DetailSimpleDisp = false;
    updateInfoBox(info, &running);
    if (DetailSimpleDisp) {
      state = DisclosereButton->state() == 1 ? InfoLayout::kStateUnfolded : InfoLayout::kStateFolded;
    } else {
      DisclosereButton->setHidden(true);
      DetailInfoLabel->setHidden(true);
      state = InfoLayout::kStateSimple;
    }
  } else {
    // 9. Not shown.
    DetailDisp = false;
  }
  // 10. New height, top edge kept.
  windowHSt = state;
  placeBoxes();
  const double height =
      state == InfoLayout::kStateUnfolded
          ? windowHeight
          : InfoLayout::windowHeight(layoutType, state, mMessageBoxHeight, mInfoBoxHeight, mDetailHeight);
  resizeKeepingTop(height, false);
}

void Quirel_ProgressWindow::copyCropSettings(const fnd::Dictionary& info) {
  colorSetting = 0;
  mCopyGamma = 0;
  const fnd::Value* scan = info.find("ScanInfo");
  if (!scan || !scan->isDictionary()) return;
  ScanInfo record{};
  UIM_GetDictionary_ScanInfo(&scan->toDictionary(), &record);
  if (record.crop_num >= 1) {
    freeCrops();
    // The table has 61 entries; the reader never gives more, and nothing here reads past them.
    const std::int32_t count = std::min<std::int32_t>(record.crop_num, kScanInfoMaxCrops);
    for (std::int32_t i = 0; i < count; ++i) {
      if (!record.CropItem[i]) break;
      auto* copy = static_cast<CropSetting*>(std::malloc(sizeof(CropSetting)));
      if (!copy) break;
      std::memcpy(copy, record.CropItem[i], sizeof(CropSetting));
      // The result cells belong to the requester; the window only reads the settings.
      copy->DATA_WIDTH = copy->DATA_HEIGHT = nullptr;
      copy->DATA_P = copy->DATA_H = nullptr;
      mCropSetting[i] = copy;
      mCropCount = i + 1;
    }
  }
  colorSetting = record.Setting.ColorSetting;
  mCopyGamma = record.CopyGamma;
  UIM_Clear_ScanInfo(&record);
}

void Quirel_ProgressWindow::updateMessageBox(const fnd::Dictionary& info, const Overrides& given, std::int32_t dflg,
                                             double* runningHeight) {
  const std::optional<std::int32_t> message = overrideOr(given.message, info, "MessageID");
  const std::optional<std::int32_t> percent = overrideOr(given.percent, info, "PercentText");
  const std::optional<std::int32_t> bar = overrideOr(given.bar, info, "ProgressBar");
  const std::optional<std::int32_t> cancel = overrideOr(given.cancel, info, "CancelButton");
  const bool newer = layoutType == InfoLayout::kNewerLayout;

  // 1. Message line.
  if (message) {
    if (*message <= 0) {
      Message1->setHidden(true);
      Message2->setHidden(true);
      ProgressText->setStringValue("0%");
      ProgressText->setHidden(false);
    } else {
      const std::string text = messageText(*message);
      // While a message field is up, the main line is left alone.
      if (Message2->isHidden()) {
        Message1->setHidden(false);
        Message1->setStringValue(text);
      }
      ProgressInd->setHidden(true);
      ProgressText->setHidden(true);
    }
  }
  // 2. Percent text (newer layout).
  if (newer && percent) {
    if (*percent == -1) {
      ProgressText->setHidden(true);
      ProgressInd->setIndeterminate(true);
      ProgressInd->startAnimation();
      mStartAnimationFlg = true;
    } else if (*percent == 1) {
      ProgressText->setStringValue("0%");
      ProgressText->setHidden(false);
      // A bar left running from an earlier "no percentage" request would not show the values.
      if (mStartAnimationFlg) {
        ProgressInd->stopAnimation();
        ProgressInd->setIndeterminate(false);
        mStartAnimationFlg = false;
      }
    }
  }
  // 3. Bar and Cancel.
  if (bar) {
    if (*bar != 0) {
      ProgressInd->setDoubleValue(0);
      ProgressInd->setHidden(false);
    } else {
      ProgressInd->setHidden(true);
    }
  }
  if (cancel) CancelButton->setHidden(*cancel == 0);

  // 4. Re-stacking (newer layout).
  if (newer) {
    const auto heightIfShown = [](const kit::View* v) {
      return v->isHidden() ? std::nullopt : std::optional<double>(v->frame().size.height);
    };
    const bool detailShown = dflg != 0 && info.boolean("DetailInfo");
    const fnd::Rect m1 = Message1->frame();
    const InfoLayout::MessageStack stack =
        InfoLayout::stackMessageBox(m1.origin.y + m1.size.height, heightIfShown(ProgressText),
                                    heightIfShown(ProgressInd), heightIfShown(CancelButton), detailShown);
    const auto moveTo = [](kit::View* v, double y) {
      fnd::Rect f = v->frame();
      f.origin.y = y;
      v->setFrame(f);
    };
    if (!ProgressText->isHidden()) moveTo(ProgressText, stack.percentY);
    if (!ProgressInd->isHidden()) moveTo(ProgressInd, stack.barY);
    if (!CancelButton->isHidden()) moveTo(CancelButton, stack.cancelY);
    mMessageBoxHeight = stack.boxHeight;
    *runningHeight = stack.boxHeight;
  }
}

void Quirel_ProgressWindow::updateInfoBox(const fnd::Dictionary& info, double* runningHeight) {
  DisclosereButton->setHidden(false);
  DetailInfoLabel->setHidden(false);
  const bool remaining = info.boolean("RemainTimeInfo");
  RemainTimeLabel->setHidden(!remaining);
  RemainTimeInfo->setHidden(!remaining);
  if (remaining) RemainTimeInfo->setStringValue("");

  if (layoutType == InfoLayout::kNewerLayout) {
    std::vector<double> rows{ScanStLabel->frame().size.height};
    if (remaining) rows.push_back(RemainTimeLabel->frame().size.height);
    if (DetailSimpleDisp) rows.push_back(DisclosereButton->frame().size.height);
    const InfoLayout::InfoStack stack = InfoLayout::stackInfoBox(rows);
    const auto moveRow = [](std::initializer_list<kit::View*> views, double y) {
      for (kit::View* v : views) {
        fnd::Rect f = v->frame();
        f.origin.y = y;
        v->setFrame(f);
      }
    };
    std::size_t at = 0;
    moveRow({ScanStLabel, ScanStInfo}, stack.rowY[at++]);
    if (remaining) {
      moveRow({RemainTimeLabel, RemainTimeInfo}, stack.rowY[at]);
      RemainTimeInfoRect.origin.y = RemainTimeProcRect.origin.y = stack.rowY[at++];
    }
    if (DetailSimpleDisp) {
      moveRow({DisclosereButton}, stack.rowY[at]);
      moveRow({DetailInfoLabel}, stack.rowY[at] + 2);
    }
    mInfoBoxHeight = stack.boxHeight;
    *runningHeight += stack.boxHeight;
    windowMid = *runningHeight;
  }
  if (DetailSimpleDisp) {
    mDetailHeight = setLayoutDetailView(0);
    windowHeight = InfoLayout::unfoldedHeight(layoutType, mMessageBoxHeight, mInfoBoxHeight, mDetailHeight);
  }
}

void Quirel_ProgressWindow::setScanningInfoMainThreadMode(std::int16_t now, std::int16_t total, std::int16_t source) {
  if (WindowStatus == kStatusCancelled) return;
  fnd::Dictionary info;
  info.set("InfoNowVal", now);
  info.set("InfoTotalVal", total);
  info.set("InfoSourceVal", source);
  setScanningInfoMainThread_NRT(info);
}

void Quirel_ProgressWindow::setScanningInfoMainThread_NRT(const fnd::Dictionary& info) {
  if (!DetailDisp) return;
  setScanningInfoMainThreadCFlg(static_cast<std::int16_t>(info.intValue("InfoNowVal")),
                                static_cast<std::int16_t>(info.intValue("InfoTotalVal")),
                                static_cast<std::int16_t>(info.intValue("InfoSourceVal")));
}
