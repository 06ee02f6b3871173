// Every window on the screen of a small notebook (1366x768, a task bar's room
// taken): each dialog the program opens, walked in German and English, fits
// with its frame; a dialog body that scrolls keeps its buttons in view; a
// window placed beyond the screen comes back inside it.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <map>
#include <set>
#include <sstream>

#include "platform/dialog.h"
#include "platform/screenfit.h"
#include "support/demo_walk.h"
#include "support/work_area.h"

namespace {

const QRect kNotebook(0, 0, 1366, 728);

// The size a window takes when it is shown on the notebook, its frame added:
// the size it was given, else its size hint, which Qt bounds to two thirds
// of the screen for a new window, never below the window's minimum.
QSize ShownFrameSize(const QWidget& window) {
  QSize size = window.size();
  if (!window.testAttribute(Qt::WA_Resized))
    size = window.sizeHint().boundedTo(QSize(1366 * 2 / 3, 768 * 2 / 3)).expandedTo(window.minimumSizeHint());
  return size.expandedTo(window.minimumSize()) + QSize(platform::kFrameRoomWidth, platform::kFrameRoomHeight);
}

bool Fits(const QSize& size, const QRect& area) {
  return size.width() <= area.width() && size.height() <= area.height();
}

TEST(ScreenFit, ARectangleIsShrunkAndMovedIntoTheArea) {
  struct Case {
    QRect frame;
    QRect expected;
  } cases[] = {
      {{100, 50, 800, 600}, {100, 50, 800, 600}},        // inside: stays
      {{1000, 50, 800, 600}, {566, 50, 800, 600}},       // beyond the right edge: moved left
      {{100, 500, 800, 600}, {100, 128, 800, 600}},      // beyond the bottom: moved up
      {{-300, -40, 800, 600}, {0, 0, 800, 600}},         // above and left of it
      {{300, 200, 1900, 1160}, {0, 0, 1366, 728}},       // from a larger screen: shrunk
      {{2200, 1300, 700, 500}, {666, 228, 700, 500}},    // on a screen no longer there
  };
  for (const Case& c : cases) EXPECT_EQ(platform::FitRectInto(c.frame, kNotebook), c.expected) << c.frame.x();
  // A work area that does not start at the origin (a task bar on the left).
  EXPECT_EQ(platform::FitRectInto({0, 0, 1400, 500}, {60, 0, 1306, 768}), QRect(60, 0, 1306, 500));
}

// A dialog of many rows with its buttons below them.
class TallDialog : public platform::Dialog {
 public:
  explicit TallDialog(int rows) : Dialog(9999) {
    auto* top = new QVBoxLayout(this);
    body = new QVBoxLayout;
    for (int row = 0; row < rows; ++row) body->addWidget(new QLabel(QString("Zeile %1").arg(row), this));
    top->addLayout(body);
    auto* buttons = new QHBoxLayout;
    ok = new QPushButton("OK", this);
    platform::SetControlId(ok, platform::IDOK);
    buttons->addWidget(ok);
    top->addLayout(buttons);
  }
  QVBoxLayout* body;
  QPushButton* ok;
};

TEST(ScreenFit, ATallBodyScrollsAndItsButtonsStayInView) {
  WorkAreaGuard notebook{kNotebook};
  TallDialog dialog(200);
  platform::BodyScrollArea* area = platform::PutBodyInScrollArea(&dialog, dialog.body);
  ASSERT_TRUE(area);
  ASSERT_GT(area->WholeBodySize().height(), kNotebook.height());
  dialog.InitDialog();
  // The whole height of the screen, not the two thirds Qt gives a new window.
  EXPECT_EQ(ShownFrameSize(dialog).height(), kNotebook.height());
  EXPECT_TRUE(Fits(ShownFrameSize(dialog), kNotebook)) << ShownFrameSize(dialog).width();
  EXPECT_FALSE(area->isAncestorOf(dialog.ok));
  EXPECT_EQ(dialog.GetDlgItem(platform::IDOK), dialog.ok);
  EXPECT_TRUE(area->isAncestorOf(dialog.findChild<QLabel*>())) << "the rows scroll";
}

TEST(ScreenFit, ABodyThatFitsDoesNotScroll) {
  WorkAreaGuard notebook{kNotebook};
  TallDialog dialog(5);
  platform::BodyScrollArea* area = platform::PutBodyInScrollArea(&dialog, dialog.body);
  ASSERT_TRUE(area);
  dialog.InitDialog();
  EXPECT_EQ(area->sizeHint(), area->WholeBodySize());
  // Not a layout of the dialog's: nothing is moved.
  EXPECT_FALSE(platform::PutBodyInScrollArea(&dialog, new QVBoxLayout));
}

TEST(ScreenFit, ADialogPlacedBeyondTheScreenComesBackInside) {
  WorkAreaGuard notebook{kNotebook};
  TallDialog dialog(3);
  dialog.move(1700, 900);
  dialog.resize(1600, 900);
  dialog.InitDialog();
  const QRect frame(dialog.pos(), dialog.size() + QSize(platform::kFrameRoomWidth, platform::kFrameRoomHeight));
  EXPECT_TRUE(kNotebook.contains(frame))
      << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
}

// Every dialog of the walk, measured as it opens.
class DialogsOnANotebook : public DemoWalk {
 protected:
  struct Seen {
    std::string title;
    QSize size;
  };

