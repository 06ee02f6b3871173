#pragma once
// The cells of the grid: CGridCellBase (state bits, drawing, measuring,
// starting the in-place editor), CGridCell (what the grid creates for every
// cell: text and attributes, each unset attribute taken from its default
// cell) and CGridDefaultCell (the attributes that cells of one kind inherit,
// and the default column width and row height).
//
// A cell draws itself through the drawing context in device pixels (MM_TEXT,
// y down); rectangles given to and taken from cells include their right and
// bottom pixel.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "controls/grid/gridtypes.h"
#include "platform/drawtypes.h"

namespace platform {
class DrawContext;
}
class CGridModel;
class CGridDefaultCell;

// The in-place editor as the cells and the grid see it.
class CGridEditor {
 public:
  virtual ~CGridEditor() = default;
  // Ends editing: the editor reports its text to the grid and closes.
  virtual void EndEdit() = 0;
  // A key typed while the editor is open goes on in it.
  virtual void SendChar(unsigned ch) = 0;
  // Pastes the clipboard's text into the editor.
  virtual void Paste() = 0;
};

class CGridCellBase {
 public:
  CGridCellBase() = default;
  virtual ~CGridCellBase() = default;
  CGridCellBase(const CGridCellBase&) = delete;

  // --- attributes
  virtual void SetText(std::string_view text) = 0;
  virtual void SetImage(int image) = 0;
  virtual void SetData(std::intptr_t data) = 0;
  virtual void SetState(unsigned state) { state_ = state; }
  virtual void SetFormat(unsigned format) = 0;
  virtual void SetTextClr(platform::ColorRef colour) = 0;
  virtual void SetBackClr(platform::ColorRef colour) = 0;
  virtual void SetFont(const platform::Font* font) = 0;  // null: the default's
  virtual void SetMargin(unsigned margin) = 0;
  virtual void SetGrid(CGridModel* grid) = 0;
  virtual void SetCoords(int row, int col) {}

  virtual const std::string& GetText() const = 0;
  virtual const std::string& GetTipText() const { return GetText(); }
  virtual int GetImage() const = 0;
  virtual std::intptr_t GetData() const = 0;
  virtual unsigned GetState() const { return state_; }
  virtual unsigned GetFormat() const = 0;
  virtual platform::ColorRef GetTextClr() const = 0;
  virtual platform::ColorRef GetBackClr() const = 0;
  virtual const platform::Font& GetFont() const = 0;
  virtual CGridModel* GetGrid() const = 0;
  virtual CGridEditor* GetEditWnd() const = 0;
  virtual unsigned GetMargin() const = 0;
  // The grid's default cell for this cell's fixed-row and fixed-column bits.
  virtual const CGridDefaultCell* GetDefaultCell() const;
  virtual bool IsDefaultFont() const = 0;
  virtual bool IsEditing() const = 0;

  bool IsFocused() const { return GetState() & GVIS_FOCUSED; }
  bool IsFixed() const { return GetState() & GVIS_FIXED; }
  bool IsFixedCol() const { return GetState() & GVIS_FIXEDCOL; }
  bool IsFixedRow() const { return GetState() & GVIS_FIXEDROW; }
  bool IsSelected() const { return GetState() & GVIS_SELECTED; }
  bool IsReadOnly() const { return GetState() & GVIS_READONLY; }
  bool IsModified() const { return GetState() & GVIS_MODIFIED; }
  bool IsDropHighlighted() const { return GetState() & GVIS_DROPHILITED; }

  // Copies grid, text, image, data, state, format, colours, font and margin.
  CGridCellBase& operator=(const CGridCellBase& cell);
  virtual void Reset();

  // --- drawing and measuring
  virtual bool Draw(platform::DrawContext& dc, int row, int col, platform::Rect rect, bool erase = true);
  virtual bool GetTextRect(platform::Rect& rect) { return true; }
  virtual bool GetTipTextRect(platform::Rect& rect) { return GetTextRect(rect); }
  // Without a context the screen's is taken for a text; with neither, the
  // default cell's size.
  virtual platform::Size GetTextExtent(std::string_view text, platform::DrawContext* dc = nullptr) const;
  virtual platform::Size GetCellExtent(platform::DrawContext* dc = nullptr) const;

  // --- editing
  virtual bool Edit(int row, int col, const platform::Rect& rect, platform::Point point, int id, unsigned firstKey);
  virtual bool ValidateEdit(std::string_view text) { return true; }
  virtual void EndEdit();
  virtual void OnEndEdit() = 0;

