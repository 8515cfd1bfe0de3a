// Runs the window's tests inside one QApplication on the offscreen platform, with an application
// data folder of their own, so that no test reads or writes the user's kept programs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "desktop/view.h"

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const QTemporaryDir data;
  qputenv("XDG_DATA_HOME", data.path().toUtf8());
  QApplication application(argc, argv);
  desktop::SetUpApplication();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
