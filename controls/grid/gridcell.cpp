#include "controls/grid/gridcell.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>

#include "controls/grid/gridmodel.h"
#include "platform/drawcontext.h"
#include "platform/sysmetrics.h"

using platform::ColorRef;
using platform::DrawContext;
using platform::Font;
using platform::Rect;
using platform::Size;

// ------------------------------------------------------------ ScreenMeasure

struct ScreenMeasure::Impl {
  QImage image{1, 1, QImage::Format_RGB32};
  QPainter painter{&image};
  DrawContext dc{painter};
};

ScreenMeasure::ScreenMeasure() {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  impl_ = new Impl;
  impl_->dc.SetMapMode(platform::MM_TEXT);
  dc_ = &impl_->dc;
}

ScreenMeasure::~ScreenMeasure() { delete impl_; }

// ------------------------------------------------------------ CGridCellBase

const CGridDefaultCell* CGridCellBase::GetDefaultCell() const {
  const CGridModel* grid = GetGrid();
  if (!grid) return nullptr;
  const unsigned state = GetState();
  return grid->GetDefaultCell((state & GVIS_FIXEDROW) != 0, (state & GVIS_FIXEDCOL) != 0);
}

CGridCellBase& CGridCellBase::operator=(const CGridCellBase& cell) {
  if (this == &cell) return *this;
  SetGrid(cell.GetGrid());
  SetText(cell.GetText());
  SetImage(cell.GetImage());
  SetData(cell.GetData());
  SetState(cell.GetState());
  SetFormat(cell.GetFormat());
  SetTextClr(cell.GetTextClr());
  SetBackClr(cell.GetBackClr());
  SetFont(cell.IsDefaultFont() ? nullptr : &cell.GetFont());
  SetMargin(cell.GetMargin());
  return *this;
}

void CGridCellBase::Reset() { state_ = 0; }

bool CGridCellBase::Draw(DrawContext& dc, int row, int col, Rect rect, bool erase) {
  using namespace platform;
  CGridModel* grid = GetGrid();
  if (!grid || rect.Width() <= 0 || rect.Height() <= 0) return false;
  DrawStateGuard guard(dc, kStateAll, TRANSPARENT);
  const CGridDefaultCell* def = GetDefaultCell();
  if (!def) return false;

  ColorRef textClr = GetTextClr() == CLR_DEFAULT ? def->GetTextClr() : GetTextClr();
  ColorRef backClr = def->GetBackClr();
  if (GetBackClr() != CLR_DEFAULT) {
    backClr = GetBackClr();
    erase = true;
  }
  if (textClr == CLR_DEFAULT) textClr = GetSysColor(COLOR_WINDOWTEXT);
  if (backClr == CLR_DEFAULT) backClr = GetSysColor(COLOR_WINDOW);

  const bool gridLines = grid->GetGridLines();
  if (IsFocused() || IsDropHighlighted()) {
    if (IsSelected()) {
      backClr = GetSysColor(COLOR_HIGHLIGHT);
      textClr = GetSysColor(COLOR_HIGHLIGHTTEXT);
      erase = true;
    }
    rect.right++;
    rect.bottom++;
    if (erase) dc.FillSolidRect(rect, backClr);
    if (gridLines) {
      rect.right--;
      rect.bottom--;
    }
    if (grid->GetFrameFocusCell()) dc.FrameRect(rect, Brush::Solid(textClr));
    dc.SetTextColor(textClr);
    if (!gridLines) {
      rect.right--;
      rect.bottom--;
    }
  } else if (IsSelected()) {
    dc.FillSolidRect(Rect{rect.left, rect.top, rect.right + 1, rect.bottom + 1}, GetSysColor(COLOR_HIGHLIGHT));
    dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
  } else {
    if (erase) dc.FillSolidRect(Rect{rect.left, rect.top, rect.right + 1, rect.bottom + 1}, backClr);
    dc.SetTextColor(textClr);
  }

  if (IsFixed() && gridLines) {
    const CCellID focus = grid->GetFocusCell();
    if (grid->GetTrackFocusCell() && grid->IsValid(focus) && (focus.row == row || focus.col == col)) {
      // The headers of the focus row and column look pressed.
      Rect edge{rect.left, rect.top, rect.right + 1, rect.bottom + 1};
      dc.DrawEdge(edge, BDR_SUNKENINNER, BF_RECT);
    } else {
      const Pen light{PS_SOLID, 1, GetSysColor(COLOR_3DHIGHLIGHT)};
      const Pen dark{PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW)};
      const Pen old = dc.SelectPen(light);
      dc.MoveTo(rect.right, rect.top);
      dc.LineTo(rect.left, rect.top);
      dc.LineTo(rect.left, rect.bottom);
      dc.SelectPen(dark);
      dc.MoveTo(rect.right, rect.top);
      dc.LineTo(rect.right, rect.bottom);
      dc.LineTo(rect.left, rect.bottom);
      dc.SelectPen(old);
    }
    rect.left++;
    rect.top++;
    rect.right--;
    rect.bottom--;
  }

  dc.SelectFont(GetFont());
  const int margin = static_cast<int>(GetMargin());
  rect.left += margin;
  rect.top += margin;
  rect.right -= margin - 1;
  rect.bottom -= margin - 1;
  GetTextRect(rect);
  rect.right++;
  rect.bottom++;
  dc.DrawText(GetText(), rect, GetFormat() | DT_NOPREFIX);
  return true;
}

