// The data source's error, paper and free-space checks and the scan module's error reports.
#include <limits>

#include "datasource/DirectTWAIN.h"
#include "datasource/Payload.h"
#include "foundation/FileManager.h"

namespace {

// What the user is shown for an error, and whether the check then goes on to settle the
// driver (step "after") or stops at once.
enum class Next { After, Settle };

fnd::SharedDictionary messageRequest(std::int32_t number, const std::array<std::int32_t, 3>& info) {
  return fnd::makeShared(fnd::Dictionary{
      {"ErrorID", number}, {"ErrorNum1", info[0]}, {"ErrorNum2", info[1]}, {"ErrorNum3", info[2]}});
}

}  // namespace

// --- error check -------------------------------------------------------------------------------

void Dravon_DirectTWAIN::dsCheckError(const fnd::SharedDictionary& /*report*/, std::int32_t entry) {
  std::int32_t e = mDeviceError.load();
  if (entry == 1) uimCloseProgress();

  auto show = [&](std::int32_t wait, std::int32_t option) { dsShowMessageEx(e, {}, wait, errorNumbers(), option); };

  // Numbers the user is better served by under another name.
  bool settleNow = false;
  switch (e) {
    case 1206:
      if (mDeviceFunction == 0 && mModelYear >= 2014) e = 1904;
      break;
    case 1249:
      if (mDeviceFunction == 0) e = 1904;
      break;
    case 1629:
      if (mNetworkSupported == 1) e = 1711;
      break;
    case kErrCancelFeeder:
      e = kErrCancelShown;
      {
        std::lock_guard guard(DS_ERR_NUMBER_LOCK);
        mErrNum[0] = 2;
        mErrNum[1] = 111;
        mErrNum[2] = 0;
      }
      break;
    case 10001:
    case 10003:
      e = 0;
      mNeedResultWindow = false;
      settleNow = true;
      break;
    default:
      break;
  }

  const std::int16_t state = mCurrentState.load();
  std::int32_t paper = -1;  // the paper check's answer, when it ran
  Next next = Next::Settle;
  if (!settleNow) {
    if (state == kStateDefault) {
      // Nothing is open to take a close request: errors are only shown, and only from a call.
      if (entry == 1) show(0, 2);
    } else if (state == kStateUIOpen) {
      switch (e) {
        case 1104:
        case 1326:
        case 1224:
          show(1, 0);
          if (!mXferReady.load()) e = 0;
          if (mNeedResultWindow.exchange(false)) {
            // The user interface may have disabled the controls itself for the scan; with no
            // result window to come, nothing else would enable them again.
            mControlMainWindow = 0;
            if (myUICtrl) myUICtrl->uiControlMethod(nullptr, 10);
          }
          break;
        case kErrPaperOut:
          paper = dsCheckPaper(&e);
          next = Next::After;
          break;
        case kErrCancel:
          if (!mXferReady.load()) e = 0;
          mNeedResultWindow = false;
          break;
        default:  // 1205 included
          show(1, 2);
          next = Next::After;
          break;
      }
    } else {
      switch (e) {
        case kErrPaperOut:
          paper = dsCheckPaper(&e);
          next = Next::After;
          break;
        case 1224:
        case kErrCancelShown:
          show(0, 2);
          break;
        case kErrCancel:
          break;
        default:
          show(0, 2);
          next = Next::After;
          break;
      }
    }
  }

  if (next == Next::After && state != kStateDefault) {
    if (paper == 1) {
      // Paper reloaded: the document starts over, so the user interface starts the scan again.
      e = 0;
      {
        std::lock_guard guard(DS_NTC_STATE_SM_LOCK);
        mReceivedSMnc = 0;
      }
      if (myUICtrl) myUICtrl->uiControlNotification(nullptr, 207);
    } else if (state == kStateUIOpen && !mCalledCloseDSReq.load()) {
      // After such a message the launcher closes the driver.
      dsPerformCloseDSReq(entry == 1 ? 0 : 2);
    }
  }

  std::lock_guard guard(DS_ERR_NUMBER_LOCK);
  const std::int32_t current = mDeviceError.load();
  if (current != 0 && current != e) mDeviceError = e;
}

// --- paper -------------------------------------------------------------------------------------

std::int32_t Dravon_DirectTWAIN::dsCheckPaper(std::int32_t* error) {
  const std::int32_t shown = error ? *error : kErrPaperOut;
  setDeviceError(0);
  std::int32_t answer = dsShowMessageEx(shown, {}, 1, errorNumbers(), 2);
  while (answer == 1) {
    // The user says the paper is back: believe the feeder, not the button.
    mShowErrorDialog = 0;
    if (myScan && myScan->smCheckADFPaperStatus(0) != 0) return 1;
    answer = dsShowMessageEx(shown, {}, 1, errorNumbers(), 2);
  }
  setDeviceError(kErrCancel);
  if (error) *error = kErrCancel;
  return 0;
}

// --- free space --------------------------------------------------------------------------------

