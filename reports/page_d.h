#pragma once
// The table of page D as data: its column and row grid, its cells and its
// grid lines (drawn by CDruckSeite::DrawAlkaliPage).
#include <vector>

#include "reports/celltemplate.h"

// x[0] = x0, then the columns 2000, 1500, 2500 and 1500 wide.
std::vector<int> AlkaliTableColumns(int x0);
// y[0] = top, then rows of 500 (600 where a block starts: rows 1, 5, 11, 21), 100 in all.
std::vector<int> AlkaliTableRows(int top);
const std::vector<TemplateCell>& AlkaliTableCells();
const std::vector<TemplateLine>& AlkaliTableLines();
