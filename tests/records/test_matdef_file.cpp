#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>

#include "records/matdef.h"
#include "records/matdef_file.h"
#include "records/sievelist.h"
#include "records/strutil.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

const fs::path kFixtures = fs::path(PRAVIK_FIXTURES) / "matdef";

// A data folder whose "matdef/material_def.dat" is a copy of the fixture.
void InstallFixture(const TempFolder& data, const std::string& fixture) {
  fs::create_directories(data / "matdef");
  fs::copy_file(kFixtures / fixture, data.path() / "matdef" / "material_def.dat");
}

std::string Id(int number, const char* kind) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "SDM-DBDBDB-%s-%04d", kind, number);
  return buf;
}

// The IDs of the built-in definitions in list order.
std::vector<std::string> ExpectedIds() {
  std::vector<std::string> ids;
  for (int n = 1; n <= 18; ++n) ids.push_back(Id(n, "GS"));
  for (int n = 19; n <= 24; ++n) ids.push_back(Id(n, "GSRC"));
  const int mixtures[] = {1, 2, 5, 6, 9, 10, 13, 14};
  for (int base : {100, 200, 300})
    for (int m : mixtures) ids.push_back(Id(base + m, base == 100 ? "BK" : base == 200 ? "RK" : "RC"));
  struct Old {
    const char* kind;
    int first;
  };
  for (const Old& old : {Old{"BK", 25}, Old{"RK", 31}, Old{"RC", 37}}) {
    for (int n = 0; n < 4; ++n) ids.push_back(Id(old.first + n, old.kind));
    for (int n = 0; n < 4; ++n) ids.push_back(Id(1000 + old.first + n, old.kind));
    ids.push_back(Id(old.first + 4, old.kind));
    ids.push_back(Id(old.first + 5, old.kind));
  }
  return ids;
}

TEST(BuiltinMaterials, HeadingsSeparatorsAndDefinitionsInOrder) {
  const auto& entries = BuiltinMaterialEntries();
  ASSERT_EQ(static_cast<int>(entries.size()), kBuiltinMaterialEntryCount);
  const std::vector<std::pair<size_t, std::string>> headings = {
      {0, " ==== Gleisschotter, neu ===="},          {20, " ====  Gleisschotter, aufbereitet ===="},
      {28, " ==== Korngemische Brechkorn ===="},      {38, " ==== Korngemische Rundkorn ===="},
      {48, " ==== Korngemische RC ===="},             {58, " ==== Korngemische Brechkorn alt ===="},
      {70, " ==== Korngemische Rundkorn alt ===="},  {82, " ==== Korngemische RC alt ===="}};
  for (const auto& [index, text] : headings) EXPECT_EQ(entries[index], text);

  int headingCount = 0, separatorCount = 0;
  std::vector<std::string> ids;
  for (const std::string& entry : entries) {
    if (entry == " ") {
      ++separatorCount;
    } else if (entry[0] == ' ') {
      ++headingCount;
    } else {
      CMatDef m;
      m.Parse(entry);
      EXPECT_TRUE(m.HasName()) << entry;
      EXPECT_EQ(StrGetToken(entry, "{", "}", 6), "") << "no requirement lines: " << entry;
      EXPECT_EQ(StrGetToken(entry, "{", "}", 3), "||||") << entry;
      // Every sieve tower gives at least its smallest and largest sieve.
      std::vector<std::string> sieves;
      EXPECT_TRUE(SplitSortSieveList(sieves, m.GetValue("SIEBTURM"), " "));
      EXPECT_GE(sieves.size(), 7u) << entry;
      ids.push_back(m.GetValue("ID"));
    }
  }
  EXPECT_EQ(headingCount, 8);
  EXPECT_EQ(separatorCount, 7);
  EXPECT_EQ(ids, ExpectedIds());
  EXPECT_NE(entries.back(), " ");
}

