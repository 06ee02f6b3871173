#include "platform/textcodec.h"

#include <array>
#include <cstdint>
#include <cstring>
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

// The UTF-8 form of every byte: its length and up to three bytes.
struct Utf8Of {
  unsigned char size;
  char bytes[3];
};

constexpr std::array<Utf8Of, 256> MakeUtf8Table() {
  std::array<Utf8Of, 256> table{};
  for (int b = 0; b < 256; ++b) {
    const char32_t cp = b >= 0x80 && b <= 0x9F ? kHigh[static_cast<size_t>(b - 0x80)] : static_cast<char32_t>(b);
    Utf8Of& u = table[static_cast<size_t>(b)];
    if (cp < 0x80) {
      u = {1, {static_cast<char>(cp), 0, 0}};
    } else if (cp < 0x800) {
      u = {2, {static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F)), 0}};
    } else {
      u = {3, {static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
               static_cast<char>(0x80 | (cp & 0x3F))}};
    }
  }
  return table;
}
constexpr std::array<Utf8Of, 256> kUtf8 = MakeUtf8Table();

// The length of the run of ASCII bytes at the start, eight bytes at a time.
size_t AsciiPrefix(std::string_view s) {
  size_t i = 0;
  for (; i + 8 <= s.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, s.data() + i, 8);
    if (word & 0x8080808080808080ull) break;
  }
  while (i < s.size() && static_cast<unsigned char>(s[i]) < 0x80) ++i;
  return i;
}

// The character of the UTF-8 sequence that starts at s[i]: its code point
// and its length in bytes; length 0 where no complete sequence starts there.
struct Utf8Char {
  char32_t codePoint;
  size_t size;
};

Utf8Char DecodeUtf8At(std::string_view s, size_t i) {
  const auto b = static_cast<unsigned char>(s[i]);
  const size_t len = (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
  if (len == 0 || i + len > s.size()) return {0, 0};
  char32_t cp = len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
  for (size_t k = 1; k < len; ++k) {
    const auto cb = static_cast<unsigned char>(s[i + k]);
    if ((cb & 0xC0) != 0x80) return {0, 0};
    cp = (cp << 6) | (cb & 0x3F);
  }
  return {cp, len};
}

// The code page byte of a character above U+007F; 0 when the code page lacks it.
unsigned char Cp1252ByteOf(char32_t cp) {
  if (cp >= 0xA0 && cp <= 0xFF) return static_cast<unsigned char>(cp);
  for (size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] == cp) return static_cast<unsigned char>(0x80 + i);
  return 0;
}

}  // namespace

// Most stored text is plain ASCII: it is copied as a whole, and the rest is
// written through a table into a string of the exact size.
std::string FromCp1252(std::string_view bytes) {
  // ASCII runs between the high bytes go eight bytes at a time and by memcpy.
  size_t size = 0;
  for (size_t i = 0; i < bytes.size();) {
    const size_t run = AsciiPrefix(bytes.substr(i));
    size += run;
    i += run;
    if (i < bytes.size()) size += kUtf8[static_cast<unsigned char>(bytes[i++])].size;
  }
  if (size == bytes.size()) return std::string(bytes);  // every high byte takes two or three
  std::string out(size, '\0');
  char* p = out.data();
  for (size_t i = 0; i < bytes.size();) {
    const size_t run = AsciiPrefix(bytes.substr(i));
    std::memcpy(p, bytes.data() + i, run);
    p += run;
    i += run;
    if (i == bytes.size()) break;
    const Utf8Of& u = kUtf8[static_cast<unsigned char>(bytes[i++])];
    p[0] = u.bytes[0];
    if (u.size > 1) {
      p[1] = u.bytes[1];
      if (u.size > 2) p[2] = u.bytes[2];
    }
    p += u.size;
  }
  return out;
}

std::string ToCp1252(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  AppendCp1252(out, s);
  return out;
}

void AppendCp1252(std::string& out, std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    if (const size_t run = AsciiPrefix(s.substr(i)); run > 0) {
      out.append(s.data() + i, run);
      i += run;
      if (i == s.size()) break;
    }
    const Utf8Char c = DecodeUtf8At(s, i);
    if (c.size == 0) {
      out.push_back('?');
      ++i;
      continue;
    }
    i += c.size;
    const unsigned char byte = Cp1252ByteOf(c.codePoint);
    out.push_back(byte ? static_cast<char>(byte) : '?');
  }
}

namespace plain {

std::string FromCp1252(std::string_view bytes) {
  std::string out;
  for (char c : bytes) {
    auto b = static_cast<unsigned char>(c);
    if (b < 0x80) out.push_back(c);
    else AppendUtf8(out, CodePointOf(b));
  }
  return out;
}

std::string ToCp1252(std::string_view s) {
  std::string out;
  const auto& reverse = ReverseHigh();
  size_t i = 0;
  while (i < s.size()) {
    auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
      ++i;
      continue;
    }
    const Utf8Char c = DecodeUtf8At(s, i);
    if (c.size == 0) {
      out.push_back('?');
      ++i;
      continue;
    }
    i += c.size;
    const char32_t cp = c.codePoint;
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

}  // namespace plain

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
    const Utf8Char c = DecodeUtf8At(s, i);
    if (c.size == 0) return false;
    // Overlong forms, code points beyond Unicode and surrogates are not UTF-8.
    constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    const char32_t cp = c.codePoint;
    if (cp < kMin[c.size] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += c.size;
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
