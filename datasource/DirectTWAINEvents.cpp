// Observer groups, the scan module's reports, the group-1 handlers and the launcher's events.
#include <algorithm>
#include <limits>

#include "datasource/DirectTWAIN.h"
#include "foundation/RunLoop.h"
#include "scanmodule/HandOver.h"
#include "scanmodule/ScanReports.h"

namespace {

using Handler = fnd::NotificationCenter::Handler;

}  // namespace

// --- groups ------------------------------------------------------------------------------------

std::vector<std::pair<std::string, Handler>> Dravon_DirectTWAIN::groupObservations(std::int32_t group) {
  using Method = void (Dravon_DirectTWAIN::*)(const fnd::Notification&);
  std::vector<std::pair<std::string, Handler>> list;
  auto add = [&](const char* name, Method method) {
    list.emplace_back(name, [this, method](const fnd::Notification& note) { (this->*method)(note); });
  };
  switch (group) {
    case 0:
      add(Dravon_UIController::kCloseProgressNotification, &Dravon_DirectTWAIN::dsCloseProgressWin);
      break;
    case 1:
      add("Click_CloseButton", &Dravon_DirectTWAIN::uiCloseButton);
      add("UILessMode_CancelClosePost", &Dravon_DirectTWAIN::uiLessCloseButton);
      add("needScanResultWindowPost", &Dravon_DirectTWAIN::uiResultWindow);
      add("clickCloseButtonPost", &Dravon_DirectTWAIN::uiCloseResultWin);
      add("closeSelectClickButtonPost", &Dravon_DirectTWAIN::uiCloseSelectWin);
      add("MPDFPullScanEndDialogButtonPost", &Dravon_DirectTWAIN::uiCloseMultiPageWin);
      add("MPDFPushScanEndDialogButtonPost", &Dravon_DirectTWAIN::uiClosePushMultiPageWin);
      add("setALMUserInterfaceData", &Dravon_DirectTWAIN::uiAlmNotify);
      for (const UIRequestRelay& relay : uiRequestRelays()) {
        const UIRequestRelay* r = &relay;
        list.emplace_back(relay.notification, [this, r](const fnd::Notification& note) { relayUIRequest(*r, note); });
      }
      add(kSaveInfoNotification, &Dravon_DirectTWAIN::viaNtfQuirel_SaveInfo);
      break;
    case 2:
      add("Cancel_Scan", &Dravon_DirectTWAIN::viaDsCancel_Scan);
      break;
    case 3:
      add("UILanguageNumPost", &Dravon_DirectTWAIN::setUILanguageNumNtf);
      add("UIDSBundleIDPost", &Dravon_DirectTWAIN::setUIDSBundleIDNtf);
      break;
    case 4:
      add(velmor::report::kDocumentStart, &Dravon_DirectTWAIN::smDocumentStart);
      add(velmor::report::kDocumentEnd, &Dravon_DirectTWAIN::smDocumentEnd);
      add(velmor::report::kPageStartObject, &Dravon_DirectTWAIN::smPageStartObject);
      add(velmor::report::kPageEnd, &Dravon_DirectTWAIN::smPageEnd);
      add(velmor::report::kImageInfo, &Dravon_DirectTWAIN::smImageInfo);
      add(velmor::report::kImageInfoDummy, &Dravon_DirectTWAIN::smImageInfoDummy);
      add(velmor::report::kErrorInformation, &Dravon_DirectTWAIN::smErrorInfoObject);
      add(velmor::report::kModalDialog, &Dravon_DirectTWAIN::smModalDialogObject);
      add(velmor::report::kErrorWillBeNotified, &Dravon_DirectTWAIN::smErrorWillOccur);
      add(velmor::report::kStartNoSleep, &Dravon_DirectTWAIN::smStartNoSleep);
      add(velmor::report::kStopNoSleep, &Dravon_DirectTWAIN::smStopNoSleep);
      add(velmor::report::kUpdateReadPushButton, &Dravon_DirectTWAIN::smUpdateReadPushButton);
      for (const ModuleEventRelay& relay : moduleEventRelays()) {
        const ModuleEventRelay* r = &relay;
        list.emplace_back(relay.notification, [this, r](const fnd::Notification& note) { relayModuleEvent(*r, note); });
      }
      break;
    case 5:
      add(Dravon_UIController::kApplicationWillTerminate, &Dravon_DirectTWAIN::getTerminateApp);
      break;
    default:
      break;
  }
  return list;
}

