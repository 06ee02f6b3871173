#include "shell/statistics/statisticsprintsettings.h"

#include "i18n/translation.h"
#include "platform/messagebox.h"
#include "services/pravikapp.h"
#include "ui_statistikoptionen.h"

namespace {
constexpr char kSection[] = "Statistiken";
constexpr int kCommand = 9013;
}  // namespace

using S = StatisticsPrintSettings;
const std::array<S::Field, 13> S::kFields = {{
    {&S::printLogo, 1580, "firmenlogodrucken", 0},
    {&S::printShareMet, 1581, "statistikdruck", 0},
    {&S::printEmptyColumns, 1582, "PrintEmpty", 0},
    {&S::printMean, 1570, "Print00", 1},
    {&S::printDeviation, 1571, "Print01", 1},
    {&S::printVariation, 1572, "Print02", 1},
    {&S::printTypicalCurve, 1573, "Print03", 1},
    {&S::printTargets, 1574, "Print04", 1},
    {&S::printMinimum, 1575, "Print05", 1},
    {&S::printMaximum, 1576, "Print06", 1},
    {&S::printSpread, 1577, "Print07", 1},
    {&S::print5Quantile, 1578, "Print08", 0},
    {&S::print10Quantile, 1579, "Print09", 0},
}};

void StatisticsPrintSettings::Load(const CPravikApp& app) {
  for (const Field& f : kFields) this->*f.member = app.GetProfileInt(kSection, f.key, f.defaultValue) != 0 ? 1 : 0;
}

bool StatisticsPrintSettings::Save(const CPravikApp& app) const {
  bool ok = true;
  // Reported by the command in its own words.
  const ProgramProfile profile = app.m_Settings.Profile();
  for (const Field& f : kFields) ok = profile.WriteInt(kSection, f.key, this->*f.member != 0 ? 1 : 0) && ok;
  return ok;
}

CEinstellungenStatistikenDlg::CEinstellungenStatistikenDlg(QWidget* parent) : CpvDialog(kTemplateId, parent) {
  Ui::StatistikOptionenDlg ui;
  ui.setupUi(this);
}

CEinstellungenStatistikenDlg::~CEinstellungenStatistikenDlg() = default;

bool CEinstellungenStatistikenDlg::OnInitDialog() {
  CpvDialog::OnInitDialog();
  for (const auto& f : StatisticsPrintSettings::kFields) CheckItem(f.checkId, m_Settings.*f.member != 0);
  return true;
}

void CEinstellungenStatistikenDlg::OnOK() {
  for (const auto& f : StatisticsPrintSettings::kFields) m_Settings.*f.member = IsItemChecked(f.checkId) ? 1 : 0;
  EndDialog(platform::IDOK);
}

void EditStatisticsPrintSettings(CPravikApp& app, QWidget* parent) {
  CEinstellungenStatistikenDlg dlg(parent);
  dlg.m_Settings.Load(app);
  dlg.SetIconCommand(kCommand);
  if (dlg.DoModal() != platform::IDOK) return;
  if (!dlg.m_Settings.Save(app))
    platform::ShowMessageBox(TranslateString(60603, "Die Einstellungen konnten nicht gespeichert werden:") + "\n" +
                                 app.m_Settings.m_IniPath.string(),
                             platform::MB_OK | platform::MB_ICONSTOP);
}
