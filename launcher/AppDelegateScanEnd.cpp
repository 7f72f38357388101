// The end of a scan request that brings no image. The save settings mark a request as under
// way; a transfer run ends it. When the scanner's document ends before any image was announced
// (the user cancelled, the scanner failed, the data source refused the first image) no run
// will come, and the request ends here, so the program can quit again.
#include <memory>

#include "foundation/RunLoop.h"
#include "launcher/AppDelegate.h"

void Zorvik_AppDelegate::watchScanRequestEnd() {
  fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter();
  mImagesAnnounced = false;
  const void* sender = mDirectTWAIN ? mDirectTWAIN->notificationSender() : nullptr;
  // Posted on the main thread by a call the data source queues at the document's first image,
  // so it comes ahead of the document end's call below.
  mImagesAnnouncedToken = center.observe(kXferReadyNotification, sender,
                                         [this](const fnd::Notification&) { mImagesAnnounced = true; });
  // The data source passes the scanner's document end on, on the main thread and after its own
  // announcement of the document's first image.
  std::weak_ptr<char> alive = mScanEndAlive;
  mDocumentEndToken = center.observe(kDocumentEndNotification, sender, [this, alive](const fnd::Notification&) {
    if (!alive.expired()) scanDocumentEnded();
  });
}

void Zorvik_AppDelegate::scanDocumentEnded() {
  // Announced images are pulled by a run, whose end clears the flag.
  if (mImagesAnnounced || mTransferring) return;
  mScanning = false;
  mImagesAnnouncedToken.reset();
  mDocumentEndToken.reset();
}
