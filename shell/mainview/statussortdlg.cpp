#include "shell/mainview/statussortdlg.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <QPushButton>

#include <algorithm>

#include "controls/exlistctrl.h"
#include "controls/liststatus.h"

namespace {

QColor ToQColor(platform::ColorRef c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

void FillRect(QPainter& p, const platform::Rect& r, platform::ColorRef color) {
  p.fillRect(QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)), ToQColor(color));
}

void DrawStatusBars(QPainter& p, int height) {
  const int statuses[] = {8, 8, 9, 7, 1, 0, 8, 9, 8, 0, 8};
  int x = 1;
  for (int status : statuses) {
    const liststatus::Bar bar = liststatus::ResultBar(x, 0, height, status);
    FillRect(p, bar.rect, bar.fill);
    if (bar.inner) FillRect(p, *bar.inner, bar.innerFill);
    x += liststatus::kBarPitch;
  }
}

void DrawCheckMark(QPainter& p, int value, int x, int height) {
  const liststatus::CheckMarkShape shape = liststatus::CheckMark(value, x, 0, height);
  p.setPen(Qt::NoPen);
  p.setBrush(ToQColor(shape.color));
  for (const auto& polygon : shape.polygons) {
    QPolygon q;
    for (const auto& pt : polygon) q << QPoint(pt.x, pt.y);
    p.drawPolygon(q);
  }
}

}  // namespace

CStatusSortierungDlg::CStatusSortierungDlg(QWidget* parent) : CpvDialog(kTemplateId, parent) {
  setWindowTitle("Sortierung nach Status");
  // 244 x 47 dialog units, buttons of 58 x 17 units side by side.
  setFixedSize(372, 78);
  const int lefts[4] = {6, 97, 187, 279};
  for (int order = 0; order < 4; ++order) {
    auto* button = new QPushButton(this);
    platform::SetControlId(button, kOrderButtonIds[order]);
    button->setGeometry(lefts[order], 5, 88, 28);
    button->setIcon(QIcon(QPixmap::fromImage(OrderPicture(order, font()))));
    button->setIconSize(QSize(kPictureWidth, PictureHeight(font())));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, order] { Choose(order); });
  }
  auto* cancel = new QPushButton("Abbrechen", this);
  platform::SetControlId(cancel, platform::IDCANCEL);
  cancel->setGeometry(149, 47, 76, 24);
  // The template's OK button exists but is never shown.
  auto* ok = new QPushButton("Button1", this);
  platform::SetControlId(ok, platform::IDOK);
  ok->setGeometry(324, 57, 26, 12);
  ok->hide();
}

CStatusSortierungDlg::~CStatusSortierungDlg() = default;

bool CStatusSortierungDlg::OnInitDialog() {
  CpvDialog::OnInitDialog();
  chosen_ = -1;
  return true;
}

void CStatusSortierungDlg::Choose(int order) {
  chosen_ = order;
  EndDialog(platform::IDOK);
}

int CStatusSortierungDlg::PictureHeight(const QFont& font) {
  return std::max(kMinPictureHeight, QFontMetrics(font).height() + 2);
}

QImage CStatusSortierungDlg::OrderPicture(int order, const QFont& font) {
  const int height = PictureHeight(font);
  QImage image(kPictureWidth, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setFont(font);
  // The marks stand in the middle, as wide as the list draws them.
  switch (order) {
    case 0:
      DrawStatusBars(p, height);
      break;
    case 1:
      DrawNoStatisticsMark(p, (kPictureWidth - liststatus::kNoStatisticsStrikeLength) / 2, 0, height);
      break;
    case 2:
      DrawCheckMark(p, 2, 26, height);
      DrawCheckMark(p, 1, 46, height);
      break;
    case 3: {
      const int wide = QFontMetrics(font).horizontalAdvance(QString::fromStdString(liststatus::RemarkMarkText()));
      DrawRemarkMark(p, (kPictureWidth - wide) / 2, 0, height);
      break;
    }
    default:
      break;
  }
  return image;
}
