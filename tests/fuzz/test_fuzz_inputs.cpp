// Every kept fuzz input (the seed corpus and the findings under
// "regressions/") runs through its target in the normal build: a finding
// that was mended stays mended, with or without clang.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "fuzz_support.h"
#include "platform/files.h"

namespace fs = std::filesystem;

namespace {

const fs::path kFuzzFolder = fs::path(PRAVIK_FIXTURES).parent_path() / "fuzz";

std::vector<fs::path> InputsOf(const char* target) {
  std::vector<fs::path> inputs;
  for (const char* kind : {"corpus", "regressions"}) {
    std::error_code ec;
    for (fs::directory_iterator it(kFuzzFolder / kind / target, ec), end; !ec && it != end; it.increment(ec))
      if (it->is_regular_file()) inputs.push_back(it->path());
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

}  // namespace

TEST(FuzzInputs, EveryKeptInputHoldsItsInvariants) {
  for (const fuzz::Target& target : fuzz::kTargets) {
    const std::vector<fs::path> inputs = InputsOf(target.name);
    EXPECT_FALSE(inputs.empty()) << target.name << " has no seed inputs";
    for (const fs::path& input : inputs) {
      SCOPED_TRACE(input.string());
      const std::string bytes = platform::ReadFileBytes(input).value_or("");
      fuzz::SetInputName(input.string());
      // A broken invariant aborts, and the test program with it.
      EXPECT_EQ(target.run(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 0);
    }
    fuzz::SetInputName({});
  }
}
