#include "records/strutil.h"

#include <vector>

#include "platform/numbers.h"
#include "platform/textcodec.h"

namespace {

bool IsWhite(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

int Pos(size_t p) { return p == std::string::npos ? -1 : static_cast<int>(p); }

}  // namespace

std::string StrGetField(const std::string& text, char separator, int n) {
  return StrGetFieldS(text, std::string(1, separator), n);
}

std::string_view StrGetFieldView(std::string_view text, char separator, int n) {
  if (n < 0) return {};
  size_t start = 0;
  for (int i = 0; i < n; ++i) {
    start = text.find(separator, start);
    if (start == std::string_view::npos) return {};
    ++start;
  }
  return text.substr(start, text.find(separator, start) - start);
}

std::string StrGetFieldS(const std::string& text, const std::string& separator, int n) {
  if (n < 0 || separator.empty()) return "";
  size_t pos = 0;
  for (int i = 0;; ++i) {
    if (pos > text.size()) return "";
    size_t end = text.find(separator, pos);
    if (i == n) return text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    if (end == std::string::npos) return "";
    pos = end + separator.size();
  }
}

std::string StrGetFields(const std::string& text, char separator, int first, int last) {
  std::vector<size_t> seps;
  for (size_t i = 0; i < text.size(); ++i)
    if (text[i] == separator) seps.push_back(i);
  const int fields = static_cast<int>(seps.size()) + 1;
  if (first < 0) first = 0;
  if (first >= fields) return "";
  if (last >= 0 && last < first) return "";
  size_t begin = first == 0 ? 0 : seps[static_cast<size_t>(first - 1)];
  size_t end = (last < 0 || last >= fields - 1) ? text.size() : seps[static_cast<size_t>(last)];
  return text.substr(begin, end - begin);
}

void StrSetField(std::string& text, char separator, int n, const std::string& value) {
  if (n < 0) return;
  std::string result;
  if (n == 0) {
    size_t sep = text.find(separator);
    result = value + (sep == std::string::npos ? std::string() : text.substr(sep));
  } else {
    std::string work = text;
    size_t pos = 0;
    for (int i = 0; i < n; ++i) {
      size_t sep = work.find(separator, pos);
      if (sep == std::string::npos) {
        work.append(static_cast<size_t>(n - i), separator);
        sep = work.find(separator, pos);
      }
      pos = sep + 1;
    }
    size_t end = work.find(separator, pos);
    result = work.substr(0, pos) + value + (end == std::string::npos ? std::string() : work.substr(end));
  }
  if (result != text) text = result;
}

int StrCountChar(const std::string& text, char c) {
  int count = 0;
  for (char ch : text) count += ch == c;
  return count;
}

int StrCountFields(const std::string& text, char separator) { return StrCountChar(text, separator) + 1; }

int StrCountFieldsS(const std::string& text, const std::string& separator) {
  if (separator.empty()) return 1;
  int count = 1;
  for (size_t pos = text.find(separator); pos != std::string::npos;
       pos = text.find(separator, pos + separator.size()))
    ++count;
  return count;
}

std::string StrGetToken(const std::string& text, const std::string& open, const std::string& close,
                        int n) {
  if (n < 0 || open.empty() || close.empty()) return "";
  size_t search = 0;
  std::string token;
  for (int i = 0; i <= n; ++i) {
    if (search > text.size()) return "";
    size_t o = text.find(open, search);
    if (o == std::string::npos) return "";
    size_t start = o + open.size();
    size_t c = text.find(close, start);
    if (c == std::string::npos) return "";
    token = text.substr(start, c - start);
    search = o + close.size();
  }
  return token;
}

int StrFindChar(const std::string& text, char c, int start) {
  if (start < 0) start = 0;
  return Pos(text.find(c, static_cast<size_t>(start)));
}

int StrFind(const std::string& text, const std::string& sub, int start) {
  if (start < 0) start = 0;
  if (static_cast<size_t>(start) > text.size()) return -1;
  return Pos(text.find(sub, static_cast<size_t>(start)));
}

int StrReverseFind(const std::string& text, const std::string& sub, int start) {
  if (sub.empty() || text.empty() || start == 0) return -1;
  int len = static_cast<int>(text.size());
  int from = (start < 0 || start >= len) ? len - 1 : start;
  for (int p = from; p >= 1; --p)
    if (text.compare(static_cast<size_t>(p), sub.size(), sub) == 0) return p;
  return -1;
}

int StrReplace(std::string& text, const std::string& oldText, const std::string& newText, bool all) {
  if (oldText.empty()) return 0;
  int count = 0;
  size_t pos = 0;
  while ((pos = text.find(oldText, pos)) != std::string::npos) {
    text.replace(pos, oldText.size(), newText);
    pos += newText.size();
    ++count;
    if (!all) break;
  }
  return count;
}

std::string MapDecimalSeparators(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (c == ',' || c == ':' || c == ';') c = '.';
  return out;
}

std::string FormatDouble(double value, int decimals) { return platform::FormatFixed(value, decimals); }

void SetFormattedDouble(std::string& text, double value, int decimals) {
  text = FormatDouble(value, decimals);
}

void FormatDoubleOrEmpty(std::string& text, double value, int decimals) {
  text = value == 0.0 ? std::string() : FormatDouble(value, decimals);
}

double FormatPositiveNumber(std::string& text, double value, int decimals) {
  text = value > 0.0 ? FormatDouble(value, decimals) : std::string();
  return AtofLocale(text);
}

std::string TrimWhite(const std::string& text) {
  size_t b = 0, e = text.size();
  while (b < e && IsWhite(text[b])) ++b;
  while (e > b && IsWhite(text[e - 1])) --e;
  return text.substr(b, e - b);
}

double ParseNumber(const std::string& text) { return PlainAtof(MapDecimalSeparators(TrimWhite(text))); }

double AtofLocale(const std::string& text) {
  if (text.empty()) return 0.0;
  std::string copy = text;
  for (char& c : copy) {
    auto code = static_cast<signed char>(c);
    if (c == '\t' || code >= 65) break;
    if (c == ',') c = '.';
  }
  return PlainAtof(copy);
}

double PlainAtof(const std::string& text) { return platform::ParseDouble(text); }

int PlainAtoi(const std::string& text) { return platform::ParseInt(text); }

namespace {

// The next character of a UTF-8 text as its code page 1252 byte, folded to
// lower case; characters outside the code page sort after it, by code point.
unsigned NextFoldedChar(const std::string& s, size_t& i) {
  auto b = static_cast<unsigned char>(s[i]);
  if (b < 0x80) {
    ++i;
    return (b >= 'A' && b <= 'Z') ? b + 32u : b;
  }
  size_t len = (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 1;
  if (i + len > s.size()) len = 1;
  std::string cp1252 = platform::ToCp1252(std::string_view(s).substr(i, len));
  i += len;
  auto c = static_cast<unsigned char>(cp1252.empty() ? '?' : cp1252[0]);
  if (c == '?') return 0x100u + b;  // not in the code page
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20u;
  if (c == 0x8A || c == 0x8C || c == 0x8E) return c + 0x10u;
  if (c == 0x9F) return 0xFFu;
  return c;
}

}  // namespace

void AppendFoldedText(std::string& out, std::string_view text) {
  out.reserve(out.size() + text.size());
  size_t i = 0;
  // Plain ASCII needs only its capitals folded.
  for (; i < text.size() && static_cast<unsigned char>(text[i]) < 0x80; ++i)
    out.push_back(text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] + 32) : text[i]);
  if (i == text.size()) return;
  const std::string rest(text.substr(i));
  for (size_t j = 0; j < rest.size();) {
    // Folded values above 0xFE go as two bytes behind an 0xFF, so that the
    // bytes order as the values do.
    const unsigned value = NextFoldedChar(rest, j);
    if (value < 0xFF) {
      out.push_back(static_cast<char>(value));
    } else {
      out.push_back(static_cast<char>(0xFF));
      out.push_back(static_cast<char>(value >> 8));
      out.push_back(static_cast<char>(value & 0xFF));
    }
  }
}

std::string FoldedText(std::string_view text) {
  std::string folded;
  AppendFoldedText(folded, text);
  return folded;
}

int StrCompareNoCase(const std::string& a, const std::string& b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    unsigned ca = NextFoldedChar(a, i);
    unsigned cb = NextFoldedChar(b, j);
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}
