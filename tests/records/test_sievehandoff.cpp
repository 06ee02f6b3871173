// The hand-off file of the sieve program and the way its results come back:
// the file's form, and what a returned file gives on fixture files (a
// sieving as the sieve program leaves it, damaged files, another record's
// file, an untouched one).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/files.h"
#include "platform/textcodec.h"
#include "platform/textfile.h"
#include "records/sievehandoff.h"
#include "records/strutil.h"

namespace fs = std::filesystem;

namespace {

const fs::path kFixtures = fs::path(PRAVIK_FIXTURES) / "sievehandoff";

std::string Bytes(const char* name) { return platform::ReadFileBytes(kFixtures / name).value_or(""); }
std::string Text(const char* name) { return platform::DecodeText(Bytes(name)); }

// The record as it was handed off.
CVersuch HandedOffRecord() {
  const std::optional<SieveHandOffLines> fields = ParseSieveHandOff(Text("handed_off.tmp"));
  EXPECT_TRUE(fields.has_value());
  CVersuch record;
  if (fields)
    for (int field = 0; field < CVersuch::kFieldCount; ++field) record.SetField(field, (*fields)[static_cast<size_t>(field)]);
  return record;
}

// The text with line `n` (from 0) replaced; "" removes the line.
std::string WithLine(std::string text, int n, const std::optional<std::string>& line) {
  size_t start = 0;
  for (int i = 0; i < n; ++i) start = text.find('\n', start) + 1;
  const size_t end = text.find('\n', start) + 1;
  text.replace(start, end - start, line ? *line + "\n" : "");
  return text;
}

}  // namespace

TEST(SieveHandOff, FileHoldsTheThirtyThreeFieldsAndReadsBackByteForByte) {
  const CVersuch record = HandedOffRecord();
  const SieveHandOff handOff = MakeSieveHandOff(record);
  EXPECT_EQ(handOff.recordId, "12-34-250305080904");
  EXPECT_EQ(platform::EncodeText(FormatSieveHandOff(handOff.fields)), Bytes("handed_off.tmp"));
  const std::optional<SieveHandOffLines> back = ParseSieveHandOff(Text("returned_changed.tmp"));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(platform::EncodeText(FormatSieveHandOff(*back)), Bytes("returned_changed.tmp"));
}

TEST(SieveHandOff, LineBreakInAFieldKeepsThirtyThreeLines) {
  CVersuch record = HandedOffRecord();
  record.SetValue(1, 21, "erste Zeile\r\nzweite\ndritte");  // not through the dialogs
  record.SetField(32, "");
  const SieveHandOff handOff = MakeSieveHandOff(record);
  const std::string text = FormatSieveHandOff(handOff.fields);
  EXPECT_EQ(platform::SplitLines(text).size(), 33u);
  EXPECT_EQ(StrGetField(handOff.fields[1], '|', 21), "erste Zeile#CRLF#zweite#CRLF#dritte");
  EXPECT_EQ(platform::SplitLines(text).back(), "32~");
  // Untouched, the file reads back as unchanged.
  SieveHandOffLines returned;
  EXPECT_EQ(JudgeSieveReturn(handOff, text, returned), SieveReturn::Unchanged);
}

// CRs that end a field (a transfer file may bring them) stand before the
// file's line end, and the last goes with it when the file is read: through
// the file, an untouched hand-off still reads back unchanged.
TEST(SieveHandOff, AFieldEndingInCarriageReturnReadsBackUnchanged) {
  CVersuch record = HandedOffRecord();
  record.SetFieldOnLoad(21, "Bemerkung\r");
  record.SetFieldOnLoad(3, "a\rb\r\r");
  const SieveHandOff handOff = MakeSieveHandOff(record);
  const std::string file = platform::EncodeText(FormatSieveHandOff(handOff.fields));
  SieveHandOffLines returned;
  EXPECT_EQ(JudgeSieveReturn(handOff, platform::DecodeText(file), returned), SieveReturn::Unchanged);
  EXPECT_EQ(returned, handOff.fields);
}

