#pragma once
// CGrundBase: what the two basic-data dialogs share: people and dates, the
// customer, the remarks, the statistics flag, the signature bitmap, the
// recent lists of the people, and the takeover of the basic data last
// confirmed on this computer. The dialogs write field 1 themselves on OK
// (and the takeover file); Cancel leaves the record as it was.
#include <filesystem>
#include <string>
#include <vector>

#include "evaluation/grunddaten/grunddaten.h"
#include "services/cpvdialog.h"

class CRecentComboBox;

// The ids of the shared controls that differ between the two templates.
struct GrundControlIds {
  int testedBy;
  int sampledBy;
  int testDate;
  int testTime;
  int samplingDate;
  int samplingTime;
};

class CGrundBase : public CpvDialog {
  Q_OBJECT

 public:
  enum : int {
    kSampledBy = 1010,
    kTestedBy = 1012,
    kStatistics = 1039,
    kReportRemark = 1049,
    kInternalRemark = 1050,
    kCustomer = 1178,
    kTakeover = 1267,
    kChooseSignature = 1659,
    kSignature = 1660,
    kClearSignature = 1661,
  };

  CGrundBase(int templateId, const GrundControlIds& ids, TakeoverKind kind, QWidget* parent);
  ~CGrundBase() override;

  // In: the record to edit (not owned). Out on OK: its status.
  CVersuch* m_pVersuch = nullptr;
  std::filesystem::path m_TakeoverPath;
  std::string m_Status;
  // Out on OK: the values written to the takeover file, in its order.
  std::vector<std::string> m_TakeoverValues;

  // Chooses the signature bitmap (button 1659) or clears it (1661).
  void OnChooseSignature();
  void OnClearSignature();
  // Button 1267: the values of the takeover file into the controls.
  void OnTakeover();

 protected:
  bool OnInitDialog() override;
  // Takes the controls, lets the derived dialog store the record, stores
  // the recent lists of the people, writes the takeover file and ends the
  // dialog with OK.
  void OnOK() final;

  // Controls to values (save) or values to controls.
  virtual void DoDataExchange(bool save) = 0;
  // Stores the values in the record (and the dialog's own recent lists);
  // gives the status.
  virtual std::string StoreValues(CVersuch& record) = 0;
  // The values of the takeover file into the dialog's values.
  virtual void ApplyTakeover(const TakeoverFile& file) = 0;

  // Connects the shared buttons (after the template is set up).
  void WireButtons();
  void ExchangeCommon(BasicDataCommon& data, bool save);
  void ExchangeText(int id, std::string& value, bool save);
  // The recent list of a combo from or into section "comboeintraege".
  void FillRecentList(int id, const char* key);
  void StoreRecentList(int id, const char* key);
  // The title "Grunddaten    Prüf-Nr.: <number>".
  void SetBasicDataTitle(int textId, const std::string& testNumber);

  const CustomerMap& Customers() const;
  const GrundControlIds& ids() const { return ids_; }

 private:
  void FillCustomers();
  void ExchangeDateTime(int dateId, int timeId, BasicDateTime& value, bool save);

  GrundControlIds ids_;
  TakeoverKind kind_;
};
