#pragma once
// The statistics dialog (template 552): period, customer and sieving kind of
// a material or period statistic, returned as the selection text; and the
// calendar-week picker (template 534) its button opens.
//
//   CStatistikDlg dlg(this);
//   dlg.m_MaterialMode = true;
//   dlg.m_OperatorAndPlant = "Name|12|Werk|34";
//   dlg.m_FirstDay = "20210301";  dlg.m_LastDay = "20210315";
//   if (dlg.DoModal() == IDOK) Use(dlg.m_Result);
#include <QDate>
#include <filesystem>
#include <string>
#include <vector>

#include "services/cpvdialog.h"

class QComboBox;
class QDateEdit;
class QListWidget;

class CStatistikDlg : public CpvDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 552;
  enum : int {
    kMaterialGroup = 1188,
    kMaterialLabel = 1189,
    kMaterialEdit = 1187,
    kTowerLabel = 1190,
    kTowerEdit = 1195,
    kOperatorEdit = 1196,
    kFirstDay = 321,
    kLastDay = 322,
    kChooseWeek = 1066,
    kPeriodText = 1485,
    kCustomer = 1178,
    kAll = 1018,
    kDry = 1019,
    kWet = 1020,
  };

  explicit CStatistikDlg(QWidget* parent = nullptr);
  ~CStatistikDlg() override;

  // In: operator name, operator number, plant name, plant number joined by "|".
  std::string m_OperatorAndPlant;
  // In (material mode): the reference record's material ID, material and tower texts.
  std::string m_MaterialId;
  std::string m_MaterialText;
  std::string m_TowerText;
  // Out: the selection text.
  std::string m_Result;
  // In: YYYYMMDD, used when exactly 8 characters long (else today).
  std::string m_FirstDay;
  std::string m_LastDay;
  // The three monitoring flags of the result are "0|0|0" (else "1|1|1").
  bool m_FixedFlags = true;
  bool m_MaterialMode = false;
  // 0 all, 1 dry, 2 wet.
  int m_SievingKind = 0;
  // "kunden.dat" (empty: the application's data folder's).
  std::filesystem::path m_CustomerFile;

  QDate FirstDay() const;
  QDate LastDay() const;

  void OnDateFromChanged();
  void OnDateToChanged();
  void OnChooseWeek();
  void UpdatePeriodText();

 protected:
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  void ReadCustomerNames();

  QDateEdit* first_ = nullptr;
  QDateEdit* last_ = nullptr;
  QComboBox* customers_ = nullptr;
  std::vector<std::string> customerIds_;
};

class CKWwaehlenDlg : public CpvDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 534;
  enum : int { kYear = 1486, kWeeks = 101 };

  explicit CKWwaehlenDlg(QWidget* parent = nullptr);
  ~CKWwaehlenDlg() override;

  // In: the week to select; out: the Monday of the chosen week.
  QDate m_GivenDate;
  QDate m_ChosenMonday;

  void OnYearChanged();
  void OnSelChangeWeek();

 protected:
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  QComboBox* years_ = nullptr;
  QListWidget* weeks_ = nullptr;
};
