#include "platform/textcodec.h"

#include <array>
#include <unordered_map>

namespace platform {
namespace {

// Unicode code points of the bytes 0x80 to 0x9F; undefined bytes map to themselves.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CodePointOf(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F) return kHigh[b - 0x80];
  return b;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

const std::unordered_map<char32_t, unsigned char>& ReverseHigh() {
  static const std::unordered_map<char32_t, unsigned char> map = [] {
    std::unordered_map<char32_t, unsigned char> m;
    for (int i = 0; i < 32; ++i) m[kHigh[i]] = static_cast<unsigned char>(0x80 + i);
    return m;
  }();
  return map;
}

}  // namespace

std::string FromCp1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (char c : bytes) {
    auto b = static_cast<unsigned char>(c);
    if (b < 0x80) out.push_back(c);
    else AppendUtf8(out, CodePointOf(b));
  }
  return out;
}

std::string ToCp1252(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  const auto& reverse = ReverseHigh();
  size_t i = 0;
  while (i < s.size()) {
    auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
      ++i;
      continue;
    }
    int len = (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
    char32_t cp = len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
    bool valid = len != 0 && i + len <= s.size();
    for (int k = 1; valid && k < len; ++k) {
      auto cb = static_cast<unsigned char>(s[i + k]);
      if ((cb & 0xC0) != 0x80) valid = false;
      else cp = (cp << 6) | (cb & 0x3F);
    }
    if (!valid) {
      out.push_back('?');
      ++i;
      continue;
    }
    i += len;
    if (cp >= 0xA0 && cp <= 0xFF) {
      out.push_back(static_cast<char>(cp));
    } else if (auto it = reverse.find(cp); it != reverse.end()) {
      out.push_back(static_cast<char>(it->second));
    } else {
      out.push_back('?');
    }
  }
  return out;
}

bool IsCp1252Character(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return true;
  return ReverseHigh().count(cp) != 0;
}

std::string Cp1252Char(unsigned char byte) {
  return FromCp1252(std::string_view(reinterpret_cast<const char*>(&byte), 1));
}

bool IsUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      ++i;
      continue;
    }
    int len = (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
    if (len == 0 || i + len > s.size()) return false;
    char32_t cp = len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
    for (int k = 1; k < len; ++k) {
      auto cb = static_cast<unsigned char>(s[i + k]);
      if ((cb & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (cb & 0x3F);
    }
    constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += len;
  }
  return true;
}

std::size_t Utf8Length(std::string_view s) {
  std::size_t n = 0;
  for (char c : s)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n;
}

std::string Utf8Prefix(std::string_view s, std::size_t count) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) continue;
    if (chars == count) return std::string(s.substr(0, i));
    ++chars;
  }
  return std::string(s);
}

}  // namespace platform