TEST(BuiltinMaterials, EntriesTextForText) {
  const std::map<std::string, std::string> expected = {
      {"SDM-DBDBDB-GS-0001",
       "{0}{SDM-DBDBDB-GS-0001|31,5/63 Gleisschotter (neu) - Nasssiebung*3* DIN EN 13450 / DBS 918061 August 2006|"
       "0.063 0.5 22.4 31.5 40.0 50.0 63.0 80.0}{1|0.02|90.0}{||||}{0.063|1.0_LE|0.063 (GS)|1||1||"
       "@22.4|0-5|Kornscheide (GS)|1||1||@31.5|1-25|Überkorn (GS)|1||1||@40|30-65|0. Zwischensieb (GS)|1||1||"
       "@50|65-99|1. Zwischensieb (GS)|1||1||@63|97-99|2. Zwischensieb (GS)|1||1||@80|100_EQ|3. Zwischensieb (GS)|1||1||"
       "@31.5|50_GE|4. Zwischensieb (GS)|1|1|1||63}{[VA_GS_KORNFORM|5-30][VA_GS_LAENGER100|6_LE][VA_GS_WASSER|0,5_LE]"
       "[VA_GS_KRISTALL|3,0_LT_D|22.4][VA_GS_REINHEIT|1.0_LE][VA_GS_PLATTIGKEIT|0-35]}"},
      {"SDM-DBDBDB-GS-0012",
       "{0}{SDM-DBDBDB-GS-0012|31,5/63 Gleisschotter (neu) - S - Trockensiebung*2* DBS 918 061 August 2006|"
       "0.5 22.4 31.5 40.0 50.0 63.0 80.0}{1|0.02|90.0}{||||}{0.5|1.0_LE|Unterkorn (GS)|1||1||"
       "@22.4|0-5|Kornscheide (GS)|1||1||@31.5|1-25|Überkorn (GS)|1||1||@40|30-65|0. Zwischensieb (GS)|1||1||"
       "@50|65-100|1. Zwischensieb (GS)|1||1||@63|97-100|2. Zwischensieb (GS)|1||1||@80|100_EQ|3. Zwischensieb (GS)|1||1||"
       "@31.5|50_GE|4. Zwischensieb (GS)|1|1|1||63}{[VA_GS_KORNFORM|5-30][VA_GS_LAENGER100|6_LE][VA_GS_WASSER|0,5_LE]"
       "[VA_GS_KRISTALL|3,0_LT_D|22.4][VA_GS_REINHEIT|0.5_LE][VA_GS_PLATTIGKEIT|0-35]}"},
      {"SDM-DBDBDB-GSRC-0024",
       "{0}{SDM-DBDBDB-GSRC-0024|22,4/63 Gleisschotter (aufbereitet) - Trockensiebung*2* DBS 918 061|"
       "0.5 22.4 31.5 40.0 50.0 63.0 80.0}{1|0.02|90.0}{||||}{0.5|1.0_LE|Unterkorn (GS)|1||1||"
       "@22.4|0-5|Kornscheide (GS)|1||1||@31.5|1-25|Überkorn (GS)|1||1||@40|30-65|0. Zwischensieb (GS)|1||1||"
       "@50|65-100|1. Zwischensieb (GS)|1||1||@63|97-100|2. Zwischensieb (GS)|1||1||@80|100_EQ|3. Zwischensieb (GS)|1||1||"
       "@31.5|50_GE|4. Zwischensieb (GS)|1|1|1||63}{[VA_GS_UMWELT|][VA_GS_KORNFORM|5-30][VA_GS_LAENGER100|6_LE]"
       "[VA_GS_REINHEIT|1.0_LE][VA_GS_PLATTIGKEIT|0-35]}"},
      {"SDM-DBDBDB-BK-0101",
       "{0}{SDM-DBDBDB-BK-0101|KG1 (0/32)|0.02 0.063 0.125 0.25 0.5 1 2 4 8 16 31.5 45}{1|0.02|45}{||||}"
       "{0.02|3_LE||1||1||@0.063|5_LE||1||1||@0.125|7-17||1||1||@0.25|12-32||1||1||@0.5|23-43||1||1||"
       "@1|32-53||1||1||@2|40-60||1||1||@4|50-71||1||1||@8|62-82||1||1||@10|85_LE||1||1||@16|73-92||1||1||"
       "@31.5|85-99||1||1||}{[VA_GS_KORNFORM|]}"},
      {"SDM-DBDBDB-RK-0205",
       "{0}{SDM-DBDBDB-RK-0205|KG2 (0/32)|0.063 0.5 1 2 4 8 16 31.5 45}{1|0.02|45}{||||}"
       "{0.063|5_LE||1||1||@0.5|5-35||1||1||@1|9-40||1||1||@2|16-47||1||1||@4|22-60||1||1||@8|35-68||1||1||"
       "@16|55-85||1||1||@31.5|90-99||1||1||}{[VA_GS_KORNFORM|]}"},
      {"SDM-DBDBDB-RC-0314",
       "{0}{SDM-DBDBDB-RC-0314|KG2 (0/56) nach dem Zv|0.063 0.5 1 2 4 5.6 8 11.2 16 22.4 31.5 45 56 63 80}"
       "{1|0.063|80}{||||}{0.063|7_LE||1||1||@1|5-35||1||1||@2|9-40||1||1||@4|16-47||1||1||@8|22-60||1||1||"
       "@16|35-68||1||1||@31.5|55-85||1||1||@56|90-99||1||1||}{[VA_GS_KORNFORM|]}"},
      {"SDM-DBDBDB-BK-0025",
       "{0}{SDM-DBDBDB-BK-0025|KG1  |0.02 0.063 0.125 0.25 2.0 5.6 8.0 11.2 16.0 22.4 31.5 45.0 56.0 63.0 90.0}"
       "{1|0.02|90.0}{||||}{0.02|3_LE||1||1||@0.063|5_LE||1||1||@31.5|15_LE||1|1|1||63.0@0.125|7_GE||1||1||"
       "@2.0|40-60||1||1||@10|85_LE||1||1||}{[VA_GS_KORNFORM|]}"},
      {"SDM-DBDBDB-RK-1033",
       "{0}{SDM-DBDBDB-RK-1033|KG1, eingeb. Zust.,  ohne Schlämmanalyse|"
       "0.02 0.063 0.125 0.25 0.5 1.0 2.0 4.0 8.0 16.0 31.5 45.0 63.0}{1|0.02|90.0}{||||}"
       "{31.5|15_LE||1|1|1||63.0@0.125|7_GE||1||1||@2.0|40_GE||1||1||@10|85_LE||1||1||}{[VA_GS_KORNFORM|]}"},
      {"SDM-DBDBDB-RC-0041",
       "{0}{SDM-DBDBDB-RC-0041|KG2  |0.063  0.25 2.0 5.6 8.0 11.2 16.0 22.4 31.5 45.0 56.0 63.0}{1|0.02|90.0}{||||}"
       "{0.063|5_LE||1||1||@45.0|20_LE||1|1|1||63.0@10|85_LE||1||1||}{[VA_RCZUS|][VA_GS_KORNFORM|]}"},
  };
  size_t found = 0;
  for (const std::string& entry : BuiltinMaterialEntries()) {
    const std::string id = StrGetField(StrGetToken(entry, "{", "}", 1), '|', 0);
    auto it = expected.find(id);
    if (it == expected.end()) continue;
    EXPECT_EQ(entry, it->second);
    ++found;
  }
  EXPECT_EQ(found, expected.size());
}

