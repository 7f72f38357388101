#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "../ModeLinkDoubles.h"
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
