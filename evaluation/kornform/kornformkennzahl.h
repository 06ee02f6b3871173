#pragma once
// The shape index ("VA_KORNF"). In the standard form every size fraction the
// material names is tested on its own: the mass of badly shaped (non-cubical)
// grains against the mass of all grains of the fraction gives SIi, and the
// fractions are weighted by their share Vi of the grading, taken from the
// residues of the record's sieve analysis; the weighted mean is the shape
// index SI. In the simple form one portion is tested. Both are judged against
// the material's upper limit.
//
// Record field 12, standard form:
//   0 "2" | 1 | 2 limit | 3 | 4 fractions_ | 5 bad masses_ | 6 good masses_ |
//   7 SIi_ | 8 row flags_ | 9 minimum masses@ | 10 | 11 | 12 | 13 SI | 14 overall flag
// simple form:
//   0 "1" | 1 | 2 limit or "--" | 3 bad mass | 4 good mass | 5 share of bad | 6 flag
// Flags: "1" met, "0" not met, "-1" not judged.
#include <array>
#include <string>
#include <vector>

#include "evaluation/frame/inputfaults.h"
#include "evaluation/frame/testentryframe.h"

inline constexpr int kShapeIndexRows = 15;
// The sieve analysis gives at most this many residues.
inline constexpr int kResidueTableSize = 19;

// ---- the material's entry

struct ShapeIndexEntry {
  bool present = false;  // the material has a "VA_KORNF" entry
  std::string limit;     // part 1; empty: no requirement
  std::string form;      // part 2; "0" the simple form
  std::vector<std::string> fractions;  // part 3 at "_", at most 15
  bool IsSimpleForm() const { return form == "0"; }
};
ShapeIndexEntry ShapeIndexEntryOf(const CVersuch& record);

// ---- residues of the sieve analysis

struct SieveResidue {
  std::string sizeText;
  double size = 0.0;
  std::string residueText;
  double residue = 0.0;
};
// Field 3 part 2 (sizes) against part 8 (residues in g), at most 19 entries.
std::vector<SieveResidue> ShapeIndexResidueTable(const CVersuch& record);
// The residue of a fraction "lower-upper": the residues of the sizes from the
// lower up to below the upper size, with one decimal; "" when not above 0.
std::string FractionResidue(const std::vector<SieveResidue>& table, const std::string& fraction);

// ---- badly and well shaped grains of one portion

// The two masses as shown (one decimal), their sum and the two shares; the
// shares stay empty while the sum is 0 or a mass is refused.
enum : int { kBadMassInput = 0, kGoodMassInput = 1 };
struct BadGoodShares {
  std::string bad, good, sum, shareBad, shareGood;
  InputFaults faults;  // by kBadMassInput, kGoodMassInput
};
BadGoodShares ComputeBadGoodShares(const std::string& bad, const std::string& good);

// 1 when the value is at most the limit, 0 above it, -1 when the value or
// the limit ("" or "--") is missing.
int LimitFlag(const std::string& value, const std::string& limit);

// ---- standard form

using ShapeIndexTexts = std::array<std::string, kShapeIndexRows>;

struct ShapeIndexInput {
  std::string limit;
  ShapeIndexTexts fraction, residue;  // fixed when the dialog opens
  ShapeIndexTexts minMass, bad, good; // entered
};

struct ShapeIndexResult {
  ShapeIndexInput inputs;  // masses as shown
  ShapeIndexTexts sii, vi, sum, siivi;
  std::array<int, kShapeIndexRows> flags{};  // 1, 0, -1
  std::string totalResidue, totalSum, totalVi, totalSiivi;
  std::string si;
  int overallFlag = -1;
  std::string status;
  // A refused mass (InputId(kBadMassInput or kGoodMassInput, row)): nothing
  // is computed, status "0".
  InputFaults faults;

  // The rows that are stored: up to the first row without a fraction.
  int ListedRows() const;
  std::string ResultText() const;
};

// "<= " and the limit, or "--" without one.
std::string ShapeIndexRequirementText(const std::string& limit);

ShapeIndexResult ComputeShapeIndex(const ShapeIndexInput& input);
// The dialog's inputs for a record: fractions and residues from the entry
// and the sieve analysis, the masses from field 12.
ShapeIndexInput ShapeIndexInputFor(const CVersuch& record, const ShapeIndexEntry& entry);
// The minimum masses are free text inside a list: separators become "#".
std::string SanitizeListValue(const std::string& text);
// Field 12, its report rows (field 4 parts 9 to 24, all rewritten), the
// statistics value and the status.
TestEntryResult ShapeIndexEntryResult(const ShapeIndexResult& result);

// ---- simple form

struct SimpleShapeIndexResult {
  BadGoodShares shares;
  std::string limit;        // "--" without one
  std::string requirement;  // "<=" and the limit, or "--"
  int flag = -1;
  std::string status;
  std::string ResultText() const;
};
// limit "" is read as "--".
SimpleShapeIndexResult ComputeSimpleShapeIndex(const std::string& bad, const std::string& good,
                                               const std::string& limit);
// Field 12, the report row of part 24 (parts 9 to 23 emptied), the
// statistics value and the status.
TestEntryResult SimpleShapeIndexEntryResult(const SimpleShapeIndexResult& result);
