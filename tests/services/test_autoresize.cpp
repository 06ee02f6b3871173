// Dialog resizing without a table: which controls move or stretch, where
// they go, and the window rectangle kept in section "WinPos".
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeWidget>

#include "platform/dialog.h"
#include "platform/inifile.h"
#include "services/autoresize.h"
#include "services/pravikapp.h"
#include "support/temp_folder.h"

namespace {

// The help window's template: 520 x 420, the text filling it, "Schließen" at the lower right.
constexpr int kW = 520;
constexpr int kH = 420;
const ResizeRect kText{7, 7, 513, 380};
const ResizeRect kClose{423, 387, 513, 413};
const ResizeRect kLeftBottom{7, 387, 97, 413};

}  // namespace

TEST(AutoResize, ClassificationOnTheHelpWindow) {
  using K = ResizeControlKind;
  struct Case {
    const char* name;
    K kind;
    ResizeRect r;
    int mode;
    int flags;
  } cases[] = {
      {"the text spans the window: stretches both ways", K::Other, kText, 0, 12},
      {"\"Schließen\" at the lower right follows the corner", K::Other, kClose, 0, 3},
      {"a control in the left half near the bottom stays", K::Other, kLeftBottom, 0, 0},
      {"29 pixels above the bottom still counts as near", K::Other, {300, 300, 380, 391}, 0, 3},
      {"30 pixels above the bottom does not", K::Other, {300, 300, 380, 390}, 0, 0},
      {"starting exactly in the middle is not the right half", K::Other, {260, 400, 300, 410}, 0, 0},
      {"mode 1: near the right edge moves sideways only", K::Other, {423, 10, 490, 30}, 1, 1},
      {"mode 1: 31 pixels from the right edge stays", K::Other, {423, 10, 489, 30}, 1, 0},
      {"mode 1 ignores the bottom rule", K::Other, kClose, 1, 1},
      {"another mode adds only the spanning rule", K::Other, kClose, 2, 0},
      {"the spanning rule holds in every mode", K::Other, kText, 2, 12},
      {"a tree stretches downwards", K::Tree, {300, 200, 320, 220}, 0, 8},
      {"a spanning tree stretches both ways", K::Tree, kText, 0, 12},
      {"a list stretches both ways", K::List, {300, 200, 320, 220}, 0, 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ClassifyResizeControl(c.kind, c.r, kW, kH, c.mode), c.flags);
  }
}

TEST(AutoResize, ControlsFollowTheSizeDifference) {
  EXPECT_EQ(ResizedControlRect(12, kText, 200, 100), (ResizeRect{7, 7, 713, 480}));
  EXPECT_EQ(ResizedControlRect(3, kClose, 200, 100), (ResizeRect{623, 487, 713, 513}));
  EXPECT_EQ(ResizedControlRect(3, kClose, -100, -50), (ResizeRect{323, 337, 413, 363}));
  EXPECT_EQ(ResizedControlRect(8, kText, 200, 100), (ResizeRect{7, 7, 513, 480}));
  EXPECT_EQ(ResizedControlRect(1 | 4, kText, 10, 0), (ResizeRect{17, 7, 533, 380}));  // flags add up
}

TEST(AutoResize, WindowPositionValue) {
  EXPECT_EQ(FormatWindowPos(1920, QRect(100, 50, 600, 400)), "1920,100,50,600,400");
  EXPECT_EQ(FormatWindowPos(1920, QRect(-8, -30, 600, 400)), "1920,-8,-30,600,400");
  // Beyond the signed 16-bit range the values wrap.
  EXPECT_EQ(FormatWindowPos(1920, QRect(40000, -40000, 70000, 32768)), "1920,-25536,25536,4464,-32768");

  struct Case {
    const char* value;
    std::optional<QRect> rect;
  } cases[] = {
      {"1920,100,50,600,400", QRect(100, 50, 600, 400)},
      {"1920,-8,-30,200,200", QRect(-8, -30, 200, 200)},
      {"1280,100,50,600,400", std::nullopt},  // another screen width
      {"1920,100,50,199,400", std::nullopt},  // too narrow
      {"1920,100,50,600,199", std::nullopt},  // too low
      {"1920,100,50,600", std::nullopt},      // four numbers
      {"1920,100,x,600,400", std::nullopt},
      {"", std::nullopt},
      {" 1920, +100, -50, 600, 400 and more", QRect(100, -50, 600, 400)},  // as "%d" reads
      // Numbers no int holds are no position (and no wrapped one).
      {"1920,99999999999,50,600,400", std::nullopt},
      {"1920,100,50,600,4294967696", std::nullopt},
      {"4294969216,100,50,600,400", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseWindowPos(c.value, 1920), c.rect) << c.value;
}

TEST(AutoResize, OnADialogWithTheRectangleInTheIniFile) {
  TempFolder folder;
  CPravikWinApp app;
  app.m_Settings.m_IniPath = folder / "pravik.ini";

  QDialog dialog;
  dialog.resize(kW, kH);
  auto* text = new QTextEdit(&dialog);
  text->setGeometry(kText.ToQRect());
  auto* close = new QPushButton("Schließen", &dialog);
  platform::SetControlId(close, 1);
  close->setGeometry(kClose.ToQRect());
  auto* stays = new QPushButton("links", &dialog);
  stays->setGeometry(kLeftBottom.ToQRect());
  auto* tree = new QTreeWidget(&dialog);
  tree->setGeometry(300, 200, 20, 20);

  JAutoResize layout;
  layout.Init(&dialog, "HlpTest", 0);
  ASSERT_EQ(layout.Items().size(), 3u);
  EXPECT_EQ(layout.Items()[1].id, 1);
  EXPECT_EQ(layout.Items()[1].flags, 3);
  layout.Resize(&dialog, kW + 200, kH + 100);
  EXPECT_EQ(text->geometry(), QRect(7, 7, 706, 473));
  EXPECT_EQ(close->geometry(), QRect(623, 487, 90, 26));
  EXPECT_EQ(stays->geometry(), kLeftBottom.ToQRect());
  EXPECT_EQ(tree->geometry(), QRect(300, 200, 20, 120));

  // Nothing stored yet: the template's size stays.
  EXPECT_EQ(dialog.size(), QSize(kW, kH));
  dialog.move(120, 80);
  dialog.resize(640, 480);
  layout.SaveWindowPos(&dialog);
  const int screen = ScreenWidthOf(&dialog);
  EXPECT_EQ(app.GetProfileString("WinPos", "HlpTest"), std::to_string(screen) + ",120,80,640,480");

  // A second Init records nothing again but restores the rectangle again.
  dialog.move(0, 0);
  dialog.resize(300, 300);
  layout.Init(&dialog, "HlpTest", 0);
  EXPECT_EQ(layout.Items().size(), 3u);
  EXPECT_EQ(dialog.pos(), QPoint(120, 80));
  EXPECT_EQ(dialog.size(), QSize(640, 480));

  // Values that do not apply leave the window alone.
  for (const std::string& value : {std::to_string(screen + 1) + ",10,10,640,480",
                                   std::to_string(screen) + ",10,10,199,480", std::string("kaputt")}) {
    app.WriteProfileString("WinPos", "HlpTest", value);
    layout.RestoreWindowPos(&dialog, "HlpTest");
    EXPECT_EQ(dialog.size(), QSize(640, 480)) << value;
  }

  // Without a key nothing is written.
  JAutoResize unkeyed;
  unkeyed.SaveWindowPos(&dialog);
  EXPECT_EQ(app.GetProfileString("WinPos", ""), "");
}
