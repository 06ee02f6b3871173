// gen_records <folder> <count> [seed]: writes "data.db" with <count> realistic
// test records into the folder (created when missing).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/files.h"
#include "tools/record_generator.h"

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: gen_records <folder> <count> [seed]\n");
    return 2;
  }
  char* end = nullptr;
  long count = std::strtol(argv[2], &end, 10);
  if (*argv[2] == '\0' || *end != '\0' || count < 0 || count > 10000000) {
    std::fprintf(stderr, "gen_records: the count must be a number from 0 to 10000000\n");
    return 2;
  }
  unsigned long seed = 1;
  if (argc == 4) {
    seed = std::strtoul(argv[3], &end, 10);
    if (*argv[3] == '\0' || *end != '\0') {
      std::fprintf(stderr, "gen_records: the seed must be a number\n");
      return 2;
    }
  }
  std::filesystem::path folder = argv[1];
  if (!platform::CreateFolder(folder)) {
    std::fprintf(stderr, "gen_records: cannot create folder %s\n", folder.c_str());
    return 1;
  }
  if (!recordgen::WriteGeneratedRecordFile(folder, static_cast<int>(count),
                                           static_cast<std::uint32_t>(seed))) {
    std::fprintf(stderr, "gen_records: cannot write %s\n", (folder / kRecordFileName).c_str());
    return 1;
  }
  auto size = platform::FileSize(folder / kRecordFileName);
  std::printf("%s: %ld records, %ju bytes\n", (folder / kRecordFileName).c_str(), count,
              static_cast<std::uintmax_t>(size.value_or(0)));
  return 0;
}