  // --- mouse
  virtual void OnMouseEnter() {}
  virtual void OnMouseOver() {}
  virtual void OnMouseLeave() {}
  virtual void OnClick(platform::Point point) {}
  virtual void OnClickDown(platform::Point point) {}
  virtual void OnRClick(platform::Point point) {}
  virtual void OnDblClick(platform::Point point) {}

 protected:
  virtual void SetEditing(bool editing, CGridEditor* editor) = 0;

 private:
  unsigned state_ = 0;
};

class CGridCell : public CGridCellBase {
 public:
  CGridCell() { Reset(); }
  ~CGridCell() override;
  CGridCell& operator=(const CGridCellBase& cell) {
    CGridCellBase::operator=(cell);
    return *this;
  }

  void SetText(std::string_view text) override { text_ = text; }
  void SetImage(int image) override { image_ = image; }
  void SetData(std::intptr_t data) override { data_ = data; }
  void SetFormat(unsigned format) override { format_ = format; }
  void SetTextClr(platform::ColorRef colour) override { textClr_ = colour; }
  void SetBackClr(platform::ColorRef colour) override { backClr_ = colour; }
  void SetFont(const platform::Font* font) override;
  void SetMargin(unsigned margin) override { margin_ = margin; }
  void SetGrid(CGridModel* grid) override { grid_ = grid; }

  const std::string& GetText() const override { return text_; }
  int GetImage() const override { return image_; }
  std::intptr_t GetData() const override { return data_; }
  unsigned GetFormat() const override;
  platform::ColorRef GetTextClr() const override { return textClr_; }
  platform::ColorRef GetBackClr() const override { return backClr_; }
  const platform::Font& GetFont() const override;
  CGridModel* GetGrid() const override { return grid_; }
  CGridEditor* GetEditWnd() const override { return editWnd_; }
  unsigned GetMargin() const override;
  bool IsDefaultFont() const override { return !font_.has_value(); }
  bool IsEditing() const override { return editing_; }

  void Reset() override;
  void OnEndEdit() override { SetEditing(false, nullptr); }

 protected:
  void SetEditing(bool editing, CGridEditor* editor) override {
    editing_ = editing;
    editWnd_ = editor;
  }

 private:
  static constexpr unsigned kUnset = static_cast<unsigned>(-1);
  std::string text_;
  std::intptr_t data_ = 0;
  int image_ = -1;
  unsigned format_ = kUnset;
  platform::ColorRef textClr_ = CLR_DEFAULT;
  platform::ColorRef backClr_ = CLR_DEFAULT;
  std::optional<platform::Font> font_;
  unsigned margin_ = kUnset;
  bool editing_ = false;
  CGridModel* grid_ = nullptr;
  CGridEditor* editWnd_ = nullptr;
};

class CGridDefaultCell : public CGridCell {
 public:
  // Left-aligned, vertically centred single line ending in an ellipsis, in
  // the system's message font.
  CGridDefaultCell();

  unsigned GetState() const override { return CGridCell::GetState() | GVIS_READONLY; }
  void SetState(unsigned) override {}
  void SetData(std::intptr_t) override {}
  void SetCoords(int, int) override {}
  // Also measures the font: margin " ", width " XXXXXXXXXXXX ", height one
  // and a half text heights.
  void SetFont(const platform::Font* font) override;
  const platform::Font& GetFont() const override { return CGridCell::GetFont(); }
  unsigned GetFormat() const override { return CGridCell::GetFormat(); }
  unsigned GetMargin() const override { return CGridCell::GetMargin(); }
  const CGridDefaultCell* GetDefaultCell() const override { return nullptr; }

  unsigned GetStyle() const { return style_; }
  void SetStyle(unsigned style) { style_ = style; }
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  void SetWidth(int width) { width_ = width; }
  void SetHeight(int height) { height_ = height; }

 private:
  int width_ = 30;
  int height_ = 10;
  unsigned style_ = 0;
};

// A drawing context on the screen, for measuring text outside painting;
// null without a GUI application.
class ScreenMeasure {
 public:
  ScreenMeasure();
  ~ScreenMeasure();
  platform::DrawContext* dc() { return dc_; }

 private:
  struct Impl;
  Impl* impl_ = nullptr;
  platform::DrawContext* dc_ = nullptr;
};
