#include "controls/restrictedit.h"

#include <QApplication>
#include <QKeyEvent>
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

void CRestrictEdit::keyPressEvent(QKeyEvent* event) {
  // Ctrl with a letter is a control character, which the field never takes.
  const int key = event->key();
  const bool control = event->modifiers() & Qt::ControlModifier;
  if (control && !(event->modifiers() & Qt::AltModifier) && key >= Qt::Key_A && key <= Qt::Key_Z) {
    Refuse();
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
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
