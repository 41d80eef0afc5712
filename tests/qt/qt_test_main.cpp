// Runs the widget tests inside one QApplication.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>
#include <cstdlib>

int main(int argc, char** argv) {
  // Widget tests need no display; the ones that need GL set their own platform.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  // Settings the windows store go to a test folder, never into the user's own.
  QStandardPaths::setTestModeEnabled(true);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
