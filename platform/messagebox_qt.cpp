#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <cstdio>

#include "platform/messagebox.h"

namespace platform {
namespace {

QMessageBox::Icon IconOf(unsigned flags) {
  switch (flags & MB_ICONMASK) {
    case MB_ICONSTOP: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONWARNING: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

QMessageBox::StandardButton StandardOf(int id) {
  switch (id) {
    case IDOK: return QMessageBox::Ok;
    case IDCANCEL: return QMessageBox::Cancel;
    case IDABORT: return QMessageBox::Abort;
    case IDRETRY: return QMessageBox::Retry;
    case IDIGNORE: return QMessageBox::Ignore;
    case IDYES: return QMessageBox::Yes;
    case IDNO: return QMessageBox::No;
    default: return QMessageBox::Ok;
  }
}

class QtMessageBoxHandler : public MessageBoxHandler {
 public:
  int Show(const MessageBoxRequest& request) override {
    if (!QApplication::instance()) return DefaultMessageBoxAnswer(request.flags);
    // Nobody can answer on the offscreen platform: never block there.
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
      std::fprintf(stderr, "pravik: message box \"%s\" not shown on the offscreen platform\n", request.text.c_str());
      return DefaultMessageBoxAnswer(request.flags);
    }
    QMessageBox box(IconOf(request.flags), QString::fromStdString(request.caption),
                    QString::fromStdString(request.text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    const auto buttons = MessageBoxButtons(request.flags);
    for (int id : buttons) box.addButton(StandardOf(id));
    box.setDefaultButton(StandardOf(DefaultMessageBoxAnswer(request.flags)));
    if (std::find(buttons.begin(), buttons.end(), IDCANCEL) != buttons.end())
      box.setEscapeButton(StandardOf(IDCANCEL));
    box.exec();
    auto* clicked = box.clickedButton();
    for (int id : buttons)
      if (clicked == box.button(StandardOf(id))) return id;
    return buttons.size() == 1 ? buttons.front() : IDCANCEL;
  }
};

}  // namespace

MessageBoxHandler* QtMessageBoxHandlerInstance() {
  static QtMessageBoxHandler handler;
  return &handler;
}

}  // namespace platform
