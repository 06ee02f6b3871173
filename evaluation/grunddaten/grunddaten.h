#pragma once
// The basic data of a record (field 1) as the two basic-data dialogs show
// and store them: who tested and sampled, when and where, the customer, the
// remarks, the statistics flag, the signature bitmap; for track ballast the
// sampling protocol instead of the sampling point and the information
// fields. Plain data and functions: the dialogs only show and collect.
//
// Field 1 parts (both kinds): 4 statistics "1"/"0", 9 test date-time,
// 10 tested by, 11 sampling date-time, 13 sampled by, 14 report remark
// (six lines, "#CRLF#" after each of the first five), 19 and 20 customer id
// and name, 21 internal remark ("#CRLF#" for line breaks), 25 signature
// path. Ordinary records: 1 information-field mode (read only), 7 and 8 the
// information values, 12 sampling point, 23 and 24 their captions. Track
// ballast: 1 in-track flag, 30 to 45 the sampling protocol.
//
// The takeover files ("<host>_lgd.tmp", "<host>_GGs.tmp" in the data
// folder's "tmp") keep the basic data last confirmed on this computer, so
// that another record can take them over: line 1 the test number, line 2
// the values, each followed by "¿" (0xBF on disk). A "¿" inside a value is
// written as "?", so that it cannot shift the values after it.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "records/versuch.h"
#include "services/customers/customerlist.h"

// ---- dates

// A date whose time may be unset, as the date and time pickers hold it.
struct BasicDateTime {
  int year = 2000, month = 1, day = 1;
  bool timeSet = false;
  int hour = 0, minute = 0, second = 0;
  bool operator==(const BasicDateTime&) const = default;
};

// "YYYYMMDD", optionally followed by "hhmmss". A text shorter than 8
// characters, or one that is no valid date, gives `today` ("%Y%m%d") with
// the time unset; a time that cannot be read is unset.
BasicDateTime ParseBasicDateTime(const std::string& stored, const std::string& today);
// 8 characters, 14 with the time.
std::string FormatBasicDateTime(const BasicDateTime& value);

// ---- texts and their limits

inline constexpr int kTestedByLength = 35;
inline constexpr int kSampledByLength = 80;
inline constexpr int kSamplingPointLength = 80;
inline constexpr int kReportRemarkLines = 6;
inline constexpr int kReportRemarkLineLength = 250;

// The text cut to at most `length` characters.
std::string CutText(const std::string& text, int length);

// The internal remark: stored with "#CRLF#" for its line breaks, shown with
// "\n"; stored trimmed at both ends.
std::string RemarkForEdit(const std::string& stored);
std::string StoredRemark(const std::string& edit);

// The report remark: at most six lines of at most 250 characters.
// Shown: the stored text without up to three trailing "#CRLF#", its other
// "#CRLF#" as line breaks. Stored: the six lines with "#CRLF#" after each of
// the first five (missing lines empty), without "|".
std::string ReportRemarkForEdit(const std::string& stored);
std::string StoredReportRemark(const std::string& edit);
// The edit's text within the limits: lines past the sixth dropped, longer
// lines cut.
std::string LimitReportRemark(const std::string& edit);

// ---- customers

// The customers of the map, sorted by name (case does not count), then id.
std::vector<Customer> SortedCustomers(const CustomerMap& map);

// ---- the values of the dialogs

struct BasicDataCommon {
  std::string testNumber;  // part 0, read only
  bool statistics = false;
  BasicDateTime testDate, samplingDate;
  std::string testedBy, sampledBy;
  std::string customerId;  // the customer selected; "" none
  std::string internalRemark;  // as the edit shows it
  std::string reportRemark;    // as the edit shows it
  std::string signaturePath;
};

// An ordinary record.
struct BasicData : BasicDataCommon {
  std::string infoMode;  // part 1: "0" no information fields, "1" both mandatory
  std::string samplingPoint;
  std::string info1, info2;
  std::string info1Label, info2Label;
  bool InfoFieldsUsed() const { return infoMode != "0"; }
};

// The four choice groups of the track-ballast protocol.
enum BallastChoiceGroup : int { kSamplingPlace, kAfterCleaning, kLoading, kSamplingSource, kBallastChoiceGroups };

// A track-ballast record.
struct BallastData : BasicDataCommon {
  std::string storedInTrack;  // part 1 when the dialog opened
  bool inTrack = false;
  bool newBallast = true;  // new track ballast, not recycled
  std::string protocolNumber, year, weather, blastPile;
  std::string otherPlace, otherLoading, otherSource;
  std::array<int, kBallastChoiceGroups> choices{-1, -1, -1, -1};  // -1: nothing chosen
  int printVariant = 0;  // "Druck der Mängelversion:" 0 when a test is not met, 1 always
};

// The values of a record; the customer only when the map knows it.
BasicData ReadBasicData(const CVersuch& record, const CustomerMap& customers, const std::string& today);
BallastData ReadBallastData(const CVersuch& record, const CustomerMap& customers, const std::string& today);

// Writes field 1 (cut to the limits as a guard; without a customer selected
// the record keeps its own) and the list summary; gives the TestStatus.
std::string StoreBasicData(CVersuch& record, const BasicData& data, const CustomerMap& customers);
std::string StoreBallastData(CVersuch& record, const BallastData& data, const CustomerMap& customers);

// "1", or "0" while a person, the sampling point, or a mandatory information
// value is missing.
std::string BasicDataStatus(const BasicData& data);
// "1", or "0" while a person is missing or a choice group has no choice.
std::string BallastDataStatus(const BallastData& data);

// Whether OK must say that the sampling place (plant or track) changed: part 1
// was "0" and the box is ticked now, or "1" and it is cleared.
bool InTrackNoticeNeeded(const std::string& storedInTrack, bool inTrack);

// The number of choices of a group (the last one takes its edit's text).
int BallastChoiceCount(int group);
// The text stored for a choice: the translated choice, the edit's text for
// the last one, "" for none.
std::string BallastChoiceText(int group, int index, const BallastData& data);
// The print variant of a stored part 45: 1 for "1", else 0.
int PrintVariantOf(const std::string& stored);

// ---- takeover files

enum class TakeoverKind { Basic, Ballast };

// "<data folder>/tmp/<host name>_lgd.tmp" or "..._GGs.tmp".
std::filesystem::path TakeoverFilePath(const std::filesystem::path& dataFolder, const std::string& computerName,
                                       TakeoverKind kind);

struct TakeoverFile {
  std::string testNumber;
  std::vector<std::string> values;
};

// The values as the record holds them after OK, in the file's order
// (14 for ordinary records, 22 for track ballast).
std::vector<std::string> TakeoverValues(const CVersuch& record, TakeoverKind kind);
// The file's text ("\n" line ends).
std::string FormatTakeoverFile(const TakeoverFile& file);
// nullopt for an empty text.
std::optional<TakeoverFile> ParseTakeoverFile(const std::string& text);
// The text of the takeover button, or nullopt when it stays disabled: no
// file, no values, or the record's own test number.
std::optional<std::string> TakeoverButtonText(const std::optional<TakeoverFile>& file, const std::string& testNumber);

// Puts the values of a file into the dialog's values (nothing into the record).
void ApplyBasicTakeover(const TakeoverFile& file, BasicData& data, const CustomerMap& customers,
                        const std::string& today);
// The customer is the one whose name equals the stored name; an empty or
// unknown name selects none.
void ApplyBallastTakeover(const TakeoverFile& file, BallastData& data, const CustomerMap& customers,
                          const std::string& today);
