#pragma once
// The demo installation: one demo plant in "werk.dat" of a program folder,
// its plant-selection file "werkeauswahl/<key>_datapfad.dat", "datapfad.dat"
// naming the demo data folder, and that folder with "data.db" (about thirty
// records of several kinds made from the built-in material definitions),
// "kunden.dat" and "matdef/material_def.dat". Nothing that exists is ever
// overwritten, so a later run keeps what the user changed. Header-only, so
// that the tool and the tests share it.
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "evaluation/alkali/alkali.h"
#include "evaluation/fliesskoeffizient/fliesskoeffizient.h"
#include "evaluation/frame/testentryframe.h"
#include "evaluation/gleisschotter/ballastclasses.h"
#include "evaluation/grunddaten/grunddaten.h"
#include "evaluation/kornform/kornform_gs.h"
#include "evaluation/organisch/organisch.h"
#include "evaluation/petrographie/petrographie.h"
#include "evaluation/plattigkeit/plattigkeit.h"
#include "evaluation/rczusammensetzung/zusammrecyc.h"
#include "evaluation/rohdichte/rohdichte.h"
#include "evaluation/sandeq/sandeq.h"
#include "evaluation/wassergehalt/wassergehalt.h"
#include "evaluation/wasserbausteine/groessenverteilung.h"
#include "evaluation/wasserbausteine/massenverteilung.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/textfile.h"
#include "records/matdef_file.h"
#include "records/recordfile.h"
#include "records/requirement.h"
#include "records/strutil.h"
#include "records/versuch.h"
#include "services/customers/customerlist.h"
#include "tools/sieve_analysis.h"

