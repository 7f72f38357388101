#include "ui/adjust/ThresholdGraphView.h"

void Quirel_ThresholdGraphView::setImgData(int rows, int columns, const std::uint8_t* data) {
  countSamples(static_cast<long long>(rows) * columns, data, 3);
}