void Dravon_DirectTWAIN::dsAddObserver(std::int32_t group, const void* sender) {
  if (group < 0 || group > 5) return;
  std::lock_guard guard(mObserverMutex);
  for (const Registration& r : mGroups)
    if (r.group == group && r.sender == sender) return;  // registered once
  Registration& r = mGroups.emplace_back(Registration{group, sender, std::make_unique<char>()});
  fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter();
  for (auto& [name, handler] : groupObservations(group)) {
    // A report handled on the module's thread has changed what a main-thread wait looks at:
    // the wait looks again now instead of at its next poll.
    center.addObserver(r.owner.get(), name, sender, [h = std::move(handler)](const fnd::Notification& note) {
      h(note);
      if (!fnd::RunLoop::isMainThread()) fnd::RunLoop::main().wakeUp();
    });
  }
}

void Dravon_DirectTWAIN::removeGroup(std::int32_t group, const void* sender) {
  std::unique_ptr<char> owner;
  {
    std::lock_guard guard(mObserverMutex);
    auto it = std::find_if(mGroups.begin(), mGroups.end(),
                           [&](const Registration& r) { return r.group == group && r.sender == sender; });
    if (it == mGroups.end()) return;
    owner = std::move(it->owner);
    mGroups.erase(it);
  }
  // Outside the lock: the removal waits for a handler still running on another thread.
  fnd::NotificationCenter::defaultCenter().removeObserver(owner.get());
}

void Dravon_DirectTWAIN::dsRemoveObserver(std::int32_t group, const void* sender) {
  if (group == 1 || group == 2) {
    removeGroup(group, sender);
  } else if (group == 50) {
    std::vector<Registration> all;
    {
      std::lock_guard guard(mObserverMutex);
      all.swap(mGroups);
    }
    for (const Registration& r : all) fnd::NotificationCenter::defaultCenter().removeObserver(r.owner.get());
  }
}

std::vector<std::pair<std::int32_t, const void*>> Dravon_DirectTWAIN::registeredGroups() const {
  std::lock_guard guard(mObserverMutex);
  std::vector<std::pair<std::int32_t, const void*>> keys;
  for (const Registration& r : mGroups) keys.emplace_back(r.group, r.sender);
  return keys;
}

// --- scan reports ------------------------------------------------------------------------------

void Dravon_DirectTWAIN::setBits(std::int16_t bits) {
  std::lock_guard guard(DS_NTC_STATE_SM_LOCK);
  mReceivedSMnc = bits;
}

void Dravon_DirectTWAIN::orBits(std::int16_t bits) {
  std::lock_guard guard(DS_NTC_STATE_SM_LOCK);
  mReceivedSMnc = static_cast<std::int16_t>(mReceivedSMnc.load() | bits);
}

void Dravon_DirectTWAIN::smDocumentStart(const fnd::Notification&) {
  mCancelSent = false;
  mDocEndInfo = 0;
  mStartedScan = true;
  mDoingDSpage = 1;
  mDoingSMpage = 0;
  // The page numbers start again: a description of the last document describes nothing here.
  mCalledImageInfo = 0;
  mRowsTransfered = 0;
  mRemainTransData = false;
  mXferReadyPosted = false;
  mShowErrorDialog = 0;
  setDeviceError(0);
  setBits(kBitDocumentStart);
}

void Dravon_DirectTWAIN::smImageInfo(const fnd::Notification& note) { takeImageReport(note, 0); }

void Dravon_DirectTWAIN::smImageInfoDummy(const fnd::Notification& note) { takeImageReport(note, 10); }

