#include "reports/drucktabelle.h"

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
  dc->TextOut((columnX[firstColumn] + columnX[lastColumn]) / 2, rowY[row], text);
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

bool EqualsChar(const std::string& text, char c) { return text.size() == 1 && text[0] == c; }

std::string YesNoText(const std::string& code) {
  if (code == "1") return TranslateString(6000, "ja", true);
  if (code == "2") return TranslateString(6001, "nein", true);
  return "";
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
