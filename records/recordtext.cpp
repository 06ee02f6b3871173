#include "records/recordtext.h"

#include "records/strutil.h"
#include "records/versuch.h"

std::string RecordToRawText(const CVersuch& record) {
  std::string text;
  for (int field = 0; field < CVersuch::kFieldCount; ++field) text += record.GetField(field) + "\r\n";
  return text;
}

void ApplyRawText(CVersuch& record, std::string text) {
  StrReplace(text, "\r", "");
  size_t begin = 0;
  for (int field = 0; field < CVersuch::kFieldCount; ++field) {
    if (begin > text.size()) {
      record.SetField(field, "");
      continue;
    }
    size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    record.SetField(field, text.substr(begin, end - begin));
    begin = end + 1;
  }
}
