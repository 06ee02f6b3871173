#pragma once
// The entry of the armourstone test ("VA_WBS"): a record without an entry
// first chooses between the size and the mass distribution; a record with
// one opens its sheet directly. The sheet works on a copy of record field 26;
// OK gives the new field as the result when it differs from the record's,
// Apply stores it at once through the commit and keeps the sheet open.
// Opened for looking only, nothing can be stored.
#include <optional>

#include "evaluation/frame/testentryframe.h"

std::optional<TestEntryResult> EditArmourstone(CVersuch& record, QWidget* parent, const TestEntryCommit& commit);
