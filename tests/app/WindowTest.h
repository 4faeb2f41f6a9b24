#pragma once

// The fixture of the window's tests: a QApplication for the whole test program and a fresh main
// window whose settings files live in a temporary folder.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <memory>

#include "TempFolder.h"
#include "app/MainWindow.h"

namespace velmora::testing {

class WindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!QApplication::instance()) {
      static int argc = 1;
      static char name[] = "app_tests";
      static char* argv[] = {name, nullptr};
      new QApplication(argc, argv);
    }
  }
  void SetUp() override {
    window = std::make_unique<MainWindow>(AppPaths(folder.path(), folder.path()));
  }
  void TearDown() override {
    // Nothing to save: closing must not ask.
    doc().set_modified_mark(kMarkUnchanged);
    window.reset();
  }

  CardDocument& doc() { return window->document(); }
  bool Enabled(const char* name) { return window->action(name)->isEnabled(); }

  TempFolder folder;
  std::unique_ptr<MainWindow> window;
};

}  // namespace velmora::testing
