#pragma once
// What the track-ballast pages X and Y print, decided without drawing: the
// columns of the sieve table built from the record's sieve list and
// requirement rows, and which verdict each block states.
#include <string>
#include <vector>

class CVersuch;

// The fraction and opening labels of the sieve table, one per entry of the
// sieve list (record field 3 part 2, largest first, the pan label last):
// "> 63", "50 - 63", ..., "< 0.063" and "63", "50", ..., "" (the pan row).
// A trailing ".0" of a size is cut ("40.0" prints as "40").
void BuildBallastFractionLists(const std::string& sieveList, std::vector<std::string>& fractions,
                               std::vector<std::string>& openings);

// Per opening label, up to the first empty one, the requirement of the
// requirement row (record field 4 part 0) filed under that sieve, with "<="
// and ">=" as the Symbol face's signs, and its verdict word. A later row of
// the same sieve replaces an earlier one; rows of other sizes are left out.
void BuildBallastRequirementLists(const std::vector<std::string>& openings, const std::string& requirementRows,
                                  std::vector<std::string>& requirements, std::vector<std::string>& verdicts);

// The first requirement row whose size is a range ("31.5-63"), or "".
std::string FindBallastRangeRow(const std::string& requirementRows);

// " Ja " for a met row (code "2"), "nein" for "1" and "1a", nothing for a
// row without requirement (" ", "0") or any other code.
std::string BallastVerdictWord(const std::string& code);

// "<=" and ">=" as the Symbol face's less-or-equal and greater-or-equal signs.
std::string BallastSymbolRequirement(const std::string& required);

enum class BallastVerdict {
  kNone,           // nothing to state
  kMet,            // "... ist bedingungsgemäß."
  kNotMet,         // "... ist nicht bedingungsgemäß."
  kToleranceNote,  // met with the passing tolerated at 50 and 63 mm
};

// The verdict of the grading on page X. With the tolerance option on, the
// tolerance note for a met grading, or for a failed one whose every failed
// requirement row is a tolerated sieve; otherwise the status decides, and
// an unfinished grading states nothing.
BallastVerdict BallastGradingVerdict(const CVersuch& record);

// The verdict of one test key in the summary assessment: kMet, kNotMet, or
// kNone ("nicht bearbeitet"); the grading follows BallastGradingVerdict.
BallastVerdict BallastSummaryVerdict(const CVersuch& record, const std::string& testKey);

// Whether the statement block prints the defect version: always for print
// variant "1"; for "0", "-1" or none chosen when some test is not met (a
// grading within the tolerance counts as met).
bool BallastDefectsStated(const CVersuch& record);

// The verdict of a stored fulfilment code: `met` gives kMet, `notMet` kNotMet,
// anything else kNone.
BallastVerdict BallastVerdictOfCode(const std::string& code, const char* met, const char* notMet);

// The water absorption on page Y: met only with its status "8", not met
// when the field says so, else nothing.
BallastVerdict BallastWaterVerdict(const CVersuch& record);

// A verdict text split at the word set in bold: head, then the bold word,
// then tail. Without the word (or with it first) only the head is set.
struct VerdictPieces {
  std::string head;
  std::string tail;
  bool bold = false;
};
VerdictPieces SplitVerdictText(const std::string& text, const std::string& boldWord);

// The purity limit as page Y states it beside "Soll:": the relation sign of
// the Symbol face (empty for a sign the text face has) and the rest, such as
// {"\u00A3", "1.0 M.-%"}; "--" without a requirement.
struct BallastLimitText {
  std::string sign;
  std::string rest;
};
BallastLimitText BallastPurityLimit(const std::string& code);
