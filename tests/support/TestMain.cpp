// Test entry shared by every test executable, on the offscreen platform so
// that fonts, QPainter and widgets work without a display: a QApplication
// where the folder under test has widgets, a QGuiApplication below them.
#include <gtest/gtest.h>

#ifdef KESTRILO_TEST_WIDGETS
#include <QApplication>
using TTestApplication = QApplication;
#else
#include <QGuiApplication>
using TTestApplication = QGuiApplication;
#endif

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  TTestApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
