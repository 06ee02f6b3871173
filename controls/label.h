#pragma once
// CLabel: a static text with its own colours, font, link behaviour, flashing
// and a status lamp (a 15 x 15 square in the top-left corner) that the
// evaluation dialogs show per requirement.
//
//   CLabel* lamp = new CLabel(this);              // or promoted from a QLabel in a .ui
//   lamp->SetStatus(1);                           // green: met
//   title->SetTextColor(RGB(255, 255, 0)).SetBkColor(RGB(0, 0, 0)).SetFontBold(true);
//
// What the label shows is decided by LabelState, plain data without a
// screen; the widget paints it through the drawing context in device pixels.
#include <QImage>
#include <QLabel>
#include <QTimer>
#include <optional>
#include <string>
#include <vector>

#include "platform/drawtypes.h"

class QPainter;

// Styles of a static control, as the template gives them.
enum : unsigned {
  SS_LEFT = 0x0,
  SS_CENTER = 0x1,
  SS_RIGHT = 0x2,
  SS_LEFTNOWORDWRAP = 0xC,
  SS_TYPEMASK = 0x1F,
  SS_CENTERIMAGE = 0x200,
};

// The code of the notification a label with "notify parent" sends on a click.
inline constexpr unsigned kLabelClickNotification = 0x8200;

// The lamp of a label status (1 met, 2 not met, 7 met with a remark); none
// for any other status.
std::optional<platform::ColorRef> LampColor(int status);
// The label status that shows a test's status character: Met green,
// NotMet red, MetWithRemark orange; 0 (no lamp) for the others.
int LabelStatusForTestStatus(char testStatus);
// The lamp colour of a test's status character.
std::optional<platform::ColorRef> LampColorForTestStatus(char testStatus);
// The lamp picture: a square in the lamp colour with black corners; a null
// image for a status without a lamp.
QImage LampImage(int status);
inline constexpr int kLampSize = 15;

// The DrawText format of a static style and text.
unsigned LabelTextFormat(unsigned style, const std::string& text);
// The static style a QLabel's alignment and word wrap stand for: centred both
// ways is the centre-image style.
unsigned StaticStyleOf(Qt::Alignment alignment, bool wordWrap);

// The bands of a horizontal gradient from colour a to colour b: at most 100,
// each a solid colour; none for an empty rectangle.
struct GradientBand {
  platform::Rect rect;
  platform::ColorRef color = 0;
};
std::vector<GradientBand> GradientBands(const platform::Rect& rect, platform::ColorRef a, platform::ColorRef b);

struct LabelState {
  enum LinkType { kNoLink = 0, kHyperLink = 1, kMailLink = 2 };
  enum FlashType { kNoFlash = 0, kFlashText = 1, kFlashBackground = 2 };
  enum Type3D { kRaised = 0, kSunken = 1 };

  LabelState(platform::ColorRef windowText = platform::RGB(0, 0, 0),
             platform::ColorRef buttonFace = platform::RGB(240, 240, 240));

  int status = -1;
  platform::ColorRef textColor;
  platform::ColorRef hiliteColor = platform::RGB(255, 255, 255);
  platform::ColorRef faceColor;                      // the window brush
  std::optional<platform::ColorRef> backgroundBrush;  // only with the normal fill
  platform::Font font;
  bool flashState = false;
  int linkType = kNoLink;
  bool transparent = false;
  bool font3D = false;
  bool notifyParent = false;
  bool rotation = false;
  int flashType = kNoFlash;
  int type3D = kRaised;
  int fillMode = 0;  // 0 solid, else a horizontal gradient
  platform::ColorRef gradientEnd = 0;
  platform::ColorRef backgroundColor = 0;
  std::string linkText;
  bool sunken = false;
  bool border = false;

  void SetBkColor(platform::ColorRef color, platform::ColorRef end = 0, int mode = 0);
  void SetStatus(int value);
  void SetFontSize(int points, double dpiY = 96);
  void SetRotationAngle(int degrees, bool on);

  // The colour the text is drawn in now: while a flashing text is in its
  // off phase it takes the background brush colour (black without one).
  platform::ColorRef PaintTextColor() const;
  // The lamp shown, if any: never on a transparent label.
  std::optional<int> LampStatus() const;
  // The solid background painted, if any: the background brush or the
  // window brush. None on a transparent label, with a gradient, or with a
  // status above 0 (the lamp is the background then).
  std::optional<platform::ColorRef> SolidBackground() const;

  // What a click does.
  struct ClickAction {
    bool notify = false;  // tell the parent, open nothing
    std::string url;      // open this (empty: nothing)
  };
  ClickAction Click(const std::string& windowText) const;
};

class CLabel : public QLabel {
  Q_OBJECT

 public:
  explicit CLabel(QWidget* parent = nullptr);
  explicit CLabel(const QString& text, QWidget* parent = nullptr);
  ~CLabel() override;

  const LabelState& state() const { return state_; }

  CLabel& SetBkColor(platform::ColorRef color, platform::ColorRef end = 0, int fillMode = 0);
  CLabel& SetTextColor(platform::ColorRef color);
  CLabel& SetText(const std::string& text);
  CLabel& SetFontBold(bool bold);
  CLabel& SetFontName(const std::string& face, int charset = 0);
  CLabel& SetFontUnderline(bool on);
  CLabel& SetFontItalic(bool on);
  CLabel& SetFontSize(int points);
  CLabel& SetSunken(bool on);
  CLabel& SetBorder(bool on);
  CLabel& SetTransparent(bool on);
  CLabel& FlashText(bool on);
  CLabel& FlashBackground(bool on);
  CLabel& SetLink(bool link, bool notifyParent);
  CLabel& SetLinkCursor(const QCursor& cursor);
  CLabel& SetFont3D(bool on, int type3D = LabelState::kRaised);
  CLabel& SetRotationAngle(int degrees, bool rotation);
  CLabel& SetText3DHiliteColor(platform::ColorRef color);
  CLabel& SetFont(const platform::Font& font);
  CLabel& SetMailLink(bool enable, bool notifyParent);
  CLabel& SetHyperLink(const std::string& link);

  void SetStatus(int status);

  bool IsFlashing() const { return flashTimer_.isActive(); }

 signals:
  // A click while "notify parent" is set: the control id and
  // kLabelClickNotification.
  void Notify(int controlId, unsigned code);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Init();
  void TakeWidgetFont();
  CLabel& Changed();
  CLabel& FontChanged();
  void StartFlash(int type);
  void UpdateFrame();
  void Paint(QPainter& painter, const QRect& client);
  unsigned Style() const;

  LabelState state_;
  bool ownFont_ = false;  // a font setter has been called
  QTimer flashTimer_;
};
