#include "evaluation/kornform/kornformgleisschotterdlg.h"

#include "evaluation/kornform/kornform_gs.h"
#include "evaluation/kornform/kornformdlg.h"

namespace {

const BallastDialogTexts kTexts = {
    CKornformGleisschotterDlg::kTemplateId,
    "Kornform",
    5230,
    "Kornformkennzahl  Prüf-Nr.: ",
    {nullptr, nullptr},
    {"Kornklasse\n[mm]", "", "Gesamtmasse\nder Körner\n[g]", "Masse der Körner\nmit l:d > 3:1\n[g]"},
    "Anteil der Körner mit l:d > 3:1",
    5231,
    "Es sind noch keine Siebungsdaten vorhanden!",
};

}  // namespace

CKornformGleisschotterDlg::CKornformGleisschotterDlg(QWidget* parent)
    : CBallastClassesDlg(kTexts, "VA_GS_KORNFORM", parent) {}

std::string CKornformGleisschotterDlg::RequirementText(const std::string& code) const {
  return GrainShapeRequirementText(code);
}

std::optional<TestEntryResult> EditGrainShape(CVersuch& record, QWidget* parent) {
  if (record.IsGleisschotterMaterial()) {
    CKornformGleisschotterDlg dialog(parent);
    dialog.m_pVersuch = &record;
    dialog.m_ResultText = record.GetField(12);
    if (dialog.DoModal() != platform::IDOK) return std::nullopt;
    return dialog.EntryResult();
  }
  if (record.IsKorngemisch()) return EditMixtureGrainShape(record, parent);
  return std::nullopt;
}
