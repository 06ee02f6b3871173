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

std::string FormatIsoDate(const std::string& text) {
  if (text.size() != 8) return text;
  return text.substr(0, 4) + "-" + text.substr(4, 2) + "-" + text.substr(6, 2);
}

}  // namespace platform
