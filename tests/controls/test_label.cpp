// The label: its state logic without a screen and a few pixels of what it
// paints.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <cmath>

#include "controls/label.h"
#include "platform/dialog.h"
#include "records/versuch.h"

using platform::ColorRef;
using platform::RGB;

namespace {

const ColorRef kGreen = RGB(0, 255, 0);
const ColorRef kRed = RGB(255, 0, 0);
const ColorRef kOrange = RGB(224, 128, 64);
const ColorRef kBlack = RGB(0, 0, 0);
const ColorRef kText = RGB(10, 20, 30);
const ColorRef kFace = RGB(240, 240, 240);

ColorRef Pixel(const QImage& image, int x, int y) {
  const QColor c = image.pixelColor(x, y);
  return RGB(c.red(), c.green(), c.blue());
}

// The label painted onto an image filled with `under` first.
QImage Render(CLabel& label, QColor under = Qt::blue) {
  QImage image(label.size(), QImage::Format_ARGB32);
  image.fill(under);
  label.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
  return image;
}

}  // namespace

TEST(LabelLamp, ColourPerTestStatus) {
  const std::pair<char, std::optional<ColorRef>> cases[] = {
      {TestStatus::Met, kGreen},
      {TestStatus::NotMet, kRed},
      {TestStatus::MetWithRemark, kOrange},
      {TestStatus::Incomplete, std::nullopt},
      {TestStatus::DoneNoRequirement, std::nullopt},
      {'x', std::nullopt},
  };
  for (auto [status, color] : cases) EXPECT_EQ(LampColorForTestStatus(status), color) << status;
  EXPECT_EQ(LampColor(-1), std::nullopt);
  EXPECT_EQ(LampColor(0), std::nullopt);
  EXPECT_TRUE(LampImage(0).isNull());
  const QImage lamp = LampImage(2);
  ASSERT_EQ(lamp.size(), QSize(kLampSize, kLampSize));
  EXPECT_EQ(Pixel(lamp, 7, 7), kRed);
  EXPECT_EQ(Pixel(lamp, 0, 0), kBlack);
}

TEST(LabelState, StatusSetsTheBackgroundAndTheLamp) {
  const std::tuple<int, ColorRef, std::optional<int>> cases[] = {
      {1, kGreen, 1}, {7, RGB(0, 128, 0), 7}, {2, kRed, 2}, {0, kFace, std::nullopt}, {-1, kFace, std::nullopt},
  };
  for (auto [status, brush, lamp] : cases) {
    LabelState state(kText, kFace);
    state.SetBkColor(RGB(1, 2, 3), RGB(4, 5, 6), 1);  // a gradient before
    state.SetStatus(status);
    EXPECT_EQ(state.status, status);
    EXPECT_EQ(state.backgroundBrush, brush) << status;
    EXPECT_EQ(state.fillMode, 0);
    EXPECT_EQ(state.LampStatus(), lamp) << status;
    // With a status the lamp is the background; without, the brush fills.
    EXPECT_EQ(state.SolidBackground(), status > 0 ? std::nullopt : std::optional<ColorRef>(kFace)) << status;
    state.transparent = true;
    EXPECT_EQ(state.LampStatus(), std::nullopt);
    EXPECT_EQ(state.SolidBackground(), std::nullopt);
  }
}

TEST(LabelState, BackgroundBrushOnlyWithTheNormalFill) {
  LabelState state(kText, kFace);
  EXPECT_EQ(state.SolidBackground(), kFace);  // the window brush
  state.SetBkColor(RGB(0, 0, 128));
  EXPECT_EQ(state.SolidBackground(), RGB(0, 0, 128));
  state.SetBkColor(RGB(0, 0, 128), RGB(255, 255, 255), 1);
  EXPECT_EQ(state.backgroundBrush, std::nullopt);
  EXPECT_EQ(state.SolidBackground(), std::nullopt);
}

TEST(LabelState, FlashingTextTakesTheBackgroundColourInItsOffPhase) {
  LabelState state(kText, kFace);
  state.flashType = LabelState::kFlashText;
  EXPECT_EQ(state.PaintTextColor(), kBlack);  // no background brush
  state.SetBkColor(RGB(0, 0, 128));
  EXPECT_EQ(state.PaintTextColor(), RGB(0, 0, 128));
  state.flashState = true;
  EXPECT_EQ(state.PaintTextColor(), kText);
  state.flashState = false;
  state.flashType = LabelState::kNoFlash;
  EXPECT_EQ(state.PaintTextColor(), kText);
}

