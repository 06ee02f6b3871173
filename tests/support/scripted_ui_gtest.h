#pragma once
// TestUi: a ScriptedUi whose failures (an unexpected window, a step never
// reached, a control that cannot be used) fail the running GoogleTest test.
// For test code only: it needs GoogleTest.
//
//   platform::TestUi ui;
//   ui.ExpectMessageBox(IDYES);
#include <gtest/gtest.h>

#include "platform/scripted_ui.h"

namespace platform {

class TestUi : public ScriptedUi {
 public:
  TestUi() : ScriptedUi([](const std::string& failure) { ADD_FAILURE() << "scripted UI: " << failure; }) {}
};

}  // namespace platform
