#include <gtest/gtest.h>

#include <QImage>
#include <random>
#include <string>

#include "platform/files.h"
#include "reports/dib.h"
#include "charts/chart_render.h"
#include "reports/report_testing.h"
#include "support/temp_folder.h"

using reporttest::BmpSpec;
using reporttest::MakeBmp;
using reporttest::PutLE;

namespace {

QRgb Rgb(std::uint32_t rrggbb) { return qRgb((rrggbb >> 16) & 0xFF, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF); }

// A 5 x 3 picture whose every pixel tells its place: palette index or colour.
std::uint32_t Pattern(int x, int y, int bitCount) {
  if (bitCount <= 8) return static_cast<std::uint32_t>((x + 2 * y) % (1 << std::min(bitCount, 3)));
  return static_cast<std::uint32_t>((40 * x) << 16 | (80 * y) << 8 | (x + y) * 20);
}

const std::vector<std::uint32_t> kPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF,
                                             0xFFFF00, 0x00FFFF, 0xFF00FF, 0x808080};

BmpSpec Layout(int bitCount, int height = 3) {
  BmpSpec s;
  s.width = 5;
  s.height = height;
  s.bitCount = bitCount;
  if (bitCount <= 8)
    s.palette.assign(kPalette.begin(), kPalette.begin() + std::min<size_t>(kPalette.size(), size_t{1} << bitCount));
  s.colorsUsed = bitCount <= 8 ? static_cast<std::uint32_t>(s.palette.size()) : 0;
  s.pixel = [bitCount](int x, int y) { return Pattern(x, y, bitCount); };
  return s;
}

QRgb Expected(int x, int y, int bitCount) {
  const std::uint32_t v = Pattern(x, y, bitCount);
  return Rgb(bitCount <= 8 ? kPalette[v] : v);
}

}  // namespace

TEST(Dib, ReadsEveryPixelDepthUpright) {
  struct Case {
    const char* name;
    BmpSpec layout;
  };
  BmpSpec fullTable = Layout(8);
  fullTable.colorsUsed = 0;  // an 8-bit file with no count has 256 entries
  fullTable.palette.resize(256, 0x123456);
  BmpSpec topDown = Layout(24, -3);
  BmpSpec v5 = Layout(4);  // a long header: the colour table follows its stated size
  v5.headerSize = 124;
  const Case cases[] = {{"1 bit", Layout(1)},   {"4 bit", Layout(4)},           {"8 bit", Layout(8)},
                        {"24 bit", Layout(24)}, {"32 bit", Layout(32)},         {"8 bit, full table", fullTable},
                        {"top-down", topDown}, {"124-byte header", v5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = MakeBmp(c.layout);
    CDib dib;
    ASSERT_EQ(dib.ReadFromBytes(file), file.size());
    EXPECT_EQ(dib.GetWidth(), 5);
    EXPECT_EQ(dib.GetHeight(), 3);
    EXPECT_EQ(dib.GetBitCount(), c.layout.bitCount);
    const int colours = c.layout.bitCount <= 8 ? static_cast<int>(c.layout.palette.size()) : 0;
    EXPECT_EQ(dib.GetColorCount(), colours);
    EXPECT_EQ(static_cast<int>(dib.GetPalette().size()), colours);
    const QImage& image = dib.GetImage();
    ASSERT_EQ(image.size(), QSize(5, 3));
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x)
        EXPECT_EQ(image.pixel(x, y) & 0xFFFFFF, Expected(x, y, c.layout.bitCount) & 0xFFFFFF) << x << "," << y;
  }
}