namespace demo {

inline constexpr char kPlantKey[] = "DEMO";
inline constexpr char kPlantNumber[] = "34";
inline constexpr char kPlantName[] = "Kieswerk Demo";
inline constexpr char kOperatorNumber[] = "12";
inline constexpr char kOperatorName[] = "Demo Kies und Schotter GmbH";

// Definitions of the demo plant's own file, derived from built-in ones:
// crushed aggregates with the flakiness test added, and an armourstone; a
// sand and gravel for concrete with petrography and the alkali test; a
// crushed sand with the tests of fine aggregates; a recycled building
// material with its composition.
inline constexpr char kAggregateId[] = "SDM-DEMO-0001";
inline constexpr char kArmourstoneId[] = "SDM-DEMO-0002";
inline constexpr char kConcreteId[] = "SDM-DEMO-0003";
inline constexpr char kSandId[] = "SDM-DEMO-0004";
inline constexpr char kRecycledId[] = "SDM-DEMO-0005";

struct DemoResult {
  std::vector<std::string> written;  // the files made by this run
  bool ok = true;
};

namespace detail {

inline std::string Builtin(const std::string& id) {
  for (const std::string& entry : BuiltinMaterialEntries())
    if (entry.find("{" + id + "|") != std::string::npos) return entry;
  return {};
}

// The built-in texts that its ID implies (kind, standard, test type) put into
// the definition's group of description texts (SPEZ_1 to SPEZ_3).
inline std::string WithDescriptionTexts(std::string definition) {
  const std::string id = StrGetToken(definition, "{0}{", "|", 0);
  std::string name = StrGetField(StrGetToken(definition, "{0}{", "}", 0), '|', 1);
  std::string kind, standard, testType, time;
  FillBuiltinMaterialTexts(id, name, kind, standard, testType, time);
  if (time.empty()) time = "2025-01-15 08:00";
  StrReplace(definition, "{||||}", "{" + kind + "|" + standard + "|" + testType + "||" + time + "}");
  return definition;
}

inline std::string AggregateDefinition() {
  std::string text = Builtin("SDM-DBDBDB-BK-0101");
  StrReplace(text, "SDM-DBDBDB-BK-0101|KG1 (0/32)", std::string(kAggregateId) + "|Schotter 0/32 KG1");
  StrReplace(text, "{||||}", "{Brechkorn|TL SoB-StB|Werkseigene Produktionskontrolle||2025-01-15 08:00}");
  // Grain shape on the fractions 4/8, 8/16 and 16/31.5 (standard form), and
  // crushed surfaces (C90/3) and grains longer than 100 mm left for entering.
  StrReplace(text, "[VA_GS_KORNFORM|]",
             "[VA_KORNF|20_LE|1|4-8_8-16_16-31.5][VA_PLATT|20_LE][VA_BRUCH|90_GE|3_LE||4/8¿8/16¿16/32|||]"
             "[VA_100MM|5_LE]");
  return text;
}

// The recycled grading mixture also with the composition of its constituents.
inline std::string RecycledMixtureDefinition() {
  std::string text = WithDescriptionTexts(Builtin("SDM-DBDBDB-RC-0301"));
  StrReplace(text, "[VA_GS_KORNFORM|]", "[VA_RCZUS|][VA_GS_KORNFORM|]");
  return text;
}

inline std::string ArmourstoneDefinition() {
  return std::string("{0}{") + kArmourstoneId +
         "|Wasserbausteine CP 90/250|}{1|0.02|90.0}{Wasserbaustein|DIN EN 13383|Eignungsprüfung||2025-01-15 "
         "08:00}{}{[VA_WBS|][VA_ROHDI|]}";
}

// The standard target curves of a built-in grading mixture.
inline std::string MixtureTargetCurves(const std::string& builtinId) {
  CVersuch probe;
  probe.SetField(5, ";;;;;;;;[" + builtinId + "]");
  return probe.GetDefaultSollkurven(false);
}

// The target curves of track ballast of DIN EN 13450 / DBS 918061.
inline constexpr char kBallastTargetCurves[] =
    "{22.4;3;-1}{31.5;25;-1}{40.0;65;-1}{50.0;99;-1}{63.0;99;-1}|0|O|"
    "{22.4;0;-1}{31.5;1;-1}{40.0;30;-1}{50.0;65;-1}{63.0;97;-1}{80.0;99.9;-1}|0|U";

inline std::string ConcreteDefinition() {
  return std::string("{0}{") + kConcreteId +
         "|Kiessand 0/32 für Beton|0.063 0.25 1 2 4 8 16 31.5 45}{1|0.063|45}"
         "{Rundkorn|DIN EN 12620|Werkseigene Produktionskontrolle||2025-01-15 08:00}"
         "{0.063|3_LE||1||1||@1|5-40||1||1||@4|25-60||1||1||@16|60-90||1||1||@31.5|85-99||1||1||}"
         "{[VA_PETRO|][VA_ALKALI|2|2]}";
}

inline std::string SandDefinition() {
  return std::string("{0}{") + kSandId +
         "|Brechsand 0/2|0.063 0.125 0.25 0.5 1 2 4}{1|0.063|4}"
         "{Brechkorn|DIN EN 12620|Werkseigene Produktionskontrolle||2025-01-15 08:00}"
         "{0.063|16_LE||1||1||@0.25|10-35||1||1||@1|45-80||1||1||@2|85-99||1||1||@4|100_EQ||1||1||}"
         "{[VA_SANDEQ|_GE|60|82|14.1.2025][VA_WASSERG|8_LE][VA_FLIESSK|30_GE][VA_ORGAN|][VA_ROHDI|]}";
}

// The constituents of EN 933-11 with the limits of the road-building rules.
inline constexpr char kRecycledConstituents[] =
    "VA_RCZUS|Rc Beton@Ru ungebundene Gesteinskörnung@Rb Ziegel, Klinker@Ra Asphalt@Rg Glas@X Sonstiges@@@@@@"
    "FL schwimmendes Material@|@@30_LE@30_LE@5_LE@0.2_LE@@@@@@5_LE@";

inline std::string RecycledDefinition() {
  return std::string("{0}{") + kRecycledId +
         "|RC-Baustoff 0/32|0.063 0.5 2 5.6 11.2 22.4 31.5 45}{1|0.063|45}"
         "{Recyclingbaustoff|TL Gestein-StB|Werkseigene Produktionskontrolle||2025-01-15 08:00}"
         "{0.063|5_LE||1||1||@2|20-40||1||1||@31.5|90-99||1||1||}"
         "{[" + kRecycledConstituents + "][VA_WASSERG|]}";
}

inline std::string Two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

class RecordMaker {
 public:
  explicit RecordMaker(std::uint32_t seed) : rng_(seed) {}

  double Real(double low, double high) { return std::uniform_real_distribution<double>(low, high)(rng_); }
  int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

