#include "records/sievehandoff.h"

#include "platform/textcodec.h"
#include "platform/textfile.h"
#include "records/recordfile.h"
#include "records/strutil.h"

namespace {

constexpr char kSieveKey[] = "VA_SIEBL";

// A value the sieve analysis owns: a whole field (part -1) or one "|" part.
struct OwnedValue {
  int field;
  int part;
};
constexpr OwnedValue kOwnedValues[] = {{3, -1}, {7, -1},  {8, -1},  {27, -1}, {4, 0},
                                       {10, 0}, {10, 1}, {18, 2}, {18, 9}, {18, 10}};

std::string OwnedText(const SieveHandOffLines& fields, const OwnedValue& value) {
  const std::string& text = fields[static_cast<size_t>(value.field)];
  return value.part < 0 ? text : StrGetField(text, '|', value.part);
}

std::string SieveStatus(const SieveHandOffLines& fields) {
  return TestStatusIn(StrGetField(fields[29], '|', 0), kSieveKey);
}

bool IsStatusCharacter(const std::string& status) {
  return status.size() == 1 && std::string_view("01789").find(status[0]) != std::string_view::npos;
}

}  // namespace

SieveHandOff MakeSieveHandOff(const CVersuch& record) {
  SieveHandOff handOff;
  for (int field = 0; field < CVersuch::kFieldCount; ++field) {
    std::string line;
    AppendFieldLine(line, record.GetFieldForStore(field));
    // The file gives back fewer CRs at a field's end than it was given (the
    // last goes with the line end): the hand-off holds none there.
    while (!line.empty() && line.back() == '\r') line.pop_back();
    handOff.fields[static_cast<size_t>(field)] = platform::FromCp1252(platform::ToCp1252(line));
  }
  handOff.recordId = handOff.fields[0];
  return handOff;
}

std::string FormatSieveHandOff(const SieveHandOffLines& fields) {
  std::string text;
  for (int field = 0; field < CVersuch::kFieldCount; ++field) {
    text += static_cast<char>('0' + field / 10);
    text += static_cast<char>('0' + field % 10);
    text += '~';
    text += fields[static_cast<size_t>(field)];
    text += '\n';
  }
  return text;
}

std::optional<SieveHandOffLines> ParseSieveHandOff(std::string_view text) {
  const std::vector<std::string> lines = platform::SplitLines(text);
  if (lines.size() != static_cast<size_t>(CVersuch::kFieldCount)) return std::nullopt;
  SieveHandOffLines fields;
  for (int field = 0; field < CVersuch::kFieldCount; ++field) {
    std::string_view line = lines[static_cast<size_t>(field)];
    // A sieve program writing bare line ends leaves no CR behind; one writing
    // CR LF itself inside our CR LF would.
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() < 3 || line[0] != '0' + field / 10 || line[1] != '0' + field % 10 || line[2] != '~')
      return std::nullopt;
    fields[static_cast<size_t>(field)] = std::string(line.substr(3));
  }
  return fields;
}

std::string TestStatusIn(const std::string& statusList, const std::string& testKey) {
  const std::string probe = "[" + testKey + ":";
  const size_t at = statusList.find(probe);
  if (at == std::string::npos) return {};
  const size_t start = at + probe.size();
  const size_t end = statusList.find(']', start);
  return statusList.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

bool SameSieveValues(const SieveHandOffLines& a, const SieveHandOffLines& b) {
  for (const OwnedValue& value : kOwnedValues)
    if (OwnedText(a, value) != OwnedText(b, value)) return false;
  return SieveStatus(a) == SieveStatus(b);
}

SieveReturn JudgeSieveReturn(const SieveHandOff& handedOff, const std::optional<std::string>& text,
                             SieveHandOffLines& returned) {
  if (!text) return SieveReturn::Damaged;
  std::optional<SieveHandOffLines> fields = ParseSieveHandOff(*text);
  if (!fields) return SieveReturn::Damaged;
  returned = std::move(*fields);
  if (returned[0] != handedOff.recordId) return SieveReturn::Foreign;
  return SameSieveValues(handedOff.fields, returned) ? SieveReturn::Unchanged : SieveReturn::Changed;
}

void TakeSieveValues(CVersuch& record, const SieveHandOffLines& returned) {
  // The file holds field 18 as the record file does; read it back the same way.
  SieveHandOffLines loaded = returned;
  CVersuch reader;
  reader.SetFieldOnLoad(18, returned[18]);
  loaded[18] = reader.GetField(18);
  for (const OwnedValue& value : kOwnedValues) {
    const std::string text = OwnedText(loaded, value);
    if (value.part < 0) record.SetField(value.field, text);
    // An equal part is left alone: setting it could add empty parts.
    else if (record.GetValue(value.field, value.part) != text) record.SetValue(value.field, value.part, text);
  }
  const std::string status = SieveStatus(returned);
  if (IsStatusCharacter(status)) record.UpdateTestStatus(kSieveKey, status);
}
