// The first page of a record: logo and title boxes, header block, remarks and signature.
#include "reports/druckseite.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <utility>

#include "charts/chartpens.h"
#include "charts/dczustand.h"
#include "i18n/materialterms.h"
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

int CDruckSeite::BuildHeaderFields(std::vector<HeaderField>& fields, std::vector<std::string>& standardLines) const {
  fields.clear();
  standardLines.clear();
  if (!m_pVersuch) return 0;
  const CVersuch& r = *m_pVersuch;
  auto text = [&fields](std::string label, std::string value) {
    fields.push_back({HeaderField::kText, std::move(label), std::move(value)});
  };
  auto gap = [&fields] { fields.push_back({HeaderField::kGap, "SPACE", "SPACE"}); };

  text(PrintText(6106, "Prüf.-Nr.:"), r.GetValue(1, 0));
  text(PrintText(6107, "Betreiber:"), r.GetValue(1, 18));
  text(PrintText(6108, "Werk:"), r.GetValue(1, 17));
  if (!r.GetValue(1, 20).empty()) text(PrintText(6109, "Kunde:"), r.GetValue(1, 20));
  gap();
  text(PrintText(6110, "Prüfart:"), MaterialTermText(r.GetPruefart(), true));
  fields.push_back({HeaderField::kStandard, PrintText(6111, "Vorschrift:"), r.GetValue(30, 5)});
  text(PrintText(6112, "geprüft durch:"), r.GetValue(1, 10));
  text(PrintText(6113, "geprüft am:"), FormatTimeStamp(r.GetValue(1, 9)));
  gap();
  if (!r.GetValue(1, 7).empty()) text(r.GetInfo1Label() + ":", r.GetValue(1, 7));
  if (!r.GetValue(1, 8).empty()) text(r.GetInfo2Label() + ":", r.GetValue(1, 8));
  if (!r.GetValue(1, 12).empty()) text(PrintText(6116, "Entnahmestelle:"), r.GetValue(1, 12));
  text(PrintText(6117, "Entnahme durch:"), r.GetValue(1, 13));
  text(PrintText(6118, "Entnahme am:"), FormatTimeStamp(r.GetValue(1, 11)));

  // Characters of the fixed-pitch font between the value column and the logo box.
  const int maxChars = static_cast<int>((m_Layout[LogoBox].left - m_Layout[HeaderAnchors].left - 2300) / 1000.0 * 6);
  standardLines.push_back(r.GetValue(30, 5));
  WrapWords(standardLines, maxChars);

  int height = 0;
  for (const HeaderField& f : fields)
    height -= f.kind == HeaderField::kGap ? 120 : f.kind == HeaderField::kStandard
                                                       ? 330 * static_cast<int>(standardLines.size())
                                                       : 330;
  return height;
}

int CDruckSeite::HeaderClearance(int top) const {
  std::vector<HeaderField> fields;
  std::vector<std::string> standardLines;
  // Where the header block's next line would begin, with a little room.
  const int headerEnd = m_Layout[HeaderAnchors].top + BuildHeaderFields(fields, standardLines) - 150;
  return std::min(0, headerEnd - top);
}

int CDruckSeite::DrawHeaderBlock(DrawContext& dc) {
  const int x = m_Layout[HeaderAnchors].left;
  const int valueX = x + 2000;
  int y = m_Layout[HeaderAnchors].top;
  std::vector<HeaderField> fields;
  std::vector<std::string> standardLines;
  const int height = BuildHeaderFields(fields, standardLines);
  if (m_pVersuch && m_pVersuch->GetValue(18, 8) == "1") return y + height;

  CDCZustand state(dc, platform::TRANSPARENT);
  dc.SetTextColor(kBlack);
  dc.SetTextAlign(platform::TA_LEFT | platform::TA_TOP);
  for (const HeaderField& f : fields) {
    if (f.kind == HeaderField::kGap) {
      y -= 120;
      continue;
    }
    dc.SelectFont(m_Fonts.serif);
    dc.TextOut(x, y, f.label);
    if (f.kind == HeaderField::kStandard) {
      dc.SelectFont(m_Fonts.text);
      for (const std::string& line : standardLines) {
        dc.TextOut(valueX, y, line);
        y -= 330;
      }
    } else {
      dc.TextOut(valueX, y, f.value);
      y -= 330;
    }
  }
  return y;
}

