// The takeover files of the basic data: a record's values written to the
// file read back as they were; any text is read without failing and written
// again reads the same; its values go into the dialog's data without failing.
#include <string>

#include "evaluation/grunddaten/grunddaten.h"
#include "fuzz_support.h"
#include "platform/textcodec.h"
#include "platform/textfile.h"
#include "records/strutil.h"

namespace fuzz {

int FuzzTakeoverFile(const std::uint8_t* data, std::size_t size) {
  Pieces pieces(std::string_view(reinterpret_cast<const char*>(data), size));
  const TakeoverKind kind = pieces.Byte() & 1 ? TakeoverKind::Ballast : TakeoverKind::Basic;
  // A record as the record file gives it.
  CVersuch record;
  for (const int field : {0, 1, 2, 4, 5, 6}) {
    std::string text = platform::FromCp1252(pieces.Sized(96));
    std::erase(text, '\n');
    record.SetFieldOnLoad(field, text);
  }
  const TakeoverFile written{record.GetValue(1, 0), TakeoverValues(record, kind)};
  const std::string bytes = platform::EncodeText(FormatTakeoverFile(written));
  const std::optional<TakeoverFile> back = ParseTakeoverFile(platform::DecodeText(bytes));
  // The separator "¿" cannot stand in a value: it is written as "?".
  std::vector<std::string> expected = written.values;
  for (std::string& value : expected) StrReplace(value, "\u00bf", "?", true);
  FUZZ_CHECK(back && back->testNumber == written.testNumber && back->values == expected);

  // Whatever the file holds.
  const std::optional<TakeoverFile> read = ParseTakeoverFile(platform::DecodeText(pieces.Rest()));
  if (!read) return 0;
  const std::optional<TakeoverFile> reread = ParseTakeoverFile(FormatTakeoverFile(*read));
  FUZZ_CHECK(reread && reread->values == read->values);
  const CustomerMap customers{{"1", "Meier"}, {"2", "M\xc3\xbcller"}};
  BasicData basic;
  ApplyBasicTakeover(*read, basic, customers, "20250201");
  BallastData ballast;
  ApplyBallastTakeover(*read, ballast, customers, "20250201");
  CVersuch stored = record;
  StoreBasicData(stored, basic, customers);
  StoreBallastData(stored, ballast, customers);
  return 0;
}

}  // namespace fuzz
