#pragma once
// ExploringUi: a UI seam for walking the program as a curious user does,
// without a script. Every window is recorded as it is shown: a dialog opens
// (and translates itself), an optional look at it runs, and it is cancelled;
// a message box is answered with its safest button (Cancel, else No, else
// OK) unless told otherwise; file, folder and colour dialogs are cancelled
// and popup menus dismissed unless answers are queued; the print dialog
// prints into the PDF file set, or is cancelled without one.
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/messagebox.h"
#include "platform/scripted_ui.h"
#include "platform/uiseam.h"

class ExploringUi : public platform::UiSeam {
 public:
  ExploringUi() : previousSeam_(&platform::CurrentUi()), forwarder_(*this), previousBoxes_(platform::CurrentMessageBoxHandler()) {
    platform::SetUiSeam(this);
    platform::SetMessageBoxHandler(&forwarder_);
  }
  ~ExploringUi() override {
    platform::SetMessageBoxHandler(previousBoxes_);
    platform::SetUiSeam(previousSeam_);
  }
  ExploringUi(const ExploringUi&) = delete;
  ExploringUi& operator=(const ExploringUi&) = delete;

  // A look at the dialog of that template id while it is open (it may open
  // further windows, which come here too).
  void LookAt(int templateId, std::function<void(platform::DialogDriver&)> look) { looks_[templateId] = std::move(look); }
  // A look at every dialog as it opens, before the look at its template id.
  void LookAtEveryDialog(std::function<void(platform::Dialog&)> look) { everyDialog_ = std::move(look); }
  // The next print dialog prints into this file.
  void PrintInto(const std::filesystem::path& pdf) { pdf_ = pdf; }
  // The next file dialog answers with this file.
  void AnswerFileDialog(const std::filesystem::path& file) { files_.push_back(file); }
  // Boxes whose text holds the words are answered so (instead of safely).
  void AnswerBoxes(const std::string& words, int answer) { boxAnswers_.emplace_back(words, answer); }
  // The next popup menu picks the entry.
  void PickFromPopupMenu(int id) { picks_.push_back(id); }

  const std::vector<platform::ShownUi>& shown() const { return shown_; }
  void Clear() { shown_.clear(); }
  bool SawDialog(int templateId) const {
    return std::any_of(shown_.begin(), shown_.end(), [&](const platform::ShownUi& s) {
      return s.kind == platform::UiKind::kDialog && s.dialog_id == templateId;
    });
  }
  // Whether a window of the kind was shown whose title or text holds the words.
  bool Saw(platform::UiKind kind, const std::string& words) const {
    return std::any_of(shown_.begin(), shown_.end(), [&](const platform::ShownUi& s) {
      return s.kind == kind && (s.title.find(words) != std::string::npos || s.text.find(words) != std::string::npos);
    });
  }

  int ShowModal(platform::Dialog& dialog) override {
    shown_.push_back({platform::UiKind::kDialog, dialog.template_id(), dialog.windowTitle().toStdString(), {}, 0});
    dialog.InitDialog();
    if (dialog.ended()) return dialog.end_result();
    shown_.back().title = dialog.windowTitle().toStdString();
    if (everyDialog_) everyDialog_(dialog);
    if (auto look = looks_.find(dialog.template_id()); look != looks_.end()) {
      platform::ScriptedUi quiet([](const std::string&) {});
      platform::SetUiSeam(this);  // nested windows come here, not to the quiet driver's seam
      platform::SetMessageBoxHandler(&forwarder_);
      platform::DialogDriver driver(quiet, dialog);
      look->second(driver);
    }
    if (!dialog.ended()) dialog.EndDialog(platform::IDCANCEL);
    return dialog.end_result();
  }
  int ShowMessageBox(const platform::MessageBoxRequest& request) override {
    shown_.push_back({platform::UiKind::kMessageBox, 0, request.caption, request.text, request.flags});
    const std::vector<int> buttons = platform::MessageBoxButtons(request.flags);
    for (const auto& [words, answer] : boxAnswers_)
      if (request.text.find(words) != std::string::npos &&
          std::find(buttons.begin(), buttons.end(), answer) != buttons.end())
        return answer;
    for (int safest : {platform::IDCANCEL, platform::IDNO, platform::IDOK})
      if (std::find(buttons.begin(), buttons.end(), safest) != buttons.end()) return safest;
    return platform::DefaultMessageBoxAnswer(request.flags);
  }
  std::optional<std::filesystem::path> ShowFileDialog(const platform::FileDialogRequest& request) override {
    shown_.push_back({platform::UiKind::kFileDialog, 0, request.title, request.filter, request.save ? 1u : 0u, request.folder});
    if (files_.empty()) return std::nullopt;
    std::filesystem::path file = files_.front();
    files_.erase(files_.begin());
    return file;
  }
  std::optional<std::filesystem::path> ShowFolderDialog(const platform::FolderDialogRequest& request) override {
    shown_.push_back({platform::UiKind::kFolderDialog, 0, request.title, {}, 0, request.start});
    return std::nullopt;
  }
  std::optional<platform::ColorRef> ShowColorDialog(platform::ColorRef) override {
    shown_.push_back({platform::UiKind::kColorDialog, 0, {}, {}, 0});
    return std::nullopt;
  }
  bool ShowPrintDialog(const platform::PrintDialogRequest& request) override {
    shown_.push_back({platform::UiKind::kPrintDialog, 0, {}, {}, 0});
    if (pdf_.empty() || !request.printer) return false;
    request.printer->setOutputFormat(QPrinter::PdfFormat);
    request.printer->setOutputFileName(QString::fromStdString(pdf_.string()));
    request.printer->setPrintRange(QPrinter::AllPages);
    pdf_.clear();
    return true;
  }
  void ShowPrintPreview(QPrintPreviewDialog& preview) override {
    shown_.push_back({platform::UiKind::kPrintPreview, 0, preview.windowTitle().toStdString(), {}, 0});
  }
  int ShowPopupMenu(const platform::PopupMenuRequest& request) override {
    std::string entries;
    for (const platform::PopupMenuItem& item : request.items)
      if (item.id != 0) entries += std::to_string(item.id) + " " + item.text + "\n";
    shown_.push_back({platform::UiKind::kPopupMenu, 0, {}, entries, 0});
    if (picks_.empty()) return 0;
    const int pick = picks_.front();
    picks_.erase(picks_.begin());
    return pick;
  }

 private:
  class BoxForwarder : public platform::MessageBoxHandler {
   public:
    explicit BoxForwarder(ExploringUi& ui) : ui_(ui) {}
    int Show(const platform::MessageBoxRequest& request) override { return ui_.ShowMessageBox(request); }

   private:
    ExploringUi& ui_;
  };

  platform::UiSeam* previousSeam_;
  BoxForwarder forwarder_;
  platform::MessageBoxHandler* previousBoxes_;
  std::map<int, std::function<void(platform::DialogDriver&)>> looks_;
  std::function<void(platform::Dialog&)> everyDialog_;
  std::filesystem::path pdf_;
  std::vector<std::filesystem::path> files_;
  std::vector<std::pair<std::string, int>> boxAnswers_;
  std::vector<int> picks_;
  std::vector<platform::ShownUi> shown_;
};