TEST(SieveHandOff, WhatAReturnedFileGives) {
  const SieveHandOff handOff = MakeSieveHandOff(HandedOffRecord());
  const std::string same = Text("handed_off.tmp");
  const std::string changed = Text("returned_changed.tmp");
  struct Case {
    const char* name;
    std::optional<std::string> text;
    SieveReturn expected;
  };
  const Case cases[] = {
      {"a sieving entered", changed, SieveReturn::Changed},
      {"only the VA_SIEBL status changed", WithLine(same, 29, "29~[VA_GRUND:1][VA_SIEBL:8][VA_PLATT:8]"),
       SieveReturn::Changed},
      {"untouched", same, SieveReturn::Unchanged},
      {"only values it does not own changed",
       WithLine(WithLine(WithLine(same, 23, "23~anders"), 10, "10~|||||||||||99"), 29,
                "29~[VA_GRUND:8][VA_SIEBL:0][VA_PLATT:9]"),
       SieveReturn::Unchanged},
      {"field 18 part 3 changed", WithLine(same, 18, "18~Schotter 0/32 KG1|DIN EN 13043||M"), SieveReturn::Unchanged},
      {"32 lines", WithLine(changed, 32, std::nullopt), SieveReturn::Damaged},
      {"34 lines", changed + "33~\n", SieveReturn::Damaged},
      {"a line end more", changed + "\n", SieveReturn::Damaged},
      {"a wrong number", WithLine(changed, 5, "06~x"), SieveReturn::Damaged},
      {"lines swapped", WithLine(WithLine(changed, 7, "08~||1|0|0||0"), 8, "07~||0|1|0||1"), SieveReturn::Damaged},
      {"a missing tilde", WithLine(changed, 12, "12"), SieveReturn::Damaged},
      {"an empty file", std::string(), SieveReturn::Damaged},
      {"no file", std::nullopt, SieveReturn::Damaged},
      {"another record's id", WithLine(changed, 0, "00~12-34-250305091512"), SieveReturn::Foreign},
      {"an untouched file of another record", WithLine(same, 0, "00~12-34-250305091512"), SieveReturn::Foreign},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SieveHandOffLines returned;
    EXPECT_EQ(JudgeSieveReturn(handOff, c.text, returned), c.expected);
  }
}

TEST(SieveHandOff, TakesExactlyTheValuesTheSieveAnalysisOwns) {
  const CVersuch before = HandedOffRecord();
  CVersuch record = before;
  const SieveHandOffLines returned = *ParseSieveHandOff(Text("returned_changed.tmp"));
  TakeSieveValues(record, returned);

  for (int field : {3, 7, 8, 27}) EXPECT_EQ(record.GetField(field), returned[static_cast<size_t>(field)]) << field;
  // Field 4: the sieve rows (with their category), the other rows as they were.
  EXPECT_EQ(record.GetValue(4, 0), "{Überkorn:@45@100.0@= 100@2@}{Feinanteil:@0.063@3.1@<= 5.0@2@f<t>3<n>}");
  EXPECT_EQ(record.GetValue(4, 1), before.GetValue(4, 1));
  EXPECT_EQ(record.GetValue(10, 0), "3.1;5.2;9.8;18.6;27.9;37.3;48.0;61.5;78.2;96.4;100.0");
  EXPECT_EQ(record.GetValue(10, 1), "0.063");
  EXPECT_EQ(record.GetValue(10, 11), "12.0");  // the flakiness statistics value stays
  EXPECT_EQ(record.GetValue(18, 2), "5230.0");
  EXPECT_EQ(record.GetValue(18, 3), "");  // a list mark is the main program's
  EXPECT_EQ(record.GetValue(18, 9), "1");
  EXPECT_EQ(record.GetValue(18, 10), "1");
  EXPECT_EQ(record.GetTestStatusList(), "[VA_GRUND:1][VA_SIEBL:8][VA_PLATT:8]");

  // Everything else as before, but the date of the last change.
  CVersuch expected = before;
  expected.SetValue(1, 6, GetTodayText());
  for (int field : {0, 1, 2, 5, 6, 9, 11, 12, 13, 14, 15, 16, 17, 19, 20, 21, 22, 23, 24, 25, 26, 28, 30, 31, 32})
    EXPECT_EQ(record.GetField(field), expected.GetField(field)) << field;
}

TEST(SieveHandOff, AStatusThatIsNoStatusIsNotTaken) {
  for (const char* list : {"[VA_GRUND:1][VA_PLATT:8]", "[VA_GRUND:1][VA_SIEBL:][VA_PLATT:8]", "[VA_SIEBL:88]"}) {
    SCOPED_TRACE(list);
    CVersuch record = HandedOffRecord();
    SieveHandOffLines returned = *ParseSieveHandOff(Text("returned_changed.tmp"));
    returned[29] = list;
    TakeSieveValues(record, returned);
    EXPECT_EQ(record.GetTestStatusList(), "[VA_GRUND:1][VA_SIEBL:0][VA_PLATT:8]");
    EXPECT_EQ(record.GetValue(18, 2), "5230.0");
  }
  EXPECT_EQ(TestStatusIn("[VA_GRUND:1][VA_SIEBL:8]", "VA_SIEBL"), "8");
  EXPECT_EQ(TestStatusIn("[VA_GRUND:1]", "VA_SIEBL"), "");
}

TEST(SieveHandOff, FieldEighteenGoesAndComesBackAsTheRecordFileHoldsIt) {
  CVersuch record = HandedOffRecord();
  record.SetField(18, "Schotter|DIN|1;5|M");  // the first ";" in a part the sieve analysis owns
  const SieveHandOff handOff = MakeSieveHandOff(record);
  EXPECT_EQ(handOff.fields[18], "Schotter|DIN|1;;5|M");
  SieveHandOffLines returned = handOff.fields;
  returned[3] = "neue Siebung";
  TakeSieveValues(record, returned);
  EXPECT_EQ(record.GetField(18), "Schotter|DIN|1;5|M");
  EXPECT_EQ(record.GetField(3), "neue Siebung");
}
