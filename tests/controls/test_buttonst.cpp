// The flat button: the look of each state as data, the edges and caption it
// paints, hover tracking, focus hand-over, double clicks and the tooltip.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QHelpEvent>
#include <QImage>
#include <QMouseEvent>
#include <QToolTip>

#include "controls/buttonst.h"

// States are described by the flags a case sets; the others stay false.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

const QColor kFace(240, 240, 240);
const QColor kLight(255, 255, 255);
const QColor kShadow(160, 160, 160);
const QColor kText(0, 0, 0);

// The bounding box of the pixels of one colour.
QRect BoxOf(const QImage& image, const QColor& color) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) == color) box |= QRect(x, y, 1, 1);
  return box;
}

class ButtonFixture : public ::testing::Test {
 protected:
  ButtonFixture() {
    QPalette palette = form.palette();
    palette.setColor(QPalette::Button, kFace);
    palette.setColor(QPalette::Light, kLight);
    palette.setColor(QPalette::Dark, kShadow);
    palette.setColor(QPalette::ButtonText, kText);
    form.setPalette(palette);
    form.resize(300, 100);
    button = new CButtonST("&Neue Prüfnummer", &form);
    button->setGeometry(10, 10, 160, 30);
    other = new CButtonST("L&öschen ...", &form);
    other->setGeometry(10, 50, 160, 30);
    form.show();
    QApplication::processEvents();
  }
  QImage Render() { return button->grab().toImage(); }
  void Enter() {
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(button, &enter);
  }
  void Mouse(QEvent::Type type, QPoint pos, Qt::MouseButton button_, Qt::MouseButtons buttons) {
    QMouseEvent event(type, pos, button->mapToGlobal(pos), button_, buttons, Qt::NoModifier);
    QApplication::sendEvent(button, &event);
  }

  QWidget form;
  CButtonST* button = nullptr;
  CButtonST* other = nullptr;
};

}  // namespace

TEST(ButtonStLook, PerState) {
  using L = ButtonStLook;
  const struct {
    ButtonStState state;
    L look;
  } cases[] = {
      {{}, {L::kNoBorder, L::kColorsOut, {0, 0}, false}},
      {{.mouseOver = true}, {L::kRaised, L::kColorsIn, {0, 0}, false}},
      {{.pressed = true}, {L::kSunken, L::kColorsIn, {1, 1}, false}},
      {{.mouseOver = true, .pressed = true}, {L::kSunken, L::kColorsIn, {1, 1}, false}},
      {{.focused = true}, {L::kNoBorder, L::kColorsFocus, {0, 0}, false, true}},
      {{.disabled = true}, {L::kNoBorder, L::kColorsOut, {0, 0}, true}},
  };
  for (const auto& c : cases) EXPECT_EQ(ButtonStLookFor(c.state), c.look);
}

TEST_F(ButtonFixture, FlatUntilTheMouseComesThenRaised) {
  EXPECT_EQ(Render().pixelColor(0, 0), kFace);
  EXPECT_EQ(Render().pixelColor(159, 29), kFace);

  Enter();
  ASSERT_TRUE(button->IsMouseOver());
  QImage image = Render();
  EXPECT_EQ(image.pixelColor(0, 0), kLight);
  EXPECT_EQ(image.pixelColor(0, 15), kLight);
  EXPECT_EQ(image.pixelColor(159, 15), kShadow);
  EXPECT_EQ(image.pixelColor(80, 29), kShadow);

  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(button, &leave);
  EXPECT_FALSE(button->IsMouseOver());
  EXPECT_EQ(Render().pixelColor(0, 0), kFace);
}

TEST_F(ButtonFixture, PressedIsSunkenWithTheCaptionMoved) {
  const QRect normal = BoxOf(Render(), kText);
  ASSERT_FALSE(normal.isEmpty());
  button->setDown(true);
  const QImage image = Render();
  EXPECT_EQ(image.pixelColor(0, 0), kShadow);
  EXPECT_EQ(image.pixelColor(159, 29), kLight);
  EXPECT_EQ(BoxOf(image, kText), normal.translated(1, 1));
}

