// Token lists: entries handed out one by one and combo boxes filled from
// them, with and without item data.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QVBoxLayout>

#include "controls/restokenlist.h"
#include "platform/dialog.h"

namespace {

struct Filled {
  std::vector<std::string> texts;
  std::vector<int> data;
};

Filled Fill(CResTokenList& list, bool withData) {
  platform::Dialog dialog(700);
  auto* combo = new QComboBox(&dialog);
  platform::SetControlId(combo, 1040);
  list.FillComboBox(dialog, 1040, withData);
  Filled filled;
  for (int i = 0; i < combo->count(); ++i) {
    filled.texts.push_back(combo->itemText(i).toStdString());
    filled.data.push_back(combo->itemData(i).toInt());
  }
  list.FillComboBox(dialog, 4711, withData);  // no such control: nothing
  return filled;
}

}  // namespace

TEST(ResTokenList, HandsOutEntriesThenEmptyTextsForever) {
  CResTokenList list(std::string("a\tb"), '\t');
  EXPECT_EQ(list.GetNextToken(), "a");
  EXPECT_EQ(list.GetNextToken(), "b");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(list.GetNextToken(), "");
  CResTokenList header(67102, '\t');
  EXPECT_EQ(header.GetNextToken(), "Stein-Nr.");
  EXPECT_EQ(header.GetNextToken(), "Länge");
  CResTokenList units(67103, '\t');
  EXPECT_EQ(units.GetNextToken(), "");  // an empty first entry
  EXPECT_EQ(units.GetNextToken(), "[cm]");
  EXPECT_EQ(CResTokenList(59999, '\t').text(), "");  // no such resource
}

TEST(ResTokenList, FillsComboBoxesUpToTheFirstEmptyEntry) {
  struct Case {
    const char* text;
    bool withData;
    std::vector<std::string> texts;
    std::vector<int> data;
  };
  const Case cases[] = {
      {"a\t\tb", false, {"a"}, {0}},
      {"x\t7", true, {"x"}, {7}},
      {"x", true, {"x"}, {0}},  // the missing number reads as 0
      {"", true, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    CResTokenList list(std::string(c.text), '\t');
    list.GetNextToken();  // filling starts from the beginning anyway
    const Filled filled = Fill(list, c.withData);
    EXPECT_EQ(filled.texts, c.texts);
    EXPECT_EQ(filled.data, c.data);
  }
  CResTokenList modes(2002, '\t');
  const Filled filled = Fill(modes, true);
  EXPECT_EQ(filled.texts, (std::vector<std::string>{"mit mehreren Kornklassen", "mit einer Kornklasse",
                                                    "Alte Berechnungsmethode"}));
  EXPECT_EQ(filled.data, (std::vector<int>{2, 1, 0}));
}