Size CGridCellBase::GetTextExtent(std::string_view text, DrawContext* dc) const {
  using namespace platform;
  const CGridDefaultCell* def = GetDefaultCell();
  std::optional<ScreenMeasure> screen;
  if (!dc) {
    if (text.empty()) return def ? Size{def->GetWidth(), def->GetHeight()} : Size{};
    screen.emplace();
    dc = screen->dc();
    if (!dc) return def ? Size{def->GetWidth(), def->GetHeight()} : Size{};
  }
  const Font& font = GetFont();
  const Font previous = dc->SelectFont(font);
  const unsigned format = GetFormat();
  Size size;
  if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) {
    int widest = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
      const std::size_t end = std::min(text.find('\n', start), text.size());
      widest = std::max(widest, dc->GetTextExtent(text.substr(start, end - start)).cx);
      start = end + 1;
    }
    Rect r{0, 0, widest + 1, 0};
    dc->DrawText(text, r, format | DT_CALCRECT);
    size = {r.Width(), r.Height()};
  } else {
    size = dc->GetTextExtent(text);
  }
  dc->SelectFont(previous);
  const int margin = static_cast<int>(GetMargin());
  size.cx += 2 * margin;
  size.cy += 2 * margin;
  if (font.escapement == 900 || font.escapement == -900) {
    std::swap(size.cx, size.cy);
    size.cy += 4 * margin;
  }
  return size;
}

Size CGridCellBase::GetCellExtent(DrawContext* dc) const {
  Size size = GetTextExtent(GetText(), dc);
  size.cx += 1;  // no image: its width 0 and the pixel between
  size.cy = std::max(size.cy, 0) + 1;
  if (IsFixed()) {
    size.cx++;
    size.cy++;
  }
  return size;
}

bool CGridCellBase::Edit(int row, int col, const Rect& rect, platform::Point point, int id, unsigned firstKey) {
  if (IsEditing()) {
    if (CGridEditor* editor = GetEditWnd()) editor->SendChar(firstKey & ~kTypedKey);
    return true;
  }
  const unsigned format = GetFormat();
  unsigned style = ES_LEFT;
  if (format & platform::DT_RIGHT) style = ES_RIGHT;
  else if (format & platform::DT_CENTER) style = ES_CENTER;
  CGridModel* grid = GetGrid();
  if (!grid) return false;
  SetEditing(true, nullptr);
  CGridEditor* editor = grid->CreateInPlaceEdit(rect, style, id, row, col, GetText(), firstKey);
  if (!editor) {
    SetEditing(false, nullptr);
    return false;
  }
  // The editor may already have ended (it reports through OnEndEdit).
  if (IsEditing()) SetEditing(true, editor);
  return true;
}

void CGridCellBase::EndEdit() {
  if (CGridEditor* editor = GetEditWnd()) editor->EndEdit();
}

// ---------------------------------------------------------------- CGridCell

CGridCell::~CGridCell() = default;

void CGridCell::SetFont(const Font* font) {
  if (font) font_ = *font;
  else font_.reset();
}

unsigned CGridCell::GetFormat() const {
  if (format_ != kUnset) return format_;
  const CGridDefaultCell* def = GetDefaultCell();
  return def ? def->GetFormat() : 0;
}

const Font& CGridCell::GetFont() const {
  if (font_) return *font_;
  if (const CGridDefaultCell* def = GetDefaultCell()) return def->GetFont();
  static const Font fallback = platform::GetMessageFont();
  return fallback;
}

unsigned CGridCell::GetMargin() const {
  if (margin_ != kUnset) return margin_;
  const CGridDefaultCell* def = GetDefaultCell();
  return def ? def->GetMargin() : 0;
}

void CGridCell::Reset() {
  CGridCellBase::Reset();
  text_.clear();
  image_ = -1;
  data_ = 0;
  grid_ = nullptr;
  editing_ = false;
  editWnd_ = nullptr;
  format_ = kUnset;
  textClr_ = backClr_ = CLR_DEFAULT;
  margin_ = kUnset;
  font_.reset();
}

// --------------------------------------------------------- CGridDefaultCell

CGridDefaultCell::CGridDefaultCell() {
  SetFormat(platform::DT_LEFT | platform::DT_VCENTER | platform::DT_SINGLELINE | platform::DT_NOPREFIX |
            platform::DT_END_ELLIPSIS);
  const Font font = platform::GetMessageFont();
  SetFont(&font);
}

void CGridDefaultCell::SetFont(const Font* font) {
  if (!font) return;
  CGridCell::SetFont(font);
  ScreenMeasure screen;
  if (platform::DrawContext* dc = screen.dc()) {
    dc->SelectFont(*font);
    SetMargin(static_cast<unsigned>(dc->GetTextExtent(" ").cx));
    const Size size = dc->GetTextExtent(" XXXXXXXXXXXX ");
    width_ = size.cx;
    height_ = (3 * size.cy + 1) / 2;
  } else {
    SetMargin(3);
    width_ = 40;
    height_ = 16;
  }
}
