#include "controls/remarkpopup.h"

#include <QFontMetrics>
#include <QPalette>

#include "controls/label.h"
#include "platform/dialog.h"

namespace {

platform::ColorRef ToColorRef(const QColor& c) { return platform::RGB(c.red(), c.green(), c.blue()); }

// Dialog units of the window's font in pixels: x in quarters of the average
// character width, y in eighths of the character height.
int DluX(const QFontMetrics& fm, int units) {
  const int base =
      (fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 26 + 1) / 2;
  return (units * base + 2) / 4;
}
int DluY(const QFontMetrics& fm, int units) { return (units * fm.height() + 4) / 8; }

}  // namespace

CAnzeigeBermerkungDlg::CAnzeigeBermerkungDlg(QWidget* parent)
    : QFrame(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);

  header_ = new CLabel(this);
  remark_ = new CLabel(this);
  platform::SetControlId(header_, kHeaderLabelId);
  platform::SetControlId(remark_, kRemarkLabelId);
  remark_->setWordWrap(true);
  remark_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  const QPalette pal = palette();
  header_->SetTextColor(ToColorRef(pal.color(QPalette::Active, QPalette::HighlightedText)))
      .SetBkColor(ToColorRef(pal.color(QPalette::Active, QPalette::Highlight)))
      .SetFontBold(true);
  remark_->SetTextColor(platform::RGB(0, 0, 0)).SetBkColor(platform::RGB(255, 255, 191));

  // 190 x 46 dialog units; the header 8 units high, the remark below it.
  const QFontMetrics fm(font());
  const int frame = frameWidth();
  header_->setGeometry(frame, frame, DluX(fm, 189), DluY(fm, 8));
  remark_->setGeometry(frame, frame + DluY(fm, 8), DluX(fm, 189), DluY(fm, 40));
  resize(DluX(fm, 190) + 2 * frame, DluY(fm, 46) + 2 * frame);
  hide();
}

CAnzeigeBermerkungDlg::~CAnzeigeBermerkungDlg() = default;

void CAnzeigeBermerkungDlg::SetTexts(const std::string& header, const std::string& remark) {
  if (remark.empty()) hide();
  else show();
  header_->SetText(header);
  remark_->SetText(remark);
}

void CAnzeigeBermerkungDlg::MoveNearCursor(int x, int y) {
  move(x + 20, y - 10);  // a tool window stays on top
}
