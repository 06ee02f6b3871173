#include "evaluation/plattigkeit/plattigkeitgleisschotterdlg.h"

#include "records/requirement.h"

namespace {

const BallastDialogTexts kTexts = {
    CPlattigkeitGleisschotterDlg::kTemplateId,
    "Plattigkeitskennzahl",
    5310,
    "Plattigkeitskennzahl  Prüf-Nr.: ",
    {"25", "20"},
    {"Kornklasse\nQuadratloch\n[mm]", "Nenn-\nSchlitzweite\ndes Stabsiebs\n[mm]", "Gesamtgewicht\nder Körner\n[g]",
     "Gewicht der Körner\nSiebung mit\nStabsieben\n[g]"},
    "Plattigkeitskennzahl Fli:",
    5320,
    "Es sind noch keine Siebungsdaten vorhanden!",
};

}  // namespace

CPlattigkeitGleisschotterDlg::CPlattigkeitGleisschotterDlg(QWidget* parent)
    : CBallastClassesDlg(kTexts, "VA_GS_PLATTIGKEIT", parent) {}

std::string CPlattigkeitGleisschotterDlg::RequirementText(const std::string& code) const {
  return FormatRequirement(code, 1);
}

std::optional<TestEntryResult> EditBallastFlakiness(CVersuch& record, QWidget* parent) {
  CPlattigkeitGleisschotterDlg dialog(parent);
  dialog.m_pVersuch = &record;
  dialog.m_ResultText = record.GetField(23);
  if (dialog.DoModal() != platform::IDOK) return std::nullopt;
  return dialog.EntryResult();
}