TEST(BuiltinMaterials, DoubleBlankTowersKeepAllSieves) {
  for (const char* id : {"SDM-DBDBDB-BK-0029", "SDM-DBDBDB-BK-0030", "SDM-DBDBDB-RC-0041", "SDM-DBDBDB-RC-0042"}) {
    for (const std::string& entry : BuiltinMaterialEntries()) {
      CMatDef m;
      m.Parse(entry);
      if (m.GetValue("ID") != id) continue;
      const std::string tower = SortSieveListAscending(m.GetValue("SIEBTURM"), " ", ";");
      EXPECT_EQ(tower.rfind("0.063;0.25;2.0;", 0), 0u) << id << ": " << tower;
    }
  }
}

TEST(ReadMaterialDefs, FileDefinitionsThenBuiltins) {
  TempFolder data;
  InstallFixture(data, "material_def.dat");
  std::vector<std::string> list{"stale"};
  std::string error = "untouched";
  ASSERT_TRUE(ReadMaterialDefs(data.path(), list, error));
  EXPECT_EQ(error, "untouched");
  ASSERT_EQ(list.size(), 3u + kBuiltinMaterialEntryCount);
  // Trimmed, decoded from code page 1252.
  EXPECT_EQ(list[0],
            "{0}{SDM-230415123059123-A|Kies 2/8 gewäschen|0.063 2 4 8 11.2|||}{1|0.063|16}"
            "{Kies|TL Gestein-StB|WPK|12,50 €|2023-01-01}{2|10-30||1||1||}{[VA_KORNF|SI20][VA_PLATT|FI20]}{}");
  EXPECT_EQ(list[1], "");  // an empty line is an empty entry
  EXPECT_EQ(list[2], "{0}{SDM-230416080000000-B|Sand 0/2 Trockensiebung|0.063 0.25 1 2}{1|0.063|4}{Sand|||}{}{}");
  EXPECT_TRUE(std::equal(BuiltinMaterialEntries().begin(), BuiltinMaterialEntries().end(), list.begin() + 3));
  for (const auto& entry : list) EXPECT_EQ(entry.find("DROPPED"), std::string::npos);

  CMatDef own;
  own.Parse(list[0]);
  EXPECT_EQ(own.GetValue("GRUNDPR"), "12,50 €");
  EXPECT_EQ(own.GetSideTestEntry("VA_PLATT"), "VA_PLATT|FI20");
}

