#include "records/newrecord.h"

#include "platform/datetime.h"
#include "records/sievelist.h"
#include "records/strutil.h"

namespace {

constexpr char kSdmTemplate[] =
    "SDM;;%s;;;;;;[%s];;;;;;;;;;;;;;;;;;;#;;#;#;#;#;;#;#;;#;#;;#;#;;#;#;;#;#;;#;#;;#;;#;#;;#;;#;#;;#;#;#;#;"
    "#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#;#";

// Upper curve, its flag, "O", lower curve, its flag, "U".
constexpr char kDbsBallastCurves[] =
    "{22.4;3;-1}{31.5;25;-1}{40.0;65;-1}{50.0;100;-1}|0|O"
    "|{22.4;0;-1}{31.5;1;-1}{40.0;30;-1}{50.0;65;-1}{63.0;97;-1}{80.0;99.9;-1}|0|U";
constexpr char kDinEnBallastCurves[] =
    "{22.4;3;-1}{31.5;25;-1}{40.0;65;-1}{50.0;99;-1}{63.0;99;-1}|0|O"
    "|{22.4;0;-1}{31.5;1;-1}{40.0;30;-1}{50.0;65;-1}{63.0;97;-1}{80.0;99.9;-1}|0|U";
constexpr char kOtherBallastCurves[] =
    "{22.4;3;-1}{31.5;25;-1}{40.0;65;-1}{50.0;100;-1}|0|O"
    "|{22.4;0;-1}{31.5;1;-1}{40.0;30;-1}{50.0;65;-1}{63.0;97;-1}{80.0;99;-1}|0|U";
constexpr char kKg1Curves[] =
    "{0.02;3;-1}{0.063;7;-1}{0.125;17;-1}{0.2;26;-1}{0.3;35.5;-1}{0.6;45;-1}{0.85;50;-1}{2;60;-1}{10;85;-1}{30.2;100;-1}"
    "|1|O|{0.057;0;-1}{0.125;7;-1}{2;40;-1}{20;77;-1}{50;95;-1}|1|U";
constexpr char kKg2Curves[] =
    "{0.063;5;-1}{0.3;20;-1}{2;40;-1}{6;55;-1}{8;60;-1}{20;79;-1}{44;100;-1}|1|O"
    "|{0.063;0;-1}{0.2;1.5;-1}{0.9;10;-1}{9;40;-1}{20;56;-1}{40;76;-1}{60;91.5;-1}|1|U";

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// The fields every material change rebuilds: requirement string, carried
// definition, sieve tower, sieve sizes, list summary and target curves.
void SetMaterialFields(CVersuch& record, const CMatDef& material, bool newRecord, const SievingDefaults* sieving) {
  record.SetRequirementString(MaterialToSdmString(material));
  record.SetMaterialDefinition(material.Format());
  if (newRecord) record.InitTestStatusList();

  const std::string tower = MaterialSieveTower(material);
  record.SetField(6, tower + "|2");
  const std::string descending = SortSieveSizesDescending(tower);
  const int count = StrCountFields(descending, ';');
  record.SetValue(3, 2, descending + ";< " + StrGetField(descending, ';', count - 1));

  if (sieving) {
    record.SetDrySieving(IsDrySievingName(material.GetValue("BEZEICHNUNG"), sieving->wetByDefault == 1));
    record.SetValue(7, 3, sieving->polygonCurve == 1 ? "0" : "1");
    record.SetValue(7, 4, sieving->sumMode == 1 ? "1" : "0");
  }

  record.UpdateListSummary();
  record.SetField(11, TargetCurvesFor(record));
}

}  // namespace

// ------------------------------------------------------------ numbers and IDs

std::string PlantPrefix(const std::string& operatorNumber, const std::string& plantNumber) {
  return operatorNumber + "-" + plantNumber + "-";
}

std::string RecordPlantPrefix(const CVersuch& record) { return PlantPrefix(record.GetValue(1, 16), record.GetValue(1, 15)); }

TestNumberCheck CheckTestNumber(const std::string& prefix, const std::string& number, const KeyTaken& taken) {
  if (number.empty()) return TestNumberCheck::kEmpty;
  return taken && taken(prefix + number) ? TestNumberCheck::kTaken : TestNumberCheck::kFree;
}