  // One record of the material, sampled on the given day of 2025.
  std::unique_ptr<CVersuch> Make(const std::string& definition, const std::string& displayName,
                                 const std::string& targetCurves, int serial, int dayOfYear, const Customer& customer) {
    auto r = std::make_unique<CVersuch>();
    const std::string date = DateOf(dayOfYear);
    const std::string time = Two(Int(6, 16)) + Two(Int(0, 59)) + Two(Int(0, 59));
    const std::string number = std::string(kOperatorNumber) + "-" + kPlantNumber + "-" + std::to_string(2500 + serial);
    const std::string id = StrGetToken(definition, "{0}{", "|", 0);
    r->SetField(0, std::string(kOperatorNumber) + "-" + kPlantNumber + "-" + date.substr(2) + time);

    std::vector<std::string> basic(46);
    basic[0] = number;
    basic[1] = "-1";
    basic[2] = "-1";
    basic[3] = "-1";
    basic[4] = serial % 9 == 4 ? "0" : "1";
    basic[5] = date;
    basic[6] = date;
    basic[7] = serial % 3 ? "BV Ortsumgehung Nord" : "Eigenüberwachung Halde";
    basic[8] = serial % 2 ? "Frühschicht" : "Spätschicht";
    basic[9] = date;
    basic[10] = serial % 2 ? "M. Schäfer" : "K. Öztürk";
    basic[11] = date + time;
    basic[12] = serial % 3 ? "Förderband 3" : "Verladung LKW";
    basic[13] = "B. Weiß";
    basic[14] = "";
    basic[15] = kPlantNumber;
    basic[16] = kOperatorNumber;
    basic[17] = kPlantName;
    basic[18] = kOperatorName;
    basic[19] = customer.id;
    basic[20] = customer.name;
    basic[21] = serial % 7 == 3 ? "Probe feucht angeliefert." : "";
    std::string joined;
    for (size_t i = 0; i < basic.size(); ++i) joined += (i ? "|" : "") + basic[i];
    r->SetField(1, joined);
    r->SetField(2, "0");

    std::vector<std::string> req(100);
    req[0] = "SDM";
    req[2] = displayName;
    req[8] = "[" + id + "]";
    for (int p = 27; p < 100; ++p) req[static_cast<size_t>(p)] = "#";
    std::string requirements;
    for (size_t i = 0; i < req.size(); ++i) requirements += (i ? ";" : "") + req[i];
    r->SetField(5, requirements);
    r->SetField(25, definition);
    if (r->IsGleisschotter()) FillBallastProtocol(*r, serial, date);
    r->SetField(11, targetCurves);
    r->InitTestStatusList();
    r->SetTestStatus("VA_GRUND", "1");

    const std::string tower = r->GetGroupValue(25, 1, 2);
    if (!tower.empty()) FillSieving(*r, tower, serial);
    if (r->HasTestType("VA_PLATT")) FillFlakiness(*r);
    if (r->HasTestType("VA_ALKALI")) FillFractionMasses(*r);
    // One record of each test is left for entering.
    if (r->HasTestType("VA_PETRO") && serial % 4 != 1) FillPetrography(*r);
    if (r->HasTestType("VA_ALKALI") && serial % 4 != 2) FillAlkali(*r);
    if (r->HasTestType("VA_WBS")) FillArmourstone(*r, serial);
    if (r->IsGleisschotterNeu()) {
      SetSampleMassFromSieving(*r);
      if (serial % 6 != 2) FillBallastSideTests(*r, serial % 6 == 5);
    }
    if (r->HasTestType("VA_SANDEQ") && serial % 3 != 1) FillFineAggregateTests(*r);
    if (r->HasTestType("VA_RCZUS") && !r->IsKorngemisch() && serial % 3 != 1) FillComposition(*r);
    if (r->HasTestType("VA_WASSERG") && serial % 3 != 1) FillWaterContent(*r);
    if (serial % 11 == 5) r->SetValue(18, 7, "2");
    else if (serial % 5 == 1) r->SetValue(18, 7, "1");
    r->UpdateListSummary();
    r->SetValue(1, 6, date);
    r->UpdateListSummary();
    return r;
  }

 private:
  static std::string DateOf(int dayOfYear) {
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int month = 0;
    while (month < 11 && dayOfYear > lengths[month]) dayOfYear -= lengths[month++];
    return "2025" + Two(month + 1) + Two(dayOfYear);
  }

  // The sampling protocol of track ballast, stored as its dialog stores it.
  void FillBallastProtocol(CVersuch& r, int serial, const std::string& date) {
    BallastData d = ReadBallastData(r, {}, date);
    d.protocolNumber = std::to_string(serial);
    d.year = "2025";
    d.inTrack = serial % 3 == 0;
    d.choices = {serial % 2, 0, 0, serial % 4};
    d.weather = serial % 2 ? "trocken, 14 °C" : "Nieselregen, 8 °C";
    d.blastPile = "SH-" + std::to_string(40 + serial);
    StoreBallastData(r, d, {});
  }

  // The side tests of new track ballast, stored in the layouts of their entry
  // dialogs and computed as those compute; `impure` gives a purity above its limit.
  // The sample mass comes back from the sieve program with the sieving, also
  // on the record whose side tests are left for entering.
  void SetSampleMassFromSieving(CVersuch& r) {
    if (r.GetValue(7, 1).empty()) return;
    r.SetValue(18, 2, Fixed(platform::ParseDouble(r.GetValue(7, 1)), 1));
  }

