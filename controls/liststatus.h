#pragma once
// What the main test list draws for one record, as plain data: the colours
// and rectangles of the status bars, the record marks and their places, the
// row colours, the remark popup's texts and the hover rule of the popup. The
// list control paints these; tests check them without a screen.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/drawtypes.h"

class CVersuch;

namespace liststatus {

using platform::ColorRef;
using platform::Point;
using platform::Rect;

// The status of one key in a record's status list: the five test statuses,
// kNotInRecord when the key does not occur, kUnknown when it occurs with a
// character that is none of the five.
inline constexpr int kNotInRecord = -1;
inline constexpr int kUnknown = -2;

// The test keys of the status column, one bar each: 15 for normal records,
// 9 for track-ballast records.
const std::vector<std::string>& NormalListKeys();
const std::vector<std::string>& BallastListKeys();
const std::vector<std::string>& ListKeysFor(bool ballast);

// The status of `key` in a status list such as "[VA_GRUND:8][VA_SIEBL:0]":
// 0, 1, 7, 8 or 9, else kNotInRecord or kUnknown.
int KeyStatus(const std::string& statusList, const std::string& key);

// One bar: a solid fill, and for a hollow bar a second fill inside it.
struct Bar {
  Rect rect;
  ColorRef fill = 0;
  std::optional<Rect> inner;
  ColorRef innerFill = 0;
  bool operator==(const Bar&) const = default;
};

inline constexpr ColorRef kGrey = platform::RGB(191, 191, 191);
inline constexpr ColorRef kGreen = platform::RGB(0, 191, 0);
inline constexpr ColorRef kRed = platform::RGB(255, 0, 0);
inline constexpr ColorRef kOrange = platform::RGB(255, 128, 0);
inline constexpr ColorRef kBlack = platform::RGB(0, 0, 0);
inline constexpr ColorRef kWhite = platform::RGB(255, 255, 255);

// The bar of a status at x within a cell from top to bottom: 5 pixels wide,
// 3 pixels free above and below. An unknown status is grey like a test the
// record does not have; 7 is orange.
Bar ResultBar(int x, int top, int bottom, int status);
// Bar k of a status cell stands at cell left + 3 + 7k.
inline constexpr int kBarFirstOffset = 3;
inline constexpr int kBarPitch = 7;
// All bars of a record's status cell.
std::vector<Bar> StatusBars(const std::string& statusList, bool ballast, const Rect& cell);

// The record marks behind the bars, read from the record.
struct RecordMarks {
  bool noStatistics = false;  // field 1 part 4 is "0"
  int checkMark = 0;          // field 18 part 7: 0 none, 1 tick, other exclamation mark
  bool remark = false;        // field 1 part 21 is not empty
  bool numberHighlight = false;  // field 18 part 3 is "1"
};
RecordMarks MarksOf(const CVersuch& record);

// Distances of the marks from the status cell's left edge.
inline constexpr int kNoStatisticsOffset = 110;
inline constexpr int kCheckMarkOffset = 135;
inline constexpr int kRemarkOffset = 150;
// The remark stripe that opens the popup: from +150 to +162 inclusive.
inline constexpr int kRemarkStripeEnd = 162;
inline constexpr int kNoStatisticsStrikeLength = 22;
inline constexpr ColorRef kStrikeColor = platform::RGB(255, 0, 0);
inline constexpr ColorRef kRemarkColor = platform::RGB(63, 63, 255);
inline constexpr const char* kNoStatisticsText = "Stat";
// The translated remark mark ("i.B.").
std::string RemarkMarkText();

// The polygons of the check mark at x, vertically centred between top and
// bottom, with their colour; empty for value 0.
struct CheckMarkShape {
  ColorRef color = 0;
  std::vector<std::vector<Point>> polygons;
};
CheckMarkShape CheckMark(int value, int x, int top, int bottom);

// Row colours.
inline constexpr ColorRef kNumberHighlight = platform::RGB(0, 255, 255);
inline constexpr ColorRef kSeparatorColor = platform::RGB(191, 191, 191);
inline constexpr ColorRef kBallastMaterialText = platform::RGB(0, 0, 255);
// The fill of a row: white unless selected; a selected row is darker when it
// is the record that was last selected alone (its selection flag).
ColorRef RowFill(bool selected, bool recordSelectionFlag);

// The popup's header (test number, two blanks, material name) and remark
// (stored line breaks "#CRLF#" as real ones, trailing white space removed).
struct RemarkTexts {
  std::string header;
  std::string remark;
};
RemarkTexts RemarkTextsOf(const CVersuch& record);

// What a mouse move over the list does to the remark popup.
struct RemarkHover {
  enum Action {
    kForget,      // forget the row, leave the popup as it is
    kHide,        // forget the row and hide the popup
    kKeep,        // same row: nothing moves or changes
    kShow,        // show the row's remark near the cursor
  };
  Action action = kForget;
  int row = -1;
};
// row: the row under the mouse (-1 or >= rowCount when below the rows);
// xInCell: the mouse x minus the status cell's left edge.
RemarkHover RemarkHoverFor(int row, int rowCount, int xInCell, int rememberedRow);

// Scaling of the list's font and rows: percent of a font height (halves away
// from zero) and of a row height (truncated; 100 keeps it).
int ScaleFontHeight(int percent, int height);
int ScaleRowHeight(int percent, int baseHeight);

}  // namespace liststatus
