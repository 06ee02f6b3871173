#include "evaluation/frame/testentryframe.h"

#include "records/requirement.h"
#include "records/strutil.h"

const std::vector<TestEntryFields>& TestEntryFieldList() {
  static const std::vector<TestEntryFields> list = {
      {"VA_GRUND", 1, true, -1},
      {"VA_SIEBL", -1, true, -1},  // handed to the sieve program, nothing stored here
      {"VA_KORNF", 12, false, 10},
      {"VA_PLATT", 23, false, 11},
      {"VA_ORGAN", 19, false, 15},
      {"VA_BRUCH", 20, true, 13},
      {"VA_PETRO", 21, false, 20},
      {"VA_RCZUS", 15, false, 25},
      {"VA_WASSERG", 17, false, 14},
      {"VA_SANDEQ", 31, true, -1},
      {"VA_FLIESSK", 13, false, 12},
      {"VA_ALKALI", 24, false, -1},
      {"VA_ROHDI", 26, true, -1},
      {"VA_WBS", 26, false, -1},
      {"VA_100MM", 16, false, -1},
      {"VA_GS_KORNFORM", 12, false, -1},
      {"VA_GS_UMWELT", 22, false, -1},
      {"VA_GS_WASSER", 17, false, -1},
      {"VA_GS_KRISTALL", 13, false, -1},
      {"VA_GS_PLATTIGKEIT", 23, false, -1},
      {"VA_GS_LAENGER100", 16, false, -1},
      {"VA_GS_REINHEIT", 14, false, -1},
  };
  return list;
}

const TestEntryFields* FindTestEntryFields(const std::string& key) {
  for (const TestEntryFields& entry : TestEntryFieldList())
    if (key == entry.key) return &entry;
  return nullptr;
}

void StoreTestEntryResult(CVersuch& record, const TestEntryFields& entry, const TestEntryResult& result) {
  if (!entry.dialogWrites && entry.resultField >= 0) record.SetField(entry.resultField, result.resultText);
  for (const FieldPartText& part : result.parts) record.SetValue(part.field, part.part, part.text);
  record.UpdateTestStatus(entry.key, result.status);
  if (result.statisticsValue && entry.statisticsPart >= 0)
    record.SetStatisticsValue(entry.statisticsPart, MarkedStatisticsValue(*result.statisticsValue, result.status));
}

bool RunTestEntry(TestEntryView& view, const std::string& testKey, const TestEntryEdit& edit) {
  if (!edit) return false;
  return RunTestEntry(view, testKey, TestEntryEditWithApply([&edit](CVersuch& record, QWidget* parent, const TestEntryCommit&) {
    return edit(record, parent);
  }));
}

bool RunTestEntry(TestEntryView& view, const std::string& testKey, const TestEntryEditWithApply& edit) {
  const TestEntryFields* entry = FindTestEntryFields(testKey);
  if (!entry || !edit) return false;
  int row = -1;
  CVersuch* record = view.GetCurrentRecord(&row);
  if (!record) return false;
  const TestEntryCommit commit = [&](const TestEntryResult& result) {
    // Every text is in the record before the row is redrawn and the file written.
    StoreTestEntryResult(*record, *entry, result);
    view.RefreshRecordRow(row);
    view.SaveAllRecords();
  };
  const std::optional<TestEntryResult> result = edit(*record, view.DialogParent(), commit);
  if (!result) return false;
  commit(*result);
  return true;
}

std::string ReportRequirementRow(const std::string& label, const std::string& size, const std::string& actual,
                                 const std::string& required, const std::string& code) {
  return label + "@" + size + "@" + actual + "@" + required + "@" + code;
}

std::string ReportCodeForStatus(const std::string& status) {
  if (status.size() != 1) return "";
  switch (status[0]) {
    case TestStatus::Met: return "2";
    case TestStatus::NotMet: return "1";
    case TestStatus::DoneNoRequirement: return " ";
    default: return "";
  }
}

std::string StatusReportRow(const std::string& label, const std::string& actual, const std::string& required,
                            const std::string& status) {
  const std::string code = ReportCodeForStatus(status);
  if (code.empty()) return "";
  return ReportRequirementRow(label, "", actual, required, code);
}

std::string JudgedReportRow(const std::string& label, const std::string& actual, const std::string& required,
                            const std::string& status) {
  if (status.size() != 1 || (status[0] != TestStatus::Met && status[0] != TestStatus::NotMet)) return "";
  return StatusReportRow(label, actual, required, status);
}

std::string MarkedStatisticsValue(const std::string& value, const std::string& status) {
  return status.size() == 1 && status[0] == TestStatus::NotMet ? value + "_*" : value;
}

bool StatesRequirement(const std::string& code) {
  const std::string trimmed = TrimWhite(code);
  return !trimmed.empty() && trimmed != "--" && !FormatRequirement(trimmed, 1).empty();
}

int JudgeRequirement(const std::string& code, const std::string& value) {
  if (value.empty() || !StatesRequirement(code)) return kNoRequirement;
  return IsRequirementMet(TrimWhite(code), value) ? kRequirementMet : kRequirementNotMet;
}

std::string StatusOfJudgement(bool hasValue, int requirementState) {
  if (!hasValue) return std::string(1, TestStatus::Incomplete);
  switch (requirementState) {
    case kRequirementMet: return std::string(1, TestStatus::Met);
    case kRequirementNotMet: return std::string(1, TestStatus::NotMet);
    default: return std::string(1, TestStatus::DoneNoRequirement);
  }
}
