// Mixture files: whatever a ".pvm" file holds, its list line is read without
// failing, the row of the mixture list is made from it, and the folder lists
// every mixture that has a list line.
#include <string>

#include "fuzz_support.h"
#include "platform/files.h"
#include "platform/textcodec.h"
#include "shell/mixtures/mixturefiles.h"

namespace fuzz {

int FuzzMixtureFile(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ClearScratchFolder();
  const std::filesystem::path file = ScratchFolder() / "250101120000.pvm";
  FUZZ_CHECK(platform::WriteFileBytes(file, bytes));
  const std::optional<std::string> line = ReadMixtureListLine(file);
  const std::vector<MixtureRow> rows = ReadMixtureFolder(ScratchFolder());
  FUZZ_CHECK(rows.size() == (line ? 1u : 0u));
  if (!line) return 0;
  FUZZ_CHECK(platform::IsUtf8(*line));
  FUZZ_CHECK(line->find('\n') == std::string::npos);
  const MixtureRow row = MakeMixtureRow(file, *line);
  FUZZ_CHECK(rows[0].texts == row.texts && rows[0].keys == row.keys);
  for (const std::string& text : row.texts) FUZZ_CHECK(platform::IsUtf8(text));
  for (int column = 0; column < kMixtureColumns; ++column) FUZZ_CHECK(CompareMixtureRows(row, row, column) == 0);
  return 0;
}

}  // namespace fuzz
