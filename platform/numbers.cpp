#include "platform/numbers.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <string>

namespace platform {

std::string FormatFixed(double value, int decimals) {
  if (!std::isfinite(value)) return "";
  if (decimals < 0) decimals = 0;
  char buf[400];
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  if (res.ec != std::errc()) return "";
  return std::string(buf, res.ptr);
}

namespace {
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Leading white space and an optional sign, as C's conversions accept them.
size_t SkipSpaceAndSign(std::string_view text, bool& negative) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  return i;
}
}  // namespace

double ParseDouble(std::string_view text, size_t* used) {
  if (used) *used = 0;
  bool negative = false;
  size_t i = SkipSpaceAndSign(text, negative);
  size_t mantissa = i;
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0.0;
  size_t end = i;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      end = j;
    }
  }
  double value = 0.0;
  auto res = std::from_chars(text.data() + mantissa, text.data() + end, value);
  if (res.ec == std::errc::result_out_of_range) {
    // Overflow gives the largest finite value, underflow zero: never infinity.
    bool huge = false;
    for (size_t k = mantissa; k < end && text[k] != 'e' && text[k] != 'E'; ++k)
      if (text[k] >= '1' && text[k] <= '9') { huge = true; break; }
    size_t e = text.find_first_of("eE", mantissa);
    bool negExp = e != std::string_view::npos && e + 1 < end && text[e + 1] == '-';
    value = (huge && !negExp) ? 1.7976931348623157e308 : 0.0;
  } else if (res.ec != std::errc()) {
    return 0.0;
  }
  if (used) *used = end;
  return negative ? -value : value;
}

int ParseInt(std::string_view text) {
  bool negative = false;
  size_t i = SkipSpaceAndSign(text, negative);
  long long value = 0;
  while (i < text.size() && IsDigit(text[i])) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    ++i;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  if (value < INT_MIN) value = INT_MIN;
  return static_cast<int>(value);
}

}  // namespace platform
