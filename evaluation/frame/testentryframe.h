#pragma once
// The common course of every test opener of the main view:
//
//   1. take the current record and its list row from the view (the view's
//      GetCurrentRecord holds the guard against the running sieve program);
//   2. run the test's entry dialog for it;
//   3. on OK store, in this order, the result text in the test's field, the
//      further parts (requirement codes, masses, report rows), the status of
//      the test key and the statistics value;
//   4. refresh the record's list row and save all records.
//
// Everything is in the record before it is saved. Cancel stores nothing.
//
// An opener of the main view is one line:
//
//   void CForm1View::EditPlattigkeit() { OpenTestEntry(*this, "VA_PLATT", EditFlakiness); }
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "records/versuch.h"

// Where a test key's texts go in the record. Every panel key has one entry.
struct TestEntryFields {
  const char* key;
  int resultField;      // the field that takes the result text
  bool dialogWrites;    // the dialog writes its field itself
  int statisticsPart;   // part of field 10, -1 when the test has none
};
// The 22 keys in panel order.
const std::vector<TestEntryFields>& TestEntryFieldList();
// nullptr for a key that is not a test key.
const TestEntryFields* FindTestEntryFields(const std::string& key);

// One text to store in a part of a record field.
struct FieldPartText {
  int field = 0;
  int part = 0;
  std::string text;
};

// What a confirmed entry dialog gives back to its opener.
struct TestEntryResult {
  std::string status;          // the TestStatus character
  std::string resultText;      // the whole new text of the result field
  std::vector<FieldPartText> parts;            // stored after the result text, in order
  std::optional<std::string> statisticsValue;  // without the "_*" mark
};

// Stores a confirmed result in the record (steps 3 above).
void StoreTestEntryResult(CVersuch& record, const TestEntryFields& entry, const TestEntryResult& result);

// The main view as the openers need it.
class TestEntryView {
 public:
  virtual ~TestEntryView() = default;
  // The record to work on and its row; null when there is none (or the guard
  // refused, having told the user).
  virtual CVersuch* GetCurrentRecord(int* row) = 0;
  virtual void RefreshRecordRow(int row) = 0;
  virtual bool SaveAllRecords() = 0;
  // The parent of the entry dialog.
  virtual QWidget* DialogParent() = 0;
};

// Runs a test's dialog for a record: filled from the record, shown modally;
// the result on OK, nothing otherwise (also when the record is of no kind the
// test has a dialog for). Only a dialog that writes its own field changes
// the record, and only on OK.
using TestEntryEdit = std::function<std::optional<TestEntryResult>(CVersuch& record, QWidget* parent)>;

// The common course for one test key. True when a result was stored.
bool RunTestEntry(TestEntryView& view, const std::string& testKey, const TestEntryEdit& edit);

// A dialog that can store while it stays open (Apply of a property sheet)
// gets this: it stores a result through the steps of OK (record, row, file).
using TestEntryCommit = std::function<void(const TestEntryResult& result)>;
using TestEntryEditWithApply =
    std::function<std::optional<TestEntryResult>(CVersuch& record, QWidget* parent, const TestEntryCommit& commit)>;
bool RunTestEntry(TestEntryView& view, const std::string& testKey, const TestEntryEditWithApply& edit);

// Any view with GetCurrentRecord(int*), RefreshRecordRow(int) and SaveAllRecords().
template <class View>
class TestEntryViewOf : public TestEntryView {
 public:
  explicit TestEntryViewOf(View& view) : view_(view) {}
  CVersuch* GetCurrentRecord(int* row) override { return view_.GetCurrentRecord(row); }
  void RefreshRecordRow(int row) override { view_.RefreshRecordRow(row); }
  bool SaveAllRecords() override { return view_.SaveAllRecords(); }
  QWidget* DialogParent() override {
    if constexpr (std::is_convertible_v<View*, QWidget*>) return &view_;
    else return nullptr;
  }

 private:
  View& view_;
};

template <class View>
bool OpenTestEntry(View& view, const std::string& testKey, const TestEntryEdit& edit) {
  TestEntryViewOf<View> host(view);
  return RunTestEntry(host, testKey, edit);
}

template <class View>
bool OpenTestEntry(View& view, const std::string& testKey, const TestEntryEditWithApply& edit) {
  TestEntryViewOf<View> host(view);
  return RunTestEntry(host, testKey, edit);
}

// ---- texts the openers write for the report and the statistics

// "label@size@actual@required@code".
std::string ReportRequirementRow(const std::string& label, const std::string& size, const std::string& actual,
                                 const std::string& required, const std::string& code);
// The fulfilment code of a report row from a status: "2" Met, "1" NotMet,
// " " DoneNoRequirement; "" for any other status.
std::string ReportCodeForStatus(const std::string& status);
// The row of a test judged by its status, or "" (so that an earlier row
// disappears) when the status states no result. `required` is shown as it is.
std::string StatusReportRow(const std::string& label, const std::string& actual, const std::string& required,
                            const std::string& status);
// The row of a test whose report states only a judgement: as StatusReportRow
// for Met and NotMet, "" for every other status (also DoneNoRequirement).
std::string JudgedReportRow(const std::string& label, const std::string& actual, const std::string& required,
                            const std::string& status);
// The statistics value: the value, followed by "_*" when the status is NotMet.
std::string MarkedStatisticsValue(const std::string& value, const std::string& status);

// ---- judging a value

// True when a requirement code states a requirement that values can be
// judged against ("", "--" and codes without a comparison state none).
bool StatesRequirement(const std::string& code);
// Requirement states of the dialogs.
enum : int { kNoRequirement = 0, kRequirementMet = 1, kRequirementNotMet = 2 };
// The state of a value against a code: kNoRequirement when the value is
// empty or the code states none.
int JudgeRequirement(const std::string& code, const std::string& value);
// The TestStatus of a judged value: Incomplete without a value, else
// DoneNoRequirement, Met or NotMet by the requirement state.
std::string StatusOfJudgement(bool hasValue, int requirementState);
