#pragma once
// A reader of RTF text for the help topics: a pure function from the text to
// a small document of paragraphs and formatted runs.
//
//   RtfDocument doc = ReadRtf(text);          // text: UTF-8, as read from the file
//   for (const RtfParagraph& p : doc.paragraphs) ...
//
// It knows what help topics use: groups, \par, \line, \tab, \b, \i, \ul and
// \ulnone, \plain, \pard, \ql, \qc, \qr, \li, \fi, \fs, the font table with
// \f, the colour table with \cf, \'hh in code page 1252, \uN with \ucN, and
// the escaped backslash and braces. Destinations it does not know (groups
// marked \*, the style sheet, the document info, pictures and the like) are
// skipped whole; unknown control words are ignored. Damaged input never
// fails: unbalanced braces, deep nesting, a huge \bin count or a cut escape
// give whatever text could be read. Reading stops where the outermost group
// closes.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/drawtypes.h"

struct RtfCharFormat {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int fontSize = 24;  // half points
  std::string font;   // from the font table; empty: the control's own font
  std::optional<platform::ColorRef> color;  // none: the automatic colour
  bool operator==(const RtfCharFormat&) const = default;
};

// Text of a run: UTF-8; "\t" for a tab and U+2028 for a line break inside
// the paragraph.
struct RtfRun {
  std::string text;
  RtfCharFormat format;
  bool operator==(const RtfRun&) const = default;
};

enum class RtfAlign { Left, Center, Right };

struct RtfParagraph {
  RtfAlign align = RtfAlign::Left;
  int leftIndent = 0;   // twips
  int firstIndent = 0;  // twips, relative to the left indent
  std::vector<RtfRun> runs;
  std::string Text() const;
};

struct RtfDocument {
  std::vector<RtfParagraph> paragraphs;
  // The paragraphs' texts joined by "\n".
  std::string Text() const;
};

// The line separator that \line puts into a run.
inline constexpr char kRtfLineBreak[] = "\u2028";

// Whether the text begins with the RTF header "{\rtf".
bool IsRtf(std::string_view text);

RtfDocument ReadRtf(std::string_view text);
