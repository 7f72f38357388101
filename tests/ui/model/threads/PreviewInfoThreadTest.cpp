#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "../ModeLinkDoubles.h"
#include "../ScanModuleDouble.h"
#include "ui/model/PreviewInfo.h"

using modedoubles::FakeProgressWindow;

// The observer runs inside the post, on the posting thread, and its answer is in place when the
// post returns; a model destroyed afterwards is reached by no later post.
TEST(PreviewInfoThreads, WorkerPostIsHandledOnThatThreadThenNothingAfterDestruction) {
  fnd::NotificationCenter center;
  auto model = std::make_unique<Quirel_PreviewInfo>(center);
  model->setHasPreview(true);
  model->setImageAdjust(2, 4);
  FakeProgressWindow window;
  window.cropNow = 2;

  std::thread::id worker;
  std::thread t([&] {
    worker = std::this_thread::get_id();
    window.postSetScanningInfoImageAdjust(center);
  });
  t.join();
  ASSERT_EQ(window.shown.size(), 1u);
  EXPECT_EQ(window.shown[0], 4);
  EXPECT_EQ(window.threads[0], worker);

  model.reset();
  std::thread again([&] { window.postSetScanningInfoImageAdjust(center); });
  again.join();
  EXPECT_EQ(window.shown.size(), 1u);
  EXPECT_EQ(center.observerCount(), 0u);
}

// Two models on one centre, posts from several workers at once: each post is answered once by
// each model, with no race between the posts.
TEST(PreviewInfoThreads, ConcurrentWorkerPostsEachAnsweredByEveryModel) {
  fnd::NotificationCenter center;
  Quirel_PreviewInfo first(center);
  Quirel_PreviewInfo second(center);
  first.setHasPreview(true);
  second.setHasPreview(true);
  first.setImageAdjust(1, 3);
  second.setImageAdjust(1, 3);
  constexpr int kWorkers = 4;
  FakeProgressWindow windows[kWorkers];
  std::thread threads[kWorkers];
  for (int i = 0; i < kWorkers; ++i) {
    windows[i].cropNow = 1;
    threads[i] = std::thread([&, i] {
      for (int k = 0; k < 25; ++k) windows[i].postSetScanningInfoImageAdjust(center);
    });
  }
  for (auto& t : threads) t.join();
  for (auto& w : windows) {
    ASSERT_EQ(w.shown.size(), 50u);
    for (int v : w.shown) EXPECT_EQ(v, 3);
  }
}

// A worker recomputes every crop while the main thread recomputes the selected ones: both finish,
// the posts never interleave on the buffers, and every shown picture is whole.
TEST(PreviewInfoThreads, AllSelectedFromAWorkerWhileMainUpdatesTheSelected) {
  fnd::NotificationCenter center;
  ScanModuleDouble module(center);
  Quirel_PreviewInfo model(center);
  Quirel_PreferenceInfo prefs;
  modedoubles::FakeStandardMode basic;
  basic.preferences = &prefs;
  model.setPrevModeandId(0, &basic, nullptr);
  constexpr int kW = 80, kH = 60;
  model.setWholeSize(kW, kH);
  Quirel_PreviewInfo::PixelBuffer shown(new std::uint8_t[kW * kH * 3]());
  model.setOriginalPixel24(std::move(shown));
  Quirel_PreviewInfo::PixelBuffer before(new std::uint8_t[kW * kH * 3]());
  model.setBeforeAdjustPixel24(std::move(before));

  auto list = std::make_shared<fnd::Dictionary>();
  fnd::Array crops;
  for (int i = 0; i < 3; ++i) {
    auto c = std::make_shared<Quirel_CropInfo>();
    c->setResolution(40 + 40 * i);
    c->setVisiblePreviewSize_Pixel96({kW, kH});
    c->setInputRect_Pixel96(makeSRectDouble(5 + 10 * i, 5, 40, 40));
    c->setSelect(i != 1);
    crops.push_back(fnd::Value::object(c));
  }
  auto info = [&] {
    return std::make_shared<fnd::Dictionary>(fnd::Dictionary{{"Mode", 0}, {"CropList", fnd::Value(crops)}});
  };
  constexpr int kRounds = 10;
  std::thread worker([&] {
    for (int k = 0; k < kRounds; ++k) center.post("updateImageSetAllSelectedPost", nullptr, info());
  });
  for (int k = 0; k < kRounds; ++k) center.post("UpdateImageSetSelectedPost", nullptr, info());
  worker.join();
  EXPECT_EQ(module.cropRequests, kRounds * 3 + kRounds * 2);
  ASSERT_EQ(basic.drawn.size(), static_cast<std::size_t>(2 * kRounds));
  // Every crop holds a whole answer of its own colour.
  for (const fnd::Value& v : crops) {
    auto c = v.toObject<Quirel_CropInfo>();
    ASSERT_NE(c->getcropCorData(), nullptr);
    EXPECT_EQ(c->getcropCorData()[0], c->getResolution());
  }
}
