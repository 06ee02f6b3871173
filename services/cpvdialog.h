#pragma once
// The base classes of every dialog, property page, property sheet and form
// view of the program.
//
// - They translate their caption and control texts through the language
//   file when they open, before the derived class fills in its values, so
//   values are never overwritten by template texts. Texts a derived class
//   sets itself go through TranslateString.
// - A dialog or property sheet opened while editing is not allowed
//   (IsEditAllowed() false) can be looked at but not confirmed: OK is
//   disabled and every way to end it with IDOK is refused (the button,
//   Return, accept(), done(IDOK), EndDialog(IDOK)); DoModal then never gives
//   IDOK. Pages never report changes then, so Apply stays disabled.
//
//   class CKundeDlg : public CpvDialog {
//    public:
//     explicit CKundeDlg(QWidget* parent) : CpvDialog(310, parent) { ui_.setupUi(this); }
//    protected:
//     bool OnInitDialog() override {
//       CpvDialog::OnInitDialog();              // texts are translated by now
//       SetItemText(1001, name_);
//       SetItemColorIf(1001, platform::RGB(255, 255, 0), name_.empty());
//       return true;
//     }
//   };
#include <QFont>
#include <QIcon>
#include <QPalette>
#include <QPointer>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/drawtypes.h"

class QComboBox;
class QPushButton;
class QTabWidget;

// The id of a property sheet's Apply button.
inline constexpr int ID_APPLY_NOW = 0x3021;

// The icons of commands, as the application gives them (null when a command
// has none); the application sets the source at start-up.
void SetCommandIconSource(std::function<QIcon(int commandId)> source);

// The fixed-pitch font that a dialog gives to the controls asking for it:
// "Courier" in the height of the dialog's own font, made once per dialog.
class FixedFontHolder {
 public:
  void Apply(const QWidget& dialog, QWidget* control);
  const std::optional<QFont>& font() const { return font_; }

 private:
  std::optional<QFont> font_;
};

// A dialog whose confirmation is refused when it was opened while editing
// was not allowed. The common part of CpvDialog and CpvPropertySheet.
class CpvGuardedDialog : public platform::Dialog {
  Q_OBJECT

 public:
  explicit CpvGuardedDialog(int templateId, QWidget* parent = nullptr);

  int DoModal();
  // True from an opening while editing was not allowed until the next opening.
  bool IsReadOnly() const { return readOnly_; }

  void accept() override;
  void done(int result) override;
  // Ends the dialog; IDOK is refused while read-only.
  void EndDialog(int result);
  // OK (and Apply) cannot be enabled while read-only.
  void EnableItem(int id, bool enable);

 protected:
  // Runs when the dialog opens, before OnInitDialog: takes the flag and
  // disables the confirming buttons. Overrides call it first.
  virtual void Opening();
  // The buttons that confirm (the sheet's Apply too).
  virtual std::vector<int> ConfirmingIds() const { return {platform::IDOK}; }

 private:
  static void OpenHook(platform::Dialog& dialog);
  bool readOnly_ = false;
  // The buttons a read-only opening disabled: the next opening gives them back.
  std::vector<QPointer<QWidget>> disabled_;
};

class CpvDialog : public CpvGuardedDialog {
  Q_OBJECT

 public:
  explicit CpvDialog(int templateId, QWidget* parent = nullptr);
  ~CpvDialog() override;

  int translation_sub_id() const { return subId_; }
  // A positive sub id translates the caption through its own section.
  void SetTranslationSubId(int subId) { subId_ = subId; }
  // The command whose icon becomes the dialog's icon (0: none).
  void SetIconCommand(int commandId) { iconCommand_ = commandId; }

  // Background colour of a control; cleared colours keep their entry.
  struct IDColor {
    int id = 0;
    bool enabled = false;
    platform::ColorRef color = 0;
  };
  void SetItemColor(int id, platform::ColorRef color);
  void ClearItemColor(int id);
  void SetItemColorIf(int id, platform::ColorRef color, bool on);
  // The colour in force for the control, if any.
  std::optional<platform::ColorRef> ItemColor(int id) const;
  const std::vector<IDColor>& ItemColors() const { return colors_; }

  void SetFixedFont(int id);
  const std::optional<QFont>& FixedFont() const { return fixedFont_.font(); }

  void CopyTextToClipboard(const std::string& text);
  std::string GetClipboardText() const;

 protected:
  // Runs after the texts are translated; sets the command icon. Derived
  // dialogs call it first.
  bool OnInitDialog() override;