  void FillBallastSideTests(CVersuch& r, bool impure) {
    const double sample = platform::ParseDouble(r.GetValue(18, 2));
    auto store = [&r](const char* key, const std::string& text, const std::string& status) {
      if (const TestEntryFields* entry = FindTestEntryFields(key)) StoreTestEntryResult(r, *entry, {status, text, {}, {}});
    };
    auto requirement = [&r](const char* key) { return StrGetField(r.GetSideTestEntry(key), '|', 1); };
    auto judged = [](const std::string& code, const std::string& value) { return CheckRequirement(code, value); };

    // Grain shape and flakiness on the two coarse classes as sieved.
    for (const bool shape : {true, false}) {
      const char* key = shape ? "VA_GS_KORNFORM" : "VA_GS_PLATTIGKEIT";
      BallastClassInput in;
      in.requirement = BallastRequirement(r, key);
      if (!TakeSievedBallastMasses(r, in)) continue;
      const double low = shape ? 0.06 : 0.08, high = shape ? 0.13 : 0.19;
      in.part4050 = Fixed(platform::ParseDouble(in.total4050) * Real(low, high), 1);
      in.part3140 = Fixed(platform::ParseDouble(in.total3140) * Real(low, high), 1);
      const BallastClassResult result = ComputeBallastClasses(in);
      const std::string shown = shape ? GrainShapeRequirementText(result.inputs.requirement)
                                      : FormatRequirement(result.inputs.requirement, 1);
      const TestEntryResult entry = BallastEntryResult(result, shown);
      store(key, entry.resultText, entry.status);
    }

    // Grains longer than 100 mm, a few stones of the sample.
    {
      const std::string code = requirement("VA_GS_LAENGER100");
      const std::string mass = Fixed(sample * Real(0.002, 0.012), 1);
      const std::string share = Fixed(platform::ParseDouble(mass) * 100.0 / sample, 1);
      const RequirementResult met = judged(code, share);
      const std::string digit = met == RequirementResult::Met ? "1" : met == RequirementResult::NotMet ? "2" : "0";
      store("VA_GS_LAENGER100", share + "|" + code + "|" + FormatRequirement(code, 1) + "|" + digit + "|||||||" + mass,
            met == RequirementResult::Met ? "8" : met == RequirementResult::NotMet ? "9" : "1");
    }

    // Purity: the constituents picked from the sample, as shares of it.
    {
      static const std::array<const char*, 7> kNames = {
          "organische Verunreinigung", "mergelige Bestandteile", "tonige Bestandteile", "eisenhaltiges Gestein",
          "'Sonnenbrand (SB)'-Gestein", "minderfestes Rand- und Kontaktgestein", "verwittertes Rand- und Kontaktgestein"};
      std::vector<std::string> parts(52);
      double massSum = 0, shareSum = 0;
      for (size_t i = 0; i < kNames.size(); ++i) {
        const std::string mass = Fixed(impure ? Real(40, 110) : i == 2 ? 0.0 : Real(0, 30), 1);
        const double share = 100.0 / sample * platform::ParseDouble(mass);
        massSum += platform::ParseDouble(mass);
        shareSum += share;
        parts[10 + 3 * i] = kNames[i];
        parts[11 + 3 * i] = mass;
        parts[12 + 3 * i] = Fixed(share, 1);
      }
      parts[1] = Fixed(massSum, 1);
      parts[2] = Fixed(shareSum, 1);
      const bool met = judged(requirement("VA_GS_REINHEIT"), parts[2]) == RequirementResult::Met;
      parts[0] = met ? "1" : "0";
      store("VA_GS_REINHEIT", recordgen::sieve_detail::Join(parts, "|") + "|", met ? "8" : "9");
    }

    // Water absorption of five stones: 100 x (wet - dry) / dry.
    {
      const std::string code = requirement("VA_GS_WASSER");
      std::vector<std::string> parts(25);
      double sum = 0;
      bool anyMet = false, anyFailed = false;
      for (int j = 0; j < 15; ++j) parts[static_cast<size_t>(10 + j)] = "@@@@@0@";
      for (int j = 0; j < 5; ++j) {
        const double dry = platform::ParseDouble(Fixed(Real(900, 1500), 2));
        const double wet = platform::ParseDouble(Fixed(dry * (1 + Real(0.0018, 0.0046)), 2));
        const double percent = (wet - dry) * 100.0 / dry;
        sum += percent;
        const std::string percentText = Fixed(percent, 2);
        const bool met = judged(code, percentText) == RequirementResult::Met;
        anyMet = anyMet || met;
        anyFailed = anyFailed || !met;
        parts[static_cast<size_t>(10 + j)] = std::to_string(j + 1) + "@" + Fixed(dry, 2) + "@" + Fixed(wet, 2) + "@" +
                                             Fixed(wet - dry, 2) + "@" + percentText + "@" + (met ? "1" : "2") + "@" +
                                             (j == 2 ? "Kantenabbruch" : "");
      }
      const std::string status = anyFailed ? "9" : anyMet ? "8" : "1";
      parts[1] = code;
      parts[2] = FormatRequirement(code, 1);
      parts[3] = status == "9" ? "1" : "";
      parts[4] = Fixed(sum / 5, 2);
      parts[5] = judged(code, parts[4]) == RequirementResult::Met ? "1" : "2";
      store("VA_GS_WASSER", recordgen::sieve_detail::Join(parts, "|") + "|", status);
    }

    // Crystallisation in magnesium sulphate: loss below 22.4 mm against 3.0 %.
    {
      std::string text = "|1|Magnesiumsulfat (Mg)|";
      double initialSum = 0, finalSum = 0;
      std::string sumFlag;
      for (int k = 0; k < 3; ++k) {
        double initial = 0, final = 0;
        if (k < 2) {
          initial = platform::ParseDouble(Fixed(Real(1500, 2500), 1));
          final = platform::ParseDouble(Fixed(initial * (1 - Real(0.005, 0.022)), 1));
          initialSum += initial;
          finalSum += final;
        } else {
          initial = initialSum;
          final = finalSum;
        }
        const double loss = platform::ParseDouble(Fixed(initial - final, 1));
        const double percent = loss * 100.0 / initial;
        const std::string flag = percent <= 3.0 ? "1" : "0";
        text += Fixed(initial, 1) + "|" + Fixed(final, 1) + "|" + Fixed(loss, 1) + "|" + Fixed(percent, 1) + "|" + flag + "|";
        sumFlag = flag;
      }
      store("VA_GS_KRISTALL", text, sumFlag == "1" ? "8" : "9");
    }
  }

