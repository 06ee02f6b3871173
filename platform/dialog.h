#pragma once
// Dialog: the base of every dialog, on QDialog, with the controls addressed by
// numeric id as the framework addresses them.
//
// Ids: every control carries its number in the widget property "controlId"
// (kControlIdProperty). In a Qt Designer template (.ui) add a dynamic integer
// property "controlId"; in code call SetControlId(widget, 1235). Id 1 (IDOK)
// and 2 (IDCANCEL) on push buttons act as OK and Cancel.
//
//   class WaterDlg : public platform::Dialog {
//    public:
//     WaterDlg(QWidget* parent) : Dialog(530, parent) {
//       ui_.setupUi(this);                          // or build the widgets in code
//       OnKillFocus(1001, [this] { Compute(); });    // the framework's EN_KILLFOCUS
//     }
//    protected:
//     bool OnInitDialog() override {                // after the open hook
//       SetItemText(1001, mass_);
//       return true;
//     }
//     void OnOK() override {                        // refuse by not ending
//       mass_ = GetItemText(1001);
//       EndDialog(IDOK);
//     }
//   };
//   WaterDlg dlg(parent);
//   if (dlg.DoModal() == IDOK) ...
//
// DoModal goes through the UI seam (uiseam.h), so tests drive the dialog with
// a ScriptedUi. When the dialog opens (DoModal, or the first show), the open
// hook set with SetDialogOpenHook runs (the shell translates texts there),
// then OnInitDialog. Losing the focus, a control with an id delivers a
// kill-focus notification to its handlers (the scripted seam delivers it
// after filling a control).
#include <QDialog>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/messagebox.h"

namespace platform {

inline constexpr char kControlIdProperty[] = "controlId";
int ControlId(const QWidget* widget);  // 0 when it has none
void SetControlId(QWidget* widget, int id);

// ShowItem's commands.
enum : int { SW_HIDE = 0, SW_SHOW = 5 };

class Dialog;
// Sends the command to the top-level window of the widget when that is a
// Dialog; false when it is none or has no handler for the id.
bool SendCommandToTopLevel(QWidget* widget, int id);

// Called for every dialog when it opens, before OnInitDialog.
void SetDialogOpenHook(std::function<void(Dialog&)> hook);

// Every editable text field of a dialog refuses, as it is typed or pasted,
// a character that code page 1252 cannot hold (it would be stored as "?"),
// and shows this short hint beside the field; the shell gives the translated
// text.
void SetCodePageHint(std::function<std::string()> hint);
// The text without the characters code page 1252 cannot hold; `position`
// (a UTF-16 index into the text) moves with the removals before it.
QString WithoutForeignCharacters(const QString& text, int* position = nullptr);

class Dialog : public QDialog {
  Q_OBJECT

 public:
  explicit Dialog(int template_id, QWidget* parent = nullptr);
  ~Dialog() override;

  int template_id() const { return template_id_; }

  // Runs the dialog modally through the UI seam; gives the EndDialog value.
  int DoModal();
  // Ends the dialog with a value (IDOK, IDCANCEL or any other).
  void EndDialog(int result);
  bool ended() const { return ended_; }
  int end_result() const { return end_result_; }

  // --- controls by id
  QWidget* GetDlgItem(int id) const;  // nullptr when the dialog has none
  template <class T>
  T* Item(int id) const { return qobject_cast<T*>(GetDlgItem(id)); }
  std::vector<int> ItemIds() const;
  // Text of line edits, text edits, combo boxes, labels, buttons, group
  // boxes and spin boxes; "" for an unknown id.
  std::string GetItemText(int id) const;
  // Sets the text; a non-editable combo box selects the entry with it, a
  // date edit reads it in its display format. False for an unknown id, a
  // missing entry or a date that does not read.
  bool SetItemText(int id, std::string_view text);
  bool IsItemChecked(int id) const;
  void CheckItem(int id, bool checked);
  // Nothing happens for an id the dialog does not have.
  void EnableItem(int id, bool enable);
  void ShowItem(int id, int show_command);

  // --- notifications
  void OnKillFocus(int id, std::function<void()> handler);
  // Runs the handlers of the id; a control of a page inside the dialog runs
  // the page's handlers.
  void NotifyKillFocus(int id);

  // --- commands by id (the framework's WM_COMMAND): a control or a key of
  // a child window sends one to its top-level window, and the handlers of
  // that id run there.
  void OnCommand(int id, std::function<void()> handler);
  // Runs the handlers of the id; false when there is none.
  bool SendCommand(int id);

  // Runs the open hook and OnInitDialog unless they ran for this opening
  // (each DoModal is one opening, as is the first show of a modeless one).
  // The seams call it before they show or script the dialog.
  void InitDialog();

  // OK and Cancel as the user gives them (buttons, Return, Escape, closing).
  void accept() override { OnOK(); }
  void reject() override { OnCancel(); }

 protected:
  virtual bool OnInitDialog() { return true; }
  // Runs after OnInitDialog of the whole chain of classes, the values shown.
  virtual void AfterInitDialog() {}
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }

  void showEvent(QShowEvent* event) override;

 private:
  void WireStandardButtons();
  // Makes the editable text fields refuse what code page 1252 cannot hold
  // (fields made later are taken when they get the focus).
  void GuardCodePage(QWidget* root);
  void GuardCodePageOf(QWidget* field);
  // Read-only text fields look read-only, now and when their state changes.
  void ShowReadOnlyFieldsReadOnly();
  void FocusChanged(QWidget* old, QWidget* now);
  int OwningControlId(QWidget* widget) const;
  // The dialog (a property page) between the widget and this one, if any.
  Dialog* InnerDialogOf(QWidget* widget) const;

  int template_id_;
  bool opened_ = false;
  bool buttons_wired_ = false;
  QObject* read_only_look_ = nullptr;
  bool ended_ = false;
  int end_result_ = 0;
  std::map<int, std::vector<std::function<void()>>> kill_focus_;
  std::map<int, std::vector<std::function<void()>>> commands_;
  QMetaObject::Connection focus_connection_;
};

}  // namespace platform
