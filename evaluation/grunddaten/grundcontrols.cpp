#include "evaluation/grunddaten/grundcontrols.h"

#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextBlock>
#include <algorithm>

#include "evaluation/grunddaten/grunddaten.h"

// ------------------------------------------------------------ CRemarkEdit

CRemarkEdit::CRemarkEdit(QWidget* parent) : QPlainTextEdit(parent) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setTabChangesFocus(true);
  connect(this, &QPlainTextEdit::textChanged, this, &CRemarkEdit::KeepWithinLimits);
}

void CRemarkEdit::keyPressEvent(QKeyEvent* event) {
  const QTextCursor cursor = textCursor();
  if (!cursor.hasSelection()) {
    const bool lineEnd = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (lineEnd && blockCount() >= kReportRemarkLines) return;
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed.at(0).isPrint() && !(event->modifiers() & Qt::ControlModifier);
    if (!lineEnd && printable && cursor.block().length() - 1 >= kReportRemarkLineLength) return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

// Pasted or dropped text, or text set from outside, is cut to the limits.
void CRemarkEdit::KeepWithinLimits() {
  if (limiting_) return;
  const std::string text = toPlainText().toStdString();
  const std::string limited = LimitReportRemark(text);
  if (limited == text) return;
  const int position = textCursor().position();
  limiting_ = true;
  QTextCursor all(document());
  all.select(QTextCursor::Document);
  all.insertText(QString::fromStdString(limited));
  limiting_ = false;
  QTextCursor cursor = textCursor();
  cursor.setPosition(std::min(position, static_cast<int>(toPlainText().size())));
  setTextCursor(cursor);
}

// ------------------------------------------------------------ CElidedButton

CElidedButton::CElidedButton(QWidget* parent) : QPushButton(parent) {}

void CElidedButton::SetFullText(const QString& text) {
  full_ = text;
  setToolTip(text);
  setText(text);
  Elide();
}

void CElidedButton::resizeEvent(QResizeEvent* event) {
  QPushButton::resizeEvent(event);
  Elide();
}

void CElidedButton::Elide() {
  if (full_.isEmpty() || !isVisible()) return;
  QStyleOptionButton option;
  initStyleOption(&option);
  const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  const int room = contents.width() - 2 * style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this);
  setText(fontMetrics().elidedText(full_, Qt::ElideRight, std::max(room, 0)));
}