TEST_F(ButtonFixture, HoverEndsOnMovesAwayFocusLossAndDeactivation) {
  Mouse(QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::NoButton);
  EXPECT_TRUE(button->IsMouseOver());
  Mouse(QEvent::MouseMove, {200, 5}, Qt::NoButton, Qt::NoButton);  // outside, still grabbed
  EXPECT_FALSE(button->IsMouseOver());

  // A drag that began elsewhere does not raise the button.
  Mouse(QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::LeftButton);
  EXPECT_FALSE(button->IsMouseOver());

  Enter();
  button->setFocus();
  other->setFocus();
  EXPECT_FALSE(button->IsMouseOver());

  Enter();
  ASSERT_TRUE(button->IsMouseOver());
  // Another window becomes active.
  QWidget elsewhere;
  elsewhere.show();
  QApplication::setActiveWindow(&form);
  ASSERT_TRUE(button->isActiveWindow());
  Enter();
  ASSERT_TRUE(button->IsMouseOver());
  QApplication::setActiveWindow(&elsewhere);
  ASSERT_FALSE(button->isActiveWindow());
  EXPECT_FALSE(button->IsMouseOver());
}

TEST_F(ButtonFixture, DisabledShowsAnEngravedCaptionAndHandsTheFocusOn) {
  button->setFocus();
  Enter();
  ASSERT_TRUE(button->hasFocus());
  button->setEnabled(false);
  EXPECT_FALSE(button->hasFocus());
  EXPECT_TRUE(other->hasFocus());
  EXPECT_FALSE(button->IsMouseOver());
  const QImage image = Render();
  EXPECT_TRUE(BoxOf(image, kText).isEmpty());
  const QRect light = BoxOf(image, kLight), shadow = BoxOf(image, kShadow);
  ASSERT_FALSE(shadow.isEmpty());
  // The highlight copy lies one pixel right of and below the shadow copy.
  EXPECT_EQ(light.right(), shadow.right() + 1);
  EXPECT_EQ(light.bottom(), shadow.bottom() + 1);
  EXPECT_EQ(light.left(), shadow.left() + 1);
}

TEST_F(ButtonFixture, DoubleClickActsAsTwoClicks) {
  int clicks = 0;
  QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
  const QPoint p(20, 10);
  Mouse(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
  Mouse(QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(clicks, 2);
}

TEST_F(ButtonFixture, TooltipShowsItsTextWhenActive) {
  const std::string text = "Material mit gleichem Siebturm suchen";
  button->SetTooltipText(text);
  EXPECT_EQ(button->TooltipText(), text);
  QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), button->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(button, &help);
  EXPECT_EQ(QToolTip::text().toStdString(), text);

  button->SetTooltipText("abgeschaltet", false);
  EXPECT_FALSE(button->IsTooltipActive());
  QApplication::sendEvent(button, &help);
  EXPECT_NE(QToolTip::text().toStdString(), "abgeschaltet");
  QToolTip::hideText();
}

TEST(ButtonStTooltip, WrapsAtTheMaximumWidth) {
  const QFontMetrics metrics(QApplication::font());
  QString text;
  for (int i = 0; i < 40; ++i) text += QStringLiteral("Siebturm ");
  const QString wrapped = WrapToWidth(text, metrics, CButtonST::kTooltipMaxWidth);
  const QStringList lines = wrapped.split('\n');
  EXPECT_GT(lines.size(), 1);
  for (const QString& line : lines) EXPECT_LE(metrics.horizontalAdvance(line), CButtonST::kTooltipMaxWidth);
  EXPECT_EQ(QString(wrapped).replace('\n', ' '), text.trimmed());
  const QString word(200, QLatin1Char('x'));
  EXPECT_EQ(WrapToWidth("a " + word + " b", metrics, 50), "a\n" + word + "\nb");
  EXPECT_EQ(WrapToWidth("kurz", metrics, 400), "kurz");
}
