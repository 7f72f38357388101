// GoogleTest main for suites without windows: a Qt core application runs, so the
// run loop, timers and main-thread calls work inside ordinary tests.
#include <QCoreApplication>
#include <gtest/gtest.h>

#include "TestEnvironment.h"

int main(int argc, char** argv) {
  testenv::setUp();
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  int result = RUN_ALL_TESTS();
  testenv::tearDown();
  return result;
}
