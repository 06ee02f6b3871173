// Monthly archives as plain code: the months offered, the month file names
// and the two protocols.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fixtures/dlgbase/english_language.h"
#include "platform/files.h"
#include "records/archive.h"
#include "records/versuch.h"
#include "support/temp_folder.h"

namespace {

std::unique_ptr<CVersuch> Sampled(const std::string& dateTime) {
  auto record = std::make_unique<CVersuch>();
  record->SetValue(1, 11, dateTime);
  return record;
}

TEST(Archive, OffersYearsAndMonthsInCalendarOrder) {
  RecordList records;
  for (const char* date : {"20210315083000", "20210301000000", "20201231235959", "20210102", "19971231235959",
                           "20660101000000", "", "2021", "202113", "19980101000000", "20651231235959"})
    records.push_back(Sampled(date));
  std::vector<const CVersuch*> pointers;
  for (const auto& r : records) pointers.push_back(r.get());
  EXPECT_EQ(MonthKey(*records[0]), "202103");
  EXPECT_EQ(YearKey(*records[0]), "2021");
  // 1997, 2066 and the empty date are never offered; "2021" and "202113"
  // count for their year but give no month.
  EXPECT_EQ(ArchiveEntries(pointers),
            (std::vector<std::string>{"1998|1", "199801|1", "2020|1", "202012|1", "2021|5", "202101|1", "202103|2",
                                      "2065|1", "206512|1"}));
  EXPECT_TRUE(ArchiveEntries({}).empty());
}

TEST(Archive, MonthFilesAreFoundByTheirExactName) {
  struct Case {
    const char* name;
    bool month;
  } cases[] = {
      {"arch_202103.xml", true},  {"arch_abcdef.xml", true},  {"arch_2021.xml", false},
      {"arch_2021031.xml", false}, {"ARCH_202103.xml", false}, {"arch_202103.XML", false},
      {"xarch_20210.xml", false},  {"arch_202103.xm", false},
  };
  TempFolder folder;
  for (const Case& c : cases) {
    EXPECT_EQ(IsMonthFileName(c.name), c.month) << c.name;
    platform::WriteFileBytes(folder / c.name, "x");
  }
  platform::CreateFolder(folder / "arch_201912.xml");  // a folder is no month file
  platform::WriteFileBytes(folder / "arch_201901.xml", "x");
  EXPECT_EQ(MonthFileKeys(folder.path()), (std::vector<std::string>{"201901", "202103", "abcdef"}));
  EXPECT_TRUE(MonthFileKeys(folder / "missing").empty());
  EXPECT_EQ(MonthFileName("202103"), "arch_202103.xml");
}

TEST(Archive, ProtocolTexts) {
  bool footnote = false;
  EXPECT_EQ(ArchiveProtocol({}, &footnote),
            " Monat/Jahr | archiviert?\r\n------------+-----------------------------------\r\n");
  EXPECT_FALSE(footnote);
  EXPECT_EQ(ArchiveProtocol({ArchiveResult("202103", kArchived), ArchiveResult("202104", kArchiveExists),
                             ArchiveResult("202105", kArchiveWriteFailed)},
                            &footnote),
            " Monat/Jahr | archiviert?\r\n"
            "------------+-----------------------------------\r\n"
            " 03/2021    | ja\r\n"
            " 04/2021    | NEIN, siehe 1) unten\r\n"
            " 05/2021    | NEIN, I/O-Fehler\r\n");
  EXPECT_TRUE(footnote);
  EXPECT_EQ(DearchiveProtocol({DearchiveResult("202012", 12, 0), DearchiveResult("202101", 123456, 7)}),
            "            | Anzahl der      | Anzahl der nicht\r\n"
            " Monat/Jahr | dearchivierten  | dearchivierten\r\n"
            "            | Prüfnummern     | Prüfnummern\r\n"
            "------------+-----------------+-----------------\r\n"
            " 12/2020    | 12              | 0\r\n"
            " 01/2021    | 123456           | 7\r\n");
}

// In English every line of the "archived?" column is English: "yes" is a
// text of two characters, which the language file translates all the same.
TEST(Archive, ProtocolSpeaksOneLanguage) {
  std::string protocol;
  {
    const EnglishLanguage english(kShippedEnglishFile);
    protocol = ArchiveProtocol({ArchiveResult("202103", kArchived), ArchiveResult("202104", kArchiveExists)}, nullptr);
  }
  EXPECT_EQ(protocol,
            " Month/year | archived?\r\n"
            "------------+-----------------------------------\r\n"
            " 03/2021    | yes\r\n"
            " 04/2021    | NO, see 1) below\r\n");
}

}  // namespace
