#pragma once
// Two controls of the basic-data dialogs.
#include <QPlainTextEdit>
#include <QPushButton>

// The report remark: at most six lines of at most 250 characters, as many
// as the record keeps, so that what the user sees is what OK stores. Lines
// do not wrap: a line is a line the user typed.
class CRemarkEdit : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit CRemarkEdit(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void KeepWithinLimits();
  bool limiting_ = false;
};

// A push button whose text is cut at its end ("...") when it does not fit.
class CElidedButton : public QPushButton {
  Q_OBJECT

 public:
  explicit CElidedButton(QWidget* parent = nullptr);
  // The whole text; shown cut when the button is too narrow.
  void SetFullText(const QString& text);
  const QString& FullText() const { return full_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Elide();
  QString full_;
};
