#pragma once
// The statistics files for the statistics manager: "KEY=value" lines with a
// header, one "VERSUCH=" line per record and, for a material statistic, the
// column statistics (mean, deviation, ...). A material file ("M...sta")
// covers one material or sieve tower, a period file ("T...sta") the records
// of a date range.
//
// The writers only build the text (with "\n" line ends) and the path in the
// data folder's "stat" folder; saving it is the caller's step, so the text
// can be checked byte for byte without touching the disk.
//
// The selection text (StatisticsSelection) comes from the statistics dialog:
//   0 "M" or "T", 1 material ID (or the material class "12"), 2 operator
//   number, 3 plant number, 4 first and 5 last sampling day (YYYYMMDD),
//   6-8 monitoring flags, 9 customer ID, 10 "T" dry / "N" wet / "" all, 11 "".
#include <array>
#include <ctime>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

class CVersuch;

// The first line of every statistics file.
inline constexpr char kStatisticsBanner[] = "Pravik - Statistikdaten fuer die Statistikverwaltung";

// "YYYYMMDD..." as "DD.MM.YYYY"; texts of 7 characters or fewer unchanged.
std::string FormatGermanDate(const std::string& date);

// Every sieve of the towers (";"-lists) once, ascending by value, joined by ";".
std::string MergeSieveTowers(const std::vector<std::string>& towers);

// The sieves of the record's tower whose requirement rows (field 4) are
// marked as not met, each followed by ";".
std::string ListFailedSieves(const CVersuch& record);

// The record's passing values laid out on the merged tower: one field per
// merged sieve (empty where the record has no such sieve), "_*" behind the
// failed sieves.
std::string BuildSieveColumns(const std::string& mergedTower, const std::string& recordTower,
                              const std::string& sieveValues, const std::string& failedSieves);

// The "VERSUCH=" value of a record: six groups in braces (basic data, sieve
// columns, side tests, petrography, recycled composition, material).
std::string BuildStatisticsLine(const CVersuch& record, const std::string& mergedTower);

// Mean, standard deviation, coefficient of variation, minimum, maximum and
// spread per column of the VERSUCH values, each "{sieve columns}{side-test
// columns}". An empty column (no value that reads as a number) gets empty
// texts. The mean of the shape index (the first side-test column) carries
// "_*" when it does not meet the requirement code.
std::array<std::string, 6> ComputeStatisticsRows(const std::vector<std::string>& lines,
                                                 const std::string& shapeIndexCode);

// Header values by key.
using StatisticsKeyMap = std::map<std::string, std::string>;

// The header values both files share, from the first record of the set and
// the selection: DEBUG_FILTER, TYP (the start text plus the material kind
// letters), DATUMVON, DATUMBIS, MATERIALART, PRUEFART, BETREIBER,
// BETREIBER_NR, WERK, WERK_NR, ERSTELLT_AM, KUNDE_ID, KUNDE_BEZEICHNUNG.
void BuildStatisticsFilter(const std::vector<const CVersuch*>& set, const std::string& selection,
                           const std::string& typStart, StatisticsKeyMap& keys, std::time_t now);

struct StatisticsFile {
  std::filesystem::path path;
  std::string text;  // "\n" line ends
};

// The material file of a non-empty set; the reference record is the one the
// command started from (its requirements and target curves go in).
StatisticsFile WriteMaterialStatistics(const std::vector<const CVersuch*>& set, const std::string& selection,
                                       const CVersuch& reference, const std::filesystem::path& dataFolder,
                                       std::time_t now);
// The period file of a non-empty set.
StatisticsFile WritePeriodStatistics(const std::vector<const CVersuch*>& set, const std::string& selection,
                                     const std::filesystem::path& dataFolder, std::time_t now);

// Writes the text (code page 1252, CR LF) under the file's path or, when
// something stands there already (a statistic of the same second), under the
// first free "<name>_2.sta", "<name>_3.sta", ...: the earlier file stays.
// The path written; nullopt when writing failed.
std::optional<std::filesystem::path> SaveStatisticsFile(const StatisticsFile& file);