std::string FreeRecordId(const std::string& prefix, std::time_t now, const KeyTaken& taken) {
  for (std::time_t second = now;; ++second) {
    std::string id = prefix + platform::FormatLocalTime("%y%m%d%H%M%S", second);
    if (!taken || !taken(id)) return id;
  }
}

// ------------------------------------------------------------ material fields

std::string MaterialToSdmString(const CMatDef& material) {
  const std::string pattern = kSdmTemplate;
  const size_t name = pattern.find("%s");
  const size_t id = pattern.find("%s", name + 2);
  return pattern.substr(0, name) + material.GetValue("BEZEICHNUNG") + pattern.substr(name + 2, id - name - 2) +
         material.GetValue("ID") + pattern.substr(id + 2);
}

std::string MaterialSieveTower(const CMatDef& material) {
  return SortSieveListAscending(material.GetValue("SIEBTURM"), " ", ";");
}

bool IsDrySievingName(const std::string& name, bool defaultWet) {
  if (Contains(name, "Trockensiebung")) return true;
  if (Contains(name, "Nasssiebung")) return false;
  return !defaultWet;
}

std::string TargetCurvesFor(const CVersuch& record) {
  if (record.IsDbsBallast()) return kDbsBallastCurves;
  if (record.IsDinEnBallast()) return kDinEnBallastCurves;
  if (record.IsGleisschotter()) return kOtherBallastCurves;
  int number = 0;
  if (!record.GetKorngemischNumber(number)) return {};
  if (number >= 101 && number <= 399) return record.GetDefaultSollkurven(false);
  const std::string requirements = record.GetField(5);
  const std::string key = StrGetField(requirements, ';', 8) + StrGetField(requirements, ';', 2);
  if (Contains(key, "KG1")) return kKg1Curves;
  if (Contains(key, "KG2")) return kKg2Curves;
  return {};
}

void CreateNewRecordFields(CVersuch& record, const CMatDef& material, const NewRecordOrigin& origin) {
  const CPlantIdentity& plant = origin.plant;
  record.SetValue(0, 0, origin.recordId);
  // Part by part, so that no value can shift the parts behind it.
  const std::string basic[19] = {PlantPrefix(plant) + origin.number,
                                 "-1", "-1", "-1", "1", origin.today, origin.today,
                                 "", "", "", "", "", "", "", "",
                                 plant.plantNumber, plant.operatorNumber, plant.plantName, plant.operatorName};
  record.SetField(1, "");
  for (int part = 0; part < 19; ++part) record.SetValue(1, part, basic[part]);
  SetMaterialFields(record, material, true, &origin.sieving);
}

void ReassignMaterialFields(CVersuch& record, const CMatDef& material) {
  SetMaterialFields(record, material, false, nullptr);
}

// ------------------------------------------------------------ duplicate

std::unique_ptr<CVersuch> DuplicateRecord(const CVersuch& source, const std::string& testNumber,
                                          const std::string& recordId, const std::string& today) {
  auto copy = std::make_unique<CVersuch>();
  // Taken as stored records are read, from the text as it is stored, so that
  // the copy keeps every ";" of field 18.
  for (int field = 0; field < CVersuch::kFieldCount; ++field)
    copy->SetFieldOnLoad(field, source.GetFieldForStore(field));
  copy->SetValue(1, 0, testNumber);
  copy->SetValue(0, 0, recordId);
  for (int part : {5, 6, 9}) copy->SetValue(1, part, today);
  copy->UpdateListSummary();
  return copy;
}

// ------------------------------------------------------------ material lists

MaterialListRows SortMaterialLines(const std::vector<std::string>& lines, const std::string* towerFilter) {
  MaterialListRows rows;
  for (const std::string& line : lines) {
    if (!line.empty() && line[0] == ' ') {
      rows.db.push_back({line, nullptr});
      continue;
    }
    auto definition = std::make_unique<CMatDef>();
    if (!definition->Parse(line) || !definition->HasName()) continue;
    if (towerFilter && MaterialSieveTower(*definition) != *towerFilter) continue;
    auto& list = Contains(line, "-DBDBDB-") ? rows.db : rows.defined;
    list.push_back({{}, std::move(definition)});
  }
  return rows;
}
