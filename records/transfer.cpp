#include "records/transfer.h"

#include <algorithm>
#include <unordered_set>

#include "platform/files.h"
#include "platform/heap.h"
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

// The record text appended, as element content with "<", "&" and ">"
// escaped when asked (the prefixes and line ends need none, so escaping
// field by field gives the escaped whole).
void AppendRecordText(std::string& out, const CVersuch& record, bool leadingLineEnd, bool escaped) {
  if (leadingLineEnd) out += "\r\n";
  std::string line;
  for (int field = 0; field < CVersuch::kFieldCount; ++field) {
    const char prefix[] = {static_cast<char>('0' + field / 10), static_cast<char>('0' + field % 10), '~'};
    out.append(prefix, sizeof prefix);
    line.clear();
    AppendFieldLine(line, field == 18 ? record.GetFieldForStore(field) : record.GetField(field));
    if (escaped) CMarkup::AppendEscaped(out, line, false);
    else out += line;
    out += "\r\n";
  }
}

// "<name/>" or "<name>value</name>" on a line of its own, as CMarkup
// writes an element.
void AppendElement(std::string& out, std::string_view name, std::string_view value) {
  out += '<';
  out += name;
  if (value.empty()) {
    out += "/>\r\n";
    return;
  }
  out += '>';
  CMarkup::AppendEscaped(out, value, false);
  out += "</";
  out += name;
  out += ">\r\n";
}

// The file text in pieces of about `pieceSize` (UTF-8), appended in document
// order: the same bytes CMarkup's AddElem, AddChildElem and the attributes
// give, without inserting into a document.
bool ProduceRecordFile(std::string_view root, const std::vector<const CVersuch*>& records, std::string_view created,
                       const std::string_view* originalFile, bool leadingLineEnd, size_t pieceSize,
                       const std::function<bool(std::string_view)>& piece) {
  std::string out;
  out.reserve(pieceSize + pieceSize / 4);
  out += kXmlDeclaration;
  out += "\r\n\r\n<";
  out += root;
  out += " version=\"";
  out += kVersion;
  out += "\">\r\n";
  AppendElement(out, kCreatedElement, created);
  if (originalFile) AppendElement(out, kOriginalFileElement, *originalFile);
  const bool any = std::any_of(records.begin(), records.end(), [](const CVersuch* record) { return record; });
  if (!any) {
    AppendElement(out, kListElement, {});
  } else {
    out += "<";
    out += kListElement;
    out += ">\r\n";
    for (const CVersuch* record : records) {
      if (!record) continue;
      // "<PRUEFUNG ID=.. NR=..>", the record text, "</PRUEFUNG>": a record
      // text is never empty.
      const std::string id = record->GetValue(0, 0), number = record->GetValue(1, 0);
      out += "<";
      out += kRecordElement;
      out += " ID=\"";
      CMarkup::AppendEscaped(out, id, true);
      out += "\" NR=\"";
      CMarkup::AppendEscaped(out, number, true);
      out += "\">";
      AppendRecordText(out, *record, leadingLineEnd, true);
      out += "</";
      out += kRecordElement;
      out += ">\r\n";
      if (out.size() >= pieceSize) {
        if (!piece(out)) return false;
        out.clear();
      }
    }
    out += "</";
    out += kListElement;
    out += ">\r\n";
  }
  out += "</";
  out += root;
  out += ">\r\n";
  return piece(out);
}

std::string BuildRecordFile(std::string_view root, const std::vector<const CVersuch*>& records,
                            std::string_view created, const std::string_view* originalFile, bool leadingLineEnd) {
  std::string file;
  ProduceRecordFile(root, records, created, originalFile, leadingLineEnd, 1 << 20, [&file](std::string_view piece) {
    file += piece;
    return true;
  });
  return file;
}

