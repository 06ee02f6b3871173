#pragma once
// CRestrictEdit: an edit field for identifier-like texts such as the parts
// of a test number. Every text that reaches it, typed, pasted, dropped or
// set, keeps only digits, the letters A to Z (lower-case ones are raised),
// "-" and "_"; when a character is dropped the platform's beep sounds (it
// does not block) and Refused() is emitted. The standard edit keys work as in
// any field (select all, copy, cut, paste, undo, redo, Shift+arrows,
// Home/End); typed and pasted text is filtered before it goes in, so that
// undo takes it back step by step. Any other Ctrl with a letter types
// nothing, with the beep.
#include <QLineEdit>
#include <string>

// The characters an identifier field keeps.
inline constexpr char kRestrictEditCharacters[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-_";

// The text as the field keeps it: ASCII letters upper-cased, every other
// character that is not allowed removed. `dropped` (optional) tells whether
// any was removed.
std::string FilterRestrictedText(const std::string& text, bool* dropped = nullptr);

class CRestrictEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit CRestrictEdit(QWidget* parent = nullptr);
  ~CRestrictEdit() override;

 signals:
  // Characters were dropped (the beep sounded).
  void Refused();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void Refuse();
  void Filter();
  // Puts the text in at the cursor (over the selection) as the field keeps it.
  void InsertFiltered(const QString& text);
  void PasteFiltered();
  // The next change starts a new undo step; cursor and selection stay.
  void EndUndoStep();
  bool filtering_ = false;
};
