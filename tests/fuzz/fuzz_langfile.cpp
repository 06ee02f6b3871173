// The language file: an entry added to a file of any content is read back,
// and the file keeps every byte it had around the new entry.
#include <string>

#include "fuzz_support.h"
#include "i18n/langfile.h"
#include "platform/files.h"
#include "platform/textcodec.h"

namespace fuzz {

int FuzzLanguageFile(const std::uint8_t* data, std::size_t size) {
  Pieces pieces(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string key = "IDS-" + std::to_string(60000 + pieces.Byte()) + "=";
  const std::string german(pieces.Sized(48));
  const std::string translation(pieces.Sized(48));
  const bool atStart = pieces.Byte() & 1;
  const std::string_view bytes = pieces.Rest();

  ClearScratchFolder();
  const std::filesystem::path file = ZelmoLangFile::FileName(ScratchFolder(), "xx");
  FUZZ_CHECK(platform::WriteFileBytes(file, bytes));
  ZelmoLangFile lang;
  FUZZ_CHECK(lang.OpenLangFile(ScratchFolder(), "xx"));
  lang.SelectSection("\r\n[MsgString]");
  lang.Lookup(key, ZelmoLangFile::kMessageLimit);
  FUZZ_CHECK(lang.Close());
  FUZZ_CHECK(platform::ReadFileBytes(file) == std::string(bytes));  // nothing added, nothing written

  // Texts the file can hold: well-formed, and in the code page unless UTF-8.
  FUZZ_CHECK(lang.OpenLangFile(ScratchFolder(), "xx"));
  lang.SelectSection("\r\n[MsgString]");
  const bool utf8 = lang.IsUtf8();
  for (const std::string* text : {&german, &translation}) {
    if (!platform::IsUtf8(*text)) return 0;
    if (utf8) continue;
    const std::string encoded = platform::ToCp1252(*text);
    if (platform::FromCp1252(encoded) != *text) return 0;
    // Code page bytes that also form UTF-8 are read as UTF-8 (older versions
    // stored UTF-8 answers in code page files): not a text this file can keep.
    if (encoded != *text && platform::IsUtf8(encoded)) return 0;
  }
  // A key that occurs already would be found first; so would one inside the
  // German line as it is stored (its "&" removed), which stands before the key.
  if (lang.Content().find(key) != std::string::npos ||
      EscapeLangText(RemoveMnemonics(german)).find(key) != std::string::npos ||
      translation.find(key) != std::string::npos)
    return 0;
  lang.AddEntry(key, german, translation, atStart);
  FUZZ_CHECK(lang.Close());

  const std::string after = platform::ReadFileBytes(file).value_or("");
  FUZZ_CHECK(after.size() >= bytes.size());
  ZelmoLangFile reread;
  FUZZ_CHECK(reread.OpenLangFile(ScratchFolder(), "xx"));
  reread.SelectSection("\r\n[MsgString]");
  const auto stored = reread.Lookup(key, 1 << 20);
  FUZZ_CHECK(stored);
  FUZZ_CHECK(UnescapeLangText(*stored) == RemoveMnemonics(translation));
  // The old bytes are all there, in order, around one inserted piece.
  size_t head = 0;
  while (head < bytes.size() && after[head] == bytes[head]) ++head;
  const size_t tail = bytes.size() - head;
  FUZZ_CHECK(after.compare(after.size() - tail, tail, bytes.substr(head)) == 0);
  return 0;
}

}  // namespace fuzz
