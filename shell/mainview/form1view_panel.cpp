#include "shell/mainview/form1view_panel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "i18n/translation.h"
#include "platform/dialog.h"
#include "records/matdef.h"

namespace {

QColor ToQColor(platform::ColorRef c) {
  return QColor(platform::GetRValue(c), platform::GetGValue(c), platform::GetBValue(c));
}

}  // namespace

platform::ColorRef StatusColor(int code) {
  using platform::RGB;
  switch (code) {
    case 0: return RGB(255, 255, 255);
    case 1: return RGB(0, 0, 0);
    case 7: return RGB(255, 128, 0);
    case 8: return RGB(0, 191, 0);
    case 9: return RGB(255, 0, 0);
    default: return RGB(255, 0, 255);
  }
}

// ------------------------------------------------------------ PanelState

PanelState::PanelState() { FillTestTypeButtons(); }

void PanelState::FillTestTypeButtons() {
  normalSet_.clear();
  ballastSet_.clear();
  for (const char* key : {"VA_GRUND", "VA_SIEBL", "VA_KORNF", "VA_PLATT", "VA_ORGAN", "VA_BRUCH", "VA_PETRO",
                          "VA_RCZUS", "VA_WASSERG", "VA_SANDEQ", "VA_FLIESSK", "VA_ALKALI", "VA_ROHDI", "VA_WBS",
                          "VA_100MM"})
    normalSet_.push_back(std::string(key) + "|" + GetTestTypeName(key));
  struct Entry {
    const char* key;
    int textId;
    const char* german;
  };
  static constexpr Entry kBallast[] = {
      {"VA_GRUND", 5001, "Grunddaten"},          {"VA_SIEBL", 5002, "Sieblinie"},
      {"VA_GS_KORNFORM", 5003, "Kornform"},      {"VA_GS_PLATTIGKEIT", 5004, "Plattigkeit"},
      {"VA_GS_WASSER", 5015, "Wasseraufnahme"},  {"VA_GS_KRISTALL", 5016, "Kristallisation"},
      {"VA_GS_LAENGER100", 5014, "Länge > 100 mm"}, {"VA_GS_REINHEIT", 5017, "Reinheit"},
      {"VA_GS_UMWELT", 5018, "Umweltverträglichkeit"},
  };
  for (const Entry& e : kBallast) ballastSet_.push_back(std::string(e.key) + "|" + TranslateString(e.textId, e.german));
  mixtureSet_ = normalSet_;
  for (std::string& item : mixtureSet_)
    if (item.rfind("VA_KORNF|", 0) == 0) item = "VA_GS_KORNFORM|" + TranslateString(5003, "Kornform");
}

std::string PanelState::GetKeyAt(int item) const {
  if (item < 0 || item >= ItemCount()) return {};
  const std::string& text = Items()[static_cast<size_t>(item)];
  return text.substr(0, text.find('|'));
}

std::string PanelState::CaptionAt(int item) const {
  if (item < 0 || item >= ItemCount()) return {};
  const std::string& text = Items()[static_cast<size_t>(item)];
  const size_t first = text.find('|');
  if (first == std::string::npos) return {};
  const size_t second = text.find('|', first + 1);
  return text.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
}

bool PanelState::SetBallastMode(bool ballast) {
  if (ballast == ballastMode_) return false;
  ballastMode_ = ballast;
  return true;
}

bool PanelState::SetMixtureMode(bool mixture) {
  if (mixture == mixtureMode_) return false;
  mixtureMode_ = mixture;
  return !ballastMode_;
}

void PanelState::EnableKey(const std::string& key, bool enable) {
  if (enable) enabled_.insert(key);
  else enabled_.erase(key);
}

bool PanelState::IsKeyEnabled(int item) const { return item >= 0 && item < ItemCount() && IsKeyEnabled(GetKeyAt(item)); }

void PanelState::SetStatusEntry(const std::string& entry) {
  const size_t colon = entry.find(':');
  if (colon == std::string::npos) statuses_[entry] = "";
  else statuses_[entry.substr(0, colon)] = entry.substr(colon + 1);
}

int PanelState::StatusCode(const std::string& key) const {
  auto it = statuses_.find(key);
  if (it == statuses_.end()) return -1;
  // As atoi: a leading number, 0 for none.
  int value = 0;
  bool negative = false;
  size_t i = 0;
  const std::string& s = it->second;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  while (i < s.size() && s[i] >= '0' && s[i] <= '9' && value < 100000) value = value * 10 + (s[i++] - '0');
  return negative ? -value : value;
}

bool PanelState::SetAltMode(bool alt) {
  if (alt == altMode_) return false;
  altMode_ = alt;
  return true;
}

