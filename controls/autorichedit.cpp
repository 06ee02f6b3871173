#include "controls/autorichedit.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextOption>

CAutoRichEditCtrl::CAutoRichEditCtrl(QWidget* parent) : QTextEdit(parent) {
  setReadOnly(true);
  setUndoRedoEnabled(false);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

CAutoRichEditCtrl::~CAutoRichEditCtrl() = default;

void CAutoRichEditCtrl::SetRTF(const std::string& text) {
  document_ = {};
  if (text.empty()) {
    clear();
  } else if (!IsRtf(text)) {
    setPlainText(QString::fromStdString(text));
  } else {
    document_ = ReadRtf(text);
    Show(document_);
  }
}

void CAutoRichEditCtrl::Show(const RtfDocument& document) {
  clear();
  // Twips (1/1440 inch) to the screen's pixels.
  const double pixelsPerTwip = logicalDpiX() / 1440.0;
  QTextCursor cursor(this->document());
  cursor.beginEditBlock();
  bool first = true;
  for (const RtfParagraph& paragraph : document.paragraphs) {
    QTextBlockFormat block;
    block.setAlignment(paragraph.align == RtfAlign::Center  ? Qt::AlignHCenter
                       : paragraph.align == RtfAlign::Right ? Qt::AlignRight
                                                            : Qt::AlignLeft);
    block.setLeftMargin(paragraph.leftIndent * pixelsPerTwip);
    block.setTextIndent(paragraph.firstIndent * pixelsPerTwip);
    // A hanging paragraph's first tab goes to its left indent, so that the
    // text after a heading word lines up with the lines below it.
    if (paragraph.firstIndent < 0 && paragraph.leftIndent > 0)
      block.setTabPositions({QTextOption::Tab(paragraph.leftIndent * pixelsPerTwip, QTextOption::LeftTab)});
    if (first) cursor.setBlockFormat(block);
    else cursor.insertBlock(block);
    first = false;
    for (const RtfRun& run : paragraph.runs) {
      QTextCharFormat format;
      format.setFontWeight(run.format.bold ? QFont::Bold : QFont::Normal);
      format.setFontItalic(run.format.italic);
      format.setFontUnderline(run.format.underline);
      format.setFontPointSize(run.format.fontSize / 2.0);
      if (!run.format.font.empty()) format.setFontFamilies({QString::fromStdString(run.format.font)});
      if (run.format.color) {
        const platform::ColorRef c = *run.format.color;
        format.setForeground(QColor(platform::GetRValue(c), platform::GetGValue(c), platform::GetBValue(c)));
      }
      cursor.insertText(QString::fromStdString(run.text), format);
    }
  }
  cursor.endEditBlock();
  moveCursor(QTextCursor::Start);
}