TEST(Dib, ReadsBitFieldsAndRunLengths) {
  BmpSpec rgb565;
  rgb565.width = 2;
  rgb565.height = 1;
  rgb565.bitCount = 16;
  rgb565.compression = CDib::kBitFields;
  rgb565.masks = {0xF800, 0x07E0, 0x001F};
  rgb565.pixel = [](int x, int) { return x == 0 ? 0xF800u : 0x001Fu; };
  CDib dib;
  ASSERT_NE(dib.ReadFromBytes(MakeBmp(rgb565)), 0u);
  EXPECT_EQ(dib.GetImage().pixel(0, 0) & 0xFFFFFF, qRgb(255, 0, 0) & 0xFFFFFF);
  EXPECT_EQ(dib.GetImage().pixel(1, 0) & 0xFFFFFF, qRgb(0, 0, 255) & 0xFFFFFF);

  // Run-length 8 bit, 4 x 2: runs of three 1s and one 2 on the bottom row,
  // end of line, three literal 3s (padded) and a run of one 3, end of picture.
  BmpSpec rle = Layout(8, 2);
  rle.width = 4;
  rle.compression = CDib::kRle8;
  rle.rawBits = std::string("\x03\x01\x01\x02\x00\x00\x00\x03\x03\x03\x03\x00\x01\x03\x00\x01", 16);
  ASSERT_NE(dib.ReadFromBytes(MakeBmp(rle)), 0u);
  const QImage& image = dib.GetImage();
  EXPECT_EQ(image.pixel(0, 1) & 0xFFFFFF, Rgb(kPalette[1]) & 0xFFFFFF);
  EXPECT_EQ(image.pixel(3, 1) & 0xFFFFFF, Rgb(kPalette[2]) & 0xFFFFFF);
  EXPECT_EQ(image.pixel(2, 0) & 0xFFFFFF, Rgb(kPalette[3]) & 0xFFFFFF);
  EXPECT_EQ(image.pixel(3, 0) & 0xFFFFFF, Rgb(kPalette[3]) & 0xFFFFFF);
  // Written back unchanged: the stored bits are the encoded ones.
  CDib again;
  ASSERT_NE(again.ReadFromBytes(dib.WriteToBytes()), 0u);
  EXPECT_EQ(again.GetImage(), dib.GetImage());
}

TEST(Dib, DamagedOrInconsistentFilesGiveNoBitmap) {
  const std::string good = MakeBmp(Layout(8));
  auto patched = [&good](size_t at, std::uint32_t value, int bytes = 4) {
    std::string f = good;
    PutLE(f, at, value, bytes);
    return f;
  };
  BmpSpec rleOverrun = Layout(8, 2);
  rleOverrun.compression = CDib::kRle8;
  rleOverrun.rawBits = std::string("\x00\x05\x01\x02", 4);  // five literal pixels, two there
  std::string rle24 = MakeBmp(Layout(24));
  PutLE(rle24, 30, CDib::kRle8, 4);
  BmpSpec tooManyColours = Layout(4);
  tooManyColours.colorsUsed = 17;
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"not BM", "XM" + good.substr(2)},
      {"empty", ""},
      {"only the file header", good.substr(0, 14)},
      {"cut inside the info header", good.substr(0, 30)},
      {"cut inside the colour table", good.substr(0, 14 + 40 + 10)},
      {"cut inside the pixels", good.substr(0, good.size() - 1)},
      {"bits offset beyond the end", patched(10, 0x7FFFFFF0)},
      {"bits offset inside the header", patched(10, 20)},
      {"bits offset inside the colour table", patched(10, 14 + 40 + 8)},
      {"header size beyond the file", patched(14, 0xFFFFFFF0)},
      {"header size below 40", patched(14, 12)},
      {"width 0", patched(18, 0)},
      {"negative width", patched(18, 0xFFFFFFFB)},
      {"height 0", patched(22, 0)},
      {"huge picture", patched(18, 0x00FFFFFF)},
      {"two planes", patched(26, 2, 2)},
      {"7 bits per pixel", patched(28, 7, 2)},
      {"unknown compression", patched(30, 9)},
      {"run length with 24 bits", rle24},
      {"more colours than the depth holds", MakeBmp(tooManyColours)},
      {"colour count beyond the offset", patched(46, 200)},
      {"run length reading past its data", MakeBmp(rleOverrun)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CDib dib;
    ASSERT_NE(dib.ReadFromBytes(good), 0u);
    EXPECT_EQ(dib.ReadFromBytes(c.bytes), 0u);
    EXPECT_TRUE(dib.IsEmpty());
    EXPECT_EQ(dib.GetWidth(), 0);
    EXPECT_TRUE(dib.GetImage().isNull());
    EXPECT_TRUE(dib.GetPalette().empty());
  }
}

