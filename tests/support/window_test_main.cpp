#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
  // Window tests draw into memory, never onto a screen.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  QApplication::setApplicationName("Hexvane");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
