#pragma once
// The customer dialogs and the application's side of the customer list:
//
//   MergeCustomerList(app);                 // main view, once the records are listed
//   RunCustomerManagement(app, view);       // command 9002
//
// The dialogs only show and collect; the list itself is CustomerList
// (customerlist.h).
#include <filesystem>
#include <string>

#include "services/cpvdialog.h"
#include "services/customers/customerlist.h"

class CPravikWinApp;
class QTreeWidget;

// Name of a new or renamed customer (edit 8001). Refuses names that the file
// could not hold, with a message, and stays open.
class CKundeNeuAendernDlg : public CpvDialog {
  Q_OBJECT

 public:
  explicit CKundeNeuAendernDlg(QWidget* parent = nullptr);
  ~CKundeNeuAendernDlg() override;

  std::string m_Caption;
  std::string m_Name;

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
};

// The customer management (dialog 592): a list sorted by name with the hidden
// ID, new, rename (also a double click), delete and save. OK, Escape and the
// close box ask to save changes; a failed save is reported and keeps the
// dialog open.
class CKundenVerwaltungDlg : public CpvDialog {
  Q_OBJECT

 public:
  // Works on the list (not owned), which it loads when it opens.
  explicit CKundenVerwaltungDlg(CustomerList& customers, QWidget* parent = nullptr);
  ~CKundenVerwaltungDlg() override;

  CustomerList& customers() { return customers_; }
  // The selected row of the list, -1 for none.
  int SelectedRow() const;

  void LoadCustomers();
  // False, after a message, when the file could not be written.
  bool SaveCustomers();

  void OnNeuerKunde();
  void OnKundennameAendern();
  void OnLoeschen();
  void OnSpeichern();

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;

 private:
  void Close(int result);
  void ShowRows(int selectRow);

  CustomerList& customers_;
  QTreeWidget* list_ = nullptr;
};

// "kunden.dat" in the application's data folder.
std::filesystem::path CustomerFilePath(const CPravikWinApp& app);

// The start-up merge of "kunden.dat" with the customers of the records, which
// are in app.CustomerNameMap by then (NoteRecordCustomer). A file that cannot
// be read, or written, is reported; an unreadable one is left as it is.
void MergeCustomerList(CPravikWinApp& app);

// Command 9002: the customer management with its icon, then the file is read
// again into app.CustomerNameMap.
void RunCustomerManagement(CPravikWinApp& app, QWidget* parent = nullptr);
