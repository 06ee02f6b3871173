#include "evaluation/grunddaten/grunddatengsdlg.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>

#include "i18n/translation.h"
#include "platform/messagebox.h"
#include "platform/screenfit.h"
#include "ui_grunddatengsdlg.h"

const std::array<std::vector<int>, kBallastChoiceGroups>& CGrunddatenGSDlg::ChoiceIds() {
  static const std::array<std::vector<int>, kBallastChoiceGroups> ids = {{
      {1208, 1209, 1210, 1021},
      {1212, 1213},
      {1214, 1025},
      {1026, 1027, 1028, 1029, 1030},
  }};
  return ids;
}

CGrunddatenGSDlg::CGrunddatenGSDlg(QWidget* parent)
    : CGrundBase(kTemplateId, {kTestedByGS, kSampledByGS, kTestDateGS, kTestTimeGS, kSamplingDateGS, kSamplingTimeGS},
                 TakeoverKind::Ballast, parent) {
  Ui::GrunddatenGSDlg ui;
  ui.setupUi(this);
  // "verladung" continues the radio button's "an der Bahn-" on the next line,
  // under its first letter.
  QStyleOptionButton option;
  option.initFrom(ui.w17);
  ui.w18->setIndent(style()->subElementRect(QStyle::SE_RadioButtonContents, &option, ui.w17).left());
  // Taller than a notebook's screen: the fields scroll; the signature, the
  // data takeover, OK and Cancel stay below them.
  platform::PutBodyInScrollArea(this, ui.grid);
  WireButtons();
  for (int group = 0; group < kBallastChoiceGroups; ++group) {
    groups_[static_cast<size_t>(group)] = new QButtonGroup(this);
    const std::vector<int>& ids = ChoiceIds()[static_cast<size_t>(group)];
    for (size_t index = 0; index < ids.size(); ++index)
      if (auto* button = Item<QAbstractButton>(ids[index]))
        groups_[static_cast<size_t>(group)]->addButton(button, static_cast<int>(index));
  }
  // The print variant of the defect statement on the report.
  if (auto* variants = Item<QComboBox>(kPrintVariant)) {
    variants->addItem(QString::fromStdString(TranslateString(60920, "nur wenn eine Prüfung nicht bestanden ist")), 0);
    variants->addItem(QString::fromStdString(TranslateString(60921, "immer")), 1);
  }
}

CGrunddatenGSDlg::~CGrunddatenGSDlg() = default;

bool CGrunddatenGSDlg::OnInitDialog() {
  CGrundBase::OnInitDialog();
  if (!m_pVersuch) return true;
  data_ = ReadBallastData(*m_pVersuch, Customers(), GetTodayText());
  SetItemText(1208, data_.newBallast ? TranslateString(5215, "im Werk") : TranslateString(5216, "an der RC-Anlage"));
  SetItemText(1209, data_.newBallast ? TranslateString(5226, "an der Bahn-") : TranslateString(5227, "Bahn-"));
  SetBasicDataTitle(5228, data_.testNumber);
  DoDataExchange(false);
  return true;
}

int CGrunddatenGSDlg::CheckedChoice(int group) const {
  return groups_[static_cast<size_t>(group)]->checkedId();
}

void CGrunddatenGSDlg::CheckChoice(int group, int index) {
  QButtonGroup* buttons = groups_[static_cast<size_t>(group)];
  if (QAbstractButton* button = buttons->button(index)) {
    button->setChecked(true);
    return;
  }
  // No choice: every button of the group cleared.
  buttons->setExclusive(false);
  for (QAbstractButton* button : buttons->buttons()) button->setChecked(false);
  buttons->setExclusive(true);
}

void CGrunddatenGSDlg::DoDataExchange(bool save) {
  ExchangeCommon(data_, save);
  ExchangeText(kProtocolNumber, data_.protocolNumber, save);
  ExchangeText(kYear, data_.year, save);
  ExchangeText(kWeather, data_.weather, save);
  ExchangeText(kBlastPile, data_.blastPile, save);
  ExchangeText(kOtherPlace, data_.otherPlace, save);
  ExchangeText(kOtherLoading, data_.otherLoading, save);
  ExchangeText(kOtherSource, data_.otherSource, save);
  for (int group = 0; group < kBallastChoiceGroups; ++group) {
    if (save) data_.choices[static_cast<size_t>(group)] = CheckedChoice(group);
    else CheckChoice(group, data_.choices[static_cast<size_t>(group)]);
  }
  if (save) data_.inTrack = IsItemChecked(kInTrack);
  else CheckItem(kInTrack, data_.inTrack);
  if (auto* variants = Item<QComboBox>(kPrintVariant)) {
    if (save) data_.printVariant = variants->currentIndex() == 1 ? 1 : 0;
    else variants->setCurrentIndex(data_.printVariant == 1 ? 1 : 0);
  }
}

std::string CGrunddatenGSDlg::StoreValues(CVersuch& record) {
  if (InTrackNoticeNeeded(data_.storedInTrack, data_.inTrack))
    platform::ShowMessageBox(TranslateString(5214,
                                             "Sie haben die Angabe, ob Probenahme im Werk oder im Gleis erfolgt, "
                                             "geändert.\nDamit die Änderung wirksam wird, müssen Sie den Dialog "
                                             "'Siebline' erneut aufrufen!"),
                             platform::MB_OK | platform::MB_ICONWARNING, "Pravik");
  return StoreBallastData(record, data_, Customers());
}

void CGrunddatenGSDlg::ApplyTakeover(const TakeoverFile& file) {
  ApplyBallastTakeover(file, data_, Customers(), GetTodayText());
}
