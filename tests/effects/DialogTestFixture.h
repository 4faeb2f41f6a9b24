#pragma once

#include <gtest/gtest.h>

#include <QApplication>

namespace velmora::testing {

// Base of the dialog tests: makes the one QApplication they need, unless a test made it before.
class DialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!QApplication::instance()) {
      static int argc = 1;
      static char name[] = "effects_tests";
      static char* argv[] = {name, nullptr};
      new QApplication(argc, argv);
    }
  }
};

}  // namespace velmora::testing
