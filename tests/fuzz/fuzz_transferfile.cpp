// Transfer and month files: the XML document class on any text, and the
// records read from a file written again and read back unchanged.
#include <set>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/textcodec.h"
#include "records/markup.h"
#include "records/transfer.h"

namespace fuzz {
namespace {

std::vector<const CVersuch*> Pointers(const RecordList& records) {
  std::vector<const CVersuch*> pointers;
  for (const auto& record : records) pointers.push_back(record.get());
  return pointers;
}

bool SameRecords(const RecordList& a, const RecordList& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    for (int field = 0; field < CVersuch::kFieldCount; ++field)
      if (a[i]->GetField(field) != b[i]->GetField(field)) return false;
  return true;
}

// Every element reachable by the navigation, read without harm.
void Walk(CMarkup& xml) {
  while (xml.FindElem()) {
    xml.GetDataAt(xml.MainPosition());
    xml.GetAttribAt(xml.MainPosition(), "ID");
    while (xml.FindChildElem()) {
      xml.GetDataAt(xml.ChildPosition());
      xml.GetAttribAt(xml.ChildPosition(), "version");
    }
    if (!xml.IntoElem()) break;
  }
}

// The file as written to disk and read back as the commands read it.
std::string WrittenAndRead(const std::string& file) { return platform::FromCp1252(platform::ToCp1252(file)); }

}  // namespace

int FuzzTransferFile(const std::uint8_t* data, std::size_t size) {
  Pieces pieces(std::string_view(reinterpret_cast<const char*>(data), size));
  // Bit 0: a month file (PRAVIK_ARCHIV) instead of a transfer file.
  const bool archive = pieces.Byte() & 1;
  const std::string text = platform::FromCp1252(pieces.Rest());

  // The document is the text exactly, or empty after a failure.
  CMarkup xml;
  if (xml.SetDoc(text)) {
    FUZZ_CHECK(xml.GetDoc() == text);
    Walk(xml);
  } else {
    FUZZ_CHECK(xml.GetDoc().empty());
  }

  const char* root = archive ? kArchiveRoot : kTransferRoot;
  std::set<std::string> known;
  RecordDocument read = ReadRecordDocument(text, root, [&known](const std::string& id) { return known.count(id) > 0; });
  if (read.error != RecordDocumentError::kNone) {
    FUZZ_CHECK(read.records.empty());
    FUZZ_CHECK(!RecordDocumentErrorText(read.error, root).empty());
    return 0;
  }
  std::set<std::string> ids;
  for (const auto& record : read.records) {
    FUZZ_CHECK(!record->GetValue(0, 0).empty());
    FUZZ_CHECK(ids.insert(record->GetValue(0, 0)).second);  // every ID once
  }

  // Written and read back: the same records (once line breaks inside a field
  // have become "#CRLF#"), and then the same bytes.
  auto write = [archive](const RecordList& records) {
    return archive ? BuildArchiveFile(Pointers(records), "210315083000")
                   : BuildTransferFile(Pointers(records), "210315083000", "/daten/transfer/x.xml");
  };
  const std::string first = write(read.records);
  RecordDocument again = ReadRecordDocument(WrittenAndRead(first), root, {});
  FUZZ_CHECK(again.error == RecordDocumentError::kNone);
  FUZZ_CHECK(again.skipped == 0);
  FUZZ_CHECK(again.records.size() == read.records.size());
  const std::string second = write(again.records);
  RecordDocument third = ReadRecordDocument(WrittenAndRead(second), root, {});
  FUZZ_CHECK(SameRecords(again.records, third.records));
  FUZZ_CHECK(write(third.records) == second);

  // Known IDs are skipped, all of them.
  RecordDocument known_all = ReadRecordDocument(WrittenAndRead(second), root, [&ids](const std::string& id) {
    return ids.count(id) > 0;
  });
  FUZZ_CHECK(known_all.records.empty());
  FUZZ_CHECK(known_all.skipped == static_cast<int>(ids.size()));
  return 0;
}

}  // namespace fuzz
