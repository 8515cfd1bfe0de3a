// Runs the window's tests inside one QApplication on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>

#include "desktop/view.h"

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  desktop::SetUpApplication();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
