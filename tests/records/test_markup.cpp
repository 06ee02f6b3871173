// The XML document class: parsing, navigation, building in place, escaping,
// the element index, and damaged input.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "records/markup.h"
#include "records/transfer.h"
#include "tools/record_generator.h"

namespace {

// The tag names, texts and attributes "a" of the main element's children.
std::vector<std::string> Children(CMarkup& xml) {
  std::vector<std::string> seen;
  while (xml.FindChildElem()) {
    const int child = xml.ChildPosition();
    seen.push_back(xml.GetDataAt(child) + "|" + xml.GetAttribAt(child, "a"));
  }
  return seen;
}

TEST(Markup, ParsesTheTransferLayoutAndSkipsTheDeclaration) {
  CMarkup xml;
  ASSERT_TRUE(xml.SetDoc(std::string(kXmlDeclaration) + "\r\n\r\n<R version=\"0.0.1\">\r\n<C a=\"1\">x</C>\r\n</R>\r\n"));
  EXPECT_FALSE(xml.FindElem("C"));  // only top-level elements
  ASSERT_TRUE(xml.FindElem("R"));
  EXPECT_EQ(xml.GetAttribAt(xml.MainPosition(), "version"), "0.0.1");
  EXPECT_EQ(Children(xml), (std::vector<std::string>{"x|1"}));
}

TEST(Markup, TextsThatDoNotParseLeaveAnEmptyDocument) {
  const std::string deep(100000, 'x');
  std::string nested;
  for (int i = 0; i < 100000; ++i) nested += "<E>";
  for (int i = 0; i < 100000; ++i) nested += "</E>";
  const char* cases[] = {
      "",
      "plain text, no element",
      "<?xml version=\"1.0\"?>",
      "<A></a>",                 // end tag in another case
      "<A",                      // unterminated tag
      "<A><B></B>",              // missing end tag
      "<\"A\"></\"A\">",         // a quoted token as tag name
      "<A><!-- open comment</A>",
      "<A><![CDATA[ open</A>",
      "</A>",
      "<A></B>",
      "<A>text</A",              // end tag without ">"
  };
  for (const std::string text : cases) {
    CMarkup xml;
    EXPECT_FALSE(xml.SetDoc(text)) << text;
    EXPECT_EQ(xml.GetDoc(), "") << text;
    EXPECT_FALSE(xml.FindElem()) << text;
  }
  CMarkup xml;
  EXPECT_FALSE(xml.SetDoc(nested));
  EXPECT_EQ(xml.GetDoc(), "");
}

TEST(Markup, NestingIsLimitedToAThousandLevels) {
  auto nested = [](int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += "<E>";
    text += "x";
    for (int i = 0; i < depth; ++i) text += "</E>";
    return text;
  };
  CMarkup xml;
  EXPECT_TRUE(xml.SetDoc(nested(CMarkup::kMaxDepth)));
  EXPECT_FALSE(xml.SetDoc(nested(CMarkup::kMaxDepth + 1)));
  EXPECT_EQ(xml.GetDoc(), "");
}

TEST(Markup, BuildsEachElementOnItsOwnLine) {
  CMarkup xml;
  ASSERT_TRUE(xml.AddElem("R"));
  ASSERT_TRUE(xml.AddAttrib("version", "0.0.1"));
  ASSERT_TRUE(xml.AddChildElem("C", "x&y"));
  EXPECT_EQ(xml.GetDoc(), "<R version=\"0.0.1\">\r\n<C>x&amp;y</C>\r\n</R>\r\n");

  // An empty value writes an empty-element tag; a child added under it opens it.
  CMarkup nested;
  nested.AddElem("R");
  nested.AddChildElem("C");
  EXPECT_EQ(nested.GetDoc(), "<R>\r\n<C/>\r\n</R>\r\n");
  ASSERT_TRUE(nested.IntoElem());
  nested.AddChildElem("D", "1");
  nested.AddChildAttrib("a", "<&>'\"");
  nested.AddChildElem("D", "2");
  // The positions kept while building are those of the text.
  EXPECT_EQ(nested.GetDataAt(nested.ChildPosition()), "2");
  EXPECT_EQ(nested.GetDataAt(nested.MainPosition()), "");
  nested.AddElem("S");  // behind C, under R
  nested.AddAttrib("b", "2");
  EXPECT_EQ(nested.GetAttribAt(nested.MainPosition(), "b"), "2");
  const std::string built = nested.GetDoc();
  EXPECT_EQ(built,
            "<R>\r\n<C>\r\n<D a=\"&lt;&amp;&gt;&apos;&quot;\">1</D>\r\n<D>2</D>\r\n</C>\r\n<S b=\"2\"/>\r\n</R>\r\n");

  // The text parses back into the same elements.
  CMarkup x;
  ASSERT_TRUE(x.SetDoc(built));
  ASSERT_TRUE(x.FindElem("R"));
  ASSERT_TRUE(x.FindChildElem("C"));
  ASSERT_TRUE(x.IntoElem());
  EXPECT_EQ(x.Level(), 1);
  EXPECT_EQ(Children(x), (std::vector<std::string>{"1|<&>'\"", "2|"}));
  ASSERT_TRUE(x.FindElem("S"));
  EXPECT_EQ(x.GetAttribAt(x.MainPosition(), "b"), "2");
  EXPECT_FALSE(x.FindChildElem());  // an empty-element tag has no children
  EXPECT_FALSE(CMarkup().AddChildElem("C"));  // no main element
  EXPECT_FALSE(CMarkup().AddAttrib("a", "1"));
}

TEST(Markup, EscapesTheMarkupCharactersOnly) {
  struct Case {
    std::string_view text;
    std::string_view asText;
    std::string_view asAttribute;
  };
  const Case cases[] = {
      {"", "", ""},
      {"plain 12,5 %", "plain 12,5 %", "plain 12,5 %"},
      {"<&>", "&lt;&amp;&gt;", "&lt;&amp;&gt;"},
      {"'\"", "'\"", "&apos;&quot;"},
      {"a<b>c&d'e\"f", "a&lt;b&gt;c&amp;d'e\"f", "a&lt;b&gt;c&amp;d&apos;e&quot;f"},
      {"&&", "&amp;&amp;", "&amp;&amp;"},
      {"\xe4\xb5<\x80\xff", "\xe4\xb5&lt;\x80\xff", "\xe4\xb5&lt;\x80\xff"},  // high bytes stay
      {std::string_view("a\0<", 3), std::string_view("a\0&lt;", 6), std::string_view("a\0&lt;", 6)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CMarkup::Escape(c.text, false), c.asText) << c.text;
    EXPECT_EQ(CMarkup::Escape(c.text, true), c.asAttribute) << c.text;
    EXPECT_EQ(CMarkup::Unescape(c.asAttribute), c.text);
    std::string out = "kept";
    CMarkup::AppendEscaped(out, c.text, true);
    EXPECT_EQ(out, "kept" + std::string(c.asAttribute));
  }
}

TEST(Markup, ReadsAttributesAndTexts) {
  struct Case {
    const char* doc;
    const char* data;
    const char* attribute;
  } cases[] = {
      {"<E a='1'>x</E>", "x", ""},  // values must be in double quotes
      {"<E a=\"1\" b=\"&lt;&quot;\">x</E>", "x", "1"},
      {"<E b=\"a\" a = \"2\"/>", "", "2"},
      {"<E><![CDATA[a<b]]></E>", "a<b", ""},
      {"<E>  <![CDATA[&amp;]]></E>", "&amp;", ""},  // raw, entities not resolved
      {"<E>a &amp; b</E>", "a & b", ""},
      {"<E>&nbsp;&lt;&gt;&apos;&quot;&amp;amp;</E>", "&nbsp;<>'\"&amp;", ""},
      {"<E>\r\n two lines \r\n</E>", "\r\n two lines \r\n", ""},
      {"<E><C/></E>", "", ""},  // an element with children has no text
      {"<E><!-- note --></E>", "<!-- note -->", ""},
  };
  for (const Case& c : cases) {
    CMarkup xml;
    ASSERT_TRUE(xml.SetDoc(c.doc)) << c.doc;
    ASSERT_TRUE(xml.FindElem("E"));
    EXPECT_EQ(xml.GetDataAt(xml.MainPosition()), c.data) << c.doc;
    EXPECT_EQ(xml.GetAttribAt(xml.MainPosition(), "a"), c.attribute) << c.doc;
  }
  CMarkup xml;
  EXPECT_EQ(xml.GetDataAt(0), "");
  EXPECT_EQ(xml.GetDataAt(7), "");
}

TEST(Markup, FindChildWalksTheNamedChildrenInOrderAndGrowsTheIndex) {
  CMarkup xml;
  xml.AddElem("L");
  EXPECT_EQ(xml.IndexSize(), 50);
  for (int i = 0; i < 120; ++i) {
    xml.AddChildElem(i % 3 == 0 ? "X" : "P", std::to_string(i));
    xml.AddChildAttrib("a", std::to_string(i));
  }
  EXPECT_EQ(xml.IndexSize(), 168);  // 50, 75, 112, 168
  // Every attribute landed in its element: the positions survived the growth.
  std::string expected = "<L>\r\n";
  for (int i = 0; i < 120; ++i) {
    const std::string tag = i % 3 == 0 ? "X" : "P";
    const std::string n = std::to_string(i);
    expected += "<" + tag + " a=\"" + n + "\">" + n + "</" + tag + ">\r\n";
  }
  expected += "</L>\r\n";
  EXPECT_EQ(xml.GetDoc(), expected);

  ASSERT_TRUE(xml.SetDoc(expected));
  ASSERT_TRUE(xml.FindElem("L"));
  int next = 1;
  while (xml.FindChildElem("P")) {
    EXPECT_EQ(xml.GetDataAt(xml.ChildPosition()), std::to_string(next));
    EXPECT_EQ(xml.GetAttribAt(xml.ChildPosition(), "a"), std::to_string(next));
    next += next % 3 == 1 ? 1 : 2;
  }
  EXPECT_EQ(next, 121);
  EXPECT_FALSE(xml.FindChildElem("P"));
}

// Random damage to a real month file: the parse either fails and leaves an
// empty document, or holds exactly the text, and reading it never crashes.
TEST(Markup, RandomlyDamagedMonthFilesNeverCrash) {
  const RecordList records = recordgen::RecordGenerator(3).Make(4);
  std::vector<const CVersuch*> pointers;
  for (const auto& r : records) pointers.push_back(r.get());
  const std::string month = BuildArchiveFile(pointers, "210315083000");
  std::mt19937 rng(42);
  const std::string specials = "<>/\"?!=&[]-\r\n ";
  for (int round = 0; round < 400; ++round) {
    std::string text = month;
    const int edits = 1 + static_cast<int>(rng() % 6);
    for (int e = 0; e < edits; ++e) {
      const size_t at = rng() % text.size();
      switch (rng() % 4) {
        case 0: text[at] = specials[rng() % specials.size()]; break;
        case 1: text.erase(at, 1 + rng() % 40); break;
        case 2: text.insert(at, 1, specials[rng() % specials.size()]); break;
        default: text[at] = static_cast<char>(rng()); break;
      }
      if (text.empty()) text = "<";
    }
    CMarkup xml;
    if (!xml.SetDoc(text)) {
      EXPECT_EQ(xml.GetDoc(), "");
      continue;
    }
    EXPECT_EQ(xml.GetDoc(), text);
    while (xml.FindElem()) {
      while (xml.FindChildElem()) {
        xml.GetDataAt(xml.ChildPosition());
        xml.GetAttribAt(xml.ChildPosition(), "ID");
      }
      if (!xml.IntoElem()) break;
    }
  }
}

}  // namespace
