#include "foundation/Locale.h"

#include <QLocale>

namespace fnd {

LocaleFacts currentLocaleFacts() {
  const QLocale locale = QLocale::system();
  LocaleFacts facts;
  if (locale.territory() != QLocale::AnyTerritory) facts.countryCode = QLocale::territoryToCode(locale.territory()).toStdString();
  facts.metric = locale.measurementSystem() == QLocale::MetricSystem;
  return facts;
}

}  // namespace fnd
