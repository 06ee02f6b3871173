#include "shell/statistics/statisticsperiod.h"

#include "i18n/translation.h"
#include "records/strutil.h"

namespace {

int WeekNumberInYear(const QDate& date) { return (date.dayOfYear() - date.dayOfWeek() + 10) / 7; }

// The number of weeks of a year: 28 December always lies in its last week.
int WeeksInYear(int year) { return WeekNumberInYear(QDate(year, 12, 28)); }

}  // namespace

CalendarWeek CalendarWeekOf(const QDate& date) {
  if (!date.isValid()) return {};
  const int week = WeekNumberInYear(date);
  if (week < 1) return {WeeksInYear(date.year() - 1), date.year() - 1};
  if (week > WeeksInYear(date.year())) return {1, date.year() + 1};
  return {week, date.year()};
}

std::vector<WeekEntry> WeekList(int year, const QDate& today) {
  std::vector<WeekEntry> weeks;
  const QDate january1(year, 1, 1);
  const int weekday = january1.dayOfWeek();
  QDate monday = january1.addDays(-(weekday - 1));
  if (weekday >= 5) monday = monday.addDays(7);
  const std::string week = ". " + TranslateString(5344, "KW") + " (";
  for (int n = 1; monday.year() <= year; ++n, monday = monday.addDays(7)) {
    const QDate sunday = monday.addDays(6);
    if ((sunday.year() > year && sunday.dayOfYear() >= 4) || monday > today) break;
    weeks.push_back({monday, std::to_string(n) + week + std::to_string(monday.day()) + "." +
                                 std::to_string(monday.month()) + ". - " + std::to_string(sunday.day()) + "." +
                                 std::to_string(sunday.month()) + ".)"});
  }
  return weeks;
}

std::string PeriodText(const QDate& first, const QDate& last) {
  const qint64 days = first.daysTo(last);
  if (days == 6 && first.dayOfWeek() == 1 && last.dayOfWeek() == 7)
    return std::to_string(CalendarWeekOf(first).week) + ". " + TranslateString(5344, "KW");
  return TranslateString(5341, "Der Zeitraum umfasst") + " " + std::to_string(days + 1) + " " +
         (days == 0 ? TranslateString(5342, "Tag") : TranslateString(5343, "Tage"));
}

std::string FormatStatisticsSelection(const StatisticsChoices& c) {
  std::string text = c.materialMode ? "M|" + c.materialId : std::string("T|12");
  text += "|" + StrGetField(c.operatorAndPlant, '|', 1) + "|" + StrGetField(c.operatorAndPlant, '|', 3);
  text += "|" + c.first.toString("yyyyMMdd").toStdString() + "|" + c.last.toString("yyyyMMdd").toStdString();
  text += c.fixedFlags ? "|0|0|0" : "|1|1|1";
  text += "|" + c.customerId + "|";
  return text + (c.sievingKind == 1 ? "T|" : c.sievingKind == 2 ? "N|" : "|");
}
