#include <gtest/gtest.h>

#include <QApplication>

// One QApplication for every widget test. Without a display (as when CTest lists the tests at
// build time) the offscreen platform is used.
int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
