#include "controls/grid/inplaceedit.h"

#include <QKeyEvent>

#include "controls/grid/gridctrl.h"
#include "platform/dialog.h"

using namespace platform;

namespace {
// One end at a time, whichever editor it is.
bool g_ending = false;
}  // namespace

CInPlaceEdit::CInPlaceEdit(CGridCtrl* grid, const Rect& rect, unsigned style, int id, int row, int col,
                           const std::string& initialText, unsigned firstKey)
    : QLineEdit(grid->viewport()),
      grid_(grid),
      initialText_(initialText),
      row_(row),
      col_(col),
      exitOnArrows_(firstKey != VK_LBUTTON) {
  SetControlId(this, id);
  setGeometry(rect.left, rect.top, rect.right - rect.left + 1, rect.bottom - rect.top + 1);
  setAlignment(style == ES_RIGHT ? Qt::AlignRight | Qt::AlignVCenter
               : style == ES_CENTER ? Qt::AlignHCenter | Qt::AlignVCenter
                                    : Qt::AlignLeft | Qt::AlignVCenter);
  setFont(grid->font());
  setText(QString::fromStdString(initialText));
  show();
  setFocus(Qt::OtherFocusReason);

  const bool typed = firstKey & kTypedKey;
  const unsigned key = firstKey & ~kTypedKey;
  switch (key) {
    case VK_LBUTTON:
    case VK_RETURN:
      end(false);
      return;
    case VK_BACK:
      end(false);
      backspace();
      return;
    case VK_TAB:
    case VK_SPACE:
      selectAll();
      return;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      if (!typed) {
        selectAll();
        return;
      }
      break;
    default: break;
  }
  // A typed character replaces the text.
  selectAll();
  SendChar(key);
}

CInPlaceEdit::~CInPlaceEdit() = default;

void CInPlaceEdit::SendChar(unsigned ch) {
  ch &= ~kTypedKey;
  if (ch == VK_BACK) backspace();
  else if (ch >= 0x20 && ch != 0x7F) {
    const char32_t c = ch;
    insert(QString::fromUcs4(&c, 1));
  }
  Widen();
}

bool CInPlaceEdit::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    // Tab, Enter and Esc are the editor's; Alt keys of the dialog are swallowed.
    if (key->modifiers() & Qt::AltModifier) {
      event->accept();
      return true;
    }
    if (event->type() == QEvent::KeyPress && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
      keyPressEvent(key);
      return true;
    }
    if (event->type() == QEvent::ShortcutOverride) {
      event->accept();  // every key goes to the editor
      return true;
    }
  }
  return QLineEdit::event(event);
}

void CInPlaceEdit::keyPressEvent(QKeyEvent* event) {
  if (grid_) grid_->TakeKeyState(event->modifiers());
  const unsigned key = VirtualKey(*event);
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  event->accept();
  switch (key) {
    case VK_ESCAPE:
      setText(QString::fromStdString(initialText_));
      EndWithKey(key);
      return;
    case VK_TAB:
    case VK_RETURN: EndWithKey(key); return;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      if (exitOnArrows_ || ctrl) {
        EndWithKey(key);
        return;
      }
      break;
    default: break;
  }
  QLineEdit::keyPressEvent(event);
  if (!event->text().isEmpty()) Widen();
}

void CInPlaceEdit::Widen() {
  const int width = fontMetrics().horizontalAdvance(text() + QStringLiteral("  ")) + 8;  // the frame and its text margins
  if (width <= this->width() || !parentWidget()) return;
  const int right = std::min(x() + width, parentWidget()->width());
  resize(std::max(this->width(), right - x()), height());
}

void CInPlaceEdit::EndWithKey(unsigned key) {
  lastKey_ = key;
  if (grid_) grid_->setFocus(Qt::OtherFocusReason);
  // Without a grid to take the focus (or when it could not), end here.
  if (!ended_) EndEdit();
}

void CInPlaceEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // Its own context menu keeps the edit open.
  if (event->reason() != Qt::PopupFocusReason) EndEdit();
}

void CInPlaceEdit::EndEdit() {
  if (g_ending || ended_) return;
  g_ending = true;
  ended_ = true;
  const std::string text = this->text().toStdString();
  if (grid_) grid_->OnEndInPlaceEdit(row_, col_, text, lastKey_);
  g_ending = false;
  // Closing a focused window would pass the focus on to another control.
  if (hasFocus() && grid_) grid_->setFocus(Qt::OtherFocusReason);
  hide();
  deleteLater();
}
