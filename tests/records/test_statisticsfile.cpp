// Statistics files: the material and the period file of the fixture set
// compared with files written by hand, line by line with the origin of each
// line; the helpers as tables of cases.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "fixtures/statistics/statistics_records.h"
#include "platform/files.h"
#include "platform/textfile.h"
#include "records/statisticsfile.h"
#include "records/strutil.h"
#include "records/versuch.h"
#include "support/temp_folder.h"

namespace {

struct Line {
  const char* text;
  const char* origin;
};

std::string Joined(const std::vector<Line>& lines) {
  std::string text;
  for (const Line& line : lines) text += std::string(line.text) + "\n";
  return text;
}

// Compares line by line first, so that a difference names its line and origin.
void ExpectFile(const std::string& actual, const std::vector<Line>& expected) {
  const std::vector<std::string> got = platform::SplitLines(actual);
  for (size_t i = 0; i < expected.size(); ++i) {
    ASSERT_LT(i, got.size()) << "missing line " << i + 1 << ": " << expected[i].origin;
    EXPECT_EQ(got[i], expected[i].text) << "line " << i + 1 << ": " << expected[i].origin;
  }
  EXPECT_EQ(got.size(), expected.size());
  EXPECT_EQ(actual, Joined(expected));
}

constexpr char kMaterialSelection[] = "M|[SDM-TEST-0001]|12|34|20210301|20210331|0|0|0|K-1001||";
constexpr char kPeriodSelection[] = "T|12|12|34|20210301|20210331|0|0|0|||";

const std::string kVersuchA1 =
    "{12-34-0101;01.03.2021;Trocken;DIN EN 12620;Kies 0/16;1;E I E III}"  // KORNF:9 does not count
    "{1.2;30.5;;65.0;100.0}"                                             // no 4 mm sieve
    "{26.0_#;12;;;;;;3.5;;;E II;;;}"                                     // shape NotMet as _#
    "{;}"
    "{45.0@30.0@25.0_*@}"                                                // Rb failed (field 15 part 6)
    "{0.063 1.0@2 30.0@8 66.0@16 100.0}";
const std::string kVersuchA2 =
    "{12-34-0102;10.03.2021;Nass;DIN EN 12620;Kies 0/16;0; }"  // PLATT:9, no alkali classes
    "{0.8_*;28.0_*;;60.5;100.0}"                               // failed sieves from field 4
    "{16.0;31_*;;;;;;;;;;;;}"
    "{;}"
    "{}"
    "{0.063 1.0@2 30.0@8 66.0@16 100.0}";
const std::string kVersuchA3 =
    "{12-34-0103;15.03.2021;Trocken;DIN EN 12620;Kies 0/16;1; }"
    "{2.0;33.0;48.0_*;70.0;100.0}"  // failed list "4.0;" framed without ".0"
    "{18.5;;;;;;;;;;;;;}"
    "{2.5;}"
    "{}"
    "{0.063 1.0@2 30.0@8 66.0@16 100.0}";

TEST(StatisticsFile, MaterialFileOfTheFixtureSet) {
  const RecordList records = statfix::FixtureRecords();
  const StatisticsFile file = WriteMaterialStatistics(statfix::Pointers(records, {0, 1, 2}), kMaterialSelection,
                                                      *records[0], "/data", statfix::FixedClock());
  EXPECT_EQ(file.path, "/data/stat/M20240517-140309.sta");
  const std::string versuch = "VERSUCH=";
  ExpectFile(
      file.text,
      {
          {kStatisticsBanner, "banner"},
          {"DATA_START", "row 2"},
          {"FORMATVERSION=002", "row 3"},
          {"BROWSERINFO=M||20210301-20210331|Kies 0/16|2024-05-17 14:03|Schotterwerke Süd / Kieswerk Au|"
           "Betonwerk Rhein|Gesteinskörnung|",
           "M, period of parts 4-5, A1 field 18/0, creation time, operator / plant, customer (part 9 set), "
           "MATERIALART, no monitoring flag"},
          {"TYP=MeKsonder", "A1 field 1 parts 2 and 3 are 0: eK; own material: no G, K or D"},
          {"BETREIBER=Schotterwerke Süd", "A1 field 1/18"},
          {"BETREIBER_NR=12", "A1 field 1/16"},
          {"WERK=Kieswerk Au", "A1 field 1/17"},
          {"WERK_NR=34", "A1 field 1/15"},
          {"MATERIAL=Kies 0/16", "A1 field 18/0"},
          {"MATERIALART=Gesteinskörnung", "A1 field 30/3"},
          {"VORSCHRIFT=DIN EN 12620", "A1 field 18/1"},
          {"PRUEFART=Werkseigene Produktionskontrolle", "SPEZ_3 of A1's definition"},
          {(std::string("ANFORDERUNGS_STRING=") + records[0]->GetField(5)).c_str(), "reference field 5"},
          {(std::string("MATDEF_STRING=") + statfix::kMaterialA).c_str(), "reference field 25"},
          {"SOLLKURVEN={0.063;5;-1}{16;100;-1}|1|O|{0.063;0;-1}{16;90;-1}|1|U|", "reference field 11 (own material)"},
          {"KUNDE_ID=K-1001", "selection part 9"},
          {"KUNDE_BEZEICHNUNG=Betonwerk Rhein", "A1 field 1/20"},
          {"DATUMVON=2021-03-01", "part 4 as ISO date"},
          {"DATUMBIS=2021-03-31", "part 5 as ISO date"},
          {"ERSTELLT_AM=2024-05-17", "clock"},
          {"DEBUG_FILTER=M|[SDM-TEST-0001]|12|34|20210301|20210331|0|0|0|K-1001||", "the selection"},
          {"SIEBTURM=0.063;2;4;8;16", "both towers merged"},
          {"", "after SIEBTURM"},
          {"IS_NOETIG_VA_GRUND=1", "last record A3 has the test"},
          {"IS_NOETIG_VA_SIEBL=1", "tower in A3's definition"},
          {"IS_NOETIG_VA_KORNF=1", "side tests of A3's definition"},
          {"IS_NOETIG_VA_PLATT=1", ""},
          {"IS_NOETIG_VA_ORGAN=0", ""},
          {"IS_NOETIG_VA_BRUCH=0", ""},
          {"IS_NOETIG_VA_PETRO=0", ""},
          {"IS_NOETIG_VA_RCZUS=1", ""},
          {"VA_RCZUS_MATERIALIEN=Rc@Ru@Rb", "second part of A1's VA_RCZUS entry"},
          {"IS_NOETIG_VA_WASSERG=0", ""},
          {"IS_NOETIG_VA_SANDEQ=0", ""},
          {"IS_NOETIG_VA_FLIESSK=0", ""},
          {"IS_NOETIG_VA_ALKALI=1", ""},
          {"IS_NOETIG_VA_ROHDI=0", ""},
          {"IS_NOETIG_VA_WBS=0", ""},
          {"IS_NOETIG_VA_100MM=0", ""},
          {"IS_NOETIG_VA_GS_KORNFORM=0", ""},
          {"IS_NOETIG_VA_GS_UMWELT=0", ""},
          {"IS_NOETIG_VA_GS_WASSER=0", ""},
          {"IS_NOETIG_VA_GS_KRISTALL=0", ""},
          {"IS_NOETIG_VA_GS_PLATTIGKEIT=0", ""},
          {"IS_NOETIG_VA_GS_LAENGER100=0", ""},
          {"IS_NOETIG_VA_GS_REINHEIT=0", ""},
          {(versuch + kVersuchA1).c_str(), "A1"},
          {(versuch + kVersuchA2).c_str(), "A2"},
          {(versuch + kVersuchA3).c_str(), "A3"},
          {"", "after the records"},
          // Sieve columns 0.063 to 16, then KORNF (20_LE) to ROHDI; WBS has no column.
          {"S_MITTELWERT={1.3;30.5;48.0;65.2;100.0}{20.2_*;21.5;;;;;;3.5;;;;}",
           "shape index 20.2 > 20: NotMet; ALKALI \"E II\" is no number"},
          {"S_STANDARDABWEICHUNG={0.6;2.5;;4.8;0.0}{5.2;13.4;;;;;;;;;;}", "one value: no deviation"},
          {"S_VARIATIONSKOEFFIZIENT={45.8;8.2;;7.3;0.0}{25.8;62.5;;;;;;;;;;}", ""},
          {"S_MINIMUM={0.8;28.0;48.0;60.5;100.0}{16.0;12.0;;;;;;3.5;;;;}", ""},
          {"S_MAXIMUM={2.0;33.0;48.0;70.0;100.0}{26.0;31.0;;;;;;3.5;;;;}", ""},
          {"S_STREUUNG={1.2;5.0;0.0;9.5;0.0}{10.0;19.0;;;;;;0.0;;;;}", ""},
          {"", "after the statistics"},
          {"DATA_STOP", "end"},
      });
}

TEST(StatisticsFile, PeriodFileOfTheFixtureSet) {
  const RecordList records = statfix::FixtureRecords();
  const StatisticsFile file =
      WritePeriodStatistics(statfix::Pointers(records), kPeriodSelection, "/data", statfix::FixedClock());
  EXPECT_EQ(file.path, "/data/stat/T20240517-140309.sta");
  std::vector<Line> expected = {
      {kStatisticsBanner, "banner"},
      {"", "after the banner"},
      {"DATA_START", ""},
      {"", ""},
      {"FORMATVERSION=001", ""},
      {"", ""},
      {"BROWSERINFO=T||20210301-20210331||2024-05-17 14:03|Schotterwerke Süd / Kieswerk Au||Gesteinskörnung|",
       "T, two different days, creation time, operator / plant, no customer, MATERIALART of A1"},
      {"", ""},
      {"TYP=Tsonder", "A1: own material"},
      {"BETREIBER=Schotterwerke Süd", ""},
      {"BETREIBER_NR=12", ""},
      {"WERK=Kieswerk Au", ""},
      {"WERK_NR=34", ""},
      {"MATERIALART=Gesteinskörnung", ""},
      {"PRUEFART=", "no monitoring flag"},
      {"", ""},
      {"KUNDE_ID=", ""},
      {"KUNDE_BEZEICHNUNG=", "no customer chosen"},
      {"", ""},
      {"DATUMVON=2021-03-01", ""},
      {"DATUMBIS=2021-03-31", ""},
      {"", ""},
      {"ERSTELLT_AM=2024-05-17", ""},
      {"", ""},
      {"DEBUG_FILTER=T|12|12|34|20210301|20210331|0|0|0|||", ""},
      {"", ""},
      {"", "two empty lines"},
      {"SIEBTURM=0.063;2;4;8;16;22.4;31.5;40;50;63", "three towers merged"},
      {"", ""},
  };
  // Any record of the set has the test; each line is followed by an empty one.
  const char* needed[] = {"VA_GRUND=1",       "VA_SIEBL=1",          "VA_KORNF=1",         "VA_PLATT=1",
                          "VA_ORGAN=0",       "VA_BRUCH=0",          "VA_PETRO=0",         "VA_RCZUS=1",
                          "VA_WASSERG=0",     "VA_SANDEQ=0",         "VA_FLIESSK=0",       "VA_ALKALI=1",
                          "VA_ROHDI=0",       "VA_WBS=0",            "VA_100MM=0",         "VA_GS_KORNFORM=1",
                          "VA_GS_UMWELT=0",   "VA_GS_WASSER=1",      "VA_GS_KRISTALL=0",   "VA_GS_PLATTIGKEIT=1",
                          "VA_GS_LAENGER100=0", "VA_GS_REINHEIT=0"};
  std::vector<std::string> keep;
  keep.reserve(40);
  for (const char* n : needed) {
    keep.push_back(std::string("IS_NOETIG_") + n);
    expected.push_back({keep.back().c_str(), "A1-A3 own tests, B1 ballast tests"});
    expected.push_back({"", ""});
  }
  // The lines on the wider tower: five more empty sieve fields for A1-A3.
  std::string a1 = kVersuchA1, a2 = kVersuchA2, a3 = kVersuchA3;
  a1.replace(a1.find("100.0}"), 6, "100.0;;;;;}");
  a2.replace(a2.find("100.0}"), 6, "100.0;;;;;}");
  a3.replace(a3.find("100.0}"), 6, "100.0;;;;;}");
  keep.push_back("VERSUCH=" + a1);
  expected.push_back({keep.back().c_str(), "A1"});
  keep.push_back("VERSUCH=" + a2);
  expected.push_back({keep.back().c_str(), "A2"});
  keep.push_back("VERSUCH=" + a3);
  expected.push_back({keep.back().c_str(), "A3"});
  expected.push_back({"VERSUCH={12-34-0201;20.03.2021;Trocken;DBS 918 061;31,5/63 Gleisschotter;0; }"
                      "{;;;;;0.5;3.0;40.0;80.0;100.0}{14.0_#;7.5;0.4;;;;;}{;}{}{}",
                      "B1: GS_KORNFORM:9 sets the flag to 0; seven ballast values"});
  expected.push_back({"", "after the records"});
  expected.push_back({"DATA_STOP", "end"});
  ExpectFile(file.text, expected);
}

TEST(StatisticsFile, SavedAsCodePage1252WithCrLf) {
  TempFolder folder;
  platform::CreateFolder(folder / "stat");
  const RecordList records = statfix::FixtureRecords();
  const StatisticsFile file =
      WritePeriodStatistics(statfix::Pointers(records), kPeriodSelection, folder.path(), statfix::FixedClock());
  ASSERT_TRUE(platform::WriteTextFile(file.path, file.text));
  const std::string bytes = platform::ReadFileBytes(file.path).value_or("");
  EXPECT_EQ(bytes.substr(0, 2 + sizeof kStatisticsBanner - 1), std::string(kStatisticsBanner) + "\r\n");
  EXPECT_NE(bytes.find("BETREIBER=Schotterwerke S\xFC" "d\r\n"), std::string::npos);
  EXPECT_EQ(bytes.substr(bytes.size() - 11), "DATA_STOP\r\n");
  EXPECT_EQ(platform::DecodeText(bytes), file.text);
}

TEST(StatisticsFile, BrowserInfoOfOneDayAndTheMonitoringTexts) {
  const RecordList records = statfix::FixtureRecords();
  const auto set = statfix::Pointers(records, {0});
  struct Case {
    const char* selection;
    const char* browserStart;
    const char* monitoring;
    const char* testKind;
  } cases[] = {
      {"T|12|12|34|20210301||1|0|0|||", "BROWSERINFO=T|20210301|||", "|EÜ\n", "PRUEFART=Eigenüberwachung\n"},
      {"T|12|12|34|20210301|20210301|0|1|0|||", "BROWSERINFO=T|20210301|||", "|BÜ/Lieferzust.\n",
       "PRUEFART=Baustellenüberwachung / Lieferzustand\n"},
      {"T|12|12|34|20210301|20210302|0|0|1|||", "BROWSERINFO=T||20210301-20210302||", "|BÜ/eigeb. Zust.\n",
       "PRUEFART=Baustellenüberwachung / eingebauter Zustand\n"},
  };
  for (const Case& c : cases) {
    const std::string text = WritePeriodStatistics(set, c.selection, "/d", statfix::FixedClock()).text;
    const size_t info = text.find("BROWSERINFO=");
    ASSERT_NE(info, std::string::npos);
    const std::string line = text.substr(info, text.find('\n', info) - info + 1);
    EXPECT_EQ(line.rfind(c.browserStart, 0), 0u) << line;
    EXPECT_EQ(line.substr(line.size() - std::string(c.monitoring).size()), c.monitoring) << line;
    EXPECT_NE(text.find(c.testKind), std::string::npos) << c.selection;
  }
}

TEST(StatisticsFile, TypeLettersFollowTheFirstRecord) {
  auto typ = [](const std::string& materialId, const std::string& kind2, const std::string& kind3, bool material) {
    auto r = statfix::A1();
    r->SetField(5, statfix::Requirements("SDM", "BK", "x", materialId));
    r->SetValue(1, 2, kind2);
    r->SetValue(1, 3, kind3);
    StatisticsKeyMap keys;
    if (material)
      return WriteMaterialStatistics({r.get()}, "M|x|12|34|||0|0|0|||", *r, "/d", statfix::FixedClock()).text;
    BuildStatisticsFilter({r.get()}, "T|12|12|34|||0|0|0|||", "Tsonder", keys, statfix::FixedClock());
    return "\nTYP=" + keys["TYP"] + "\n";
  };
  EXPECT_NE(typ("SDM-TEST-0001", "0", "0", false).find("\nTYP=Tsonder\n"), std::string::npos);
  EXPECT_NE(typ("SDM-DBDBDB-GS-0001", "0", "0", false).find("\nTYP=TsonderGD\n"), std::string::npos);
  EXPECT_NE(typ("SDM-DBDBDB-BK-0101", "0", "0", false).find("\nTYP=TsonderKD\n"), std::string::npos);
  EXPECT_NE(typ("SDM-TEST-0001", "4", "0", true).find("\nTYP=MeKsonder\n"), std::string::npos);
  EXPECT_NE(typ("SDM-TEST-0001", "2", "0", true).find("\nTYP=Msonder\n"), std::string::npos);
  EXPECT_NE(typ("SDM-TEST-0001", "1", "-1", true).find("\nTYP=Msonder\n"), std::string::npos);
}

TEST(StatisticsFile, FormatGermanDate) {
  const char* cases[][2] = {{"20210305", "05.03.2021"}, {"20210305093000", "05.03.2021"},
                            {"2021030", "2021030"},     {"", ""}};
  for (const auto& c : cases) EXPECT_EQ(FormatGermanDate(c[0]), c[1]) << c[0];
}

TEST(StatisticsFile, MergeSieveTowers) {
  struct Case {
    std::vector<std::string> towers;
    const char* merged;
  } cases[] = {
      {{"0.063;2;8", "0.063;4;8"}, "0.063;2;4;8"},
      {{"31.5;8;0.063", "", "16;8"}, "0.063;8;16;31.5"},  // by value, empty towers add nothing
      {{"2;2.0"}, "2;2.0"},                               // different texts stay, in their order
      {{}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(MergeSieveTowers(c.towers), c.merged);
}

TEST(StatisticsFile, BuildSieveColumns) {
  struct Case {
    const char* merged;
    const char* tower;
    const char* values;
    const char* failed;
    const char* columns;
  } cases[] = {
      {"0.063;2;4;8", "0.063;2;8", "1;30;60", "", "1;30;;60"},          // a missing sieve stays empty
      {"0.063;2;4;8", "0.063;2;8", "1;30;60", "2;0.063;", "1_*;30_*;;60"},
      {"0.063;2.0;4", "0.063;2.0;4", "1;30;50", "2;", "1;30_*;50"},    // "2.0" matches the failed "2"
      {"0.063;2;4", "0.063;2;4", "1;30;50", "4.0;", "1;30;50_*"},      // the failed "4.0" matches "4"
      {"0.063;4", "0.063;4", "1;30;50", "", "1;30"},                   // values beyond the tower unused
      {"0.063;4;8", "0.063;4;8", "1", "8;", "1;;_*"},                   // fewer values than sieves
      {"", "0.063", "1", "", ""},                                      // no tower at all
  };
  for (const Case& c : cases) EXPECT_EQ(BuildSieveColumns(c.merged, c.tower, c.values, c.failed), c.columns);
}

TEST(StatisticsFile, ListFailedSieves) {
  struct Case {
    const char* rows;  // field 4 part 0
    const char* tower;
    const char* values;
    const char* failed;
  } cases[] = {
      {"{a@2@1@x@1}{b@8@1@x@0}", "0.063;2;8", "1;2;3", "2;"},               // only rows marked 1
      {"{Feinanteil 0,063 mm@@1@x@1}", "0.063;2", "1;2", "0.063;"},           // named by its label
      {"{Feinanteil 0,02 mm@@1@x@1}", "0.02;2", "1;2", "0.02;"},
      {"{Gesamt@@1@x@1}", "0.063;2", "1;2", ""},                              // no sieve to name
      {"{Bereich@2-8@1@x@1}", "0.063;2;8", "1;2;3", "2;8;"},                  // a range names two
      {"{a@31.5@1@x@1}", "0.063;2", "1;2", ""},                               // not in the tower
      {"{a@2@1@x@1}", "0.063;2", "", ""},                                     // no sieve values
  };
  for (const Case& c : cases) {
    auto r = statfix::A1();
    r->SetField(4, c.rows);
    r->SetValue(6, 0, c.tower);
    r->SetValue(10, 0, c.values);
    EXPECT_EQ(ListFailedSieves(*r), c.failed) << c.rows;
  }
}

TEST(StatisticsFile, FailedSievesComeFromTheReportRowsOnlyForAFailedSieveAnalysis) {
  auto a2 = statfix::A2();
  const std::string tower = "0.063;2;8;16";
  EXPECT_NE(BuildStatisticsLine(*a2, tower).find("{0.8_*;28.0_*;60.5;100.0}"), std::string::npos);
  a2->SetValue(2, 0, "2");  // field 2 part 0 not below 2
  EXPECT_NE(BuildStatisticsLine(*a2, tower).find("{0.8;28.0;60.5;100.0}"), std::string::npos);
  a2->SetValue(2, 0, "0");
  a2->SetTestStatus("VA_SIEBL", "8");
  EXPECT_NE(BuildStatisticsLine(*a2, tower).find("{0.8;28.0;60.5;100.0}"), std::string::npos);
  a2->SetValue(10, 1, "16;");  // a stored list wins
  EXPECT_NE(BuildStatisticsLine(*a2, tower).find("{0.8;28.0;60.5;100.0_*}"), std::string::npos);
}

TEST(StatisticsFile, RequirementFlagIgnoresOnlyTheGrainShape) {
  struct Case {
    const char* status;
    char flag;
  } cases[] = {
      {"[VA_GRUND:8][VA_PLATT:8][VA_KORNF:9]", '1'},
      {"[VA_GRUND:8][VA_PLATT:9][VA_KORNF:8]", '0'},
      {"[VA_GS_KORNFORM:9]", '0'},
      {"", '1'},
  };
  for (const Case& c : cases) {
    auto r = statfix::A3();
    r->SetField(29, c.status);
    const std::string basic = BuildStatisticsLine(*r, "0.063");
    EXPECT_EQ(basic[basic.find(";Kies 0/16;") + 11], c.flag) << c.status;
  }
}

// ComputeStatisticsRows on lines of two sieve columns and side-test values.
std::string Line(const std::string& sieves, const std::string& side) { return "{n}{" + sieves + "}{" + side + "}{;}{}{}"; }

TEST(StatisticsFile, ComputeStatisticsRows) {
  struct Case {
    std::vector<std::string> lines;
    const char* code;
    std::array<const char*, 6> rows;
  } cases[] = {
      // One record: deviation and variation empty, with the same separators.
      {{Line("1.0;2.0", "10;x;")}, "",
       {"{1.0;2.0}{10.0}", "{;}{}", "{;}{}", "{1.0;2.0}{10.0}", "{1.0;2.0}{10.0}", "{0.0;0.0}{0.0}"}},
      // An empty field does not count; "_*" is removed before reading.
      {{Line("1.0_*;", "4;x;"), Line("3.0;", "8;x;")}, "",
       {"{2.0;}{6.0}", "{1.4;}{2.8}", "{70.7;}{47.1}", "{1.0;}{4.0}", "{3.0;}{8.0}", "{2.0;}{4.0}"}},
      // Values of 999 and more and of -999 and -444 are values like any other.
      {{Line("999.5;-999.0", "-444.0;x;"), Line("1000.5;-999.0", "-444.0;x;")}, "",
       {"{1000.0;-999.0}{-444.0}", "{0.7;0.0}{0.0}", "{0.1;}{}", "{999.5;-999.0}{-444.0}",
        "{1000.5;-999.0}{-444.0}", "{1.0;0.0}{0.0}"}},
      // Texts that hold no number are skipped, not read as 0.
      {{Line("-;5.0", "I;x;"), Line("4.0;E II", "2;x;")}, "",
       {"{4.0;5.0}{2.0}", "{;}{}", "{;}{}", "{4.0;5.0}{2.0}", "{4.0;5.0}{2.0}", "{0.0;0.0}{0.0}"}},
  };
  for (const Case& c : cases) {
    const auto rows = ComputeStatisticsRows(c.lines, c.code);
    for (size_t r = 0; r < 6; ++r) EXPECT_EQ(rows[r], c.rows[r]) << c.lines.front() << " row " << r;
  }
}

TEST(StatisticsFile, ShapeIndexMeanIsMarkedWhenItFailsTheRequirement) {
  struct Case {
    const char* code;
    const char* mean;  // of 18 and 22
  } cases[] = {
      {"20_LE", "{1.0}{20.0;5.0}"},   // 20 <= 20
      {"19_LE", "{1.0}{20.0_*;5.0}"}, // the only case the old rule judged right
      {"19,5_LT", "{1.0}{20.0_*;5.0}"},
      {"5-30", "{1.0}{20.0;5.0}"},    // inside the range
      {"5-15", "{1.0}{20.0_*;5.0}"},
      {"25_GE", "{1.0}{20.0_*;5.0}"},
      {"15_GT", "{1.0}{20.0;5.0}"},
      {"--", "{1.0}{20.0;5.0}"},      // no requirement
      {"", "{1.0}{20.0;5.0}"},
  };
  const std::vector<std::string> lines = {Line("1.0", "18;5;x;"), Line("1.0", "22;5;x;")};
  for (const Case& c : cases) EXPECT_EQ(ComputeStatisticsRows(lines, c.code)[0], c.mean) << c.code;
}

TEST(StatisticsFile, AtMostNinetyEightColumns) {
  std::string sieves;
  for (int i = 0; i < 120; ++i) sieves += (i ? ";" : "") + std::to_string(i);
  const auto rows = ComputeStatisticsRows({Line(sieves, "1;2;")}, "");
  EXPECT_EQ(StrCountChar(rows[0], ';'), 97);
}

}  // namespace
