#pragma once
// Tables for the tests of entry dialogs: the texts typed into a dialog's
// controls in order, and the values a record is expected to hold.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "platform/scripted_ui.h"
#include "records/versuch.h"

// Types each text into its control, one after the other, as a user would.
inline void TypeTexts(platform::DialogDriver& d, std::initializer_list<std::pair<int, std::string_view>> texts) {
  for (const auto& [id, text] : texts) d.SetText(id, text);
}

// One value of a record: field, part and the text expected there.
struct StoredValue {
  int field;
  int part;
  std::string text;
};

// Expects every value as listed; a mismatch names its field and part.
inline void ExpectValues(const CVersuch& record, std::initializer_list<StoredValue> values) {
  for (const StoredValue& v : values)
    EXPECT_EQ(record.GetValue(v.field, v.part), v.text) << "field " << v.field << ", part " << v.part;
}
