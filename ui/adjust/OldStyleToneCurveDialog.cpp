#include "ui/adjust/OldStyleToneCurveDialog.h"

void Quirel_OldStyleToneCurveDialog::createToneCurveDialog(fnd::Size size) {
  setOlderLayout({Code::TONEBC, Code::HIST});
  Quirel_ToneCurveDialog::createToneCurveDialog(size);
}