bool PanelState::SetHoverItem(int item) {
  if (item == hover_) return false;
  hover_ = item;
  return true;
}

bool PanelState::SetFocusItem(int item) {
  if (item < 0 || item >= ItemCount()) item = -1;
  if (item == focus_) return false;
  focus_ = item;
  return true;
}

int PanelState::FirstEnabledItem() const {
  for (int item = 0; item < ItemCount(); ++item)
    if (IsKeyEnabled(item)) return item;
  return -1;
}

PanelButtonLook PanelState::LookOf(int item) const {
  PanelButtonLook look;
  const bool enabled = IsKeyEnabled(item);
  const bool hot = item == hover_;
  if (!enabled && !altMode_) {
    look.face = PanelButtonLook::kButtonFace;
    look.text = PanelButtonLook::kGrayText;
  } else if (hot) {
    look.face = PanelButtonLook::kWhite;
    look.text = PanelButtonLook::kBlue;
  } else {
    look.face = PanelButtonLook::kButtonFace;
    look.text = PanelButtonLook::kWindowText;
  }
  if (enabled) look.mark = StatusCode(GetKeyAt(item));
  return look;
}

// ------------------------------------------------------------ CButtonListbox

CButtonListbox::CButtonListbox(QWidget* parent) : QWidget(parent) {
  platform::SetControlId(this, kControlId);
  setMouseTracking(true);
  setAttribute(Qt::WA_Hover, false);
  // A Tab stop; a click leaves the focus where it was.
  setFocusPolicy(Qt::TabFocus);
}

CButtonListbox::~CButtonListbox() = default;

void CButtonListbox::Init() {
  state_.SetBallastMode(false);
  RebuildItems();
}

void CButtonListbox::RebuildItems() {
  state_.SetHoverItem(-1);
  state_.SetFocusItem(state_.FocusItem());  // none when the set in force is shorter
  const int height = ItemCount() > 0 ? ItemRect(ItemCount() - 1).bottom() + 1 + 2 : 2;
  setFixedHeight(height);
  updateGeometry();
  update();
}

void CButtonListbox::SetBallastMode(bool ballast) {
  if (state_.SetBallastMode(ballast)) RebuildItems();
}

void CButtonListbox::SetMixtureMode(bool mixture) {
  if (state_.SetMixtureMode(mixture)) RebuildItems();
}

void CButtonListbox::SetAltMode(bool alt) {
  if (state_.SetAltMode(alt)) update();
}

QRect CButtonListbox::ItemRect(int item) const { return QRect(0, item * kItemHeight, width(), kItemHeight); }

int CButtonListbox::ItemAt(const QPoint& point) const {
  if (point.x() < 0 || point.x() >= width() || point.y() < 0) return -1;
  const int item = point.y() / kItemHeight;
  return item < ItemCount() ? item : -1;
}

int CButtonListbox::ItemOfKey(const std::string& key) const {
  for (int i = 0; i < ItemCount(); ++i)
    if (GetKeyAt(i) == key) return i;
  return -1;
}

int CButtonListbox::WidestCaption() const {
  PanelState sets = state_;
  int widest = 0;
  for (const bool ballast : {false, true}) {
    for (const bool mixture : {false, true}) {
      sets.SetBallastMode(ballast);
      sets.SetMixtureMode(mixture);
      for (int item = 0; item < sets.ItemCount(); ++item)
        widest = std::max(widest, fontMetrics().horizontalAdvance(QString::fromStdString(sets.CaptionAt(item))));
    }
  }
  return widest;
}

QSize CButtonListbox::sizeHint() const { return QSize(126, ItemCount() * kItemHeight + 2); }

void CButtonListbox::DrawStatusMark(QPainter& painter, const QRect& rect, int code) {
  const QColor color = ToQColor(StatusColor(code));
  painter.fillRect(rect, color);
  if (code != 7 && code != 8 && code != 9) return;
  // A small face: two eyes of two strokes each and a mouth by the status.
  const int l = rect.left(), t = rect.top(), r = rect.right() + 1, b = rect.bottom() + 1;
  const int cx = l + (r - l) / 2;
  const int cy = t + (b - t) / 2;
  painter.save();
  painter.setPen(QPen(Qt::black, 0));
  painter.setRenderHint(QPainter::Antialiasing, false);
  for (int x : {cx - 2, cx - 1, cx + 1, cx + 2}) painter.drawLine(x, cy - 2, x, cy - 1);
  int y0 = cy + 2, y1 = cy + 2, y2 = cy + 1;  // 7: flat
  if (code == 9) y0 = cy + 2, y1 = cy + 1, y2 = cy + 3;
  if (code == 8) y0 = cy + 1, y1 = cy + 2, y2 = cy;
  const QPoint mouth[] = {{cx - 3, y0}, {cx - 1, y1}, {cx + 1, y1}, {cx + 3, y2}};
  painter.drawPolyline(mouth, 4);
  painter.restore();
}

