#include "evaluation/frame/statusmarks.h"

#include <QPainter>
#include <QPainterPath>

namespace {

QImage DrawFace(const QColor& face, bool smiling) {
  QImage image(kStatusMarkSize, kStatusMarkSize, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::black, 1.0));
  painter.setBrush(face);
  painter.drawEllipse(QRectF(0.5, 0.5, 14.0, 14.0));
  // Eyes.
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  painter.drawRect(QRectF(4.0, 4.0, 2.0, 2.5));
  painter.drawRect(QRectF(9.0, 4.0, 2.0, 2.5));
  // Mouth: a bow down for a smile, up for a frown.
  QPainterPath mouth;
  if (smiling) {
    mouth.moveTo(3.5, 8.5);
    mouth.quadTo(7.5, 13.5, 11.5, 8.5);
  } else {
    mouth.moveTo(3.5, 12.0);
    mouth.quadTo(7.5, 7.0, 11.5, 12.0);
  }
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::black, 1.3, Qt::SolidLine, Qt::RoundCap));
  painter.drawPath(mouth);
  return image;
}

}  // namespace

QImage StatusMarkImage(int bitmapId) {
  switch (bitmapId) {
    case kMarkMet: return DrawFace(QColor(0, 200, 0), true);
    case kMarkNotMet: return DrawFace(QColor(230, 0, 0), false);
    case kMarkRemark: return DrawFace(QColor(255, 150, 0), false);
    case kMarkNone: {
      QImage image(kStatusMarkSize, kStatusMarkSize, QImage::Format_ARGB32);
      image.fill(QColor(192, 192, 192));
      return image;
    }
    default: return {};
  }
}

int StatusMarkFor(int status) {
  switch (status) {
    case 1: return kMarkMet;
    case 2: return kMarkNotMet;
    case 7: return kMarkRemark;
    default: return 0;
  }
}

CStatusMark::CStatusMark(QWidget* parent) : QLabel(parent) {
  setFixedSize(kStatusMarkSize, kStatusMarkSize);
}

int CStatusMark::MarkShown() const {
  const int mark = StatusMarkFor(status_);
  return mark == 0 && grey_ ? kMarkNone : mark;
}

void CStatusMark::SetStatus(int status) {
  status_ = status;
  const int mark = MarkShown();
  if (mark) setPixmap(QPixmap::fromImage(StatusMarkImage(mark)));
  else clear();
  update();
}
