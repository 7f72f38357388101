// The documents the simulated scanner finds: the corners it reports after a platen or a film
// preview, and a scan that leaves finding the documents to it (one image per document).

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "ReportLog.h"
#include "TestEnvironment.h"
#include "capture/ScannerDevice.h"
#include "scanmodule/ScanReports.h"
#include "scanmodule/ScanRequest.h"
#include "scanmodule/Scene.h"
#include "scanmodule/SimController.h"

using velmor::SimController;
namespace report = velmor::report;

namespace {

fnd::Dictionary foundSettings(fnd::Dictionary model) {
  capture::DeviceDefinition def;
  def.name = "Vantrel TS-800 Virtual";
  def.identifier = "TEST-FOUND";
  def.model = std::move(model);
  return fnd::Dictionary{{"ICScannerDevice", fnd::Value::object(capture::ScannerDevice::create(def))}};
}

// The reported corners against the scene's documents, in preview pixels from the top left.
void expectCornersMatch(const fnd::Array& crops, const velmor::Scene& scene) {
  ASSERT_EQ(crops.size(), scene.documents().size());
  const double k = SimController::kPreviewResolution;
  for (std::size_t i = 0; i < crops.size(); ++i) {
    const auto& d = scene.documents()[i];
    SCOPED_TRACE(i);
    const fnd::Array& p = crops[i]["points"].toArray();
    ASSERT_EQ(p.size(), 4u);
    // Top left, top right, bottom right, bottom left; right and bottom are the last pixels in.
    EXPECT_NEAR(p[0]["X"].toReal(), d.x * k, 1) << i;
    EXPECT_NEAR(p[0]["Y"].toReal(), d.y * k, 1) << i;
    EXPECT_NEAR(p[1]["X"].toReal() + 1, (d.x + d.width) * k, 1) << i;
    EXPECT_EQ(p[1]["Y"], p[0]["Y"]);
    EXPECT_NEAR(p[2]["Y"].toReal() + 1, (d.y + d.height) * k, 1) << i;
    EXPECT_EQ(p[2]["X"], p[1]["X"]);
    EXPECT_EQ(p[3]["X"], p[0]["X"]);
    EXPECT_EQ(p[3]["Y"], p[2]["Y"]);
    EXPECT_EQ(crops[i]["min"], p[0]);
    EXPECT_EQ(crops[i]["max"], p[2]);
  }
}

std::size_t readRowCount(SimController& c, int rows, double seconds = 20) {
  std::size_t got = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (static_cast<int>(got) < rows && std::chrono::steady_clock::now() < deadline) {
    if (c.smReadScan())
      ++got;
    else
      std::this_thread::yield();
  }
  return got;
}

}  // namespace

TEST(SimFoundDocuments, PlatenPreviewReportsTheDocumentsFromTheTopLeft) {
  SimController c;
  ReportLog log(&c);
  ASSERT_EQ(0, c.smInitSetting(foundSettings({})));
  c.smPreviewScan(fnd::Notification{"Preview_Scan", nullptr, fnd::makeShared()});
  ASSERT_TRUE(log.waitFor(report::kEndPreview));
  const fnd::Dictionary end = log.last(report::kEndPreview).info;
  const fnd::Array& crops = end.array("AutoMultiRect");
  const velmor::Scene platen = velmor::Scene::platen(8.5, 11.7);
  ASSERT_GE(platen.documents().size(), 2u);
  ASSERT_EQ(crops.size(), platen.documents().size() + 1);
  // First the area the automatic crop found: the one rectangle that just encloses every
  // document (its edges are documents' edges); then each document.
  expectCornersMatch(fnd::Array(crops.begin() + 1, crops.end()), platen);
  const fnd::Value& all = crops[0];
  long long left = all["min"]["X"].toInteger(), top = all["min"]["Y"].toInteger();
  long long right = all["max"]["X"].toInteger(), bottom = all["max"]["Y"].toInteger();
  long long l = left + 1, t = top + 1, r = right - 1, b = bottom - 1;
  for (std::size_t i = 1; i < crops.size(); ++i) {
    l = std::min(l, crops[i]["min"]["X"].toInteger());
    t = std::min(t, crops[i]["min"]["Y"].toInteger());
    r = std::max(r, crops[i]["max"]["X"].toInteger());
    b = std::max(b, crops[i]["max"]["Y"].toInteger());
  }
  EXPECT_EQ((std::vector<long long>{l, t, r, b}), (std::vector<long long>{left, top, right, bottom}));
  const fnd::Array& p = all["points"].toArray();
  ASSERT_EQ(p.size(), 4u);
  EXPECT_EQ(p[0], all["min"]);
  EXPECT_EQ(p[2], all["max"]);
  EXPECT_EQ(p[1], fnd::Value(fnd::Dictionary{{"X", right}, {"Y", top}}));
  EXPECT_EQ(p[3], fnd::Value(fnd::Dictionary{{"X", left}, {"Y", bottom}}));
  // All of them lie inside the preview the module sent.
  const auto size = log.last("setPreviewMakeSizePost").info;
  for (const fnd::Value& crop : crops) {
    EXPECT_LT(crop["max"]["X"].toInteger(), size.integer("PreviewWidth"));
    EXPECT_LT(crop["max"]["Y"].toInteger(), size.integer("PreviewHeight"));
  }
}

