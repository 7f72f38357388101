#include "ui/adjust/OldStyleFinalReviewDialog.h"

#include "ui/adjust/OldStyleFRPixelValueView.h"

void Quirel_OldStyleFinalReviewDialog::createFinalReviewDialog(fnd::Size size) {
  setOlderLayout({Code::TONEBC, Code::HIST});
  Quirel_FinalReviewDialog::createFinalReviewDialog(size);
}

std::unique_ptr<Quirel_FRPixelValueView> Quirel_OldStyleFinalReviewDialog::createReadout(const fnd::Rect& frame,
                                                                                          int color) {
  return std::make_unique<Quirel_OldStyleFRPixelValueView>(frame, color);
}
