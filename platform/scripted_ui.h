#pragma once
// ScriptedUi: the UI seam for tests. While it lives it is the current seam
// and receives every modal dialog, message box, file/folder/colour dialog,
// print dialog and print preview, in order, answering each from its script.
// Anything it was not told to expect (or one of another kind, or a script
// step never reached) is a failure: it is recorded in failures() and passed
// to the reporter. platform::TestUi (scripted_ui_gtest.h) reports failures
// to GoogleTest, so an unexpected window fails the test:
//
//   platform::TestUi ui;
//   ui.ExpectDialog(530, [](DialogDriver& d) {
//       d.SetText(1001, "12.5");           // types, then leaves the field
//       EXPECT_EQ(d.Text(1003), "25.0");   // the kill-focus recomputation
//     }, IDOK);
//   ui.ExpectMessageBox(IDYES, "speichern");
//   ui.ExpectFileDialog("/tmp/out.xml");
//   ui.ExpectPopupMenu(9213);                  // picks an entry (0: dismisses)
//   RunTheCommand();
//   // on destruction: a step never reached is a failure too
//
// An unexpected dialog ends with IDCANCEL; an unexpected box with its
// default button; other unexpected windows are cancelled.
#include <QString>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/messagebox.h"
#include "platform/uiseam.h"

namespace platform {

class Dialog;
class ScriptedUi;

// What a dialog step can do with the open dialog, as a user would.
class DialogDriver {
 public:
  DialogDriver(ScriptedUi& ui, Dialog& dialog) : ui_(ui), dialog_(dialog) {}
  Dialog& dialog() { return dialog_; }

  std::string Text(int id) const;
  bool IsEnabled(int id) const;
  bool IsVisible(int id) const;
  bool IsChecked(int id) const;
  // Types the text into the control and leaves it (kill focus). A missing,
  // disabled, hidden or read-only control is a failure.
  void SetText(int id, std::string_view text);
  void Check(int id, bool checked = true);
  void Select(int id, std::string_view entry);  // combo box, list or report-list entry
  void Click(int id);                           // a button
  // Presses OK (IDOK), Cancel (IDCANCEL) or the button with that id; gives
  // whether the dialog ended. A disabled OK button is a failure.
  bool Press(int answer);

 private:
  QWidget* Usable(int id, const char* action) const;
  ScriptedUi& ui_;
  Dialog& dialog_;
};

enum class UiKind {
  kDialog, kMessageBox, kFileDialog, kFolderDialog, kColorDialog, kPrintDialog, kPrintPreview, kPopupMenu
};
const char* UiKindName(UiKind kind);

// One window as it was shown.
struct ShownUi {
  UiKind kind = UiKind::kDialog;
  int dialog_id = 0;   // template id of a dialog
  std::string title;   // caption / title
  std::string text;    // box text; file dialog filter; menu entries "id text" by line;
                       // the accepting button of a printer set-up
  unsigned flags = 0;  // box flags
  std::filesystem::path folder{};  // initial folder of a file dialog
};

class ScriptedUi : public UiSeam {
 public:
  using Reporter = std::function<void(const std::string& failure)>;
  explicit ScriptedUi(Reporter reporter = {});
  ~ScriptedUi() override;
  ScriptedUi(const ScriptedUi&) = delete;
  ScriptedUi& operator=(const ScriptedUi&) = delete;

  // --- the script, in the order the windows come; template id 0 = any
  ScriptedUi& ExpectDialog(int template_id, std::function<void(DialogDriver&)> fill, int answer = IDOK);
  ScriptedUi& ExpectDialog(int template_id, int answer) { return ExpectDialog(template_id, {}, answer); }
  ScriptedUi& ExpectMessageBox(int answer, std::string text_contains = {});
  ScriptedUi& ExpectFileDialog(std::optional<std::filesystem::path> answer);  // nullopt: Cancel
  ScriptedUi& ExpectFolderDialog(std::optional<std::filesystem::path> answer);
  ScriptedUi& ExpectColorDialog(std::optional<ColorRef> answer);
  // OK prints into the PDF file (pages from..to, 0 = all); Cancel: ok false.
  ScriptedUi& ExpectPrintDialog(bool ok, std::filesystem::path pdf = {}, int from_page = 0, int to_page = 0);
  ScriptedUi& ExpectPrintPreview(std::function<void(QPrintPreviewDialog&)> look = {});
  // Picks the entry with the id (0: dismisses the menu); a missing or
  // disabled entry is a failure.
  ScriptedUi& ExpectPopupMenu(int pick, std::function<void(const PopupMenuRequest&)> look = {});

  const std::vector<ShownUi>& shown() const { return shown_; }
  const std::vector<std::string>& failures() const { return failures_; }
  size_t pending() const { return steps_.size() - next_; }
  // Reports the steps not reached (the destructor does it too, once).
  void VerifyAllShown();
  void Fail(const std::string& failure);

  // UiSeam
  int ShowModal(Dialog& dialog) override;
  int ShowMessageBox(const MessageBoxRequest& request) override;
  std::optional<std::filesystem::path> ShowFileDialog(const FileDialogRequest& request) override;
  std::optional<std::filesystem::path> ShowFolderDialog(const FolderDialogRequest& request) override;
  std::optional<ColorRef> ShowColorDialog(ColorRef initial) override;
  bool ShowPrintDialog(const PrintDialogRequest& request) override;
  void ShowPrintPreview(QPrintPreviewDialog& preview) override;
  int ShowPopupMenu(const PopupMenuRequest& request) override;

 private:
  struct Step {
    explicit Step(UiKind k) : kind(k) {}
    UiKind kind;
    int dialog_id = 0;
    std::string text_contains;
    std::function<void(DialogDriver&)> fill;
    int answer = 0;
    bool ok = true;
    std::optional<std::filesystem::path> path;
    std::optional<ColorRef> color;
    int from_page = 0;
    int to_page = 0;
    std::function<void(QPrintPreviewDialog&)> look;
    std::function<void(const PopupMenuRequest&)> lookAtMenu;
  };
  Step& Add(UiKind kind);
  // The next step when it fits what is shown (recorded first); else a failure.
  const Step* Take(const ShownUi& shown);
  std::string Describe(const ShownUi& shown) const;

  // Boxes reach the UI seam only when no other handler stands in the way.
  class BoxForwarder : public MessageBoxHandler {
   public:
    explicit BoxForwarder(ScriptedUi& ui) : ui_(ui) {}
    int Show(const MessageBoxRequest& request) override { return ui_.ShowMessageBox(request); }
   private:
    ScriptedUi& ui_;
  };

  Reporter reporter_;
  UiSeam* previous_seam_;
  BoxForwarder forwarder_;
  MessageBoxHandler* previous_boxes_;
  std::vector<Step> steps_;
  size_t next_ = 0;
  std::vector<ShownUi> shown_;
  std::vector<std::string> failures_;
  bool verified_ = false;
};

}  // namespace platform
