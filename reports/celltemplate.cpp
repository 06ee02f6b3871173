#include "reports/celltemplate.h"

#include "records/strutil.h"

namespace {

// The texts between "{" and "}", in order.
std::vector<std::string> Entries(std::string_view text) {
  std::vector<std::string> entries;
  size_t pos = 0;
  while ((pos = text.find('{', pos)) != std::string_view::npos) {
    const size_t end = text.find('}', pos + 1);
    if (end == std::string_view::npos) break;
    entries.emplace_back(text.substr(pos + 1, end - pos - 1));
    pos = end + 1;
  }
  return entries;
}

// The numbers of a text separated by blanks.
std::vector<int> Numbers(const std::string& text) {
  std::vector<int> numbers;
  for (int i = 0; i < StrCountFields(text, ' '); ++i) {
    const std::string field = StrGetField(text, ' ', i);
    if (!field.empty()) numbers.push_back(PlainAtoi(field));
  }
  return numbers;
}

bool HasWord(const std::string& words, const std::string& word) {
  for (int i = 0; i < StrCountFields(words, ' '); ++i)
    if (StrGetField(words, ' ', i) == word) return true;
  return false;
}

}  // namespace

std::vector<TemplateCell> ParseCellTemplate(std::string_view text) {
  std::vector<TemplateCell> cells;
  for (const std::string& entry : Entries(text)) {
    const std::vector<int> n = Numbers(StrGetField(entry, '|', 0));
    if (n.size() < 4) continue;
    cells.push_back({n[0], n[1], n[2], n[3], StrGetField(entry, '|', 1), StrGetField(entry, '|', 2)});
  }
  return cells;
}

std::vector<TemplateLine> ParseLineTemplate(std::string_view text) {
  std::vector<TemplateLine> lines;
  for (const std::string& entry : Entries(text)) {
    const std::vector<int> n = Numbers(entry);
    if (n.size() >= 4) lines.push_back({n[0], n[1], n[2], n[3]});
  }
  return lines;
}

CellStyle CellStyleOf(const std::string& attributes) {
  CellStyle style;
  if (HasWord(attributes, "a_L")) style.alignment = CellAlignment::kLeft;
  else if (HasWord(attributes, "a_R")) style.alignment = CellAlignment::kRight;
  if (HasWord(attributes, "s_3")) style.font = CellFont::kSectionTitle;
  else if (HasWord(attributes, "f_mono")) style.font = CellFont::kValue;
  return style;
}

std::string CellText(const std::string& text, const std::map<std::string, std::string>& values) {
  if (text.empty() || text[0] != '#') return text;
  const auto it = values.find(text.substr(1));
  return it == values.end() ? std::string() : it->second;
}

std::vector<CellMarkupPiece> SplitCellMarkup(const std::string& text, int step) {
  std::vector<CellMarkupPiece> pieces;
  int offset = 0;
  size_t start = 0;
  size_t search = 1;
  for (;;) {
    const size_t lower = text.find("<t>", search);
    const size_t base = text.find("<n>", search);
    const size_t tag = std::min(lower, base);
    if (tag == std::string::npos) break;
    pieces.push_back({text.substr(start, tag - start), offset});
    offset += tag == lower ? -step : step;
    start = search = tag + 3;
  }
  pieces.push_back({text.substr(start), offset});
  return pieces;
}

std::vector<int> GridPositions(int start, const std::vector<int>& steps) {
  std::vector<int> positions = {start};
  for (int step : steps) positions.push_back(positions.back() + step);
  return positions;
}
