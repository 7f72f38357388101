#include "ui/adjust/OldStyleHistogramDialog.h"

void Quirel_OldStyleHistogramDialog::createHistoDialog(fnd::Size size) {
  setOlderLayout({Code::TONEBC});
  Quirel_HistogramDialog::createHistoDialog(size);
}
