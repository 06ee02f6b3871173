#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <memory>

#include "controls/exlistctrl.h"
#include "records/strutil.h"
#include "services/pravikdoc.h"
#include "shell/mainview/mainview_testing.h"
#include "shell/mainview/statussortdlg.h"
#include "support/scripted_ui_gtest.h"

namespace {

class StatusSortChooser : public MainViewTesting {
 protected:
  CForm1View& Open() {
    doc_ = std::make_unique<CPravikDoc>();
    EXPECT_TRUE(doc_->OnNewDocument());
    view_ = std::make_unique<CForm1View>(doc_.get());
    view_->OnInitialUpdate();
    return *view_;
  }
  // A click on "Status": the chooser runs from the timer.
  void ClickStatus(const platform::TestUi& ui) {
    view_->OnLvnColumnClickList(kStatusColumn);
    EXPECT_TRUE(SpinUntil([&ui] { return !ui.shown().empty(); }));
  }

  std::unique_ptr<CPravikDoc> doc_;
  std::unique_ptr<CForm1View> view_;
};

TEST_F(StatusSortChooser, APictureButtonSortsByItsOrderAndKeepsTheColumnKeySecond) {
  CForm1View& view = Open();
  view.OnLvnColumnClickList(2);  // column 2, descending
  ASSERT_EQ(view.sortState().Format(), "1;102;0;0");
  {
    platform::TestUi ui;
    ui.ExpectDialog(CStatusSortierungDlg::kTemplateId, [](platform::DialogDriver& d) {
      EXPECT_FALSE(d.IsVisible(platform::IDOK));
      d.Click(1068);  // order 2: the user's marks
    }, -1);
    ClickStatus(ui);
  }
  // Status order 2 is not column 2: the column key moves down.
  EXPECT_EQ(view.sortState().Format(), "2;2;1;102");
  CRecordListModel& model = *view.model();
  for (int row = 1; row < model.RecordCount(); ++row)
    EXPECT_GE(StrCompareNoCase(model.RecordAt(row - 1)->GetValue(18, 7), model.RecordAt(row)->GetValue(18, 7)), 0);
}

TEST_F(StatusSortChooser, CancelChangesNothing) {
  CForm1View& view = Open();
  view.OnLvnColumnClickList(5);
  const std::string before = view.sortState().Format();
  {
    platform::TestUi ui;
    ui.ExpectDialog(CStatusSortierungDlg::kTemplateId, platform::IDCANCEL);
    ClickStatus(ui);
  }
  EXPECT_EQ(view.sortState().Format(), before);
}

// Each picture shows its mark whole: the texts in the dialog's font, with a
// free row of pixels above and below them.
TEST(StatusSortPictures, EachOrderHasItsOwnPicture) {
  const QFont font = QApplication::font();
  const int height = CStatusSortierungDlg::PictureHeight(font);
  EXPECT_GE(height, QFontMetrics(font).height());
  std::vector<QImage> pictures;
  for (int order = 0; order < 4; ++order) {
    const QImage picture = CStatusSortierungDlg::OrderPicture(order, font);
    EXPECT_EQ(picture.size(), QSize(81, height));
    QImage blank(picture.size(), picture.format());
    blank.fill(Qt::white);
    EXPECT_NE(picture, blank) << order;
    for (const QImage& other : pictures) EXPECT_NE(picture, other) << order;
    pictures.push_back(picture);
    for (int x = 0; x < picture.width(); ++x)
      for (int y : {0, picture.height() - 1})
        EXPECT_EQ(picture.pixel(x, y), QColor(Qt::white).rgb()) << order << " at " << x << "," << y;
  }
}

}  // namespace