void CButtonListbox::DrawButton(QPainter& painter, const QRect& rect, const QString& caption,
                                const PanelButtonLook& look, const QPalette& palette, bool focusFrame) {
  const QColor face = look.face == PanelButtonLook::kWhite ? QColor(255, 255, 255) : palette.color(QPalette::Button);
  QColor text = palette.color(QPalette::WindowText);
  if (look.text == PanelButtonLook::kGrayText) text = palette.color(QPalette::Disabled, QPalette::WindowText);
  if (look.text == PanelButtonLook::kBlue) text = QColor(0, 0, 255);
  painter.fillRect(rect, face);

  const int l = rect.left(), t = rect.top(), r = rect.right() + 1, b = rect.bottom() + 1;
  painter.fillRect(QRect(QPoint(l, b - 1), QPoint(r - 1, b - 1)), QColor(31, 31, 31));
  painter.fillRect(QRect(QPoint(r - 1, t), QPoint(r - 1, b - 1)), QColor(31, 31, 31));
  painter.fillRect(QRect(QPoint(l, t), QPoint(r - 1, t)), QColor(239, 239, 239));
  painter.fillRect(QRect(QPoint(l, t), QPoint(l, b - 1)), QColor(239, 239, 239));

  if (look.mark) {
    QRect mark(QPoint(l + 4, t + 3), QPoint(l + 16 - 1, b - 4 - 1));
    if (*look.mark == 0) {
      painter.fillRect(mark, Qt::black);
      mark.adjust(1, 1, -1, -1);
    }
    DrawStatusMark(painter, mark, *look.mark);
  }

  painter.setPen(text);
  const QRect textRect(QPoint(l + kCaptionIndent, t), QPoint(r - 1, b - 1));
  const QString shown = painter.fontMetrics().elidedText(caption, Qt::ElideRight, textRect.width());
  painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);

  if (focusFrame) {
    painter.save();
    painter.setPen(QPen(palette.color(QPalette::WindowText), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(QPoint(l + 2, t + 2), QPoint(r - 4, b - 4)));
    painter.restore();
  }
}

void CButtonListbox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  for (int i = 0; i < ItemCount(); ++i)
    DrawButton(painter, ItemRect(i), QString::fromStdString(state_.CaptionAt(i)), state_.LookOf(i), palette(),
               hasFocus() && i == state_.FocusItem());
}

void CButtonListbox::mouseMoveEvent(QMouseEvent* event) {
  // The mouse tells whether Alt is held, whatever became of its key events.
  const bool hover = state_.SetHoverItem(ItemAt(event->position().toPoint()));
  const bool alt = state_.SetAltMode(event->modifiers() & Qt::AltModifier);
  if (hover || alt) update();
  QWidget::mouseMoveEvent(event);
}

void CButtonListbox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    const int item = ItemAt(event->position().toPoint());
    if (item >= 0) {
      if (state_.SetFocusItem(item)) update();
      emit ItemClicked(item, event->modifiers() & Qt::AltModifier);
      return;
    }
  }
  QWidget::mousePressEvent(event);
}

void CButtonListbox::keyPressEvent(QKeyEvent* event) {
  const int focus = state_.FocusItem();
  int target = -2;
  switch (event->key()) {
    case Qt::Key_Up: target = std::max(0, focus - 1); break;
    case Qt::Key_Down: target = focus < 0 ? 0 : std::min(ItemCount() - 1, focus + 1); break;
    case Qt::Key_Home: target = 0; break;
    case Qt::Key_End: target = ItemCount() - 1; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      if (focus >= 0) emit ItemClicked(focus, event->modifiers() & Qt::AltModifier);
      event->accept();
      return;
    default: QWidget::keyPressEvent(event); return;
  }
  if (state_.SetFocusItem(target)) update();
  event->accept();
}

void CButtonListbox::focusInEvent(QFocusEvent* event) {
  // The frame comes to a button that works, when one does.
  if (!IsKeyEnabled(state_.FocusItem())) {
    const int first = state_.FirstEnabledItem();
    state_.SetFocusItem(first >= 0 ? first : std::max(state_.FocusItem(), 0));
  }
  update();
  QWidget::focusInEvent(event);
}

void CButtonListbox::focusOutEvent(QFocusEvent* event) {
  update();
  QWidget::focusOutEvent(event);
}

void CButtonListbox::leaveEvent(QEvent* event) {
  if (state_.SetHoverItem(-1)) update();
  QWidget::leaveEvent(event);
}
