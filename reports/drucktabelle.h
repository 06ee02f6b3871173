#pragma once
// The small toolkit of the report painters: a table grid that places
// tab-separated texts into its cells, texts centred over a span, text with
// inline raise/lower tags, a saver of the drawing state without the font,
// and three text helpers. Page units (0.01 mm, y up); where a text lands
// beside its point is up to the text alignment the caller has set.
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/drawcontext.h"

// A grid of lines with cells addressed by column and row. It owns none of
// its arrays; the painter that fills it keeps them alive.
struct CDruckTabelle {
  platform::DrawContext* dc = nullptr;
  int columnCount = 0;
  int rowCount = 0;
  const int* columnX = nullptr;   // left to right
  const int* rowY = nullptr;      // top to bottom
  // Per column the row its vertical line starts at; a row at or beyond the
  // row count leaves that line out.
  const int* firstRows = nullptr;
  int xOffset = 0;  // added to a column's x by WriteCellAt
  // The face a text takes that is too long for its cell in the current one.
  const platform::Font* smallerFont = nullptr;

  // Every row line across all columns, then the column lines from their first row down.
  void DrawGrid() const;
  // The tab-separated pieces of the text, the k-th into (first + k * columnStep,
  // last + k * columnStep, row + k * rowStep), up to the first empty piece.
  void WriteCells(int firstColumn, int lastColumn, int row, int columnStep, int rowStep, const std::string& text) const;
  void WriteRow(int firstColumn, int lastColumn, int row, const std::string& text) const;
  void WriteColumn(int firstColumn, int lastColumn, int row, const std::string& text) const;
  // The text centred between two columns of a row (nothing outside the
  // table), inside them.
  void WriteCell(int firstColumn, int lastColumn, int row, const std::string& text) const;
  // The text at a column's x plus the x offset.
  void WriteCellAt(int column, int row, const std::string& text) const;
};

// The full grid of the positions, no line left out.
void DrawGridLines(platform::DrawContext& dc, const int* columnX, int columnCount, const int* rowY, int rowCount);

void TextOutString(platform::DrawContext& dc, int x, int y, const std::string& text);
void TextOutCentred(platform::DrawContext& dc, int x1, int x2, int y, const std::string& text);
void TextOutCentredPair(platform::DrawContext& dc, const platform::Point& pair, int y, const std::string& text);
void TextOutCentredRect(platform::DrawContext& dc, const platform::Rect& rect, int y, const std::string& text);
// Text with three-character tags: "<h>" raises what follows by `raise`,
// "<n>" returns it to the base line, "<t>" lowers it; the pieces follow
// each other along the line.
void TextOutMarkup(platform::DrawContext& dc, int x, int y, int raise, const std::string& text);

// How close a text comes to the lines of its cell.
inline constexpr int kCellTextMargin = 60;

// Selects the first of the fonts in which the text is at most `room` long,
// else the last of them; gives the text's length in the selected font.
int SelectFittingFont(platform::DrawContext& dc, const std::string& text, int room,
                      std::initializer_list<const platform::Font*> fonts);

// Where the point of a text goes that stands at `at` by the context's
// alignment, so that the text stays inside the cell from `low` to `high` (in
// the direction it reads), clear of its lines by kCellTextMargin: in the
// current font or, where that is too long for the cell, in the first of the
// smaller fonts that fits (selected), and moved off a line it would reach
// over. A text longer than the cell is centred in it.
int CellTextPoint(platform::DrawContext& dc, int at, int low, int high, const std::string& text,
                  std::initializer_list<const platform::Font*> smaller = {});

// The text at (x, y), kept inside the cell from `left` to `right` as
// CellTextPoint places it.
void TextOutInCell(platform::DrawContext& dc, int x, int y, int left, int right, const std::string& text,
                   std::initializer_list<const platform::Font*> smaller = {});

// Saves text colour, background mode (setting the given one), alignment,
// pen and brush, not the font; puts them back on Restore or at its end.
class CDCSicherung {
 public:
  CDCSicherung(platform::DrawContext& dc, int bkMode) : guard_(dc, platform::kStateWithoutFont, bkMode) {}
  void Restore() { guard_.Restore(); }

 private:
  platform::DrawStateGuard guard_;
};

// The text is exactly that one character.
bool EqualsChar(const std::string& text, char c);
// "1" gives "ja", "2" "nein" (translated for print), anything else "".
std::string YesNoText(const std::string& code);
// A yes or no that a test stored as a word ("ja", "Nein") in the printed
// language, its first letter as stored; any other text as it stands.
std::string StoredYesNoText(const std::string& word);
// Characters of a UTF-8 text (an umlaut is one column of a fixed-pitch font).
int TextCharCount(const std::string& text);
// Rewraps the text of the list's first entry into lines of fewer than
// `maxChars` characters, each ending in one blank; " " when nothing is left.
void WrapWords(std::vector<std::string>& lines, int maxChars);
