// The oven-dried particle density: the water density at the temperature,
// the density from the four masses, the cases that give none, and field 26
// shared with the armourstone entry.
#include <gtest/gtest.h>

#include <string>

#include "evaluation/frame/refusals.h"
#include "evaluation/rohdichte/rohdichtedlg.h"
#include "records/strutil.h"
#include "services/appflags.h"
#include "support/scripted_ui_gtest.h"

using platform::DialogDriver;
using platform::IDCANCEL;
using platform::IDOK;
using Dlg = CRohdichte;

namespace {

ParticleDensityInput Input(const char* t, const char* m1, const char* m2, const char* m3, const char* m4) {
  ParticleDensityInput in;
  in.t = t;
  in.m = {m1, m2, m3, m4};
  return in;
}

struct Case {
  const char* name;
  ParticleDensityInput input;
  const char* rhoW;
  const char* rhoRd;
  const char* status;
};

class ParticleDensityCases : public ::testing::TestWithParam<Case> {};

TEST_P(ParticleDensityCases, Computes) {
  const Case& c = GetParam();
  const ParticleDensityResult r = ComputeParticleDensity(c.input);
  EXPECT_EQ(r.rhoW, c.rhoW);
  EXPECT_EQ(r.rhoRd, c.rhoRd);
  EXPECT_EQ(r.status, c.status);
}

INSTANTIATE_TEST_SUITE_P(
    Masses, ParticleDensityCases,
    ::testing::Values(
        // d = 1020.0 - (1650.0 - 1020.0) = 390.0; 0.998 x 1000.0 / 390.0 = 2.559.
        Case{"Example", Input("20", "1020", "1650", "1020", "1000"), "0.998", "2.559", "1"},
        Case{"NoTemperature", Input("", "1020", "1650", "1020", "1000"), "", "", "0"},
        Case{"ZeroTemperature", Input("0", "1020", "1650", "1020", "1000"), "", "", "0"},
        // M1 = M2 - M3: the grains would have no volume; refused, so nothing shows.
        Case{"NoDenominator", Input("20", "630", "1650", "1020", "600"), "", "", "0"},
        // Oven-dried grains cannot weigh more than saturated ones, but for a
        // step of the balance between the two weighings.
        Case{"M4AboveM1", Input("20", "1020", "1650", "1020", "1030"), "", "", "0"},
        Case{"M4OneStepAboveM1", Input("20", "1020", "1650", "1020", "1020.1"), "0.998", "2.610", "1"},
        Case{"M4TwoStepsAboveM1", Input("20", "1020", "1650", "1020", "1020.2"), "", "", "0"},
        Case{"TemperatureOutOfRange", Input("41", "1020", "1650", "1020", "1000"), "", "", "0"},
        Case{"M4Missing", Input("20", "1020", "1650", "1020", ""), "0.998", "", "0"},
        Case{"M2Missing", Input("20", "1020", "", "1020", "1000"), "0.998", "", "0"},
        Case{"M3Zero", Input("20", "1020", "1650", "0", "1000"), "0.998", "", "0"}),
    [](const auto& info) { return std::string(info.param.name); });

// EN 1097-6 pyknometer method on a gravel 4/8 at 22.0 °C: ρw = 0.9978 (the
// standard's table), shown 0.998; M1 = 1012.4 g, M2 = 1887.3 g, M3 = 1253.6 g,
// M4 = 1001.8 g: M1 - (M2 - M3) = 1012.4 - 633.7 = 378.7;
// ρrd = 0.998 x 1001.8 / 378.7 = 2.640 Mg/m³.
TEST(ParticleDensity, GravelAfterEn1097_6) {
  EXPECT_NEAR(WaterDensityAt(22.0), 0.99777, 0.00002);
  const ParticleDensityResult r = ComputeParticleDensity(Input("22", "1012,4", "1887.3", "1253.6", "1001.8"));
  EXPECT_EQ(r.rhoW, "0.998");
  EXPECT_EQ(r.rhoRd, "2.640");
  EXPECT_EQ(r.inputs.m[0], "1012.4");
}

TEST(ParticleDensity, ArmourstoneEntryKeepsEveryPart) {
  const ParticleDensityResult r = ComputeParticleDensity(Input("20", "1020", "1650", "1020", "1000"));
  // A size distribution: parts 0 to 20, part 20 its 220 shape words.
  std::vector<std::string> sizes(21, "");
  sizes[0] = "1";
  sizes[5] = "CP90/250";
  sizes[20] = "w1@w2@w3";
  // A mass distribution: parts 0 to 19.
  std::vector<std::string> masses(20, "");
  masses[0] = "2";
  masses[19] = "LMB5/40";
  for (const auto& parts : {sizes, masses}) {
    std::string field;
    for (size_t i = 0; i < parts.size(); ++i) field += (i ? "|" : "") + parts[i];
    CVersuch record;
    record.SetField(26, field);
    StoreParticleDensity(record, r);
    for (size_t i = 0; i < parts.size(); ++i) EXPECT_EQ(record.GetValue(26, static_cast<int>(i)), parts[i]) << i;
    EXPECT_EQ(record.GetValue(26, 21), "2.559");
    EXPECT_EQ(record.GetValue(26, 23), "20.0");
    EXPECT_EQ(record.GetValue(26, 27), "1000.0");
  }
  CVersuch plain;
  StoreParticleDensity(plain, r);
  EXPECT_EQ(plain.GetField(26), "||||||||||||||||||||0.998|2.559||20.0|1020.0|1650.0|1020.0|1000.0");
}

TEST(ParticleDensityDialog, WritesField26OnlyOnOk) {
  SetEditAllowed(true);
  CVersuch record;
  record.SetField(26, "||||||||||||||||||||||||1020.0|1650.0|1020.0|1000.0");  // T missing
  const std::string before = record.GetField(26);
  for (int answer : {IDCANCEL, IDOK}) {
    platform::TestUi ui;
    ui.ExpectDialog(Dlg::kTemplateId, [](DialogDriver& d) {
      EXPECT_EQ(d.Text(Dlg::kRhoRd), "");
      d.SetText(Dlg::kT, "20");
      EXPECT_EQ(d.Text(Dlg::kRhoW), "0.998");
      EXPECT_EQ(d.Text(Dlg::kRhoRd), "2.559");
    }, answer);
    const std::optional<TestEntryResult> result = EditParticleDensity(record, nullptr);
    ui.VerifyAllShown();
    if (answer == IDCANCEL) {
      EXPECT_FALSE(result.has_value());
      EXPECT_EQ(record.GetField(26), before);
      continue;
    }
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->status, "1");
    EXPECT_EQ(record.GetValue(26, 21), "2.559");
    EXPECT_EQ(record.GetValue(26, 23), "20.0");
  }
}


