// The basic data of a record as the two dialogs show and store them: dates
// with an unset time, remarks, limits, customer, information fields, status,
// the track-ballast protocol, and both takeover files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>

#include "evaluation/grunddaten/grunddaten.h"
#include "fixtures/dlgbase/english_language.h"
#include "platform/files.h"
#include "platform/textfile.h"
#include "records/strutil.h"

namespace fs = std::filesystem;

namespace {

const fs::path kFixtures = fs::path(PRAVIK_FIXTURES) / "grunddaten";
const std::string kToday = "20250610";
const std::string kSixBreaks = "#CRLF##CRLF##CRLF##CRLF##CRLF#";

const CustomerMap kCustomers = {{"K-1", "Straßenbau Südwest GmbH"},
                                {"K-2", "Straßenbau"},
                                {"K-3", "Tiefbau Köhler & Söhne"},
                                {"K-4", "betonwerk Rheinfelden"}};

CVersuch RecordWithBasicData(const std::string& field1, const char* materialId = "[12-34-2501010800001]") {
  CVersuch r;
  r.SetField(1, field1);
  std::string requirements(8, ';');
  r.SetField(5, requirements + materialId);
  return r;
}

// A new record as the new-record command makes it.
CVersuch NewRecord(const char* materialId = "[12-34-2501010800001]") {
  return RecordWithBasicData("12-34-9001|-1|-1|-1||20250610|20250610", materialId);
}

const char kNewBallast[] = "[SDM-DBDBDB-GS-0001]";
const char kRecycledBallast[] = "[SDM-DBDBDB-GSRC-0001]";

BasicData Complete(BasicData d) {
  d.testedBy = "M. Schäfer";
  d.sampledBy = "B. Weiß";
  d.samplingPoint = "Förderband 3";
  d.info1 = "BV Nord";
  d.info2 = "Früh";
  return d;
}

BallastData Complete(BallastData d) {
  d.testedBy = "M. Schäfer";
  d.sampledBy = "B. Weiß";
  d.choices = {0, 1, 0, 2};
  return d;
}

}  // namespace

