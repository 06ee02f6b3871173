// The record file: the soundness check, the fallback to "data_tmp.db", and
// the round trip of whatever was loaded through the writer and the safe save.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "fuzz_support.h"
#include "platform/files.h"
#include "records/recordfile.h"

namespace fuzz {
namespace {

namespace fs = std::filesystem;

// Separates "data.db" from "data_tmp.db" in an input.
constexpr std::string_view kTempMarker = "\n--data_tmp.db--\n";

// Tells the first difference, for the report of a finding.
bool SameRecords(const RecordList& a, const RecordList& b) {
  if (a.size() != b.size()) {
    std::fprintf(stderr, "records: %zu and %zu\n", a.size(), b.size());
    return false;
  }
  for (size_t i = 0; i < a.size(); ++i) {
    for (int field = 0; field < CVersuch::kFieldCount; ++field) {
      if (a[i]->GetField(field) == b[i]->GetField(field)) continue;
      std::fprintf(stderr, "record %zu field %d: \"%s\" and \"%s\"\n", i, field, a[i]->GetField(field).c_str(),
                   b[i]->GetField(field).c_str());
      return false;
    }
  }
  return true;
}

size_t EntriesIn(const fs::path& folder) {
  size_t count = 0;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) ++count;
  return count;
}

}  // namespace

int FuzzRecordFile(const std::uint8_t* data, std::size_t size) {
  Pieces pieces(std::string_view(reinterpret_cast<const char*>(data), size));
  // Bit 0: no "data.db"; bit 1: "data_tmp.db" written after "data.db"; bit
  // 2: both in the same second.
  const unsigned char flags = pieces.Byte();
  const std::string_view rest = pieces.Rest();
  const size_t marker = rest.find(kTempMarker);

  ClearScratchFolder();
  const fs::path folder = ScratchFolder();
  const fs::path dataFile = folder / kRecordFileName;
  const fs::path tempFile = folder / kRecordTempFileName;
  if (!(flags & 1)) FUZZ_CHECK(platform::WriteFileBytes(dataFile, rest.substr(0, marker)));
  if (marker != std::string_view::npos) {
    FUZZ_CHECK(platform::WriteFileBytes(tempFile, rest.substr(marker + kTempMarker.size())));
    std::error_code ec;
    const auto now = fs::file_time_type::clock::now();
    const auto offset = (flags & 4) ? std::chrono::seconds(0) : std::chrono::seconds((flags & 2) ? 5 : -5);
    fs::last_write_time(tempFile, now + offset, ec);
    fs::last_write_time(dataFile, now, ec);
  }
  const std::optional<std::string> dataBytes =
      (flags & 1) ? std::nullopt : platform::ReadFileBytes(dataFile, platform::FileKind::kLarge);

  SilentBoxes boxes;
  RecordList records;
  bool dataFileSound = false;
  const bool loaded = LoadRecordFile(records, folder, &dataFileSound);
  // A damaged "data.db" is kept under another name, never deleted.
  fs::path kept;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().filename().string().rfind("data_beschaedigt_", 0) == 0) kept = entry.path();
  if (!kept.empty()) {
    FUZZ_CHECK(!fs::exists(dataFile));
    FUZZ_CHECK(platform::ReadFileBytes(kept, platform::FileKind::kLarge) == dataBytes);
    FUZZ_CHECK(!dataFileSound);
  }
  const bool dataSound = kept.empty() && ValidateRecordFile(dataFile);
  const bool tempSound = ValidateRecordFile(tempFile);
  if (!loaded) {
    // Refused only when no copy is sound, or one was written by a newer version.
    FUZZ_CHECK(records.empty());
    FUZZ_CHECK((!dataSound && !tempSound) || boxes.last().find("neueren Programmversion") != std::string::npos);
    return 0;
  }
  FUZZ_CHECK(dataSound || tempSound);
  FUZZ_CHECK(dataFileSound == dataSound);

  // What was loaded is written, checked and read back unchanged.
  const fs::path copy = folder / "copy";
  FUZZ_CHECK(platform::CreateFolder(copy));
  FUZZ_CHECK(WriteRecordFile(records, copy / kRecordFileName));
  FUZZ_CHECK(ValidateRecordFile(copy / kRecordFileName));
  const std::optional<std::string> written = platform::ReadFileBytes(copy / kRecordFileName);
  FUZZ_CHECK(written);
  RecordList again;
  FUZZ_CHECK(LoadRecordFile(again, copy));
  FUZZ_CHECK(SameRecords(records, again));

  // The safe save writes the same bytes into both copies, leaves no
  // temporary file, and loads back the same records without a word.
  const int boxesBefore = boxes.count();
  FUZZ_CHECK(SaveRecordFileSafely(again, folder));
  FUZZ_CHECK(platform::ReadFileBytes(dataFile) == written);
  FUZZ_CHECK(platform::ReadFileBytes(tempFile) == written);
  FUZZ_CHECK(EntriesIn(folder) == (kept.empty() ? 3u : 4u));
  RecordList saved;
  FUZZ_CHECK(LoadRecordFile(saved, folder));
  FUZZ_CHECK(SameRecords(records, saved));
  FUZZ_CHECK(boxes.count() == boxesBefore);
  return 0;
}

}  // namespace fuzz