TEST(ReadMaterialDefs, OnlyMarkersGiveTheBuiltins) {
  TempFolder data;
  fs::create_directories(data / "matdef");
  std::ofstream(data.path() / "matdef" / "material_def.dat", std::ios::binary) << "DATA_START\r\nDATA_STOP\r\n";
  std::vector<std::string> list;
  std::string error;
  ASSERT_TRUE(ReadMaterialDefs(data.path(), list, error));
  EXPECT_EQ(list, BuiltinMaterialEntries());
}

TEST(ReadMaterialDefs, MissingOrBrokenFiles) {
  struct Case {
    const char* fixture;  // nullptr: no file
    const char* error;
    std::vector<std::string> list;
  } cases[] = {
      {nullptr, "Keine Datei mit selbstdef. Materialien vorhanden!", {}},
      {"no_start.dat", "Datei mit selbstdef. Materialien fehlerhaft!\nStart-Markierung fehlt!", {}},
      // A stop marker after a blank is no marker: it is kept as an entry, trimmed.
      {"no_stop.dat", "Datei mit selbstdef. Materialien fehlerhaft!\nStopp-Markierung fehlt!",
       {"{0}{SDM-X|Y|1 2}", "DATA_STOP"}},
  };
  for (const auto& c : cases) {
    TempFolder data;
    if (c.fixture) InstallFixture(data, c.fixture);
    std::vector<std::string> list{"stale"};
    std::string error;
    EXPECT_FALSE(ReadMaterialDefs(data.path(), list, error));
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(list, c.list);
  }
}

struct FillCase {
  const char* id;
  const char* name;
  const char* kind;
  const char* standard;
  const char* testType;
  bool result;
  const char* nameAfter;
  const char* kindAfter;
  const char* standardAfter;
  const char* testTypeAfter;
  const char* timeAfter;
};