TEST(BasicDateTime, StoredTextsAndWhatTheyOpenAs) {
  const BasicDateTime today{2025, 6, 10, false, 0, 0, 0};
  struct Case {
    const char* stored;
    BasicDateTime opened;
    const char* storedAgain;
  };
  const Case cases[] = {
      {"", today, "20250610"},
      {"2024031", today, "20250610"},  // shorter than 8 characters
      {"20240230", today, "20250610"},  // no such day
      {"2024ab05", today, "20250610"},
      {"20240305", {2024, 3, 5, false, 0, 0, 0}, "20240305"},
      {"20240305143007", {2024, 3, 5, true, 14, 30, 7}, "20240305143007"},
      {"202403051430", {2024, 3, 5, true, 14, 30, 0}, "20240305143000"},
      {"20240305000000", {2024, 3, 5, true, 0, 0, 0}, "20240305000000"},
      {"20240305256000", {2024, 3, 5, false, 0, 0, 0}, "20240305"},  // no such time: unset
      {"20240305ab", {2024, 3, 5, false, 0, 0, 0}, "20240305"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    const BasicDateTime opened = ParseBasicDateTime(c.stored, kToday);
    EXPECT_EQ(opened, c.opened);
    EXPECT_EQ(FormatBasicDateTime(opened), c.storedAgain);
  }
}

TEST(BasicData, ANewRecordOpensWithTodayAndUnsetTimesAndStoresStatusZero) {
  CVersuch r = NewRecord();
  const BasicData d = ReadBasicData(r, kCustomers, kToday);
  EXPECT_EQ(d.testDate, (BasicDateTime{2025, 6, 10, false, 0, 0, 0}));
  EXPECT_EQ(d.samplingDate, d.testDate);
  EXPECT_EQ(d.info1Label, "Baustelle");
  EXPECT_EQ(d.info2Label, "Schicht");
  EXPECT_EQ(d.customerId, "");
  EXPECT_EQ(StoreBasicData(r, d, kCustomers), "0");
  EXPECT_EQ(r.GetValue(1, 9), "20250610");
  EXPECT_EQ(r.GetValue(1, 11), "20250610");
  EXPECT_EQ(r.GetValue(1, 4), "0");
  EXPECT_EQ(r.GetValue(1, 14), kSixBreaks);
  EXPECT_EQ(r.GetValue(1, 23), "Baustelle");
}

TEST(BasicData, TestDateStoresEightOrFourteenCharacters) {
  for (bool withTime : {false, true}) {
    CVersuch r = NewRecord();
    BasicData d = Complete(ReadBasicData(r, kCustomers, kToday));
    d.testDate = {2025, 6, 9, withTime, 7, 5, 0};
    StoreBasicData(r, d, kCustomers);
    EXPECT_EQ(r.GetValue(1, 9), withTime ? "20250609070500" : "20250609");
    EXPECT_EQ(r.GetSamplingDateTime().size(), 8u);
  }
}

TEST(BasicData, ReportRemarkKeepsSixLinesAndReopensAsStored) {
  struct Case {
    const char* edit;
    std::string stored;
    const char* reopened;
  };
  const std::string longLine(260, 'x');
  const Case cases[] = {
      {"abc", "abc" + kSixBreaks, "abc\n\n"},
      {"abc\n\n", "abc" + kSixBreaks, "abc\n\n"},
      {"", kSixBreaks, "\n\n"},
      {"1\n2\n3\n4\n5\n6\n7\n8", "1#CRLF#2#CRLF#3#CRLF#4#CRLF#5#CRLF#6", "1\n2\n3\n4\n5\n6"},
      {"a|b\n|c", "ab#CRLF#c#CRLF##CRLF##CRLF##CRLF#", "ab\nc\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.edit);
    EXPECT_EQ(StoredReportRemark(c.edit), c.stored);
    EXPECT_EQ(ReportRemarkForEdit(c.stored), c.reopened);
    EXPECT_EQ(StoredReportRemark(ReportRemarkForEdit(c.stored)), c.stored);  // OK again stores the same
  }
  EXPECT_EQ(StoredReportRemark(longLine), std::string(250, 'x') + kSixBreaks);
  EXPECT_EQ(StoredReportRemark(std::string(250, 'y') + "ü"), std::string(250, 'y') + kSixBreaks);
  // The edit's limits: a seventh line and characters past 250 are refused.
  EXPECT_EQ(LimitReportRemark("1\n2\n3\n4\n5\n6\n"), "1\n2\n3\n4\n5\n6");
  EXPECT_EQ(LimitReportRemark("1\n2\n"), "1\n2\n");
  std::string umlauts;
  for (int i = 0; i < 250; ++i) umlauts += "ä";
  EXPECT_EQ(LimitReportRemark(umlauts + "ä\nnext"), umlauts + "\nnext");  // characters, not bytes
}

TEST(BasicData, InternalRemarkAndLimitsOnOk) {
  CVersuch r = NewRecord();
  BasicData d = Complete(ReadBasicData(r, kCustomers, kToday));
  d.internalRemark = "  Probe geteilt\nRest im Labor \n";
  d.testedBy = std::string(40, 'T');
  d.sampledBy = "  " + std::string(90, 'S');
  d.samplingPoint = std::string(79, 'P') + "äö";
  d.info1 = "a|b";
  StoreBasicData(r, d, kCustomers);
  EXPECT_EQ(r.GetRemark(), "Probe geteilt#CRLF#Rest im Labor");
  EXPECT_EQ(RemarkForEdit(r.GetRemark()), "Probe geteilt\nRest im Labor");
  EXPECT_EQ(r.GetValue(1, 10), std::string(35, 'T'));
  EXPECT_EQ(r.GetValue(1, 13), std::string(80, 'S'));
  EXPECT_EQ(r.GetValue(1, 12), std::string(79, 'P') + "ä");
  EXPECT_EQ(r.GetValue(1, 7), "a#b");
}

TEST(BasicData, CustomerIsWrittenOnlyWhenOneIsSelected) {
  CVersuch r = NewRecord();
  r.SetValue(1, 19, "K-9");
  r.SetValue(1, 20, "Alter Kunde");
  BasicData d = Complete(ReadBasicData(r, kCustomers, kToday));
  EXPECT_EQ(d.customerId, "");  // not in the list: nothing selected
  StoreBasicData(r, d, kCustomers);
  EXPECT_EQ(r.GetValue(1, 19), "K-9");
  EXPECT_EQ(r.GetValue(1, 20), "Alter Kunde");
  d.customerId = "K-3";
  StoreBasicData(r, d, kCustomers);
  EXPECT_EQ(r.GetValue(1, 19), "K-3");
  EXPECT_EQ(r.GetValue(1, 20), "Tiefbau Köhler & Söhne");
  EXPECT_EQ(ReadBasicData(r, kCustomers, kToday).customerId, "K-3");
  // The combo's order: by name, case not counting.
  std::vector<std::string> names;
  for (const Customer& c : SortedCustomers(kCustomers)) names.push_back(c.name);
  EXPECT_EQ(names, (std::vector<std::string>{"betonwerk Rheinfelden", "Straßenbau", "Straßenbau Südwest GmbH",
                                             "Tiefbau Köhler & Söhne"}));
}

TEST(BasicData, StatusRules) {
  struct Case {
    const char* name;
    const char* infoMode;
    std::function<void(BasicData&)> change;
    const char* status;
  };
  const Case cases[] = {
      {"complete", "-1", [](BasicData&) {}, "1"},
      {"no tester", "-1", [](BasicData& d) { d.testedBy = "  "; }, "0"},
      {"no sampling point", "-1", [](BasicData& d) { d.samplingPoint.clear(); }, "0"},
      {"no sampler", "-1", [](BasicData& d) { d.sampledBy.clear(); }, "0"},
      {"optional information missing", "-1", [](BasicData& d) { d.info1.clear(); }, "1"},
      {"mandatory information missing", "1", [](BasicData& d) { d.info2.clear(); }, "0"},
      {"mandatory information given", "1", [](BasicData&) {}, "1"},
      {"no information fields", "0", [](BasicData& d) { d.info1.clear(); }, "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BasicData d;
    d.infoMode = c.infoMode;
    d = Complete(d);
    c.change(d);
    EXPECT_EQ(BasicDataStatus(d), c.status);
  }
  BasicData d;
  d.infoMode = "0";
  EXPECT_FALSE(d.InfoFieldsUsed());
}

TEST(BallastData, ChoiceTextsByRecordKind) {
  for (const char* material : {kNewBallast, kRecycledBallast}) {
    SCOPED_TRACE(material);
    CVersuch r = NewRecord(material);
    BallastData d = Complete(ReadBallastData(r, kCustomers, kToday));
    EXPECT_EQ(d.newBallast, material == std::string(kNewBallast));
    d.choices = {0, 1, 1, 4};
    d.otherLoading = "Bagger";
    d.otherSource = "";  // the last choice with an empty edit
    EXPECT_EQ(StoreBallastData(r, d, kCustomers), "1");
    EXPECT_EQ(r.GetValue(1, 32), "0");
    EXPECT_EQ(r.GetValue(1, 34), d.newBallast ? "im Werk" : "an der RC-Anlage");
    EXPECT_EQ(r.GetValue(1, 35), "1");
    EXPECT_EQ(r.GetValue(1, 36), "ohne Nachreinigung");
    EXPECT_EQ(r.GetValue(1, 39), "Bagger");
    EXPECT_EQ(r.GetValue(1, 40), "4");
    EXPECT_EQ(r.GetValue(1, 42), "");
  }
  BallastData d;
  d.otherPlace = "Gleis 4";
  const char* place[] = {"im Werk", "an der Bahnverladung", "an der Lkw-Verladung", "Gleis 4"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(BallastChoiceText(kSamplingPlace, i, d), place[i]);
  const char* source[] = {"aus Silo/-auslauf", "vom Verladeband", "Bandabwurf", "Freilager (Halde)"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(BallastChoiceText(kSamplingSource, i, d), source[i]);
  EXPECT_EQ(BallastChoiceText(kLoading, 0, d), "mit Radlader");
  EXPECT_EQ(BallastChoiceText(kAfterCleaning, 0, d), "mit Nachreinigung");
  EXPECT_EQ(BallastChoiceText(kAfterCleaning, 2, d), "");
}

TEST(BallastData, AnUnchosenGroupStoresMinusOneAndAnEmptyText) {
  for (int group = 0; group < kBallastChoiceGroups; ++group) {
    SCOPED_TRACE(group);
    CVersuch r = NewRecord(kNewBallast);
    BallastData d = Complete(ReadBallastData(r, kCustomers, kToday));
    d.choices[static_cast<size_t>(group)] = -1;
    EXPECT_EQ(StoreBallastData(r, d, kCustomers), "0");
    const int indexPart[] = {32, 35, 37, 40};
    const int textPart[] = {34, 36, 39, 42};
    EXPECT_EQ(r.GetValue(1, indexPart[group]), "-1");
    EXPECT_EQ(r.GetValue(1, textPart[group]), "");
    // Reopened, the group has no choice again.
    EXPECT_EQ(ReadBallastData(r, kCustomers, kToday).choices[static_cast<size_t>(group)], -1);
  }
  CVersuch r = NewRecord(kNewBallast);
  BallastData d = Complete(ReadBallastData(r, kCustomers, kToday));
  d.sampledBy.clear();
  EXPECT_EQ(StoreBallastData(r, d, kCustomers), "0");
}

TEST(BallastData, InTrackFlagAndItsNotice) {
  struct Case {
    const char* stored;
    bool ticked;
    bool notice;
    const char* storedAfter;
  };
  const Case cases[] = {
      {"0", true, true, "1"},   {"1", false, true, "0"},  {"0", false, false, "0"}, {"1", true, false, "1"},
      {"-1", true, false, "1"}, {"-1", false, false, "0"},  // a new record
      {"2", false, false, "0"}, {"2", true, false, "1"},    // made elsewhere
      {"", true, false, "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.stored) + (c.ticked ? " ticked" : " cleared"));
    CVersuch r = RecordWithBasicData(std::string("12-34-9001|") + c.stored, kNewBallast);
    BallastData d = ReadBallastData(r, kCustomers, kToday);
    EXPECT_EQ(d.inTrack, std::string(c.stored) == "1");
    d.inTrack = c.ticked;
    EXPECT_EQ(InTrackNoticeNeeded(d.storedInTrack, d.inTrack), c.notice);
    StoreBallastData(r, d, kCustomers);
    EXPECT_EQ(r.GetValue(1, 1), c.storedAfter);
  }
}

TEST(BallastData, PrintVariantIsNeverMinusOneAfterOk) {
  struct Case {
    const char* stored;
    int opened;
  };
  for (const Case& c : {Case{"", 0}, Case{"-1", 0}, Case{"0", 0}, Case{"1", 1}, Case{"2", 0}}) {
    SCOPED_TRACE(c.stored);
    CVersuch r = RecordWithBasicData("12-34-9001|-1" + std::string(44, '|') + c.stored, kNewBallast);
    ASSERT_EQ(r.GetValue(1, 45), c.stored);
    BallastData d = ReadBallastData(r, kCustomers, kToday);
    EXPECT_EQ(d.printVariant, c.opened);
    StoreBallastData(r, d, kCustomers);
    EXPECT_EQ(r.GetValue(1, 45), std::to_string(c.opened));
  }
}

TEST(TakeoverFile, BothFilesRoundTripByteForByte) {
  for (const char* name : {"host_lgd.tmp", "host_GGs.tmp"}) {
    SCOPED_TRACE(name);
    const std::string bytes = platform::ReadFileBytes(kFixtures / name).value_or("");
    ASSERT_FALSE(bytes.empty());
    const std::optional<TakeoverFile> file = ParseTakeoverFile(platform::DecodeText(bytes));
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->values.size(), std::string(name) == "host_lgd.tmp" ? 14u : 22u);
    EXPECT_EQ(platform::EncodeText(FormatTakeoverFile(*file)), bytes);
  }
  EXPECT_EQ(TakeoverFilePath("/daten", "labor7", TakeoverKind::Basic), fs::path("/daten/tmp/labor7_lgd.tmp"));
  EXPECT_EQ(TakeoverFilePath("/daten", "labor7", TakeoverKind::Ballast), fs::path("/daten/tmp/labor7_GGs.tmp"));
}

TEST(TakeoverFile, AnInvertedQuestionMarkDoesNotShiftTheValues) {
  CVersuch r = NewRecord();
  BasicData d = Complete(ReadBasicData(r, kCustomers, kToday));
  d.internalRemark = "Wozu ¿ hier?";
  d.info2Label = "Schicht";
  d.signaturePath = "/daten/unterschriften/a.bmp";
  StoreBasicData(r, d, kCustomers);
  EXPECT_EQ(r.GetRemark(), "Wozu ¿ hier?");  // the record keeps its text
  const std::string bytes =
      platform::EncodeText(FormatTakeoverFile({r.GetValue(1, 0), TakeoverValues(r, TakeoverKind::Basic)}));
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\xBF'), 14);
  const TakeoverFile back = *ParseTakeoverFile(platform::DecodeText(bytes));
  ASSERT_EQ(back.values.size(), 14u);
  BasicData taken;
  ApplyBasicTakeover(back, taken, kCustomers, kToday);
  EXPECT_EQ(taken.internalRemark, "Wozu ? hier?");
  EXPECT_EQ(taken.info2Label, "Schicht");
  EXPECT_EQ(taken.signaturePath, "/daten/unterschriften/a.bmp");
}

TEST(TakeoverFile, ButtonTextAndWhenItStaysDisabled) {
  const TakeoverFile file{"12-34-2517", {"a"}};
  EXPECT_EQ(TakeoverButtonText(file, "12-34-2520"), "Daten übernehmen aus Prüf-Nr. 12-34-2517 ...");
  EXPECT_EQ(TakeoverButtonText(file, "12-34-2517"), std::nullopt);
  EXPECT_EQ(TakeoverButtonText(std::nullopt, "12-34-2520"), std::nullopt);
  EXPECT_EQ(TakeoverButtonText(TakeoverFile{"12-34-2517", {}}, "12-34-2520"), std::nullopt);
  EXPECT_EQ(ParseTakeoverFile(""), std::nullopt);
  // In another language the text is that language's.
  EnglishLanguage english;
  const std::string translated = TakeoverButtonText(file, "12-34-2520").value_or("");
  EXPECT_EQ(translated.rfind("T[", 0), 0u) << translated;
  EXPECT_NE(translated.find("12-34-2517 ..."), std::string::npos) << translated;
}

TEST(TakeoverFile, OrdinaryValuesTakenOver) {
  const std::string text = platform::DecodeText(platform::ReadFileBytes(kFixtures / "host_lgd.tmp").value_or(""));
  BasicData d;
  CustomerMap customers = kCustomers;
  customers["12-34-250107081500"] = "Straßenbau Südwest GmbH";
  ApplyBasicTakeover(*ParseTakeoverFile(text), d, customers, kToday);
  EXPECT_EQ(d.info1, "BV Ortsumgehung Nord");
  EXPECT_EQ(d.info2, "Frühschicht");
  EXPECT_EQ(d.testDate, (BasicDateTime{2025, 3, 5, false, 0, 0, 0}));
  EXPECT_EQ(d.testedBy, "M. Schäfer");
  EXPECT_EQ(d.samplingDate, (BasicDateTime{2025, 3, 5, true, 8, 15, 0}));
  EXPECT_EQ(d.samplingPoint, "Förderband 3");
  EXPECT_EQ(d.sampledBy, "B. Weiß");
  EXPECT_EQ(d.customerId, "12-34-250107081500");
  EXPECT_TRUE(d.statistics);
  EXPECT_EQ(d.internalRemark, "Rückstellprobe\nim Labor");
  EXPECT_EQ(d.reportRemark, "Probe feucht angeliefert");
  EXPECT_EQ(d.info1Label, "Baustelle");
  EXPECT_EQ(d.signaturePath, "/daten/unterschriften/weiß.bmp");
  // A customer the list does not know selects none.
  ApplyBasicTakeover(*ParseTakeoverFile(text), d, kCustomers, kToday);
  EXPECT_EQ(d.customerId, "");
}

TEST(TakeoverFile, BallastValuesTakenOverWithTheCustomerOfThatExactName) {
  const std::string text = platform::DecodeText(platform::ReadFileBytes(kFixtures / "host_GGs.tmp").value_or(""));
  TakeoverFile file = *ParseTakeoverFile(text);
  BallastData d;
  ApplyBallastTakeover(file, d, kCustomers, kToday);
  EXPECT_EQ(d.protocolNumber, "17/2025");
  EXPECT_EQ(d.year, "2025");
  EXPECT_FALSE(d.statistics);
  EXPECT_EQ(d.testDate, (BasicDateTime{2025, 4, 12, true, 9, 30, 0}));
  EXPECT_EQ(d.printVariant, 1);
  EXPECT_EQ(d.testedBy, "K. Öztürk");
  EXPECT_EQ(d.samplingDate, (BasicDateTime{2025, 4, 11, false, 0, 0, 0}));
  EXPECT_EQ(d.choices, (std::array<int, 4>{1, 0, 1, 4}));
  EXPECT_EQ(d.otherLoading, "Bagger");
  EXPECT_EQ(d.otherSource, "Halde Süd");
  EXPECT_TRUE(d.inTrack);
  EXPECT_EQ(d.weather, "Regen, 8 °C");
  EXPECT_EQ(d.blastPile, "SH-12");
  EXPECT_EQ(d.customerId, "K-3");
  EXPECT_EQ(d.internalRemark, "intern: Probe geteilt");
  EXPECT_EQ(d.reportRemark, "Körnung geprüft");
  EXPECT_EQ(d.signaturePath, "unterschriften/oeztuerk.bmp");

  struct Case {
    const char* name;
    const char* selected;
  };
  for (const Case& c : {Case{"Straßenbau", "K-2"}, Case{"Straßenbau Südwest GmbH", "K-1"}, Case{"", ""},
                        Case{"Straß", ""}, Case{"Unbekannt", ""}, Case{"BETONWERK RHEINFELDEN", ""}}) {
    SCOPED_TRACE(c.name);
    file.values[18] = c.name;
    d.customerId = "K-4";
    ApplyBallastTakeover(file, d, kCustomers, kToday);
    EXPECT_EQ(d.customerId, c.selected);
  }
}

TEST(TakeoverFile, ValuesComeFromTheStoredRecordInFileOrder) {
  CVersuch r = NewRecord(kNewBallast);
  BallastData d = Complete(ReadBallastData(r, kCustomers, kToday));
  d.protocolNumber = "17/2025";
  d.year = "2025";
  d.customerId = "K-3";
  d.inTrack = true;
  d.printVariant = 1;
  d.weather = "Regen";
  d.blastPile = "SH-12";
  d.otherPlace = "Gleis 4";
  d.reportRemark = "Körnung geprüft";
  StoreBallastData(r, d, kCustomers);
  const std::vector<std::string> values = TakeoverValues(r, TakeoverKind::Ballast);
  ASSERT_EQ(values.size(), 22u);
  const std::vector<std::string> expected = {"17/2025", "2025", "0", "20250610", "1", "M. Schäfer", "20250610",
                                             "B. Weiß", "0", "1", "0", "2", "Gleis 4", "", "", "1", "Regen", "SH-12",
                                             "Tiefbau Köhler & Söhne", "", "Körnung geprüft" + kSixBreaks, ""};
  EXPECT_EQ(values, expected);
  // Taken over into another new record, the values reach it unchanged.
  BallastData other;
  ApplyBallastTakeover({"12-34-9001", values}, other, kCustomers, kToday);
  CVersuch second = NewRecord(kNewBallast);
  StoreBallastData(second, other, kCustomers);
  for (int part : {1, 4, 9, 10, 11, 13, 14, 19, 20, 21, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45})
    EXPECT_EQ(second.GetValue(1, part), r.GetValue(1, part)) << part;
}