TEST(Dib, SurvivesRandomDamage) {
  const std::string seeds[] = {MakeBmp(Layout(1)), MakeBmp(Layout(4)), MakeBmp(Layout(8)), MakeBmp(Layout(24)),
                               MakeBmp(Layout(32))};
  std::mt19937 random(20240611);
  int read = 0;
  for (int round = 0; round < 4000; ++round) {
    std::string bytes = seeds[round % 5];
    const int edits = 1 + static_cast<int>(random() % 6);
    for (int e = 0; e < edits; ++e) {
      const size_t at = random() % bytes.size();
      switch (random() % 4) {
        case 0: bytes[at] = static_cast<char>(random()); break;                    // a byte
        case 1: bytes[at] = static_cast<char>(bytes[at] ^ (1 << (random() % 8))); break;  // a bit
        case 2: bytes.resize(at + 1); break;                                       // cut
        default: bytes.insert(at, std::string(random() % 8, static_cast<char>(random()))); break;
      }
      if (bytes.empty()) bytes = "B";
    }
    CDib dib;
    const std::size_t n = dib.ReadFromBytes(bytes);
    if (n == 0) {
      EXPECT_TRUE(dib.IsEmpty());
      continue;
    }
    ++read;
    EXPECT_EQ(n, bytes.size());
    EXPECT_EQ(dib.GetImage().width(), dib.GetWidth());
    EXPECT_EQ(dib.GetImage().height(), dib.GetHeight());
    // What was read writes back into a file that reads again.
    CDib copy;
    EXPECT_NE(copy.ReadFromBytes(dib.WriteToBytes()), 0u);
  }
  EXPECT_GT(read, 0);  // some damage leaves a readable picture
}

TEST(Dib, WritesAFileItReadsBack) {
  BmpSpec small = Layout(24, 2);
  small.width = 3;
  CDib dib;
  ASSERT_NE(dib.ReadFromBytes(MakeBmp(small)), 0u);
  const std::string out = dib.WriteToBytes();
  ASSERT_EQ(out.size(), 78u);  // 12 bytes a row, 24 of bits, headers 54
  EXPECT_EQ(static_cast<unsigned char>(out[10]), 54);
  EXPECT_EQ(static_cast<unsigned char>(out[2]), 78);

  TempFolder folder;
  ASSERT_EQ(dib.Write(folder / "copy.bmp"), 78u);
  CDib back;
  EXPECT_EQ(back.Read(folder / "copy.bmp"), 78u);
  EXPECT_EQ(back.GetImage(), dib.GetImage());
  EXPECT_EQ(back.Read(folder / "missing.bmp"), 0u);
  EXPECT_TRUE(back.IsEmpty());
  EXPECT_EQ(CDib().Write(folder / "empty.bmp"), 0u);
}

TEST(Dib, DrawsIntoItsRectangle) {
  BmpSpec red = Layout(24, 2);
  red.width = 2;
  red.pixel = [](int, int) { return 0xFF0000u; };
  CDib dib;
  ASSERT_NE(dib.ReadFromBytes(MakeBmp(red)), 0u);
  int lines = -1;
  const QImage image = chartrender::RenderImage(
      [&](platform::DrawContext& dc) { lines = dib.Draw(dc, platform::Rect{1000, -1000, 3000, -2000}); }, 5000,
      3000);
  EXPECT_EQ(lines, 2);
  EXPECT_EQ(image.pixel(200, 150) & 0xFFFFFF, qRgb(255, 0, 0) & 0xFFFFFF);
  EXPECT_EQ(image.pixel(50, 150) & 0xFFFFFF, qRgb(255, 255, 255) & 0xFFFFFF);

  CDib empty;
  chartrender::RenderImage([&](platform::DrawContext& dc) { lines = empty.Draw(dc, platform::Rect{0, 0, 10, -10}); },
                          100, 100);
  EXPECT_EQ(lines, 0);
}
