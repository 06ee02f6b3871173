#pragma once
// CMultiStatic: a static text that paints its window text with short tags in
// angle brackets: "<fn>" the normal font, "<fs>" the Symbol font (Greek
// letters), "<h>" raised and "<t>" lowered by 3 pixels, "<n>" back to the
// base line. Only the first letters of a tag count; a "<" without a later ">"
// ends the text. CMultiStaticR draws the same text ending at its right edge.
//
//   auto* label = new CMultiStaticR(dialog);
//   label->setText("Rohdichte <fs>r<fn><t>p<n> [Mg/m³]:");   // ρ with a lowered p
//
// The drawing works on any device context with the calls of DrawContext
// (SetTextAlign, MoveTo, GetCurrentPosition, SelectFont, GetTextExtent,
// TextOut), so that tests can record what is drawn.
#include <QLabel>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/drawtypes.h"

// One piece of a marked-up text: a run to draw or the effect of a tag.
struct MarkupPiece {
  enum Kind { kRun, kNormalFont, kSymbolFont, kShift };
  Kind kind = kRun;
  std::string text;  // kRun
  int offset = 0;    // kShift: pixels up (3 raised, -3 lowered, 0 base line)
};
// The pieces in order; tags without effect give none, and the text ends at
// a "<" without a later ">".
std::vector<MarkupPiece> ParseMarkup(std::string_view text);

// The width of the runs, each measured in the font the tags before it
// select (starting with the font selected in the context); shifts do not
// count. The font selected before the first switch is selected again.
template <class DC>
int GetMarkupTextWidth(DC& dc, std::string_view text, const platform::Font& normal, const platform::Font& symbol) {
  int width = 0;
  std::optional<platform::Font> before;
  for (const MarkupPiece& piece : ParseMarkup(text)) {
    if (piece.kind == MarkupPiece::kRun) {
      width += dc.GetTextExtent(piece.text).cx;
    } else if (piece.kind != MarkupPiece::kShift) {
      const platform::Font previous = dc.SelectFont(piece.kind == MarkupPiece::kSymbolFont ? symbol : normal);
      if (!before) before = previous;
    }
  }
  if (before) dc.SelectFont(*before);
  return width;
}

// Alignment values of CMultiStatic.
enum : int { kMarkupLeft = 0, kMarkupRight = 2, kMarkupCentre = 6 };

// Draws the text into the rectangle from the current position (left), ending
// at the right edge (kMarkupRight) or centred (both bits of kMarkupCentre);
// the runs' tops lie 2 pixels below the rectangle's top, moved by the shift.
template <class DC>
void DrawMarkupText(DC& dc, std::string_view text, int alignment, const platform::Font& normal,
                    const platform::Font& symbol, const platform::Rect& r) {
  dc.SetTextAlign(platform::TA_UPDATECP);
  if (alignment == kMarkupRight) {
    dc.MoveTo(r.right - GetMarkupTextWidth(dc, text, normal, symbol), r.top + 2);
  } else if ((alignment & kMarkupCentre) == kMarkupCentre) {
    dc.MoveTo((r.right - r.left - GetMarkupTextWidth(dc, text, normal, symbol)) / 2, r.top + 2);
  }
  int offset = 0;
  for (const MarkupPiece& piece : ParseMarkup(text)) {
    switch (piece.kind) {
      case MarkupPiece::kNormalFont: dc.SelectFont(normal); break;
      case MarkupPiece::kSymbolFont: dc.SelectFont(symbol); break;
      case MarkupPiece::kShift: offset = piece.offset; break;
      case MarkupPiece::kRun:
        dc.MoveTo(dc.GetCurrentPosition().x, r.top + 2 - offset);
        dc.TextOut(0, 0, piece.text);
        break;
    }
  }
}

class CMultiStatic : public QLabel {
  Q_OBJECT

 public:
  explicit CMultiStatic(QWidget* parent = nullptr);
  ~CMultiStatic() override;

  int alignment() const { return alignment_; }
  // The fonts made at the first paint from the control's font.
  const platform::Font& normalFont() const { return normal_; }
  const platform::Font& symbolFont() const { return symbol_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

  int alignment_ = kMarkupLeft;

 private:
  void CreateFonts();
  bool fontsMade_ = false;
  platform::Font normal_;
  platform::Font symbol_;
};

// The right-aligned variant of the evaluation dialogs.
class CMultiStaticR : public CMultiStatic {
  Q_OBJECT

 public:
  explicit CMultiStaticR(QWidget* parent = nullptr);
};
