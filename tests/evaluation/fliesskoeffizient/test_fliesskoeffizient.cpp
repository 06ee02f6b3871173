// The flow coefficient: the computation with Ecse as shown, the stored
// inputs of a reopened test, the two report rows, and the dialog with its
// markup captions.
#include <gtest/gtest.h>

#include <string>

#include "controls/multistatic.h"
#include "evaluation/frame/refusals.h"
#include "evaluation/fliesskoeffizient/fliesskoefizientdlg.h"
#include "evaluation/frame/statusmarks.h"
#include "services/appflags.h"
#include "support/scripted_ui_gtest.h"

using platform::DialogDriver;
using platform::IDOK;
using Dlg = CFliesskoefizientDlg;

namespace {

std::string PartOf(const TestEntryResult& r, int field, int part) {
  for (const FieldPartText& p : r.parts)
    if (p.field == field && p.part == part) return p.text;
  return "<none>";
}

FlowCoefficientInput Times(std::initializer_list<const char*> times, const char* ecse, const char* code = "") {
  FlowCoefficientInput in;
  size_t i = 0;
  for (const char* t : times) in.times[i++] = t;
  in.ecse = ecse;
  in.requirement = code;
  return in;
}

struct Case {
  const char* name;
  FlowCoefficientInput input;
  const char* ecsm;
  const char* ecs;
  const char* shownEcse;
  int lamp;
  const char* status;
};

class FlowCoefficientCases : public ::testing::TestWithParam<Case> {};

TEST_P(FlowCoefficientCases, Computes) {
  const Case& c = GetParam();
  const FlowCoefficientResult r = ComputeFlowCoefficient(c.input);
  EXPECT_EQ(r.ecsm, c.ecsm);
  EXPECT_EQ(r.ecs, c.ecs);
  EXPECT_EQ(r.inputs.ecse, c.shownEcse);
  EXPECT_EQ(r.requirementState, c.lamp);
  EXPECT_EQ(r.status, c.status);
}

INSTANTIATE_TEST_SUITE_P(
    Times, FlowCoefficientCases,
    ::testing::Values(
        // 20.4 and 21.0: Ecsm 20.7 shown as 21; 32 - 30 + 20.7 = 22.7 shown as 23.
        Case{"TwoTimes", Times({"20.4", "21,0"}, "30"), "21", "23", "30", 0, "1"},
        // Ecse typed as 30.4 is shown as 30 and computed as shown: 23 again.
        Case{"EcseAsShown", Times({"20.4", "21.0"}, "30.4"), "21", "23", "30", 0, "1"},
        // Ecse above 32 + Ecsm: no positive coefficient, nothing to judge, no face.
        Case{"EcseTooLarge", Times({"20.4", "21.0"}, "53", "30_GE"), "21", "", "53", 0, "0"},
        Case{"NoEcseYet", Times({"20.4", "21.0"}, ""), "21", "", "", 0, "0"},
        Case{"Met", Times({"20.4", "21.0"}, "30", "20_GE"), "21", "23", "30", 1, "8"},
        Case{"NotMet", Times({"20.4", "21.0"}, "30", "25_GE"), "21", "23", "30", 2, "9"},
        Case{"ZeroTimesNotCounted", Times({"0", "20.4", "", "21.0", "0.0"}, "30"), "21", "23", "30", 0, "1"},
        Case{"NoTimes", Times({}, "30"), "", "", "30", 0, "0"}),
    [](const auto& info) { return std::string(info.param.name); });

// The flow cone of EN 933-6: five flow times of a crushed sand 0/2 in
// seconds, 33.2, 34.0, 33.6, 34.4, 33.8: Ecsm = 169.0 / 5 = 33.8; the
// reference sand gave Ecse = 29; Ecs = 32 - 29 + 33.8 = 36.8, shown as 37 s.
TEST(FlowCoefficient, CrushedSandAfterEn933_6) {
  FlowCoefficientInput in = Times({"33.2", "34.0", "33.6", "34.4", "33.8"}, "29", "35_GE");
  in.density = "2,657";
  const FlowCoefficientResult r = ComputeFlowCoefficient(in);
  EXPECT_EQ(r.ecsm, "34");
  EXPECT_EQ(r.ecs, "37");
  EXPECT_EQ(r.inputs.density, "2.66");
  EXPECT_EQ(r.status, "8");
}

TEST(FlowCoefficient, StoredTestsOpenWithTheirOwnValues) {
  CVersuch r;
  r.SetField(25, "{0}{3-1|Sand 0/2|||2024-04-11 08:00|}{1|0.063|31.5}{}{}{[VA_FLIESSK|30_GE]}{}");
  FlowCoefficientInput in = FlowCoefficientInputFromRecord(r);
  EXPECT_EQ(in.requirement, "30_GE");
  EXPECT_EQ(in.ecse, "");  // a new test: Ecs stays empty until Ecse is typed
  // Stored by an earlier version: no part 11, so Ecse is the standard 32.
  r.SetField(13, "20.4|21.0||||21|25_GE||row|2.65|row");
  in = FlowCoefficientInputFromRecord(r);
  EXPECT_EQ(in.ecse, "32.0");
  EXPECT_EQ(in.requirement, "25_GE");
  EXPECT_EQ(in.density, "2.65");
  EXPECT_EQ(ComputeFlowCoefficient(in).ecs, "21");  // Ecs equals Ecsm
}

TEST(FlowCoefficient, DensityRowOnlyBesideACoefficientRow) {
  CVersuch record;
  FlowCoefficientInput in = Times({"20.4", "21.0"}, "30", "20_GE");
  in.density = "2.65";
  TestEntryResult stored = FlowCoefficientEntryResult(record, ComputeFlowCoefficient(in));
  EXPECT_EQ(PartOf(stored, 13, 8), "Fließkoeffizient [s]:@@23@>= 20@2");
  EXPECT_EQ(PartOf(stored, 13, 10), "Rohdichte Fließk. [Mg/m³]:@@2.65@@0");
  EXPECT_EQ(PartOf(stored, 13, 5), "23");
  EXPECT_EQ(PartOf(stored, 13, 11), "30");
  EXPECT_EQ(stored.statisticsValue.value_or(""), "23");

  in.ecse = "";  // no coefficient: neither row
  stored = FlowCoefficientEntryResult(record, ComputeFlowCoefficient(in));
  EXPECT_EQ(PartOf(stored, 13, 8), "");
  EXPECT_EQ(PartOf(stored, 13, 10), "");
  in = Times({"20.4"}, "30");  // a coefficient without a density
  stored = FlowCoefficientEntryResult(record, ComputeFlowCoefficient(in));
  EXPECT_EQ(PartOf(stored, 13, 8), "Fließkoeffizient [s]:@@22@@ ");
  EXPECT_EQ(PartOf(stored, 13, 10), "");
  // A density of 0 is none, as a flow time of 0 is not counted: no density
  // row on the report; the typed 0 is kept.
  in.density = "0";
  stored = FlowCoefficientEntryResult(record, ComputeFlowCoefficient(in));
  EXPECT_EQ(PartOf(stored, 13, 8), "Fließkoeffizient [s]:@@22@@ ");
  EXPECT_EQ(PartOf(stored, 13, 9), "0.00");
  EXPECT_EQ(PartOf(stored, 13, 10), "");
  in.density = "0.004";  // shown as 0.00
  EXPECT_EQ(PartOf(FlowCoefficientEntryResult(record, ComputeFlowCoefficient(in)), 13, 10), "");
}

TEST(FlowCoefficientDialog, ReopenedTestKeepsItsCoefficient) {
  SetEditAllowed(true);
  CVersuch record;
  record.SetValue(1, 0, "12-3-0101");
  record.SetField(13, "20.4|21.0||||23|20_GE||row|2.65|row|30");
  platform::TestUi ui;
  ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
    EXPECT_EQ(d.dialog().windowTitle().toStdString(), "Fließkoeffizient   Prüf-Nr.: 12-3-0101");
    EXPECT_EQ(d.Text(Dlg::kEcs), "23");
    EXPECT_EQ(d.Text(Dlg::kEcsm), "21");
    EXPECT_EQ(d.Text(Dlg::kRequirement), ">= 20");
    EXPECT_EQ(d.dialog().Item<CStatusMark>(Dlg::kStatusMark)->MarkShown(), kMarkMet);
    auto* caption = d.dialog().Item<CMultiStaticR>(Dlg::kDensityLabel);
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->alignment(), kMarkupRight);
    d.SetText(Dlg::kEcse, "30,4");
    EXPECT_EQ(d.Text(Dlg::kEcse), "30");
    EXPECT_EQ(d.Text(Dlg::kEcs), "23");
  }, IDOK);
  const std::optional<TestEntryResult> result = EditFlowCoefficient(record, nullptr);
  ui.VerifyAllShown();
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(PartOf(*result, 13, 5), "23");
  EXPECT_EQ(result->status, "8");
}


