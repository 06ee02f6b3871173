#include "records/versuch.h"

// Field 10 holds one "|" part per test that feeds the statistics export.
void CVersuch::SetStatisticsValue(int part, const std::string& value) { SetValue(10, part, value); }
