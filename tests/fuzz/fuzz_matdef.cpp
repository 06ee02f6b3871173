// Material definitions: the text form is stable (formatting what was parsed
// from a formatted text gives the same text and values); the definition file
// gives its trimmed lines followed by the built-in entries.
#include <algorithm>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/files.h"
#include "platform/textcodec.h"
#include "records/matdef.h"
#include "records/matdef_file.h"
#include "records/strutil.h"

namespace fuzz {

int FuzzMaterialDefinition(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // A definition line as it comes from a file.
  const std::string text = platform::FromCp1252(bytes);

  CMatDef first;
  first.Parse(text);
  const std::string formatted = first.Format();
  CMatDef second;
  second.Parse(formatted);
  FUZZ_CHECK(second.Format() == formatted);
  // Every value without a separator comes back as it was.
  for (size_t k = 0; k < MatDefKeys.size(); ++k) {
    const std::string value = first.GetValue(MatDefKeys[k]);
    const bool wholeGroup = k >= 14;  // SIEBANFORDERUNGEN, NEBENPRUEFUNGEN, SIEBANFLINIEN
    if (value.find_first_of(wholeGroup ? "{}" : "{}|") == std::string::npos)
      FUZZ_CHECK(second.GetValue(MatDefKeys[k]) == value);
  }

  // The same bytes as the plant's definition file.
  ClearScratchFolder();
  const std::filesystem::path file = MaterialDefFilePath(ScratchFolder());
  FUZZ_CHECK(platform::CreateFolder(file.parent_path()));
  FUZZ_CHECK(platform::WriteFileBytes(file, bytes));
  std::vector<std::string> list;
  std::string error;
  if (!ReadMaterialDefs(ScratchFolder(), list, error)) return 0;
  // The file's definitions, trimmed, and then every built-in entry.
  FUZZ_CHECK(list.size() >= static_cast<size_t>(kBuiltinMaterialEntryCount));
  const size_t own = list.size() - kBuiltinMaterialEntryCount;
  for (size_t i = 0; i < own; ++i)
    FUZZ_CHECK(list[i] == TrimWhite(list[i]));
  FUZZ_CHECK(std::equal(list.begin() + static_cast<std::ptrdiff_t>(own), list.end(), BuiltinMaterialEntries().begin()));
  return 0;
}

}  // namespace fuzz