TEST(FlowCoefficientDialog, RefusesWhatNoOneCanHaveMeasured) {
  CVersuch record;
  record.SetValue(1, 0, "12-3-0101");
  record.SetField(13, "20.4|21.0||||23|20_GE||row|2.65|row|30");
  const auto edit = [&record] { return EditFlowCoefficient(record, nullptr); };
  const auto noVerdict = [](DialogDriver& d) {
    EXPECT_EQ(d.dialog().Item<CStatusMark>(Dlg::kStatusMark)->MarkShown(), 0);
    EXPECT_EQ(d.Text(Dlg::kEcs), "");
  };
  // "1e300" as a flow time printed a number of 300 digits across page A;
  // "abc" over a measured 21.0 silently became 0.0.
  ExpectNumberSlipsRefused<Dlg>(Dlg::kFirstTime + 1, "Einzelwerte [s], Nr. 2", {}, edit, noVerdict);
  ExpectNumberSlipsRefused<Dlg>(Dlg::kEcse, "Fließzeit der Referenzmessprobe Ecse [s]", {}, edit, noVerdict);
  ExpectNumberSlipsRefused<Dlg>(Dlg::kDensity, "Rohdichte ρp [Mg/m³]", {}, edit, noVerdict);
  EXPECT_EQ(record.GetValue(13, 1), "21.0");
}

}  // namespace
