#pragma once
// Commands by numeric id, as the framework routes them: one QAction per id
// for menus, toolbar and accelerators, a handler, and an update rule that
// decides enabling (and check marks) like the framework's command-update
// handlers. Rules are evaluated before a menu opens, whenever the event loop
// goes idle (toolbar buttons), and again just before a command runs, so a
// command whose rule disables it never runs.
//
//   CommandTable commands(mainWindow);
//   QAction* print = commands.Add(57607, "&Drucken...\tStrg+P", [&] { view.OnFilePrint(); },
//                                 QKeySequence("Ctrl+P"));
//   commands.SetUpdateRule(57607, [&](CmdUI& ui) { ui.Enable(view.HasSelection()); });
//   fileMenu->addAction(print);
//   commands.AttachMenu(fileMenu);
//   toolbar->addAction(print);
//
// A command without a handler is disabled, as in the framework. The text is
// the framework's menu text: "&" marks the mnemonic, "\t" starts the
// shortcut shown at the right.
#include <QObject>
#include <QKeySequence>
#include <functional>
#include <map>
#include <string>
#include <string_view>

class QAction;
class QMenu;

namespace platform {

class CmdUI {
 public:
  explicit CmdUI(int id) : id_(id) {}
  int id() const { return id_; }
  void Enable(bool on = true) { enabled_ = on; }
  void SetCheck(bool on = true) { checked_ = on; }
  bool enabled() const { return enabled_; }
  int checked() const { return checked_; }  // -1: not set by the rule

 private:
  int id_;
  bool enabled_ = true;
  int checked_ = -1;
};

class CommandTable : public QObject {
  Q_OBJECT

 public:
  explicit CommandTable(QObject* parent = nullptr);
  ~CommandTable() override;

  QAction* Add(int id, std::string_view text, std::function<void()> handler = {},
               const QKeySequence& shortcut = {});
  void SetHandler(int id, std::function<void()> handler);
  void SetUpdateRule(int id, std::function<void(CmdUI&)> rule);
  QAction* Action(int id) const;  // nullptr for an unknown id

  // Evaluates the command's rule and gives whether it is enabled.
  bool Update(int id);
  void UpdateAll();
  // Runs the command when its rule enables it; false when unknown or refused.
  bool Execute(int id);
  void AttachMenu(QMenu* menu);
  // Evaluates all rules whenever the event loop is about to wait (on by default).
  void SetUpdateOnIdle(bool on);

 private:
  struct Command {
    QAction* action = nullptr;
    std::function<void()> handler;
    std::function<void(CmdUI&)> rule;
  };
  std::map<int, Command> commands_;
  QMetaObject::Connection idle_;
};

}  // namespace platform
