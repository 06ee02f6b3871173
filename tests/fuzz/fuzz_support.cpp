#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace fuzz {

namespace fs = std::filesystem;

namespace {
std::string& InputName() {
  static std::string name;
  return name;
}
}  // namespace

void SetInputName(std::string name) { InputName() = std::move(name); }

void Fail(const char* file, int line, const char* what) {
  std::fprintf(stderr, "\nfuzz invariant broken at %s:%d: %s\n", file, line, what);
  if (!InputName().empty()) std::fprintf(stderr, "input: %s\n", InputName().c_str());
  std::abort();
}

const fs::path& ScratchFolder() {
  static const fs::path folder = [] {
    std::error_code ec;
    const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
    fs::path made = base / ("pravik_fuzz_" + std::to_string(::getpid()));
    fs::create_directories(made, ec);
    std::atexit([] {
      std::error_code removeEc;
      fs::remove_all(ScratchFolder(), removeEc);
    });
    return made;
  }();
  return folder;
}

void ClearScratchFolder() {
  std::error_code ec;
  for (fs::directory_iterator it(ScratchFolder(), ec), end; !ec && it != end; it.increment(ec))
    fs::remove_all(it->path(), ec);
}

SilentBoxes::SilentBoxes() : previous_(platform::CurrentMessageBoxHandler()) { platform::SetMessageBoxHandler(this); }

SilentBoxes::~SilentBoxes() { platform::SetMessageBoxHandler(previous_); }

int SilentBoxes::Show(const platform::MessageBoxRequest& request) {
  ++count_;
  last_ = request.text;
  return platform::DefaultMessageBoxAnswer(request.flags);
}

std::string_view Pieces::Take(std::size_t n) {
  const std::string_view piece = rest_.substr(0, n);
  rest_.remove_prefix(piece.size());
  return piece;
}

unsigned char Pieces::Byte() {
  const std::string_view b = Take(1);
  return b.empty() ? 0 : static_cast<unsigned char>(b[0]);
}

std::string_view Pieces::Sized(std::size_t limit) { return Take(limit ? Byte() % limit : 0); }

}  // namespace fuzz
