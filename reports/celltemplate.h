#pragma once
// A small template engine for ruled report tables: a cell template names the
// cells of a grid with their attributes and texts, a line template names the
// grid lines; both address the points of a column grid and a row grid.
//
// Cell template: cells "{c1 r1 c2 r2|attributes|text}", c1 r1 the top-left
// and c2 r2 the bottom-right grid point. Attributes are words: "a_L" left,
// "a_R" right (else centred); "s_3" a section title, "f_mono" a value (else
// plain text). A text "#KEY" shows the value of KEY. After its first
// character a text may hold "<t>" (lower what follows) and "<n>" (back to the
// base line).
//
// Line template: lines "{c1 r1 c2 r2 weight}" from grid point to grid point.
#include <map>
#include <string>
#include <string_view>
#include <vector>

struct TemplateCell {
  int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
  std::string attributes;
  std::string text;
};

struct TemplateLine {
  int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
};

std::vector<TemplateCell> ParseCellTemplate(std::string_view text);
std::vector<TemplateLine> ParseLineTemplate(std::string_view text);

enum class CellAlignment { kLeft, kCentre, kRight };
enum class CellFont { kSectionTitle, kValue, kText };
struct CellStyle {
  CellAlignment alignment = CellAlignment::kCentre;
  CellFont font = CellFont::kText;
};
CellStyle CellStyleOf(const std::string& attributes);

// The text a cell shows: a placeholder's value (empty for an absent key), else the text.
std::string CellText(const std::string& text, const std::map<std::string, std::string>& values);

// The pieces of a text cut at its tags, each with its offset from the base
// line ("<t>" lowers by `step`, "<n>" raises by it; y grows upwards). A "<"
// in the first position is an ordinary character.
struct CellMarkupPiece {
  std::string text;
  int offset = 0;
};
std::vector<CellMarkupPiece> SplitCellMarkup(const std::string& text, int step);

// Positions from a start and the steps between them: start, start + steps[0], ...
std::vector<int> GridPositions(int start, const std::vector<int>& steps);
