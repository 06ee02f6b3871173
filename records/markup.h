#pragma once
// CMarkup: a small XML document held as one text with an index of its
// elements, enough for the transfer and archive files. It knows elements,
// attributes in double quotes, the five predefined entities and CDATA as
// element content; processing instructions, comments and CDATA between
// elements are skipped. Text between tags is not examined.
//
// The text is edited in place: adding an element or attribute inserts text
// and shifts the positions behind it, so GetDoc() is always the file content.
// Every element added stands on its own line, ended by CR LF.
//
//   CMarkup xml;
//   xml.AddElem("R");
//   xml.AddAttrib("version", "0.0.1");
//   xml.AddChildElem("C", "x&y");       // <R version="0.0.1">\r\n<C>x&amp;y</C>\r\n</R>\r\n
//
//   if (xml.SetDoc(text) && xml.FindElem("R") && xml.FindChildElem("C"))
//     value = xml.GetDataAt(xml.ChildPosition());
//
// Positions are byte offsets into the UTF-8 text (every tag is ASCII).
#include <string>
#include <string_view>
#include <vector>

class CMarkup {
 public:
  // Documents nested deeper than this fail to parse.
  static constexpr int kMaxDepth = 1000;

  CMarkup();
  virtual ~CMarkup() = default;

  // Parses the text; false (and an empty document) when it is malformed or
  // holds no element. Without a text the document becomes empty (false).
  bool SetDoc(std::string_view text);
  bool SetDoc();
  // SetDoc that takes the text over instead of copying it.
  bool AdoptDoc(std::string&& text);
  const std::string& GetDoc() const { return doc_; }

  // The next sibling of the main element (or the first top-level element)
  // with the tag name (any with an empty name) becomes the main element.
  bool FindElem(std::string_view name = {});
  // The next child of the main element with the tag name becomes the current child.
  bool FindChildElem(std::string_view name = {});
  // The current child (or the first child) becomes the main element.
  bool IntoElem();

  // Adds an element behind the main element; it becomes the main element.
  bool AddElem(std::string_view name, std::string_view value = {});
  // Adds a child behind the current child (or the main element's last child);
  // it becomes the current child. False without a main element.
  bool AddChildElem(std::string_view name, std::string_view value = {});
  bool AddAttrib(std::string_view name, std::string_view value);
  bool AddChildAttrib(std::string_view name, std::string_view value);

  // The attribute's value with entities resolved; "" when missing.
  std::string GetAttribAt(int index, std::string_view name) const;
  // The element's text; "" for an element with children, an empty-element
  // tag or index 0.
  std::string GetDataAt(int index) const;

  int MainPosition() const { return main_; }
  int ChildPosition() const { return child_; }
  // The text position behind the current child's end (0 without one).
  int ChildEnd() const { return Valid(child_) ? index_[static_cast<size_t>(child_)].endRight + 1 : 0; }
  // For a reader that goes through the children in order: the text before
  // the position is read no more, and its memory goes back to the system
  // (GetDoc() holds zeros there afterwards).
  void ForgetTextBefore(int position);
  int Level() const { return level_; }
  // The size of the element index (it grows by half when full).
  int IndexSize() const { return static_cast<int>(index_.size()); }

  // "<", "&" and ">" as entities; in attribute values also "'" and '"'.
  static std::string Escape(std::string_view text, bool attribute);
  static void AppendEscaped(std::string& out, std::string_view text, bool attribute);
  // The five entities back to their characters; any other "&" stays.
  static std::string Unescape(std::string_view text);

 private:
  struct ElemPos {
    int startLeft = 0;
    int startRight = 0;
    int endLeft = 0;
    int endRight = 0;
    int next = 0;
    int parent = 0;
    int firstChild = 0;
    int nextSibling = 0;
  };
  struct Token {
    int start = 0;
    int end = 0;
    bool quoted = false;
  };

  void Reset();
  int TakeEntry();
  // Parses one element under the parent from the scan position: its index,
  // 0 at the parent's end tag, -1 on failure.
  int ParseElem(int parent, int scan, int depth);
  // The next token from pos (advanced behind it), not beyond limit.
  bool NextToken(int& pos, int limit, Token& token) const;
  std::string_view TokenText(const Token& token) const;
  std::string_view TagName(int index) const;
  bool IsEmptyTagged(int index) const;
  bool Valid(int index) const { return index > 0 && index < next_; }
  int FindSibling(int from, std::string_view name) const;
  // Inserts a new element under the parent behind the sibling (0: first).
  int InsertElem(int parent, int after, std::string_view name, std::string_view value);
  bool InsertAttrib(int index, std::string_view name, std::string_view value);
  // Shifts every position at or behind `at` by `length`: the subtrees of the
  // chain from firstFollowing, then from `start` up to the top each element
  // and its following siblings' subtrees.
  void ShiftBehind(int start, int firstFollowing, int at, int length);
  void ShiftSubtree(int root, int at, int length);
  void ShiftFields(int index, int at, int length);

  std::string doc_;
  int forgotten_ = 0;
  int level_ = 0;
  std::vector<ElemPos> index_;
  int main_ = 0;
  int child_ = 0;
  int next_ = 1;
};
