#include "platform/messagebox.h"

namespace platform {

MessageBoxHandler* QtMessageBoxHandlerInstance();  // messagebox_qt.cpp

namespace {
MessageBoxHandler* g_handler = nullptr;
}

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

void SetMessageBoxHandler(MessageBoxHandler* handler) { g_handler = handler; }

MessageBoxHandler* CurrentMessageBoxHandler() {
  return g_handler ? g_handler : QtMessageBoxHandlerInstance();
}

int ScriptedMessageBoxes::Show(const MessageBoxRequest& request) {
  shown_.push_back(request);
  if (answers_.empty()) return DefaultMessageBoxAnswer(request.flags);
  int answer = answers_.front();
  answers_.pop_front();
  return answer;
}

}  // namespace platform
