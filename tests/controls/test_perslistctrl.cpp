// Lists that keep their column widths, and the material list: its rows,
// headings and the sort shared by every material list.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QHeaderView>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controls/materiallistctrl.h"
#include "controls/perslistctrl.h"
#include "records/matdef.h"

namespace {

// The profile of the test: a map of "section/key" to text, and the writes.
class FakeProfile {
 public:
  FakeProfile() {
    SetColumnWidthProfile({[this](const std::string& s, const std::string& k, const std::string& d) {
                             auto it = values.find(s + "/" + k);
                             return it == values.end() ? d : it->second;
                           },
                           [this](const std::string& s, const std::string& k, const std::string& t) {
                             values[s + "/" + k] = t;
                             ++writes;
                           }});
  }
  ~FakeProfile() { SetColumnWidthProfile({}); }
  std::map<std::string, std::string> values;
  int writes = 0;
};

std::unique_ptr<CPersListCtrl> ListWithColumns(int count) {
  auto list = std::make_unique<CPersListCtrl>();
  for (int c = 0; c < count; ++c) list->InsertColumn(c, "C" + std::to_string(c), 40);
  return list;
}

std::vector<int> Widths(const CPersListCtrl& list) {
  std::vector<int> widths;
  for (int c = 0; c < list.GetColumnCount(); ++c) widths.push_back(list.GetColumnWidth(c));
  return widths;
}

TEST(PersListCtrl, WidthTextsAreReadUpToTheFirstEmptyPart) {
  struct Case {
    const char* stored;
    std::vector<int> widths;  // of five columns that start at 40
  } cases[] = {
      {"0;185;86;87;233", {0, 185, 86, 87, 233}},
      {"0;185;86;87;233;", {0, 185, 86, 87, 233}},
      {"10;20", {10, 20, 40, 40, 40}},                   // fewer parts: only those
      {"10;20;30;40;50;60;70", {10, 20, 30, 40, 50}},    // parts beyond the columns: nothing
      {"10;;30;40", {10, 40, 40, 40, 40}},               // an empty part stops
      {"", {40, 40, 40, 40, 40}},
      {"abc;25", {0, 25, 40, 40, 40}},                   // read as atoi reads
  };
  for (const Case& c : cases) {
    FakeProfile profile;
    profile.values["spaltenbreiten/k"] = c.stored;
    auto list = ListWithColumns(5);
    list->RestoreColumnWidths("spaltenbreiten", "k", "1;1;1;1;1");
    EXPECT_EQ(Widths(*list), c.widths) << c.stored;
  }
}

TEST(PersListCtrl, MissingKeyTakesTheDefaultAndTheWidthsGoBackWhenTheListGoes) {
  FakeProfile profile;
  {
    auto list = ListWithColumns(5);
    list->RestoreColumnWidths("spaltenbreiten", "materialListctrl2_spalten", "0;185;86;87;233");
    EXPECT_EQ(Widths(*list), (std::vector<int>{0, 185, 86, 87, 233}));
    list->SetColumnWidth(2, 120);
  }
  EXPECT_EQ(profile.values["spaltenbreiten/materialListctrl2_spalten"], "0;185;120;87;233;");
  EXPECT_EQ(profile.writes, 1);
}

TEST(PersListCtrl, DefaultWidthsHoldTheirHeadingsStoredOnesStay) {
  // The mixture list's defaults in a font larger than the Windows one:
  // "angelegt am" is not cut; what the user stored stays as stored.
  const char* headings[] = {"Status", "Bezeichnung", "Anz. Mat.", "angelegt am", "Anforderung", "Datei"};
  for (const char* stored : {"", "0;85;95;40;170;304;"}) {
    SCOPED_TRACE(stored);
    FakeProfile profile;
    if (*stored) profile.values["spaltenbreiten/Mischverwaltung"] = stored;
    CPersListCtrl list;
    QFont font = list.font();
    font.setPixelSize(17);
    list.setFont(font);
    for (int c = 0; c < 6; ++c) list.InsertColumn(c, headings[c]);
    list.RestoreColumnWidths("spaltenbreiten", "Mischverwaltung", "0;85;95;70;170;304;");
    if (*stored) {
      EXPECT_EQ(Widths(list), (std::vector<int>{0, 85, 95, 40, 170, 304}));
      continue;
    }
    const QFontMetrics metrics(list.header()->font());
    EXPECT_EQ(list.GetColumnWidth(0), 0);
    for (int c = 1; c < 6; ++c) EXPECT_GT(list.GetColumnWidth(c), metrics.horizontalAdvance(headings[c]) + 6) << headings[c];
    EXPECT_EQ(list.GetColumnWidth(5), 304);
  }
}

TEST(PersListCtrl, AListWithoutSectionOrKeyNeverWrites) {
  FakeProfile profile;
  {
    auto list = ListWithColumns(3);
    list->SaveColumnWidths();
  }
  {
    auto list = ListWithColumns(3);
    list->RestoreColumnWidths("spaltenbreiten", "", "5;5;5");
    list->SaveColumnWidths();
  }
  EXPECT_EQ(profile.writes, 0);
  // Without columns an empty text is written.
  {
    CPersListCtrl empty;
    empty.RestoreColumnWidths("spaltenbreiten", "leer", "");
  }
  EXPECT_EQ(profile.values["spaltenbreiten/leer"], "");
}

// ------------------------------------------------------------ material list

CMatDef Definition(const std::string& id, const std::string& name, const std::string& price) {
  CMatDef d;
  d.Parse("{0}{" + id + "|" + name + "|0.063 2 8|||}{|||}{Brechkorn|TL|WPK|" + price + "|2025-01-01}{}{}{}");
  return d;
}

class MaterialList : public ::testing::Test {
 protected:
  void SetUp() override {
    CMaterialListCtrl::ResetSortDirections();
    defs_ = {Definition("SDM-1", "beta", "10"), Definition("SDM-2", "Alpha", "9"),
             Definition("SDM-3", "gamma", "100")};
    list_.InitColumns();
    list_.InsertTextRow(0, " Gruppe");
    for (CMatDef& d : defs_) list_.InsertMatDef(list_.GetItemCount(), &d);
  }
  void TearDown() override { CMaterialListCtrl::ResetSortDirections(); }

