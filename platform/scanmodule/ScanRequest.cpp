#include "scanmodule/ScanRequest.h"

#include <algorithm>
#include <cmath>

#include "foundation/RunTempFolder.h"
#include "scanmodule/ScanInfoRecord.h"
#include "scanmodule/Scene.h"

namespace velmor {

namespace {

int toInt(double v) { return static_cast<int>(std::lround(v)); }

}  // namespace

ScanRequest ScanRequest::fromDictionary(const fnd::Dictionary& request, const DeviceModel& model) {
  // Read with the user interface's own reader, so both sides agree on every key.
  const ScanInfoRecord record(request);
  const ScanInfo& info = record.info();
  const ScanSetting& setting = record.setting();
  ScanRequest r;
  r.inputSource = info.InputSource;
  r.source = (r.inputSource == 1 || r.inputSource == 2) ? Source::Feeder
             : (r.inputSource >= 3 && r.inputSource <= 7) ? Source::Film
                                                           : Source::Platen;
  r.imageSource = r.source == Source::Film ? 1 : 0;
  r.noCloseUI = setting.NoCloseUI;
  r.temporaryPath = setting.temporaryPath ? setting.temporaryPath : "";
  if (r.temporaryPath.empty()) r.temporaryPath = fnd::RunTempFolder::path();
  if (setting.ColorSetting == 1 && setting.ColorSync.SourceProfile && setting.ColorSync.TargetProfile) {
    r.sourceProfile = setting.ColorSync.SourceProfile;
    r.targetProfile = setting.ColorSync.TargetProfile;
  }

  RenderSpec base;
  const int colorMode = setting.ColorMode;
  base.mode = colorMode == 0 ? ColourMode::BlackWhite : colorMode == 1 ? ColourMode::Grey : ColourMode::Colour;
  base.bitsPerSample = base.mode == ColourMode::BlackWhite ? 1 : (info.BitDepth == 16 ? 16 : 8);
  // No threshold (0) leaves the middle of the scale.
  base.threshold = setting.Threshold > 0 ? setting.Threshold : 128;

  const int maxRes = std::max(1, model.maximumResolution);
  const int onePass = info.OnePass;
  r.findsDocuments = r.source == Source::Platen && (onePass == 2 || onePass == 4 || onePass == 6);
  if (r.findsDocuments) {
    const CropSetting* first = record.crop(0);
    const int asked = first ? first->Resolution : 0;
    RenderSpec renderSpec = base;
    renderSpec.resolution = std::min(asked > 0 ? asked : 300, maxRes);
    if (first && first->Threshold > 0) renderSpec.threshold = first->Threshold;
    const double k = renderSpec.resolution;
    const Scene platen = Scene::platen(model.platenWidth, model.platenHeight);
    for (const Scene::Document& d : platen.documents()) {
      renderSpec.x = std::max(0, toInt(d.x * k));
      renderSpec.y = std::max(0, toInt(d.y * k));
      renderSpec.width = std::max(1, toInt(d.width * k));
      renderSpec.height = std::max(1, toInt(d.height * k));
      r.areas.push_back(Area{renderSpec, first ? first->UserGamma : 0, 0, false});
    }
    return r;
  }
  for (int i = 0; i < record.cropCount(); ++i) {
    const CropSetting* crop = record.crop(i);
    if (!crop) continue;
    const int res = crop->Resolution;
    double x = crop->ScanRect.x, y = crop->ScanRect.y, w = crop->ScanRect.width, h = crop->ScanRect.height;
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
    if (crop->Threshold > 0) renderSpec.threshold = crop->Threshold;
    // No magnification (0, or one that is not a number) leaves the size as it is.
    const double scale = std::isfinite(crop->Scale) && crop->Scale > 0 ? crop->Scale : 100.0;
    r.areas.push_back(Area{renderSpec, crop->UserGamma, crop->Rotation, crop->Mirror != 0, scale, crop->HSLCyanRed,
                           crop->HSLMagentaGreen, crop->HSLYellowBlue, crop->HSLSaturation});
  }

  if (r.areas.empty()) {
    // No crop: the scan-wide rectangle, else the whole source, at 300 dpi.
    RenderSpec renderSpec = base;
    renderSpec.resolution = std::min(300, maxRes);
    const ScanRect& rect = setting.ScanRect;
    double x = rect.x, y = rect.y, w = rect.width, h = rect.height;
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
    r.areas.push_back(Area{renderSpec, 0});
  }
  return r;
}

}  // namespace velmor
