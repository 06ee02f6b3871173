#pragma once
// The side tests of track ballast that work on the two coarse grain classes
// 40-50 mm and 31.5-40 mm: per class the total mass of its grains and the
// mass of the grains that fail (l:d > 3:1 for the grain shape, passing the
// bar sieve for the flakiness); both sums give the share of failing grains,
// judged against the material's requirement code. The record field of such
// a test (field 12 grain shape, field 23 flakiness):
//   0 "2" | 1 share | 2 requirement code | 3 requirement as shown |
//   4 result "1" met, "2" not met, "0" otherwise | 5..10 |
//   11 total 40-50 | 12 total 31.5-40 | 13 failing 40-50 | 14 failing 31.5-40 |
//   15 | 16 sum of totals | 17 sum of failing | (ends with "|")
#include <optional>
#include <string>

#include "evaluation/frame/inputfaults.h"
#include "evaluation/frame/testentryframe.h"

// The inputs as the faults name them.
enum : int { kBallastTotal4050 = 0, kBallastTotal3140, kBallastPart4050, kBallastPart3140 };

struct BallastClassInput {
  std::string total4050, total3140;  // [g]
  std::string part4050, part3140;    // [g]
  std::string requirement;           // the material's code
};

struct BallastClassResult {
  BallastClassInput inputs;  // masses as shown (a refused class as typed), requirement "_D" read as "_R"
  std::string sumTotals, sumParts, share;
  int requirementState = kNoRequirement;
  std::string status;
  // A refused mass, or failing grains more than 0.1 g heavier than their
  // class: nothing is computed.
  InputFaults faults;

  // The field text; `shownRequirement` is the requirement as the test shows it.
  std::string ResultText(const std::string& shownRequirement) const;
};

BallastClassResult ComputeBallastClasses(const BallastClassInput& input);
// The field text and the status as an opener stores them.
TestEntryResult BallastEntryResult(const BallastClassResult& result, const std::string& shownRequirement);
// "1" for Met, "2" for NotMet, "0" for any other status.
std::string BallastResultCode(const std::string& status);

// The sample mass of the sieving as typed, when a share can be taken of it:
// a blank, unreadable or zero mass is none (no share, nothing infinite stored).
std::optional<double> DivisibleSampleMass(const std::string& text);
// Parts 11 to 14 of the stored field.
BallastClassInput BallastClassInputFromField(const std::string& field, const std::string& requirement);
// Part 1 of the test's side-test entry in the record's material definition.
std::string BallastRequirement(const CVersuch& record, const std::string& testKey);
// The sieved masses of both classes into the totals; false (and the input
// unchanged) when either is missing.
bool TakeSievedBallastMasses(const CVersuch& record, BallastClassInput& input);