TEST(ParticleDensityDialog, RefusesWhatNoOneCanHaveMeasured) {
  CVersuch record;
  const auto edit = [&record] { return EditParticleDensity(record, nullptr); };
  const auto noVerdict = [](DialogDriver& d) { EXPECT_EQ(d.Text(Dlg::kRhoRd), ""); };
  const std::vector<std::pair<int, std::string>> masses = {
      {Dlg::kT, "20"}, {Dlg::kM1, "1020"}, {Dlg::kM1 + 1, "1650"}, {Dlg::kM1 + 2, "1020"}};
  auto with = [&masses](std::pair<int, std::string> last) {
    auto typed = masses;
    typed.push_back(std::move(last));
    return typed;
  };
  const ImpossibleInput cases[] = {
      {"M4AboveM1", with({Dlg::kM1 + 3, "1030"}), Dlg::kM1 + 3,
       "Masse der ofengetrockneten Messprobe in Luft (M4): Die ofengetrocknete Masse M4 liegt mehr als 0.1 g über"},
      {"NoVolume", {{Dlg::kT, "20"}, {Dlg::kM1, "630"}, {Dlg::kM1 + 2, "1020"}, {Dlg::kM1 + 3, "600"}, {Dlg::kM1 + 1, "1650"}},
       Dlg::kM1 + 1, "Masse des Pyknometers der Probe der Gesteinskörnung in Wasser (M2): M1 - (M2 - M3) ist nicht größer als 0",
       "", "1650.0"},
      {"TemperatureAbove40", {{Dlg::kT, "41"}}, Dlg::kT, "Temperatur (T): Bitte eine Zahl eingeben.",
       "Erlaubt ist eine Zahl von 0 bis 40."},
  };
  for (const auto& c : cases) ExpectRefused<Dlg>(c, edit, noVerdict);
  ExpectNumberSlipsRefused<Dlg>(Dlg::kM1 + 2, "Masse des nur mit Wasser gefüllten Pyknometers (M3)", {}, edit, noVerdict);
  EXPECT_EQ(record.GetField(26), "");
}

}  // namespace
