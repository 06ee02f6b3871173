#pragma once
// The table tests of impossible inputs, one per entry dialog: the values are
// typed field by field as a user would; the last one brings the refusal. The
// message names the field, the field keeps what was typed, the focus is back
// on it, no face shows, and OK stores nothing while it stands.
//
//   const ImpossibleInput cases[] = {
//       {"FinalAboveInitial", {{Dlg::kInitial4050, "1000"}, {Dlg::kFinal4050, "1080"}}, Dlg::kFinal4050,
//        "Rückwaage [g], 40 - 50: Die Rückwaage liegt über"},
//   };
//   for (const auto& c : cases)
//     ExpectRefused<Dlg>(c, [&] { return EditCrystallisation(record, nullptr); }, NoFace);
#include <gtest/gtest.h>

#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "evaluation/frame/entrydialog.h"
#include "services/appflags.h"
#include "support/scripted_ui_gtest.h"

struct ImpossibleInput {
  const char* name;
  std::vector<std::pair<int, std::string>> typed;  // in order; the last one is refused
  int field;             // the field the message names and the focus returns to
  std::string says;         // the beginning of the message: the field's name and more
  std::string reason = {};  // another part of it
  std::string kept = {};    // what the field shows afterwards; empty: the text typed into it
};

// The field's text as the last typing into it left it.
inline std::string TypedInto(const ImpossibleInput& c) {
  if (!c.kept.empty()) return c.kept;
  std::string text;
  for (const auto& [id, typed] : c.typed)
    if (id == c.field) text = typed;
  return text;
}

// Runs the case in the dialog that `edit` opens; `noVerdict` looks at the
// open dialog (faces, results) after the refusal.
template <class Dialog, class Edit>
void ExpectRefused(const ImpossibleInput& c, Edit edit,
                   const std::function<void(platform::DialogDriver&)>& noVerdict = {}) {
  SCOPED_TRACE(c.name);
  SetEditAllowed(true);
  platform::TestUi ui;
  ui.ExpectDialog(Dialog::kTemplateId, [&](platform::DialogDriver& d) {
    for (size_t i = 0; i + 1 < c.typed.size(); ++i) d.SetText(c.typed[i].first, c.typed[i].second);
    ui.ExpectMessageBox(platform::IDOK, c.says);
    d.SetText(c.typed.back().first, c.typed.back().second);
    ASSERT_FALSE(ui.shown().empty());
    const std::string told = ui.shown().back().text;
    EXPECT_EQ(told.rfind(c.says, 0), 0u) << told;
    EXPECT_NE(told.find(c.reason), std::string::npos) << told;
    auto& dialog = static_cast<Dialog&>(d.dialog());
    EXPECT_EQ(dialog.Checks().LastNamedField(), c.field);
    EXPECT_EQ(dialog.focusWidget(), dialog.GetDlgItem(c.field));
    EXPECT_EQ(d.Text(c.field), TypedInto(c));
    EXPECT_FALSE(dialog.Checks().Refusal(c.field).empty());
    if (noVerdict) noVerdict(d);
    // OK tells it again and stays open.
    ui.ExpectMessageBox(platform::IDOK, c.says);
    EXPECT_FALSE(d.Press(platform::IDOK));
  }, platform::IDCANCEL);
  const auto stored = edit();
  ui.VerifyAllShown();
  EXPECT_FALSE(stored);
}

// The number faults every number field refuses, with what their message says.
struct NumberSlip {
  const char* name;
  const char* text;
  const char* says;
};
inline const std::vector<NumberSlip>& NumberSlips() {
  static const std::vector<NumberSlip> slips = {
      {"Letters", "abc", "\"abc\" ist keine Zahl"},
      {"Negative", "-5", "negativer Wert"},
      {"Exponent", "1e5", "\"1e5\" ist keine Zahl"},
      {"HugeExponent", "1e300", "\"1e300\" ist keine Zahl"},
      {"TwoPoints", "1.2.3", "\"1.2.3\" ist keine Zahl"},
      {"TooManyDigits", "123456789", "123456789 hat mehr Stellen vor dem Komma"},
  };
  return slips;
}

// Every slip of NumberSlips typed into the field, after the values typed first.
template <class Dialog, class Edit>
void ExpectNumberSlipsRefused(int field, const std::string& name, const std::vector<std::pair<int, std::string>>& before,
                              Edit edit, const std::function<void(platform::DialogDriver&)>& noVerdict = {}) {
  for (const NumberSlip& slip : NumberSlips()) {
    ImpossibleInput c{slip.name, before, field, name + ": Bitte eine Zahl eingeben.", slip.says};
    c.typed.push_back({field, slip.text});
    ExpectRefused<Dialog>(c, edit, noVerdict);
  }
}
