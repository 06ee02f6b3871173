#include "services/waitwindow.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

CMomentBitteDlg::CMomentBitteDlg(QWidget* parent) : CpvDialog(kTemplateId, parent) {
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);

  auto* frame = new QFrame(this);
  frame->setFrameStyle(QFrame::Box | QFrame::Plain);
  frame->setLineWidth(2);
  auto* text = new QLabel("Moment bitte!", frame);
  platform::SetControlId(text, kTextId);
  text->setAlignment(Qt::AlignCenter);
  auto* inner = new QVBoxLayout(frame);
  inner->setContentsMargins(24, 10, 24, 10);
  inner->addWidget(text);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(frame);
  setMinimumSize(200, 40);
}

CMomentBitteDlg::~CMomentBitteDlg() = default;

bool CMomentBitteDlg::Create() {
  // Laid out now, shown later.
  adjustSize();
  return true;
}

void CMomentBitteDlg::ShowNow() {
  show();
  raise();
  repaint();
}

void CMomentBitteDlg::showEvent(QShowEvent* event) {
  CpvDialog::showEvent(event);
  // Centred over the owner, else on the screen.
  QRect area;
  if (parentWidget()) area = parentWidget()->window()->geometry();
  else if (QScreen* screen = QGuiApplication::primaryScreen()) area = screen->geometry();
  if (!area.isEmpty())
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}
