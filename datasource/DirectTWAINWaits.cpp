// The data source's waits for the scan module. Each runs on the main thread and looks again as
// soon as something happens: a report of the scan module (whose handlers wake the main loop),
// an event of the windows (so Cancel works) or a queued request; at the latest every 100 ms,
// so a change nothing announces is still seen. Every wait also ends
// when the application ends or the data source stops waiting, answering 10002: nothing on the
// main thread waits for a module that will not report any more.
#include "datasource/DirectTWAIN.h"
#include "foundation/Thread.h"

// Counts the wait as a running call and carries its cancel object.
class Dravon_DirectTWAIN::WaitScope {
 public:
  explicit WaitScope(Dravon_DirectTWAIN& owner)
      : owner_(owner), status(std::make_shared<Quirel_progressCancelStatus>()) {
    ++owner_.mMainLoopCount;
  }
  ~WaitScope() { --owner_.mMainLoopCount; }
  WaitScope(const WaitScope&) = delete;
  WaitScope& operator=(const WaitScope&) = delete;

 private:
  Dravon_DirectTWAIN& owner_;

 public:
  std::shared_ptr<Quirel_progressCancelStatus> status;
};

void Dravon_DirectTWAIN::pauseForReport() {
  if (myPMethod) {
    myPMethod->waitForEvents(kWaitPollSeconds);
  } else {
    fnd::Thread::sleepFor(kWaitPollSeconds);
  }
}

std::int16_t Dravon_DirectTWAIN::dsWaitForNextEvent(std::int32_t kind) {
  switch (kind) {
    case 2:
      return waitForPage(false);
    case 3:
      return waitForPage(true);
    case 4:
      return waitForPageEnd();
    case 5:
      return waitForDocumentEnd();
    case 6:
      return waitForResultWindow();
    case 8:
      return waitForProgressClosed();
    case 9:
      return waitForErrorReport();
    case 10:
      return waitForErrorHandled();
    default:
      return 0;
  }
}

bool Dravon_DirectTWAIN::pollEvents(const std::shared_ptr<Quirel_progressCancelStatus>& status, std::int32_t eventKind) {
  if (waitsMustEnd()) return false;
  if (myUICtrl) myUICtrl->uiControlEvent(status, eventKind);
  if (myPMethod) myPMethod->sendAnyEvents(0);
  return !waitsMustEnd();
}

std::int16_t Dravon_DirectTWAIN::cancelFromWait() {
  dsCancelScan();
  const std::int32_t error = mScanningMode.load() == 1 ? kErrCancelFeeder : kErrCancel;
  setDeviceError(error);
  return static_cast<std::int16_t>(error);
}

// Kinds 2 and 3: the image report (and for 3 the page start) of the data source's page.
std::int16_t Dravon_DirectTWAIN::waitForPage(bool pageStart) {
  auto arrived = [&] {
    const bool samePage = mDoingSMpage.load() == mDoingDSpage.load();
    return samePage && (!pageStart || (mReceivedSMnc.load() & kBitPageStart) != 0);
  };
  if (pageStart && arrived()) return 0;
  WaitScope scope(*this);
  for (;;) {
    if (!pollEvents(scope.status, 400)) return kErrCancel;
    if (scope.status->getCancelNum() == 1) return cancelFromWait();
    if (arrived()) return 0;
    pauseForReport();

    if (!pageStart && mDoingDSpage.load() >= 2 && mDoingSMpage.load() < mDoingDSpage.load()) dsEndScan(0);
    const std::int32_t error = deviceError();
    if (error != 0) {
      dsCheckError(lastErrorReport(), 1);
      if (mErrWillOccur.load() != 0) dsWaitForNextEvent(9);
      if (error != kErrPaperOut) return static_cast<std::int16_t>(error);
      // Paper out: the wait goes on only when the user reloaded paper.
      if (deviceError() != 0) return static_cast<std::int16_t>(deviceError());
      continue;
    }
    if ((mReceivedSMnc.load() & kBitDocumentEnd) != 0) {
      if (mDocEndInfo.load() == 0) {
        const bool feederOption2 = mADFSupported == 2 && mADFOption.load() == 2;
        if (!feederOption2 && mDoingSMpage.load() >= mDoingDSpage.load()) return 0;
      }
      // The document ended without the page (or ended badly with no error report): the page
      // will never come, so the wait ends as a cancel instead of polling for ever.
      setDeviceError(kErrCancel);
      return kErrCancel;
    }
  }
}

// Kind 4: the page end of a started page.
std::int16_t Dravon_DirectTWAIN::waitForPageEnd() {
  auto pending = [&] {
    const std::int16_t bits = mReceivedSMnc.load();
    return (bits & kBitPageStart) != 0 && (bits & kBitPageEnd) == 0;
  };
  if (!pending()) return 0;
  WaitScope scope(*this);
  for (;;) {
    if (!pollEvents(scope.status, 400)) return kErrCancel;
    if (scope.status->getCancelNum() == 1) return cancelFromWait();
    if ((mReceivedSMnc.load() & kBitPageEnd) != 0) return 0;
    const std::int32_t error = deviceError();
    if (error != 0) {
      dsCheckError(lastErrorReport(), 1);
      return static_cast<std::int16_t>(error);
    }
    if ((mReceivedSMnc.load() & kBitDocumentEnd) != 0) {
      // The document ended before the page did: no page end will come.
      if (mDocEndInfo.load() == 0) return 0;
      setDeviceError(kErrCancel);
      return kErrCancel;
    }
    pauseForReport();
  }
}