TEST(LabelState, ClickNotifiesOrOpensTheLink) {
  LabelState state;
  EXPECT_TRUE(state.Click("x").url.empty());
  state.linkType = LabelState::kMailLink;
  EXPECT_EQ(state.Click("labor@werk.de").url, "mailto:labor@werk.de");
  state.linkType = LabelState::kHyperLink;
  EXPECT_EQ(state.Click("www.werk.de").url, "www.werk.de");
  state.linkText = "https://werk.de/labor";
  EXPECT_EQ(state.Click("Labor").url, "https://werk.de/labor");
  state.notifyParent = true;
  const auto action = state.Click("Labor");
  EXPECT_TRUE(action.notify);
  EXPECT_TRUE(action.url.empty());  // only the notification
}

TEST(LabelText, FormatFromStyleAndText) {
  using namespace platform;
  const std::tuple<unsigned, const char*, unsigned> cases[] = {
      {SS_LEFT, "a", DT_WORDBREAK},
      {SS_CENTER, "a", DT_CENTER | DT_WORDBREAK},
      {SS_RIGHT, "a", DT_RIGHT | DT_WORDBREAK},
      {SS_LEFTNOWORDWRAP, "a", DT_LEFT},
      {SS_LEFT, "a\tb", DT_WORDBREAK | DT_EXPANDTABS},
      {SS_CENTERIMAGE, "eine Zeile", DT_CENTER | DT_VCENTER | DT_SINGLELINE},
      {SS_CENTERIMAGE | SS_RIGHT, "zwei\r\nZeilen", DT_CENTER},
  };
  for (auto [style, text, format] : cases) EXPECT_EQ(LabelTextFormat(style, text), format) << style << " " << text;
  EXPECT_EQ(StaticStyleOf(Qt::AlignCenter, false), SS_CENTER | SS_CENTERIMAGE);
  EXPECT_EQ(StaticStyleOf(Qt::AlignHCenter | Qt::AlignTop, true), SS_CENTER);
  EXPECT_EQ(StaticStyleOf(Qt::AlignRight | Qt::AlignVCenter, true), SS_RIGHT);
  EXPECT_EQ(StaticStyleOf(Qt::AlignLeft | Qt::AlignVCenter, false), SS_LEFTNOWORDWRAP);
  EXPECT_EQ(StaticStyleOf(Qt::AlignLeft, true), SS_LEFT);
}

TEST(LabelGradient, AtMostHundredBandsFromStartToEnd) {
  const auto wide = GradientBands({10, 0, 260, 20}, RGB(0, 0, 0), RGB(200, 100, 0));
  ASSERT_EQ(wide.size(), 100u);
  EXPECT_EQ(wide.front().rect, (platform::Rect{10, 0, 12, 20}));
  EXPECT_EQ(wide.front().color, RGB(0, 0, 0));
  EXPECT_EQ(wide[50].color, RGB(100, 50, 0));
  EXPECT_EQ(wide.back().rect.right, 260);  // the last band reaches the edge
  EXPECT_EQ(wide.back().rect.left, 208);
  const auto narrow = GradientBands({0, 0, 4, 1}, RGB(255, 0, 0), RGB(0, 0, 255));
  ASSERT_EQ(narrow.size(), 4u);
  EXPECT_EQ(narrow[3].color, RGB(63, 0, 191));
  EXPECT_TRUE(GradientBands({5, 0, 5, 10}, 0, 0).empty());
}

