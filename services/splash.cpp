#include "services/splash.h"

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "services/versioninfo.h"

namespace {

// The picture: the program's name and version, drawn large.
constexpr int kPictureWidth = 360;
constexpr int kPictureHeight = 180;

}  // namespace

CSplash::CSplash() : CpvDialog(kTemplateId, nullptr) {
  setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);

  auto* picture = new QLabel(this);
  platform::SetControlId(picture, kPictureId);
  picture->setFixedSize(kPictureWidth, kPictureHeight);
  picture->setAlignment(Qt::AlignCenter);
  picture->setTextFormat(Qt::RichText);
  picture->setStyleSheet("background-color: white; color: #203060;");

  auto* label = new QLabel("Daten werden geladen ...", this);
  platform::SetControlId(label, kLabelId);
  label->setAlignment(Qt::AlignCenter);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  label->setStyleSheet("background-color: black; color: rgb(255, 255, 0); padding: 4px;");

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(picture);
  layout->addWidget(label);
}

CSplash::~CSplash() = default;

bool CSplash::Create() {
  show();
  return isVisible();
}

bool CSplash::OnInitDialog() {
  CpvDialog::OnInitDialog();
  // The picture is drawn after the translation of the texts: it is no text of its own.
  if (auto* picture = Item<QLabel>(kPictureId))
    picture->setText(QString("<div style='font-size:34pt; font-weight:bold'>%1</div>"
                             "<div style='font-size:12pt'>Version %2</div>")
                         .arg(QString::fromStdString(kProgramName), QString::fromStdString(ProgramVersion())));
  adjustSize();
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
  }
  if (!timer_) {
    // Never stopped: a hidden splash simply stays hidden.
    timer_ = new QTimer(this);
    timer_->setInterval(kTimerInterval);
    connect(timer_, &QTimer::timeout, this, [this] { OnTimer(kTimerId); });
    timer_->start();
  }
  return true;
}

void CSplash::OnTimer(int id) {
  if (id == kTimerId && loaded_) hide();
}

void CSplash::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) EndDialog(0);
  CpvDialog::mousePressEvent(event);
}
