// Page A: the requirement tables under the sieve data.
#include "reports/druckseite.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <utility>

#include "charts/chartpens.h"
#include "charts/dczustand.h"
#include "i18n/translation.h"
#include "records/requirement.h"
#include "records/strutil.h"
#include "records/versuch.h"
#include "reports/dib.h"
#include "reports/drucktabelle.h"
#include "reports/page_common.h"
#include "services/pravikapp.h"
#include "services/settings.h"
#include "services/sysfuncs.h"
#include "services/versioninfo.h"

using platform::DrawContext;
using platform::Font;
using platform::Pen;
using platform::Rect;
using platform::RGB;
using namespace report_detail;

namespace {

void AppendBraced(std::string& table, const std::string& row) {
  if (!row.empty()) table += "{" + row + "}";
}

int CountBraced(const std::string& table) {
  int n = 0;
  while (!StrGetToken(table, "{", "}", n).empty()) ++n;
  return n;
}

// The label of a requirement row in the printed language: the entry
// dialogs store it in the language they were used in; a label they write in
// German is printed through its text id.
std::string PrintedRowLabel(const std::string& stored) {
  static const struct {
    const char* stored;
    int id;
    const char* german;
    const char* tail;
  } kLabels[] = {
      {"Wassergehalt [%]:", 5180, "Wassergehalt", " [%]:"},
      {"Kornform:", 5204, "Kornform:", ""},
      {"Kornform für [mm]:", 5205, "Kornform für [mm]", ":"},
      {"Kornformkennzahl:", 5206, "Kornformkennzahl", ":"},
      {"Plattigkeitskennzahl [%]:", 5207, "Plattigkeitskennzahl [%]:", ""},
      {"Fließkoeffizient [s]:", 5208, "Fließkoeffizient [s]:", ""},
      {"Rohdichte Fließk. [Mg/m³]:", 5209, "Rohdichte Fließk. [Mg/m³]:", ""},
  };
  for (const auto& label : kLabels)
    if (stored == label.stored) return PrintText(label.id, label.german) + label.tail;
  return stored;
}

}  // namespace

int CDruckSeite::DrawRequirementTables(DrawContext& dc, int y) {
  const CVersuch& r = *m_pVersuch;
  const int x = m_Layout[RequirementAnchors].left;
  if (y != 0) m_Layout[RequirementAnchors].top = y;
  y = m_Layout[RequirementAnchors].top;

  std::string first = r.GetValue(4, 0);
  AppendBraced(first, r.GetValue(4, 2));
  for (int part = 9; part <= 24; ++part) AppendBraced(first, r.GetValue(4, part));
  if (!first.empty()) {
    DrawRequirementRow(dc, x, y, PrintText(6119, "@Siebe [mm]@Ist [%]@Soll [%]@erfüllt@Kategorie"), true);
    const int rows = CountBraced(first);
    const int step = rows <= 17 ? 350 : 310;
    for (int i = 0; i < rows; ++i) {
      y -= step;
      DrawRequirementRow(dc, x, y, StrGetToken(first, "{", "}", i), false);
    }
  }

  std::string second = r.GetValue(4, 1);
  AppendBraced(second, r.GetValue(17, 3));
  AppendBraced(second, r.GetValue(23, 10));
  if (!r.GetValue(26, 21).empty())
    second += "{" + PrintText(5012, "Rohdichte") + " [Mg/m³]:@@" + r.GetValue(26, 21) + "@@}";
  AppendBraced(second, r.GetValue(13, 8));
  AppendBraced(second, r.GetValue(13, 10));
  for (int i = 0, rows = CountBraced(second); i < rows; ++i) {
    y -= 350;
    DrawRequirementRow(dc, x, y, StrGetToken(second, "{", "}", i), false);
  }

  if (!r.GetValue(19, 2).empty()) {
    y -= 450;
    DrawTextLine(dc, x - 2300, y, PrintText(6120, "Stoffe organ. Urspr.:"));
    DrawTextLine(dc, x + 300, y, r.GetValue(19, 2));
    if (!r.GetValue(19, 3).empty()) {
      y -= 400;
      DrawTextLine(dc, x + 300, y, r.GetValue(19, 3));
    }
  }

  // The warning reads the sieving in force.
  const std::string lossPercent = r.GetValue(ActiveSievingField(), 9);
  if (!lossPercent.empty() && AtofLocale(lossPercent) >= 1.0) {
    y -= 400;
    CDCZustand state(dc, platform::TRANSPARENT);
    dc.SetTextColor(RGB(255, 0, 0));
    dc.SelectFont(m_Fonts.serifBold);
    dc.SetTextAlign(platform::TA_LEFT | platform::TA_TOP);
    dc.TextOut(x - 2300, y,
               "*** " + PrintText(6121, "Der Siebverlust ist >= 1 M.-%, die Siebung muss wiederholt werden"));
  }
  return y - 450;
}