  // A sieving along the tower, inside the material's sieve requirements; one
  // record in eight misses one of them.
  void FillSieving(CVersuch& r, const std::string& tower, int serial) {
    recordgen::SieveRun run;
    for (int i = 0, n = StrCountFields(tower, ' '); i < n; ++i)
      if (const std::string size = StrGetField(tower, ' ', i); !size.empty()) run.sizes.push_back(size);
    if (run.sizes.empty()) return;
    const bool ballast = r.IsGleisschotter();
    run.aimed = recordgen::AimedPassing(run.sizes, recordgen::ParseSieveRequirements(r.GetGroup(25, 4)),
                                        serial % 8 == 6, [this](double low, double high) { return Real(low, high); });
    run.sample = ballast ? Real(28000, 36000) : Real(5200, 6800);
    // The track ballast says in its name how it is sieved; every fourth aggregate is sieved dry.
    run.wet = ballast ? r.GetGroupValue(25, 1, 1).find("Trockensiebung") == std::string::npos : serial % 4 != 2;
    run.washedOut = Real(0.7, 0.9);
    run.lossPercent = Real(0.05, 0.6);
    run.smooth = !ballast;
    recordgen::WriteSieveAnalysis(r, run);
  }

  // A flakiness test of the classes from 4 to 31.5 mm, computed as the entry does.
  void FillFlakiness(CVersuch& r) {
    FlakinessInput in;
    double sum = 0;
    for (int row = 0; row < kFlakinessRows; ++row) {
      if (row < 4) continue;  // nothing above 31.5 mm
      const double ri = Real(150, 900);
      in.ri[static_cast<size_t>(row)] = platform::FormatFixed(ri, 1);
      in.mi[static_cast<size_t>(row)] = platform::FormatFixed(ri * Real(0.06, 0.22), 1);
      sum += ri;
    }
    in.retained80 = "0.0";
    in.passing4 = platform::FormatFixed(Real(20, 80), 1);
    in.m0 = platform::FormatFixed(sum + platform::ParseDouble(in.passing4) + Real(1, 5), 1);
    in.requirement = FlakinessRequirement(r);
    const FlakinessResult result = ComputeFlakiness(in);
    if (const TestEntryFields* entry = FindTestEntryFields("VA_PLATT"))
      StoreTestEntryResult(r, *entry, FlakinessEntryResult(result));
  }

  std::string Fixed(double value, int decimals) { return platform::FormatFixed(value, decimals); }

  // A petrographic sorting of about 3 kg, computed as the entry does.
  void FillPetrography(CVersuch& r) {
    PetrographyInput in = PetrographyDefaults("");
    const double a1 = Real(0, 6), flint = a1 + Real(30, 90);
    const std::array<double, kPetroRows> masses = {Real(2800, 3000), flint, a1, Real(0, 9), Real(0, 4), 0,
                                                   Real(0, 10), Real(0, 0.5)};
    for (int row = 0; row < kPetroRows; ++row)
      if (row != kPetroSumA) in.masses[static_cast<size_t>(row)] = Fixed(masses[static_cast<size_t>(row)], 1);
    in.propertyTexts = {"Flint mit Kreidekruste#CRLF#grau bis weiß#CRLF#", "Kalkstein, porös#CRLF##CRLF#",
                        "Tonstein, mürbe#CRLF##CRLF#", "Limonit#CRLF##CRLF#", "Holz, Kohle#CRLF##CRLF#"};
    if (const TestEntryFields* entry = FindTestEntryFields("VA_PETRO"))
      StoreTestEntryResult(r, *entry, PetrographyEntryResult(ComputePetrography(in)));
  }

