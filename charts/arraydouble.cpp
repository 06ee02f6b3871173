#include "charts/arraydouble.h"

#include <algorithm>

#include "records/strutil.h"

void CArrayDouble::SetFromText(const std::string& text, char separator) {
  const int fields = StrCountFields(text, separator);
  SetSize(fields);
  int stored = 0;
  for (int i = 0; i < fields; ++i) {
    std::string field = StrGetField(text, separator, i);
    if (field.empty()) continue;
    data_[static_cast<size_t>(stored++)] = PlainAtof(field);
  }
  SetSize(stored);
}

void CArrayDouble::Sort() { std::sort(data_.begin(), data_.end()); }