  // Column 1 of every row, a heading shown as "#".
  std::string Names(const CMaterialListCtrl& list) const {
    std::string out;
    for (int row = 0; row < list.GetItemCount(); ++row)
      out += (row ? "," : "") + (list.MatDefAt(row) ? list.GetItemText(row, 1) : std::string("#"));
    return out;
  }

  std::vector<CMatDef> defs_;
  CMaterialListCtrl list_;
};

TEST_F(MaterialList, RowsShowTheTenColumnsAndHeadingsCarryNoDefinition) {
  ASSERT_EQ(list_.GetColumnCount(), 10);
  EXPECT_EQ(list_.headerItem()->text(4).toStdString(), "Prüfart");
  EXPECT_EQ(list_.headerItem()->text(8).toStdString(), "Grundpreis [€]");
  EXPECT_EQ(list_.GetColumnWidth(6), 50);
  EXPECT_EQ(list_.GetItemText(0, 1), " Gruppe");
  EXPECT_EQ(list_.MatDefAt(0), nullptr);
  EXPECT_EQ(list_.GetItemText(1, 0), "");
  EXPECT_EQ(list_.GetItemText(1, 1), "beta");
  EXPECT_EQ(list_.GetItemText(1, 2), "Brechkorn");
  EXPECT_EQ(list_.GetItemText(1, 5), "SDM-1");
  EXPECT_EQ(list_.GetItemText(1, 8), "10");
  EXPECT_EQ(defs_[0].GetShownText("GRUNDPR"), "10");

  EXPECT_EQ(list_.GetSelectedMatDef(), nullptr);
  list_.SelectOnly(0);
  EXPECT_EQ(list_.GetSelectedMatDef(), nullptr);  // a heading
  list_.SelectOnly(2);
  EXPECT_EQ(list_.GetSelectedMatDef(), &defs_[1]);
}

TEST_F(MaterialList, ClicksAlternatePerColumnAndHeadingsSortAsEmptyTexts) {
  list_.SelectOnly(3);  // gamma
  list_.OnColumnClick(1);
  EXPECT_EQ(Names(list_), "#,Alpha,beta,gamma");
  EXPECT_EQ(list_.GetSelectedMatDef(), &defs_[2]);  // the selection moves with its row
  list_.OnColumnClick(1);
  EXPECT_EQ(Names(list_), "gamma,beta,Alpha,#");
  // Another column starts ascending, whatever the first one's state.
  list_.OnColumnClick(8);
  EXPECT_EQ(Names(list_), "#,beta,gamma,Alpha");  // prices as texts: "10" < "100" < "9"
  EXPECT_EQ(CMaterialListCtrl::SortDirection(1), 0);
  EXPECT_EQ(CMaterialListCtrl::SortDirection(8), 100);
  // The "Status" column compares all rows equal: the order stays.
  const std::string before = Names(list_);
  list_.OnColumnClick(0);
  EXPECT_EQ(Names(list_), before);
}

TEST_F(MaterialList, TheDirectionIsSharedByEveryMaterialList) {
  list_.OnColumnClick(5);  // ascending
  CMaterialListCtrl other;
  other.InitColumns();
  for (CMatDef& d : defs_) other.InsertMatDef(other.GetItemCount(), &d);
  other.OnColumnClick(5);  // the shared state says: now descending
  EXPECT_EQ(Names(other), "gamma,Alpha,beta");
}

TEST(MaterialListCompare, TableOfValues) {
  const CMatDef a = [] { CMatDef d = Definition("A", "abc", "1"); d.SetShownText("BEZEICHNUNG", "abc"); return d; }();
  const CMatDef b = [] { CMatDef d = Definition("B", "ABD", "2"); d.SetShownText("BEZEICHNUNG", "ABD"); return d; }();
  struct Case {
    const CMatDef* x;
    const CMatDef* y;
    int value;
    int expected;
  } cases[] = {
      {&a, &b, 101, -1}, {&a, &b, 1, 1},   {&b, &a, 101, 1},  {&a, &a, 101, 0},
      {nullptr, &a, 101, -1},  // a heading reads as empty texts
      {nullptr, &a, 1, 1},     {nullptr, nullptr, 101, 0},
      {&a, &b, 100, 0},        {&a, &b, 0, 0},  // the "Status" column
      {&a, &b, 105, 0},        // "ID" was never shown: empty
  };
  for (const Case& c : cases)
    EXPECT_EQ(CMaterialListCtrl::CompareMatDefs(c.x, c.y, c.value), c.expected) << c.value;
}

}  // namespace
