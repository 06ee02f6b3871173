#include "controls/materiallistctrl.h"

#include <QHeaderView>

#include "i18n/materialterms.h"
#include "i18n/translation.h"
#include "records/matdef.h"
#include "records/strutil.h"

namespace {

struct Column {
  const char* key;  // value key of CMatDef
  int textId;       // 0: the heading is not translated
  const char* heading;
  int width;        // -1: the list's default
};
constexpr Column kColumns[CMaterialListCtrl::kColumnCount] = {
    {"", 6441, "Status", -1},
    {"BEZEICHNUNG", 6442, "Bezeichnung", -1},
    {"SPEZ_1", 6443, "Materialart", -1},
    {"SPEZ_2", 6444, "Vorschrift", -1},
    {"SPEZ_3", 6445, "Prüfart", -1},
    {"ID", 0, "ID", -1},
    {"CTIME", 6446, "angelegt", 50},
    {"MTIME", 6447, "letzte Änderung", 50},
    {"GRUNDPR", 7452, "Grundpreis [€]", 50},
    {"GRUNDPRDAT", 7453, "vom", 50},
};

std::string ShownText(const CMatDef* definition, const std::string& key) {
  return definition && !key.empty() ? definition->GetShownText(key) : std::string();
}

}  // namespace

CMaterialListCtrl::CMaterialListCtrl(QWidget* parent) : CPersListCtrl(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(header(), &QHeaderView::sectionClicked, this, &CMaterialListCtrl::OnColumnClick);
}

CMaterialListCtrl::~CMaterialListCtrl() = default;

const char* CMaterialListCtrl::ColumnKey(int column) {
  return column >= 0 && column < kColumnCount ? kColumns[column].key : "";
}

void CMaterialListCtrl::InitColumns() {
  for (int c = 0; c < kColumnCount; ++c) {
    const Column& column = kColumns[c];
    InsertColumn(c, column.textId ? TranslateString(column.textId, column.heading) : column.heading, column.width);
  }
}

int CMaterialListCtrl::InsertMatDef(int index, CMatDef* definition) {
  const int row = InsertItem(index, "");
  for (int c = 1; c < kColumnCount; ++c) {
    const std::string key = kColumns[c].key;
    std::string text = definition ? definition->GetValue(key) : std::string();
    if (key == "SPEZ_1" || key == "SPEZ_3") text = MaterialTermText(text);
    SetItemText(row, c, text);
    if (definition) definition->SetShownText(kColumns[c].key, text);
  }
  SetItemData(row, reinterpret_cast<quintptr>(definition));
  return row;
}

int CMaterialListCtrl::InsertTextRow(int index, const std::string& text) {
  const int row = InsertItem(index, "");
  SetItemText(row, 1, text);
  SetItemData(row, 0);
  return row;
}

CMatDef* CMaterialListCtrl::MatDefAt(int row) const { return reinterpret_cast<CMatDef*>(GetItemData(row)); }

CMatDef* CMaterialListCtrl::GetSelectedMatDef() const {
  const std::vector<int> rows = SelectedRows();
  return rows.empty() ? nullptr : MatDefAt(rows.front());
}

std::array<int, CMaterialListCtrl::kColumnCount>& CMaterialListCtrl::Directions() {
  static std::array<int, kColumnCount> directions{};
  return directions;
}

int CMaterialListCtrl::SortDirection(int column) {
  return column >= 0 && column < kColumnCount ? Directions()[static_cast<size_t>(column)] : 0;
}

void CMaterialListCtrl::ResetSortDirections() { Directions().fill(0); }

int CMaterialListCtrl::CompareMatDefs(const CMatDef* a, const CMatDef* b, int value) {
  const int column = value % kAscending;
  const std::string key = column >= 1 && column < kColumnCount ? kColumns[column].key : "";
  if (key.empty()) return 0;
  const int order = value >= kAscending ? StrCompareNoCase(ShownText(a, key), ShownText(b, key))
                                        : StrCompareNoCase(ShownText(b, key), ShownText(a, key));
  return order < 0 ? -1 : order > 0 ? 1 : 0;
}

void CMaterialListCtrl::OnColumnClick(int column) {
  if (column < 0 || column >= kColumnCount) return;
  int& direction = Directions()[static_cast<size_t>(column)];
  direction = direction == 0 ? kAscending : 0;
  const int value = column + direction;
  SortRows([value](quintptr a, quintptr b) {
    return CompareMatDefs(reinterpret_cast<const CMatDef*>(a), reinterpret_cast<const CMatDef*>(b), value) < 0;
  });
}
