#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>

#include "platform/messagebox.h"

namespace {
// No test may block on a real box: one that is not scripted answers with its
// default button and is recorded here.
platform::ScriptedMessageBoxes* g_unscripted = nullptr;
}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  g_unscripted = new platform::ScriptedMessageBoxes();
  ::testing::InitGoogleTest(&argc, argv);
  int rc = RUN_ALL_TESTS();
  delete g_unscripted;
  return rc;
}
