#include "records/transfer.h"

#include <unordered_set>

#include "platform/files.h"
#include "platform/textcodec.h"
#include "records/markup.h"
#include "records/recordfile.h"

namespace {

constexpr char kVersion[] = "0.0.1";
constexpr char kCreatedElement[] = "ERSTELLUNGSZEITPUNKT";
constexpr char kOriginalFileElement[] = "ORIGINAL_DATEI";
constexpr char kListElement[] = "PRUEFUNGSLISTE";
constexpr char kRecordElement[] = "PRUEFUNG";
// A record text is read no further than this many lines.
constexpr int kMaxRecordLines = 100;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string BuildRecordFile(std::string_view root, const std::vector<const CVersuch*>& records,
                            std::string_view created, const std::string_view* originalFile, bool leadingLineEnd) {
  CMarkup xml;
  xml.AddElem(root);
  xml.AddAttrib("version", kVersion);
  xml.AddChildElem(kCreatedElement, created);
  if (originalFile) xml.AddChildElem(kOriginalFileElement, *originalFile);
  xml.AddChildElem(kListElement);
  xml.IntoElem();
  for (const CVersuch* record : records) {
    if (!record) continue;
    xml.AddChildElem(kRecordElement, RecordText(*record, leadingLineEnd));
    xml.AddChildAttrib("ID", record->GetValue(0, 0));
    xml.AddChildAttrib("NR", record->GetValue(1, 0));
  }
  std::string file = kXmlDeclaration;
  file += "\r\n\r\n";
  file += xml.GetDoc();
  return file;
}

}  // namespace

std::string RecordText(const CVersuch& record, bool leadingLineEnd) {
  std::string text;
  if (leadingLineEnd) text = "\r\n";
  for (int field = 0; field < CVersuch::kFieldCount; ++field) {
    const char prefix[] = {static_cast<char>('0' + field / 10), static_cast<char>('0' + field % 10), '~'};
    text.append(prefix, sizeof prefix);
    AppendFieldLine(text, record.GetFieldForStore(field));
    text += "\r\n";
  }
  return text;
}

std::array<std::string, CVersuch::kFieldCount> ParseRecordFields(std::string_view text) {
  std::array<std::string, CVersuch::kFieldCount> fields;
  size_t pos = 0;
  for (int lineNumber = 0; lineNumber < kMaxRecordLines && pos <= text.size(); ++lineNumber) {
    const size_t feed = text.find('\n', pos);
    std::string_view line = text.substr(pos, feed == std::string_view::npos ? std::string_view::npos : feed - pos);
    pos = feed == std::string_view::npos ? text.size() + 1 : feed + 1;
    // Only the line end and the indentation go; a value keeps its blanks.
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    while (!line.empty() && IsSpace(line.front())) line.remove_prefix(1);
    if (line.size() < 3 || line[2] != '~' || !IsDigit(line[0]) || !IsDigit(line[1])) continue;
    const int field = (line[0] - '0') * 10 + (line[1] - '0');
    if (field >= CVersuch::kFieldCount) continue;
    fields[static_cast<size_t>(field)] = std::string(line.substr(3));
    if (field == CVersuch::kFieldCount - 1) break;
  }
  return fields;
}

std::unique_ptr<CVersuch> RecordFromText(std::string_view text) {
  auto record = std::make_unique<CVersuch>();
  const auto fields = ParseRecordFields(text);
  for (int field = 0; field < CVersuch::kFieldCount; ++field)
    record->SetFieldOnLoad(field, fields[static_cast<size_t>(field)]);
  return record;
}

std::string BuildTransferFile(const std::vector<const CVersuch*>& records, std::string_view created,
                              std::string_view originalFile) {
  return BuildRecordFile(kTransferRoot, records, created, &originalFile, true);
}

std::string BuildArchiveFile(const std::vector<const CVersuch*>& records, std::string_view created) {
  return BuildRecordFile(kArchiveRoot, records, created, nullptr, false);
}

RecordDocument ReadRecordDocument(std::string_view text, std::string_view root,
                                  const std::function<bool(const std::string& id)>& isKnownId) {
  RecordDocument result;
  CMarkup xml;
  if (!xml.SetDoc(text)) {
    result.error = RecordDocumentError::kSetDoc;
    return result;
  }
  if (!xml.FindElem(root)) {
    result.error = RecordDocumentError::kFindRoot;
    return result;
  }
  if (!xml.FindChildElem(kListElement)) {
    result.error = RecordDocumentError::kFindList;
    return result;
  }
  xml.IntoElem();
  // The IDs taken from this file, so that a second record with one of them is skipped.
  std::unordered_set<std::string> taken;
  while (xml.FindChildElem(kRecordElement)) {
    // The record's own ID decides, not the element's attribute: that is what the list will hold.
    std::unique_ptr<CVersuch> record = RecordFromText(xml.GetDataAt(xml.ChildPosition()));
    const std::string id = record->GetValue(0, 0);
    if (id.empty() || taken.count(id) || (isKnownId && isKnownId(id))) {
      ++result.skipped;
      continue;
    }
    taken.insert(id);
    result.records.push_back(std::move(record));
  }
  return result;
}

std::string RecordDocumentErrorText(RecordDocumentError error, std::string_view root) {
  switch (error) {
    case RecordDocumentError::kNone:
      return {};
    case RecordDocumentError::kSetDoc:
      return "xml.SetDoc() Error";
    case RecordDocumentError::kFindRoot:
      return "xml.FindElem(''" + std::string(root) + "'') Error";
    case RecordDocumentError::kFindList:
      return std::string("xml.FindChildElem(''") + kListElement + "'') Error";
  }
  return {};
}

bool WriteRecordDocument(const std::filesystem::path& path, std::string_view text) {
  return platform::WriteFileAtomic(path, platform::ToCp1252(text));
}
