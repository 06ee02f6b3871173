#include "shell/help/hilfedlg.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPushButton>
#include <QResizeEvent>

#include "controls/autorichedit.h"
#include "i18n/translation.h"
#include "platform/textfile.h"
#include "services/pravikapp.h"
#include "services/sysfuncs.h"

namespace {

// The template: the text above the button, filling the window.
constexpr int kWidth = 520;
constexpr int kHeight = 420;
constexpr int kMargin = 7;
constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 26;

bool ActivatesEveryShownWindow() {
  const QString platform = QGuiApplication::platformName();
  return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

}  // namespace

CHilfeDlg::CHilfeDlg(std::string topic, QWidget* parent) : CpvDialog(kTemplateId, parent), topic_(std::move(topic)) {
  setWindowTitle(QStringLiteral("Tipps und Tricks"));
  setSizeGripEnabled(true);
  setModal(false);
  setAttribute(Qt::WA_ShowWithoutActivating);
  resize(kWidth, kHeight);
  text_ = new CAutoRichEditCtrl(this);
  platform::SetControlId(text_, kTextId);
  text_->setGeometry(kMargin, kMargin, kWidth - 2 * kMargin, kHeight - 3 * kMargin - kButtonHeight);
  auto* close = new QPushButton(QString::fromStdString(TranslateString(66017, "Schließen")), this);
  platform::SetControlId(close, platform::IDOK);
  close->setGeometry(kWidth - kMargin - kButtonWidth, kHeight - kMargin - kButtonHeight, kButtonWidth, kButtonHeight);
}

CHilfeDlg::~CHilfeDlg() { layout_.SaveWindowPos(this); }

std::filesystem::path CHilfeDlg::HelpFile() const {
  std::filesystem::path folder;
  if (CPravikWinApp* app = GetApp(); app && !app->m_Settings.m_ProgramFolder.empty())
    folder = app->m_Settings.m_ProgramFolder;
  else
    GetProgramFolder(folder);
  return folder / "hlp" / (topic_ + ".rtf");
}

void CHilfeDlg::LoadHelpTopic() {
  const auto lines = platform::ReadTextLines(HelpFile());
  if (!lines) return;
  std::string text;
  for (const std::string& line : *lines) text += line + "\r\n";
  text_->SetRTF(text);
}

void CHilfeDlg::ShowWithoutActivating() {
  const bool wasVisible = isVisible();
  QWidget* active = QApplication::activeWindow();
  show();
  // Some window systems (the offscreen one) activate every window they show.
  if (!wasVisible && active && active != this && ActivatesEveryShownWindow()) giveBack_ = active;
  LoadHelpTopic();
}

bool CHilfeDlg::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && giveBack_) {
    QPointer<QWidget> back = giveBack_;
    giveBack_.clear();
    back->activateWindow();
  }
  return CpvDialog::event(event);
}

bool CHilfeDlg::OnInitDialog() {
  CpvDialog::OnInitDialog();
  LoadHelpTopic();
  layout_.Init(this, "Hlp" + topic_, 0);
  return true;
}

void CHilfeDlg::resizeEvent(QResizeEvent* event) {
  layout_.Resize(this, event->size().width(), event->size().height());
  CpvDialog::resizeEvent(event);
}
