// GoogleTest main for suites with windows: a Qt widget application on the offscreen platform.
#include <QApplication>
#include <gtest/gtest.h>

#include "TestEnvironment.h"

int main(int argc, char** argv) {
  testenv::setUp();
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  int result = RUN_ALL_TESTS();
  testenv::tearDown();
  return result;
}
