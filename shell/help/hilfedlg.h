#pragma once
// CHilfeDlg: one help topic, an RTF file "<program folder>/hlp/<topic>.rtf",
// in a resizable window that does not block the main window (template 512
// "Tipps und Tricks"): the text 1062 fills it, "Schließen" (1) sits at the
// lower right. The window's rectangle is kept under "Hlp" + the topic.
//
//   auto* tips = new CHilfeDlg("tipps_und_tricks", view);
//   tips->ShowWithoutActivating();   // the topic is read again at every call
#include <filesystem>
#include <string>

#include "services/autoresize.h"
#include "services/cpvdialog.h"

class CAutoRichEditCtrl;

class CHilfeDlg : public CpvDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 512;
  static constexpr int kTextId = 1062;

  explicit CHilfeDlg(std::string topic, QWidget* parent = nullptr);
  // Stores the window's rectangle.
  ~CHilfeDlg() override;

  const std::string& Topic() const { return topic_; }
  std::filesystem::path HelpFile() const;
  // Reads the topic into the text; a file that cannot be read leaves the text as it was.
  void LoadHelpTopic();
  // Shows the window (the first time it opens), leaves the activation where
  // it is, and reads the topic again.
  void ShowWithoutActivating();

  CAutoRichEditCtrl* text() const { return text_; }
  const JAutoResize& layoutKeeper() const { return layout_; }

 protected:
  bool OnInitDialog() override;
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;

 private:
  std::string topic_;
  // The window that had the activation when a window system activated this
  // one all the same; it gets it back.
  QPointer<QWidget> giveBack_;
  CAutoRichEditCtrl* text_ = nullptr;
  JAutoResize layout_;
};