void CDruckSeite::DrawTitleBox(DrawContext& dc, const std::string& title) {
  CDCZustand state(dc, platform::TRANSPARENT);
  const Rect& box = m_Layout[TitleBox];
  const int centre = (box.left + box.right) / 2;
  dc.SetTextAlign(platform::TA_CENTER | platform::TA_TOP);
  dc.SelectFont(m_Fonts.title);
  dc.SetTextColor(kBlack);
  dc.TextOut(centre, box.top - 30, title);

  bool twoLines = false;
  const std::string name = m_pVersuch ? m_pVersuch->GetValue(18, 0) : std::string();
  if (m_pVersuch && m_pVersuch->IsGleisschotter()) {
    dc.SelectFont(TextCharCount(name) < 51 ? m_Fonts.text : m_Fonts.textSmall);
    const size_t split = name.find("*1*");
    if (split != std::string::npos) {
      dc.SelectFont(m_Fonts.text);
      dc.TextOut(centre, box.bottom + 500, name.substr(0, split));
      dc.TextOut(centre, box.bottom + 220, name.substr(split + 3));
      twoLines = true;
    } else {
      std::string line = name;
      if (size_t cut = line.find("*2*"); cut != std::string::npos) line.erase(cut);
      if (size_t cut = line.find("*3*"); cut != std::string::npos) line.erase(cut);
      dc.TextOut(centre, box.bottom + 500, line);
    }
  } else {
    dc.SelectFont(m_Fonts.textLarge);
    const std::string prefix = m_pVersuch ? m_pVersuch->GetHeadingPrefix(m_pVersuch->GetValue(1, 3)) : std::string();
    dc.TextOut(centre, box.bottom + 500, prefix + " " + name);
  }

  const int lineY = box.bottom - (twoLines ? 200 : 0);
  dc.MoveTo(box.right, lineY);
  dc.LineTo(box.left, lineY);
  dc.LineTo(box.left, box.top);
}

void CDruckSeite::DrawLogoBox(DrawContext& dc) { ReportSettings().DrawLogoBox(dc, m_Layout[LogoBox], true); }

void CDruckSeite::DrawSeparatorLines(DrawContext& dc) {
  const Rect& band = m_Layout[BottomBand];
  dc.MoveTo(band.left, band.top);
  dc.LineTo(band.right, band.top);
  dc.MoveTo(band.left + 11000, band.top);
  dc.LineTo(band.left + 11000, band.bottom);
}

void CDruckSeite::DrawSignatureBox(DrawContext& dc) {
  CDCZustand state(dc);
  const int L = m_PrintRect.left, R = m_PrintRect.right, B = m_PrintRect.bottom;
  const CDib* signature = m_pVersuch ? m_pVersuch->GetSignatureBitmap() : nullptr;
  if (signature && !signature->IsEmpty()) {
    signature->Draw(dc, Rect{L + 11200, B + 2250, R - 100, B + 50});
    return;
  }
  const Rect& box = m_Layout[SignatureBox];
  dc.SetTextAlign(platform::TA_CENTER | platform::TA_BOTTOM);
  dc.SelectFont(m_Fonts.serif);
  dc.TextOut((L + 11200 + box.right) / 2, box.bottom, PrintText(6136, "Datum / Unterschrift"));
  dc.MoveTo(L + 11200, B + 600);
  dc.LineTo(box.right, B + 600);
}

void CDruckSeite::DrawRemarks(DrawContext& dc) {
  if (!m_pVersuch) return;
  CDCZustand state(dc, platform::TRANSPARENT);
  const int x = m_Layout[RemarksAnchors].right;
  const int y0 = m_Layout[RemarksAnchors].bottom;
  dc.SetTextAlign(platform::TA_LEFT | platform::TA_BOTTOM);
  dc.SelectFont(m_Fonts.serif);
  dc.TextOut(x, y0 + 1890, PrintText(6100, "Bemerkung:"));

  dc.SelectFont(m_Fonts.text);
  int y = y0 + 1510;
  const char* second = nullptr;
  const char* first = nullptr;
  switch (PlainAtoi(m_pVersuch->GetSievingMethod())) {
    case 2: first = "Die Korngrößenverteilung wurde gemäß DIN EN 933-1,", second = "Anhang A, ermittelt"; break;
    case 3:
      first = "Die Korngrößenverteilung wurde auf der Grundlage von", second = "zwei Siebungen ermittelt";
      break;
    case 4:
      first = "Die Korngrößenverteilung wurde auf der Grundlage von", second = "drei Siebungen ermittelt";
      break;
    default: break;
  }
  if (first) {
    dc.TextOut(x, y, first);
    dc.TextOut(x, y - 300, second);
    y -= 600;
  }

  // The remark stays in its band: left of the signature, and no line below
  // the band's bottom (the frame, or on track ballast the statement block).
  const bool ballast = m_pVersuch->IsGleisschotter();
  const int rightEdge = ballast ? m_PrintRect.right - 8400 - 100 : m_Layout[BottomBand].left + 11000 - 100;
  const int floor = ballast ? m_Layout[BallastLowerBand].top : y0;
  const std::string remark = m_pVersuch->GetValue(1, 14);
  for (int i = 0; i < 6; ++i, y -= 300) {
    if (y < floor) break;
    std::string line = StrGetFieldS(remark, "#CRLF#", i);
    if (line.empty()) continue;
    while (!line.empty() && x + dc.GetTextExtent(line).cx > rightEdge) {
      line.pop_back();
      while (!line.empty() && (static_cast<unsigned char>(line.back()) & 0xC0) == 0x80) line.pop_back();
      if (!line.empty() && (static_cast<unsigned char>(line.back()) & 0xC0) == 0xC0) line.pop_back();
    }
    dc.TextOut(x, y, line);
  }
}
