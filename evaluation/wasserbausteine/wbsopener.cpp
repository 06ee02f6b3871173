#include "evaluation/wasserbausteine/wbsopener.h"

#include "evaluation/wasserbausteine/wbsdlg01.h"
#include "evaluation/wasserbausteine/wbsdlg02.h"
#include "evaluation/wasserbausteine/wbsverzweigungdlg.h"
#include "records/wbsfield.h"

namespace {

// Runs a sheet on the field; the field and status it stored, when OK was
// pressed and they differ from what the record holds (or was last applied).
template <class Sheet>
std::optional<TestEntryResult> RunSheet(Sheet& sheet, CVersuch& record, const std::string& field,
                                        const TestEntryCommit& commit) {
  auto& page = sheet.m_DataPage;
  page.m_TestNumber = record.GetValue(1, 0);
  page.m_ResultText = field;
  std::string stored = record.GetField(26);
  sheet.SetApplyHandler([&] {
    if (page.m_ResultText == stored || !commit) return;
    commit(TestEntryResult{page.m_Status, page.m_ResultText, {}, std::nullopt});
    stored = page.m_ResultText;
  });
  if (sheet.DoModal() != platform::IDOK || page.m_ResultText == stored) return std::nullopt;
  return TestEntryResult{page.m_Status, page.m_ResultText, {}, std::nullopt};
}

}  // namespace

std::optional<TestEntryResult> EditArmourstone(CVersuch& record, QWidget* parent, const TestEntryCommit& commit) {
  const std::string field = record.GetField(26);
  WBSForm form = GetWBSForm(field);
  if (form == WBSForm::kNone) {
    CWBSVerzweigungDlg chooser(parent);
    chooser.DoModal();
    if (chooser.m_Choice == 1) form = WBSForm::kSize;
    else if (chooser.m_Choice == 2) form = WBSForm::kMass;
    else return std::nullopt;
  }
  if (form == WBSForm::kSize) {
    CWBSDlg01 sheet(parent);
    return RunSheet(sheet, record, field, commit);
  }
  CWBSDlg02 sheet(parent);
  return RunSheet(sheet, record, field, commit);
}
