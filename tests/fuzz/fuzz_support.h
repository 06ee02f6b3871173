#pragma once
// Shared parts of the fuzz targets. Each target is a plain function over the
// input bytes that checks its reader's invariants and aborts on a violation,
// so that the same function runs under libFuzzer (scripts/fuzz) and over the
// kept inputs in the normal test suite.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/messagebox.h"

namespace fuzz {

// Aborts with the failed invariant (and the input stays as the finding).
[[noreturn]] void Fail(const char* file, int line, const char* what);
// The name of the input being run, for the message of a failure.
void SetInputName(std::string name);
#define FUZZ_CHECK(condition) \
  do {                        \
    if (!(condition)) ::fuzz::Fail(__FILE__, __LINE__, #condition); \
  } while (0)

// A folder of this process for the files a target reads, in memory when the
// machine has /dev/shm; emptied for every input.
const std::filesystem::path& ScratchFolder();
void ClearScratchFolder();

// Message boxes answered with their default button and counted, without a
// screen; the last text is kept.
class SilentBoxes : public platform::MessageBoxHandler {
 public:
  SilentBoxes();
  ~SilentBoxes() override;
  SilentBoxes(const SilentBoxes&) = delete;
  SilentBoxes& operator=(const SilentBoxes&) = delete;
  int Show(const platform::MessageBoxRequest& request) override;
  int count() const { return count_; }
  const std::string& last() const { return last_; }

 private:
  platform::MessageBoxHandler* previous_;
  int count_ = 0;
  std::string last_;
};

// Cuts the input into pieces: Take(n) gives the next n bytes (fewer at the
// end), Byte() one byte (0 at the end), Rest() what is left.
class Pieces {
 public:
  explicit Pieces(std::string_view input) : rest_(input) {}
  std::string_view Take(std::size_t n);
  unsigned char Byte();
  // A piece whose length is the next byte (modulo `limit`).
  std::string_view Sized(std::size_t limit);
  std::string_view Rest() { return Take(rest_.size()); }

 private:
  std::string_view rest_;
};

// The targets: one per reader.
int FuzzRecordFile(const std::uint8_t* data, std::size_t size);
int FuzzIniFile(const std::uint8_t* data, std::size_t size);
int FuzzLanguageFile(const std::uint8_t* data, std::size_t size);
int FuzzBitmap(const std::uint8_t* data, std::size_t size);
int FuzzRequirementCode(const std::uint8_t* data, std::size_t size);
int FuzzMaterialDefinition(const std::uint8_t* data, std::size_t size);
int FuzzTransferFile(const std::uint8_t* data, std::size_t size);
int FuzzRtf(const std::uint8_t* data, std::size_t size);
int FuzzSieveHandOff(const std::uint8_t* data, std::size_t size);
int FuzzCustomerFile(const std::uint8_t* data, std::size_t size);
int FuzzMixtureFile(const std::uint8_t* data, std::size_t size);
int FuzzLockLine(const std::uint8_t* data, std::size_t size);
int FuzzPlantList(const std::uint8_t* data, std::size_t size);
int FuzzTakeoverFile(const std::uint8_t* data, std::size_t size);

struct Target {
  const char* name;
  int (*run)(const std::uint8_t*, std::size_t);
};
inline constexpr Target kTargets[] = {
    {"recordfile", FuzzRecordFile},          {"inifile", FuzzIniFile},
    {"langfile", FuzzLanguageFile},          {"bitmap", FuzzBitmap},
    {"requirement", FuzzRequirementCode},    {"matdef", FuzzMaterialDefinition},
    {"transferfile", FuzzTransferFile},      {"rtf", FuzzRtf},
    {"sievehandoff", FuzzSieveHandOff},      {"customers", FuzzCustomerFile},
    {"mixture", FuzzMixtureFile},            {"lockline", FuzzLockLine},
    {"plantlist", FuzzPlantList},            {"takeover", FuzzTakeoverFile},
};

}  // namespace fuzz
