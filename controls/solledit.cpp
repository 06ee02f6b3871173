#include "controls/solledit.h"

#include <QFontInfo>
#include <QPainter>

#include "platform/drawcontext.h"
#include "records/requirement.h"

CSollEdit::CSollEdit(QWidget* parent) : QLineEdit(parent) {}

CSollEdit::~CSollEdit() = default;

std::string CSollEdit::ShownText() const { return FormatRequirement(text().toStdString(), 1); }

void CSollEdit::Paint(QPainter& painter, const QRect& client) const {
  using namespace platform;
  DrawContext dc(painter);
  dc.SetMapMode(MM_TEXT);
  dc.SetWindowOrg(-client.left(), -client.top());
  const Rect rect{0, 0, client.width(), client.height()};
  dc.FillSolidRect(rect, RGB(255, 255, 255));
  const std::string shown = ShownText();
  if (shown.empty()) return;
  // The field's own font, as the dialog gives it.
  const QFontInfo info(font());
  Font f;
  f.face = info.family().toStdString();
  f.height = -info.pixelSize();
  f.weight = info.bold() ? FW_BOLD : FW_NORMAL;
  dc.SelectFont(f);
  dc.SetTextColor(RGB(0, 0, 0));
  dc.SetBkColor(RGB(255, 255, 255));
  dc.SetBkMode(OPAQUE);
  dc.DrawText(shown, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void CSollEdit::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Paint(painter, contentsRect());
}
