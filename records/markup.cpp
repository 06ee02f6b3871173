#include "records/markup.h"

#include <algorithm>
#include <array>
#include <climits>

#include "platform/heap.h"

namespace {

constexpr int kInitialIndexSize = 50;

bool IsWhite(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool IsDelimiter(char c) {
  switch (c) {
    case '<': case '>': case '=': case '\\': case '/': case '?': case '!':
      return true;
    default:
      return IsWhite(c);
  }
}

int Find(const std::string& text, std::string_view what, int from) {
  const size_t at = text.find(what, static_cast<size_t>(from));
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

}  // namespace

CMarkup::CMarkup() { SetDoc(); }

void CMarkup::Reset() {
  forgotten_ = 0;
  level_ = 0;
  main_ = 0;
  child_ = 0;
  next_ = 1;
  if (index_.size() < kInitialIndexSize) index_.resize(kInitialIndexSize);
  index_[0] = ElemPos{};
}

bool CMarkup::SetDoc() {
  Reset();
  doc_.clear();
  return false;
}

bool CMarkup::SetDoc(std::string_view text) {
  if (text.size() >= static_cast<size_t>(INT_MAX)) return SetDoc();
  return AdoptDoc(std::string(text));
}

bool CMarkup::AdoptDoc(std::string&& text) {
  Reset();
  if (text.size() >= static_cast<size_t>(INT_MAX)) return SetDoc();
  doc_ = std::move(text);
  const int root = ParseElem(0, 0, 1);
  if (root <= 0) return SetDoc();
  index_[0].firstChild = root;
  return true;
}

int CMarkup::TakeEntry() {
  if (next_ >= static_cast<int>(index_.size())) index_.resize(index_.size() + index_.size() / 2);
  index_[static_cast<size_t>(next_)] = ElemPos{};
  return next_++;
}

bool CMarkup::NextToken(int& pos, int limit, Token& token) const {
  while (pos < limit && IsWhite(doc_[static_cast<size_t>(pos)])) ++pos;
  if (pos >= limit) return false;
  const char c = doc_[static_cast<size_t>(pos)];
  if (c == '"') {
    const size_t close = doc_.find('"', static_cast<size_t>(pos) + 1);
    if (close == std::string::npos || static_cast<int>(close) >= limit) return false;
    token = {pos + 1, static_cast<int>(close), true};
    pos = static_cast<int>(close) + 1;
    return true;
  }
  if (IsDelimiter(c)) {
    token = {pos, pos + 1, false};
    ++pos;
    return true;
  }
  const int start = pos;
  while (pos < limit && !IsDelimiter(doc_[static_cast<size_t>(pos)])) ++pos;
  token = {start, pos, false};
  return true;
}

std::string_view CMarkup::TokenText(const Token& token) const {
  return std::string_view(doc_).substr(static_cast<size_t>(token.start), static_cast<size_t>(token.end - token.start));
}

std::string_view CMarkup::TagName(int index) const {
  int pos = index_[static_cast<size_t>(index)].startLeft + 1;
  Token token;
  if (!NextToken(pos, static_cast<int>(doc_.size()), token)) return {};
  return TokenText(token);
}

bool CMarkup::IsEmptyTagged(int index) const {
  const ElemPos& e = index_[static_cast<size_t>(index)];
  return e.startRight == e.endLeft + 1;
}

int CMarkup::ParseElem(int parent, int scan, int depth) {
  const int self = TakeEntry();
  auto fail = [this] {
    --next_;
    return -1;
  };
  const int size = static_cast<int>(doc_.size());
  int pos = scan;
  Token name;
  int lt = 0;
  for (;;) {
    lt = Find(doc_, "<", pos);
    if (lt < 0) return fail();
    index_[static_cast<size_t>(parent)].endLeft = lt;
    int after = lt + 1;
    if (!NextToken(after, size, name) || name.quoted) return fail();
    const char first = doc_[static_cast<size_t>(name.start)];
    if (first == '?') {
      const int end = Find(doc_, "?>", after);
      if (end < 0) return fail();
      pos = end + 2;
    } else if (first == '!') {
      const bool cdata = name.start + 1 < size && doc_[static_cast<size_t>(name.start) + 1] == '[';
      const std::string_view marker = cdata ? "]]>" : "-->";
      const int end = Find(doc_, marker, name.start + 1);
      if (end < 0) return fail();
      pos = end + static_cast<int>(marker.size());
    } else if (first == '/') {
      --next_;  // the parent's end tag: no element here
      return 0;
    } else {
      pos = after;
      break;
    }
  }
  // An explicit limit instead of the stack's: a hostile file may nest without end.
  if (depth > kMaxDepth) return fail();

  const int gt = Find(doc_, ">", pos);
  if (gt < 0) return fail();
  {
    ElemPos& e = index_[static_cast<size_t>(self)];
    e.parent = parent;
    e.startLeft = lt;
    e.startRight = gt;
  }
  if (doc_[static_cast<size_t>(gt) - 1] == '/') {
    ElemPos& e = index_[static_cast<size_t>(self)];
    e.endLeft = gt - 1;
    e.endRight = gt;
  } else {
    int childScan = gt + 1;
    int last = 0;
    for (;;) {
      const int child = ParseElem(self, childScan, depth + 1);
      if (child < 0) return fail();
      if (child == 0) break;
      if (last) index_[static_cast<size_t>(last)].nextSibling = child;
      else index_[static_cast<size_t>(self)].firstChild = child;
      last = child;
      childScan = index_[static_cast<size_t>(child)].next;
    }
    // The end tag: "/" and the element's own name, up to its ">".
    int tokenPos = index_[static_cast<size_t>(self)].endLeft + 1;
    Token token;
    if (!NextToken(tokenPos, size, token) || token.quoted || TokenText(token) != "/") return fail();
    if (!NextToken(tokenPos, size, token) || token.quoted || TokenText(token) != TokenText(name)) return fail();
    int endRight = -1;
    while (NextToken(tokenPos, size, token)) {
      if (!token.quoted && doc_[static_cast<size_t>(token.start)] == '>') {
        endRight = token.start;
        break;
      }
    }
    if (endRight < 0) return fail();
    index_[static_cast<size_t>(self)].endRight = endRight;
  }
  ElemPos& e = index_[static_cast<size_t>(self)];
  const int following = Find(doc_, "<", e.endRight);
  e.next = following < 0 ? size : following;
  return self;
}

// ------------------------------------------------------------ navigation

int CMarkup::FindSibling(int from, std::string_view name) const {
  for (int i = from; i != 0; i = index_[static_cast<size_t>(i)].nextSibling)
    if (name.empty() || TagName(i) == name) return i;
  return 0;
}

bool CMarkup::FindElem(std::string_view name) {
  const int from = main_ ? index_[static_cast<size_t>(main_)].nextSibling : index_[0].firstChild;
  const int found = FindSibling(from, name);
  if (!found) return false;
  main_ = found;
  child_ = 0;
  return true;
}

bool CMarkup::FindChildElem(std::string_view name) {
  if (!main_ && !FindElem()) return false;
  if (IsEmptyTagged(main_)) return false;
  const int from = child_ ? index_[static_cast<size_t>(child_)].nextSibling
                          : index_[static_cast<size_t>(main_)].firstChild;
  const int found = FindSibling(from, name);
  if (!found) return false;
  child_ = found;
  return true;
}

bool CMarkup::IntoElem() {
  if (!child_ && !FindChildElem()) return false;
  main_ = child_;
  child_ = 0;
  ++level_;
  return true;
}

// ------------------------------------------------------------ reading

std::string CMarkup::GetAttribAt(int index, std::string_view name) const {
  if (!Valid(index) || name.empty()) return {};
  const ElemPos& e = index_[static_cast<size_t>(index)];
  const int limit = e.startRight + 1;
  int pos = e.startLeft + 1;
  Token token;
  if (!NextToken(pos, limit, token)) return {};  // the tag name
  // Tokens in a window of three: name, "=", quoted value.
  Token window[3];
  int count = 0;
  while (NextToken(pos, limit, token)) {
    if (!token.quoted) {
      const char c = doc_[static_cast<size_t>(token.start)];
      if (c == '>' || c == '/') break;
    }
    window[0] = window[1];
    window[1] = window[2];
    window[2] = token;
    if (++count >= 3 && !window[0].quoted && TokenText(window[0]) == name && window[2].quoted)
      return Unescape(TokenText(window[2]));
  }
  return {};
}

std::string CMarkup::GetDataAt(int index) const {
  if (!Valid(index)) return {};
  const ElemPos& e = index_[static_cast<size_t>(index)];
  if (e.firstChild || IsEmptyTagged(index)) return {};
  const int start = e.startRight + 1;
  const int end = e.endLeft;
  if (end <= start) return {};
  int pos = start;
  while (pos < end && IsWhite(doc_[static_cast<size_t>(pos)])) ++pos;
  constexpr std::string_view kCdataOpen = "<![CDATA[";
  if (pos + 11 < end && std::string_view(doc_).substr(static_cast<size_t>(pos), kCdataOpen.size()) == kCdataOpen) {
    const int close = Find(doc_, "]]>", pos + static_cast<int>(kCdataOpen.size()));
    if (close >= 0 && close < end) {
      const int from = pos + static_cast<int>(kCdataOpen.size());
      return doc_.substr(static_cast<size_t>(from), static_cast<size_t>(close - from));
    }
  }
  return Unescape(std::string_view(doc_).substr(static_cast<size_t>(start), static_cast<size_t>(end - start)));
}

void CMarkup::ForgetTextBefore(int position) {
  // In steps of a few pages: each step is a call into the system.
  constexpr int kStep = 1 << 20;
  position = std::min(position, static_cast<int>(doc_.size()));
  if (position - forgotten_ < kStep) return;
  platform::ReleasePages(doc_.data() + forgotten_, static_cast<size_t>(position - forgotten_));
  forgotten_ = position;
}

// ------------------------------------------------------------ escaping

namespace {

// The bytes that become entities: bit 1 in a text, bit 2 in an attribute.
// A table instead of find_first_of, which calls memchr once per byte.
constexpr std::array<unsigned char, 256> kEscaped = [] {
  std::array<unsigned char, 256> table{};
  for (unsigned char c : {'<', '&', '>'}) table[c] = 3;
  for (unsigned char c : {'\'', '"'}) table[c] = 2;
  return table;
}();

}  // namespace

void CMarkup::AppendEscaped(std::string& out, std::string_view text, bool attribute) {
  const unsigned char wanted = attribute ? 2 : 1;
  size_t from = 0;
  for (size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    if (!(kEscaped[static_cast<unsigned char>(c)] & wanted)) continue;
    out.append(text.data() + from, at - from);
    switch (c) {
      case '<': out += "&lt;"; break;
      case '&': out += "&amp;"; break;
      case '>': out += "&gt;"; break;
      case '\'': out += "&apos;"; break;
      default: out += "&quot;"; break;
    }
    from = at + 1;
  }
  out.append(text.data() + from, text.size() - from);
}

std::string CMarkup::Escape(std::string_view text, bool attribute) {
  std::string out;
  out.reserve(text.size() + 16);
  AppendEscaped(out, text, attribute);
  return out;
}

std::string CMarkup::Unescape(std::string_view text) {
  static constexpr struct {
    std::string_view entity;
    char c;
  } kEntities[] = {{"&lt;", '<'}, {"&amp;", '&'}, {"&gt;", '>'}, {"&apos;", '\''}, {"&quot;", '"'}};
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const size_t amp = text.find('&', i);
    if (amp == std::string_view::npos) {
      out.append(text.substr(i));
      break;
    }
    out.append(text.substr(i, amp - i));
    i = amp + 1;
    out += '&';
    for (const auto& e : kEntities) {
      if (text.substr(amp, e.entity.size()) == e.entity) {
        out.back() = e.c;
        i = amp + e.entity.size();
        break;
      }
    }
  }
  return out;
}

// ------------------------------------------------------------ building

void CMarkup::ShiftFields(int index, int at, int length) {
  ElemPos& e = index_[static_cast<size_t>(index)];
  for (int* field : {&e.startLeft, &e.startRight, &e.endLeft, &e.endRight, &e.next})
    if (*field >= at) *field += length;
}

void CMarkup::ShiftSubtree(int root, int at, int length) {
  int n = root;
  for (;;) {
    ShiftFields(n, at, length);
    const ElemPos& e = index_[static_cast<size_t>(n)];
    if (e.firstChild) {
      n = e.firstChild;
      continue;
    }
    while (n != root && !index_[static_cast<size_t>(n)].nextSibling) n = index_[static_cast<size_t>(n)].parent;
    if (n == root) return;
    n = index_[static_cast<size_t>(n)].nextSibling;
  }
}

void CMarkup::ShiftBehind(int start, int firstFollowing, int at, int length) {
  for (int s = firstFollowing; s; s = index_[static_cast<size_t>(s)].nextSibling) ShiftSubtree(s, at, length);
  for (int cur = start; cur != 0; cur = index_[static_cast<size_t>(cur)].parent) {
    ShiftFields(cur, at, length);
    for (int s = index_[static_cast<size_t>(cur)].nextSibling; s; s = index_[static_cast<size_t>(s)].nextSibling)
      ShiftSubtree(s, at, length);
  }
}

int CMarkup::InsertElem(int parent, int after, std::string_view name, std::string_view value) {
  const std::string tag(name);
  std::string text;
  text.reserve(value.size() + value.size() / 16 + 2 * tag.size() + 8);
  if (value.empty()) {
    text.append("<").append(tag).append("/>\r\n");
  } else {
    text.append("<").append(tag).append(">");
    AppendEscaped(text, value, false);
    text.append("</").append(tag).append(">\r\n");
  }
  const int textLength = static_cast<int>(text.size());
  const int nameLength = static_cast<int>(tag.size());
  const int valueLength = textLength - 2 * nameLength - 7;

  const int self = TakeEntry();  // may move the index: no references before this
  int at = 0;
  if (parent != 0 && !after && !index_[static_cast<size_t>(parent)].firstChild && IsEmptyTagged(parent)) {
    // '<P/>' is opened: its "/" becomes ">", CR LF, the new element and "</P".
    const std::string parentName(TagName(parent));
    const int slash = index_[static_cast<size_t>(parent)].endLeft;
    const std::string insert = ">\r\n" + text + "</" + parentName;
    const int delta = static_cast<int>(insert.size()) - 1;
    ShiftBehind(parent, 0, slash + 1, delta);
    doc_.replace(static_cast<size_t>(slash), 1, insert);
    ElemPos& p = index_[static_cast<size_t>(parent)];
    p.startRight = slash;
    p.endLeft = slash + 3 + textLength;
    at = slash + 3;
  } else {
    const ElemPos& p = index_[static_cast<size_t>(parent)];
    if (after) at = index_[static_cast<size_t>(after)].next;
    else if (p.firstChild) at = index_[static_cast<size_t>(p.firstChild)].startLeft;
    else at = p.endLeft;
    const int following = after ? index_[static_cast<size_t>(after)].nextSibling : p.firstChild;
    ShiftBehind(parent, following, at, textLength);
    doc_.insert(static_cast<size_t>(at), text);
  }

  ElemPos& e = index_[static_cast<size_t>(self)];
  e.parent = parent;
  e.startLeft = at;
  if (value.empty()) {
    e.endLeft = at + 1 + nameLength;
    e.startRight = e.endRight = e.endLeft + 1;
  } else {
    e.startRight = at + 1 + nameLength;
    e.endLeft = e.startRight + 1 + valueLength;
    e.endRight = e.endLeft + 2 + nameLength;
  }
  e.next = at + textLength;
  ElemPos& p = index_[static_cast<size_t>(parent)];
  if (after) {
    e.nextSibling = index_[static_cast<size_t>(after)].nextSibling;
    index_[static_cast<size_t>(after)].nextSibling = self;
  } else {
    e.nextSibling = p.firstChild;
    p.firstChild = self;
  }
  return self;
}

bool CMarkup::AddElem(std::string_view name, std::string_view value) {
  const int parent = main_ ? index_[static_cast<size_t>(main_)].parent : 0;
  main_ = InsertElem(parent, main_, name, value);
  child_ = 0;
  return true;
}

bool CMarkup::AddChildElem(std::string_view name, std::string_view value) {
  if (!main_) return false;
  if (!child_) {
    for (int c = index_[static_cast<size_t>(main_)].firstChild; c; c = index_[static_cast<size_t>(c)].nextSibling)
      child_ = c;
  }
  child_ = InsertElem(main_, child_, name, value);
  return true;
}

bool CMarkup::InsertAttrib(int index, std::string_view name, std::string_view value) {
  if (!Valid(index)) return false;
  const std::string text = " " + std::string(name) + "=\"" + Escape(value, true) + "\"";
  const ElemPos& e = index_[static_cast<size_t>(index)];
  const int at = IsEmptyTagged(index) ? e.endLeft : e.startRight;
  ShiftBehind(index, e.firstChild, at, static_cast<int>(text.size()));
  doc_.insert(static_cast<size_t>(at), text);
  return true;
}

bool CMarkup::AddAttrib(std::string_view name, std::string_view value) { return InsertAttrib(main_, name, value); }

bool CMarkup::AddChildAttrib(std::string_view name, std::string_view value) {
  return InsertAttrib(child_, name, value);
}
