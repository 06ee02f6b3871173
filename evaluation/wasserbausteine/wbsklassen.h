#pragma once
// The grading categories of armourstone: the size categories ("CP" and a
// size range) that a sieving is judged against, and the mass categories
// ("LMA", "LMB", "HMA", "HMB" and a mass range) of a weighing of single
// stones. Each category is a fixed row of the tables in wbsklassen.cpp,
// looked up by its exact name.
//
//   CWBSGroessenklasse size;
//   if (size.Load("CP 45/125")) size.FindRange(22.4);   // "0-5"
//   CWBSGewichtsklasse mass;
//   mass.Load("LMA 10/60");
//   mass.GetBand(12.5);                                  // 2: between 10 and 60 kg
//   IsInMassRange(8.4, mass.GetRange(1));                 // within "0-10"
#include <array>
#include <string>
#include <vector>

// The names of the size and of the mass categories in table order (the
// order of the sheets' category lists).
const std::vector<std::string>& WBSSizeCategoryNames();
const std::vector<std::string>& WBSMassCategoryNames();

class CWBSGroessenklasse {
 public:
  static constexpr int kSizes = 5;

  // Takes the row of that name: its sizes (a size a row does not have reads
  // as 0), ranges and upper size. A name no row carries leaves no sizes, no
  // ranges and no upper size, and gives false.
  bool Load(const std::string& name);

  bool IsLoaded() const { return m_bLoaded; }
  // The sieve size in mm (0 .. 4), ascending; 0 where the row has none.
  double GetSize(int index) const;
  // The required passing range at that size, "a-b"; "" where there is none.
  std::string GetRange(int index) const;
  // The largest sieve the category uses (mm).
  double GetUpperSize() const { return m_UpperSize; }
  // The number of sizes the category has (4 or 5; 0 when none is loaded).
  int GetSizeCount() const;
  // The range of the size that equals the given one exactly, "" when none does.
  std::string FindRange(double size) const;
  // The band (0 .. 5) of a size: the first size it stays below (with 0.001
  // to spare), 5 above all.
  int GetBand(double size) const;

 private:
  std::array<double, kSizes> m_Sizes{};
  std::array<std::string, kSizes> m_Ranges;
  double m_UpperSize = 0;
  bool m_bLoaded = false;
};

class CWBSGewichtsklasse {
 public:
  static constexpr int kLimits = 4;
  static constexpr int kBands = kLimits + 1;

  // Takes the row of that name: its four limit masses and ranges. A name no
  // row carries (an empty name too) leaves the limits at 0 and no ranges,
  // and gives false.
  bool Load(const std::string& name);

  bool IsLoaded() const { return m_bLoaded; }
  // The limit mass in kg (0 .. 3), ascending.
  double GetLimitMass(int index) const;
  // The required share in % by mass lighter than that limit, "a-b".
  std::string GetRange(int index) const;
  // The band (0 .. 4) of a stone mass in kg: the first limit it stays below
  // (with 0.001 kg to spare), 4 above all.
  int GetBand(double mass) const;

 private:
  std::array<double, kLimits> m_Limits{};
  std::array<std::string, kLimits> m_Ranges;
  bool m_bLoaded = false;
};

// Whether a percentage given as text lies within a range "a-b" (both ends
// included, 0.0001 to spare). An empty or incomplete range is never met.
bool IsInRange(const std::string& value, const std::string& range);
// The same for a percentage as a number, the ends excluded.
bool IsInMassRange(double value, const std::string& range);

// The fulfilment word of a requirement as the record field stores it: "ja"
// or "nein" whatever the language of the user interface, so that a stored
// column reads in one language.
const char* WBSStoredWord(bool met);
// A stored "ja" or "nein" in the language of the user interface, as the
// sheets show it; any other text ("", ".") stays as it is.
std::string WBSShownWord(const std::string& stored);