  // Sand equivalent, flow coefficient, organic matter and particle density
  // of a crushed sand, each computed as its entry does.
  void FillFineAggregateTests(CVersuch& r) {
    SandEquivalentInput sand = SandEquivalentInputFromRecord(r);
    for (size_t k = 0; k < 2; ++k) {
      const double h1 = Real(10.5, 12.5);
      sand.h1[k] = Fixed(h1, 1);
      sand.h2[k] = Fixed(h1 * Real(0.68, 0.8), 1);
    }
    const SandEquivalentResult se = ComputeSandEquivalent(sand);
    r.SetSandEquivalentData(SandEquivalentField(r.GetField(31), se));
    r.UpdateTestStatus("VA_SANDEQ", se.status);

    FlowCoefficientInput flow = FlowCoefficientInputFromRecord(r);
    const double mean = Real(30, 36);
    for (std::string& time : flow.times) time = Fixed(mean + Real(-0.6, 0.6), 1);
    flow.ecse = Fixed(Real(28, 31), 0);
    flow.density = Fixed(Real(2.6, 2.7), 2);
    if (const TestEntryFields* entry = FindTestEntryFields("VA_FLIESSK"))
      StoreTestEntryResult(r, *entry, FlowCoefficientEntryResult(r, ComputeFlowCoefficient(flow)));

    const OrganicInput organic{"farblos bis gelb", kComparisonLighter};
    if (const TestEntryFields* entry = FindTestEntryFields("VA_ORGAN"))
      StoreTestEntryResult(r, *entry, OrganicEntryResult(organic));

    ParticleDensityInput density;
    const double m4 = Real(480, 520);
    density.t = Fixed(Real(19, 23), 1);
    density.m = {Fixed(m4 * 1.008, 1), Fixed(Real(1500, 1520) + m4 * 0.62, 1), Fixed(Real(1500, 1520), 1), Fixed(m4, 1)};
    const ParticleDensityResult rho = ComputeParticleDensity(density);
    StoreParticleDensity(r, rho);
    r.UpdateTestStatus("VA_ROHDI", rho.status);
  }

  // One armourstone record sieved with its stone shapes, one weighed stone by
  // stone, each computed and stored as its sheet does; the others are left
  // for entering. Their own generator keeps the other records' values.
  void FillArmourstone(CVersuch& r, int serial) {
    std::mt19937 rng(static_cast<std::uint32_t>(serial));
    auto real = [&rng](double low, double high) { return std::uniform_real_distribution<double>(low, high)(rng); };
    std::string field = r.GetField(26);
    std::string status;
    if (serial % 4 == 3) {
      // A sieving of about 1.7 t of "CP 90/250" on 360 to 22.4 mm and the pan.
      SizeDistributionInput sieving;
      sieving.category = "CP 90/250";
      const std::array<double, kWBSSizeRows> residues = {-1, 0, 96.4, 412.8, 548.3, 440.0, 110.0, 61.2, 18.4, 6.1, 3.9};
      for (size_t row = 0; row < residues.size(); ++row)
        if (residues[row] >= 0) sieving.residues[row] = Fixed(residues[row] * real(0.97, 1.03), 1);
      const SizeDistributionResult sized = StoreSizeDistribution(sieving);
      WriteWBSSizeData(field, sized.data);
      status = sized.status;
      // Forty stones measured, every ninth one flat.
      StoneShapeInput shape;
      shape.categoryIndex = kShapeLTA;
      for (size_t i = 0; i < 40; ++i) {
        const double thickness = real(7, 16);
        shape.lengths[i] = Fixed(thickness * (i % 9 == 4 ? real(3.1, 3.8) : real(1.2, 2.6)), 1);
        shape.thicknesses[i] = Fixed(thickness, 1);
      }
      WriteWBSShapeData(field, StoneShapeData(ComputeStoneShape(shape), kShapeLTA,
                                              WBSShapeCategoryNames()[static_cast<size_t>(kShapeLTA)]));
    } else if (serial % 4 == 0) {
      // Thirty stones of 3 to 55 kg, most of 6 to 30 kg, weighed against "LMA 5/40", light class.
      MassDistributionInput weighing;
      weighing.category = "LMA 5/40";
      weighing.massClass = kMassClassLight;
      weighing.dust = Fixed(real(0.15, 0.35), 2);
      for (size_t i = 0; i < 30; ++i) {
        const double mass = i == 6 || i == 18 ? real(3, 4.8) : i == 22 ? real(42, 55) : real(6, 30);
        // The edge of a cube of that mass (2.65 t/m3) in cm, stretched into a stone.
        const double edge = std::cbrt(mass / 2.65) * 10;
        const bool flat = i % 8 == 3;
        weighing.masses[i] = Fixed(mass, 2);
        weighing.lengths[i] = Fixed(edge * (flat ? real(2.0, 2.3) : real(1.2, 1.6)), 1);
        weighing.thicknesses[i] = Fixed(edge * (flat ? real(0.55, 0.62) : real(0.7, 0.9)), 1);
      }
      const MassDistributionResult weighed = ComputeMassDistribution(weighing);
      WriteWBSMassData(field, weighed.data);
      status = weighed.status;
    } else {
      return;
    }
    if (const TestEntryFields* entry = FindTestEntryFields("VA_WBS"))
      StoreTestEntryResult(r, *entry, TestEntryResult{status, field, {}, std::nullopt});
  }

