#pragma once
// The message-box seam: every box the program shows goes through the current
// handler. Without one installed, boxes go through the UI seam (uiseam.h)
// with the other dialogs: the Qt seam shows a real box, a ScriptedUi
// (scripted_ui.h) answers it in order with its other steps. Tests may also
// install a ScriptedMessageBoxes, which answers boxes alone (leniently).
#include <deque>
#include <string>
#include <vector>

namespace platform {

// Buttons, icons and default button, combined with "|" as the Windows flags are.
enum : unsigned {
  MB_OK = 0x0,
  MB_OKCANCEL = 0x1,
  MB_ABORTRETRYIGNORE = 0x2,
  MB_YESNOCANCEL = 0x3,
  MB_YESNO = 0x4,
  MB_RETRYCANCEL = 0x5,
  MB_ICONSTOP = 0x10,
  MB_ICONQUESTION = 0x20,
  MB_ICONWARNING = 0x30,
  MB_ICONINFORMATION = 0x40,
  MB_DEFBUTTON2 = 0x100,
  MB_DEFBUTTON3 = 0x200,
};
constexpr unsigned MB_TYPEMASK = 0xF;
constexpr unsigned MB_ICONMASK = 0xF0;
constexpr unsigned MB_DEFMASK = 0xF00;

// Answers.
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

// The buttons of a flag set in their order on the box.
std::vector<int> MessageBoxButtons(unsigned flags);
// The answer of the default button of a flag set.
int DefaultMessageBoxAnswer(unsigned flags);

struct MessageBoxRequest {
  std::string text;
  std::string caption;
  unsigned flags = MB_OK;
};

class MessageBoxHandler {
 public:
  virtual ~MessageBoxHandler() = default;
  virtual int Show(const MessageBoxRequest& request) = 0;
};

// Shows a box through the current handler; caption "Pravik" unless given.
int ShowMessageBox(const std::string& text, unsigned flags = MB_OK,
                   const std::string& caption = "Pravik");

// Installs a handler (not owned); nullptr restores the default, which passes
// boxes to the current UI seam.
void SetMessageBoxHandler(MessageBoxHandler* handler);
MessageBoxHandler* CurrentMessageBoxHandler();

// Records every box and answers from a queue; when the queue is empty it
// answers with the box's default button.
class ScriptedMessageBoxes : public MessageBoxHandler {
 public:
  ScriptedMessageBoxes() { previous_ = CurrentMessageBoxHandler(); SetMessageBoxHandler(this); }
  ~ScriptedMessageBoxes() override { SetMessageBoxHandler(previous_); }
  ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
  ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

  int Show(const MessageBoxRequest& request) override;
  void Answer(int answer) { answers_.push_back(answer); }

  const std::vector<MessageBoxRequest>& shown() const { return shown_; }
  void Clear() { shown_.clear(); answers_.clear(); }

 private:
  MessageBoxHandler* previous_ = nullptr;
  std::deque<int> answers_;
  std::vector<MessageBoxRequest> shown_;
};

}  // namespace platform
