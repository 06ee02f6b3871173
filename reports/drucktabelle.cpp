#include "reports/drucktabelle.h"

#include <cctype>

#include "i18n/translation.h"
#include "records/strutil.h"

using platform::DrawContext;

void CDruckTabelle::DrawGrid() const {
  if (!dc || columnCount <= 0 || rowCount <= 0) return;
  for (int r = 0; r < rowCount; ++r) {
    dc->MoveTo(columnX[0], rowY[r]);
    dc->LineTo(columnX[columnCount - 1], rowY[r]);
  }
  for (int i = 0; i < columnCount; ++i) {
    const int first = firstRows ? firstRows[i] : 0;
    if (first < 0 || first >= rowCount) continue;
    dc->MoveTo(columnX[i], rowY[first]);
    dc->LineTo(columnX[i], rowY[rowCount - 1]);
  }
}

void CDruckTabelle::WriteCells(int firstColumn, int lastColumn, int row, int columnStep, int rowStep,
                               const std::string& text) const {
  for (int k = 0;; ++k) {
    const std::string piece = StrGetField(text, '\t', k);
    if (piece.empty()) break;
    WriteCell(firstColumn + k * columnStep, lastColumn + k * columnStep, row + k * rowStep, piece);
  }
}

void CDruckTabelle::WriteRow(int firstColumn, int lastColumn, int row, const std::string& text) const {
  WriteCells(firstColumn, lastColumn, row, 1, 0, text);
}

void CDruckTabelle::WriteColumn(int firstColumn, int lastColumn, int row, const std::string& text) const {
  WriteCells(firstColumn, lastColumn, row, 0, 1, text);
}

void CDruckTabelle::WriteCell(int firstColumn, int lastColumn, int row, const std::string& text) const {
  if (!dc || firstColumn < 0 || lastColumn < 0 || row < 0) return;
  if (firstColumn >= columnCount || lastColumn >= columnCount || row >= rowCount) return;
  const platform::Font old = dc->GetFont();
  const int left = columnX[firstColumn], right = columnX[lastColumn];
  if (smallerFont) TextOutInCell(*dc, (left + right) / 2, rowY[row], left, right, text, {smallerFont});
  else TextOutInCell(*dc, (left + right) / 2, rowY[row], left, right, text);
  dc->SelectFont(old);
}

void CDruckTabelle::WriteCellAt(int column, int row, const std::string& text) const {
  if (!dc || column < 0 || row < 0 || column >= columnCount || row >= rowCount) return;
  dc->TextOut(columnX[column] + xOffset, rowY[row], text);
}

void DrawGridLines(DrawContext& dc, const int* columnX, int columnCount, const int* rowY, int rowCount) {
  if (columnCount <= 0 || rowCount <= 0) return;
  for (int r = 0; r < rowCount; ++r) {
    dc.MoveTo(columnX[0], rowY[r]);
    dc.LineTo(columnX[columnCount - 1], rowY[r]);
  }
  for (int c = 0; c < columnCount; ++c) {
    dc.MoveTo(columnX[c], rowY[0]);
    dc.LineTo(columnX[c], rowY[rowCount - 1]);
  }
}

void TextOutString(DrawContext& dc, int x, int y, const std::string& text) { dc.TextOut(x, y, text); }

void TextOutCentred(DrawContext& dc, int x1, int x2, int y, const std::string& text) {
  dc.TextOut((x1 + x2) / 2, y, text);
}

void TextOutCentredPair(DrawContext& dc, const platform::Point& pair, int y, const std::string& text) {
  TextOutCentred(dc, pair.x, pair.y, y, text);
}

void TextOutCentredRect(DrawContext& dc, const platform::Rect& rect, int y, const std::string& text) {
  TextOutCentred(dc, rect.left, rect.right, y, text);
}

