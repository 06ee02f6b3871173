// The petrography computation: masses, shares and the sum of the unsuitable
// constituents judged against the fixed limits for three uses of concrete
// aggregate, the texts the opener stores, and the packing of property texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "evaluation/petrographie/petrographie.h"
#include "records/strutil.h"
#include "reports/side_page_records.h"

namespace {

// Masses of rows 1 .. 8 (the Summe A row is not read).
PetrographyInput Masses(std::vector<std::string> masses) {
  PetrographyInput in = PetrographyDefaults("");
  masses.resize(kPetroRows);
  for (int row = 0; row < kPetroRows; ++row) in.masses[static_cast<size_t>(row)] = masses[static_cast<size_t>(row)];
  return in;
}

std::string Shares(const PetrographyResult& r) {
  std::string out;
  for (const std::string& share : r.shares) out += share + ";";
  return out;
}

std::string Checks(const PetrographyResult& r) {
  std::string out;
  for (int check : r.checks) out += std::to_string(check);
  return out;
}

struct Case {
  const char* name;
  std::vector<std::string> masses;  // rows 1 .. 8
  const char* sumA;
  const char* total;
  const char* shares;  // rows 1 .. 8
  const char* totalShare;
  const char* checks;  // A D K S, B D K S, C D K S
  const char* status;
};

class PetrographyCases : public ::testing::TestWithParam<Case> {};

TEST_P(PetrographyCases, SharesChecksAndStatus) {
  const Case& c = GetParam();
  const PetrographyResult r = ComputePetrography(Masses(c.masses));
  EXPECT_EQ(r.masses[kPetroSumA], c.sumA);
  EXPECT_EQ(r.totalMass, c.total);
  EXPECT_EQ(Shares(r), c.shares);
  EXPECT_EQ(r.totalShare, c.totalShare);
  EXPECT_EQ(Checks(r), c.checks);
  EXPECT_EQ(r.status, c.status);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PetrographyCases,
    ::testing::Values(
        // A1 lies inside the flint total and is not added again: 60.0 + 39.5 +
        // 0.3 + 0.0 = 99.8. Summe A = 0.50 % fails "< 0.50" for all three uses.
        Case{"SummeAAtTheLimitFails", {"60", "39.5", "0.2", "0.3", "0.0", "", "", ""}, "0.5", "99.8",
             "60.12;39.58;0.20;0.30;0.00;0.50;;;", "100.00", "222000000", "9"},
        // Three thirds of 33.33: the harmless share takes up the shortfall.
        Case{"ShortfallTakenUpByRowOne", {"1", "1", "", "1", "", "", "", ""}, "1.0", "3.0",
             "33.34;33.33;;33.33;;33.33;;;", "100.00", "222000000", "9"},
        // Six sixths of 16.67 overshoot by 0.02: row one gives them back.
        Case{"SurplusTakenUpByRowOne", {"1", "1", "", "1", "1", "", "1", "1"}, "2.0", "6.0",
             "16.65;16.67;;16.67;16.67;33.34;16.67;16.67;", "100.00", "222222222", "9"},
        // Without a mass in A1 to C no check runs: status "0".
        Case{"NoUnsuitableRowsNoCheck", {"980", "20", "", "", "", "", "", ""}, "", "1000.0",
             "98.00;2.00;;;;;;;", "100.00", "000000000", "0"},
        // Within all limits; "," is read as decimal point.
        Case{"AllMet", {"995,5", "4", "0.1", "0.1", "", "", "0,2", ""}, "0.2", "999.8",
             "99.57;0.40;0.01;0.01;;0.02;0.02;;", "100.00", "111111000", "8"},
        // Masses of 0 g leave nothing to share.
        Case{"ZeroTotal", {"0", "0", "", "", "", "", "", ""}, "", "0.0", ";;;;;;;;", "", "000000000", "0"},
        Case{"Empty", {}, "", "", ";;;;;;;;", "", "000000000", "0"}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// A gravel 8/16 sorted after EN 932-3 into a test portion of 2994.0 g:
//   harmless 2904.5 g, flint in all 71.8 g (A1 chalk-crusted flint 5.2 g in it),
//   A2 porous limestone 6.1 g, A3 weak claystone 2.3 g, B limonite 9.0 g, C wood 0.3 g.
//   total = 2904.5 + 71.8 + 6.1 + 2.3 + 9.0 + 0.3 = 2994.0 g (A1 counted with the flint)
//   shares, rounded to 0.01: 97.01, 2.40, A1 0.17, A2 0.20, A3 0.08, B 0.30, C 0.01
//   (5.2 / 2994.0 = 0.1737 %, 0.3 / 2994.0 = 0.0100 %); they add up to 100.00.
//   Summe A = 0.17 + 0.20 + 0.08 = 0.45 % < 0.50 for every use;
//   B = 0.30 % <= 0.50 for Deckschichten, above 0.25 for Kappen and Sichtflächen;
//   C = 0.01 % <= 0.02, <= 0.02 and <= 0.01. B fails twice: status "9".
TEST(Petrography, GravelSampleAfterEn932_3) {
  PetrographyInput in = Masses({"2904.5", "71.8", "5.2", "6.1", "2.3", "", "9.0", "0.3"});
  in.propertyTexts = {"Flint, grau, kantig#CRLF#Kreidekruste teils abgerieben#CRLF#mit Einschlüssen",
                      "Kalkstein, porös, gelblich#CRLF##CRLF#", "Tonstein, weich#CRLF##CRLF#",
                      "Limonitkonkretionen#CRLF##CRLF#", "Holzreste#CRLF##CRLF#"};
  const PetrographyResult r = ComputePetrography(in);
  EXPECT_EQ(Shares(r), "97.01;2.40;0.17;0.20;0.08;0.45;0.30;0.01;");
  EXPECT_EQ(Checks(r), "111122111");
  EXPECT_EQ(r.status, "9");
  // The page B record of the report tests is this sample as stored.
  EXPECT_EQ(r.ResultText(), reporttest::PetrographyField());

  const TestEntryResult stored = PetrographyEntryResult(r);
  EXPECT_EQ(stored.resultText, r.ResultText());
  EXPECT_EQ(stored.status, "9");
  ASSERT_TRUE(stored.statisticsValue);
  EXPECT_EQ(MarkedStatisticsValue(*stored.statisticsValue, stored.status),
            "97.01@2.40@0.17@0.20@0.08@0.45@0.30@0.01@_*");
}

TEST(Petrography, StoredFieldLayout) {
  const std::string field = reporttest::PetrographyField();
  EXPECT_EQ(StrCountFields(field, '|'), 53);  // parts 0 .. 51 and the empty end after the last "|"
  EXPECT_EQ(field.substr(0, 11), std::string(11, '|'));
  EXPECT_EQ(StrGetField(field, '|', 24), "2994.0");
  EXPECT_EQ(StrGetField(field, '|', 33), "100.00");
  EXPECT_EQ(StrGetField(field, '|', 35), "<= 0.50");  // B for Deckschichten
  EXPECT_EQ(StrGetField(field, '|', 47), "2");        // B for Kappen

  // An empty result keeps its layout: 52 parts, the nine checks "0".
  const std::string empty = ComputePetrography(PetrographyDefaults("")).ResultText();
  EXPECT_EQ(StrCountFields(empty, '|'), 53);
  EXPECT_EQ(StrGetField(empty, '|', 34), "< 0.50");
  EXPECT_EQ(StrGetField(empty, '|', 51), "0");
}

TEST(Petrography, StoredRequirementTextsShownFixedCodesJudge) {
  // A record stored with other requirement texts: they are shown and kept,
  // but A is judged by "< 0.50" all the same.
  std::string field = reporttest::PetrographyField();
  for (int part = 34; part <= 42; ++part) StrSetField(field, '|', part, "< 0.40");
  const PetrographyInput in = PetrographyDefaults(field);
  EXPECT_EQ(in.masses[kPetroHarmless], "2904.5");
  EXPECT_EQ(in.propertyTexts[3], "Limonitkonkretionen#CRLF##CRLF#");
  const PetrographyResult r = ComputePetrography(in);
  for (const std::string& text : r.requirementTexts) EXPECT_EQ(text, "< 0.40");
  EXPECT_EQ(r.shares[kPetroSumA], "0.45");
  EXPECT_EQ(r.checks[PetroCheckIndex(0, kDeckschichten)], kPetroMet);
  EXPECT_EQ(StrGetField(r.ResultText(), '|', 36), "< 0.40");
}

TEST(PropertyText, PackedAsTheEditorShowsIt) {
  const struct {
    std::vector<std::string> lines;
    const char* stored;
  } packs[] = {
      {{"grau"}, "grau#CRLF##CRLF#"},
      {{}, "#CRLF##CRLF#"},
      {{"a", "b", "c", "d"}, "a#CRLF#b#CRLF#c"},  // a fourth line is not kept
      {{"A|B", "x~y", "5$"}, "AB#CRLF#x#y#CRLF#5#"},
  };
  for (const auto& p : packs) EXPECT_EQ(PackPropertyText(p.lines), p.stored);
  // Lines hold at most 250 characters (an umlaut is one).
  const std::string longLine = std::string(249, 'x') + "äöü";
  EXPECT_EQ(PackPropertyText({longLine}), std::string(249, 'x') + "ä#CRLF##CRLF#");

  const struct {
    const char* stored;
    const char* edited;
  } unpacks[] = {
      {"grau#CRLF##CRLF#", "grau"},
      {"a#CRLF#b#CRLF#", "a\nb"},
      {"a#CRLF#b#CRLF#c", "a\nb\nc"},
      {"#CRLF##CRLF#", ""},
      {"a#CRLF##CRLF##CRLF#", "a\n"},  // only two line ends come off
  };
  for (const auto& u : unpacks) EXPECT_EQ(UnpackPropertyText(u.stored), u.edited) << u.stored;

  EXPECT_EQ(PropertyTextLines("a#CRLF#b#CRLF#"), (std::vector<std::string>{"a", "b", ""}));
  EXPECT_EQ(PropertyTextOnOneLine("a#CRLF#b#CRLF#"), "a b ");
  // A text that reached the record with a reserved character is cleaned on the way back.
  PetrographyInput in = PetrographyDefaults("");
  in.propertyTexts[0] = "Flint|grau~$";
  EXPECT_EQ(StrGetField(ComputePetrography(in).ResultText(), '|', 11), "Flintgrau##");
}

}  // namespace

// ---- what no one can have weighed

TEST(PetrographyRefusals, ARefusedMassOrA1AboveTheFlintJudgesNothing) {
  struct Refused {
    const char* name;
    std::vector<std::string> masses;
    int row;
  };
  // "-5" and "abc", read as 0.0, would turn all nine checks green.
  const Refused cases[] = {
      {"Negative", {"990", "10", "0.1", "-5", "", "", "0.2", ""}, kPetroA2},
      {"Letters", {"990", "10", "0.1", "0.1", "abc", "", "0.2", ""}, kPetroA3},
      {"Exponent", {"1e5", "10", "0.1", "", "", "", "", ""}, kPetroHarmless},
      {"A1AboveFlint", {"990", "10", "12", "", "", "", "", ""}, kPetroA1},
  };
  for (const Refused& c : cases) {
    SCOPED_TRACE(c.name);
    const PetrographyResult r = ComputePetrography(Masses(c.masses));
    ASSERT_EQ(r.faults.size(), 1u);
    EXPECT_EQ(r.faults[0].input, c.row);
    EXPECT_EQ(r.status, "0");
    EXPECT_EQ(Checks(r), "000000000");
    EXPECT_EQ(Shares(r), ";;;;;;;;");
    EXPECT_EQ(r.totalMass + r.totalShare + r.masses[kPetroSumA], "");
    // What was typed stays for correction.
    EXPECT_EQ(r.masses[static_cast<size_t>(c.row)], c.masses[static_cast<size_t>(c.row)]);
    EXPECT_EQ(PetrographyEntryResult(r).statisticsValue, "@@@@@@@@");
  }
  // A1 as heavy as the whole flint is possible, and one step of the balance
  // above it, weighed apart; compared as typed.
  EXPECT_TRUE(ComputePetrography(Masses({"990", "10", "10", "", "", "", "", ""})).faults.empty());
  EXPECT_TRUE(ComputePetrography(Masses({"990", "10", "10.1", "", "", "", "", ""})).faults.empty());
  EXPECT_EQ(ComputePetrography(Masses({"990", "10", "10.1", "", "", "", "", ""})).status, "9");
  EXPECT_EQ(ComputePetrography(Masses({"990", "10", "10.2", "", "", "", "", ""})).faults.size(), 1u);
  EXPECT_EQ(ComputePetrography(Masses({"990", "10.06", "10.24", "", "", "", "", ""})).faults.size(), 1u);
}
