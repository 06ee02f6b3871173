#include "platform/datetime.h"

namespace platform {
namespace {
std::optional<std::time_t> g_fixed;
}

std::time_t Now() { return g_fixed ? *g_fixed : std::time(nullptr); }

void SetClockOverride(std::optional<std::time_t> fixed) { g_fixed = fixed; }

std::string FormatLocalTime(const char* format, std::time_t when) {
  std::tm tm {};
  localtime_r(&when, &tm);
  char buf[256];
  size_t n = std::strftime(buf, sizeof buf, format, &tm);
  return std::string(buf, n);
}

}  // namespace platform
