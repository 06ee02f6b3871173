#include "platform/fonts.h"

#include <QFontDatabase>
#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <tuple>

namespace platform {
namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// The Symbol encoding from 0x20 to 0xFF (0 = no character there).
constexpr char16_t kSymbolTable[224] = {
    // 0x20
    0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B,
    0x0028, 0x0029, 0x2217, 0x002B, 0x002C, 0x2212, 0x002E, 0x002F,
    // 0x30
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,
    0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F,
    // 0x40
    0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393,
    0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F,
    // 0x50
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9,
    0x039E, 0x03A8, 0x0396, 0x005B, 0x2234, 0x005D, 0x22A5, 0x005F,
    // 0x60
    0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3,
    0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF,
    // 0x70
    0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9,
    0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C, 0,
    // 0x80 .. 0x9F: nothing
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    // 0xA0
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663,
    0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191, 0x2192, 0x2193,
    // 0xB0
    0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022,
    0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5,
    // 0xC0
    0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229,
    0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209,
    // 0xD0
    0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5,
    0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3,
    // 0xE0
    0x25CA, 0x27E8, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C,
    0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA,
    // 0xF0
    0, 0x27E9, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F,
    0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD, 0,
};

// Ratio of cell height (ascent + descent) to em size of a family and style.
double CellRatio(const QFont& base) {
  static std::map<std::tuple<QString, int, bool>, double> cache;
  auto key = std::make_tuple(base.family(), base.weight(), base.italic());
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  QFont probe(base);
  probe.setPixelSize(2048);
  QFontMetricsF m(probe);
  double ratio = (m.ascent() + m.descent()) / 2048.0;
  if (!(ratio > 0.1)) ratio = 1.0;
  cache.emplace(key, ratio);
  return ratio;
}

}  // namespace

QString ResolveFontFamily(std::string_view face) {
  const std::string f = Lower(face);
  if (f == "arial" || f == "helvetica" || f.empty()) return "Liberation Sans";
  if (f == "times new roman" || f == "times" || f == "symbol") return "Liberation Serif";
  if (f == "courier new" || f == "courier") return "Liberation Mono";
  QString family = QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size()));
  if (QFontDatabase::hasFamily(family)) return family;
  return "Liberation Sans";
}

bool IsSymbolFace(std::string_view face) { return Lower(face) == "symbol"; }

QString MapSymbolText(std::string_view utf8) {
  QString in = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  QString out;
  out.reserve(in.size());
  for (QChar c : in) {
    char16_t u = c.unicode();
    if (u >= 0x20 && u <= 0xFF && kSymbolTable[u - 0x20] != 0)
      out.append(QChar(kSymbolTable[u - 0x20]));
    else
      out.append(c);
  }
  return out;
}

QString ResolvedFont::Text(std::string_view utf8) const {
  if (symbol) return MapSymbolText(utf8);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

const ResolvedFont& ResolveFont(const Font& font, double default_em) {
  using Key = std::tuple<std::string, int, int, bool, bool, bool, long>;
  static std::map<Key, std::unique_ptr<ResolvedFont>> cache;
  const long default_key = font.height == 0 ? std::lround(default_em * 16) : 0;
  Key key{Lower(font.face), font.height, font.weight, font.italic, font.underline, font.strike_out,
          default_key};
  auto it = cache.find(key);
  if (it != cache.end()) return *it->second;

  QFont q(ResolveFontFamily(font.face));
  q.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight <= 0 ? 400 : font.weight, 1, 1000)));
  q.setItalic(font.italic);
  q.setUnderline(font.underline);
  q.setStrikeOut(font.strike_out);
  q.setKerning(false);
  q.setStyleStrategy(QFont::PreferNoShaping);
  q.setHintingPreference(QFont::PreferNoHinting);
  double em = default_em;
  if (font.height > 0) em = font.height / CellRatio(q);
  if (font.height < 0) em = -static_cast<double>(font.height);
  q.setPixelSize(std::max(1, static_cast<int>(std::lround(em))));

  auto resolved = std::unique_ptr<ResolvedFont>(new ResolvedFont{q, QFontMetricsF(q), 0, 0, IsSymbolFace(font.face)});
  resolved->ascent = resolved->metrics.ascent();
  resolved->descent = resolved->metrics.descent();
  return *cache.emplace(key, std::move(resolved)).first->second;
}

}  // namespace platform
