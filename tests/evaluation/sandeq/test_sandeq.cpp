// The sand equivalent: the samples' values, the mean of their whole
// numbers, the judgement against the requirement and the suitability test,
// field 31 as the dialog writes it, and the dialog.
#include <gtest/gtest.h>

#include <string>

#include "evaluation/frame/refusals.h"
#include "evaluation/frame/statusmarks.h"
#include "evaluation/sandeq/dlgsandeq.h"
#include "services/appflags.h"
#include "support/scripted_ui_gtest.h"

using platform::DialogDriver;
using platform::IDCANCEL;
using platform::IDOK;
using Dlg = CDlgSandEq;

namespace {

CVersuch RecordWithEntry(const std::string& entry) {
  CVersuch r;
  r.SetValue(1, 0, "12-3-0101");
  r.SetField(25, "{0}{3-1|Sand 0/2|||2024-04-11 08:00|}{1|0.063|31.5}{}{}{" + entry + "}{}");
  return r;
}

struct Case {
  const char* name;
  const char* entry;  // the material's side tests
  const char* h1a;
  const char* h2a;
  const char* h1b;
  const char* h2b;
  const char* field31;  // as written into an empty field
  const char* status;
  int face;
  bool warning;
};

class SandEquivalentCases : public ::testing::TestWithParam<Case> {};

TEST_P(SandEquivalentCases, JudgesAndWritesField31) {
  const Case& c = GetParam();
  SandEquivalentInput in = SandEquivalentInputFromRecord(RecordWithEntry(c.entry));
  in.h1 = {c.h1a, c.h1b};
  in.h2 = {c.h2a, c.h2b};
  const SandEquivalentResult r = ComputeSandEquivalent(in);
  EXPECT_EQ(SandEquivalentField("", r), c.field31);
  EXPECT_EQ(r.status, c.status);
  EXPECT_EQ(StatusMarkFor(r.labelState), c.face);
  EXPECT_EQ(r.warning, c.warning);
}

constexpr const char* kEntry = "[VA_SANDEQ|_GE|60|80|1.2.2024]";

INSTANTIATE_TEST_SUITE_P(
    Samples, SandEquivalentCases,
    ::testing::Values(
        Case{"OneSampleMet", kEntry, "10", "7,5", "", "", "10.0|7.5|75||||||75|>= 60|80|Ja", "8", kMarkMet, false},
        // 75 is more than 15 below 95: met with a remark.
        Case{"FarBelowSuitability", "[VA_SANDEQ|_GE|60|95|1.2.2024]", "10", "7.5", "", "",
             "10.0|7.5|75||||||75|>= 60|95|Nein", "7", kMarkRemark, true},
        // A suitability value of 15 or less gives the remark as well.
        Case{"SuitabilityTooSmall", "[VA_SANDEQ|_GE|60|12|1.2.2024]", "10", "7.5", "", "",
             "10.0|7.5|75||||||75|>= 60|12|Nein", "7", kMarkRemark, true},
        // 75 and 76 give 75.5, written as 76.
        Case{"MeanOfWholeNumbers", kEntry, "10", "7.5", "10", "7.6", "10.0|7.5|75||10.0|7.6|76||76|>= 60|80|Ja", "8",
             kMarkMet, false},
        Case{"RequiredNotMet", "[VA_SANDEQ|_GE|80|80|1.2.2024]", "10", "7.5", "", "",
             "10.0|7.5|75||||||75|>= 80|80|Nein", "9", kMarkNotMet, false},
        // Without a requirement there is nothing to judge: done, no face.
        Case{"NoEntry", "", "10", "7.5", "", "", "10.0|7.5|75||||||75| ||", "1", 0, false},
        Case{"EmptyRequirement", "[VA_SANDEQ|||80|1.2.2024]", "10", "7.5", "", "", "10.0|7.5|75||||||75| |80|", "1",
             0, false},
        // Without a suitability value there is nothing to deviate from.
        Case{"NoSuitabilityValue", "[VA_SANDEQ|_GE|60||]", "10", "7.5", "", "", "10.0|7.5|75||||||75|>= 60||Ja", "8",
             kMarkMet, false},
        Case{"NoValidSample", kEntry, "", "7.5", "10", "", "|7.5|||10.0|||||>= 60|80|", "0", 0, false},
        // h1 = 0 beside an h2 is no sample that was measured: nothing is judged
        // (the other sample is not judged alone either).
        Case{"H1Zero", kEntry, "0", "5", "10", "7.5", "0.0|5.0|||10.0|7.5||||>= 60|80|", "0", 0, false},
        // The sediment cannot stand above the flocculate: SE 180 % is no value.
        Case{"H2AboveH1", kEntry, "5", "9", "", "", "5|9||||||||>= 60|80|", "0", 0, false},
        Case{"H2EqualsH1", kEntry, "5", "5", "", "", "5.0|5.0|100||||||100|>= 60|80|Ja", "8", kMarkMet, false},
        Case{"Letters", kEntry, "abc", "5", "", "", "abc|5.0||||||||>= 60|80|", "0", 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SandEquivalent, KeepsTheOtherPartsOfField31) {
  SandEquivalentInput in = SandEquivalentInputFromRecord(RecordWithEntry(kEntry));
  in.h1 = {"10", ""};
  in.h2 = {"7.5", ""};
  EXPECT_EQ(SandEquivalentField("a|b|c|keep3|d|e|f|keep7|g|h|i|j|keep12", ComputeSandEquivalent(in)),
            "10.0|7.5|75|keep3||||keep7|75|>= 60|80|Ja|keep12");
}

// EN 933-8, two test portions of a sand 0/2 read after 20 minutes: h1 11.4 cm
// and h2 8.5 cm give 74.6 %, written 75; h1 11.5 cm and h2 8.3 cm give
// 72.2 %, written 72. The mean of the whole numbers, 73.5, is written 74 (the
// mean of the unrounded values, 73.4, would give 73).
TEST(SandEquivalent, SandAfterEn933_8) {
  SandEquivalentInput in = SandEquivalentInputFromRecord(RecordWithEntry("[VA_SANDEQ|_GE|65|78|12.3.2024]"));
  in.h1 = {"11.4", "11,5"};
  in.h2 = {"8.5", "8.3"};
  const SandEquivalentResult r = ComputeSandEquivalent(in);
  EXPECT_EQ(r.se[0], "75");
  EXPECT_EQ(r.se[1], "72");
  EXPECT_EQ(r.mean, "74");
  EXPECT_EQ(r.status, "8");  // 74 >= 65 and not more than 15 below 78
  EXPECT_EQ(SuitabilityDateText(in.suitabilityDate), "12.03.2024");
}

TEST(SandEquivalentDialog, WritesField31OnlyOnOk) {
  SetEditAllowed(true);
  CVersuch record = RecordWithEntry(kEntry);
  for (int answer : {IDCANCEL, IDOK}) {
    platform::TestUi ui;
    ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
      EXPECT_EQ(d.Text(Dlg::kRelation), ">=");
      EXPECT_EQ(d.Text(Dlg::kRequired), "60");
      EXPECT_EQ(d.Text(Dlg::kSuitability), "80");
      EXPECT_EQ(d.Text(Dlg::kSuitabilityDate), "01.02.2024");
      d.SetText(Dlg::kH1First, "10");
      d.SetText(Dlg::kH2First, "6");
      EXPECT_EQ(d.Text(Dlg::kMean), "60");
      EXPECT_TRUE(d.IsVisible(Dlg::kWarning));
      EXPECT_EQ(d.dialog().Item<CStatusMark>(Dlg::kStatusMark)->MarkShown(), kMarkRemark);
      d.SetText(Dlg::kH2First, "7.5");
      EXPECT_FALSE(d.IsVisible(Dlg::kWarning));
      EXPECT_EQ(d.dialog().Item<CStatusMark>(Dlg::kStatusMark)->MarkShown(), kMarkMet);
    }, answer);
    const std::optional<TestEntryResult> result = EditSandEquivalent(record, nullptr);
    ui.VerifyAllShown();
    if (answer == IDCANCEL) {
      EXPECT_FALSE(result.has_value());
      EXPECT_EQ(record.GetField(31), "");
      continue;
    }
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->status, "8");
    EXPECT_EQ(record.GetField(31), "10.0|7.5|75||||||75|>= 60|80|Ja");
  }
}

