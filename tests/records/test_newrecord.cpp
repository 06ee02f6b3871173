// How a record begins: the fields of a new record and of a material
// reassignment, the target curves by material, the test number and record
// ID checks, a duplicate's fields and the two material lists, on a fixture
// plant and a small "material_def.dat".
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/datetime.h"
#include "records/matdef_file.h"
#include "records/newrecord.h"
#include "records/strutil.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

const CPlantIdentity kPlant{"12", "Kies und Schotter GmbH", "3", "Werk Nord"};

std::time_t At(int year, int month, int day, int hour, int minute, int second) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

// The definition list of the fixture folder: its own lines, then the built-in ones.
class NewRecordFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(data_ / "matdef");
    fs::copy_file(fs::path(PRAVIK_FIXTURES) / "newrecord" / "material_def.dat", MaterialDefFilePath(data_.path()));
    std::string error;
    ASSERT_TRUE(ReadMaterialDefs(data_.path(), lines_, error)) << error;
  }

  CMatDef Material(const std::string& id) const {
    for (const std::string& line : lines_) {
      if (line.find("{0}{" + id + "|") != 0) continue;
      CMatDef d;
      d.Parse(line);
      return d;
    }
    ADD_FAILURE() << "no definition " << id;
    return {};
  }

  static NewRecordOrigin Origin(const std::string& number, SievingDefaults sieving = {}) {
    return {kPlant, number, "12-3-250314093005", "20250314", sieving};
  }

  TempFolder data_;
  std::vector<std::string> lines_;
};

TEST_F(NewRecordFixture, NewRecordFromADefinition) {
  const CMatDef material = Material("SDM-250101080000-0001");  // tower "31.5 0.063 8"
  CVersuch r;
  CreateNewRecordFields(r, material, Origin("45"));

  EXPECT_EQ(r.GetField(0), "12-3-250314093005");
  EXPECT_EQ(r.GetField(1),
            "12-3-45|-1|-1|-1|1|20250314|20250314|||||||||3|12|Werk Nord|Kies und Schotter GmbH");
  EXPECT_EQ(r.GetValue(1, 0), "12-3-45");
  EXPECT_EQ(r.GetValue(1, 4), "1");
  EXPECT_EQ(r.GetField(5), MaterialToSdmString(material));
  EXPECT_EQ(StrGetField(r.GetField(5), ';', 2), "Schotter 0/32 Trockensiebung");
  EXPECT_EQ(StrGetField(r.GetField(5), ';', 8), "[SDM-250101080000-0001]");
  EXPECT_EQ(StrCountFields(r.GetField(5), ';'), 100);
  EXPECT_EQ(r.GetField(25), material.Format());
  EXPECT_EQ(r.GetTestStatusList(), "[VA_GRUND:0][VA_SIEBL:0][VA_KORNF:0]");
  EXPECT_EQ(r.GetField(6), "0.063;8;31.5|2");
  EXPECT_EQ(r.GetValue(3, 2), "31.5;8;0.063;< 0.063");
  EXPECT_EQ(r.GetValue(18, 0), "Schotter 0/32 Trockensiebung");
  EXPECT_EQ(r.GetValue(18, 1), "TL SoB-StB");
  EXPECT_EQ(StrGetField(r.GetField(30), '|', 0), "12-3-45");
  EXPECT_EQ(StrGetField(r.GetField(30), '|', 3), "Brechkorn");
  EXPECT_EQ(r.GetField(11), "");
}

TEST_F(NewRecordFixture, SievingDefaultsOfANewRecord) {
  struct Case {
    const char* id;
    SievingDefaults defaults;
    const char* dry;    // field 7 part 2
    const char* curve;  // part 3
    const char* sum;    // part 4
  } cases[] = {
      {"SDM-250101080000-0001", {1, 0, 0}, "1", "1", "0"},  // "...Trockensiebung" whatever the default
      {"SDM-250101080000-0002", {0, 0, 0}, "0", "1", "0"},  // begins with "Nasssiebung": wet
      {"SDM-250101080000-0003", {0, 1, 1}, "1", "0", "1"},  // no word: the default, dry
      {"SDM-250101080000-0003", {1, 0, 0}, "0", "1", "0"},  // no word: the default, wet
      {"SDM-DBDBDB-GS-0001", {0, 0, 0}, "0", "1", "0"},     // "... - Nasssiebung"
      {"SDM-DBDBDB-GS-0002", {1, 0, 0}, "1", "1", "0"},
  };
  for (const Case& c : cases) {
    CVersuch r;
    CreateNewRecordFields(r, Material(c.id), Origin("45", c.defaults));
    EXPECT_EQ(r.GetValue(7, 2), c.dry) << c.id;
    EXPECT_EQ(r.GetValue(7, 3), c.curve) << c.id;
    EXPECT_EQ(r.GetValue(7, 4), c.sum) << c.id;
  }
}