TEST(FillBuiltinMaterialTexts, CompletesBuiltinTexts) {
  const char* wpk = "Werkseigene Produktionskontrolle";
  const FillCase cases[] = {
      {"SDM-DBDBDB-GS-0001", "31,5/63 Gleisschotter (neu) - Nasssiebung*3* DIN EN 13450 / DBS 918061 August 2006", "",
       "", "", true, "31,5/63 Gleisschotter (neu) - Nasssiebung", "Gleisschotter", "DIN EN 13450 / DBS 918061", wpk,
       "2006-08-01"},
      {"SDM-DBDBDB-GS-0013", "22,4/63 Gleisschotter (neu) - Nasssiebung*2* DBS 918 061", "", "", "", true,
       "22,4/63 Gleisschotter (neu) - Nasssiebung", "Gleisschotter", "DBS 918 061", wpk, "t"},
      {"SDM-DBDBDB-GS-0007", "31,5/63 Gleisschotter (neu) - Nasssiebung*2* DBS 918 061 August 2006", "", "", "", true,
       "31,5/63 Gleisschotter (neu) - Nasssiebung", "Gleisschotter", "DBS 918 061", wpk, "2006-08-01"},
      {"SDM-DBDBDB-GSRC-0019", "31,5/63 Gleisschotter (aufbereitet) - Nasssiebung*3* DIN EN 13450 / DBS 918061 August 2006",
       "", "", "", true, "31,5/63 Gleisschotter (aufbereitet) - Nasssiebung", "Gleisschotter",
       "DIN EN 13450 / DBS 918061", wpk, "2006-08-01"},
      {"SDM-DBDBDB-BK-0101", "KG1 (0/32)", "Sand", "", "", true, "KG1 (0/32)", "Brechkorn", "", wpk, "t"},
      {"SDM-DBDBDB-RC-0301", "KG1 (0/32)", "", "", "WPK", true, "KG1 (0/32)", "Recycling", "", "WPK", "t"},
      // The plant's own definitions are judged by their names alone.
      {"SDM-230415123059123-A", "Schotter Gleisschotter DBS 918 061", "", "x", "", true, "Schotter Gleisschotter ",
       "Gleisschotter", "DBS 918 061", "", "t"},
      {"SDM-230415123059123-A", "DBS 918 061 Schotter", "", "", "", false, "DBS 918 061 Schotter", "", "", "", "t"},
      {"", "", "", "", "", false, "", "", "", "", "t"},
  };
  for (const auto& c : cases) {
    std::string name = c.name, kind = c.kind, standard = c.standard, testType = c.testType, time = "t";
    EXPECT_EQ(FillBuiltinMaterialTexts(c.id, name, kind, standard, testType, time), c.result) << c.id << " " << c.name;
    EXPECT_EQ(name, c.nameAfter) << c.id;
    EXPECT_EQ(kind, c.kindAfter) << c.id;
    EXPECT_EQ(standard, c.standardAfter) << c.id;
    EXPECT_EQ(testType, c.testTypeAfter) << c.id;
    EXPECT_EQ(time, c.timeAfter) << c.id;
  }
}

TEST(FillBuiltinMaterialTexts, SecondCallChangesNothingButTheMixtureKind) {
  for (const std::string& entry : BuiltinMaterialEntries()) {
    if (entry[0] == ' ') continue;
    CMatDef m;
    m.Parse(entry);
    std::string name = m.GetValue("BEZEICHNUNG"), kind = m.GetValue("SPEZ_1"), standard = m.GetValue("SPEZ_2"),
                testType = m.GetValue("SPEZ_3"), time = m.GetValue("CTIME");
    const std::string id = m.GetValue("ID");
    const bool mixture = id.find("-GS") == std::string::npos;
    EXPECT_EQ(FillBuiltinMaterialTexts(id, name, kind, standard, testType, time), mixture) << id;
    EXPECT_EQ(name, m.GetValue("BEZEICHNUNG"));
    EXPECT_EQ(kind, m.GetValue("SPEZ_1"));
    EXPECT_EQ(standard, m.GetValue("SPEZ_2"));
    EXPECT_FALSE(testType.empty());
  }
}

}  // namespace