TEST(SandEquivalentDialog, RefusesWhatNoOneCanHaveMeasured) {
  CVersuch record = RecordWithEntry(kEntry);
  const auto edit = [&record] { return EditSandEquivalent(record, nullptr); };
  const auto noVerdict = [](DialogDriver& d) {
    EXPECT_EQ(d.dialog().Item<CStatusMark>(Dlg::kStatusMark)->MarkShown(), 0);
    EXPECT_EQ(d.Text(Dlg::kMean), "");
  };
  const ImpossibleInput cases[] = {
      {"H2AboveH1", {{Dlg::kH1First, "5"}, {Dlg::kH2First, "9"}}, Dlg::kH2First,
       "h2 [cm], Probe 1: h2 kann nicht über h1 liegen"},
      {"H1ZeroWithAnH2", {{Dlg::kH1First + 1, "10"}, {Dlg::kH2First + 1, "7"}, {Dlg::kH1First + 1, "0"}},
       Dlg::kH1First + 1, "h1 [cm], Probe 2: Mit h1 = 0 hat die Probe keinen Wert", "", "0.0"},
  };
  for (const auto& c : cases) ExpectRefused<Dlg>(c, edit, noVerdict);
  ExpectNumberSlipsRefused<Dlg>(Dlg::kH2First + 1, "h2 [cm], Probe 2", {{Dlg::kH1First, "10"}, {Dlg::kH2First, "7"}},
                                edit, noVerdict);
  EXPECT_EQ(record.GetField(31), "");
}

}  // namespace