TEST(Label, SettersChainAndChangeTheFont) {
  CLabel label;
  CLabel& same = label.SetTextColor(kRed).SetFontBold(true).SetFontItalic(true).SetFontName("Courier New");
  EXPECT_EQ(&same, &label);
  EXPECT_EQ(label.state().textColor, kRed);
  EXPECT_EQ(label.state().font.weight, platform::FW_BOLD);
  EXPECT_TRUE(label.state().font.italic);
  EXPECT_EQ(label.state().font.face, "Courier New");
  label.SetFontSize(12);
  EXPECT_EQ(label.state().font.height, -static_cast<int>(std::lround(12 * label.logicalDpiY() / 72.0)));
  label.SetRotationAngle(90, true);
  EXPECT_EQ(label.state().font.escapement, 900);
  EXPECT_TRUE(label.state().rotation);
  label.SetFont(platform::Font{.face = "Arial", .height = -20});
  EXPECT_EQ(label.state().font.height, -20);
  EXPECT_EQ(label.state().font.escapement, 0);
  label.FlashText(true);
  EXPECT_TRUE(label.IsFlashing());
  EXPECT_EQ(label.state().flashType, LabelState::kFlashText);
  label.FlashText(false);
  EXPECT_FALSE(label.IsFlashing());
  EXPECT_EQ(label.state().flashType, LabelState::kNoFlash);
}

TEST(Label, DrawsWithItsControlsFontUntilAFontSetterRuns) {
  CLabel label;
  QFont templateFont = label.font();
  templateFont.setPixelSize(17);
  templateFont.setItalic(true);
  label.setFont(templateFont);  // as a template sets it after construction
  EXPECT_EQ(label.state().font.height, -17);
  EXPECT_TRUE(label.state().font.italic);
  label.SetFontBold(true);
  templateFont.setPixelSize(30);
  label.setFont(templateFont);
  EXPECT_EQ(label.state().font.height, -17);
  EXPECT_EQ(label.state().font.weight, platform::FW_BOLD);
}

TEST(Label, ClickWithNotifyParentOnlySendsTheNotification) {
  CLabel label("labor@werk.de");
  platform::SetControlId(&label, 1234);
  label.SetMailLink(true, true);
  int id = 0;
  unsigned code = 0;
  QObject::connect(&label, &CLabel::Notify, [&](int i, unsigned c) {
    id = i;
    code = c;
  });
  label.resize(80, 20);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(&label, &press);
  EXPECT_EQ(id, 1234);
  EXPECT_EQ(code, kLabelClickNotification);
}

TEST(LabelPainting, LampInTheCornerOnTheButtonFace) {
  CLabel label;
  label.resize(60, 20);
  const ColorRef face = label.state().faceColor;
  const std::pair<int, ColorRef> lamps[] = {{1, kGreen}, {2, kRed}, {7, kOrange}};
  for (auto [status, color] : lamps) {
    label.SetStatus(status);
    const QImage image = Render(label);
    EXPECT_EQ(Pixel(image, 7, 7), color) << status;
    EXPECT_EQ(Pixel(image, 14, 14), kBlack) << status;
    EXPECT_EQ(Pixel(image, 40, 10), face) << status;
  }
  label.SetStatus(0);  // the lamp goes
  EXPECT_EQ(Pixel(Render(label), 7, 7), face);
  label.SetStatus(1);
  label.SetTransparent(true);  // no lamp, no background
  const QImage transparent = Render(label);
  EXPECT_EQ(Pixel(transparent, 7, 7), RGB(0, 0, 255));
  EXPECT_EQ(Pixel(transparent, 40, 10), RGB(0, 0, 255));
}

TEST(LabelPainting, TextInItsColourOnTheBackground) {
  CLabel label("MMMM");
  label.resize(80, 24);
  label.SetTextColor(RGB(200, 0, 0)).SetBkColor(RGB(0, 0, 100)).SetFontBold(true);
  const QImage image = Render(label);
  EXPECT_EQ(Pixel(image, 79, 23), RGB(0, 0, 100));
  int textPixels = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) textPixels += Pixel(image, x, y) == RGB(200, 0, 0);
  EXPECT_GT(textPixels, 10);

  CLabel gradient;
  gradient.resize(100, 10);
  gradient.SetBkColor(RGB(255, 0, 0), RGB(0, 0, 255), 1);
  const QImage ramp = Render(gradient);
  EXPECT_EQ(Pixel(ramp, 0, 5), RGB(255, 0, 0));
  EXPECT_EQ(Pixel(ramp, 50, 5), RGB(127, 0, 127));
  EXPECT_EQ(Pixel(ramp, 99, 5), RGB(2, 0, 252));
}