void TextOutMarkup(DrawContext& dc, int x, int y, int raise, const std::string& text) {
  const int base = y;
  int currentY = base;
  int currentX = x;
  std::string rest = text;
  for (;;) {
    const size_t tag = rest.find('<');
    const std::string piece = rest.substr(0, tag);
    dc.TextOut(currentX, currentY, piece);
    if (tag == std::string::npos) return;
    currentX += dc.GetTextExtent(piece).cx;
    if (tag + 3 >= rest.size()) return;
    switch (rest[tag + 1]) {
      case 'h': currentY = base + raise; break;
      case 'n': currentY = base; break;
      case 't': currentY = base - raise; break;
      default: break;
    }
    rest = rest.substr(tag + 3);
  }
}

namespace {

// The start of a text of `length` placed at `at` by its alignment along a
// cell from `low` to `high`, moved into the cell when it would reach over one
// of its lines; a text longer than the cell is centred in it.
int PlaceInCell(int at, int length, unsigned horizontal, int low, int high) {
  int start = horizontal == platform::TA_CENTER ? at - length / 2 : horizontal == platform::TA_RIGHT ? at - length : at;
  const int first = low + kCellTextMargin, last = high - kCellTextMargin;
  if (length > last - first) return (low + high - length) / 2;
  if (start < first) start = first;
  if (start + length > last) start = last - length;
  return start;
}

}  // namespace

int SelectFittingFont(DrawContext& dc, const std::string& text, int room,
                      std::initializer_list<const platform::Font*> fonts) {
  int length = 0;
  for (const platform::Font* font : fonts) {
    dc.SelectFont(*font);
    length = dc.GetTextExtent(text).cx;
    if (length <= room) break;
  }
  return length;
}

int CellTextPoint(DrawContext& dc, int at, int low, int high, const std::string& text,
                  std::initializer_list<const platform::Font*> smaller) {
  const int room = high - low - 2 * kCellTextMargin;
  if (text.empty() || room <= 0) return at;
  int length = dc.GetTextExtent(text).cx;
  if (length > room && smaller.size() > 0) length = SelectFittingFont(dc, text, room, smaller);
  const unsigned horizontal = dc.GetTextAlign() & platform::TA_HORZMASK;
  const int start = PlaceInCell(at, length, horizontal, low, high);
  return horizontal == platform::TA_CENTER ? start + length / 2 : horizontal == platform::TA_RIGHT ? start + length : start;
}

void TextOutInCell(DrawContext& dc, int x, int y, int left, int right, const std::string& text,
                   std::initializer_list<const platform::Font*> smaller) {
  if (!text.empty()) dc.TextOut(CellTextPoint(dc, x, left, right, text, smaller), y, text);
}

bool EqualsChar(const std::string& text, char c) { return text.size() == 1 && text[0] == c; }

std::string YesNoText(const std::string& code) {
  if (code == "1") return TranslateString(6000, "ja", true);
  if (code == "2") return TranslateString(6001, "nein", true);
  return "";
}

std::string StoredYesNoText(const std::string& word) {
  std::string lower = word;
  if (!lower.empty()) lower[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(lower[0])));
  std::string printed = lower == "ja" ? YesNoText("1") : lower == "nein" ? YesNoText("2") : word;
  if (printed != word && std::isupper(static_cast<unsigned char>(word[0])) && !printed.empty())
    printed[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(printed[0])));
  return printed;
}

int TextCharCount(const std::string& text) {
  int n = 0;
  for (unsigned char c : text) n += (c & 0xC0) != 0x80 ? 1 : 0;
  return n;
}

void WrapWords(std::vector<std::string>& lines, int maxChars) {
  std::string text = lines.empty() ? std::string() : lines.front();
  lines.clear();
  text = TrimWhite(text);
  while (StrReplace(text, "  ", " ") > 0) {
  }
  std::string line;
  for (int k = 0;; ++k) {
    const std::string word = StrGetField(text, ' ', k);
    if (word.empty()) break;
    if (TextCharCount(line) + TextCharCount(word) < maxChars) {
      line += word + " ";
    } else {
      lines.push_back(line);
      line = word + " ";
    }
  }
  if (!line.empty()) lines.push_back(line);
  if (lines.empty()) lines.push_back(" ");
}
