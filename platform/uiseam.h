#pragma once
// The seam for everything that waits for a person: modal dialogs, message
// boxes, file, folder and colour dialogs, the print dialog and the print
// preview. Program code never calls exec() itself; it goes through these:
//
//   int answer = dialog.DoModal();                      // platform::Dialog
//   int yes    = ShowMessageBox(text, MB_YESNO);        // messagebox.h
//   auto file  = ChooseFile({.save = true, .title = ..., .filter = "XML (*.xml)|*.xml||",
//                            .default_extension = "xml"});
//   auto dir   = ChooseFolder({.title = ..., .start = folder});
//   auto col   = ChooseColor(RGB(255, 0, 0));
//   int chosen = TrackPopupMenu({.items = {{9213, "&Duplizieren"}}, .position = cursor});
//   (print dialog and preview: through printdriver.h)
//
// The current seam shows them. By default that is the Qt seam (real windows;
// on the "offscreen" platform it shows nothing and answers Cancel, so that no
// test can hang on a window). Tests install a ScriptedUi (scripted_ui.h),
// which receives each in order and answers from a script.
#include <QPoint>
#include <QString>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/drawtypes.h"
#include "platform/messagebox.h"

class QPrintDialog;
class QPrinter;
class QPrintPreviewDialog;
class QWidget;

namespace platform {

class Dialog;

struct FileDialogRequest {
  bool save = false;
  std::string title{};
  std::filesystem::path folder{};  // initial folder (empty: the current one)
  std::string file_name{};        // initial file name
  // As the framework writes filters: "Text (*.txt)|*.txt|All (*.*)|*.*||".
  std::string filter{};
  std::string default_extension{};  // without the dot; appended to a bare name
  bool overwrite_prompt = true;   // save: ask before replacing a file
};

struct FolderDialogRequest {
  std::string title{};
  std::filesystem::path start{};
};

struct PrintDialogRequest {
  QPrinter* printer = nullptr;  // chosen printer, page range and copies go here
  int min_page = 1;
  int max_page = 1;
  // A printer set-up: it chooses the printer and its paper only, its
  // caption is `title` and its button reads `accept_text`, not "Print".
  bool setup = false;
  std::string accept_text{};
  std::string title{};
};

// Shapes a print dialog as the printer set-up of the request.
void ShapeAsPrinterSetup(QPrintDialog& dialog, const PrintDialogRequest& request);

// A context menu: its entries (id 0: a separator) at a global position.
struct PopupMenuItem {
  int id = 0;
  std::string text{};  // with "&" before the mnemonic
  bool enabled = true;
};
struct PopupMenuRequest {
  std::vector<PopupMenuItem> items{};
  QPoint position{};
};

class UiSeam {
 public:
  virtual ~UiSeam() = default;
  // Runs a modal dialog; gives the value it ended with (IDOK, IDCANCEL, ...).
  virtual int ShowModal(Dialog& dialog) = 0;
  virtual int ShowMessageBox(const MessageBoxRequest& request) = 0;
  virtual std::optional<std::filesystem::path> ShowFileDialog(const FileDialogRequest& request) = 0;
  virtual std::optional<std::filesystem::path> ShowFolderDialog(const FolderDialogRequest& request) = 0;
  virtual std::optional<ColorRef> ShowColorDialog(ColorRef initial) = 0;
  // True when the user confirmed; the printer then holds the choice.
  virtual bool ShowPrintDialog(const PrintDialogRequest& request) = 0;
  virtual void ShowPrintPreview(QPrintPreviewDialog& preview) = 0;
  // Shows a context menu until an entry is chosen or it is dismissed; gives
  // the id chosen, 0 for none.
  virtual int ShowPopupMenu(const PopupMenuRequest& request) = 0;
};

// The seam in force; SetUiSeam(nullptr) puts the Qt seam back. Not owned.
UiSeam& CurrentUi();
void SetUiSeam(UiSeam* seam);
UiSeam& QtUi();

std::optional<std::filesystem::path> ChooseFile(const FileDialogRequest& request);
std::optional<std::filesystem::path> ChooseFolder(const FolderDialogRequest& request);
std::optional<ColorRef> ChooseColor(ColorRef initial);
int TrackPopupMenu(const PopupMenuRequest& request);

// A framework filter ("A (*.a)|*.a|B|*.b;*.c||") as Qt writes it
// ("A (*.a);;B (*.b *.c)").
QString QtFileFilter(const std::string& filter);

// The window that owns dialogs: the active window, if any.
QWidget* DialogOwner();

}  // namespace platform
