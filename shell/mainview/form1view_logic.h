#pragma once
// The plain rules behind the main view, testable without a window: the
// column layout kept in "pravik.ini", the counted key indexes, the current
// record rule and the evaluation of a selection.
#include <array>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class CVersuch;

// ------------------------------------------------------------ columns

inline constexpr int kListColumnCount = 17;
inline constexpr char kDefaultColumnWidths[] = "83;147;67;76;200;96;77;77;74;66;69;81;68;75;75;75;75";
inline constexpr char kDefaultColumnOrder[] = "0;1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16";

// What a stored layout asks of the list: the width of the first columns
// (at most 17) and, when the stored order is usable, the column at each
// display position.
struct ColumnLayout {
  std::vector<int> widths;
  std::vector<int> order;  // empty: keep the order the list has
};

// Widths shorter than 34 characters give the default widths; they are read
// up to the first empty field (a non-number gives 0). The order is taken
// only when it has exactly 17 fields that are a permutation of 0 to 16.
// Reset: default widths and order.
ColumnLayout ParseColumnLayout(const std::string& widths, const std::string& order, bool reset,
                               const std::string& defaultWidths = kDefaultColumnWidths);

// The default widths are pixels of a list font whose digits are 6 pixels
// wide (a date "2025-01-15" just fills the test-date column). On this system
// the text columns grow or shrink with the real digit width of the list
// font; the status column, drawn in pixels, keeps its width but always holds
// its marks (statusMarksWidth). In the stored form of "Spaltenbreiten".
inline constexpr double kDefaultWidthsDigitWidth = 6.0;
std::string ScaledDefaultColumnWidths(double digitWidth, int statusMarksWidth);
// "%d;" per column, the trailing ";" included.
std::string FormatColumnWidths(const std::vector<int>& widths);
// The indexes joined by ";".
std::string FormatColumnOrder(const std::vector<int>& order);

// ------------------------------------------------------------ key indexes

// Counts the records per key, so that a key shared by two records stays
// known while any of them is left. The keys present are mirrored into a
// plain key map (the application's index) that other code reads.
class CountedKeyIndex {
 public:
  using Mirror = std::unordered_map<std::string, std::string>;
  explicit CountedKeyIndex(Mirror* mirror = nullptr) : mirror_(mirror) {}

  void SetMirror(Mirror* mirror) { mirror_ = mirror; }
  void Add(const std::string& key);
  // Room for this many keys in all, so that adding them does not rehash.
  void Reserve(size_t keys);
  // Forgets one record with the key; the key goes when no record is left.
  void Remove(const std::string& key);
  int Count(const std::string& key) const;
  bool Contains(const std::string& key) const { return Count(key) > 0; }
  void Clear();

 private:
  std::unordered_map<std::string, int> counts_;
  Mirror* mirror_;
};

// ------------------------------------------------------------ selection

// The row the test openers act on, the one the status bar names: the
// selected row when one is selected (wherever the focus is); the focused row,
// or the first selected row when several are selected and the focused one is
// not among them; -1 without a focused row. `selected` is in list order.
int CurrentRecordRow(int focusedRow, const std::vector<int>& selected);

// The evaluation of a selection (records in list order).
struct SelectionSummary {
  int count = 0;
  // "%s        %s (%s)": test number, material name and standard of a
  // single selected record (without the brackets when it names no
  // standard); empty otherwise.
  std::string detail;
  // All selected records share the sieve tower and the operator and plant
  // numbers (a reference stays open until a record supplies a value).
  bool same = true;
};
SelectionSummary SummarizeSelection(const std::vector<const CVersuch*>& selected);

// The text of the status bar: "Markiert: n     detail" (translated label).
std::string SelectionStatusText(const SelectionSummary& summary);

// The enabled state of the buttons that follow the selection.
struct SelectionButtons {
  bool periodStatistics;    // 1034: only changed when one record is selected
  bool materialStatistics;  // 1035
  bool mixture;             // 1036
  bool remove;              // 1004
};
// `before` holds the current states; a state that the rule leaves alone is kept.
SelectionButtons SelectionButtonStates(const SelectionSummary& summary, const SelectionButtons& before);

// The tokens "KEY:status" of a test status list ("[VA_GRUND:8][VA_PLATT:0]"),
// up to the first empty one.
std::vector<std::string> TestStatusTokens(const std::string& statusList);

// The runs of adjacent rows of an ascending list of rows, as first and last
// row, the last run first (so that removing them keeps the rows above).
std::vector<std::pair<int, int>> RowRunsFromTheEnd(const std::vector<int>& rows);

// A record flag turned over: "0" for "1", "1" for anything else (also empty).
std::string ToggledFlag(const std::string& value);

// The word of the "Siebung" column for a sieving mode: "Nass" (1),
// "Trocken" (2), translated, else empty.
std::string SievingModeWord(int mode);
