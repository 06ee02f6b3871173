// The mixture start file "tmp.pvm" as golden texts: the shares, the order of
// the designations, armourstone gradings and records without a grading.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fixtures/statistics/statistics_records.h"
#include "records/mixturestartfile.h"
#include "records/versuch.h"

namespace {

// A record with a sieve analysis: list columns 0, 3 and 4, tower, passing
// values (descending, as stored) and the base price of its definition.
std::unique_ptr<CVersuch> Sieved(const std::string& number, const std::string& designation,
                                 const std::string& tower, const std::string& passing) {
  return statfix::Record({
      {3, "0|" + passing + "|"},
      {6, tower + "|"},
      {7, "||1|1|0||1"},
      {25, "{0}{SDM-X|" + designation + "|||}{}{Kies|DIN|WPK|12.50|20240101}{}{}{}"},
      {30, number + "|||Gesteinskörnung|" + designation + "|DIN"},
  });
}

// An armourstone record: no passing values, the grading of field 26.
std::unique_ptr<CVersuch> Armourstone(const std::string& number, const std::string& sizes,
                                      const std::string& passing) {
  std::vector<std::string> parts(14);
  parts[10] = sizes;
  parts[13] = passing;
  return statfix::Record({
      {26, statfix::Join(parts, '|')},
      {25, "{0}{SDM-W|CP 90/250|||}{}{Wasserbaustein|DIN EN 13383|EP|||}{}{}{}"},
      {30, number + "|||Wasserbaustein|CP 90/250|DIN EN 13383"},
  });
}

std::vector<const CVersuch*> Pointers(const std::vector<std::unique_ptr<CVersuch>>& records) {
  std::vector<const CVersuch*> out;
  for (const auto& r : records) out.push_back(r.get());
  return out;
}

constexpr char kHead[] =
    "BEZEICHNUNG=[unbenannt]\nKOPFTEXT_LINKS=[Mischungsempfehlung]\nKOPFTEXT_RECHTS=[]\nANGELEGT_AM=[240517140309]\n";

TEST(MixtureStartFile, OneRecordTakesTheWholeShare) {
  std::vector<std::unique_ptr<CVersuch>> records;
  records.push_back(Sieved("12-34-0001", "0/2", "0.063;2;0.5", "100.0;80.0;3.5"));
  const MixtureStartFile file = MakeMixtureStartFile(Pointers(records), statfix::FixedClock());
  EXPECT_EQ(file.entries, 1);
  EXPECT_EQ(file.skipped, 0);
  // The tower sorted largest first; the passing values as stored.
  EXPECT_EQ(file.text, std::string(kHead) +
                           "MATERIAL=[12-34-0001   0/2 (Gesteinskörnung)|2;0.5;0.063|100.0;80.0;3.5][1000|1|0]"
                           "[12.50|20240101][1]\nZIELTURM=[]\n");
}

TEST(MixtureStartFile, ThreeEntriesInTheOrderOfTheirDesignations) {
  std::vector<std::unique_ptr<CVersuch>> records;
  records.push_back(Sieved("12-34-0001", "8/16", "8;16", "100;10"));
  records.push_back(Sieved("12-34-0002", "0/2", "0.063;2", "100;5"));
  records.push_back(Sieved("12-34-0003", "2/8", "2;8", "100;8"));
  records[2]->SetValue(7, 6, "0");  // no sieve data flag
  const MixtureStartFile file = MakeMixtureStartFile(Pointers(records), statfix::FixedClock());
  EXPECT_EQ(file.entries, 3);
  EXPECT_EQ(file.text, std::string(kHead) +
                           "MATERIAL=[12-34-0002   0/2 (Gesteinskörnung)|2;0.063|100;5][333|1|0][12.50|20240101][1]\n"
                           "MATERIAL=[12-34-0003   2/8 (Gesteinskörnung)|8;2|100;8][333|1|0][12.50|20240101][0]\n"
                           "MATERIAL=[12-34-0001   8/16 (Gesteinskörnung)|16;8|100;10][333|1|0][12.50|20240101][1]\n"
                           "ZIELTURM=[]\n");
}

TEST(MixtureStartFile, ArmourstoneGradingsAndSkippedRecords) {
  std::vector<std::unique_ptr<CVersuch>> records;
  records.push_back(Armourstone("12-34-0101", "90@125@180@250@350", "0@15@@88@100"));  // items 1 and 3
  records.push_back(Armourstone("12-34-0102", "90@180@250@350", "0@40@90@100"));      // four items: skipped
  records.push_back(statfix::Record({{30, "12-34-0103|||Kies|0/8|"}}));                // nothing at all
  const MixtureStartFile file = MakeMixtureStartFile(Pointers(records), statfix::FixedClock());
  EXPECT_EQ(file.entries, 1);
  EXPECT_EQ(file.skipped, 2);
  EXPECT_EQ(file.text, std::string(kHead) +
                           "MATERIAL=[12-34-0101   CP 90/250 (Wasserbaustein)|125;250|15;88][1000|1|0][|][0]\n"
                           "ZIELTURM=[]\n");
}

TEST(MixtureStartFile, OnlySkippedRecordsGiveNoFile) {
  std::vector<std::unique_ptr<CVersuch>> records;
  records.push_back(Armourstone("12-34-0102", "90@180@250@350", "0@40@90@100"));
  const MixtureStartFile file = MakeMixtureStartFile(Pointers(records), statfix::FixedClock());
  EXPECT_EQ(file.entries, 0);
  EXPECT_EQ(file.skipped, 1);
  EXPECT_EQ(file.text, "");
}

TEST(MixtureStartFile, TrackBallastHasSieveData) {
  auto ballast = statfix::B1();
  ballast->SetValue(7, 6, "0");
  EXPECT_TRUE(ballast->HasSieveData());
  const auto material = BuildMixtureMaterial(*ballast);
  ASSERT_TRUE(material);
  EXPECT_EQ(material->entry.substr(material->entry.size() - 3), "[1]");
}

TEST(FormatSieveLabelKeys, KeysAndStableOrder) {
  std::vector<std::string> designations = {"8/16", "Sand", "0/2", "2/8", "32", "2 / 8", "0/2", "4,5/8"};
  std::vector<std::string> entries = {"a", "b", "c", "d", "e", "f", "g", "h"};
  FormatSieveLabelKeys(designations, entries);
  // "Sand" counts as 0; "2 / 8" and "4,5/8" do not read as "a/b" and key as
  // their leading numbers 2 and 4; equal keys keep their order.
  EXPECT_EQ(entries, (std::vector<std::string>{"b", "c", "f", "g", "h", "e", "d", "a"}));
  EXPECT_EQ(designations, (std::vector<std::string>{"Sand", "000002.000", "2 / 8", "000002.000", "4,5/8", "32",
                                                    "002008.000", "008016.000"}));
}

}  // namespace