TEST_F(NewRecordFixture, TargetCurvesByMaterial) {
  CVersuch mixture105;
  mixture105.SetField(5, "SDM;;x;;;;;;[SDM-DBDBDB-BK-0105]");
  const std::string curves105 = mixture105.GetDefaultSollkurven(false);
  ASSERT_FALSE(curves105.empty());
  struct Case {
    const char* id;
    std::string curves;
  } cases[] = {
      {"SDM-DBDBDB-GS-0007",  // "DBS 918 061"
       "{22.4;3;-1}{31.5;25;-1}{40.0;65;-1}{50.0;100;-1}|0|O|{22.4;0;-1}{31.5;1;-1}{40.0;30;-1}{50.0;65;-1}{63.0;97;-1}{80.0;99.9;-1}|0|U"},
      {"SDM-DBDBDB-GS-0001",  // "DIN EN 13450 / DBS 918061"
       "{22.4;3;-1}{31.5;25;-1}{40.0;65;-1}{50.0;99;-1}{63.0;99;-1}|0|O|{22.4;0;-1}{31.5;1;-1}{40.0;30;-1}{50.0;65;-1}{63.0;97;-1}{80.0;99.9;-1}|0|U"},
      {"SDM-DBDBDB-GSRC-0021", "{22.4;3;-1}{31.5;25;-1}{40.0;65;-1}{50.0;100;-1}|0|O|{22.4;0;-1}{31.5;1;-1}{40.0;30;-1}{50.0;65;-1}{63.0;97;-1}{80.0;99.9;-1}|0|U"},
      {"SDM-DBDBDB-GS-0099",  // track ballast without a standard
       "{22.4;3;-1}{31.5;25;-1}{40.0;65;-1}{50.0;100;-1}|0|O|{22.4;0;-1}{31.5;1;-1}{40.0;30;-1}{50.0;65;-1}{63.0;97;-1}{80.0;99;-1}|0|U"},
      {"SDM-DBDBDB-BK-0105", curves105},  // numbered 101 to 399
      {"SDM-DBDBDB-BK-0025",               // "KG1  "
       "{0.02;3;-1}{0.063;7;-1}{0.125;17;-1}{0.2;26;-1}{0.3;35.5;-1}{0.6;45;-1}{0.85;50;-1}{2;60;-1}{10;85;-1}{30.2;100;-1}|1|O|{0.057;0;-1}{0.125;7;-1}{2;40;-1}{20;77;-1}{50;95;-1}|1|U"},
      {"SDM-DBDBDB-RK-0035",  // "KG2 KSG "
       "{0.063;5;-1}{0.3;20;-1}{2;40;-1}{6;55;-1}{8;60;-1}{20;79;-1}{44;100;-1}|1|O|{0.063;0;-1}{0.2;1.5;-1}{0.9;10;-1}{9;40;-1}{20;56;-1}{40;76;-1}{60;91.5;-1}|1|U"},
      {"SDM-DBDBDB-BK-0400", ""},       // a mixture without "KG1" or "KG2"
      {"SDM-250101080000-0003", ""},    // the plant's own material
  };
  for (const Case& c : cases) {
    CVersuch r;
    CreateNewRecordFields(r, Material(c.id), Origin("45"));
    EXPECT_EQ(r.GetField(11), c.curves) << c.id;
  }
}

TEST_F(NewRecordFixture, ReassignmentRebuildsOnlyTheMaterialFields) {
  CVersuch r;
  CreateNewRecordFields(r, Material("SDM-250101080000-0002"), Origin("45", {0, 1, 1}));
  r.SetTestStatus("VA_SIEBL", "8");
  r.SetValue(3, 0, "0");
  r.SetValue(7, 0, "12.5;30.1");
  r.SetField(1, "");  // a record whose test number went missing stays without one
  const CVersuch before = r;

  const CMatDef other = Material("SDM-250101080000-0003");
  ReassignMaterialFields(r, other);
  for (int field : {0, 1, 2, 4, 7, 8, 9, 10, 12, 29})
    EXPECT_EQ(r.GetField(field), before.GetField(field)) << "field " << field;
  EXPECT_EQ(r.GetValue(3, 0), "0");
  EXPECT_EQ(r.GetValue(3, 2), "8;2;0.063;< 0.063");
  EXPECT_EQ(r.GetField(5), MaterialToSdmString(other));
  EXPECT_EQ(r.GetField(6), "0.063;2;8|2");
  EXPECT_EQ(r.GetField(25), other.Format());
  EXPECT_EQ(r.GetValue(18, 0), "Sand 0/2");
  EXPECT_NE(r.GetField(30), before.GetField(30));
}

