#include "evaluation/grunddaten/grunddatendlg.h"

#include <QComboBox>
#include <QLineEdit>

#include "evaluation/grunddaten/grunddatengsdlg.h"
#include "ui_grunddatendlg.h"

CGrunddatenDlg::CGrunddatenDlg(QWidget* parent)
    : CGrundBase(kTemplateId, {kTestedBy, kSampledBy, kTestDate, kTestTime, kSamplingDate, kSamplingTime},
                 TakeoverKind::Basic, parent) {
  Ui::GrunddatenDlg ui;
  ui.setupUi(this);
  WireButtons();
}

CGrunddatenDlg::~CGrunddatenDlg() = default;

bool CGrunddatenDlg::OnInitDialog() {
  CGrundBase::OnInitDialog();
  if (!m_pVersuch) return true;
  data_ = ReadBasicData(*m_pVersuch, Customers(), GetTodayText());
  FillRecentList(kSamplingPoint, "entnahmestelle");
  if (data_.InfoFieldsUsed()) {
    FillRecentList(kInfo2Label, "schichtname");
    FillRecentList(kInfo1Label, "baustname");
    FillRecentList(kInfo1Value, "baustelle");
    FillRecentList(kInfo2Value, "schicht");
  } else {
    for (int id : {kInfo1Label, kInfo1Value, kInfo2Label, kInfo2Value}) EnableItem(id, false);
  }
  if (auto* point = Item<QComboBox>(kSamplingPoint); point && point->lineEdit())
    point->lineEdit()->setMaxLength(kSamplingPointLength);
  SetBasicDataTitle(5210, data_.testNumber);
  DoDataExchange(false);
  return true;
}

void CGrunddatenDlg::DoDataExchange(bool save) {
  ExchangeCommon(data_, save);
  ExchangeText(kSamplingPoint, data_.samplingPoint, save);
  ExchangeText(kInfo1Value, data_.info1, save);
  ExchangeText(kInfo2Value, data_.info2, save);
  ExchangeText(kInfo1Label, data_.info1Label, save);
  ExchangeText(kInfo2Label, data_.info2Label, save);
}

std::string CGrunddatenDlg::StoreValues(CVersuch& record) {
  const std::string status = StoreBasicData(record, data_, Customers());
  StoreRecentList(kSamplingPoint, "entnahmestelle");
  if (data_.InfoFieldsUsed()) {
    StoreRecentList(kInfo1Value, "baustelle");
    StoreRecentList(kInfo2Value, "schicht");
    StoreRecentList(kInfo2Label, "schichtname");
    StoreRecentList(kInfo1Label, "baustname");
  }
  return status;
}

void CGrunddatenDlg::ApplyTakeover(const TakeoverFile& file) {
  ApplyBasicTakeover(file, data_, Customers(), GetTodayText());
}

std::optional<TestEntryResult> EditBasicData(CVersuch& record, QWidget* parent) {
  TestEntryResult result;
  if (record.IsGleisschotterMaterial()) {
    CGrunddatenGSDlg dialog(parent);
    dialog.m_pVersuch = &record;
    if (dialog.DoModal() != platform::IDOK) return std::nullopt;
    result.status = dialog.m_Status;
  } else {
    CGrunddatenDlg dialog(parent);
    dialog.m_pVersuch = &record;
    if (dialog.DoModal() != platform::IDOK) return std::nullopt;
    result.status = dialog.m_Status;
  }
  return result;
}