 protected:
  void Opening() override;

 private:
  // How a control looked before it was first coloured.
  struct OriginalLook {
    int id = 0;
    QPalette palette;
    bool autoFill = false;
  };
  void ApplyColor(const IDColor& entry);

  int subId_ = 0;
  int iconCommand_ = 0;
  FixedFontHolder fixedFont_;
  std::vector<IDColor> colors_;
  std::vector<OriginalLook> originalLooks_;
};

class CpvPropertySheet;

// A property page: a page of controls by id inside a property sheet. The
// sheet opens its pages when it opens; each page then translates itself and
// runs its OnInitDialog.
class CpvPropertyPage : public platform::Dialog {
  Q_OBJECT

 public:
  explicit CpvPropertyPage(int templateId, QWidget* parent = nullptr);
  ~CpvPropertyPage() override;

  int translation_sub_id() const { return subId_; }
  void SetTranslationSubId(int subId) { subId_ = subId; }

  void SetFixedFont(int id);
  const std::optional<QFont>& FixedFont() const { return fixedFont_.font(); }
  // Reports a change to the sheet (enabling Apply), only while editing is
  // allowed. Pages report their changes through this alone.
  void SetModifiedIfEditable(bool modified);
  bool IsModified() const { return modified_; }

  // Apply and OK of the sheet: takes the page's values; false keeps the
  // sheet open. The default runs OnOK.
  virtual bool OnApply();
  // The page becomes the active one: when the sheet opens (the first page),
  // and when its tab is chosen.
  virtual bool OnSetActive() { return true; }
  // The page is left: another tab is chosen, or OK or Apply is pressed on
  // it. False keeps it active.
  virtual bool OnKillActive() { return true; }

 protected:
  // The sheet owns OK and Cancel: a page does not end.
  void OnOK() override {}
  void OnCancel() override {}
  // Return and Escape go on to the sheet.
  void keyPressEvent(QKeyEvent* event) override;
  // Opened by the sheet, not by being shown.
  void showEvent(QShowEvent* event) override;

 private:
  friend class CpvPropertySheet;
  void Open();

  int subId_ = 0;
  FixedFontHolder fixedFont_;
  bool modified_ = false;
  QPointer<CpvPropertySheet> sheet_;
};

// A tabbed dialog of property pages with OK, Cancel and Apply. The pages
// belong to the caller and must live as long as the sheet is open.
class CpvPropertySheet : public CpvGuardedDialog {
  Q_OBJECT

 public:
  // The id names the sheet to the UI seam (scripts expect it).
  CpvPropertySheet(int sheetId, const std::string& caption, QWidget* parent = nullptr);
  ~CpvPropertySheet() override;

  void AddPage(CpvPropertyPage* page);
  int GetPageCount() const { return static_cast<int>(pages_.size()); }
  CpvPropertyPage* GetPage(int index) const;
  int GetActiveIndex() const;
  void SetActivePage(int index);
  QTabWidget* tabs() const { return tabs_; }

 protected:
  void OnOK() override;
  void OnCancel() override;
  // Apply: every page takes its values; Apply is disabled again.
  virtual bool OnApplyNow();
  std::vector<int> ConfirmingIds() const override { return {platform::IDOK, ID_APPLY_NOW}; }

 protected:
  // Opens the pages and names their tabs.
  void Opening() override;

 private:
  friend class CpvPropertyPage;
  void PageModified();
  bool ApplyPages();

  void TabChanged(int index);

  QTabWidget* tabs_ = nullptr;
  QPushButton* apply_ = nullptr;
  int activeIndex_ = -1;
  bool switching_ = false;
  std::vector<QPointer<CpvPropertyPage>> pages_;
};

// The base of the main form view: translates its texts when the view gets
// its first update.
class CpvFormView : public QWidget {
  Q_OBJECT

 public:
  explicit CpvFormView(int templateId, QWidget* parent = nullptr);
  ~CpvFormView() override;

  int template_id() const { return templateId_; }
  int translation_sub_id() const { return subId_; }
  void SetTranslationSubId(int subId) { subId_ = subId; }

  // Translates the texts, then OnUpdate. Derived views call it first.
  virtual void OnInitialUpdate();

 protected:
  // Fills the controls from the view's data.
  virtual void OnUpdate() {}

 private:
  int templateId_;
  int subId_ = 0;
};

// Selects the first entry whose item data equals the value; false (the
// selection stays) when no entry has it.
bool SelectComboItemByData(QComboBox* combo, long long data);
