// The RTF reader of the help topics: every construct it knows, the shipped
// topic, damaged and hostile input; and the control that shows the result.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextDocument>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "controls/autorichedit.h"
#include "controls/rtfreader.h"
#include "platform/files.h"
#include "platform/textcodec.h"
#include "platform/textfile.h"

using platform::RGB;

namespace {

const std::filesystem::path kTopic =
    std::filesystem::path(PRAVIK_FIXTURES) / ".." / ".." / "resources" / "programfolder" / "hlp" / "tipps_und_tricks.rtf";

std::string Rtf(const std::string& body) { return "{\\rtf1\\ansi\\deff0 " + body + "}"; }

// The runs of a document as "text" with markers: *bold*, /italic/, _underline_.
std::string Marked(const RtfDocument& doc) {
  std::string out;
  for (size_t p = 0; p < doc.paragraphs.size(); ++p) {
    if (p) out += "\n";
    for (const RtfRun& run : doc.paragraphs[p].runs) {
      std::string text = run.text;
      if (run.format.underline) text = "_" + text + "_";
      if (run.format.italic) text = "/" + text + "/";
      if (run.format.bold) text = "*" + text + "*";
      out += text;
    }
  }
  return out;
}

}  // namespace

TEST(RtfReader, EveryConstructOfTheSubset) {
  struct Case {
    const char* name;
    std::string rtf;
    std::string text;    // paragraphs joined by "\n"
    std::string marked;  // empty: not checked
  } cases[] = {
      {"plain text and paragraphs", Rtf("eins\\par zwei\\par drei"), "eins\nzwei\ndrei", ""},
      {"a final \\par opens no empty paragraph", Rtf("eins\\par"), "eins", ""},
      {"empty paragraphs stay", Rtf("a\\par\\par b"), "a\n\nb", ""},
      {"line break and tab", Rtf("a\\line b\\tab c"), "a\u2028b\tc", ""},
      {"the delimiting blank belongs to the word", Rtf("\\b fett\\b0  normal"), "fett normal", "*fett* normal"},
      {"bold, italic, underline and \\ulnone", Rtf("\\b B\\b0 \\i I\\i0 \\ul U\\ulnone x\\ul y\\ul0 z"), "BIUxyz",
       "*B*/I/_U_x_y_z"},
      {"\\plain ends every character format", Rtf("\\b\\i\\ul abc\\plain d"), "abcd", "*/_abc_/*d"},
      {"groups restore the format", Rtf("a{\\b b{\\i c}d}e"), "abcde", "a*b**/c/**d*e"},
      {"escaped backslash and braces", Rtf("\\\\ \\{x\\}"), "\\ {x}", ""},
      {"code page 1252 escapes: umlauts, sharp s, euro", Rtf("Pr\\'fcfung \\'e4\\'f6\\'dc\\'df \\'80"),
       "Prüfung äöÜß €", ""},
      {"\\u with its one fallback character", Rtf("Gr\\u246?\\u223?e"), "Größe", ""},
      {"\\u with \\uc2 skips two fallbacks, an escape counting as one", Rtf("\\uc2 \\u8364\\'80xy"), "€y", ""},
      {"\\uc0: nothing to skip", Rtf("\\uc0\\u228 a"), "äa", ""},
      {"negative \\u values are 16-bit", Rtf("\\u-3972?"), "\uF07C", ""},
      {"a surrogate pair", Rtf("\\u-10179?\\u-8704?"), "\U0001F600", ""},
      {"the fallback stops at a group's end", Rtf("{\\uc3\\u228 a}b"), "äb", ""},
      {"nested groups", Rtf("{a{b{c{d}}}}e"), "abcde", ""},
      {"font and colour tables are not text",
       Rtf("{\\fonttbl{\\f0 Arial;}{\\f1\\fnil Courier New;}}{\\colortbl;\\red255\\green0\\blue0;}x"), "x", ""},
      {"\\* destinations are skipped whole", Rtf("a{\\*\\unknown b{c}d}e"), "ae", ""},
      {"style sheet, info and pictures are skipped",
       Rtf("{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}{\\author A}}a{\\pict\\wmetafile8 0a0b0c}b"), "ab", ""},
      {"\\bin data is passed over", Rtf("a{\\pict\\bin4 }{\\}}b"), "ab", ""},
      {"unknown words and symbols are ignored", Rtf("a\\foo12 b\\~c\\-d"), "abcd", ""},
      {"a backslash before a line end is a paragraph", Rtf("a\\\nb"), "a\nb", ""},
      {"line ends in the source are not text", Rtf("a\r\nb\nc"), "abc", ""},
      {"reading ends where the document's group closes", "{\\rtf1 a}b", "a", ""},
      {"text in a field result is shown", Rtf("{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt Link}}"), "Link", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const RtfDocument doc = ReadRtf(c.rtf);
    EXPECT_EQ(doc.Text(), c.text);
    if (!c.marked.empty()) {
      EXPECT_EQ(Marked(doc), c.marked);
    }
  }
}

// Help topics are read as UTF-8: a symbol and a fallback character are one
// character of however many bytes, never a lone byte of one.
TEST(RtfReader, SymbolsAndFallbacksTakeWholeCharacters) {
  struct Case {
    const char* name;
    std::string rtf;
    std::string text;
  } cases[] = {
      {"a backslash before a two-byte character", Rtf("a\\\u00e4b"), "ab"},
      {"a backslash before a three-byte character", Rtf("a\\\u20acb"), "ab"},
      {"a backslash before a four-byte character", Rtf("a\\\U0001F600b"), "ab"},
      {"a two-byte fallback", Rtf("\\u228\u00e4x"), "\u00e4x"},
      {"a three-byte fallback", Rtf("\\u8364\u20acx"), "\u20acx"},
      {"two fallbacks of several bytes", Rtf("\\uc2\\u228 \u00f6\u20acx"), "\u00e4x"},
      {"a fallback of several bytes after an ASCII one", Rtf("\\uc2\\u228 ?\u00fcx"), "\u00e4x"},
      {"a cut character at the end", "{\\rtf1 a\\\xC3", "a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string text = ReadRtf(c.rtf).Text();
    EXPECT_EQ(text, c.text);
    EXPECT_TRUE(platform::IsUtf8(text));
  }
}

TEST(RtfReader, ParagraphAndCharacterFormats) {
  const RtfDocument doc = ReadRtf(
      Rtf("{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Times New Roman;}}{\\colortbl;\\red0\\green0\\blue128;\\red192\\green0"
          "\\blue0;}"
          "\\pard\\qc\\fs32 Titel\\par"
          "\\pard\\li360\\fi-360\\f1\\cf2 eingezogen\\par"
          "\\qr rechts\\par"
          "\\pard\\ql\\plain links\\cf9 x\\par"));
  ASSERT_EQ(doc.paragraphs.size(), 4u);
  const RtfParagraph& title = doc.paragraphs[0];
  EXPECT_EQ(title.align, RtfAlign::Center);
  ASSERT_EQ(title.runs.size(), 1u);
  EXPECT_EQ(title.runs[0].format.fontSize, 32);
  EXPECT_EQ(title.runs[0].format.font, "Arial");  // \deff0
  EXPECT_FALSE(title.runs[0].format.color);

  const RtfParagraph& indented = doc.paragraphs[1];
  EXPECT_EQ(indented.align, RtfAlign::Left);
  EXPECT_EQ(indented.leftIndent, 360);
  EXPECT_EQ(indented.firstIndent, -360);
  EXPECT_EQ(indented.runs[0].format.font, "Times New Roman");
  EXPECT_EQ(indented.runs[0].format.color, RGB(192, 0, 0));
  EXPECT_EQ(indented.runs[0].format.fontSize, 32);  // \pard keeps the character format

  // \qr without \pard keeps the indents; \pard ends them.
  EXPECT_EQ(doc.paragraphs[2].align, RtfAlign::Right);
  EXPECT_EQ(doc.paragraphs[2].leftIndent, 360);
  const RtfParagraph& left = doc.paragraphs[3];
  EXPECT_EQ(left.align, RtfAlign::Left);
  EXPECT_EQ(left.leftIndent, 0);
  ASSERT_EQ(left.runs.size(), 1u);  // a colour beyond the table is the automatic one
  EXPECT_EQ(left.runs[0].format.fontSize, 24);
  EXPECT_EQ(left.runs[0].format.font, "Arial");
  EXPECT_FALSE(left.runs[0].format.color);

  // A last paragraph without \par keeps the formats it had inside the document.
  const RtfDocument open = ReadRtf(Rtf("a\\par\\qc\\li720 Ende"));
  ASSERT_EQ(open.paragraphs.size(), 2u);
  EXPECT_EQ(open.paragraphs[1].align, RtfAlign::Center);
  EXPECT_EQ(open.paragraphs[1].leftIndent, 720);
}

TEST(RtfReader, TheShippedTopic) {
  const auto bytes = platform::ReadFileBytes(kTopic);
  ASSERT_TRUE(bytes) << kTopic;
  EXPECT_EQ(bytes->find('\n'), bytes->find("\r\n") + 1);  // CR LF as shipped
  const auto text = platform::ReadTextFile(kTopic);
  ASSERT_TRUE(text);
  ASSERT_TRUE(IsRtf(*text));
  const RtfDocument doc = ReadRtf(*text);
  const std::string all = doc.Text();
  EXPECT_EQ(all.find('\\'), std::string::npos) << all;
  EXPECT_EQ(all.find('{'), std::string::npos);
  EXPECT_EQ(all.find("Arial"), std::string::npos);

  // The title, centred, bold, large and dark blue.
  ASSERT_GT(doc.paragraphs.size(), 20u);
  const RtfParagraph& title = doc.paragraphs[0];
  EXPECT_EQ(title.Text(), "Tipps und Tricks");
  EXPECT_EQ(title.align, RtfAlign::Center);
  EXPECT_TRUE(title.runs[0].format.bold);
  EXPECT_EQ(title.runs[0].format.fontSize, 32);
  EXPECT_EQ(title.runs[0].format.color, RGB(0, 0, 128));

  // Every key the topic explains, bold at the start of its paragraph.
  std::vector<std::string> keys;
  for (const RtfParagraph& p : doc.paragraphs)
    if (!p.runs.empty() && p.runs[0].format.bold && p.leftIndent == 2300) keys.push_back(p.runs[0].text);
  EXPECT_EQ(keys, (std::vector<std::string>{"Strg+1", "Strg+2", "Strg+3", "Strg+S", "F12", "Alt+1", "Doppelklick",
                                            "Rechte Maustaste", "Rollen", "Klick auf Überschrift"}));
  auto paragraph = [&doc](const std::string& start) -> const RtfParagraph* {
    for (const RtfParagraph& p : doc.paragraphs)
      if (p.Text().rfind(start, 0) == 0) return &p;
    return nullptr;
  };
  const RtfParagraph* ctrl1 = paragraph("Strg+1");
  ASSERT_NE(ctrl1, nullptr);
  EXPECT_EQ(ctrl1->Text(), "Strg+1\tsetzt bei allen markierten Prüfnummern das Häkchen.");
  EXPECT_EQ(ctrl1->firstIndent, -2300);
  RtfDocument one;
  one.paragraphs = {*ctrl1};
  EXPECT_EQ(Marked(one), "*Strg+1*\tsetzt bei allen markierten Prüfnummern das Häkchen.");
  for (const char* start : {"Alt+1", "Hält man die Alt", "Der Knopf ?", "In den Feldern der Grunddaten"})
    EXPECT_NE(paragraph(start), nullptr) << start;
  EXPECT_NE(all.find("Strg+E"), std::string::npos);
  EXPECT_NE(all.find("Spalten Layout zurücksetzen"), std::string::npos);
  EXPECT_EQ(doc.paragraphs.back().Text(), "Pravik");
  EXPECT_EQ(doc.paragraphs.back().align, RtfAlign::Right);
}

TEST(RtfReader, DamagedAndHostileInputNeverFails) {
  struct Case {
    const char* name;
    std::string rtf;
    std::string text;
  } cases[] = {
      {"unclosed groups", "{\\rtf1 a{\\b b{c", "abc"},
      {"extra closing braces before the end", "{\\rtf1 a}}}b", "a"},
      {"a cut escape at the end", "{\\rtf1 ab\\'", "ab"},
      {"an escape with one hex digit at the end", "{\\rtf1 ab\\'4", "ab"},
      {"an escape without hex digits", "{\\rtf1 a\\'zzb}", "azzb"},
      {"a lone backslash at the end", "{\\rtf1 a\\", "a"},
      {"a huge \\bin count", "{\\rtf1 a\\bin999999999999999999 xyz}", "a"},
      {"a negative \\bin count", "{\\rtf1 a\\bin-5 xyz}", "axyz"},
      {"a \\bin count ending inside a character", "{\\rtf1 a\\bin1 \xC3\xA4" "b}", "ab"},
      {"a huge parameter", "{\\rtf1 \\fs99999999999999999999 a\\li-99999999999999 b}", "ab"},
      {"a huge \\uc", "{\\rtf1 \\uc99999\\u228 abc}d", "ä"},
      {"a lone low surrogate", "{\\rtf1 \\u-8704?}", "\uFFFD"},
      {"a control word of many letters", "{\\rtf1 \\" + std::string(100000, 'x') + " a}", "a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReadRtf(c.rtf).Text(), c.text);
  }
  EXPECT_EQ(ReadRtf("").paragraphs.size(), 0u);

  // 100,000 nested groups, opened and closed, and opened only.
  const std::string deep = "{\\rtf1 " + std::string(100000, '{') + "tief" + std::string(100000, '}') + "x}";
  EXPECT_EQ(ReadRtf(deep).Text(), "tiefx");
  EXPECT_EQ(ReadRtf("{\\rtf1 " + std::string(100000, '{') + "tief").Text(), "tief");

  // Random damage to the shipped topic: whatever comes out, the reader ends.
  const auto topic = platform::ReadTextFile(kTopic);
  ASSERT_TRUE(topic);
  std::mt19937 random(20240611);
  const std::string specials = "{}\\'*0123456789abcdefu-; ";
  for (int round = 0; round < 300; ++round) {
    std::string damaged = *topic;
    const int edits = 1 + static_cast<int>(random() % 12);
    for (int e = 0; e < edits; ++e) {
      const size_t at = random() % damaged.size();
      switch (random() % 4) {
        case 0: damaged[at] = specials[random() % specials.size()]; break;
        case 1: damaged.erase(at, random() % 20); break;
        case 2: damaged.insert(at, std::string(random() % 50, specials[random() % specials.size()])); break;
        case 3: damaged.resize(at); break;
      }
      if (damaged.empty()) damaged = "{";
    }
    const RtfDocument doc = ReadRtf(damaged);
    EXPECT_LE(doc.Text().size(), damaged.size() * 4) << round;
  }
}

TEST(AutoRichEdit, ShowsRtfPlainTextOrNothing) {
  CAutoRichEditCtrl control;
  EXPECT_TRUE(control.isReadOnly());
  control.SetRTF(Rtf("\\qc\\b Titel\\b0\\par\\li720 Gr\\'fc\\'dfe\\line zweite Zeile"));
  QTextDocument* doc = control.document();
  ASSERT_EQ(doc->blockCount(), 2);
  const QTextBlock title = doc->firstBlock();
  EXPECT_EQ(title.text().toStdString(), "Titel");
  EXPECT_EQ(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_EQ(title.begin().fragment().charFormat().fontWeight(), QFont::Bold);
  const QTextBlock second = title.next();
  EXPECT_EQ(second.text(), QString::fromUtf8("Grüße\u2028zweite Zeile"));
  EXPECT_NEAR(second.blockFormat().leftMargin(), control.logicalDpiX() / 2.0, 0.01);
  EXPECT_NE(second.begin().fragment().charFormat().fontWeight(), QFont::Bold);

  // A hanging paragraph: the text after the first tab starts where the next
  // lines start, also after heading words wider than a tab stop.
  control.SetRTF(Rtf("\\li3000\\fi-3000\\b Klick auf \\'dcberschrift\\b0\\tab " + std::string(40, 'w') + " " +
                     std::string(40, 'w')));
  doc->setTextWidth(500);
  doc->adjustSize();
  QTextLayout* layout = doc->firstBlock().layout();
  ASSERT_GE(layout->lineCount(), 2);
  const int afterTab = static_cast<int>(control.Document().paragraphs[0].Text().find('\t')) + 1;
  EXPECT_NEAR(layout->lineAt(0).cursorToX(afterTab), layout->lineAt(1).x(), 1.0);

  // Not RTF: shown as it stands, braces and backslashes included.
  control.SetRTF("Kein {\\b RTF}\nzweite Zeile");
  EXPECT_EQ(control.toPlainText().toStdString(), "Kein {\\b RTF}\nzweite Zeile");
  EXPECT_TRUE(control.Document().paragraphs.empty());

  control.SetRTF("");
  EXPECT_TRUE(control.toPlainText().isEmpty());
}
