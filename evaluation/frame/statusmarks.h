#pragma once
// The small face images that stand beside a judged value in the entry
// dialogs: a green smiling face when the requirement is met, a red frowning
// one when it is not, an orange frowning one where a test states "met with a
// remark", and a plain grey square where no mark applies.
#include <QImage>
#include <QLabel>

enum : int {
  kMarkMet = 139,     // green face, smiling
  kMarkNotMet = 140,  // red face, frowning
  kMarkNone = 141,    // plain grey square
  kMarkRemark = 142,  // orange face, frowning
};
inline constexpr int kStatusMarkSize = 15;

// The 15 x 15 image of a mark (transparent around the faces); a null image
// for any other id.
QImage StatusMarkImage(int bitmapId);

// The mark of a label status as the dialogs set it: 1 met, 2 not met,
// 7 met with a remark; 0 (no mark) for any other status.
int StatusMarkFor(int status);

// The status label of a dialog: shows the mark of its status, nothing for a
// status without one.
class CStatusMark : public QLabel {
  Q_OBJECT

 public:
  explicit CStatusMark(QWidget* parent = nullptr);

  void SetStatus(int status);
  int Status() const { return status_; }
  // Where a value that is not judged shows the grey square instead of nothing.
  void SetGreyWhenNotJudged(bool grey) { grey_ = grey; SetStatus(status_); }
  // The mark shown, 0 for none.
  int MarkShown() const;

 private:
  int status_ = -1;
  bool grey_ = false;
};
