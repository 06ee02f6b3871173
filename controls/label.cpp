#include "controls/label.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFontInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "platform/dialog.h"
#include "platform/drawcontext.h"
#include "records/versuch.h"

using platform::ColorRef;
using platform::RGB;

namespace {

constexpr int kFlashInterval = 500;  // ms

ColorRef FromQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

}  // namespace

// ------------------------------------------------------------- pure helpers

std::optional<ColorRef> LampColor(int status) {
  switch (status) {
    case 1: return RGB(0, 255, 0);
    case 2: return RGB(255, 0, 0);
    case 7: return RGB(224, 128, 64);
    default: return std::nullopt;
  }
}

int LabelStatusForTestStatus(char testStatus) {
  switch (testStatus) {
    case TestStatus::Met: return 1;
    case TestStatus::NotMet: return 2;
    case TestStatus::MetWithRemark: return 7;
    default: return 0;
  }
}

std::optional<ColorRef> LampColorForTestStatus(char testStatus) {
  return LampColor(LabelStatusForTestStatus(testStatus));
}

QImage LampImage(int status) {
  const auto color = LampColor(status);
  if (!color) return {};
  QImage image(kLampSize, kLampSize, QImage::Format_RGB32);
  image.fill(QColor(platform::GetRValue(*color), platform::GetGValue(*color), platform::GetBValue(*color)));
  const int last = kLampSize - 1;
  for (auto [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}}) image.setPixel(x, y, qRgb(0, 0, 0));
  return image;
}

unsigned LabelTextFormat(unsigned style, const std::string& text) {
  unsigned format = 0;
  switch (style & SS_TYPEMASK) {
    case SS_LEFT: format = platform::DT_WORDBREAK; break;
    case SS_CENTER: format = platform::DT_CENTER | platform::DT_WORDBREAK; break;
    case SS_RIGHT: format = platform::DT_RIGHT | platform::DT_WORDBREAK; break;
    case SS_LEFTNOWORDWRAP: format = platform::DT_LEFT; break;
    default: format = platform::DT_WORDBREAK; break;
  }
  if (text.find('\t') != std::string::npos) format |= platform::DT_EXPANDTABS;
  if (style & SS_CENTERIMAGE) {
    format = platform::DT_CENTER;
    if (text.find("\r\n") == std::string::npos)
      format |= platform::DT_VCENTER | platform::DT_SINGLELINE;
  }
  return format;
}

unsigned StaticStyleOf(Qt::Alignment alignment, bool wordWrap) {
  if ((alignment & Qt::AlignHCenter) && (alignment & Qt::AlignVCenter)) return SS_CENTER | SS_CENTERIMAGE;
  if (alignment & Qt::AlignHCenter) return SS_CENTER;
  if (alignment & Qt::AlignRight) return SS_RIGHT;
  return wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP;
}

std::vector<GradientBand> GradientBands(const platform::Rect& rect, ColorRef a, ColorRef b) {
  std::vector<GradientBand> bands;
  const int width = rect.Width();
  const int n = std::min(width, 100);
  if (n < 1) return bands;
  const int bandWidth = width / n;
  // Channels in 1/256 steps, as the colour ramps from a to b.
  const int channelsA[3] = {platform::GetRValue(a), platform::GetGValue(a), platform::GetBValue(a)};
  const int channelsB[3] = {platform::GetRValue(b), platform::GetGValue(b), platform::GetBValue(b)};
  int value[3];
  int step[3];
  for (int c = 0; c < 3; ++c) {
    value[c] = channelsA[c] * 256;
    step[c] = (channelsB[c] - channelsA[c]) * 256 / n;
  }
  int left = rect.left;
  for (int i = 0; i < n; ++i) {
    const int right = i == n - 1 ? rect.right : left + bandWidth;
    bands.push_back({{left, rect.top, right, rect.bottom}, RGB(value[0] >> 8, value[1] >> 8, value[2] >> 8)});
    left = right;
    for (int c = 0; c < 3; ++c) value[c] += step[c];
  }
  return bands;
}

// --------------------------------------------------------------- LabelState

LabelState::LabelState(ColorRef windowText, ColorRef buttonFace) : textColor(windowText), faceColor(buttonFace) {}

void LabelState::SetBkColor(ColorRef color, ColorRef end, int mode) {
  backgroundColor = color;
  gradientEnd = end;
  fillMode = mode;
  if (mode == 0) backgroundBrush = color;
  else backgroundBrush.reset();
}