// Kind 5: the end of a started document.
std::int16_t Dravon_DirectTWAIN::waitForDocumentEnd() {
  if ((mReceivedSMnc.load() & kBitDocumentStart) == 0 && !mStartedScan.load()) return 0;
  WaitScope scope(*this);
  for (;;) {
    if (!pollEvents(scope.status, 400)) return kErrCancel;
    if (scope.status->getCancelNum() == 1) return cancelFromWait();
    if (mErrWillOccur.load() != 0) {
      dsWaitForNextEvent(9);
      dsCheckError(lastErrorReport(), 1);
    }
    if ((mReceivedSMnc.load() & kBitDocumentEnd) != 0) return 0;
    // Nothing is left to end the document.
    if (!myScan) return 0;
    pauseForReport();
  }
}

// Kind 6: the scan-result window, until the user closes it.
std::int16_t Dravon_DirectTWAIN::waitForResultWindow() {
  if (!mNeedResultWindow.load() || mShowingResWin.load() == 0) return 0;
  WaitScope scope(*this);
  // Marked first: a window closed while it starts would otherwise leave the mark at 2 for good.
  mShowingResWin = 2;
  if (myUICtrl) myUICtrl->uiControlNotification(nullptr, 205);
  while (mShowingResWin.load() == 2) {
    // With no user interface left nothing can close the window or report it closed.
    if (!myUICtrl || !myUICtrl->mainRoot()) {
      mShowingResWin = 0;
      mNeedResultWindow = false;
      break;
    }
    if (!pollEvents(scope.status, 401)) return kErrCancel;
    if (scope.status->getCancelNum() == 1) {
      if (myUICtrl) myUICtrl->uiControlNotification(nullptr, 204);
      mShowingResWin = 0;
      mNeedResultWindow = false;
      dsMainWindowControl(0);
      break;
    }
    if (mShowingResWin.load() != 2) break;
    pauseForReport();
  }
  return 0;
}

// Kind 8: the progress window closed (after the document end when the scan was cancelled).
// The module closes the window at the end of its document or preview; with no document under
// way nothing else will, so the wait closes it itself rather than waiting for ever.
std::int16_t Dravon_DirectTWAIN::waitForProgressClosed() {
  WaitScope scope(*this);
  bool closeSent = false;
  for (;;) {
    // Nothing can close a window that has no dispatcher or root left: the wait ends then.
    if (!myUICtrl || !myUICtrl->progressRoot()) return 0;
    if (!pollEvents(scope.status, 400)) return kErrCancel;
    const bool documentEnded = (mReceivedSMnc.load() & kBitDocumentEnd) != 0;
    const bool documentDone = !(mCancelSent.load() && mStartedScan.load()) || documentEnded;
    if (documentDone && mClosedProgressWin.load() != 0) return 0;
    // What was queued has run (the poll turned the loop) and the window is still open.
    if (!closeSent && mClosedProgressWin.load() == 0 && (!mStartedScan.load() || documentEnded)) {
      closeSent = true;
      myUICtrl->uiControlMethod(nullptr, 102);
      continue;
    }
    pauseForReport();
  }
}

// Kind 9: the error report that was announced.
std::int16_t Dravon_DirectTWAIN::waitForErrorReport() {
  if (mErrWillOccur.load() == 0) return 0;
  WaitScope scope(*this);
  for (;;) {
    if (!pollEvents(scope.status, 400)) return kErrCancel;
    if (scope.status->getCancelNum() == 1) return cancelFromWait();
    if (mErrWillOccur.load() == 0) return 0;
    pauseForReport();
  }
}

// Kind 10: an error met while reading lines is handled; paper reloaded starts the page again.
std::int16_t Dravon_DirectTWAIN::waitForErrorHandled() {
  std::int32_t error;
  {
    WaitScope scope(*this);
    if (!pollEvents(scope.status, 400)) return kErrCancel;
    if (scope.status->getCancelNum() == 1) return cancelFromWait();
    if (mErrWillOccur.load() != 0) {
      const std::int16_t waited = dsWaitForNextEvent(9);
      if (waited != 0) return waited;
    }
    error = deviceError();
    dsCheckError(lastErrorReport(), 1);
  }
  if (error == kErrPaperOut && deviceError() == 0) {
    const std::int16_t page = dsWaitForNextEvent(2);
    if (page != 0) return page;
    if (myScan) myScan->smStartScan();
    mTransferStartedScan = true;
    return dsWaitForNextEvent(3);
  }
  return static_cast<std::int16_t>(error);
}
