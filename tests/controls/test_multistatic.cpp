// Statics with markup: the drawing calls recorded on a context with fixed
// character widths, and the real control painted.
#include <gtest/gtest.h>

#include <QImage>

#include "controls/multistatic.h"
#include "platform/fonts.h"
#include "platform/sysmetrics.h"

using namespace platform;

namespace {

// A context that records what is drawn: every character is 7 pixels wide in
// the normal font and 11 in the Symbol font.
class RecordingDC {
 public:
  std::vector<std::string> calls;
  Font font{.face = "Arial"};
  Point current;
  unsigned align = 0;

  unsigned SetTextAlign(unsigned a) {
    calls.push_back("align " + std::to_string(a));
    return std::exchange(align, a);
  }
  Point MoveTo(int x, int y) {
    calls.push_back("move " + std::to_string(x) + "," + std::to_string(y));
    return std::exchange(current, Point{x, y});
  }
  Point GetCurrentPosition() const { return current; }
  Font SelectFont(const Font& f) {
    calls.push_back("font " + f.face);
    return std::exchange(font, f);
  }
  Size GetTextExtent(std::string_view text) const {
    int chars = 0;
    for (unsigned char c : text) chars += (c & 0xC0) != 0x80;  // code points
    return {chars * (font.face == "Symbol" ? 11 : 7), 12};
  }
  void TextOut(int, int, std::string_view text) {
    calls.push_back("text " + std::string(text));
    if (align & TA_UPDATECP) current.x += GetTextExtent(text).cx;
  }
};

const Font kNormal{.face = "Arial", .height = -12};
const Font kSymbol{.face = "Symbol", .height = -12};

std::vector<std::string> Draw(std::string_view text, int alignment, Rect r, RecordingDC& dc) {
  DrawMarkupText(dc, text, alignment, kNormal, kSymbol, r);
  return dc.calls;
}

}  // namespace

TEST(MultiStatic, RunsAreLoweredRaisedAndSwitchedToTheSymbolFont) {
  struct Case {
    const char* text;
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {"Fließkoeffizient E<t>cs<n> [s]:",
       {"align 1", "move 0,12", "text Fließkoeffizient E", "move 126,15", "text cs", "move 140,12", "text  [s]:"}},
      {"Rohdichte <fs>r<fn><t>p<n> [Mg/m³]:",
       {"align 1", "move 0,12", "text Rohdichte ", "font Symbol", "move 70,12", "text r", "font Arial",
        "move 81,15", "text p", "move 88,12", "text  [Mg/m³]:"}},
      {"m<h>3<n>", {"align 1", "move 0,12", "text m", "move 7,9", "text 3"}},
      {"<fx>a<q>b", {"align 1", "move 0,12", "text a", "move 7,12", "text b"}},  // tags without effect
      {"a<t>b<n", {"align 1", "move 0,12", "text a", "move 7,15", "text b"}},
      {"Wert <tief", {"align 1", "move 0,12", "text Wert "}},  // a "<" without ">" ends the text
      {"", {"align 1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    RecordingDC dc;
    EXPECT_EQ(Draw(c.text, kMarkupLeft, Rect{0, 10, 300, 30}, dc), c.calls);
  }
  // The r drawn in the Symbol face is the Greek rho.
  EXPECT_EQ(ResolveFont(kSymbol, 12).Text("r"), QString::fromUtf8("ρ"));
}

TEST(MultiStatic, RightAlignedTextEndsAtTheRightEdgeAndWidthIgnoresTags) {
  RecordingDC measure;
  EXPECT_EQ(GetMarkupTextWidth(measure, "Rohdichte <fs>r<fn><t>p<n> [Mg/m³]:", kNormal, kSymbol),
            10 * 7 + 11 + 7 + 9 * 7);
  EXPECT_EQ(measure.font.face, "Arial");  // the font before the first switch is back
  EXPECT_EQ(GetMarkupTextWidth(measure, "", kNormal, kSymbol), 0);

  RecordingDC dc;
  const auto calls = Draw("E<t>cs<n> [s]:", kMarkupRight, Rect{0, 4, 200, 24}, dc);
  EXPECT_EQ(calls.at(1), "move " + std::to_string(200 - 8 * 7) + ",6");
  EXPECT_EQ(dc.current.x, 200);  // the last run ends at the right edge
  RecordingDC centred;
  Draw("abcd", kMarkupCentre, Rect{0, 0, 100, 20}, centred);
  EXPECT_EQ(centred.calls.at(1), "move 36,2");
}

TEST(MultiStatic, PaintsBlackTextOnTheButtonFaceEndingAtTheRightEdge) {
  CMultiStaticR label;
  QFont font("Liberation Sans");
  font.setPixelSize(13);
  label.setFont(font);
  label.setText("Rohdichte <fs>r<fn><t>p<n> [Mg/m³]:");
  label.resize(260, 22);
  QImage image(label.size(), QImage::Format_RGB32);
  image.fill(Qt::red);
  label.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
  const ColorRef face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(image.pixel(5, 11), qRgb(GetRValue(face), GetGValue(face), GetBValue(face)));
  EXPECT_EQ(label.symbolFont().face, "Symbol");
  EXPECT_EQ(label.normalFont().height, -13);
  int rightmost = -1, darkest = 255;
  for (int x = 0; x < image.width(); ++x)
    for (int y = 1; y < image.height() - 1; ++y)
      if (qGray(image.pixel(x, y)) < 100) {
        rightmost = std::max(rightmost, x);
        darkest = std::min(darkest, qGray(image.pixel(x, y)));
      }
  EXPECT_GE(rightmost, 250);  // ":" close to the right edge
  EXPECT_LT(rightmost, 260);
  EXPECT_LT(darkest, 40);  // black text
}
