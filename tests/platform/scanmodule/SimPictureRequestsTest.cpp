// The simulated module's picture work for the colour-pattern dialog: "ResizeBitmap" and
// "ExecuteHSL" fill the caller's destination during the call and answer through "SMResult".
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "scanmodule/SimController.h"

using velmor::SimController;

namespace {

struct PictureRequest {
  fnd::SharedDictionary info = fnd::makeShared();
  std::shared_ptr<int> result = std::make_shared<int>(-1);
  PictureRequest() { info->set("SMResult", fnd::Value::object(result)); }
  fnd::Notification note(const char* name) const { return fnd::Notification{name, nullptr, info}; }
};

// Four flat quarters: red, green, blue and grey, rows from the top.
std::vector<std::uint8_t> quarterPicture(int w, int h) {
  std::vector<std::uint8_t> p(std::size_t(w) * std::size_t(h) * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool right = x >= w / 2, bottom = y >= h / 2;
      std::uint8_t rgb[3] = {0, 0, 0};
      if (!right && !bottom) rgb[0] = 255;
      if (right && !bottom) rgb[1] = 255;
      if (!right && bottom) rgb[2] = 255;
      if (right && bottom) rgb[0] = rgb[1] = rgb[2] = 128;
      std::uint8_t* px = p.data() + (std::size_t(y) * std::size_t(w) + std::size_t(x)) * 3;
      px[0] = rgb[0], px[1] = rgb[1], px[2] = rgb[2];
    }
  return p;
}

// The shift of one 8-bit sample by a setting of -100..100 (a full step moves half the range).
int shiftedSample(int v, int setting) {
  return int(std::lround(std::clamp(v / 255.0 + setting / 200.0, 0.0, 1.0) * 255.0));
}

}  // namespace

TEST(SimPictureRequests, ResizeAveragesAreasIntoTheCallersBufferAndAnswersZero) {
  SimController c;
  std::vector<std::uint8_t> src = quarterPicture(300, 200);
  std::vector<std::uint8_t> dst(100 * 66 * 3, 7);
  PictureRequest r;
  r.info->set("srcWidth", 300);
  r.info->set("srcHeight", 200);
  r.info->set("srcBitmap", fnd::Value::pointer(src.data()));
  r.info->set("dstWidth", 100);
  r.info->set("dstHeight", 66);
  r.info->set("dstBitmap", fnd::Value::pointer(dst.data()));
  c.smResizeBitmap(r.note("ResizeBitmap"));
  EXPECT_EQ(*r.result, 0);
  auto at = [&](int x, int y) {
    const std::uint8_t* p = dst.data() + (std::size_t(y) * 100 + std::size_t(x)) * 3;
    return std::vector<int>{p[0], p[1], p[2]};
  };
  EXPECT_EQ(at(10, 10), (std::vector<int>{255, 0, 0}));
  EXPECT_EQ(at(90, 10), (std::vector<int>{0, 255, 0}));
  EXPECT_EQ(at(10, 60), (std::vector<int>{0, 0, 255}));
  EXPECT_EQ(at(90, 60), (std::vector<int>{128, 128, 128}));
}

TEST(SimPictureRequests, RefusedRequestsLeaveTheDestinationAloneAndAnswerOne) {
  SimController c;
  std::vector<std::uint8_t> src(12 * 12 * 3, 200);
  struct Case {
    const char* what;
    int sw, sh, dw, dh;
    bool srcGiven, dstGiven;
  };
  for (const Case& k : {Case{"no source", 12, 12, 6, 6, false, true}, Case{"no target", 12, 12, 6, 6, true, false},
                        Case{"zero width", 0, 12, 6, 6, true, true}, Case{"negative target", 12, 12, -6, 6, true, true},
                        Case{"growing", 12, 12, 24, 6, true, true}, Case{"huge side", 12, 100000, 6, 6, true, true}}) {
    SCOPED_TRACE(k.what);
    std::vector<std::uint8_t> dst(24 * 24 * 3, 7);
    PictureRequest r;
    r.info->set("srcWidth", k.sw);
    r.info->set("srcHeight", k.sh);
    r.info->set("srcBitmap", fnd::Value::pointer(k.srcGiven ? src.data() : nullptr));
    r.info->set("dstWidth", k.dw);
    r.info->set("dstHeight", k.dh);
    r.info->set("dstBitmap", fnd::Value::pointer(k.dstGiven ? dst.data() : nullptr));
    c.smResizeBitmap(r.note("ResizeBitmap"));
    EXPECT_EQ(*r.result, 1);
    EXPECT_EQ(dst, std::vector<std::uint8_t>(24 * 24 * 3, 7));
  }
  // A saturation change is not done, so it is not answered as done.
  std::vector<std::uint8_t> dst(12 * 12 * 3, 7);
  PictureRequest r;
  r.info->set("srcWidth", 12);
  r.info->set("srcHeight", 12);
  r.info->set("srcBitmap", fnd::Value::pointer(src.data()));
  r.info->set("dstBitmap", fnd::Value::pointer(dst.data()));
  r.info->set("CyanRed", 10);
  r.info->set("Saturation", 20);
  c.smExecuteHSL(r.note("ExecuteHSL"));
  EXPECT_EQ(*r.result, 1);
  EXPECT_EQ(dst, std::vector<std::uint8_t>(12 * 12 * 3, 7));
}

TEST(SimPictureRequests, HSLShiftsEachChannelAsThePlugInDoes) {
  SimController c;
  std::vector<std::uint8_t> src = quarterPicture(40, 20);
  struct Case {
    int cr, mg, yb;
  };
  for (const Case& k : {Case{10, -5, -5}, Case{-20, 10, 10}, Case{0, 15, -15}, Case{100, -100, 0}, Case{300, 0, -300}}) {
    SCOPED_TRACE(testing::Message() << k.cr << "," << k.mg << "," << k.yb);
    std::vector<std::uint8_t> dst(src.size(), 0);
    PictureRequest r;
    r.info->set("srcWidth", 40);
    r.info->set("srcHeight", 20);
    r.info->set("srcBitmap", fnd::Value::pointer(src.data()));
    r.info->set("dstBitmap", fnd::Value::pointer(dst.data()));
    r.info->set("CyanRed", k.cr);
    r.info->set("MagentaGreen", k.mg);
    r.info->set("YellowBlue", k.yb);
    r.info->set("Saturation", 0);
    c.smExecuteHSL(r.note("ExecuteHSL"));
    ASSERT_EQ(*r.result, 0);
    const int settings[3] = {std::clamp(k.cr, -100, 100), std::clamp(k.mg, -100, 100), std::clamp(k.yb, -100, 100)};
    for (std::size_t i = 0; i < src.size(); ++i)
      ASSERT_EQ(dst[i], shiftedSample(src[i], settings[i % 3])) << "sample " << i;
  }
}
