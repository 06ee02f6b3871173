#pragma once
// Virtual-key codes as the framework's key messages carry them, and the code
// of a Qt key. Letters and digits are their upper-case ASCII codes ('A',
// '0'); the pressed modifiers come with the event, not from a key state.
//
//   void keyPressEvent(QKeyEvent* e) override {
//     if (platform::VirtualKey(*e) == platform::VK_F2) ...
//   }
class QKeyEvent;

namespace platform {

enum : unsigned {
  VK_LBUTTON = 0x01,
  VK_RBUTTON = 0x02,
  VK_MBUTTON = 0x04,
  VK_BACK = 0x08,
  VK_TAB = 0x09,
  VK_RETURN = 0x0D,
  VK_SHIFT = 0x10,
  VK_CONTROL = 0x11,
  VK_MENU = 0x12,
  VK_ESCAPE = 0x1B,
  VK_SPACE = 0x20,
  VK_PRIOR = 0x21,
  VK_NEXT = 0x22,
  VK_END = 0x23,
  VK_HOME = 0x24,
  VK_LEFT = 0x25,
  VK_UP = 0x26,
  VK_RIGHT = 0x27,
  VK_DOWN = 0x28,
  VK_INSERT = 0x2D,
  VK_DELETE = 0x2E,
  VK_F1 = 0x70,
  VK_F2 = 0x71,
  VK_F12 = 0x7B,
};

// The virtual-key code of a Qt key (Qt::Key); 0 for keys without one.
// Shift+Tab (Qt::Key_Backtab) is VK_TAB.
unsigned VirtualKeyFromQt(int qtKey);
unsigned VirtualKey(const QKeyEvent& event);

}  // namespace platform
