// The identifier field that filters every text reaching it, and the
// requirement field that paints a code in its readable form.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <iterator>
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

// The same keys in a plain text field and in the identifier field leave the
// same text, cursor and selection after every step.
TEST_F(RestrictEdit, StandardEditKeysWorkAsInAnyTextField) {
  struct Step {
    int key;
    const char* text;
    Qt::KeyboardModifiers modifiers;
  };
  const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier, none = Qt::NoModifier;
  const Step steps[] = {
      {Qt::Key_A, "\x01", ctrl},  // select all, then typing replaces the text
      {Qt::Key_2, "2", none},     {Qt::Key_5, "5", none},         {Qt::Key_0, "0", none},
      {Qt::Key_1, "1", none},     {Qt::Key_A, "\x01", ctrl},      {Qt::Key_C, "\x03", ctrl},
      {Qt::Key_X, "\x18", ctrl},  {Qt::Key_V, "\x16", ctrl},      {Qt::Key_V, "\x16", ctrl},
      {Qt::Key_Home, "", none},   {Qt::Key_Right, "", shift},     {Qt::Key_Right, "", shift},
      {Qt::Key_X, "\x18", ctrl},  {Qt::Key_End, "", none},         {Qt::Key_V, "\x16", ctrl},
      {Qt::Key_Left, "", shift},  {Qt::Key_Home, "", shift},      {Qt::Key_Delete, "", none},
      {Qt::Key_3, "3", none},     {Qt::Key_Z, "\x1a", ctrl},      {Qt::Key_Z, "\x1a", ctrl | shift},
      // Undo after a cut and a paste steps back one edit at a time.
      {Qt::Key_A, "\x01", ctrl},  {Qt::Key_X, "\x18", ctrl},      {Qt::Key_7, "7", none},
      {Qt::Key_V, "\x16", ctrl},  {Qt::Key_Z, "\x1a", ctrl},      {Qt::Key_Z, "\x1a", ctrl},
      {Qt::Key_Z, "\x1a", ctrl},  {Qt::Key_Z, "\x1a", ctrl | shift}, {Qt::Key_Z, "\x1a", ctrl | shift},
  };
  QLineEdit plain;
  edit_.setText("AB2501");
  plain.setText("AB2501");
  for (size_t i = 0; i < std::size(steps); ++i) {
    SCOPED_TRACE(i);
    for (QLineEdit* field : {static_cast<QLineEdit*>(&edit_), &plain}) {
      QKeyEvent press(QEvent::KeyPress, steps[i].key, steps[i].modifiers, QString::fromLatin1(steps[i].text));
      QApplication::sendEvent(field, &press);
    }
    EXPECT_EQ(Text(), plain.text().toStdString());
    EXPECT_EQ(edit_.cursorPosition(), plain.cursorPosition());
    EXPECT_EQ(edit_.selectedText(), plain.selectedText());
    if (i == 4) EXPECT_EQ(Text(), "2501");  // not "AB2502501"
    if (i == 6) EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "2501");
  }
  EXPECT_EQ(beeps_, 0);
  // A filtered paste is one step of its own too: undo takes it back and
  // leaves the typing before it.
  edit_.setText("AB");
  Key(Qt::Key_1, "1");
  QApplication::clipboard()->setText("25 01");
  Key(Qt::Key_V, QString(QChar(22)), Qt::ControlModifier);
  EXPECT_EQ(Text(), "AB12501");
  EXPECT_EQ(beeps_, 1);
  Key(Qt::Key_Z, QString(QChar(26)), Qt::ControlModifier);
  EXPECT_EQ(Text(), "AB1");
  Key(Qt::Key_Z, QString(QChar(26)), Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Text(), "AB12501");
  beeps_ = 0;
  // A Ctrl with a letter that is no edit key types nothing.
  const std::string before = Text();
  Key(Qt::Key_B, QString(QChar(2)), Qt::ControlModifier);
  EXPECT_EQ(Text(), before);
  EXPECT_EQ(beeps_, 1);
}

TEST_F(RestrictEdit, PastedTextPassesTheSameFilterAsTypedText) {
  edit_.setText("X");
  QApplication::clipboard()->setText(" 12-ab 2501");  // from a delivery note
  Key(Qt::Key_A, QString(QChar(1)), Qt::ControlModifier);
  Key(Qt::Key_V, QString(QChar(22)), Qt::ControlModifier);
  EXPECT_EQ(Text(), "12-AB2501");
  EXPECT_EQ(beeps_, 1);
  Key(Qt::Key_Insert, "", Qt::ShiftModifier);  // the other paste key
  EXPECT_EQ(Text(), "12-AB250112-AB2501");
  EXPECT_EQ(beeps_, 2);
  // Typed lower-case letters are raised where the cursor is.
  Key(Qt::Key_Home, "");
  Key(Qt::Key_X, "x");
  EXPECT_EQ(Text(), "X12-AB250112-AB2501");
  EXPECT_EQ(edit_.cursorPosition(), 1);
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
