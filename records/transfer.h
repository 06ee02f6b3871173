#pragma once
// Transfer and monthly archive files: XML documents (CMarkup) whose
// "PRUEFUNG" elements each carry one record as its 33 lines "NN~text".
//
//   <?xml version="1.0" encoding="ISO-8859-1"?>
//   (empty line)
//   <PRAVIK_TRANSFER version="0.0.1">            or PRAVIK_ARCHIV
//   <ERSTELLUNGSZEITPUNKT>yymmddHHMMSS</ERSTELLUNGSZEITPUNKT>
//   <ORIGINAL_DATEI>path</ORIGINAL_DATEI>         (transfer files only)
//   <PRUEFUNGSLISTE>
//   <PRUEFUNG ID="record id" NR="test number">    (transfer files: the lines start on the next line)
//   00~...
//   32~...
//   </PRUEFUNG>
//   </PRUEFUNGSLISTE>
//   </PRAVIK_TRANSFER>
//
// Inside the program the file text is UTF-8 with CR LF line ends as CMarkup
// writes them; on disk it is code page 1252 (WriteRecordDocument), read back
// with platform::FromCp1252 alone: a record line ends at its CR LF (or a bare
// LF), so a CR at the end of a field is kept.
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "records/versuch.h"

inline constexpr char kXmlDeclaration[] = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>";
inline constexpr char kTransferRoot[] = "PRAVIK_TRANSFER";
inline constexpr char kArchiveRoot[] = "PRAVIK_ARCHIV";
// The stamp of ERSTELLUNGSZEITPUNKT.
inline constexpr char kCreationTimeFormat[] = "%y%m%d%H%M%S";

// The record's 33 lines "NN~<field>" each ended by CR LF (a line break
// inside a field is written as "#CRLF#"); with `leadingLineEnd` a CR LF first.
std::string RecordText(const CVersuch& record, bool leadingLineEnd);

// The 33 fields of a record text. Lines are split at "\n"; a line loses its
// line end and the white space before its prefix, nothing else. A line
// takes part when it is two digits and "~" (at most the first 100 lines, up
// to the line of field 32); a later line of the same field replaces an
// earlier one; missing fields stay empty.
std::array<std::string, CVersuch::kFieldCount> ParseRecordFields(std::string_view text);
// A new record of those fields (as the record file loads them, without migration).
std::unique_ptr<CVersuch> RecordFromText(std::string_view text);

// The whole file texts, declaration first. `created` is the stamp in
// kCreationTimeFormat. The text is appended element by element, byte for
// byte as CMarkup builds it.
std::string BuildTransferFile(const std::vector<const CVersuch*>& records, std::string_view created,
                              std::string_view originalFile);
std::string BuildArchiveFile(const std::vector<const CVersuch*>& records, std::string_view created);

// Reading a transfer or archive file text.
enum class RecordDocumentError { kNone, kSetDoc, kFindRoot, kFindList };
struct RecordDocument {
  RecordDocumentError error = RecordDocumentError::kNone;
  // The records to add, in document order.
  RecordList records;
  // Records not taken: their ID is known (or came earlier in the file), or empty.
  int skipped = 0;
  int withoutId = 0;  // of the records not taken, those without an ID
};
// Parses the text, finds the root and its "PRUEFUNGSLISTE", and decides per
// "PRUEFUNG" by the ID of the parsed record (field 0 part 0) whether it is new.
RecordDocument ReadRecordDocument(std::string_view text, std::string_view root,
                                  const std::function<bool(const std::string& id)>& isKnownId);
// The same for the file's bytes (code page 1252) as read from the disk: they
// are parsed where they are, and each record's text is converted on its own;
// the part of the bytes already read into records is given back as the
// records grow (the peak stays near the larger of both).
RecordDocument ReadRecordFileBytes(std::string bytes, std::string_view root,
                                   const std::function<bool(const std::string& id)>& isKnownId);
// The (untranslated) message of a failed step, e.g. "xml.SetDoc() Error".
std::string RecordDocumentErrorText(RecordDocumentError error, std::string_view root);

// Writes the file text in code page 1252 through a temporary file in the
// same folder, flushed and renamed: a failed write leaves no file behind.
bool WriteRecordDocument(const std::filesystem::path& path, std::string_view text);
// Build and write the file in one pass, a piece at a time, with what
// WriteRecordDocument guarantees.
bool WriteTransferFile(const std::filesystem::path& path, const std::vector<const CVersuch*>& records,
                       std::string_view created, std::string_view originalFile);
bool WriteArchiveFile(const std::filesystem::path& path, const std::vector<const CVersuch*>& records,
                      std::string_view created);
