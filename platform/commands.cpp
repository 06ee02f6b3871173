#include "platform/commands.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QMenu>
#include <QThread>

namespace platform {

CommandTable::CommandTable(QObject* parent) : QObject(parent) { SetUpdateOnIdle(true); }

CommandTable::~CommandTable() { QObject::disconnect(idle_); }

QAction* CommandTable::Add(int id, std::string_view text, std::function<void()> handler,
                           const QKeySequence& shortcut) {
  Command& command = commands_[id];
  if (!command.action) {
    command.action = new QAction(this);
    command.action->setData(id);
    connect(command.action, &QAction::triggered, this, [this, id] { Execute(id); });
  }
  command.action->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  if (!shortcut.isEmpty()) command.action->setShortcut(shortcut);
  command.handler = std::move(handler);
  Update(id);
  return command.action;
}

void CommandTable::SetHandler(int id, std::function<void()> handler) {
  auto it = commands_.find(id);
  if (it == commands_.end()) return;
  it->second.handler = std::move(handler);
  Update(id);
}

void CommandTable::SetUpdateRule(int id, std::function<void(CmdUI&)> rule) {
  auto it = commands_.find(id);
  if (it == commands_.end()) return;
  it->second.rule = std::move(rule);
  Update(id);
}

QAction* CommandTable::Action(int id) const {
  auto it = commands_.find(id);
  return it == commands_.end() ? nullptr : it->second.action;
}

bool CommandTable::Update(int id) {
  auto it = commands_.find(id);
  if (it == commands_.end()) return false;
  Command& command = it->second;
  CmdUI ui(id);
  ui.Enable(static_cast<bool>(command.handler));
  if (command.rule) command.rule(ui);
  const bool enabled = ui.enabled() && command.handler;
  if (command.action->isEnabled() != enabled) command.action->setEnabled(enabled);
  if (ui.checked() >= 0) {
    command.action->setCheckable(true);
    command.action->setChecked(ui.checked() == 1);
  }
  return enabled;
}

void CommandTable::UpdateAll() {
  for (auto& [id, command] : commands_) Update(id);
}

bool CommandTable::Execute(int id) {
  if (!Update(id)) return false;
  // The handler may change the table; run a copy.
  const auto handler = commands_[id].handler;
  handler();
  return true;
}

void CommandTable::AttachMenu(QMenu* menu) {
  connect(menu, &QMenu::aboutToShow, this, [this, menu] {
    for (QAction* action : menu->actions()) {
      bool ok = false;
      const int id = action->data().toInt(&ok);
      if (ok && Action(id) == action) Update(id);
    }
  });
}

void CommandTable::SetUpdateOnIdle(bool on) {
  QObject::disconnect(idle_);
  idle_ = {};
  if (!on) return;
  if (auto* dispatcher = QAbstractEventDispatcher::instance(thread()))
    idle_ = connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &CommandTable::UpdateAll);
}

}  // namespace platform