std::int32_t Dravon_DirectTWAIN::dsCheckVolumeInfo(std::uint64_t imageSize) {
  const std::optional<std::uint64_t> startup = fnd::FileManager::freeSpace("/");
  if (!startup || *startup < kMinimumFreeSpace) return kVolumeRefused;
  std::uint64_t available = *startup;
  const std::string folder = tempPath();
  if (!folder.empty()) {
    const std::optional<std::uint64_t> temporary = fnd::FileManager::freeSpace(folder);
    if (!temporary) return kVolumeRefused;
    available = *temporary;
  }
  // The image passes through a temporary file before it is saved: twice its size must fit.
  if (imageSize > std::numeric_limits<std::uint64_t>::max() / 2) return kVolumeRefused;
  return imageSize * 2 <= available ? kVolumeOK : kVolumeRefused;
}

// --- messages ----------------------------------------------------------------------------------

std::int32_t Dravon_DirectTWAIN::dsShowMessageEx(std::int32_t messageNumber, const std::string& /*str*/,
                                                 std::int32_t num, const std::array<std::int32_t, 3>& info,
                                                 std::int32_t opt) {
  // One message at a time; after option 2 none until the next document.
  std::int16_t mark = mShowErrorDialog.load();
  do {
    if (mark > 0) return -1;
  } while (!mShowErrorDialog.compare_exchange_weak(mark, 1));

  if (!myUICtrl) {
    mShowErrorDialog = static_cast<std::int16_t>(opt);
    return 0;
  }
  const bool network = messageNumber >= 1700 && messageNumber <= 1799;
  const bool maintenance = messageNumber >= 9000 && messageNumber <= 9099;
  fnd::SharedDictionary request = messageRequest(messageNumber, info);
  std::int32_t answer;
  if (network) {
    request->set("ErrorType", mModelYear < 2011 ? 0 : 1);
    answer = myUICtrl->uiControlMessage(request, 301);
  } else if (maintenance) {
    answer = myUICtrl->uiControlMessage(request, 302);
  } else {
    // Without waiting, a worker thread goes on at once with 1 as the answer.
    answer = myUICtrl->uiControlMessage(request, num == 1 ? 302 : 300);
    mShowErrorDialog = static_cast<std::int16_t>(opt);
    return answer;
  }

  // Some answers of these two families call for a second message.
  std::int32_t followUp = 0;
  if (answer == 3) {
    followUp = 1208;
  } else if (answer == 2) {
    if (mModelYear >= 2011) {
      followUp = 1715;
    } else if (network) {
      followUp = mModelYear < 2008 ? 1705 : 1713;
    }
    // An older model has no follow-up for the 9000 family: no message without a number is
    // requested, and the answer stands.
  }
  if (followUp != 0) answer = myUICtrl->uiControlMessage(fnd::makeShared(fnd::Dictionary{{"ErrorID", followUp}}), 300);
  mShowErrorDialog = static_cast<std::int16_t>(opt);
  return answer;
}

// --- the scan module's error reports -----------------------------------------------------------

fnd::SharedDictionary Dravon_DirectTWAIN::lastErrorReport() const {
  std::lock_guard guard(DS_ERR_NOTIFY_LOCK);
  return myAdfDic;
}

void Dravon_DirectTWAIN::takeInErrorReport(const fnd::SharedDictionary& report) {
  myAdfDic = report;
  const std::optional<velmor::ErrorInformation> numbers = Dravon_Payload::errorInformation(report.get());
  if (numbers && mImageInfoDummy.load() != 20) setDeviceError(numbers->error, {numbers->n1, numbers->n2, numbers->n3});
  // A cancel after a placeholder image report: until the next image report, nothing more is
  // taken in or shown.
  if (mImageInfoDummy.load() == 10 && mDeviceError.load() == 1224) mImageInfoDummy = 20;
  std::lock_guard guard(DS_ERR_FORECAST_LOCK);
  mErrWillOccur = 0;
}

void Dravon_DirectTWAIN::smErrorInfoObject(const fnd::Notification& note) {
  {
    std::lock_guard guard(DS_ERR_NOTIFY_LOCK);
    mErrorQueue.push_back(note.userInfo);
    // A report that comes while another is handled waits its turn: the thread handling that
    // one takes it in next.
    if (mErrorProcessing) return;
    mErrorProcessing = true;
  }
  for (;;) {
    fnd::SharedDictionary report;
    bool check;
    {
      std::lock_guard guard(DS_ERR_NOTIFY_LOCK);
      if (mErrorQueue.empty()) {
        mErrorProcessing = false;
        return;
      }
      report = std::move(mErrorQueue.front());
      mErrorQueue.pop_front();
      takeInErrorReport(report);
      check = mMainLoopCount.load() == 0 && mImageInfoDummy.load() != 20;
    }
    // A running call meets the error at its next check; otherwise it is checked here, on the
    // scan module's thread (the dispatcher shows the message on the main thread).
    if (check) dsCheckError(report, 0);
  }
}

void Dravon_DirectTWAIN::smErrorWillOccur(const fnd::Notification&) {
  std::lock_guard guard(DS_ERR_FORECAST_LOCK);
  mErrWillOccur = 1;
}

void Dravon_DirectTWAIN::smModalDialogObject(const fnd::Notification& note) {
  const fnd::Dictionary* info = note.info();
  if (!info) return;
  const std::int32_t answer = dsShowMessageEx(info->intValue("ErrorNumber"), {}, 1, {0, 0, 0}, 0);
  if (auto slot = Dravon_Payload::modalAnswer(info)) slot->answer = answer;
}
