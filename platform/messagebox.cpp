#include "platform/messagebox.h"

#include "platform/uiseam.h"

namespace platform {

namespace {
MessageBoxHandler* g_handler = nullptr;

// Without a handler of its own a box goes through the UI seam, with every
// other window that waits for a person.
class SeamMessageBoxHandler : public MessageBoxHandler {
 public:
  int Show(const MessageBoxRequest& request) override { return CurrentUi().ShowMessageBox(request); }
};
MessageBoxHandler* SeamHandler() {
  static SeamMessageBoxHandler handler;
  return &handler;
}
}  // namespace

std::vector<int> MessageBoxButtons(unsigned flags) {
  switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {IDOK};
  }
}

int DefaultMessageBoxAnswer(unsigned flags) {
  auto buttons = MessageBoxButtons(flags);
  size_t index = (flags & MB_DEFMASK) == MB_DEFBUTTON2 ? 1 : (flags & MB_DEFMASK) == MB_DEFBUTTON3 ? 2 : 0;
  return index < buttons.size() ? buttons[index] : buttons.front();
}

int ShowMessageBox(const std::string& text, unsigned flags, const std::string& caption) {
  MessageBoxRequest request{text, caption, flags};
  return CurrentMessageBoxHandler()->Show(request);
}

void SetMessageBoxHandler(MessageBoxHandler* handler) {
  g_handler = (handler == SeamHandler()) ? nullptr : handler;
}

MessageBoxHandler* CurrentMessageBoxHandler() { return g_handler ? g_handler : SeamHandler(); }

int ScriptedMessageBoxes::Show(const MessageBoxRequest& request) {
  shown_.push_back(request);
  if (answers_.empty()) return DefaultMessageBoxAnswer(request.flags);
  int answer = answers_.front();
  answers_.pop_front();
  return answer;
}

}  // namespace platform
