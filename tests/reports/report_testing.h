#pragma once
// Shared pieces of the report tests and the report benchmark: test records
// whose fields are written out by hand as the record file holds them, and a
// writer of small bitmap files.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "records/versuch.h"

namespace reporttest {

inline std::string Join(const std::vector<std::string>& parts, const std::string& separator) {
  std::string out;
  for (size_t i = 0; i < parts.size(); ++i) out += (i ? separator : "") + parts[i];
  return out;
}

// Thirteen flakiness rows, each value followed by "@".
inline std::string FlakinessRows(const std::vector<std::pair<int, std::string>>& values) {
  std::vector<std::string> rows(13);
  for (const auto& [row, value] : values) rows[static_cast<size_t>(row - 1)] = value;
  std::string out;
  for (const std::string& v : rows) out += v + "@";
  return out;
}

// A sandy gravel 0/45 of an own material definition: dry sieving of 12 rows
// (the pan last), plant-typical points, two target curves, sieve requirement
// rows, characteristic values and a flakiness test with its report row.
inline CVersuch PageARecord() {
  CVersuch r;
  r.SetField(0, "12-34-210309143000");
  std::vector<std::string> basic(26);
  basic[0] = "12-34-0815";
  basic[1] = basic[2] = basic[3] = "-1";
  basic[4] = "1";
  basic[5] = "20210310";
  basic[6] = "20210312";
  basic[7] = "Ortsumgehung B12";
  basic[9] = "20210311";
  basic[10] = "M. Keller";
  basic[11] = "20210309143000";
  basic[12] = "Halde 3";
  basic[13] = "J. Brandt";
  basic[14] = "Probe bei Regen entnommen#CRLF##CRLF#Rückstellprobe im Labor";
  basic[15] = "34";
  basic[16] = "12";
  basic[17] = "Werk Süd";
  basic[18] = "Musterkies GmbH";
  basic[19] = "K-17";
  basic[20] = "Tiefbau Weber";
  r.SetField(1, Join(basic, "|"));

  std::vector<std::string> sieve(34);
  sieve[0] = "0";
  sieve[1] = "100.0;96.4;78.2;61.5;48.0;37.3;27.9;18.6;9.8;5.2;3.1";
  sieve[2] = "45;31.5;16;8;4;2;1;0.5;0.25;0.125;0.063;<0.063";
  sieve[8] = "0.0;188.3;951.9;873.4;706.1;559.6;491.6;486.4;460.2;240.6;109.8;162.1";
  sieve[9] = "0.0;3.6;18.2;16.7;13.5;10.7;9.4;9.3;8.8;4.6;2.1;3.1";
  sieve[10] = "100.0;96.4;78.2;61.5;48.0;37.3;27.9;18.6;9.8;5.2;3.1;";
  sieve[11] = "5230.0";
  sieve[12] = "100.0";
  sieve[13] = "5251.4";
  sieve[14] = "21.4";
  sieve[32] = "d10 [mm]:@0.26@d60 [mm]:@7.50@U (d60/d10):@28.8@Cc (Krümmungszahl):@1.62";
  sieve[33] = "weitgestuft";
  r.SetField(3, Join(sieve, "|"));

  r.SetField(4, "{Überkorn:@45@100.0@= 100@2@}{Feinanteil:@0.063@3.1@<= 5.0@2@f<t>3<n>}"
                "{Durchgang:@2@37.30@25-45@2@}");

  std::vector<std::string> requirements(100, "#");
  requirements[0] = "SDM";
  requirements[2] = "Kiessand 0/45";
  requirements[8] = "[12-34-2101010800001]";
  requirements[32] = "0-5";
  r.SetField(5, Join(requirements, ";"));
  r.SetField(6, "0.063;0.125;0.25;0.5;1;2;4;8;16;31.5;45|");
  r.SetField(7, "||1|0||1|1");
  r.SetField(11, "{0.063;0;-1}{0.25;5;-1}{2;25;-1}{8;50;-1}{31.5;90;-1}{45;100;-1}|1|U|"
                 "{0.063;7;-1}{0.25;20;-1}{2;50;-1}{8;75;-1}{31.5;100;-1}|0|O|");
  r.SetField(18, "Kiessand 0/45|DIN EN 12620|5230.0");

  // Flakiness: classes 16/20 and 12,5/16 measured, FI 11 against <= 15.
  std::vector<std::string> flakiness(13);
  flakiness[0] = "820.0";
  flakiness[1] = FlakinessRows({{7, "300.0"}, {8, "500.0"}});
  flakiness[2] = FlakinessRows({{7, "30.0"}, {8, "60.0"}});
  flakiness[3] = FlakinessRows({{7, "10.0"}, {8, "12.0"}});
  flakiness[4] = "800.0";
  flakiness[5] = "90.0";
  flakiness[6] = "11";
  flakiness[7] = "0.6";
  flakiness[9] = "15_LE";
  flakiness[10] = "Plattigkeitskennzahl [%]:@@11@<= 15@2";
  flakiness[11] = "10.0";
  flakiness[12] = "5.0";
  r.SetField(23, Join(flakiness, "|"));

  r.SetField(25, "{0}{12-34-2101010800001|Kiessand 0/45|0.063 0.125 0.25 0.5 1 2 4 8 16 31.5 45|"
                 "0.063 2@0.5 15@2 35@8 60@16 80@31.5 97|2021-01-01 08:00|}{1|0.02|45}"
                 "{Kiessand|DIN EN 12620|Werkseigene Produktionskontrolle|12.5|20210101}"
                 "{2|25-45|2 mm|0|0|1|||0}{[VA_PLATT|15_LE]}{||||||}");
  r.SetField(29, "[VA_GRUND:1][VA_SIEBL:8][VA_PLATT:8]");
  std::vector<std::string> summary(16);
  summary[0] = "12-34-0815";
  summary[5] = "DIN EN 12620:2008-07 Gesteinskörnungen für Beton und DIN EN 933-1 Bestimmung der "
               "Korngrößenverteilung - Siebverfahren";
  r.SetField(30, Join(summary, "|"));
  return r;
}

// A record of two page kinds: the grading curve and the petrography.
inline CVersuch TwoPageRecord() {
  CVersuch r = PageARecord();
  r.SetValue(1, 0, "12-34-0816");
  r.SetField(29, "[VA_GRUND:1][VA_SIEBL:8][VA_PETRO:8]");
  return r;
}

// ---------------------------------------------------------------- bitmaps

inline void PutLE(std::string& b, size_t at, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b[at + static_cast<size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

struct BmpSpec {
  int width = 4;
  int height = 3;  // negative: top-down
  int bitCount = 24;
  std::uint32_t compression = 0;
  std::uint32_t headerSize = 40;
  std::uint32_t colorsUsed = 0;
  std::vector<std::uint32_t> palette;  // 0x00RRGGBB
  std::vector<std::uint32_t> masks;    // bit fields after a 40-byte header
  // Pixel value (palette index or 0x00RRGGBB) of column x, picture row y (0 = top).
  std::function<std::uint32_t(int x, int y)> pixel = [](int, int) { return 0u; };
  std::string rawBits;  // when set, used as the pixel bits as they stand
};

// A "BM" file made by hand, as a paint program writes one.
inline std::string MakeBmp(const BmpSpec& s) {
  const int rows = s.height < 0 ? -s.height : s.height;
  const size_t rowSize = static_cast<size_t>((s.width * s.bitCount + 31) / 32 * 4);
  std::string bits = s.rawBits;
  if (bits.empty()) {
    bits.assign(rowSize * static_cast<size_t>(rows), '\0');
    for (int fileRow = 0; fileRow < rows; ++fileRow) {
      const int y = s.height < 0 ? fileRow : rows - 1 - fileRow;
      const size_t base = static_cast<size_t>(fileRow) * rowSize;
      for (int x = 0; x < s.width; ++x) {
        const std::uint32_t v = s.pixel(x, y);
        const auto ux = static_cast<size_t>(x);
        switch (s.bitCount) {
          case 1: bits[base + ux / 8] = static_cast<char>(bits[base + ux / 8] | ((v & 1) << (7 - ux % 8))); break;
          case 4: bits[base + ux / 2] = static_cast<char>(bits[base + ux / 2] | ((v & 0xF) << (ux % 2 ? 0 : 4))); break;
          case 8: bits[base + ux] = static_cast<char>(v); break;
          case 16: PutLE(bits, base + 2 * ux, v, 2); break;
          case 24: PutLE(bits, base + 3 * ux, v, 3); break;
          case 32: PutLE(bits, base + 4 * ux, v, 4); break;
        }
      }
    }
  }
  std::string info(s.headerSize, '\0');
  PutLE(info, 0, s.headerSize, 4);
  PutLE(info, 4, static_cast<std::uint32_t>(s.width), 4);
  PutLE(info, 8, static_cast<std::uint32_t>(s.height), 4);
  PutLE(info, 12, 1, 2);
  PutLE(info, 14, static_cast<std::uint32_t>(s.bitCount), 2);
  PutLE(info, 16, s.compression, 4);
  PutLE(info, 20, static_cast<std::uint32_t>(bits.size()), 4);
  PutLE(info, 32, s.colorsUsed, 4);
  if (s.headerSize >= 52)
    for (size_t i = 0; i < s.masks.size() && i < 3; ++i) PutLE(info, 40 + 4 * i, s.masks[i], 4);
  if (s.headerSize == 40)
    for (std::uint32_t m : s.masks) info += std::string(4, '\0'), PutLE(info, info.size() - 4, m, 4);
  for (std::uint32_t c : s.palette) info += std::string(4, '\0'), PutLE(info, info.size() - 4, c, 4);
  std::string file(14, '\0');
  file[0] = 'B';
  file[1] = 'M';
  PutLE(file, 2, static_cast<std::uint32_t>(14 + info.size() + bits.size()), 4);
  PutLE(file, 10, static_cast<std::uint32_t>(14 + info.size()), 4);
  return file + info + bits;
}

}  // namespace reporttest