void LabelState::SetStatus(int value) {
  switch (value) {
    case 1: SetBkColor(RGB(0, 255, 0)); break;
    case 7: SetBkColor(RGB(0, 128, 0)); break;
    case 2: SetBkColor(RGB(255, 0, 0)); break;
    default: SetBkColor(faceColor); break;
  }
  status = value;
}

void LabelState::SetFontSize(int points, double dpiY) {
  font.height = -static_cast<int>(std::lround(points * dpiY / 72.0));
}

void LabelState::SetRotationAngle(int degrees, bool on) {
  font.escapement = degrees * 10;
  rotation = on;
}

ColorRef LabelState::PaintTextColor() const {
  if (!flashState && flashType == kFlashText) return backgroundBrush.value_or(RGB(0, 0, 0));
  return textColor;
}

std::optional<int> LabelState::LampStatus() const {
  if (transparent || !LampColor(status)) return std::nullopt;
  return status;
}

std::optional<ColorRef> LabelState::SolidBackground() const {
  if (transparent || fillMode != 0 || status > 0) return std::nullopt;
  // A flashing background shows the plain window colour in its off phase.
  if (flashType == kFlashBackground && !flashState) return faceColor;
  return backgroundBrush.value_or(faceColor);
}

LabelState::ClickAction LabelState::Click(const std::string& windowText) const {
  if (notifyParent) return {true, {}};
  if (linkType == kHyperLink) return {false, linkText.empty() ? windowText : linkText};
  if (linkType == kMailLink) return {false, "mailto:" + windowText};
  return {};
}

// ------------------------------------------------------------------- CLabel

CLabel::CLabel(QWidget* parent) : QLabel(parent) { Init(); }

CLabel::CLabel(const QString& text, QWidget* parent) : QLabel(text, parent) { Init(); }

CLabel::~CLabel() = default;

// The colours of the system and the control's own font, as the label starts.
void CLabel::Init() {
  state_ = LabelState(FromQColor(palette().color(QPalette::WindowText)), FromQColor(palette().color(QPalette::Window)));
  TakeWidgetFont();
  flashTimer_.setInterval(kFlashInterval);
  connect(&flashTimer_, &QTimer::timeout, this, [this] {
    state_.flashState = !state_.flashState;
    update();
  });
}

// The label draws with the font of its control until a font setter changes it.
void CLabel::TakeWidgetFont() {
  const QFontInfo info(font());
  state_.font.face = info.family().toStdString();
  state_.font.height = -info.pixelSize();
  state_.font.weight = info.bold() ? platform::FW_BOLD : platform::FW_NORMAL;
  state_.font.italic = info.italic();
  state_.font.underline = info.underline();
}

CLabel& CLabel::FontChanged() {
  ownFont_ = true;
  return Changed();
}

CLabel& CLabel::Changed() {
  update();
  return *this;
}

CLabel& CLabel::SetBkColor(ColorRef color, ColorRef end, int fillMode) {
  state_.SetBkColor(color, end, fillMode);
  return Changed();
}

CLabel& CLabel::SetTextColor(ColorRef color) {
  state_.textColor = color;
  return Changed();
}

CLabel& CLabel::SetText(const std::string& text) {
  setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  return Changed();
}

CLabel& CLabel::SetFontBold(bool bold) {
  state_.font.weight = bold ? platform::FW_BOLD : platform::FW_NORMAL;
  return FontChanged();
}

CLabel& CLabel::SetFontName(const std::string& face, int /*charset: Unicode text needs none*/) {
  state_.font.face = face;
  return FontChanged();
}

CLabel& CLabel::SetFontUnderline(bool on) {
  state_.font.underline = on;
  return FontChanged();
}

CLabel& CLabel::SetFontItalic(bool on) {
  state_.font.italic = on;
  return FontChanged();
}

CLabel& CLabel::SetFontSize(int points) {
  state_.SetFontSize(points, logicalDpiY());
  return FontChanged();
}

CLabel& CLabel::SetSunken(bool on) {
  state_.sunken = on;
  UpdateFrame();
  return Changed();
}

CLabel& CLabel::SetBorder(bool on) {
  state_.border = on;
  UpdateFrame();
  return Changed();
}

void CLabel::UpdateFrame() {
  if (state_.sunken) setFrameStyle(QFrame::Panel | QFrame::Sunken);
  else if (state_.border) setFrameStyle(QFrame::Box | QFrame::Plain);
  else setFrameStyle(QFrame::NoFrame);
}

CLabel& CLabel::SetTransparent(bool on) {
  state_.transparent = on;
  return Changed();
}

void CLabel::StartFlash(int type) {
  flashTimer_.stop();
  state_.flashState = false;
  state_.flashType = type;
  flashTimer_.start();
}

