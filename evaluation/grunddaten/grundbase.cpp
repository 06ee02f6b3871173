#include "evaluation/grunddaten/grundbase.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QDate>
#include <QTime>

#include "controls/recentcombobox.h"
#include "evaluation/grunddaten/grundcontrols.h"
#include "i18n/translation.h"
#include "platform/datetimectrl.h"
#include "platform/textfile.h"
#include "platform/uiseam.h"
#include "services/pravikapp.h"
#include "services/sysfuncs.h"

namespace {

constexpr char kRecentSection[] = "comboeintraege";

std::filesystem::path DataFolder() {
  CPravikWinApp* app = GetApp();
  return app ? app->m_Settings.m_DataFolder : std::filesystem::path();
}

}  // namespace

CGrundBase::CGrundBase(int templateId, const GrundControlIds& ids, TakeoverKind kind, QWidget* parent)
    : CpvDialog(templateId, parent), ids_(ids), kind_(kind) {
  m_TakeoverPath = TakeoverFilePath(DataFolder(), GetLocalComputerName(), kind);
}

void CGrundBase::WireButtons() {
  const std::pair<int, void (CGrundBase::*)()> handlers[] = {
      {kChooseSignature, &CGrundBase::OnChooseSignature},
      {kClearSignature, &CGrundBase::OnClearSignature},
      {kTakeover, &CGrundBase::OnTakeover}};
  for (const auto& [id, handler] : handlers)
    if (auto* button = Item<QAbstractButton>(id))
      connect(button, &QAbstractButton::clicked, this, [this, handler = handler] { (this->*handler)(); });
}

CGrundBase::~CGrundBase() = default;

const CustomerMap& CGrundBase::Customers() const {
  static const CustomerMap none;
  CPravikWinApp* app = GetApp();
  return app ? app->CustomerNameMap : none;
}

bool CGrundBase::OnInitDialog() {
  CpvDialog::OnInitDialog();
  // The takeover offers the basic data last confirmed here, unless they are this record's own.
  std::optional<TakeoverFile> file;
  if (const std::optional<std::string> text = platform::ReadTextFile(m_TakeoverPath)) file = ParseTakeoverFile(*text);
  const std::optional<std::string> caption =
      TakeoverButtonText(file, m_pVersuch ? m_pVersuch->GetValue(1, 0) : std::string());
  if (caption) {
    if (auto* button = Item<CElidedButton>(kTakeover)) button->SetFullText(QString::fromStdString(*caption));
    else SetItemText(kTakeover, *caption);
  }
  EnableItem(kTakeover, caption.has_value());

  FillRecentList(ids_.testedBy, "geprueftdurch");
  FillRecentList(ids_.sampledBy, "entnahmedurch");
  FillCustomers();
  if (auto* testedBy = Item<QComboBox>(ids_.testedBy); testedBy && testedBy->lineEdit())
    testedBy->lineEdit()->setMaxLength(kTestedByLength);
  if (auto* sampledBy = Item<QComboBox>(ids_.sampledBy); sampledBy && sampledBy->lineEdit())
    sampledBy->lineEdit()->setMaxLength(kSampledByLength);
  SetFixedFont(kReportRemark);
  return true;
}

void CGrundBase::FillCustomers() {
  auto* combo = Item<QComboBox>(kCustomer);
  if (!combo) return;
  combo->clear();
  for (const Customer& customer : SortedCustomers(Customers()))
    combo->addItem(QString::fromStdString(customer.name), QString::fromStdString(customer.id));
  combo->setCurrentIndex(-1);
}

void CGrundBase::FillRecentList(int id, const char* key) {
  CPravikWinApp* app = GetApp();
  if (auto* combo = Item<CRecentComboBox>(id); combo && app)
    combo->FillRecentList(app->GetProfileString(kRecentSection, key));
}

void CGrundBase::StoreRecentList(int id, const char* key) {
  CPravikWinApp* app = GetApp();
  if (auto* combo = Item<QComboBox>(id); combo && app) app->WriteProfileString(kRecentSection, key, GetRecentList(combo));
}

void CGrundBase::SetBasicDataTitle(int textId, const std::string& testNumber) {
  setWindowTitle(QString::fromStdString(TranslateString(textId, "Grunddaten    Prüf-Nr.: ") + testNumber));
}

