// The recent-entries combo box: its list text, filling, and the list editor
// opened with Ctrl+E and answered through the scripted seam.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <cctype>

#include "controls/recentcombobox.h"
#include "support/scripted_ui_gtest.h"

using platform::DialogDriver;
using platform::IDCANCEL;
using platform::IDOK;

namespace {

std::vector<std::string> Entries(const QComboBox& box) {
  std::vector<std::string> entries;
  for (int i = 0; i < box.count(); ++i) entries.push_back(box.itemText(i).toStdString());
  return entries;
}

// On a desktop the box has the focus and hands the key to its edit part.
void PressCtrlE(CRecentComboBox& box) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_E, Qt::ControlModifier, "\x05");
  QApplication::sendEvent(&box, &press);
  QApplication::processEvents();  // the editor opens from a queued call
}

}  // namespace

TEST(RecentList, TextFirstThenUpToFifteenOtherEntries) {
  std::vector<std::string> twenty;
  std::string first15;
  for (int i = 1; i <= 20; ++i) {
    twenty.push_back("e" + std::to_string(i));
    if (i <= 15) first15 += "|e" + std::to_string(i);
  }
  struct Case {
    std::vector<std::string> entries;
    const char* text;
    std::string list;
  };
  const Case cases[] = {
      {{"a", "b", "c"}, "b", "b|a|c"},
      {{"a", "b"}, "", "a|b"},
      {{}, "", ""},
      {twenty, "neu", "neu" + first15},
      {{"a"}, "  Meier \t", "Meier|a"},  // trimmed
      {{"Abc"}, "abc", "abc|Abc"},       // compared case-sensitively
      {{"a", "a", "b"}, "b", "b|a|a"},   // duplicates among the entries stay
      {{"x"}, "A|B", "A#B|x"},           // "|" as a record would store it
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    CRecentComboBox box;
    for (const auto& e : c.entries) box.addItem(QString::fromStdString(e));
    box.setEditText(QString::fromUtf8(c.text));
    EXPECT_EQ(GetRecentList(&box), c.list);
  }
  EXPECT_EQ(GetRecentList(nullptr), "");
}

TEST(RecentList, FillStopsAtTheFirstEmptyPartAndKeepsTheText) {
  CRecentComboBox box;
  box.setEditText("Huber");
  box.FillRecentList("a|b||c");
  EXPECT_EQ(Entries(box), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(box.currentText(), "Huber");
  box.FillRecentList("");
  EXPECT_EQ(box.count(), 0);
  EXPECT_EQ(box.currentText(), "Huber");
}

TEST(RecentListEditor, CtrlEEditsTheLinesAndPutsThePreviousTextBackExactly) {
  CRecentComboBox box;
  box.FillRecentList("Meier|Hinz");
  box.setEditText("Mei");
  platform::TestUi ui;
  ui.ExpectDialog(5001, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(8001), "Mei\nMeier\nHinz\n");  // the current text first
    d.SetText(8001, "Meier \n\nMei\n Kunz\nHinz");
  }, IDOK);
  PressCtrlE(box);
  EXPECT_EQ(ui.pending(), 0u);
  EXPECT_EQ(Entries(box), (std::vector<std::string>{"Meier", "Mei", " Kunz", "Hinz"}));
  EXPECT_EQ(box.currentText(), "Mei");  // not the longer "Meier"
  EXPECT_EQ(box.currentIndex(), 1);
}

TEST(RecentListEditor, AnEmptyTextStaysEmptyAndCancelChangesNothing) {
  CRecentComboBox box;
  box.FillRecentList("Meier|Hinz");
  platform::TestUi ui;
  ui.ExpectDialog(5001, [](DialogDriver& d) { d.SetText(8001, "Hinz\nMeier\n"); }, IDOK);
  ui.ExpectDialog(5001, [](DialogDriver& d) { d.SetText(8001, "gone\n"); }, IDCANCEL);
  PressCtrlE(box);
  EXPECT_EQ(Entries(box), (std::vector<std::string>{"Hinz", "Meier"}));
  EXPECT_EQ(box.currentText(), "");  // no entry taken for an empty text
  PressCtrlE(box);
  EXPECT_EQ(Entries(box), (std::vector<std::string>{"Hinz", "Meier"}));
  // An empty box shows its default list; E without Ctrl opens nothing.
  CRecentComboBox empty;
  empty.SetKey("schicht", "Früh|Spät");
  EXPECT_EQ(empty.key(), "COMBO_schicht");
  ui.ExpectDialog(5001, [](DialogDriver& d) { EXPECT_EQ(d.Text(8001), "Früh\nSpät\n"); }, IDCANCEL);
  PressCtrlE(empty);
  EXPECT_EQ(ui.pending(), 0u);
  QKeyEvent plainE(QEvent::KeyPress, Qt::Key_E, Qt::NoModifier, "e");
  QApplication::sendEvent(&empty, &plainE);
  QApplication::processEvents();  // an unexpected editor would fail the test
  EXPECT_EQ(empty.currentText(), "e");
  // Typing the start of an entry completes nothing.
  CRecentComboBox names;
  names.FillRecentList("Meier");
  for (const char* c : {"M", "e", "i"}) {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A + (std::toupper(*c) - 'A'), Qt::NoModifier, c);
    QApplication::sendEvent(&names, &key);
  }
  EXPECT_EQ(names.currentText(), "Mei");
}
