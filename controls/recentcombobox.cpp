#include "controls/recentcombobox.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "records/strutil.h"
#include "ui_editrecentlist.h"

namespace {

constexpr int kMaxRecentEntries = 15;

// The "|" parts of a list up to the first empty one.
std::vector<std::string> RecentParts(const std::string& list) {
  std::vector<std::string> parts;
  for (int i = 0;; ++i) {
    std::string part = StrGetField(list, '|', i);
    if (part.empty()) break;
    parts.push_back(std::move(part));
  }
  return parts;
}

void ReplaceUntilGone(std::string& text, const std::string& from, const std::string& to) {
  while (text.find(from) != std::string::npos) StrReplace(text, from, to);
}

}  // namespace

std::string GetRecentList(const QComboBox* combo) {
  if (!combo) return {};
  const std::string text = TrimWhite(combo->currentText().toStdString());
  std::string result = text;
  // A value kept in a record never holds "|".
  StrReplace(result, "|", "#");
  int appended = 0;
  for (int i = 0; i < combo->count() && appended < kMaxRecentEntries; ++i) {
    const std::string entry = combo->itemText(i).toStdString();
    if (entry == text) continue;
    if (!result.empty()) result += '|';
    result += entry;
    ++appended;
  }
  return result;
}

CRecentComboBox::CRecentComboBox(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  // What is typed stays as typed: no entry completes it.
  setCompleter(nullptr);
  installEventFilter(this);
  WatchEditor();
}

// The keys reach the box (its focus) or its edit part, and what the edit
// part leaves goes on to the box: both are watched, one editor is posted.
void CRecentComboBox::WatchEditor() {
  if (QLineEdit* edit = lineEdit()) edit->installEventFilter(this);
}

void CRecentComboBox::SetKey(const std::string& name, const char* defaultList) {
  key_ = "COMBO_" + name;
  defaultList_ = defaultList ? defaultList : "";
}

void CRecentComboBox::FillRecentList(const std::string& list) {
  const QString text = currentText();
  clear();
  for (const std::string& part : RecentParts(list)) addItem(QString::fromStdString(part));
  setCurrentIndex(-1);
  setEditText(text);
}

bool CRecentComboBox::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_E && (key->modifiers() & Qt::ControlModifier) && !editorPosted_) {
      editorPosted_ = true;
      QMetaObject::invokeMethod(
          this,
          [this] {
            editorPosted_ = false;
            EditRecentList();
          },
          Qt::QueuedConnection);
    }
  }
  return QComboBox::eventFilter(watched, event);  // the key goes on
}

void CRecentComboBox::EditRecentList() {
  CEditRecentListDlg dlg(this);
  const QString previous = currentText();
  std::string list = GetRecentList(this);
  if (list.empty()) list = defaultList_;
  for (const std::string& part : RecentParts(list)) dlg.m_Text += part + "\r\n";
  if (dlg.DoModal() != platform::IDOK) return;

  std::string t = dlg.m_Text;
  StrReplace(t, "\r\n", "|");
  ReplaceUntilGone(t, " |", "|");
  ReplaceUntilGone(t, "||", "|");
  while (!t.empty() && t.back() == '|') t.pop_back();
  while (!t.empty() && t.front() == '|') t.erase(0, 1);
  FillRecentList(t);
  // The text typed before stays exactly as it was, on its entry if it has one.
  const int index = findText(previous, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (index >= 0) setCurrentIndex(index);
  setEditText(previous);
}

// ------------------------------------------------------- CEditRecentListDlg

CEditRecentListDlg::CEditRecentListDlg(QWidget* parent) : platform::Dialog(5001, parent) {
  Ui::EditRecentListDlg ui;
  ui.setupUi(this);
}

bool CEditRecentListDlg::OnInitDialog() {
  std::string shown = m_Text;
  StrReplace(shown, "\r\n", "\n");
  SetItemText(8001, shown);
  return true;
}

void CEditRecentListDlg::OnOK() {
  // The lines as the edit control gives them: ended by CR LF.
  m_Text = GetItemText(8001);
  StrReplace(m_Text, "\r\n", "\n");
  StrReplace(m_Text, "\n", "\r\n");
  EndDialog(platform::IDOK);
}
