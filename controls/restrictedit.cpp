#include "controls/restrictedit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>
#include <cstring>

namespace {

// The character the field keeps for c (upper-cased), or 0 when it drops it.
char KeptCharacter(char32_t c) {
  if (c >= 'a' && c <= 'z') c = c - 'a' + 'A';
  if (c == 0 || c > 0x7F) return 0;
  return std::strchr(kRestrictEditCharacters, static_cast<int>(c)) ? static_cast<char>(c) : 0;
}

}  // namespace

std::string FilterRestrictedText(const std::string& text, bool* dropped) {
  std::string kept;
  bool any = false;
  for (unsigned char byte : text) {
    // Bytes of multi-byte characters are never kept; a character counts once.
    const char c = KeptCharacter(byte);
    if (c) kept += c;
    else if (byte < 0x80 || byte >= 0xC0) any = true;
  }
  if (dropped) *dropped = any;
  return kept;
}

CRestrictEdit::CRestrictEdit(QWidget* parent) : QLineEdit(parent) {
  connect(this, &QLineEdit::textChanged, this, &CRestrictEdit::Filter);
}

CRestrictEdit::~CRestrictEdit() = default;

void CRestrictEdit::Refuse() {
  QApplication::beep();
  emit Refused();
}

void CRestrictEdit::InsertFiltered(const QString& text) {
  bool dropped = false;
  const std::string kept = FilterRestrictedText(text.toStdString(), &dropped);
  if (!kept.empty()) insert(QString::fromStdString(kept));
  if (dropped) Refuse();
}

void CRestrictEdit::PasteFiltered() {
  if (isReadOnly()) return;
  const QString clip = QApplication::clipboard()->text();
  if (QString::fromStdString(FilterRestrictedText(clip.toStdString())) == clip) {
    paste();  // nothing to filter: the plain field's paste, one undo step
    return;
  }
  // The field's insert joins the undo step before it; a cursor move ends a
  // step, so the paste becomes one of its own as in a plain field (in an
  // empty field there is no move to make).
  EndUndoStep();
  InsertFiltered(clip);
  EndUndoStep();
}

void CRestrictEdit::EndUndoStep() {
  if (text().isEmpty()) return;
  const int cursor = cursorPosition();
  const int start = selectionStart();
  const int length = static_cast<int>(selectedText().size());
  setCursorPosition(cursor == 0 ? 1 : 0);
  if (length > 0) setSelection(start == cursor ? start + length : start, start == cursor ? -length : length);
  else setCursorPosition(cursor);
}

void CRestrictEdit::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    PasteFiltered();
    event->accept();
    return;
  }
  for (QKeySequence::StandardKey standard : {QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Cut,
                                             QKeySequence::Undo, QKeySequence::Redo})
    if (event->matches(standard)) {
      QLineEdit::keyPressEvent(event);
      return;
    }
  // Any other Ctrl with a letter is a control character, which the field never takes.
  const int key = event->key();
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  if ((modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier) && key >= Qt::Key_A && key <= Qt::Key_Z) {
    Refuse();
    event->accept();
    return;
  }
  // Printable text goes in filtered (a lower-case letter raised) through the
  // field's own insert, which undo knows.
  const QString typed = event->text();
  const bool printable = !typed.isEmpty() && std::all_of(typed.begin(), typed.end(), [](QChar c) { return c.isPrint(); });
  if (printable && !isReadOnly() && QString::fromStdString(FilterRestrictedText(typed.toStdString())) != typed) {
    InsertFiltered(typed);
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void CRestrictEdit::contextMenuEvent(QContextMenuEvent* event) {
  // The menu's paste takes the same filter as Ctrl+V.
  QMenu* menu = createStandardContextMenu();
  for (QAction* action : menu->actions())
    if (action->objectName() == QLatin1String("edit-paste")) {
      action->disconnect();
      connect(action, &QAction::triggered, this, &CRestrictEdit::PasteFiltered);
    }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

// Whatever changed the text, the field keeps only what it allows; the
// cursor stays behind the same kept character.
void CRestrictEdit::Filter() {
  if (filtering_) return;
  const QString now = text();
  QString kept;
  int cursor = 0;
  const int oldCursor = cursorPosition();
  bool dropped = false;
  for (int i = 0; i < now.size(); ++i) {
    const QChar ch = now.at(i);
    // A surrogate pair is one character that is dropped once.
    if (ch.isLowSurrogate()) continue;
    const char c = KeptCharacter(ch.unicode());
    if (c) {
      kept += QChar(c);
      if (i < oldCursor) ++cursor;
    } else {
      dropped = true;
    }
  }
  if (kept != now) {
    filtering_ = true;
    setText(kept);
    setCursorPosition(cursor);
    filtering_ = false;
  }
  if (dropped) Refuse();
}