CLabel& CLabel::FlashText(bool on) {
  if (on) {
    StartFlash(LabelState::kFlashText);
  } else {
    flashTimer_.stop();
    state_.flashType = LabelState::kNoFlash;
  }
  return Changed();
}

CLabel& CLabel::FlashBackground(bool on) {
  if (on) {
    StartFlash(LabelState::kFlashBackground);
  } else {
    flashTimer_.stop();
    state_.flashState = true;  // the background stays on
  }
  return Changed();
}

CLabel& CLabel::SetLink(bool link, bool notifyParent) {
  state_.linkType = link ? LabelState::kHyperLink : LabelState::kNoLink;
  state_.notifyParent = notifyParent;
  return Changed();
}

CLabel& CLabel::SetLinkCursor(const QCursor& cursor) {
  setCursor(cursor);
  return *this;
}

CLabel& CLabel::SetFont3D(bool on, int type3D) {
  state_.font3D = on;
  state_.type3D = type3D;
  return Changed();
}

CLabel& CLabel::SetRotationAngle(int degrees, bool rotation) {
  state_.SetRotationAngle(degrees, rotation);
  return FontChanged();
}

CLabel& CLabel::SetText3DHiliteColor(ColorRef color) {
  state_.hiliteColor = color;
  return Changed();
}

CLabel& CLabel::SetFont(const platform::Font& font) {
  state_.font = font;
  return FontChanged();
}

CLabel& CLabel::SetMailLink(bool enable, bool notifyParent) {
  state_.linkType = enable ? LabelState::kMailLink : LabelState::kNoLink;
  state_.notifyParent = notifyParent;
  return Changed();
}

CLabel& CLabel::SetHyperLink(const std::string& link) {
  state_.linkText = link;
  return *this;
}

void CLabel::SetStatus(int status) {
  state_.SetStatus(status);
  update();
}

unsigned CLabel::Style() const { return StaticStyleOf(alignment(), wordWrap()); }

void CLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Paint(painter, contentsRect());
  drawFrame(&painter);
}

void CLabel::Paint(QPainter& painter, const QRect& client) {
  using namespace platform;
  DrawContext dc(painter);
  dc.SetMapMode(MM_TEXT);
  dc.SetWindowOrg(-client.left(), -client.top());
  const Rect rect{0, 0, client.width(), client.height()};
  const std::string text = this->text().toStdString();

  if (!state_.transparent) {
    // With a status the lamp is the background, in the top-left corner.
    if (state_.status > 0) {
      dc.FillSolidRect(rect, state_.faceColor);
      if (auto lamp = state_.LampStatus()) dc.DrawBitmap(LampImage(*lamp), Rect{0, 0, kLampSize, kLampSize});
    }
    if (state_.fillMode != 0) {
      for (const GradientBand& band : GradientBands(rect, state_.backgroundColor, state_.gradientEnd))
        dc.FillSolidRect(band.rect, band.color);
    } else if (auto background = state_.SolidBackground()) {
      dc.FillSolidRect(rect, *background);
    }
  }

  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(state_.PaintTextColor());
  dc.SelectFont(state_.font);
  if (state_.rotation) {
    dc.SetTextAlign(TA_LEFT | TA_BASELINE);
    dc.TextOut(rect.Width() / 2, rect.Height() / 2, text);
    return;
  }
  const unsigned format = LabelTextFormat(Style(), text);
  dc.DrawText(text, rect, format);
  if (state_.font3D) {
    const int offset = state_.type3D == LabelState::kSunken ? 1 : -1;
    dc.SetTextColor(state_.hiliteColor);
    dc.DrawText(text, Rect{rect.left + offset, rect.top + offset, rect.right + offset, rect.bottom + offset}, format);
  }
}

void CLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    const LabelState::ClickAction action = state_.Click(text().toStdString());
    if (action.notify) {
      emit Notify(platform::ControlId(this), kLabelClickNotification);
    } else if (!action.url.empty()) {
      const QString target = QString::fromStdString(action.url);
      QDesktopServices::openUrl(action.url.starts_with("mailto:") ? QUrl(target) : QUrl::fromUserInput(target));
    }
  }
  QLabel::mousePressEvent(event);
}

void CLabel::changeEvent(QEvent* event) {
  if (event->type() == QEvent::PaletteChange) {
    state_.faceColor = FromQColor(palette().color(QPalette::Window));
    update();
  } else if (event->type() == QEvent::FontChange && !ownFont_) {
    TakeWidgetFont();  // a template's font, set after construction
    update();
  }
  QLabel::changeEvent(event);
}
