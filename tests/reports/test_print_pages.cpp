#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "records/versuch.h"
#include "reports/druckseite.h"

namespace {

CVersuch Record(const std::string& materialId, const std::string& statusList) {
  CVersuch record;
  record.SetField(5, "SDM;;Material;;;;;;[" + materialId + "]");
  record.SetTestStatusList(statusList);
  return record;
}

// Takes ownership of the pages the record appends.
std::vector<std::unique_ptr<CDruckSeite>> Pages(CVersuch& record,
                                                std::vector<CDruckSeite*>& list) {
  size_t before = list.size();
  record.AddPrintPages(list);
  std::vector<std::unique_ptr<CDruckSeite>> owned;
  for (size_t i = before; i < list.size(); ++i) owned.emplace_back(list[i]);
  return owned;
}

}  // namespace

TEST(PrintPages, OnePagePerApplyingPageKind) {
  struct Case {
    const char* name;
    const char* materialId;
    const char* statusList;
    const char* letters;
  } cases[] = {
      {"grading curve and petrography", "34-190304102233001",
       "[VA_GRUND:1][VA_SIEBL:8][VA_PETRO:9]", "AB"},
      {"incomplete sieving prints nothing", "34-190304102233001", "[VA_GRUND:1][VA_SIEBL:0]", ""},
      {"armourstone even when incomplete", "34-190304102233001", "[VA_GRUND:0][VA_WBS:0]", "EF"},
      {"every normal kind", "34-190304102233001",
       "[VA_SIEBL:8][VA_PETRO:8][VA_100MM:1][VA_ALKALI:7][VA_WBS:8]", "ABCDEF"},
      {"track ballast", "SDM-DBDBDB-GS-0001", "[VA_GRUND:1][VA_SIEBL:8][VA_PETRO:8]", "XY"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CVersuch record = Record(c.materialId, c.statusList);
    EXPECT_EQ(GetRecordPageLetters(record), c.letters);

    std::vector<CDruckSeite*> list;
    auto pages = Pages(record, list);
    const std::string letters = c.letters;
    ASSERT_EQ(pages.size(), letters.size());
    for (size_t i = 0; i < pages.size(); ++i) {
      EXPECT_EQ(pages[i]->GetRecord(), &record);
      EXPECT_EQ(pages[i]->GetPageNumber(), static_cast<int>(i) + 1);
      EXPECT_EQ(pages[i]->GetPageLetter(), letters[i]);
    }
  }
}

TEST(PrintPages, PagesOfSeveralRecordsAppendInOrder) {
  CVersuch first = Record("34-190304102233001", "[VA_SIEBL:8][VA_ALKALI:8]");
  CVersuch second = Record("SDM-DBDBDB-GSRC-0002", "[VA_GRUND:1]");
  std::vector<CDruckSeite*> list;
  auto a = Pages(first, list);
  auto b = Pages(second, list);
  ASSERT_EQ(list.size(), 4u);
  std::string kinds;
  for (CDruckSeite* page : list)
    kinds += std::string(1, page->GetPageLetter()) + std::to_string(page->GetPageNumber());
  EXPECT_EQ(kinds, "A1D2X1Y2");
  EXPECT_EQ(list[1]->GetRecord(), &first);
  EXPECT_EQ(list[2]->GetRecord(), &second);
}

TEST(PrintPages, PageNumberOutsideTheRecordHasNoLetter) {
  CVersuch record = Record("34-190304102233001", "[VA_SIEBL:8]");
  CDruckSeite page;
  EXPECT_TRUE(page.Init(&record, 2));
  EXPECT_EQ(page.GetPageLetter(), '\0');
  EXPECT_TRUE(page.Init(&record, 1));
  EXPECT_EQ(page.GetPageLetter(), 'A');
}
