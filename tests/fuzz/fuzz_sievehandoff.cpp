// "sieb.tmp": a record handed off reads back unchanged through the file;
// whatever the sieve program leaves there is judged without failing, and
// the values taken over are the record's afterwards.
#include <string>

#include "fuzz_support.h"
#include "platform/textcodec.h"
#include "platform/textfile.h"
#include "records/sievehandoff.h"

namespace fuzz {

int FuzzSieveHandOff(const std::uint8_t* data, std::size_t size) {
  Pieces pieces(std::string_view(reinterpret_cast<const char*>(data), size));
  // A record as the record file gives it: one line per field.
  CVersuch record;
  for (int field = 0; field < CVersuch::kFieldCount; ++field) {
    std::string text = platform::FromCp1252(pieces.Sized(48));
    std::erase(text, '\n');
    record.SetFieldOnLoad(field, text);
  }
  const SieveHandOff handOff = MakeSieveHandOff(record);
  const std::string written = platform::EncodeText(FormatSieveHandOff(handOff.fields));
  SieveHandOffLines returned;
  FUZZ_CHECK(JudgeSieveReturn(handOff, platform::DecodeText(written), returned) == SieveReturn::Unchanged);
  FUZZ_CHECK(returned == handOff.fields);

  // What the sieve program left in the file.
  const std::string left = platform::DecodeText(pieces.Rest());
  SieveHandOffLines fields;
  const SieveReturn verdict = JudgeSieveReturn(handOff, left, fields);
  const std::optional<SieveHandOffLines> parsed = ParseSieveHandOff(left);
  FUZZ_CHECK((verdict == SieveReturn::Damaged) == !parsed);
  if (!parsed) return 0;
  FUZZ_CHECK(*parsed == fields);
  FUZZ_CHECK((verdict == SieveReturn::Foreign) == (fields[0] != handOff.recordId));
  if (verdict != SieveReturn::Changed) return 0;
  CVersuch taken = record;
  TakeSieveValues(taken, fields);
  FUZZ_CHECK(SameSieveValues(MakeSieveHandOff(taken).fields, fields));
  return 0;
}

}  // namespace fuzz
