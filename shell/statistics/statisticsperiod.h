#pragma once
// The plain rules of the statistics dialog: calendar weeks (ISO 8601, the
// weeks the week picker lists), the week list of a year, the text that
// describes the chosen period and the selection text the dialog returns.
#include <QDate>
#include <string>
#include <vector>

struct CalendarWeek {
  int week = 0;
  int year = 0;
  bool operator==(const CalendarWeek&) const = default;
};
// The ISO week: weeks begin on Monday, week 1 holds the first Thursday, so
// the last days of December may belong to week 1 of the next year and the
// first days of January to the last week of the year before.
CalendarWeek CalendarWeekOf(const QDate& date);

struct WeekEntry {
  QDate monday;
  std::string text;  // "%d. KW (%d.%d. - %d.%d.)"
};
// The weeks of a year from week 1 on, up to the last week of the year, or up
// to the week of `today` in its own year.
std::vector<WeekEntry> WeekList(int year, const QDate& today);

// "Der Zeitraum umfasst n Tage" (or "1 Tag"); a Monday to the Sunday after it
// is "n. KW".
std::string PeriodText(const QDate& first, const QDate& last);

// The choices of the statistics dialog.
struct StatisticsChoices {
  bool materialMode = false;
  std::string materialId;
  // Operator name, operator number, plant name and plant number joined by "|".
  std::string operatorAndPlant;
  QDate first;
  QDate last;
  bool fixedFlags = true;  // the three monitoring flags "0|0|0", else "1|1|1"
  std::string customerId;
  int sievingKind = 0;  // 0 all, 1 dry, 2 wet
};
// The StatisticsSelection text (see records/statisticsfile.h); it always
// ends with "|".
std::string FormatStatisticsSelection(const StatisticsChoices& choices);
