#pragma once
// Which records of the main list go into a statistic, as plain rules over
// the list's records (in list order) and the selected row indexes.
//
// Candidates: every record of the list when exactly one row is selected,
// else the selected rows. A period statistic ("T") keeps the candidates
// sampled in the period whose requirement string belongs to the material
// class; a material statistic ("M") those sampled in the period with the
// material ID of the selection (one row selected) or the reference record's
// sieve tower (several rows). Then every statistic drops records without a
// finished sieve analysis, of another operator or plant, of another
// customer (when one is chosen), left out of statistics, or of the other
// sieving kind.
#include <string>
#include <vector>

class CVersuch;

// The period statistics' material classes by the first two ";"-parts of the
// requirement string; class 12 is every "SDM" material, unknown classes
// match nothing.
bool MatchesMaterialClass(const CVersuch& record, int materialClass);

struct StatisticsRecordSelection {
  std::vector<const CVersuch*> set;  // list order
  // Records of the material whose requirement string differs from the
  // reference record's: "<test number> : "<material name>"" each.
  std::vector<std::string> changedMaterials;
};
StatisticsRecordSelection SelectStatisticsRecords(const std::vector<const CVersuch*>& list,
                                                  const std::vector<int>& selectedRows, const std::string& selection,
                                                  const CVersuch& reference);

// The warning about changed materials: "Achtung!", the reference record's
// material name and one line per record.
std::string ChangedMaterialsMessage(const CVersuch& reference, const std::vector<std::string>& lines);

// The period the statistics dialog proposes: with several rows selected the
// first and last sampling day among them (rows without an eight-digit
// sampling date are passed over); the row of the record that was selected
// alone before becomes the current row. Otherwise, or when no selected row
// has a date, both days are the current row's sampling date.
void GetSelectionDateRange(const std::vector<const CVersuch*>& list, const std::vector<int>& selectedRows,
                           int& currentRow, std::string& firstDay, std::string& lastDay);
