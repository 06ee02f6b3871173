// The identifier field that filters every text reaching it, and the
// requirement field that paints a code in its readable form.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>

#include "controls/restrictedit.h"
#include "controls/solledit.h"
#include "records/requirement.h"

namespace {

TEST(RestrictEditFilter, KeepsDigitsUpperCaseLettersDashAndUnderscore) {
  struct Case {
    const char* in;
    const char* kept;
    bool dropped;
  } cases[] = {
      {"12-3_A", "12-3_A", false},
      {"ab", "AB", false},          // raised, not refused
      {"4|5", "45", true},          // a "|" would shift the basic-data parts
      {" 45 ", "45", true},
      {"4.5/6", "456", true},
      {"Mäßig", "MIG", true},       // each umlaut is dropped once
      {"\x03\x16", "", true},       // Ctrl+C, Ctrl+V as characters
      {"", "", false},
  };
  for (const Case& c : cases) {
    bool dropped = !c.dropped;
    EXPECT_EQ(FilterRestrictedText(c.in, &dropped), c.kept) << c.in;
    EXPECT_EQ(dropped, c.dropped) << c.in;
  }
}

class RestrictEdit : public ::testing::Test {
 protected:
  void SetUp() override {
    QObject::connect(&edit_, &CRestrictEdit::Refused, [this] { ++beeps_; });
  }
  void Key(int key, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&edit_, &press);
  }
  std::string Text() const { return edit_.text().toStdString(); }

  CRestrictEdit edit_;
  int beeps_ = 0;
};

TEST_F(RestrictEdit, TypedKeys) {
  Key(Qt::Key_4, "4");
  Key(Qt::Key_A, "a");
  EXPECT_EQ(Text(), "4A");
  EXPECT_EQ(beeps_, 0);
  for (auto [key, text] : {std::pair{Qt::Key_Adiaeresis, QString::fromUtf8("ä")}, {Qt::Key_Space, QString(" ")},
                           {Qt::Key_Period, QString(".")}, {Qt::Key_Slash, QString("/")},
                           {Qt::Key_Bar, QString("|")}})
    Key(key, text);
  EXPECT_EQ(Text(), "4A");
  EXPECT_EQ(beeps_, 5);
  Key(Qt::Key_Minus, "-");
  Key(Qt::Key_Underscore, "_");
  Key(Qt::Key_Backspace, "\b");
  EXPECT_EQ(Text(), "4A-");
  EXPECT_EQ(edit_.cursorPosition(), 3);
}

TEST_F(RestrictEdit, CtrlCAndCtrlVAsKeysAreDropped) {
  QApplication::clipboard()->setText("99");
  edit_.setText("12");
  Key(Qt::Key_V, QString(QChar(22)), Qt::ControlModifier);
  Key(Qt::Key_C, QString(QChar(3)), Qt::ControlModifier);
  EXPECT_EQ(Text(), "12");
  EXPECT_EQ(beeps_, 2);
}

TEST_F(RestrictEdit, PastedDroppedAndSetTextIsFilteredToo) {
  edit_.setText("12");
  edit_.setCursorPosition(1);
  QApplication::clipboard()->setText("a| b");  // the context menu's paste
  edit_.paste();
  EXPECT_EQ(Text(), "1AB2");
  EXPECT_EQ(edit_.cursorPosition(), 3);  // behind what was pasted
  EXPECT_EQ(beeps_, 1);
  edit_.insert(QString::fromUtf8("x y"));  // a drop inserts the same way
  EXPECT_EQ(Text(), "1ABXY2");
  edit_.setText("12-3-45|x");
  EXPECT_EQ(Text(), "12-3-45X");
  EXPECT_EQ(beeps_, 3);
}

// ------------------------------------------------------------ CSollEdit

// The columns and rows that hold a non-white pixel.
QRect Ink(const QImage& image) {
  QRect ink;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y).lightness() < 200) ink |= QRect(x, y, 1, 1);
  return ink;
}

QImage Render(const CSollEdit& edit) {
  QImage image(edit.size(), QImage::Format_RGB32);
  image.fill(Qt::blue);
  QPainter painter(&image);
  edit.Paint(painter, QRect(QPoint(0, 0), edit.size()));
  return image;
}

TEST(SollEdit, ShowsTheReadableFormCentred) {
  CSollEdit edit;
  QFont font("Liberation Sans");
  font.setPixelSize(14);
  edit.setFont(font);
  edit.resize(160, 30);
  edit.setText("5_LE");
  const std::string shown = FormatRequirement("5_LE", 1);
  ASSERT_EQ(edit.ShownText(), shown);
  ASSERT_EQ(shown.rfind("<= 5", 0), 0u);

  const QImage image = Render(edit);
  EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white));  // a white ground
  const QRect ink = Ink(image);
  ASSERT_FALSE(ink.isEmpty());
  const QFontMetrics metrics(font);
  // As wide as the readable form, not as the raw code.
  EXPECT_NEAR(ink.width(), metrics.horizontalAdvance(QString::fromStdString(shown)), 3);
  EXPECT_GT(std::abs(ink.width() - metrics.horizontalAdvance("5_LE")), 3);
  EXPECT_NEAR(ink.left(), image.width() - 1 - ink.right(), 3);
  EXPECT_NEAR(ink.top(), image.height() - 1 - ink.bottom(), 4);

  edit.setText("");
  EXPECT_TRUE(Ink(Render(edit)).isEmpty());
}

}  // namespace
