// The entry point of one libFuzzer program; PRAVIK_FUZZ_TARGET names the
// target function (set by the fuzz build for each program).
#include <QCoreApplication>
#include <clocale>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static QCoreApplication app(*argc, *argv);
  std::setlocale(LC_NUMERIC, "C");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return fuzz::PRAVIK_FUZZ_TARGET(data, size);
}
