#pragma once
// Monthly archive files: which months a list of records offers, the month
// files "arch_YYYYMM.xml" of an archive folder, and the protocols of the
// archive and dearchive commands. The documents themselves: transfer.h.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class CVersuch;

// The first six characters of the sampling date-time (field 1 part 11).
std::string MonthKey(const CVersuch& record);
// Its first four characters.
std::string YearKey(const CVersuch& record);

// The entries the archive dialog offers, in calendar order: for each year
// 1998 to 2065 that has records "YYYY|count", then for each of its months
// with records "YYYYMM|count". Records outside those years, or with a
// sampling date shorter than a month, are counted but never offered.
std::vector<std::string> ArchiveEntries(const std::vector<const CVersuch*>& records);

// A month key "YYYYMM" shown as "MM" + separator + "YYYY".
std::string MonthOfYear(std::string_view key, std::string_view separator);

// "arch_" + month key + ".xml".
std::string MonthFileName(std::string_view month);
// Exactly 15 characters, "arch_" first and ".xml" last (case-sensitive).
bool IsMonthFileName(std::string_view name);
// The month keys of the month files in the folder, in ascending text order
// (the keys are not checked to be digits).
std::vector<std::string> MonthFileKeys(const std::filesystem::path& folder);

// Result entries of the month operations.
std::string ArchiveResult(std::string_view month, std::string_view state);  // "YYYYMM|1", "|-1", "|-2"
std::string DearchiveResult(std::string_view month, int added, int skipped);
inline constexpr char kArchived[] = "1";
inline constexpr char kArchiveExists[] = "-1";
inline constexpr char kArchiveWriteFailed[] = "-2";
// The month's file exists and holds only records of the list: a dearchiving
// read it but could not delete it.
inline constexpr char kArchiveLeftover[] = "-3";

// The protocol texts (CR LF line ends). `footnote` tells whether a month was
// refused because its file exists.
std::string ArchiveProtocol(const std::vector<std::string>& results, bool* footnote);
std::string DearchiveProtocol(const std::vector<std::string>& results);

// What the archive protocol says below its table about the months refused
// as leftovers (kArchiveLeftover), naming their files; empty without one.
std::string ArchiveLeftoverNote(const std::vector<std::string>& results, const std::filesystem::path& folder);
// Names the month files a dearchiving read but could not delete (their
// records are in "data.db" now); empty without one. Lines end in `lineEnd`.
std::string DearchiveLeftoverNote(const std::vector<std::filesystem::path>& files, std::string_view lineEnd);
