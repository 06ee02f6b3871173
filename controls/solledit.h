#pragma once
// CSollEdit: an edit field that holds a stored requirement code ("5_LE") and
// shows its readable form ("<= 5.0", one decimal) centred on a white
// ground; the raw code is never painted. An empty text shows nothing.
#include <QLineEdit>
#include <string>

class QPainter;

class CSollEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit CSollEdit(QWidget* parent = nullptr);
  ~CSollEdit() override;

  // The text painted for the code.
  std::string ShownText() const;
  // Paints the field into the rectangle (device pixels) of any painter.
  void Paint(QPainter& painter, const QRect& client) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};
