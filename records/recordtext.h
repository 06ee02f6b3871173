#pragma once
// A record as plain text for the raw record editor: its 33 fields, field 0
// first, each followed by "\r\n".
#include <string>

class CVersuch;

std::string RecordToRawText(const CVersuch& record);
// Takes the text back: every "\r" removed, line i becomes field i (a missing
// line empties the field, lines beyond the 33rd are ignored). Nothing is
// checked.
void ApplyRawText(CVersuch& record, std::string text);
