#pragma once
// CRecentComboBox: a drop-down combo box that offers the names typed last.
// Its list is one text, the entries joined by "|", which the dialogs keep
// in the profile (section "comboeintraege"); GetRecentList puts the current
// text first. Ctrl+E opens CEditRecentListDlg, where the whole list is
// edited one entry per line.
//
//   box->FillRecentList(app.GetProfileString("comboeintraege", "geprueftdurch"));
//   ...on OK:
//   app.WriteProfileString("comboeintraege", "geprueftdurch", GetRecentList(box));
#include <QComboBox>
#include <string>

#include "platform/dialog.h"

// The trimmed edit text ("|" written as "#", as a record stores it), then
// the entries in list order that differ from it (case-sensitive), at most
// 15, joined by "|"; duplicates among the entries stay.
std::string GetRecentList(const QComboBox* combo);

class CRecentComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit CRecentComboBox(QWidget* parent = nullptr);

  // key := "COMBO_" + name; the default list is what the editor shows when
  // the box has no entries and no text.
  void SetKey(const std::string& name, const char* defaultList = nullptr);
  const std::string& key() const { return key_; }

  // The entries of the "|" list in order, up to the first empty one; the
  // edit text stays as it is.
  void FillRecentList(const std::string& list);

  // The list editor: OK replaces the entries with its lines and puts the
  // previous edit text back.
  void EditRecentList();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void WatchEditor();
  std::string key_;
  std::string defaultList_;
  bool editorPosted_ = false;
};

// The editor of a recent list: one entry per line. Not translated.
class CEditRecentListDlg : public platform::Dialog {
  Q_OBJECT

 public:
  explicit CEditRecentListDlg(QWidget* parent = nullptr);
  std::string m_Text;  // lines ended by "\r\n"

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
};
