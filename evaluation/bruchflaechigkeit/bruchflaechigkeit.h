#pragma once
// Crushed and broken surfaces ("VA_BRUCH"): the particles of one or several
// size classes are sorted by the share of their surface that is crushed or
// broken and the four surface classes are weighed:
//   Mtc totally crushed (> 90 %), Mpc partly crushed (50 - 90 %),
//   Mop others (10 - 50 %), Mtr totally rounded (< 10 %).
// Their shares in percent by mass follow, with the combined shares of
// crushed surface "10% - 100%" (Mtc + Mpc + Mop) and "> 50 %" (Mtc + Mpc).
//
// Three ways of calculating:
//   0 the old method: integer results from the column sums, Mtr as the
//     remainder to 100;
//   1 one size class: the shares of its mass M1 in the grading;
//   2 several size classes: the shares of each class weighted with its M1.
//
// The computation works on the texts of the dialog's table (ten rows) and
// gives the table as the dialog shows it afterwards, the five checks and the
// status. The record keeps the table in field 20 (see WriteBruchRecord).
#include <array>
#include <string>
#include <vector>

#include "evaluation/frame/inputfaults.h"
#include "evaluation/frame/testentryframe.h"

inline constexpr int kBruchRows = 10;

// The surface classes in the dialog's column order.
enum BruchClass : int { kMtc = 0, kMpc = 1, kMop = 2, kMtr = 3 };
inline constexpr int kBruchClasses = 4;
// The five checks in their order.
enum BruchCheck : int { kCheckGt50 = 0, kCheckMtc = 1, kCheckMpc = 2, kCheckMop = 3, kCheckMtr = 4 };
inline constexpr int kBruchChecks = 5;

enum BruchMode : int { kOldMethod = 0, kOneClass = 1, kSeveralClasses = 2 };

struct BruchRow {
  std::string name, m1, einwaage;
  std::array<std::string, kBruchClasses> mass, share;
  std::string share10to100, shareGt50, summe, abweich;
  bool red = false;  // the deviation is outside -0.001 .. 1 %
};

// The dialog's table: the rows, the "Summe:" row and the result row.
struct BruchTable {
  int mode = kSeveralClasses;
  int rowCount = 1;  // the active rows, from the first
  std::array<BruchRow, kBruchRows> rows;
  std::string sumM1, sumSumme, sumEinwaage;
  std::array<std::string, kBruchClasses> sumMass;
  std::array<std::string, kBruchClasses> result;
  std::string result10to100, resultGt50;
};

// The requirement item of the material ("VA_BRUCH" side-test entry).
struct BruchRequirement {
  std::array<std::string, kBruchChecks> codes;  // > 50 %, Mtc, Mpc, Mop, Mtr
  std::vector<std::string> classNames;          // at least one (may be "")
};
BruchRequirement BruchRequirementOf(const CVersuch& record);
// The item as stored in the material: parts 1 (> 50 %), 2 (Mtr), 4 (names
// at "¿"), 5 (Mtc), 6 (Mpc), 7 (Mop).
BruchRequirement ParseBruchRequirement(const std::string& item);

struct BruchComputation {
  BruchTable table;
  std::array<std::string, kBruchChecks> values;
  std::array<int, kBruchChecks> results{};  // RequirementResult: 0 none, 1 met, 2 not met
  int overall = -1;                         // 2 any not met, 1 any met, -1 otherwise
  bool warning = false;                     // a row is red
  std::string status;
  // A refused input of an active row: nothing is computed; or the four
  // masses of a row more than 1 % above the mass they were sorted from: the
  // table is computed without that row's shares, nothing is judged.
  InputFaults faults;
};
// The columns of the inputs as the faults name them (InputId), by table row.
enum BruchInput : int { kBruchM1Input = 0, kBruchMassInput = 1 /* + class */, kBruchEinwaageInput = 5 };

BruchComputation ComputeBruchMultiClass(const BruchTable& shown,
                                        const std::array<std::string, kBruchChecks>& codes);

// ---- modes

// Modes outside 0 to 2 are the old method.
int NormalizedBruchMode(int mode);
// The mode a record opens in: field 20 part 19; a record without the test
// opens in 1 + the "BrechnungModus" setting.
int StoredBruchMode(const CVersuch& record, int settingBrechnungModus);
int BruchRowCount(int mode, int classCount);

// What a mode lets the user type into (row index from 0).
struct BruchEnabling {
  bool m1(int row) const;
  bool mass(int row) const;
  bool einwaage(int row) const;
  bool firstName() const { return mode != kOneClass; }
  bool classCombo() const { return mode == kOneClass; }
  int mode = kSeveralClasses;
  int rowCount = 1;
};

// True when switching to one size class would clear a typed value.
bool SingleClassClearsInputs(const BruchTable& table);
// Clears what one size class does not use: every row but the first, and
// the name and Einwaage of the first.
void ClearForSingleClass(BruchTable& table);
// Sets mode and row count; names of the active rows from the list, the
// others and the Summe of inactive rows cleared.
void ApplyBruchModeToTable(BruchTable& table, int mode, const std::vector<std::string>& classNames);

// The rows stored in field 20 (parts 12 to 17) loaded into the active rows.
void LoadBruchRows(BruchTable& table, const CVersuch& record);

// ---- storing

// Field 20 (the parts the dialog owns) and the statistics value of field 10
// part 13; `classEntry` is the size class chosen for one size class.
void WriteBruchRecord(CVersuch& record, const BruchComputation& computation, const std::string& classEntry);
std::string BruchStatisticsValue(const BruchComputation& computation);