bool WriteRecordFile(const std::filesystem::path& path, std::string_view root,
                     const std::vector<const CVersuch*>& records, std::string_view created,
                     const std::string_view* originalFile, bool leadingLineEnd) {
  return platform::WriteFileAtomic(path, [&](const platform::PieceWriter& write) {
    // One buffer for every piece's bytes: fresh memory for each would cost
    // page faults on every piece.
    std::string bytes;
    return ProduceRecordFile(root, records, created, originalFile, leadingLineEnd, 1 << 20,
                             [&write, &bytes](std::string_view piece) {
                               bytes.clear();
                               platform::AppendCp1252(bytes, piece);
                               return write(bytes);
                             });
  });
}

// The records of a parsed document whose record texts `convert` turns into
// the program's text; after each record the text before it is let go
// (ForgetTextBefore), when asked, so that the records grow as the file's
// text shrinks.
RecordDocument ReadParsedDocument(CMarkup& xml, std::string_view root,
                                  const std::function<bool(const std::string& id)>& isKnownId,
                                  std::string (*convert)(std::string_view), bool forget) {
  RecordDocument result;
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
  // The records' memory is taken ahead in steps, as the text before them is
  // given back: fresh pages one by one would cost a page fault each. A
  // preparation looks at every free chunk of the heap, so a file gets a few
  // steps, each a part of it, never one per few megabytes.
  constexpr size_t kSteps = 4;
  constexpr size_t kLeastStep = 8 << 20;
  const size_t step = std::max(kLeastStep, xml.GetDoc().size() / kSteps + 1);
  size_t preparedUpTo = 0;
  while (xml.FindChildElem(kRecordElement)) {
    // The record's own ID decides, not the element's attribute: that is what the list will hold.
    const std::string data = xml.GetDataAt(xml.ChildPosition());
    std::unique_ptr<CVersuch> record = RecordFromText(convert ? convert(data) : data);
    if (forget) {
      const int end = xml.ChildEnd();
      xml.ForgetTextBefore(end);
      if (static_cast<size_t>(end) >= preparedUpTo) {
        platform::PrepareHeap(step / 5 * 7);  // the records take about 1.4 times their text
        preparedUpTo = static_cast<size_t>(end) + step;
      }
    }
    const std::string id = record->GetValue(0, 0);
    if (id.empty() || taken.count(id) || (isKnownId && isKnownId(id))) {
      ++result.skipped;
      if (id.empty()) ++result.withoutId;
      continue;
    }
    taken.insert(id);
    result.records.push_back(std::move(record));
  }
  return result;
}

}  // namespace

std::string RecordText(const CVersuch& record, bool leadingLineEnd) {
  std::string text;
  AppendRecordText(text, record, leadingLineEnd, false);
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
  CMarkup xml;
  if (!xml.SetDoc(text)) {
    RecordDocument result;
    result.error = RecordDocumentError::kSetDoc;
    return result;
  }
  return ReadParsedDocument(xml, root, isKnownId, nullptr, false);
}

RecordDocument ReadRecordFileBytes(std::string bytes, std::string_view root,
                                   const std::function<bool(const std::string& id)>& isKnownId) {
  CMarkup xml;
  // Every tag is ASCII, so the code page 1252 bytes parse as the text would;
  // each record's text is converted on its own.
  if (!xml.SetDoc(std::move(bytes))) {
    RecordDocument result;
    result.error = RecordDocumentError::kSetDoc;
    return result;
  }
  RecordDocument document = ReadParsedDocument(xml, root, isKnownId, &platform::FromCp1252, true);
  platform::ReleaseUnusedHeap();
  return document;
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

bool WriteTransferFile(const std::filesystem::path& path, const std::vector<const CVersuch*>& records,
                       std::string_view created, std::string_view originalFile) {
  return WriteRecordFile(path, kTransferRoot, records, created, &originalFile, true);
}

bool WriteArchiveFile(const std::filesystem::path& path, const std::vector<const CVersuch*>& records,
                      std::string_view created) {
  return WriteRecordFile(path, kArchiveRoot, records, created, nullptr, false);
}
