#pragma once
// The hand-off file "sieb.tmp" of the external sieve program and the way its
// results come back into the record.
//
// The file holds the record's 33 fields, one line each: "NN~text" for NN = 00
// to 32 (code page 1252, CR LF), a line break inside a field written as
// "#CRLF#" as the record file does. The sieve program rewrites it in the same
// form and ends. What it gives back is judged against what was handed off:
//
//   Damaged    not exactly 33 lines, or a line that does not begin with its
//              number and "~": nothing is taken
//   Foreign    line 00 is not the id handed off: nothing is taken
//   Unchanged  every value the sieve analysis owns is as handed off
//   Changed    the record takes over exactly those values (TakeSieveValues)
//
// Values the sieve analysis owns: fields 3, 7, 8 and 27 whole; field 4
// part 0 (the sieve requirement rows); field 10 parts 0 and 1; field 18
// parts 2, 9 and 10; and the status of "VA_SIEBL" in field 29. Everything
// else the record holds (basic data, side tests, statistics values, list
// marks) is the main program's.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "records/versuch.h"

inline constexpr char kSieveHandOffFileName[] = "sieb.tmp";

using SieveHandOffLines = std::array<std::string, CVersuch::kFieldCount>;

// What one start of the sieve program handed off.
struct SieveHandOff {
  std::string recordId;     // field 0
  SieveHandOffLines fields;  // the texts as the file holds them
};

// The record's fields as the file will hold them: as the record file writes
// them (field 18 with its doubled ";"), one line each, and what
// code page 1252 cannot hold already as "?" and CRs at a field's end
// already dropped, so that an untouched file reads back equal.
SieveHandOff MakeSieveHandOff(const CVersuch& record);

// The file's text ("\n" line ends; written through the text-file functions).
std::string FormatSieveHandOff(const SieveHandOffLines& fields);

// The 33 field texts of a file's text; nullopt when it is damaged.
std::optional<SieveHandOffLines> ParseSieveHandOff(std::string_view text);

// The status character of a test key in a TestStatusList text; "" when the
// key has no entry.
std::string TestStatusIn(const std::string& statusList, const std::string& testKey);

// Whether every value the sieve analysis owns is the same in both.
bool SameSieveValues(const SieveHandOffLines& a, const SieveHandOffLines& b);

enum class SieveReturn { Damaged, Foreign, Unchanged, Changed };

// Judges the file's text (nullopt: it could not be read) against the
// hand-off; `returned` gets the fields read unless the file is damaged.
SieveReturn JudgeSieveReturn(const SieveHandOff& handedOff, const std::optional<std::string>& text,
                             SieveHandOffLines& returned);

// Sets the values the sieve analysis owns from the returned fields; the
// status of "VA_SIEBL" through UpdateTestStatus (which stamps the last
// change), when the file gives one. Nothing else of the record changes.
void TakeSieveValues(CVersuch& record, const SieveHandOffLines& returned);
