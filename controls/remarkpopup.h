#pragma once
// CAnzeigeBermerkungDlg: the small window without caption that shows a
// record's test number, material name and internal remark next to the
// cursor. It never takes the focus and is shown without activation; the test
// list shows, moves and hides it.
#include <QFrame>
#include <string>

class CLabel;

class CAnzeigeBermerkungDlg : public QFrame {
  Q_OBJECT

 public:
  static constexpr int kHeaderLabelId = 1199;
  static constexpr int kRemarkLabelId = 1200;

  explicit CAnzeigeBermerkungDlg(QWidget* parent = nullptr);
  ~CAnzeigeBermerkungDlg() override;

  // Hidden for an empty remark, else shown without activation; then both
  // labels take their texts.
  void SetTexts(const std::string& header, const std::string& remark);
  // Places the window's top-left corner at (x + 20, y - 10), global pixels.
  void MoveNearCursor(int x, int y);

  CLabel* headerLabel() const { return header_; }
  CLabel* remarkLabel() const { return remark_; }

 private:
  CLabel* header_;
  CLabel* remark_;
};
