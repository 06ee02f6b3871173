#pragma once
// One test record: 33 text fields, most of them lists of parts split at "|".
// Every subsystem reads and writes records through these accessors only.
#include <array>
#include <memory>
#include <string>
#include <vector>

class CDib;
class CDruckSeite;

// The 22 test keys of the panel in their fixed order.
extern const std::array<const char*, 22> TestTypeKeys;

// One character per test.
namespace TestStatus {
constexpr char Incomplete = '0';
constexpr char DoneNoRequirement = '1';
constexpr char MetWithRemark = '7';
constexpr char Met = '8';
constexpr char NotMet = '9';
}  // namespace TestStatus

// The value as one part of a record field can hold it: "~", "|", "$" and
// every character of `more` become "#".
std::string SafeFieldValue(const std::string& value, const std::string& more = "");

// Today's local date "%Y%m%d".
std::string GetTodayText();

// "YYYYMMDD" as "YYYY-MM-DD", "YYYYMMDDhhmmss" as "YYYY-MM-DD hh:mm:ss";
// shorter texts unchanged.
std::string FormatStoredDate(const std::string& stored);

class CVersuch {
 public:
  static constexpr int kFieldCount = 33;

  CVersuch() = default;
  CVersuch(const CVersuch&) = default;
  CVersuch& operator=(const CVersuch&) = default;
  virtual ~CVersuch() = default;

  // Selection flag of the main list.
  int m_selected = 0;

  // Field access; indexes above 32 are refused (an empty text).
  const std::string& GetField(int field) const;
  bool SetField(int field, const std::string& text);
  std::string GetValue(int field, int part) const;
  int GetValueInt(int field, int part) const;
  // Stores part `part` of the field; "~", "|" and "$" in the value become "#".
  bool SetValue(int field, int part, const std::string& value);
  // Stores the integer as decimal text.
  void SetValueInt(int field, int part, int value) { SetValue(field, part, std::to_string(value)); }
  // As SetField; for field 18 the first ";" is removed unless it is the first
  // character (older files hold a ";" there that is not part of the text).
  bool SetFieldOnLoad(int field, std::string text);
  // The field as every writer of stored records writes it, so that
  // SetFieldOnLoad gives the same text back: field 18 doubles the ";" that
  // the reader removes.
  std::string GetFieldForStore(int field) const;
  std::string GetGroup(int field, int group) const;
  std::string GetGroupValue(int field, int group, int part) const;

  // Named accessors.
  std::string GetAlkaliData() const { return GetField(24); }
  void SetAlkaliData(const std::string& data) { SetField(24, data); }
  void SetSandEquivalentData(const std::string& data) { SetField(31, data); }
  // The ";"-separated masses of the size fractions < 1 .. > 32 mm of the sieving.
  std::string GetFractionMasses() const { return GetValue(27, 0); }
  std::string GetSievingMethod() const { return GetValue(27, 4); }
  // The sieved masses of the track-ballast grain classes 31.5-40 and 40-50 mm
  // (field 27 parts 1 and 2); empty when not sieved.
  std::string GetBallastMass31To40() const { return GetValue(27, 1); }
  std::string GetBallastMass40To50() const { return GetValue(27, 2); }
  std::string GetTestStatusList() const { return GetValue(29, 0); }
  // The first 8 characters of field 1 part 11 (YYYYMMDD).
  std::string GetSamplingDate() const { return GetSamplingDateTime().substr(0, 8); }
  // Track ballast always; others when field 7 part 6 says sieve data exist.
  bool HasSieveData() const;
  void SetTestStatusList(const std::string& list) { SetValue(29, 0, list); }
  std::string GetSignatureFile() const { return GetValue(1, 25); }
  // Field 1 part 11, YYYYMMDDhhmmss.
  std::string GetSamplingDateTime() const { return GetValue(1, 11); }
  // Field 1 part 25; the loaded signature bitmap is dropped, so that the
  // next print reads the new file.
  void SetSignatureFile(const std::string& path);
  std::string GetInfo1Label() const;
  std::string GetInfo2Label() const;
  void SetInfo1Label(const std::string& label) { SetValue(1, 23, label); }
  void SetInfo2Label(const std::string& label) { SetValue(1, 24, label); }
  // Field 1 part 21, the internal remark (line breaks as "#CRLF#").
  std::string GetRemark() const { return GetValue(1, 21); }
  void SetRemark(const std::string& remark) { SetValue(1, 21, remark); }
  std::string GetPruefart() const { return GetGroupValue(25, 3, 2); }
  std::string GetMaterialId() const;
  std::string GetSideTests() const { return GetGroup(25, 5); }
  void SetRequirementString(const std::string& text) { SetField(5, text); }
  void SetMaterialDefinition(const std::string& text) { SetField(25, text); }
  std::string GetSideTestEntry(const std::string& testKey) const;
  std::string GetHeadingPrefix(const std::string& headingCode) const;
  bool IsBallastToleranceOn() const { return GetValue(18, 9) == "1"; }
  bool IsToleratedSieveValue(const std::string& sieveSize, const std::string& passing) const;
  bool IsWetSieving() const;
  void SetDrySieving(bool dry) { SetValue(7, 2, dry ? "1" : "0"); }
  std::string GetStatisticsValue(int field, int part, const std::string& statusList,
                                 const std::string& testKey) const;
  // Sets part `part` of field 10, the statistics value of one test.
  void SetStatisticsValue(int part, const std::string& value);

  // Status of one test in field 29.
  void SetTestStatus(const std::string& testKey, const std::string& status);
  // SetTestStatus and stamps field 1 part 6 with today's date.
  void UpdateTestStatus(const std::string& testKey, const std::string& status);

  // Record kinds and per-record queries (versuch_kinds.cpp).
  bool IsDbMaterial() const;
  bool IsGleisschotter() const;
  bool IsGleisschotterMaterial() const { return IsGleisschotter(); }
  bool IsGleisschotterNeu() const;
  bool IsGleisschotterRecycling() const;
  bool IsDbsBallast() const;
  bool IsDinEnBallast() const;
  bool IsKorngemisch() const;
  bool GetBuiltinMaterialType(std::string& type, int& number) const;
  bool GetKorngemischNumber(int& number) const;
  bool HasTestType(const std::string& testKey) const;
  bool ContainsTestType(const std::string& testKey) const { return HasTestType(testKey); }
  void InitTestStatusList();
  bool IsPageNeeded(const std::string& pageKey) const;
  int GetPageCount() const;
  std::string GetDefaultSollkurven(bool withSecondPair) const;
  int GetSievingMode() const;
  void UpdateListSummary();
  void MigrateOnLoad();

  // Appends one report page per page kind that applies (caller owns them).
  void AddPrintPages(std::vector<CDruckSeite*>& pages);
  // Reads the signature bitmap named in field 1 part 25 for printing; none
  // when the name is empty or the file is no readable bitmap. Copies of a
  // record share the bitmap it had when they were made.
  void LoadSignatureBitmap();
  const CDib* GetSignatureBitmap() const { return signature_.get(); }

 private:
  std::array<std::string, kFieldCount> fields_;
  std::shared_ptr<const CDib> signature_;
};

using RecordList = std::vector<std::unique_ptr<CVersuch>>;
