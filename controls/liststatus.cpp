#include "controls/liststatus.h"

#include "i18n/translation.h"
#include "records/strutil.h"
#include "records/versuch.h"

namespace liststatus {

const std::vector<std::string>& NormalListKeys() {
  static const std::vector<std::string> keys = {
      "VA_GRUND", "VA_SIEBL",  "VA_KORNF",   "VA_PLATT",  "VA_ORGAN",
      "VA_BRUCH", "VA_PETRO",  "VA_RCZUS",   "VA_WASSERG", "VA_SANDEQ",
      "VA_FLIESSK", "VA_ALKALI", "VA_ROHDI", "VA_WBS",    "VA_100MM"};
  return keys;
}

const std::vector<std::string>& BallastListKeys() {
  static const std::vector<std::string> keys = {
      "VA_GRUND",          "VA_SIEBL",     "VA_GS_KORNFORM",   "VA_GS_PLATTIGKEIT", "VA_GS_WASSER",
      "VA_GS_KRISTALL",    "VA_GS_LAENGER100", "VA_GS_REINHEIT", "VA_GS_UMWELT"};
  return keys;
}

const std::vector<std::string>& ListKeysFor(bool ballast) {
  return ballast ? BallastListKeys() : NormalListKeys();
}

int KeyStatus(const std::string& statusList, const std::string& key) {
  if (key.empty() || statusList.find(key) == std::string::npos) return kNotInRecord;
  // The first status found wins, in this order, wherever it stands in the list.
  for (char status : {TestStatus::Incomplete, TestStatus::DoneNoRequirement, TestStatus::MetWithRemark,
                      TestStatus::Met, TestStatus::NotMet}) {
    if (statusList.find(key + ':' + status) != std::string::npos) return status - '0';
  }
  return kUnknown;
}

Bar ResultBar(int x, int top, int bottom, int status) {
  Bar bar;
  bar.rect = Rect{x, top + 3, x + 5, bottom - 3};
  switch (status) {
    case 0:  // hollow: a black frame around white
      bar.fill = kBlack;
      bar.inner = Rect{bar.rect.left + 1, bar.rect.top + 1, bar.rect.right - 1, bar.rect.bottom - 1};
      bar.innerFill = kWhite;
      break;
    case 1: bar.fill = kBlack; break;
    case 7: bar.fill = kOrange; break;
    case 8: bar.fill = kGreen; break;
    case 9: bar.fill = kRed; break;
    default: bar.fill = kGrey; break;  // not part of the record, or a status we do not know
  }
  return bar;
}

std::vector<Bar> StatusBars(const std::string& statusList, bool ballast, const Rect& cell) {
  const auto& keys = ListKeysFor(ballast);
  std::vector<Bar> bars;
  bars.reserve(keys.size());
  for (size_t k = 0; k < keys.size(); ++k) {
    const int x = cell.left + kBarFirstOffset + kBarPitch * static_cast<int>(k);
    bars.push_back(ResultBar(x, cell.top, cell.bottom, KeyStatus(statusList, keys[k])));
  }
  return bars;
}

RecordMarks MarksOf(const CVersuch& record) {
  RecordMarks marks;
  marks.noStatistics = record.GetValue(1, 4) == "0";
  marks.checkMark = PlainAtoi(record.GetValue(18, 7));
  marks.remark = !record.GetValue(1, 21).empty();
  marks.numberHighlight = record.GetValue(18, 3) == "1";
  return marks;
}

std::string RemarkMarkText() { return TranslateString(5100, "i.B."); }

CheckMarkShape CheckMark(int value, int x, int top, int bottom) {
  CheckMarkShape shape;
  if (value == 0) return shape;
  const int ym = (top + bottom) / 2;
  if (value == 1) {
    shape.color = platform::RGB(0, 127, 0);
    shape.polygons.push_back({{x, ym + 3}, {x, ym}, {x + 3, ym + 3}, {x + 9, ym - 6},
                              {x + 9, ym - 3}, {x + 3, ym + 6}, {x, ym + 3}});
  } else {
    shape.color = platform::RGB(191, 0, 0);
    shape.polygons.push_back({{x + 3, ym - 6}, {x + 4, ym + 1}, {x + 6, ym + 1}, {x + 7, ym - 6}});
    shape.polygons.push_back({{x + 4, ym + 3}, {x + 4, ym + 6}, {x + 6, ym + 6}, {x + 6, ym + 3}});
  }
  return shape;
}

ColorRef RowFill(bool selected, bool recordSelectionFlag) {
  if (!selected) return kWhite;
  return recordSelectionFlag ? platform::RGB(192, 192, 80) : platform::RGB(255, 255, 127);
}

RemarkTexts RemarkTextsOf(const CVersuch& record) {
  RemarkTexts texts;
  std::string remark = record.GetValue(1, 21);
  StrReplace(remark, "#CRLF#", "\n");
  const size_t end = remark.find_last_not_of(" \t\r\n");
  texts.remark = end == std::string::npos ? std::string() : remark.substr(0, end + 1);
  texts.header = record.GetValue(1, 0) + "  " + record.GetValue(18, 0);
  return texts;
}

RemarkHover RemarkHoverFor(int row, int rowCount, int xInCell, int rememberedRow) {
  if (row < 0 || row >= rowCount) return {RemarkHover::kForget, -1};
  if (xInCell < kRemarkOffset || xInCell > kRemarkStripeEnd) return {RemarkHover::kHide, -1};
  if (row == rememberedRow) return {RemarkHover::kKeep, row};
  return {RemarkHover::kShow, row};
}

int ScaleFontHeight(int percent, int height) {
  const long long p = static_cast<long long>(percent) * height;
  return static_cast<int>(p < 0 ? (p - 50) / 100 : (p + 50) / 100);
}

int ScaleRowHeight(int percent, int baseHeight) {
  if (percent == 100 || percent <= 0 || baseHeight <= 0) return baseHeight;
  return static_cast<int>(static_cast<unsigned>(percent) * static_cast<unsigned>(baseHeight) / 100u);
}

}  // namespace liststatus
