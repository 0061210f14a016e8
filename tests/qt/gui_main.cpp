#include <gtest/gtest.h>

#include <QApplication>

#include "qt/fonts.h"

int main(int argc, char** argv) {
  // The real widgets, drawn off screen unless a display is asked for.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  vertuno::qt::installMachineFonts();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