void CDruckSeite::DrawRequirementRow(DrawContext& dc, int x, int y, const std::string& row, bool header) {
  platform::DrawStateGuard state(dc, platform::kStateWithFont | platform::kStateBkColor, platform::TRANSPARENT);
  dc.SetTextColor(kBlack);
  std::string parts[6];
  for (int i = 0; i < 6; ++i) parts[i] = StrGetFieldS(row, "@", i);
  std::string fulfilled = parts[4];
  if (fulfilled == "2") fulfilled = PrintText(6000, "ja");
  else if (fulfilled == "1") fulfilled = PrintText(6001, "nein");
  else if (fulfilled == "1a") fulfilled = PrintText(6002, "nein !");
  else if (fulfilled == "0") fulfilled.clear();

  dc.SelectFont(m_Fonts.serif);
  dc.SetTextAlign(platform::TA_RIGHT | platform::TA_TOP);
  dc.TextOut(x, y, header ? parts[0] : PrintedRowLabel(parts[0]));

  dc.SetTextAlign(platform::TA_CENTER | platform::TA_TOP);
  if (!header) dc.SelectFont(m_Fonts.text);
  dc.TextOut(x + 800, y, parts[1]);
  const std::string actual = parts[0].find("Fließ") == std::string::npos ? TrimDecimalZeros(parts[2]) : parts[2];
  dc.TextOut(x + 2200, y, actual);
  if (header) dc.TextOut(x + 3700, y, parts[3]);
  else DrawRequirementValue(dc, x + 3700, y, parts[3]);
  dc.SelectFont(header ? m_Fonts.serif : m_Fonts.text);
  dc.TextOut(x + 4900, y, fulfilled);

  dc.SetTextAlign(platform::TA_LEFT | platform::TA_TOP);
  if (header) dc.TextOut(x + 5400, y, parts[5]);
  else DrawCategoryText(dc, x + 5400, y, parts[5]);
}

void CDruckSeite::DrawRequirementValue(DrawContext& dc, int x, int y, const std::string& required) {
  platform::DrawStateGuard state(dc, platform::kStateWithFont | platform::kStateBkColor);
  std::string text = CutTrailingPointZero(required);
  enum { kNone, kGreaterEqual, kGreater, kLessEqual, kLess } relation = kNone;
  if (text.find(">=") != std::string::npos) relation = kGreaterEqual;
  else if (text.find('>') != std::string::npos) relation = kGreater;
  else if (text.find("<=") != std::string::npos) relation = kLessEqual;
  else if (text.find('<') != std::string::npos) relation = kLess;
  if (relation == kNone) {
    dc.SelectFont(m_Fonts.text);
    dc.SetTextAlign(platform::TA_CENTER | platform::TA_TOP);
    dc.TextOut(x, y, required);
    return;
  }
  std::string number;
  for (char ch : text)
    if (ch != '>' && ch != '<' && ch != '=') number += ch;
  number = TrimWhite(number);
  dc.SelectFont(m_Fonts.text);
  dc.SetTextAlign(platform::TA_LEFT | platform::TA_TOP);
  dc.TextOut(x, y, number);
  // The Symbol face holds the comparison signs at 0xB3 and 0xA3.
  const char* sign = relation == kGreaterEqual ? "\u00B3" : relation == kGreater ? ">" : relation == kLessEqual ? "\u00A3" : "<";
  dc.SelectFont(m_Fonts.symbol);
  dc.SetTextAlign(platform::TA_RIGHT | platform::TA_TOP);
  dc.TextOut(x - 100, y, sign);
}

void CDruckSeite::DrawCategoryText(DrawContext& dc, int x, int y, const std::string& category) {
  std::string text = category;
  const std::string modes = ExtractMarkupModes(text);
  StrReplace(text, ",", "");
  for (int i = 0;; ++i) {
    const std::string piece = StrGetFieldS(text, "@", i);
    if (piece.empty() && i >= StrCountFieldsS(text, "@")) break;
    const char mode = i < static_cast<int>(modes.size()) ? modes[static_cast<size_t>(i)] : 'n';
    const int pieceY = mode == 't' ? y - 100 : mode == 'h' ? y + 100 : y;
    dc.TextOut(x, pieceY, piece);
    x += dc.GetTextExtent(piece).cx;
  }
}

void CDruckSeite::DrawTextLine(DrawContext& dc, int x, int y, const std::string& text) {
  CDCZustand state(dc, platform::TRANSPARENT);
  dc.SelectFont(m_Fonts.serif);
  dc.SetTextAlign(platform::TA_LEFT | platform::TA_TOP);
  dc.TextOut(x, y, text);
}