  void FillWaterContent(CVersuch& r) {
    WaterContentInput water = WaterContentInputFromRecord(r);
    const double dry = Real(900, 1300);
    water.dry = Fixed(dry, 1);
    water.wet = Fixed(dry * Real(1.02, 1.07), 1);
    if (const TestEntryFields* entry = FindTestEntryFields("VA_WASSERG"))
      StoreTestEntryResult(r, *entry, WaterContentEntryResult(r, ComputeWassergehalt(water)));
  }

  // A sorting of about 4 kg by EN 933-11.
  void FillComposition(CVersuch& r) {
    RecycInput in = RecycInputFromRecord(r.GetSideTestEntry("VA_RCZUS"), "");
    const std::array<double, 6> masses = {Real(2200, 2700), Real(900, 1300), Real(150, 450), Real(80, 300),
                                          Real(0, 20), Real(0, 9)};
    for (size_t i = 0; i < masses.size(); ++i) in.masses[i] = Fixed(masses[i], 1);
    in.masses[kFloatingRow] = Fixed(Real(2, 18), 1);
    if (const TestEntryFields* entry = FindTestEntryFields("VA_RCZUS"))
      StoreTestEntryResult(r, *entry, RecycEntryResult(ComputeZusammensetzung(in)));
  }

  // The masses of the size fractions < 1 to > 32 mm of the sieving, as the
  // sieve program hands them back: each sieve's residue in the fraction of
  // its size, the fines below the smallest sieve in "< 1".
  void FillFractionMasses(CVersuch& r) {
    const std::string sieves = r.GetValue(6, 0), retained = r.GetValue(7, 0), rows = r.GetValue(3, 8);
    std::array<double, 8> fractions{};
    static constexpr std::array<double, 6> kLower = {1, 2, 4, 8, 16, 31.5};
    for (int i = 0; i < StrCountFields(sieves, ';'); ++i) {
      const double size = platform::ParseDouble(StrGetField(sieves, ';', i));
      size_t f = 1;
      while (f <= kLower.size() && size >= kLower[f - 1]) ++f;
      fractions[f] += platform::ParseDouble(StrGetField(retained, ';', i));
    }
    fractions[1] += platform::ParseDouble(StrGetField(rows, ';', StrCountFields(rows, ';') - 1));
    std::string masses;
    for (size_t f = 1; f < fractions.size(); ++f) masses += (f > 1 ? ";" : "") + Fixed(fractions[f], 1);
    r.SetValue(27, 0, masses);
  }

  // The sorting, the flint density and the NaOH test of the classes 1/2 to
  // 16/32, computed as the entry does.
  void FillAlkali(CVersuch& r) {
    const std::string masses = r.GetFractionMasses();
    AlkaliInput in = AlkaliInputFromRecord("KG1:0|KG2:32|", masses, r.GetSideTestEntry("VA_ALKALI"));
    for (int c = 0; c < 2; ++c) {
      const double sample = c == 0 ? 50 : 100;
      in.cells[static_cast<size_t>(c)][kNaohSample] = Fixed(sample, 2);
      in.cells[static_cast<size_t>(c)][kNaohResidue] = Fixed(sample * (1 - Real(0.001, 0.012)), 2);
    }
    for (int c = 2; c < 5; ++c) {
      auto& k = in.cells[static_cast<size_t>(c)];
      const double sample = 1000.0 * (c - 1), flint = sample * Real(0.005, 0.02), opaline = sample * Real(0.002, 0.01);
      k[kUnreactive] = Fixed(sample - flint - opaline, 1);
      k[kFlint] = Fixed(flint, 2);
      k[kOpaline] = Fixed(opaline, 2);
      const double wet = flint * 1.03, volume = flint / Real(2200, 2550) * 1000.0;
      k[kFlintWetInAir] = Fixed(wet, 2);
      k[kFlintUnderWater] = Fixed(wet - volume, 2);
      k[kNaohResidue] = Fixed(opaline * Real(0.3, 0.8), 2);
      k[kSoftened] = Fixed(sample * Real(0.0005, 0.002), 2);
    }
    const AlkaliResult result = ComputeAlkali(in);
    r.SetAlkaliData(result.DataString());
    r.SetTestStatus("VA_ALKALI", result.status);
  }

