// The plain rules of the statistics dialog: ISO calendar weeks, the week
// lists of the picker, the period text and the selection text.
#include <gtest/gtest.h>

#include "fixtures/dlgbase/english_language.h"
#include "shell/statistics/statisticsperiod.h"

TEST(CalendarWeek, IsTheIsoWeekOnEveryDayFrom2010To2030) {
  for (QDate day(2010, 1, 1); day <= QDate(2030, 12, 31); day = day.addDays(1)) {
    int isoYear = 0;
    const int isoWeek = day.weekNumber(&isoYear);
    ASSERT_EQ(CalendarWeekOf(day), (CalendarWeek{isoWeek, isoYear})) << day.toString(Qt::ISODate).toStdString();
  }
}

TEST(CalendarWeek, TheTurnOfTheYear) {
  EXPECT_EQ(CalendarWeekOf(QDate(2025, 12, 29)), (CalendarWeek{1, 2026}));  // the Monday of "1. KW" of 2026
  EXPECT_EQ(CalendarWeekOf(QDate(2025, 12, 30)), (CalendarWeek{1, 2026}));
  EXPECT_EQ(CalendarWeekOf(QDate(2021, 1, 3)), (CalendarWeek{53, 2020}));
  EXPECT_EQ(CalendarWeekOf(QDate(2022, 1, 2)), (CalendarWeek{52, 2021}));
  EXPECT_EQ(CalendarWeekOf(QDate()), (CalendarWeek{}));
}

TEST(WeekList, BeginsWithTheWeekOfTheFirstThursday) {
  const QDate later(2030, 1, 1);
  const std::vector<WeekEntry> weeks2026 = WeekList(2026, later);
  ASSERT_EQ(weeks2026.size(), 53u);
  EXPECT_EQ(weeks2026.front().text, "1. KW (29.12. - 4.1.)");
  EXPECT_EQ(weeks2026.front().monday, QDate(2025, 12, 29));
  EXPECT_EQ(weeks2026[9].text, "10. KW (2.3. - 8.3.)");
  EXPECT_EQ(weeks2026.back().text, "53. KW (28.12. - 3.1.)");  // its Sunday is 3 January

  const std::vector<WeekEntry> weeks2021 = WeekList(2021, later);
  ASSERT_EQ(weeks2021.size(), 52u);
  EXPECT_EQ(weeks2021.front().text, "1. KW (4.1. - 10.1.)");
  EXPECT_EQ(weeks2021.back().text, "52. KW (27.12. - 2.1.)");
  // Every entry's Monday lies in the week its number names.
  for (const auto* weeks : {&weeks2021, &weeks2026})
    for (size_t i = 0; i < weeks->size(); ++i) EXPECT_EQ(CalendarWeekOf((*weeks)[i].monday).week, int(i) + 1);
}

TEST(WeekList, TheCurrentYearEndsWithTheCurrentWeek) {
  const std::vector<WeekEntry> weeks = WeekList(2026, QDate(2026, 3, 4));  // a Wednesday of week 10
  ASSERT_EQ(weeks.size(), 10u);
  EXPECT_EQ(weeks.back().monday, QDate(2026, 3, 2));
  EXPECT_EQ(WeekList(2026, QDate(2026, 3, 2)).size(), 10u);  // on the Monday itself
  EXPECT_EQ(WeekList(2026, QDate(2026, 3, 1)).size(), 9u);
}

TEST(PeriodText, DaysOrTheCalendarWeek) {
  struct Case {
    QDate first;
    QDate last;
    const char* text;
  } cases[] = {
      {QDate(2026, 3, 2), QDate(2026, 3, 8), "10. KW"},
      {QDate(2026, 3, 2), QDate(2026, 3, 7), "Der Zeitraum umfasst 6 Tage"},
      {QDate(2026, 3, 3), QDate(2026, 3, 9), "Der Zeitraum umfasst 7 Tage"},  // Tuesday to Monday
      {QDate(2026, 3, 2), QDate(2026, 3, 2), "Der Zeitraum umfasst 1 Tag"},
      {QDate(2025, 12, 29), QDate(2026, 1, 4), "1. KW"},                    // not 53
      {QDate(2021, 1, 1), QDate(2021, 12, 31), "Der Zeitraum umfasst 365 Tage"},
  };
  for (const Case& c : cases) EXPECT_EQ(PeriodText(c.first, c.last), c.text);
}

// "KW" is a text of two characters; in English the week is a "CW" in the
// period text and in the week list alike.
TEST(PeriodText, TheCalendarWeekInEnglish) {
  const EnglishLanguage english(kShippedEnglishFile);
  EXPECT_EQ(PeriodText(QDate(2026, 3, 2), QDate(2026, 3, 8)), "10. CW");
  EXPECT_EQ(WeekList(2026, QDate(2026, 3, 9))[9].text, "10. CW (2.3. - 8.3.)");
}

TEST(StatisticsSelection, TextsOfBothModes) {
  StatisticsChoices material;
  material.materialMode = true;
  material.materialId = "[SDM-TEST-0001]";
  material.operatorAndPlant = "Schotterwerke Süd|12|Kieswerk Au|34";
  material.first = QDate(2021, 3, 1);
  material.last = QDate(2021, 3, 15);
  material.customerId = "K-1001";
  material.sievingKind = 1;
  EXPECT_EQ(FormatStatisticsSelection(material), "M|[SDM-TEST-0001]|12|34|20210301|20210315|0|0|0|K-1001|T|");

  StatisticsChoices period = material;
  period.materialMode = false;
  period.customerId.clear();
  period.sievingKind = 0;
  EXPECT_EQ(FormatStatisticsSelection(period), "T|12|12|34|20210301|20210315|0|0|0|||");
  period.sievingKind = 2;
  period.fixedFlags = false;
  EXPECT_EQ(FormatStatisticsSelection(period), "T|12|12|34|20210301|20210315|1|1|1||N|");
}
