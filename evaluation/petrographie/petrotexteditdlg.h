#pragma once
// CPetroTextEditDlg: the property text of one constituent class (template
// 591). A multi-line edit in which Return starts a new line and a long line
// wraps at the edit's width. It holds no more than a property text keeps:
// three displayed lines (a wrapped line counts as one) of at most 250
// characters; input beyond that is refused, so OK stores what is shown.
#include <QString>
#include <string>
#include <vector>

#include "services/cpvdialog.h"

class QTextEdit;

class CPetroTextEditDlg : public CpvDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 591;
  enum : int { kText = 1001, kHeading = 1201, kFirstRowLabel = 1211 };
  // The edit wraps at this many characters: what a column of page B holds.
  static constexpr int kColumns = 38;

  explicit CPetroTextEditDlg(QWidget* parent = nullptr);
  ~CPetroTextEditDlg() override;

  // In: the class (0 A1, 1 A2, 2 A3, 3 B, 4 C). In and out: the text as stored.
  int m_Row = 0;
  std::string m_Text;

  // The lines as the edit shows them; a line the edit wraps counts as two.
  std::vector<std::string> DisplayedLines() const;

 protected:
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  void TextChanged();
  bool Fits() const;

  QTextEdit* edit_ = nullptr;
  QString lastGood_;
  int lastCursor_ = 0;
  bool restoring_ = false;
};