  void Walk(const std::string& langCode) {
    ui_.LookAtEveryDialog([this](platform::Dialog& dialog) {
      Seen& seen = seen_[dialog.template_id()];
      seen.title = dialog.windowTitle().toStdString();
      seen.size = seen.size.expandedTo(ShownFrameSize(dialog));
    });
    WalkEverywhere(langCode);
    Close();
  }
  // One line per dialog: its id, title and size; all of them or the ones too large.
  std::string Sizes(bool onlyTooLarge) const {
    std::ostringstream out;
    for (const auto& [id, seen] : seen_)
      if (!onlyTooLarge || !Fits(seen.size, kNotebook))
        out << id << " \"" << seen.title << "\" " << seen.size.width() << "x" << seen.size.height() << "\n";
    return out.str();
  }
  std::set<int> Missing(const std::set<int>& expected) const {
    std::set<int> missing;
    for (int id : expected)
      if (!seen_.count(id)) missing.insert(id);
    return missing;
  }

  WorkAreaGuard notebook_{kNotebook};
  std::map<int, Seen> seen_;
};

// The dialogs the walk must meet: every test dialog and armourstone sheet,
// the basic data of plain and track-ballast records, the record commands,
// settings, statistics, archive, import, mixtures, customers, the plant
// selection and the program's information.
const std::set<int> kExpectedDialogs = {
    501, 504, 518, 524, 525, 528, 529, 530, 531, 532, 535, 546, 547, 548, 556, 567, 569, 591,  // tests
    597, 598, 599, 606, 612, 613, 618, 631, 632, 633,                                          // tests
    503, 505, 506, 508, 509, 515, 516, 526, 533, 534, 538, 543, 552, 586, 589, 592, 593, 594, 596, 600,
};

TEST_F(DialogsOnANotebook, EveryGermanDialogFits) {
  Walk("de");
  EXPECT_EQ(Sizes(true), "") << Sizes(false);
  EXPECT_EQ(Missing(kExpectedDialogs), std::set<int>{});
}

// English texts are longer: the same dialogs once more.
TEST_F(DialogsOnANotebook, EveryEnglishDialogFits) {
  Walk("en");
  EXPECT_EQ(Sizes(true), "") << Sizes(false);
  EXPECT_EQ(Missing(kExpectedDialogs), std::set<int>{});
}

}  // namespace