TEST(RecordNumbers, TestNumberChecks) {
  const std::set<std::string> used = {"12-3-45"};
  const KeyTaken taken = [&used](const std::string& key) { return used.count(key) > 0; };
  EXPECT_EQ(CheckTestNumber("12-3-", "", taken), TestNumberCheck::kEmpty);
  EXPECT_EQ(CheckTestNumber("12-3-", "45", taken), TestNumberCheck::kTaken);
  EXPECT_EQ(CheckTestNumber("12-4-", "45", taken), TestNumberCheck::kFree);  // another plant's prefix
  EXPECT_EQ(CheckTestNumber("12-3-", "46", taken), TestNumberCheck::kFree);
}

TEST(RecordNumbers, ARecordIdIsNeverHandedOutTwice) {
  const std::time_t now = At(2025, 3, 14, 9, 30, 5);
  const std::set<std::string> used = {"12-3-250314093005", "12-3-250314093006"};
  const KeyTaken taken = [&used](const std::string& key) { return used.count(key) > 0; };
  EXPECT_EQ(FreeRecordId("12-3-", now, {}), "12-3-250314093005");
  EXPECT_EQ(FreeRecordId("12-4-", now, taken), "12-4-250314093005");
  EXPECT_EQ(FreeRecordId("12-3-", now, taken), "12-3-250314093007");  // the next free second
  EXPECT_EQ(PlantPrefix(kPlant), "12-3-");
}

TEST(Duplicate, CopiesEveryFieldUnderTheNewNumber) {
  CVersuch source;
  for (int field = 0; field < CVersuch::kFieldCount; ++field) source.SetField(field, "f" + std::to_string(field));
  source.SetField(0, "12-3-240101120000");
  source.SetField(1, "12-3-45|-1|-1|-1|1|20240101|20240202|Baustelle|Schicht|20240103|Prüfer|||||3|12|Werk|Betreiber");
  source.SetField(18, "Name|Norm|0;1|x");
  source.SetTestStatusList("[VA_GRUND:8][VA_SIEBL:9]");
  ASSERT_EQ(RecordPlantPrefix(source), "12-3-");

  const auto copy = DuplicateRecord(source, "12-3-46", "12-3-250314093005", "20250314");
  EXPECT_EQ(copy->GetField(0), "12-3-250314093005");
  EXPECT_EQ(copy->GetField(1),
            "12-3-46|-1|-1|-1|1|20250314|20250314|Baustelle|Schicht|20250314|Prüfer|||||3|12|Werk|Betreiber");
  EXPECT_EQ(copy->GetTestStatusList(), "[VA_GRUND:8][VA_SIEBL:9]");
  for (int field : {2, 3, 5, 11, 25, 31, 32}) EXPECT_EQ(copy->GetField(field), source.GetField(field)) << field;
  EXPECT_EQ(StrGetField(copy->GetField(30), '|', 0), "12-3-46");
  // Field 18 keeps its ";" (an older file's misplaced one went when it was read).
  EXPECT_EQ(copy->GetValue(18, 2), "0;1");
}

TEST_F(NewRecordFixture, MaterialLinesSortedIntoTheTwoLists) {
  const MaterialListRows all = SortMaterialLines(lines_);
  std::vector<std::string> defined;
  for (const auto& row : all.defined) defined.push_back(row.definition->GetValue("ID"));
  // The definition without a name is left out.
  EXPECT_EQ(defined, (std::vector<std::string>{"SDM-250101080000-0001", "SDM-250101080000-0002",
                                               "SDM-250101080000-0003"}));
  ASSERT_GE(all.db.size(), 4u);
  EXPECT_EQ(all.db[0].definition->GetValue("ID"), "SDM-DBDBDB-GS-0099");  // "-DBDBDB-" lines of the file too
  EXPECT_EQ(all.db[2].heading, " ==== Gleisschotter, neu ====");
  EXPECT_EQ(all.db[2].definition, nullptr);
  size_t headings = 0;
  for (const auto& row : all.db) headings += row.definition ? 0 : 1;
  EXPECT_EQ(all.db.size() - headings, 78u + 2);  // every built-in definition and the file's two

  const std::string tower = "0.063;2;8";
  const MaterialListRows same = SortMaterialLines(lines_, &tower);
  ASSERT_EQ(same.defined.size(), 2u);
  EXPECT_EQ(same.defined[0].definition->GetValue("ID"), "SDM-250101080000-0002");
  for (const auto& row : same.db) EXPECT_EQ(row.definition, nullptr);  // only the headings stay
  EXPECT_EQ(same.db.size(), headings);
}

}  // namespace
