#include "scanmodule/ScanRequest.h"

#include <algorithm>
#include <cmath>

#include "foundation/RunTempFolder.h"
#include "scanmodule/Scene.h"

namespace velmor {

namespace {

int toInt(double v) { return static_cast<int>(std::lround(v)); }

}  // namespace

ScanRequest ScanRequest::fromDictionary(const fnd::Dictionary& request, const DeviceModel& model) {
  ScanRequest r;
  const fnd::Dictionary& setting = request.dictionary("ScanSetting");
  r.inputSource = request.intValue("InputSource");
  r.source = (r.inputSource == 1 || r.inputSource == 2) ? Source::Feeder
             : (r.inputSource >= 3 && r.inputSource <= 7) ? Source::Film
                                                           : Source::Platen;
  r.imageSource = r.source == Source::Film ? 1 : 0;
  r.noCloseUI = setting.intValue("NoCloseUI");
  r.temporaryPath = setting.string("TemporaryPath");
  if (r.temporaryPath.empty()) r.temporaryPath = fnd::RunTempFolder::path();

  RenderSpec base;
  const int colorMode = setting.intValue("ColorMode");
  base.mode = colorMode == 0 ? ColourMode::BlackWhite : colorMode == 1 ? ColourMode::Grey : ColourMode::Colour;
  const int depth = request.intValue("BitDepth");
  base.bitsPerSample = base.mode == ColourMode::BlackWhite ? 1 : (depth == 16 ? 16 : 8);
  base.threshold = setting.contains("Threshold") ? setting.intValue("Threshold") : 128;

  const int maxRes = std::max(1, model.maximumResolution);
  const int onePass = request.intValue("OnePass");
  r.findsDocuments = r.source == Source::Platen && (onePass == 2 || onePass == 4 || onePass == 6);
  if (r.findsDocuments) {
    const fnd::Array& crops = request.array("CropItem");
    const int asked = crops.empty() ? 0 : crops.front().toDictionary().intValue("Resolution");
    RenderSpec renderSpec = base;
    renderSpec.resolution = std::min(asked > 0 ? asked : 300, maxRes);
    if (!crops.empty() && crops.front().toDictionary().intValue("Threshold") > 0)
      renderSpec.threshold = crops.front().toDictionary().intValue("Threshold");
    const double k = renderSpec.resolution;
    const Scene platen = Scene::platen(model.platenWidth, model.platenHeight);
    for (const Scene::Document& d : platen.documents()) {
      renderSpec.x = std::max(0, toInt(d.x * k));
      renderSpec.y = std::max(0, toInt(d.y * k));
      renderSpec.width = std::max(1, toInt(d.width * k));
      renderSpec.height = std::max(1, toInt(d.height * k));
      r.areas.push_back(renderSpec);
    }
    return r;
  }
  for (const fnd::Value& item : request.array("CropItem")) {
    const fnd::Dictionary& crop = item.toDictionary();
    const int res = crop.intValue("Resolution");
    const fnd::Dictionary& rect = crop.dictionary("ScanRect");
    double x = rect.real("X"), y = rect.real("Y"), w = rect.real("width"), h = rect.real("height");
    if (res <= 0 || w < 1 || h < 1) continue;  // an unused slot
    RenderSpec renderSpec = base;
    renderSpec.resolution = res;
    if (res > maxRes) {  // the sensor cannot go further: same area at the highest resolution
      const double k = double(maxRes) / res;
      x *= k, y *= k, w *= k, h *= k;
      renderSpec.resolution = maxRes;
    }
    renderSpec.x = std::max(0, toInt(x));
    renderSpec.y = std::max(0, toInt(y));
    renderSpec.width = std::max(1, toInt(w));
    renderSpec.height = std::max(1, toInt(h));
    if (crop.intValue("Threshold") > 0) renderSpec.threshold = crop.intValue("Threshold");
    r.areas.push_back(renderSpec);
  }

  if (r.areas.empty()) {
    // No crop: the scan-wide rectangle, else the whole source, at 300 dpi.
    RenderSpec renderSpec = base;
    renderSpec.resolution = std::min(300, maxRes);
    const fnd::Dictionary& rect = setting.dictionary("ScanRect");
    double x = rect.real("X"), y = rect.real("Y"), w = rect.real("width"), h = rect.real("height");
    if (w <= 0 || h <= 0) {
      x = y = 0;
      if (r.source == Source::Feeder) {
        w = model.feederWidth, h = model.feederHeight;
      } else if (r.source == Source::Film) {
        const Scene strip = Scene::filmStrip(model.filmFrames);
        w = strip.width(), h = strip.height();
      } else {
        w = model.platenWidth, h = model.platenHeight;
      }
    }
    renderSpec.x = std::max(0, toInt(x * renderSpec.resolution));
    renderSpec.y = std::max(0, toInt(y * renderSpec.resolution));
    renderSpec.width = std::max(1, toInt(w * renderSpec.resolution));
    renderSpec.height = std::max(1, toInt(h * renderSpec.resolution));
    r.areas.push_back(renderSpec);
  }
  return r;
}

}  // namespace velmor
