// The layout of a report page: logo box, title box and the entries that
// move with the record's kind and its second sieving; the company logo
// read through the bitmap reader.
#include <gtest/gtest.h>

#include "charts/chart_render.h"
#include "platform/files.h"
#include "reports/druckseite.h"
#include "reports/report_testing.h"
#include "services/pravikapp.h"
#include "support/temp_folder.h"

namespace {
const platform::Rect kPrint{1277, -377, 1277 + 18300, -377 - 27500};
}

TEST(PageLayout, LogoBoxHeightFollowsTheLogo) {
  const struct {
    const char* name;
    bool shown;
    int width, height, expected;
  } cases[] = {
      {"no logo", false, 0, 0, 1862},
      {"logo not printed", false, 3000, 1000, 1862},
      {"3000 x 1000", true, 3000, 1000, 3000},
      {"square", true, 500, 500, 5300},
      {"width 0", true, 0, 1000, 1862},
      {"height 0", true, 1000, 0, 1862},
      {"very tall", true, 10, 100000, kMaxLogoBoxHeight},
      {"huge numbers", true, 1, 2147483647, kMaxLogoBoxHeight},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PageLayoutInput in;
    in.logoShown = c.shown;
    in.logoWidth = c.width;
    in.logoHeight = c.height;
    EXPECT_EQ(LogoBoxHeight(in), c.expected);
    const PageLayout l = ComputePageLayout(kPrint, in);
    EXPECT_EQ(l[LogoBox].top - l[LogoBox].bottom, c.expected);
    EXPECT_EQ(l[TitleBox].top, l[LogoBox].bottom);
    EXPECT_EQ(l[TitleBox].top - l[TitleBox].bottom, 900);
    // The title box ends above the chart, on the page.
    EXPECT_GE(l[TitleBox].bottom, l[ChartBox].top);
  }
}

TEST(PageLayout, EntriesOfTheRecordKinds) {
  const int L = kPrint.left, T = kPrint.top, R = kPrint.right, B = kPrint.bottom;
  PageLayoutInput plain;
  PageLayout l = ComputePageLayout(kPrint, plain);
  EXPECT_EQ(l[ChartBox], (platform::Rect{L + 2100, T - 6200, R - 1300, T - 13000}));
  EXPECT_EQ(l[SieveTableBox].top, T - 14500);
  EXPECT_EQ(l[SieveLossBox], (platform::Rect{R - 7500, T - 14500, R - 3200, T - 14500}));
  EXPECT_EQ(l[RequirementAnchors].left, R - 8000);
  EXPECT_EQ(l[RequirementAnchors].top, T - 18400);
  EXPECT_EQ(l[RemarksAnchors].bottom, B);
  EXPECT_EQ(l[BottomBand], (platform::Rect{L, B + 2300, R, B}));

  PageLayoutInput second;
  second.secondSieving = true;
  second.sieveTableHeight = 1520 + 320 * 12;
  l = ComputePageLayout(kPrint, second);
  EXPECT_EQ(l[SieveLossBox].left, L + 2100 + 2000);
  EXPECT_EQ(l[SieveLossBox].top, T - 14500 - 5360 - 500);
  EXPECT_EQ(l[RequirementAnchors].left, R - 6500);
  EXPECT_EQ(l[RequirementAnchors].top, l[SieveLossBox].top);

  PageLayoutInput ballast;
  ballast.ballast = true;
  l = ComputePageLayout(kPrint, ballast);
  EXPECT_EQ(l[BottomBand], (platform::Rect{L, B + 6200, R, B + 4500}));
  EXPECT_EQ(l[SieveTableBox].top, T - 12700 - 1000);
  EXPECT_EQ(l[SieveLossBox].left, L + 15000);
  EXPECT_EQ(l[RequirementAnchors].left, R - 8800);
  EXPECT_EQ(l[RemarksAnchors].bottom, B + 4500 - 590);
  EXPECT_EQ(l[BallastSummaryBand], (platform::Rect{L, B + 6200 + 2250, R, B + 6200}));
}

TEST(PageLayout, CompanyLogoIsReadThroughTheBitmapReader) {
  CPravikWinApp app;
  TempFolder folder;
  reporttest::BmpSpec logo;
  logo.width = 300;
  logo.height = 100;
  logo.pixel = [](int x, int) { return x < 150 ? 0x0000FFu : 0xFFFFFFu; };
  ASSERT_TRUE(platform::WriteFileBytes(folder / "logo.bmp", reporttest::MakeBmp(logo)));
  ASSERT_TRUE(platform::WriteFileBytes(folder / "broken.bmp", reporttest::MakeBmp(logo).substr(0, 200)));

  CVersuch record = reporttest::PageARecord();
  CDruckSeite page;
  page.Init(&record, 1);
  page.SetPrintRect(kPrint.left, kPrint.top, kPrint.right, kPrint.bottom);

  app.m_Settings.m_Plant.logoFile = folder / "broken.bmp";
  page.CalcLayout();
  EXPECT_TRUE(app.m_Settings.m_Plant.logo.isNull());
  EXPECT_EQ(page.GetLayout(LogoBox).top - page.GetLayout(LogoBox).bottom, 1862);

  app.m_Settings.m_Plant.logoFile = folder / "logo.bmp";
  page.CalcLayout();
  ASSERT_FALSE(app.m_Settings.m_Plant.logo.isNull());
  EXPECT_EQ(app.m_Settings.m_Plant.logo.size(), QSize(300, 100));
  EXPECT_EQ(page.GetLayout(LogoBox).top - page.GetLayout(LogoBox).bottom, 3000);
  // Drawn into the box, 40 units inside.
  const QImage image = chartrender::RenderImage(
      [&](platform::DrawContext& dc) { page.DrawLogoBox(dc); }, 21000, 5000);
  const platform::Rect box = page.GetLayout(LogoBox);
  EXPECT_EQ(image.pixelColor((box.left + 500) / 10, -(box.top - 1500) / 10), QColor(0, 0, 255));

  app.m_Settings.m_PrintLogo = 0;
  page.CalcLayout();
  EXPECT_EQ(page.GetLayout(LogoBox).top - page.GetLayout(LogoBox).bottom, 1862);
}
