#pragma once
// The test-type panel of the main view (control 1268): a column of flat
// buttons, one per test key, each with a coloured status mark. A click on a
// button tells the view, which opens that test for the current record.
// From the keyboard the panel is one Tab stop: Up, Down, Home and End move
// its focus frame, Enter and Space press the framed button (with Alt held as
// a click with Alt does).
//
// PanelState holds what the panel shows (the two button sets, the enabled
// keys, the statuses, the ballast, Alt, hover and focus states) and decides
// each button's look; CButtonListbox paints it and reports clicks.
#include <QWidget>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/drawtypes.h"

// The colour of a status code 0 to 9 (any other code: entry 2, magenta).
platform::ColorRef StatusColor(int code);

// How one button is drawn.
struct PanelButtonLook {
  enum Face { kButtonFace, kWhite };
  enum Text { kGrayText, kWindowText, kBlue };
  Face face = kButtonFace;
  Text text = kWindowText;
  // The status mark of an enabled button (-1 when the key has no status).
  std::optional<int> mark;
};

class PanelState {
 public:
  PanelState();

  // Fills both button sets with their translated captions.
  void FillTestTypeButtons();
  // The items of the set in force ("KEY|caption").
  const std::vector<std::string>& Items() const {
    return ballastMode_ ? ballastSet_ : mixtureMode_ ? mixtureSet_ : normalSet_;
  }
  int ItemCount() const { return static_cast<int>(Items().size()); }
  // The key of an item (text before the first "|"), empty outside the items.
  std::string GetKeyAt(int item) const;
  std::string CaptionAt(int item) const;

  bool BallastMode() const { return ballastMode_; }
  // True when the set in force changed.
  bool SetBallastMode(bool ballast);
  // A built-in grading mixture records its grain shape under "VA_GS_KORNFORM":
  // the normal set then shows that key in place of "VA_KORNF". True when the
  // set in force changed.
  bool SetMixtureMode(bool mixture);

  void EnableKey(const std::string& key, bool enable);
  bool IsKeyEnabled(int item) const;
  bool IsKeyEnabled(const std::string& key) const { return enabled_.count(key) > 0; }

  void ClearStatuses() { statuses_.clear(); }
  // "KEY:status": the status of the key becomes the text after the ":".
  void SetStatusEntry(const std::string& entry);
  // The status code of a key, -1 when it has none.
  int StatusCode(const std::string& key) const;

  bool AltMode() const { return altMode_; }
  // True when the mode changed.
  bool SetAltMode(bool alt);

  int HoverItem() const { return hover_; }
  // True when the hover item changed.
  bool SetHoverItem(int item);

  // The button with the keyboard's focus frame, -1 for none. Setting one
  // outside the items sets none; true when it changed.
  int FocusItem() const { return focus_; }
  bool SetFocusItem(int item);
  // The first enabled button, -1 when none is.
  int FirstEnabledItem() const;

  PanelButtonLook LookOf(int item) const;

 private:
  std::vector<std::string> normalSet_;
  std::vector<std::string> ballastSet_;
  std::vector<std::string> mixtureSet_;
  std::set<std::string> enabled_;
  std::map<std::string, std::string> statuses_;
  bool ballastMode_ = false;
  bool mixtureMode_ = false;
  bool altMode_ = false;
  int hover_ = -1;
  int focus_ = -1;
};

class CButtonListbox : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kControlId = 1268;
  static constexpr int kItemHeight = 28;
  // Room of a caption: the button's width less the status mark before it.
  static constexpr int kCaptionIndent = 18;

  explicit CButtonListbox(QWidget* parent = nullptr);
  ~CButtonListbox() override;

  PanelState& state() { return state_; }
  const PanelState& state() const { return state_; }

  void FillTestTypeButtons() { state_.FillTestTypeButtons(); }
  // Item height 28, the normal set, then RebuildItems.
  void Init();
  // Takes the items of the set in force and fits the height to them.
  void RebuildItems();
  void SetBallastMode(bool ballast);
  void SetMixtureMode(bool mixture);
  void EnableKey(const std::string& key, bool enable) { state_.EnableKey(key, enable); }
  bool IsKeyEnabled(int item) const { return state_.IsKeyEnabled(item); }
  std::string GetKeyAt(int item) const { return state_.GetKeyAt(item); }
  void ClearStatuses() { state_.ClearStatuses(); }
  void SetStatusEntry(const std::string& entry) { state_.SetStatusEntry(entry); }
  void SetAltMode(bool alt);
  bool AltMode() const { return state_.AltMode(); }

  int ItemCount() const { return state_.ItemCount(); }
  QRect ItemRect(int item) const;
  // The item at a point, -1 beside the items.
  int ItemAt(const QPoint& point) const;
  // The item of a key in the set in force, -1 when it is not shown.
  int ItemOfKey(const std::string& key) const;
  // The width of the widest caption of all sets in this panel's font.
  int WidestCaption() const;

  QSize sizeHint() const override;

  // Draws one button as the panel does.
  static void DrawButton(QPainter& painter, const QRect& rect, const QString& caption, const PanelButtonLook& look,
                         const QPalette& palette, bool focusFrame = false);
  static void DrawStatusMark(QPainter& painter, const QRect& rect, int code);

 signals:
  // A click on an item (the list box's selection change), or Enter or Space
  // on the framed one; withAlt: Alt was held.
  void ItemClicked(int item, bool withAlt);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  PanelState state_;
};
