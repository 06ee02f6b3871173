// The lists of the track-ballast sieve table and the verdicts of pages X and
// Y, decided without drawing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/versuch.h"
#include "reports/ballast_report.h"

namespace {

using Strings = std::vector<std::string>;

// A new-ballast record with the given status list, tolerance option and print variant.
CVersuch Ballast(const std::string& statusList, const std::string& tolerance = "0", const std::string& variant = "0") {
  CVersuch r;
  r.SetField(5, "SDM;;Gleisschotter;;;;;;[SDM-DBDBDB-GS-0001]");
  r.SetField(29, statusList);
  r.SetValue(18, 9, tolerance);
  r.SetValue(1, 45, variant);
  return r;
}

const char* Name(BallastVerdict v) {
  switch (v) {
    case BallastVerdict::kNone: return "none";
    case BallastVerdict::kMet: return "met";
    case BallastVerdict::kNotMet: return "not met";
    case BallastVerdict::kToleranceNote: return "tolerance note";
  }
  return "?";
}

}  // namespace

TEST(BallastLists, FractionsAndOpenings) {
  struct Case {
    const char* sieves;
    Strings fractions, openings;
  } cases[] = {
      {"63;50;40;31.5;22.4;0.5;0.063;< 0.063",
       {"> 63", "50 - 63", "40 - 50", "31.5 - 40", "22.4 - 31.5", "0.5 - 22.4", "0.063 - 0.5", "< 0.063"},
       {"63", "50", "40", "31.5", "22.4", "0.5", "0.063", ""}},
      // The built-in sieve tower writes whole sizes with ".0".
      {"80.0;63.0;50.0;40.0;31.5;< 31.5",
       {"> 80", "63 - 80", "50 - 63", "40 - 50", "31.5 - 40", "< 31.5"},
       {"80", "63", "50", "40", "31.5", ""}},
      // Only a trailing ".0" goes: "10.05" keeps its digits.
      {"10.05;0.063;< 0.063", {"> 10.05", "0.063 - 10.05", "< 0.063"}, {"10.05", "0.063", ""}},
      {"40.0", {"> 40"}, {""}},
      {"", {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sieves);
    Strings fractions, openings;
    BuildBallastFractionLists(c.sieves, fractions, openings);
    EXPECT_EQ(fractions, c.fractions);
    EXPECT_EQ(openings, c.openings);
  }
}

TEST(BallastLists, RequirementsFiledBySieve) {
  const Strings openings = {"63", "50", "45", "40", "0.5", "", "22.4"};
  struct Case {
    const char* name;
    const char* rows;
    Strings requirements, verdicts;
  } cases[] = {
      {"signs and verdict words",
       "{2. Zwischensieb (GS):@63@98.2@97-99@2}{0. Zwischensieb (GS):@40@70.1@30-65@1}"
       "{Unterkorn (GS):@0.5@0.7@<= 1.0@2}{x@31.5@60.0@>= 50@1a}",
       {"97-99", "", "", "30-65", "\u00A3 1.0"},
       {" Ja ", "", "", "nein", " Ja "}},
      {"the later of two rows of one sieve",
       "{a@50@80.0@65-99@1}{b@50@90.0@65-99@2}",
       {"", "65-99", "", "", ""},
       {"", " Ja ", "", "", ""}},
      {"a row of another size is left out", "{a@45@80.0@>= 10@2}", {"", "", "", "", ""}, {"", "", "", "", ""}},
      // Rows without a requirement are not reported as failed.
      {"codes without requirement",
       "{a@63@99.0@@ }{b@50@90.0@@0}{c@40@50.0@30-65@x}",
       {"", "", "", "30-65", ""},
       {"", "", "", "", ""}},
      {"the range row is no sieve row", "{r@31.5-63@60.0@>= 50@2}", {"", "", "", "", ""}, {"", "", "", "", ""}},
      {"no rows", "", {"", "", "", "", ""}, {"", "", "", "", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Strings requirements, verdicts;
    BuildBallastRequirementLists(openings, c.rows, requirements, verdicts);
    EXPECT_EQ(requirements, c.requirements);
    EXPECT_EQ(verdicts, c.verdicts);
  }
}

TEST(BallastLists, RangeRowAndVerdictWords) {
  EXPECT_EQ(FindBallastRangeRow("{a@63@98@97-99@2}{4. Zwischensieb (GS):@31.5-63@61.0@>= 50@2}{b@22.4-40@1@1@1}"),
            "4. Zwischensieb (GS):@31.5-63@61.0@>= 50@2");
  EXPECT_EQ(FindBallastRangeRow("{a@63@98@97-99@2}{b@-5@1@1@1}"), "");
  EXPECT_EQ(FindBallastRangeRow(""), "");
  for (const auto& [code, word] : std::vector<std::pair<std::string, std::string>>{
           {"2", " Ja "}, {"1", "nein"}, {"1a", "nein"}, {" ", ""}, {"0", ""}, {"", ""}, {"9", ""}})
    EXPECT_EQ(BallastVerdictWord(code), word) << "code '" << code << "'";
  EXPECT_EQ(BallastSymbolRequirement("<= 1.0"), "\u00A3 1.0");
  EXPECT_EQ(BallastSymbolRequirement(">= 50"), "\u00B3 50");
  EXPECT_EQ(BallastSymbolRequirement("97-99"), "97-99");
}

// The grading verdict of page X and the grading row of the summary.
TEST(BallastVerdicts, GradingWithAndWithoutTolerance) {
  const std::string toleratedFail = "{a@63@99.5@97-99@1}{b@40@50.0@30-65@2}";
  const std::string otherFail = "{a@63@99.5@97-99@1}{b@40@70.0@30-65@1}";
  const std::string untoleratedAt63 = "{a@63@98.0@>= 99@1}";
  struct Case {
    const char* name;
    const char* tolerance;
    const char* status;
    std::string rows;
    BallastVerdict page, summary;
  } cases[] = {
      {"off, met", "0", "[VA_SIEBL:8]", "", BallastVerdict::kMet, BallastVerdict::kMet},
      {"off, not met", "0", "[VA_SIEBL:9]", toleratedFail, BallastVerdict::kNotMet, BallastVerdict::kNotMet},
      {"off, unfinished", "0", "[VA_SIEBL:0]", "", BallastVerdict::kNone, BallastVerdict::kNone},
      {"off, absent", "0", "[VA_GRUND:1]", "", BallastVerdict::kNone, BallastVerdict::kNone},
      {"on, met", "1", "[VA_SIEBL:8]", "", BallastVerdict::kToleranceNote, BallastVerdict::kMet},
      {"on, failed at a tolerated sieve only", "1", "[VA_SIEBL:9]", toleratedFail, BallastVerdict::kToleranceNote,
       BallastVerdict::kMet},
      {"on, failed at another sieve too", "1", "[VA_SIEBL:9]", otherFail, BallastVerdict::kNotMet,
       BallastVerdict::kNotMet},
      {"on, failed at 63 below the tolerance", "1", "[VA_SIEBL:9]", untoleratedAt63, BallastVerdict::kNotMet,
       BallastVerdict::kNotMet},
      {"on, failed without a failed row", "1", "[VA_SIEBL:9]", "", BallastVerdict::kNotMet, BallastVerdict::kNotMet},
      {"on, unfinished", "1", "[VA_SIEBL:0]", toleratedFail, BallastVerdict::kNone, BallastVerdict::kNone},
      {"on, absent", "1", "[VA_GRUND:1]", "", BallastVerdict::kNone, BallastVerdict::kNone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CVersuch r = Ballast(c.status, c.tolerance);
    r.SetValue(4, 0, c.rows);
    EXPECT_STREQ(Name(BallastGradingVerdict(r)), Name(c.page));
    EXPECT_STREQ(Name(BallastSummaryVerdict(r, "VA_SIEBL")), Name(c.summary));
  }
  // The other rows follow their status alone.
  const CVersuch r = Ballast("[VA_GS_KORNFORM:8][VA_GS_REINHEIT:9][VA_GS_WASSER:0][VA_GS_KRISTALL:1]", "1");
  EXPECT_EQ(BallastSummaryVerdict(r, "VA_GS_KORNFORM"), BallastVerdict::kMet);
  EXPECT_EQ(BallastSummaryVerdict(r, "VA_GS_REINHEIT"), BallastVerdict::kNotMet);
  for (const char* key : {"VA_GS_WASSER", "VA_GS_KRISTALL", "VA_GS_PLATTIGKEIT"})
    EXPECT_EQ(BallastSummaryVerdict(r, key), BallastVerdict::kNone) << key;
}

TEST(BallastVerdicts, DefectVersionOfTheStatement) {
  struct Case {
    const char* variant;
    bool withFailure, withoutFailure;
  } cases[] = {
      {"1", true, true},
      {"0", true, false},
      // Older records and records without a chosen variant say what the tests say.
      {"-1", true, false},
      {"", true, false},
      {"2", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("variant '") + c.variant + "'");
    EXPECT_EQ(BallastDefectsStated(Ballast("[VA_SIEBL:8][VA_GS_REINHEIT:9]", "0", c.variant)), c.withFailure);
    EXPECT_EQ(BallastDefectsStated(Ballast("[VA_SIEBL:8][VA_GS_REINHEIT:8]", "0", c.variant)), c.withoutFailure);
  }
  // A grading failed only at the tolerated sieves is met, as the summary says.
  CVersuch tolerated = Ballast("[VA_SIEBL:9][VA_GS_REINHEIT:8]", "1");
  tolerated.SetValue(4, 0, "{a@63@99.5@97-99@1}");
  EXPECT_FALSE(BallastDefectsStated(tolerated));
  tolerated.SetValue(4, 0, "{a@63@99.5@97-99@1}{b@40@70.0@30-65@1}");
  EXPECT_TRUE(BallastDefectsStated(tolerated));
}

TEST(BallastVerdicts, PageYBlocks) {
  struct Case {
    const char* block;
    const char* code;
    const char* met;
    const char* notMet;
    BallastVerdict expected;
  } cases[] = {
      {"purity", "1", "1", "0", BallastVerdict::kMet},
      {"purity", "0", "1", "0", BallastVerdict::kNotMet},
      {"purity without requirement", "", "1", "0", BallastVerdict::kNone},
      {"shape", "2", "1", "2", BallastVerdict::kNotMet},
      {"shape unfinished", "0", "1", "2", BallastVerdict::kNone},
      {"crystallisation", "0", "1", "0", BallastVerdict::kNotMet},
      {"environment", "0", "0", "1", BallastVerdict::kMet},
      {"environment", "1", "0", "1", BallastVerdict::kNotMet},
  };
  for (const Case& c : cases)
    EXPECT_STREQ(Name(BallastVerdictOfCode(c.code, c.met, c.notMet)), Name(c.expected)) << c.block << " " << c.code;

  // The water absorption is compliant only when its status says so.
  struct Water {
    const char* status;
    const char* part3;
    BallastVerdict expected;
  } water[] = {
      {"[VA_GS_WASSER:8]", "", BallastVerdict::kMet},  {"[VA_GS_WASSER:9]", "1", BallastVerdict::kNotMet},
      {"[VA_GS_WASSER:0]", "", BallastVerdict::kNone}, {"[VA_GS_WASSER:1]", "", BallastVerdict::kNone},
      {"[VA_GRUND:1]", "", BallastVerdict::kNone},
  };
  for (const Water& w : water) {
    CVersuch r = Ballast(w.status);
    r.SetValue(17, 3, w.part3);
    EXPECT_STREQ(Name(BallastWaterVerdict(r)), Name(w.expected)) << w.status;
  }
}

TEST(BallastVerdicts, BoldWordOfAVerdictLine) {
  const VerdictPieces split = SplitVerdictText("Die Körnung ist nicht bedingungsgemäß.", " nicht ");
  EXPECT_TRUE(split.bold);
  EXPECT_EQ(split.head, "Die Körnung ist");
  EXPECT_EQ(split.tail, "bedingungsgemäß.");
  for (const char* text : {"Die Körnung ist bedingungsgemäß.", " nicht am Anfang", ""}) {
    const VerdictPieces whole = SplitVerdictText(text, " nicht ");
    EXPECT_FALSE(whole.bold) << text;
    EXPECT_EQ(whole.head, text);
  }
}

TEST(BallastVerdicts, PurityLimitOfTheMaterial) {
  struct Case {
    const char* code;
    const char* sign;
    const char* rest;
  } cases[] = {
      {"1.0_LE", "\u00A3", "1 M.-%"},
      {"0.5_LE", "\u00A3", "0.5 M.-%"},
      {"2_LT", "", "< 2 M.-%"},
      {"", "", "--"},
  };
  for (const Case& c : cases) {
    const BallastLimitText limit = BallastPurityLimit(c.code);
    EXPECT_EQ(limit.sign, c.sign) << c.code;
    EXPECT_EQ(limit.rest, c.rest) << c.code;
  }
}
