#include "evaluation/petrographie/petrotexteditdlg.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFontMetrics>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextLayout>

#include "evaluation/petrographie/petrographie.h"
#include "ui_petrotexteditdlg.h"

CPetroTextEditDlg::CPetroTextEditDlg(QWidget* parent) : CpvDialog(kTemplateId, parent) {
  Ui::PetroTextEditDlg ui;
  ui.setupUi(this);
  edit_ = ui.text;
  edit_->setLineWrapMode(QTextEdit::FixedColumnWidth);
  edit_->setLineWrapColumnOrWidth(kColumns);
  edit_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  for (int row = 0; row < kPetroTexts; ++row) ShowItem(kFirstRowLabel + row, platform::SW_HIDE);
  connect(edit_, &QTextEdit::textChanged, this, [this] { TextChanged(); });
}

CPetroTextEditDlg::~CPetroTextEditDlg() = default;

bool CPetroTextEditDlg::OnInitDialog() {
  CpvDialog::OnInitDialog();
  SetFixedFont(kText);
  // Three wrapped lines and a little room, at the width of the wrapped lines.
  const QFontMetrics metrics(edit_->font());
  edit_->setMinimumWidth(metrics.horizontalAdvance(QString(kColumns + 2, QChar('M'))) + 24);
  edit_->setFixedHeight(metrics.lineSpacing() * (kPropertyTextLines + 1) + 12);
  for (int row = 0; row < kPetroTexts; ++row)
    ShowItem(kFirstRowLabel + row, row == m_Row ? platform::SW_SHOW : platform::SW_HIDE);

  restoring_ = true;
  SetItemText(kText, UnpackPropertyText(m_Text));
  // A stored text longer than a property text holds shows only what it keeps.
  if (!Fits()) {
    std::vector<std::string> lines = DisplayedLines();
    if (lines.size() > static_cast<size_t>(kPropertyTextLines)) lines.resize(kPropertyTextLines);
    SetItemText(kText, UnpackPropertyText(PackPropertyText(lines)));
  }
  restoring_ = false;
  lastGood_ = edit_->toPlainText();
  lastCursor_ = static_cast<int>(lastGood_.size());
  return true;
}

std::vector<std::string> CPetroTextEditDlg::DisplayedLines() const {
  QTextDocument* document = edit_->document();
  document->documentLayout()->documentSize();  // lays the whole text out
  std::vector<std::string> lines;
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    const QTextLayout* layout = block.layout();
    if (!layout || layout->lineCount() == 0) {
      lines.push_back(block.text().toStdString());
      continue;
    }
    for (int i = 0; i < layout->lineCount(); ++i) {
      const QTextLine line = layout->lineAt(i);
      lines.push_back(block.text().mid(line.textStart(), line.textLength()).toStdString());
    }
  }
  return lines;
}

bool CPetroTextEditDlg::Fits() const {
  const std::vector<std::string> lines = DisplayedLines();
  if (lines.size() > static_cast<size_t>(kPropertyTextLines)) return false;
  for (const std::string& line : lines)
    if (QString::fromStdString(line).size() > kPropertyLineChars) return false;
  return true;
}

void CPetroTextEditDlg::TextChanged() {
  if (restoring_) return;
  if (Fits()) {
    lastGood_ = edit_->toPlainText();
    lastCursor_ = edit_->textCursor().position();
    return;
  }
  // Refused: the text goes back to what it was before this input.
  restoring_ = true;
  edit_->setPlainText(lastGood_);
  QTextCursor cursor = edit_->textCursor();
  cursor.setPosition(std::min(lastCursor_, static_cast<int>(lastGood_.size())));
  edit_->setTextCursor(cursor);
  restoring_ = false;
  QApplication::beep();
}

void CPetroTextEditDlg::OnOK() {
  m_Text = PackPropertyText(DisplayedLines());
  EndDialog(platform::IDOK);
}