  std::mt19937 rng_;
};

inline bool WriteIfMissing(const std::filesystem::path& path, const std::vector<std::string>& lines,
                           DemoResult& result) {
  if (platform::FileExists(path)) return true;
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  const bool ok = platform::WriteTextFile(path, text);
  if (ok) result.written.push_back(path.string());
  result.ok = result.ok && ok;
  return ok;
}

}  // namespace detail

inline std::vector<Customer> DemoCustomers() {
  return {{"12-34-250107081500", "Straßenbau Südwest GmbH"},
          {"12-34-250212093000", "Gemeinde Bad Überlingen"},
          {"12-34-250303101500", "Tiefbau Köhler & Söhne"},
          {"12-34-250401140000", "Betonwerk Rheinfelden"}};
}

// The demo records: aggregates with sieve data and flakiness, new and
// reprocessed track ballast, recycled material and armourstone; together they
// carry every test of the panel.
inline RecordList MakeDemoRecords(std::uint32_t seed = 7) {
  detail::RecordMaker maker(seed);
  const std::vector<Customer> customers = DemoCustomers();
  struct Kind {
    std::string definition;
    std::string name;
    std::string targetCurves;
    int count;
  };
  const std::string mixtureCurves = detail::MixtureTargetCurves("SDM-DBDBDB-BK-0101");
  const std::vector<Kind> kinds = {
      {detail::AggregateDefinition(), "Schotter 0/32 KG1", mixtureCurves, 14},
      {detail::WithDescriptionTexts(detail::Builtin("SDM-DBDBDB-GS-0001")), "31,5/63 Gleisschotter (neu)",
       detail::kBallastTargetCurves, 6},
      {detail::RecycledMixtureDefinition(), "RC KG1 (0/32)", mixtureCurves, 6},
      {detail::ArmourstoneDefinition(), "Wasserbausteine CP 90/250", "", 4},
      {detail::ConcreteDefinition(), "Kiessand 0/32 für Beton", "", 4},
      {detail::SandDefinition(), "Brechsand 0/2", "", 3},
      {detail::RecycledDefinition(), "RC-Baustoff 0/32", "", 3},
      // Reprocessed track ballast, its side tests (environmental compatibility among them) left for entering.
      {detail::WithDescriptionTexts(detail::Builtin("SDM-DBDBDB-GSRC-0019")), "31,5/63 Gleisschotter (aufbereitet)",
       detail::kBallastTargetCurves, 2},
  };
  RecordList records;
  int serial = 1;
  for (const Kind& kind : kinds)
    for (int i = 0; i < kind.count; ++i, ++serial) {
      // Every nine days, within the one year.
      const int dayOfYear = 1 + (5 + serial * 9) % 365;
      records.push_back(maker.Make(kind.definition, kind.name, kind.targetCurves, serial, dayOfYear,
                                   customers[static_cast<size_t>(serial) % customers.size()]));
    }
  return records;
}

// The plant's own material definition file.
inline std::vector<std::string> DemoMaterialDefLines() {
  return {"VERSION=001",        "DATA_START", detail::AggregateDefinition(), detail::ArmourstoneDefinition(),
          detail::ConcreteDefinition(), detail::SandDefinition(), detail::RecycledDefinition(), "DATA_STOP"};
}

// Prepares the demo installation in the program folder with its data folder
// (an absolute path is stored). Existing files stay as they are.
inline DemoResult MakeDemoInstallation(const std::filesystem::path& programFolder,
                                       const std::filesystem::path& dataFolderIn) {
  DemoResult result;
  const std::filesystem::path dataFolder = std::filesystem::absolute(dataFolderIn).lexically_normal();
  for (const auto& folder : {programFolder, programFolder / "werkeauswahl", dataFolder, dataFolder / "matdef"})
    if (!platform::CreateFolder(folder)) result.ok = false;
  if (!result.ok) return result;

  const std::string plantLine = std::string(kPlantKey) + "|" + kPlantNumber + "|" + kPlantName + "|" +
                                kOperatorNumber + "|" + kOperatorName;
  detail::WriteIfMissing(programFolder / "werk.dat", {plantLine}, result);
  detail::WriteIfMissing(programFolder / "werkeauswahl" / (std::string(kPlantKey) + "_datapfad.dat"),
                         {dataFolder.string()}, result);
  detail::WriteIfMissing(programFolder / "datapfad.dat", {dataFolder.string()}, result);
  detail::WriteIfMissing(MaterialDefFilePath(dataFolder), DemoMaterialDefLines(), result);

  const std::filesystem::path customers = dataFolder / kCustomerFileName;
  if (!platform::FileExists(customers)) {
    const bool ok = WriteCustomerFile(customers, DemoCustomers());
    if (ok) result.written.push_back(customers.string());
    result.ok = result.ok && ok;
  }
  const std::filesystem::path records = dataFolder / kRecordFileName;
  // A folder that holds only the sound temporary copy is the user's, too.
  if (!platform::FileExists(records) && !platform::FileExists(dataFolder / kRecordTempFileName)) {
    const bool ok = WriteRecordFile(MakeDemoRecords(), records);
    if (ok) result.written.push_back(records.string());
    result.ok = result.ok && ok;
  }
  return result;
}

}  // namespace demo