void Dravon_DirectTWAIN::takeImageReport(const fnd::Notification& note, std::int16_t dummy) {
  const bool first = mDoingSMpage.load() == 0;
  std::uint64_t size = 0;
  {
    std::lock_guard guard(mPathMutex);
    if (const fnd::Dictionary* info = note.info()) {
      SmImageInfo& r = mSmImageInfo;
      r.samples = info->intValue("SAMPLES");
      r.pixels = info->intValue("PIXELS");
      r.width = info->intValue("WIDTH");
      r.height = info->intValue("HEIGHT");
      r.resolution = info->intValue("RESOLUTION");
      r.sourcetype = info->intValue("SOURCETYPE");
      // A size past what 64 bits hold is no size any volume can take: the check refuses it.
      const std::uint64_t row = rowBytes(r.samples, r.pixels, r.width);
      const std::uint64_t rows = static_cast<std::uint64_t>(std::max(0, r.height));
      r.size = row != 0 && rows > std::numeric_limits<std::uint64_t>::max() / row ? std::numeric_limits<std::uint64_t>::max()
                                                                                  : row * rows;
      if (first) {
        const std::int64_t source = info->integer("InputSource");
        if (source == 1 || source == 2) {
          mScanningMode = 1;
          mADFOption = source == 2 ? 2 : 0;
        } else if (source >= 3 && source <= 7) {
          mScanningMode = 2;
          mFilmOption = source == 7 ? 3 : static_cast<std::int32_t>(source);
        } else {
          mScanningMode = 0;
        }
        const std::int64_t noClose = info->integer("NoCloseUI");
        mClosePictavoUI = noClose == 0 ? 1 : (noClose == 1 ? 0 : 2);
        mTempPathStr = info->string("TemporaryPath");
      }
    }
    size = mSmImageInfo.size;
  }
  mDoneNextPage = true;
  // The page's bits before its number: a wait that sees the new page must not read the last
  // page's start and end as this page's.
  setBits(kBitDocumentStart | kBitImageInfo);
  ++mDoingSMpage;
  mImageInfoDummy = dummy;

  if (dsCheckVolumeInfo(size) != kVolumeOK) {
    const std::int32_t before = deviceError();
    dsCancelScan();
    if (before == 0) setDeviceError(kErrInternal, kInternalNumbers);
    dsCheckError(lastErrorReport(), 0);
    return;
  }
  if (first && deviceError() == 0) {
    mXferReady = true;
    // Always on the main thread, never waited for.
    std::weak_ptr<Dravon_DirectTWAIN*> alive = mAliveWeak;
    fnd::RunLoop::performOnMainThread([alive] {
      if (auto self = alive.lock()) (*self)->dsInvokeXferReady();
    });
  }
}

void Dravon_DirectTWAIN::smPageStartObject(const fnd::Notification& note) {
  mIsFinalLine = false;
  std::int16_t mode = 1;
  const fnd::Dictionary* info = note.info();
  if (info) {
    const fnd::Value& object = info->get("object");
    const std::string file = info->string("File");
    std::lock_guard guard(mPageMutex);
    if (!file.empty()) {
      // The file is ours from here on; the module's hand-over, when there is one, gives it up.
      mPageFile = nullptr;
      if (auto handOver = object.toObject<velmor::HandOver<velmor::PageFile>>()) mPageFile = handOver->take();
      if (!mPageFile || mPageFile->path() != file) mPageFile = std::make_unique<velmor::PageFile>(file);
      mode = 2;
    } else if (auto fileHandOver = object.toObject<velmor::HandOver<velmor::PageFile>>()) {
      mPageFile = fileHandOver->take();
      mode = mPageFile ? 2 : 0;
    } else if (auto handOver = object.toObject<velmor::HandOver<velmor::PageMemory>>()) {
      mPageMemory = handOver->take();
      mode = mPageMemory ? 3 : 0;
    } else if (!object.isNull()) {
      // A bare address says neither what it points to nor how long it is: the page fails.
      mode = 0;
    }
  }
  mDataTransMode = mode;
  if (mode == 0) {
    if (deviceError() == 0) setDeviceError(kErrInternal, kInternalNumbers);
    dsCancelScan();
  }
  orBits(kBitPageStart);
}

void Dravon_DirectTWAIN::smPageEnd(const fnd::Notification& note) {
  if (const fnd::Dictionary* info = note.info()) {
    const std::int32_t crops = info->intValue("CROPS");
    {
      std::lock_guard guard(mPathMutex);
      mSmImageInfo.crops = crops;
    }
    std::lock_guard guard(DS_NTC_XFERCOUNT_LOCK);
    mXferCount = static_cast<std::uint16_t>(crops);
  }
  orBits(kBitPageEnd);
}

