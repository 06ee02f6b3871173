#include "controls/multistatic.h"

#include <QEvent>
#include <QPainter>

#include "platform/drawcontext.h"
#include "platform/sysmetrics.h"

std::vector<MarkupPiece> ParseMarkup(std::string_view text) {
  std::vector<MarkupPiece> pieces;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '<') {
      const std::size_t close = text.find('>', i + 1);
      if (close == std::string_view::npos) break;  // an unclosed tag ends the text
      const std::string_view tag = text.substr(i + 1, close - i - 1);
      if (tag.starts_with("fn")) pieces.push_back({MarkupPiece::kNormalFont, {}, 0});
      else if (tag.starts_with("fs")) pieces.push_back({MarkupPiece::kSymbolFont, {}, 0});
      else if (tag.starts_with('h')) pieces.push_back({MarkupPiece::kShift, {}, 3});
      else if (tag.starts_with('t')) pieces.push_back({MarkupPiece::kShift, {}, -3});
      else if (tag.starts_with('n')) pieces.push_back({MarkupPiece::kShift, {}, 0});
      i = close + 1;
      continue;
    }
    const std::size_t next = std::min(text.find('<', i), text.size());
    pieces.push_back({MarkupPiece::kRun, std::string(text.substr(i, next - i)), 0});
    i = next;
  }
  return pieces;
}

CMultiStatic::CMultiStatic(QWidget* parent) : QLabel(parent) {}

CMultiStatic::~CMultiStatic() = default;

void CMultiStatic::CreateFonts() {
  if (fontsMade_) return;
  fontsMade_ = true;
  const platform::Font own = platform::FontOfQFont(font());
  normal_ = platform::Font{.face = own.face, .height = own.height, .weight = platform::FW_NORMAL};
  symbol_ = platform::Font{.face = "Symbol", .height = own.height, .weight = platform::FW_NORMAL};
}

void CMultiStatic::changeEvent(QEvent* event) {
  // A template's font arrives after construction: the fonts follow it.
  if (event->type() == QEvent::FontChange) fontsMade_ = false;
  QLabel::changeEvent(event);
}

void CMultiStatic::paintEvent(QPaintEvent*) {
  using namespace platform;
  QPainter painter(this);
  DrawContext dc(painter);
  dc.SetMapMode(MM_TEXT);
  const Rect r{0, 0, width(), height()};
  CreateFonts();
  dc.FillSolidRect(Rect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, GetSysColor(COLOR_BTNFACE));
  DrawStateGuard guard(dc, kStateFont | kStateBkMode, TRANSPARENT);
  dc.SelectFont(normal_);
  dc.SetTextColor(RGB(0, 0, 0));
  DrawMarkupText(dc, text().toStdString(), alignment_, normal_, symbol_, r);
}

CMultiStaticR::CMultiStaticR(QWidget* parent) : CMultiStatic(parent) { alignment_ = kMarkupRight; }
