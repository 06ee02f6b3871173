#pragma once
// How a record begins: the fields of a new record built from a material
// definition and the open plant, the fields a material reassignment
// rebuilds, the copy of a duplicated record, the choice of test number and
// record ID, and the sorting of the definition file's lines into the two
// material lists of the new-record dialog. Plain code: the clock, the plant
// and the settings are handed in.
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "records/matdef.h"
#include "records/plantidentity.h"
#include "records/versuch.h"

// ------------------------------------------------------------ numbers and IDs

// Operator number "-" plant number "-": the beginning of test numbers and IDs.
std::string PlantPrefix(const std::string& operatorNumber, const std::string& plantNumber);
inline std::string PlantPrefix(const CPlantIdentity& plant) {
  return PlantPrefix(plant.operatorNumber, plant.plantNumber);
}
// The prefix of a record's own plant (field 1 parts 16 and 15).
std::string RecordPlantPrefix(const CVersuch& record);

// A key is in use (a test number or record ID of the list).
using KeyTaken = std::function<bool(const std::string& key)>;

enum class TestNumberCheck { kFree, kEmpty, kTaken };
// The number typed after the prefix: empty, or prefix + number already in use.
TestNumberCheck CheckTestNumber(const std::string& prefix, const std::string& number, const KeyTaken& taken);

// The record ID for a record made at `now`: the prefix followed by the
// creation second ("%y%m%d%H%M%S"); when that ID is in use, the first later
// second whose ID is free, so that no two records share an ID.
std::string FreeRecordId(const std::string& prefix, std::time_t now, const KeyTaken& taken);

// ------------------------------------------------------------ material fields

// The requirement string (field 5) of a new material: "SDM", the name in
// field 2, the ID in brackets in field 8, 100 fields in all.
std::string MaterialToSdmString(const CMatDef& material);

// A definition's sieve tower as records store it: SIEBTURM split at blanks,
// sorted ascending, joined by ";".
std::string MaterialSieveTower(const CMatDef& material);

// Dry sieving for a material name: "Trockensiebung" anywhere means dry,
// "Nasssiebung" anywhere wet; otherwise wet only when the default says so.
bool IsDrySievingName(const std::string& name, bool defaultWet);

// The target curves (field 11) a record gets for its material (fields 5 and
// 18 must be current): the track-ballast curves by standard, the standard
// curves of built-in grading mixtures numbered 101 to 399, the "KG1" and
// "KG2" curves of other grading mixtures; empty for any other material.
std::string TargetCurvesFor(const CVersuch& record);

// The values of the settings section "Siebungen" for new records.
struct SievingDefaults {
  int wetByDefault = 0;  // "defaultTrockenNass": 1 wet, 0 dry
  int polygonCurve = 0;  // "defaultKurvenverlauf": 1 as a polygon, 0 smooth
  int sumMode = 0;       // "defaultSummenmodus"
};

// What a new record takes from outside besides its material.
struct NewRecordOrigin {
  CPlantIdentity plant;
  std::string number;    // typed after the prefix
  std::string recordId;  // FreeRecordId
  std::string today;     // "%Y%m%d"
  SievingDefaults sieving;
};

// A new record: ID, basic data, status list and sieving fields, then the
// material's fields.
void CreateNewRecordFields(CVersuch& record, const CMatDef& material, const NewRecordOrigin& origin);
// A reassignment: only the material's fields (3 part 2, 5, 6, 11, 18 parts 0
// and 1, 25 and 30); ID, basic data, statuses and sieving stay.
void ReassignMaterialFields(CVersuch& record, const CMatDef& material);

// ------------------------------------------------------------ duplicate

// A copy of every field of the source (as records are read) under the new
// test number and ID, created, changed and tested today.
std::unique_ptr<CVersuch> DuplicateRecord(const CVersuch& source, const std::string& testNumber,
                                          const std::string& recordId, const std::string& today);

// ------------------------------------------------------------ material lists

// One row of a material list: a heading (no definition) or a definition.
struct MaterialListRow {
  std::string heading;
  std::unique_ptr<CMatDef> definition;
};
struct MaterialListRows {
  std::vector<MaterialListRow> defined;  // the plant's own definitions
  std::vector<MaterialListRow> db;       // built-in ("-DBDBDB-") definitions and the headings
};
// The lines of the definition list sorted into the two lists. Lines that
// begin with a blank are headings of the DB list; definitions without a name
// are left out; with a tower filter only definitions of that sieve tower
// are kept.
MaterialListRows SortMaterialLines(const std::vector<std::string>& lines, const std::string* towerFilter = nullptr);
