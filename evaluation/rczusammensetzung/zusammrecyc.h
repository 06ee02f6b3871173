#pragma once
// The composition of recycled material ("VA_RCZUS"): the mass of each
// constituent gives its share of the mass sum. Two forms share record
// field 15:
// - the standard form (eleven constituents named by the material's entry,
//   each judged against its code, and the floating particles by volume in
//   cm³, judged in cm³ per kg): parts joined by "|", lists of twelve entries
//   each followed by "@":
//     0 mass sum | 1 share sum | 2 names | 3 codes | 4 masses | 5 shares | 6 row results
// - the grading-mixture form (ten named constituents, no requirements):
//     mass sum | share sum | name | mass | share | ... (each part followed by "|")
// Texts typed or named freely are stored with "|", "~" and "$" made "#".
#include <array>
#include <string>
#include <vector>

#include "evaluation/frame/inputfaults.h"
#include "evaluation/frame/testentryframe.h"

inline constexpr int kRecycRows = 12;         // eleven constituents and the floating particles
inline constexpr int kRecycConstituents = 11;
inline constexpr int kFloatingRow = 11;
inline constexpr int kMixtureRows = 10;

// The shares of a list of masses (texts as typed).
struct ShareTable {
  std::vector<std::string> masses;  // one decimal, empty stays empty
  std::vector<std::string> shares;  // one decimal, corrected to add up to 100.0
  std::string massSum;
  std::string shareSum;             // the sum before the correction
  double total = 0.0;               // the unrounded mass sum
  // A refused mass (by its row): the masses stay as typed, nothing is computed.
  InputFaults faults;
  bool HasMasses() const { return total > 0.0001; }
};
ShareTable ComputeShares(const std::vector<std::string>& masses);

// Row results.
enum : int { kRowNoRequirement = 0, kRowMet = 1, kRowNotMet = 2 };

struct RecycInput {
  std::array<std::string, kRecycRows> names, codes, masses;  // masses[11]: volume [cm³]
};

struct RecycResult {
  RecycInput inputs;                          // masses with one decimal
  std::array<std::string, kRecycRows> shares; // shares[11]: cm³ per kg
  std::string massSum, shareSum;
  std::array<int, kRecycRows> results{};
  std::string status;
  std::string statistics;  // name, "¿", share, "@" for every named row
  // A refused mass or volume (by its row): nothing is computed, status "0".
  InputFaults faults;

  std::string ResultText() const;
};

// Names and codes from the entry ("VA_RCZUS|names@...|codes@..."), masses
// from the stored field (its names, codes and shares are not read back).
RecycInput RecycInputFromRecord(const std::string& entry, const std::string& field15);
RecycResult ComputeZusammensetzung(const RecycInput& input);
TestEntryResult RecycEntryResult(const RecycResult& result);

struct MixtureInput {
  std::array<std::string, kMixtureRows> names, masses;
};
struct MixtureResult {
  MixtureInput inputs;
  std::array<std::string, kMixtureRows> shares;
  std::string massSum, shareSum;
  std::string status;  // "1" with a share sum, else "0"
  InputFaults faults;  // a refused mass (by its row): nothing is computed

  std::string ResultText() const;
};

// The preset names ("Altschotter", "Neuschotter"), then what field 15 stores.
MixtureInput MixtureInputFromField(const std::string& field15, bool preset);
MixtureResult ComputeMixture(const MixtureInput& input);

// "|", "~" and "$" become "#".
std::string SafeRecordText(const std::string& text);
