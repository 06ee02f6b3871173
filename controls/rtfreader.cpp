#include "controls/rtfreader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>

#include "platform/textcodec.h"

namespace {

enum class Destination : std::uint8_t { Text, FontTable, ColorTable, Skip };

// What a group carries and restores when it closes. Kept small: deep
// nesting copies it once per level.
struct GroupState {
  Destination destination = Destination::Text;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  RtfAlign align = RtfAlign::Left;
  int fontSize = 24;
  int font = -1;
  int color = 0;
  int leftIndent = 0;
  int firstIndent = 0;
  int unicodeSkip = 1;  // \uc: fallback characters after \u
};

// Destinations read as text would show their internals: skipped whole.
bool IsSkippedDestination(std::string_view word) {
  static constexpr std::array<std::string_view, 34> kSkipped = {
      "stylesheet", "info",        "pict",      "object",    "header",      "footer",     "headerl",
      "headerr",    "headerf",     "footerl",   "footerr",   "footerf",     "footnote",   "falt",
      "listtable",  "listoverridetable", "revtbl", "rsidtbl", "xmlnstbl",   "themedata",  "colorschememapping",
      "latentstyles", "datastore", "generator", "filetbl",   "private",     "bkmkstart",  "bkmkend",
      "fldinst",    "nonshppict",  "shppict",   "panose",    "mmathPr",     "pgdsctbl"};
  return std::find(kSkipped.begin(), kSkipped.end(), word) != kSkipped.end();
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The bytes of the UTF-8 character that starts at `at`: as many as its lead
// byte says, cut at the first byte that does not continue it; at least one.
size_t CharLength(std::string_view text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const size_t length = lead < 0xC0 || lead >= 0xF8 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  size_t n = 1;
  while (n < length && at + n < text.size() && (static_cast<unsigned char>(text[at + n]) & 0xC0) == 0x80) ++n;
  return n;
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

class Reader {
 public:
  explicit Reader(std::string_view text) : in_(text) {}

  RtfDocument Read() {
    while (pos_ < in_.size() && !finished_) Step();
    if (!current_.runs.empty()) EndParagraph();
    return std::move(document_);
  }

 private:
  // ---- the input

  void Step() {
    const char c = in_[pos_];
    if (c == '{') {
      ++pos_;
      pendingSkip_ = 0;
      stack_.push_back(state_);
    } else if (c == '}') {
      ++pos_;
      pendingSkip_ = 0;
      CloseGroup();
    } else if (c == '\\') {
      ++pos_;
      ControlSequence();
    } else {
      // One character, however many bytes: a fallback after \u is one.
      const size_t length = CharLength(in_, pos_);
      const std::string_view character = in_.substr(pos_, length);
      pos_ += length;
      if (c == '\r' || c == '\n' || c == '\0') return;
      if (TakeFallback()) return;
      Emit(std::string(character));
    }
  }

  void CloseGroup() {
    if (stack_.empty()) return;  // an extra closing brace
    if (state_.destination == Destination::FontTable) FlushFontName();  // a name may end with its group
    // The last paragraph keeps the formats it had inside the document.
    if (stack_.size() == 1 && !current_.runs.empty()) EndParagraph();
    state_ = stack_.back();
    stack_.pop_back();
    if (stack_.empty()) finished_ = true;  // the document's own group has closed
  }

  void ControlSequence() {
    if (pos_ >= in_.size()) return;  // a lone backslash at the end
    const char c = in_[pos_];
    if (!IsLetter(c)) {
      // A symbol is one character: its bytes go with it.
      pos_ += CharLength(in_, pos_);
      ControlSymbol(c);
      return;
    }
    const size_t start = pos_;
    while (pos_ < in_.size() && IsLetter(in_[pos_])) ++pos_;
    const std::string_view word = in_.substr(start, pos_ - start);
    bool hasParameter = false;
    bool negative = false;
    long long value = 0;
    if (pos_ < in_.size() && in_[pos_] == '-' && pos_ + 1 < in_.size() && IsDigit(in_[pos_ + 1])) {
      negative = true;
      ++pos_;
    }
    while (pos_ < in_.size() && IsDigit(in_[pos_])) {
      hasParameter = true;
      // Clamped: a hostile count of digits must not overflow.
      if (value < 100000000000LL) value = value * 10 + (in_[pos_] - '0');
      ++pos_;
    }
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiter belongs to the word
    const long long clamped = std::clamp(negative ? -value : value, -2147483648LL, 2147483647LL);
    ControlWord(word, hasParameter, static_cast<int>(clamped));
  }

  void ControlSymbol(char c) {
    if (c == '\'') {
      int value = -1;
      if (pos_ + 1 < in_.size()) {
        const int high = HexValue(in_[pos_]);
        const int low = HexValue(in_[pos_ + 1]);
        if (high >= 0 && low >= 0) value = high * 16 + low;
      }
      if (value < 0) {
        // A cut or damaged escape is dropped with its one hex digit.
        if (pos_ < in_.size() && HexValue(in_[pos_]) >= 0) ++pos_;
        return;
      }
      pos_ += 2;
      if (TakeFallback()) return;
      Emit(platform::Cp1252Char(static_cast<unsigned char>(value)));
      return;
    }
    if (TakeFallback()) return;
    switch (c) {
      case '\\': Emit("\\"); break;
      case '{': Emit("{"); break;
      case '}': Emit("}"); break;
      case '*': state_.destination = Destination::Skip; break;
      case '\r':
      case '\n': Paragraph(); break;
      default: break;  // other symbols are not shown
    }
  }

  void ControlWord(std::string_view word, bool hasParameter, int parameter) {
    if (word == "bin") {
      // Binary data: never text, whatever destination.
      const size_t count = hasParameter && parameter > 0 ? static_cast<size_t>(parameter) : 0;
      pos_ += std::min(count, in_.size() - pos_);
      // A count in bytes may end inside a character: its rest is binary too.
      while (pos_ < in_.size() && (static_cast<unsigned char>(in_[pos_]) & 0xC0) == 0x80) ++pos_;
      return;
    }
    if (TakeFallback()) return;
    if (state_.destination == Destination::Skip) return;

    const bool on = !hasParameter || parameter != 0;
    if (word == "fonttbl") {
      state_.destination = Destination::FontTable;
      fontIndex_ = -1;
      fontName_.clear();
    } else if (word == "colortbl") {
      state_.destination = Destination::ColorTable;
      ResetColorEntry();
    } else if (IsSkippedDestination(word)) {
      state_.destination = Destination::Skip;
    } else if (state_.destination == Destination::FontTable) {
      if (word == "f") {
        FlushFontName();
        fontIndex_ = parameter;
      }
    } else if (state_.destination == Destination::ColorTable) {
      if (word == "red") red_ = parameter & 0xFF, colorSet_ = true;
      else if (word == "green") green_ = parameter & 0xFF, colorSet_ = true;
      else if (word == "blue") blue_ = parameter & 0xFF, colorSet_ = true;
    } else if (word == "par") {
      Paragraph();
    } else if (word == "line") {
      Emit(kRtfLineBreak);
    } else if (word == "tab") {
      Emit("\t");
    } else if (word == "b") {
      state_.bold = on;
    } else if (word == "i") {
      state_.italic = on;
    } else if (word == "ul") {
      state_.underline = on;
    } else if (word == "ulnone") {
      state_.underline = false;
    } else if (word == "plain") {
      state_.bold = state_.italic = state_.underline = false;
      state_.fontSize = 24;
      state_.font = defaultFont_;
      state_.color = 0;
    } else if (word == "pard") {
      state_.align = RtfAlign::Left;
      state_.leftIndent = state_.firstIndent = 0;
    } else if (word == "ql") {
      state_.align = RtfAlign::Left;
    } else if (word == "qc") {
      state_.align = RtfAlign::Center;
    } else if (word == "qr") {
      state_.align = RtfAlign::Right;
    } else if (word == "li") {
      state_.leftIndent = parameter;
    } else if (word == "fi") {
      state_.firstIndent = parameter;
    } else if (word == "fs") {
      if (hasParameter && parameter > 0) state_.fontSize = std::min(parameter, 3276);
    } else if (word == "f") {
      state_.font = parameter;
    } else if (word == "deff") {
      defaultFont_ = parameter;
      state_.font = parameter;
    } else if (word == "cf") {
      state_.color = std::max(parameter, 0);
    } else if (word == "uc") {
      state_.unicodeSkip = std::clamp(parameter, 0, 255);
    } else if (word == "u") {
      Unicode(parameter);
    }
  }

  // ---- \u and its fallback characters

  void Unicode(int parameter) {
    // A signed 16-bit value; surrogate pairs come as two \u.
    char32_t unit = static_cast<char32_t>(parameter < 0 ? parameter + 65536 : parameter) & 0xFFFF;
    const int skip = state_.unicodeSkip;
    if (unit >= 0xD800 && unit < 0xDC00) {
      highSurrogate_ = unit;
    } else {
      if (unit >= 0xDC00 && unit < 0xE000) {
        unit = highSurrogate_ ? 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00) : 0xFFFD;
      }
      highSurrogate_ = 0;
      std::string text;
      AppendUtf8(text, unit);
      Emit(text);
    }
    pendingSkip_ = skip;
  }

  // True when the character or control word just read is one of the
  // fallback characters after \u (and is passed over).
  bool TakeFallback() {
    if (pendingSkip_ <= 0) return false;
    --pendingSkip_;
    return true;
  }

  // ---- tables

  void FlushFontName() {
    if (fontIndex_ >= 0) {
      std::string name = Trimmed(fontName_);
      if (!name.empty() && name.back() == ';') name.pop_back();
      fonts_[fontIndex_] = Trimmed(name);
    }
    fontIndex_ = -1;
    fontName_.clear();
  }

  void ResetColorEntry() {
    red_ = green_ = blue_ = 0;
    colorSet_ = false;
  }

  // ---- text

  void Emit(const std::string& text) {
    switch (state_.destination) {
      case Destination::Skip: return;
      case Destination::FontTable:
        if (text == ";") FlushFontName();
        else if (fontIndex_ >= 0) fontName_ += text;
        return;
      case Destination::ColorTable:
        if (text == ";") {
          colors_.push_back(colorSet_ ? std::optional<platform::ColorRef>(platform::RGB(red_, green_, blue_))
                                      : std::nullopt);
          ResetColorEntry();
        }
        return;
      case Destination::Text: break;
    }
    highSurrogate_ = 0;
    RtfCharFormat format;
    format.bold = state_.bold;
    format.italic = state_.italic;
    format.underline = state_.underline;
    format.fontSize = state_.fontSize;
    if (auto it = fonts_.find(state_.font); it != fonts_.end()) format.font = it->second;
    if (state_.color > 0 && static_cast<size_t>(state_.color) < colors_.size())
      format.color = colors_[static_cast<size_t>(state_.color)];
    if (!current_.runs.empty() && current_.runs.back().format == format) {
      current_.runs.back().text += text;
    } else {
      current_.runs.push_back({text, std::move(format)});
    }
  }

  void Paragraph() {
    if (state_.destination != Destination::Text) return;
    EndParagraph();
  }

  void EndParagraph() {
    current_.align = state_.align;
    current_.leftIndent = state_.leftIndent;
    current_.firstIndent = state_.firstIndent;
    document_.paragraphs.push_back(std::move(current_));
    current_ = {};
  }

  std::string_view in_;
  size_t pos_ = 0;
  bool finished_ = false;
  GroupState state_;
  std::vector<GroupState> stack_;
  int pendingSkip_ = 0;
  char32_t highSurrogate_ = 0;

  std::map<int, std::string> fonts_;
  int defaultFont_ = -1;
  int fontIndex_ = -1;
  std::string fontName_;
  std::vector<std::optional<platform::ColorRef>> colors_;
  int red_ = 0, green_ = 0, blue_ = 0;
  bool colorSet_ = false;

  RtfDocument document_;
  RtfParagraph current_;
};

}  // namespace

std::string RtfParagraph::Text() const {
  std::string text;
  for (const RtfRun& run : runs) text += run.text;
  return text;
}

std::string RtfDocument::Text() const {
  std::string text;
  for (size_t i = 0; i < paragraphs.size(); ++i) text += (i ? "\n" : "") + paragraphs[i].Text();
  return text;
}

bool IsRtf(std::string_view text) { return text.substr(0, 5) == "{\\rtf"; }

RtfDocument ReadRtf(std::string_view text) { return Reader(text).Read(); }