void CGrundBase::ExchangeText(int id, std::string& value, bool save) {
  if (save) value = GetItemText(id);
  else SetItemText(id, value);
}

void CGrundBase::ExchangeDateTime(int dateId, int timeId, BasicDateTime& value, bool save) {
  auto* date = Item<platform::DateTimeCtrl>(dateId);
  auto* time = Item<platform::DateTimeCtrl>(timeId);
  if (!date || !time) return;
  if (save) {
    const QDate d = date->Date();
    value.year = d.year();
    value.month = d.month();
    value.day = d.day();
    value.timeSet = time->IsChecked();
    const QTime t = value.timeSet ? time->Time() : QTime(0, 0);
    value.hour = t.hour();
    value.minute = t.minute();
    value.second = t.second();
  } else {
    date->SetDate(QDate(value.year, value.month, value.day));
    time->SetTime(value.timeSet ? QTime(value.hour, value.minute, value.second) : QTime(0, 0));
    time->SetChecked(value.timeSet);
  }
}

void CGrundBase::ExchangeCommon(BasicDataCommon& d, bool save) {
  if (save) d.statistics = IsItemChecked(kStatistics);
  else CheckItem(kStatistics, d.statistics);
  ExchangeDateTime(ids_.testDate, ids_.testTime, d.testDate, save);
  ExchangeDateTime(ids_.samplingDate, ids_.samplingTime, d.samplingDate, save);
  ExchangeText(ids_.testedBy, d.testedBy, save);
  ExchangeText(ids_.sampledBy, d.sampledBy, save);
  ExchangeText(kInternalRemark, d.internalRemark, save);
  ExchangeText(kReportRemark, d.reportRemark, save);
  ExchangeText(kSignature, d.signaturePath, save);
  if (auto* combo = Item<QComboBox>(kCustomer)) {
    if (save) {
      d.customerId = combo->currentIndex() >= 0 ? combo->currentData().toString().toStdString() : std::string();
    } else {
      combo->setCurrentIndex(d.customerId.empty() ? -1 : combo->findData(QString::fromStdString(d.customerId)));
    }
  }
}

void CGrundBase::OnOK() {
  if (!m_pVersuch || IsReadOnly()) return;
  DoDataExchange(true);
  m_Status = StoreValues(*m_pVersuch);
  StoreRecentList(ids_.testedBy, "geprueftdurch");
  StoreRecentList(ids_.sampledBy, "entnahmedurch");
  // The takeover file is a convenience: when it cannot be written, the
  // record is stored all the same and the file keeps what it had.
  m_TakeoverValues = TakeoverValues(*m_pVersuch, kind_);
  platform::WriteTextFile(m_TakeoverPath, FormatTakeoverFile({m_pVersuch->GetValue(1, 0), m_TakeoverValues}));
  EndDialog(platform::IDOK);
}

void CGrundBase::OnChooseSignature() {
  platform::FileDialogRequest request;
  request.title = TranslateString(60910, "Unterschriften-Bitmap auswählen");
  request.folder = DataFolder() / "unterschriften";
  // The file dialog's name filters match in any letter case ("WEISS.BMP").
  request.filter = TranslateString(60911, "Windows-Bitmap") + " (*.bmp)|*.bmp||";
  request.default_extension = "bmp";
  if (const std::optional<std::filesystem::path> chosen = platform::ChooseFile(request))
    SetItemText(kSignature, std::filesystem::absolute(*chosen).lexically_normal().string());
}

void CGrundBase::OnClearSignature() { SetItemText(kSignature, ""); }

void CGrundBase::OnTakeover() {
  const int answer = platform::ShowMessageBox(
      TranslateString(5212, "Achtung: Schon erfolgte Eingaben werden überschrieben.\nTrotzdem Daten übernehmen?"),
      platform::MB_YESNOCANCEL | platform::MB_ICONQUESTION, TranslateString(5213, "Datenübernahme"));
  if (answer != platform::IDYES) return;
  const std::optional<std::string> text = platform::ReadTextFile(m_TakeoverPath);
  const std::optional<TakeoverFile> file = text ? ParseTakeoverFile(*text) : std::nullopt;
  if (!file || file->values.empty()) return;
  DoDataExchange(true);
  ApplyTakeover(*file);
  DoDataExchange(false);
}
