#include "platform/uiseam.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStringList>
#include <cstdio>

#include "platform/dialog.h"

namespace platform {

MessageBoxHandler* QtMessageBoxHandlerInstance();  // messagebox_qt.cpp

namespace {

UiSeam* g_seam = nullptr;

// On the offscreen platform nobody can answer a window: say so and cancel.
bool NobodyCanAnswer(const char* what) {
  if (QGuiApplication::platformName() != QLatin1String("offscreen")) return false;
  std::fprintf(stderr, "pravik: %s not shown on the offscreen platform (no scripted UI installed)\n", what);
  return true;
}

QString ToQString(const std::string& s) { return QString::fromStdString(s); }
QString ToQString(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

class QtSeam : public UiSeam {
 public:
  int ShowModal(Dialog& dialog) override {
    dialog.InitDialog();
    if (dialog.ended()) return dialog.end_result();
    if (NobodyCanAnswer("modal dialog")) {
      dialog.EndDialog(IDCANCEL);
      return IDCANCEL;
    }
    dialog.exec();
    return dialog.ended() ? dialog.end_result() : IDCANCEL;
  }

  int ShowMessageBox(const MessageBoxRequest& request) override {
    return QtMessageBoxHandlerInstance()->Show(request);
  }

  std::optional<std::filesystem::path> ShowFileDialog(const FileDialogRequest& request) override {
    if (NobodyCanAnswer("file dialog")) return std::nullopt;
    QFileDialog dialog(DialogOwner(), ToQString(request.title));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.folder.empty()) dialog.setDirectory(ToQString(request.folder));
    if (!request.file_name.empty()) dialog.selectFile(ToQString(request.file_name));
    if (!request.filter.empty()) dialog.setNameFilter(QtFileFilter(request.filter));
    if (!request.default_extension.empty()) dialog.setDefaultSuffix(ToQString(request.default_extension));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwrite_prompt);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().front().toStdString());
  }

  std::optional<std::filesystem::path> ShowFolderDialog(const FolderDialogRequest& request) override {
    if (NobodyCanAnswer("folder dialog")) return std::nullopt;
    QString folder = QFileDialog::getExistingDirectory(DialogOwner(), ToQString(request.title), ToQString(request.start));
    if (folder.isEmpty()) return std::nullopt;
    return std::filesystem::path(folder.toStdString());
  }

  std::optional<ColorRef> ShowColorDialog(ColorRef initial) override {
    if (NobodyCanAnswer("colour dialog")) return std::nullopt;
    QColor chosen = QColorDialog::getColor(QColor(GetRValue(initial), GetGValue(initial), GetBValue(initial)), DialogOwner());
    if (!chosen.isValid()) return std::nullopt;
    return RGB(chosen.red(), chosen.green(), chosen.blue());
  }

  bool ShowPrintDialog(const PrintDialogRequest& request) override {
    if (!request.printer || NobodyCanAnswer("print dialog")) return false;
    QPrintDialog dialog(request.printer, DialogOwner());
    if (request.setup) {
      ShapeAsPrinterSetup(dialog, request);
    } else {
      dialog.setMinMax(request.min_page, request.max_page);
      dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    }
    return dialog.exec() == QDialog::Accepted;
  }

  void ShowPrintPreview(QPrintPreviewDialog& preview) override {
    if (NobodyCanAnswer("print preview")) return;
    preview.exec();
  }

  int ShowPopupMenu(const PopupMenuRequest& request) override {
    if (NobodyCanAnswer("popup menu")) return 0;
    QMenu menu(DialogOwner());
    for (const PopupMenuItem& item : request.items) {
      if (item.id == 0) {
        menu.addSeparator();
        continue;
      }
      QAction* action = menu.addAction(ToQString(item.text));
      action->setData(item.id);
      action->setEnabled(item.enabled);
    }
    QAction* chosen = menu.exec(request.position);
    return chosen ? chosen->data().toInt() : 0;
  }
};

}  // namespace

void ShapeAsPrinterSetup(QPrintDialog& dialog, const PrintDialogRequest& request) {
  // No page range, selection or file: what is set up here is the printer.
  dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
  dialog.setWindowTitle(ToQString(request.title));
  if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
    if (QPushButton* accept = buttons->button(QDialogButtonBox::Ok)) accept->setText(ToQString(request.accept_text));
}

UiSeam& QtUi() {
  static QtSeam seam;
  return seam;
}

UiSeam& CurrentUi() { return g_seam ? *g_seam : QtUi(); }

void SetUiSeam(UiSeam* seam) { g_seam = (seam == &QtUi()) ? nullptr : seam; }

std::optional<std::filesystem::path> ChooseFile(const FileDialogRequest& request) {
  return CurrentUi().ShowFileDialog(request);
}

std::optional<std::filesystem::path> ChooseFolder(const FolderDialogRequest& request) {
  return CurrentUi().ShowFolderDialog(request);
}

std::optional<ColorRef> ChooseColor(ColorRef initial) { return CurrentUi().ShowColorDialog(initial); }

int TrackPopupMenu(const PopupMenuRequest& request) { return CurrentUi().ShowPopupMenu(request); }

QString QtFileFilter(const std::string& filter) {
  QStringList parts = QString::fromStdString(filter).split(u'|');
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString description = parts[i].trimmed();
    QString patterns = parts[i + 1].trimmed();
    if (description.isEmpty() && patterns.isEmpty()) break;
    patterns.replace(u';', u' ');
    const QString suffix = "(" + patterns + ")";
    out << (description.endsWith(suffix) ? description : description + " " + suffix);
  }
  return out.join(";;");
}

QWidget* DialogOwner() { return qApp ? QApplication::activeWindow() : nullptr; }

}  // namespace platform
