#pragma once
// The petrographic examination of an aggregate ("VA_PETRO"): the sample is
// sorted into classes of constituents, each class weighed; the mass shares of
// the unsuitable classes A (A1 + A2 + A3), B and C are judged against fixed
// limits for concrete aggregate in three uses. Five classes keep a short
// property text of up to three lines.
//
// Record field 21, parts joined by "|", the field ending with "|":
//   0 .. 10 empty | 11 .. 15 property texts A1, A2, A3, B, C ("#CRLF#" between
//   lines) | 16 .. 23 masses of rows 1 .. 8 [g] | 24 total mass | 25 .. 32 shares
//   [M.-%] | 33 total share | 34 .. 42 requirement texts by use, then row |
//   43 .. 51 check results by row, then use ("1" met, "2" not met, "0" not tested)
#include <array>
#include <string>
#include <vector>

#include "evaluation/frame/inputfaults.h"
#include "evaluation/frame/testentryframe.h"

// The eight constituent rows in the order of the field.
inline constexpr int kPetroHarmless = 0;  // "Summe unbedenkliche Bestandteile"
inline constexpr int kPetroFlint = 1;     // "Summe Flint (Gesamtgehalt) inkl. A1"
inline constexpr int kPetroA1 = 2;
inline constexpr int kPetroA2 = 3;
inline constexpr int kPetroA3 = 4;
inline constexpr int kPetroSumA = 5;      // A1 + A2 + A3, computed
inline constexpr int kPetroB = 6;
inline constexpr int kPetroC = 7;
inline constexpr int kPetroRows = 8;
// The rows with a property text, in the order of the texts.
inline constexpr std::array<int, 5> kPetroTextRows = {kPetroA1, kPetroA2, kPetroA3, kPetroB, kPetroC};
inline constexpr int kPetroTexts = 5;

// The judged rows A, B, C and the three uses of the aggregate.
inline constexpr std::array<int, 3> kPetroJudgedRows = {kPetroSumA, kPetroB, kPetroC};
inline constexpr int kDeckschichten = 0;
inline constexpr int kKappen = 1;
inline constexpr int kSichtflaechen = 2;
inline constexpr int kPetroUses = 3;
inline constexpr int kPetroChecks = 9;
// Requirement texts are stored by use, then row; check results by row, then use.
constexpr int PetroRequirementIndex(int judged, int use) { return use * 3 + judged; }
constexpr int PetroCheckIndex(int judged, int use) { return judged * 3 + use; }

// A fixed limit as the dialog shows it and the code it is judged with.
struct PetrographyLimit {
  const char* shown;
  const char* code;
};
// [judged row A, B, C][use].
extern const std::array<std::array<PetrographyLimit, kPetroUses>, 3> kPetrographyLimits;

struct PetrographyInput {
  std::array<std::string, kPetroRows> masses;  // the Summe A row is computed, not read
  std::array<std::string, kPetroTexts> propertyTexts;        // stored form, "#CRLF#" between lines
  std::array<std::string, kPetroChecks> requirementTexts;   // as shown, by use then row
};

// Check results.
enum : int { kPetroNotTested = 0, kPetroMet = 1, kPetroNotMet = 2 };

struct PetrographyResult {
  std::array<std::string, kPetroRows> masses;  // 1 decimal
  std::string totalMass;
  std::array<std::string, kPetroRows> shares;  // 2 decimals
  std::string totalShare;                      // "100.00" or ""
  std::array<std::string, kPetroTexts> propertyTexts;
  std::array<std::string, kPetroChecks> requirementTexts;
  std::array<int, kPetroChecks> checks{};      // by row, then use
  std::string status;                          // "9" any failed, "8" any met, else "0"
  // A refused mass (by its row), or A1 more than 0.1 g above the flint total
  // it is part of: nothing is computed.
  InputFaults faults;

  // The whole of field 21.
  std::string ResultText() const;
  // Field 10 part 20: the eight shares, each followed by "@".
  std::string StatisticsValue() const;
};

// The dialog's starting values: the fixed requirement texts, or, for a stored
// field, its property texts, masses and requirement texts as stored.
PetrographyInput PetrographyDefaults(const std::string& field21);

PetrographyResult ComputePetrography(const PetrographyInput& input);

// What the opener stores: field 21, the status and the statistics value.
TestEntryResult PetrographyEntryResult(const PetrographyResult& result);

// ---- property texts

inline constexpr int kPropertyTextLines = 3;
inline constexpr int kPropertyLineChars = 250;

// A property text fit for field 21: "|" removed, "~" and "$" (which the record
// file reserves) replaced by "#".
std::string CleanPropertyText(const std::string& text);
// Lines as the editor shows them, stored: the first three lines of at most 250
// characters each, always three joined by "#CRLF#", cleaned.
std::string PackPropertyText(const std::vector<std::string>& lines);
// A stored text for the editor: up to two "#CRLF#" at the end taken off, the
// others turned into line breaks.
std::string UnpackPropertyText(const std::string& stored);
// The lines of a stored text (split at "#CRLF#").
std::vector<std::string> PropertyTextLines(const std::string& stored);
// A stored text on one line, as its field in the dialog shows it.
std::string PropertyTextOnOneLine(const std::string& stored);
