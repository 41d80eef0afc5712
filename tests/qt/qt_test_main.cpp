// Runs the widget tests inside one QApplication.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>

int main(int argc, char** argv) {
  // Widget tests need no display; the ones that need GL set their own platform.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // What the windows store (settings, recent files, the window's geometry) goes to a folder
  // of this run's own, never into the user's, nor into one another test run shares.
  const QTemporaryDir home;
  setenv("XDG_CONFIG_HOME", qPrintable(home.filePath(QStringLiteral("config"))), 1);
  setenv("XDG_DATA_HOME", qPrintable(home.filePath(QStringLiteral("data"))), 1);
  QApplication application(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
