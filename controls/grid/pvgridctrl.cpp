#include "controls/grid/pvgridctrl.h"

#include <QFontMetrics>
#include <QStringList>

#include "controls/columnwidth.h"
#include "controls/restokenlist.h"
#include "platform/dialog.h"
#include "records/numberinput.h"
#include "records/strutil.h"

CPvGridCtrl::CPvGridCtrl(QWidget* parent) : CGridCtrl(0, 0, 0, 0, parent) {}

bool CPvGridCtrl::InitGrid(int columns, int rows, int fixedRows) {
  modified_ = true;
  SetRedraw(false, false);
  SetEditable(true);
  SetListMode(false);
  EnableDragAndDrop(true);
  SetHandleTabKey(false);
  GetDefaultCell(false, false)->SetBackClr(kCellBack);
  SetGridBkColor(kGridBack);
  SetColumnCount(columns);
  SetRowCount(rows);
  SetFixedRowCount(fixedRows);
  return SetFixedColumnCount(1);
}

void CPvGridCtrl::SetHeaderRows(std::span<const int> widths, int textId1, int textId2, int textId3) {
  const int ids[3] = {textId1, textId2, textId3};
  std::optional<CResTokenList> lists[3];
  for (int i = 0; i < 3; ++i)
    if (ids[i] > 0) lists[i].emplace(ids[i], '\t');
  std::size_t w = 0;
  const auto width = [&](std::size_t i) { return i < widths.size() ? widths[i] : 0; };
  const QFontMetrics metrics(font());
  for (int col = 0; col < GetColumnCount(); ++col) {
    QStringList heading;
    for (int row = 0; row < 3; ++row) {
      if (!lists[row]) continue;
      SetCellText(row, col, lists[row]->GetNextToken());
      heading << QString::fromStdString(GetItemText(row, col));
    }
    if (width(w) == 0) continue;
    // Given for the Windows font: fitted to this one and to the heading.
    SetColumnWidth(col, FitColumnWidth(width(w), metrics, heading.join(u'\n')));
    if (width(w + 1) != 0) ++w;
  }
}

bool CPvGridCtrl::SetCellText(int row, int col, std::string_view text) {
  if (GetItemText(row, col) == text) return true;
  return SetItemText(row, col, text);
}

void CPvGridCtrl::SetCellEditable(int row, int col, bool editable, const char* text) {
  const unsigned state = GetItemState(row, col);
  if (editable) {
    SetItemState(row, col, state & ~GVIS_READONLY);
    SetItemBkColour(row, col, CLR_DEFAULT);
  } else {
    SetItemState(row, col, state | GVIS_READONLY);
    SetItemBkColour(row, col, kReadOnlyBack);
  }
  if (text) SetCellText(row, col, text);
}

double CPvGridCtrl::GetCellNumber(int row, int col, int decimals) {
  const std::string text = GetItemText(row, col);
  std::string normalised = text;
  const double value = NormalizeNumber(normalised, decimals, kStoredNumber).value;
  if (normalised != text) SetCellText(row, col, normalised);
  return value;
}

void CPvGridCtrl::OnKeyDown(unsigned key, unsigned repeat, unsigned flags) {
  CGridCtrl::OnKeyDown(key, repeat, flags);
  if (IsCtrlDown() && key == 'U') platform::SendCommandToTopLevel(this, kCommandCtrlU);
}