TEST(SimFoundDocuments, FilmPreviewReportsItsFrames) {
  SimController c;
  ReportLog log(&c);
  ASSERT_EQ(0, c.smInitSetting(foundSettings({{"FilmFrames", 4}})));
  c.smPreviewScan(fnd::Notification{"Preview_Scan", nullptr, fnd::makeShared(fnd::Dictionary{{"InputSource", 3}})});
  ASSERT_TRUE(log.waitFor(report::kEndPreview));
  const fnd::Dictionary end = log.last(report::kEndPreview).info;
  EXPECT_EQ(end.intValue("PreviewFilmPosiNega"), 3);
  expectCornersMatch(end.array("AutoMultiRect"), velmor::Scene::filmStrip(4));
}

TEST(SimFoundDocuments, RequestThatLeavesFindingToTheScannerHasOneAreaPerDocument) {
  velmor::DeviceModel model;
  const velmor::Scene platen = velmor::Scene::platen(model.platenWidth, model.platenHeight);
  for (int onePass : {2, 4, 6}) {
    const fnd::Dictionary request{{"ScanSetting", fnd::Dictionary{{"ColorMode", 2}}},
                                  {"InputSource", 0},
                                  {"OnePass", onePass},
                                  {"CropItem", fnd::Array{fnd::Dictionary{{"Resolution", 150}}}}};
    const velmor::ScanRequest r = velmor::ScanRequest::fromDictionary(request, model);
    EXPECT_TRUE(r.findsDocuments);
    ASSERT_EQ(r.areas.size(), platen.documents().size()) << onePass;
    for (std::size_t i = 0; i < r.areas.size(); ++i) {
      const auto& d = platen.documents()[i];
      EXPECT_EQ(r.areas[i].resolution, 150);
      EXPECT_NEAR(r.areas[i].x, d.x * 150, 1);
      EXPECT_NEAR(r.areas[i].width, d.width * 150, 1);
      EXPECT_NEAR(r.areas[i].height, d.height * 150, 1);
    }
  }
  // The basic mode's requests (one pass 0 or 1), and film, keep their own crops.
  const fnd::Dictionary crop{{"Resolution", 300},
                             {"ScanRect", fnd::Dictionary{{"X", 0.0}, {"Y", 0.0}, {"width", 60.0}, {"height", 40.0}}}};
  for (const fnd::Dictionary& request :
       {fnd::Dictionary{{"OnePass", 1}, {"CropItem", fnd::Array{crop}}},
        fnd::Dictionary{{"OnePass", 4}, {"InputSource", 3}, {"CropItem", fnd::Array{crop}}}}) {
    const velmor::ScanRequest r = velmor::ScanRequest::fromDictionary(request, model);
    EXPECT_FALSE(r.findsDocuments);
    ASSERT_EQ(r.areas.size(), 1u);
    EXPECT_EQ(r.areas[0].width, 60);
  }
  // Without a resolution: 300 dpi.
  const velmor::ScanRequest bare =
      velmor::ScanRequest::fromDictionary(fnd::Dictionary{{"OnePass", 6}, {"CropItem", fnd::Array{}}}, model);
  ASSERT_FALSE(bare.areas.empty());
  EXPECT_EQ(bare.areas[0].resolution, 300);
}

TEST(SimFoundDocuments, MultiScanDeliversOneImagePerDocument) {
  const std::string temp = testenv::freshFolder("velmor-found").string();
  SimController c;
  ReportLog log(&c);
  ASSERT_EQ(0, c.smInitSetting(foundSettings({})));
  const int res = 50;
  c.smStartScanEvent(fnd::Dictionary{{"ScanSetting", fnd::Dictionary{{"ColorMode", 1}, {"TemporaryPath", temp}}},
                                     {"InputSource", 0},
                                     {"OnePass", 6},
                                     {"BitDepth", 8},
                                     {"CropItem", fnd::Array{fnd::Dictionary{{"Resolution", res}}}}});
  const velmor::Scene platen = velmor::Scene::platen(8.5, 11.7);
  const int documents = static_cast<int>(platen.documents().size());
  std::vector<int> remaining;
  for (int page = 1; page <= documents; ++page) {
    ASSERT_TRUE(log.waitFor(report::kImageInfo, page));
    const fnd::Dictionary info = log.last(report::kImageInfo).info;
    const auto& d = platen.documents()[static_cast<std::size_t>(page - 1)];
    EXPECT_NEAR(info.intValue("WIDTH"), d.width * res, 1);
    EXPECT_NEAR(info.intValue("HEIGHT"), d.height * res, 1);
    c.smStartScan();
    ASSERT_EQ(readRowCount(c, info.intValue("HEIGHT")), static_cast<std::size_t>(info.intValue("HEIGHT")));
    ASSERT_TRUE(log.waitFor(report::kPageEnd, page));
    remaining.push_back(c.smContinousScan2(0));
    c.smEndScan();
  }
  ASSERT_TRUE(log.waitFor(report::kDocumentEnd));
  EXPECT_EQ(log.last(report::kDocumentEnd).info.intValue("STATUS"), report::kStatusDone);
  EXPECT_EQ(log.count(report::kImageInfo), documents);
  EXPECT_EQ(remaining.back(), 0);
  EXPECT_EQ(remaining.front(), documents - 1);
}