void Dravon_DirectTWAIN::smDocumentEnd(const fnd::Notification& note) {
  if (const fnd::Dictionary* info = note.info()) mDocEndInfo = info->intValue("STATUS");
  orBits(kBitDocumentEnd);
  // The launcher learns of the end from the data source, never from the scan module: a request
  // that brought no image ends there.
  std::weak_ptr<Dravon_DirectTWAIN*> alive = mAliveWeak;
  fnd::RunLoop::performOnMainThread([alive] {
    if (auto self = alive.lock()) fnd::NotificationCenter::defaultCenter().post(kDocumentEndNotification, *self);
  });
}

void Dravon_DirectTWAIN::smStartNoSleep(const fnd::Notification&) {
  if (!myUICtrl) return;
  myUICtrl->dsTimerNotSleep(nullptr);
  myUICtrl->uiControlSystemEvent(nullptr, 1000);
}

void Dravon_DirectTWAIN::smStopNoSleep(const fnd::Notification&) {
  if (!myUICtrl) return;
  myUICtrl->uiControlSystemEvent(nullptr, 1001);
  myUICtrl->dsTimerNotSleep(nullptr);
}

void Dravon_DirectTWAIN::smUpdateReadPushButton(const fnd::Notification&) {
  if (myPMethod) myPMethod->sendAnyEvents(0);
}

void Dravon_DirectTWAIN::getTerminateApp(const fnd::Notification&) {
  mAppWillTerminate = true;
  stopWaiting();
}

void Dravon_DirectTWAIN::stopWaiting() { mStopWaiting = true; }

bool Dravon_DirectTWAIN::waitsMustEnd() const { return mStopWaiting.load() || mAppWillTerminate.load(); }

// --- page and scan steps -----------------------------------------------------------------------

void Dravon_DirectTWAIN::dropPage() {
  std::unique_ptr<velmor::PageFile> file;
  std::unique_ptr<velmor::PageMemory> memory;
  {
    std::lock_guard guard(mPageMutex);
    file = std::move(mPageFile);
    memory = std::move(mPageMemory);
  }
  // The file is deleted and the block freed here, outside the lock.
}

void Dravon_DirectTWAIN::dsCancelScan() {
  bool expected = false;
  if (!mCancelSent.compare_exchange_strong(expected, true)) return;
  if (myScan) myScan->smCancelScan();
}

void Dravon_DirectTWAIN::dsEndScan(std::int32_t cancel) {
  if (!mDoneNextPage.exchange(false)) return;
  releaseResultBitmap();
  closePageReader();
  dropPage();
  if (cancel == 1) dsCancelScan();
  if (myScan) myScan->smEndScan();
}

// --- group 1 -----------------------------------------------------------------------------------

void Dravon_DirectTWAIN::uiCloseButton(const fnd::Notification&) { dsPerformCloseDSReq(0); }

void Dravon_DirectTWAIN::uiLessCloseButton(const fnd::Notification&) { dsPerformCloseDSReq(0); }

void Dravon_DirectTWAIN::uiResultWindow(const fnd::Notification&) { mNeedResultWindow = true; }

void Dravon_DirectTWAIN::uiCloseResultWin(const fnd::Notification&) {
  if (myUICtrl) myUICtrl->uiControlNotification(nullptr, 204);
  mShowingResWin = 0;
  mNeedResultWindow = false;
  if (deviceError() != 0) dsMainWindowControl(0);
}

void Dravon_DirectTWAIN::uiCloseSelectWin(const fnd::Notification&) {
  if (myUICtrl) myUICtrl->uiControlNotification(nullptr, 214);
  if (dsGetErrorInfo() == 0 && mClosePictavoUI.load() != 1) {
    dsMainWindowControl(0);
  } else {
    dsPerformCloseDSReq(1);
  }
}

void Dravon_DirectTWAIN::uiCloseMultiPageWin(const fnd::Notification&) {
  if (myUICtrl) myUICtrl->uiControlNotification(nullptr, 210);
}

void Dravon_DirectTWAIN::uiClosePushMultiPageWin(const fnd::Notification&) {
  if (myUICtrl) myUICtrl->uiControlNotification(nullptr, 212);
}

void Dravon_DirectTWAIN::uiAlmNotify(const fnd::Notification&) {}
