#include <gtest/gtest.h>

#include "charts/arraydouble.h"
#include "records/strutil.h"

TEST(StrFields, GetField) {
  struct Case { const char* text; int n; const char* out; } cases[] = {
      {"a|b|", 0, "a"}, {"a|b|", 1, "b"}, {"a|b|", 2, ""}, {"a|b|", 3, ""}, {"a|b|", -1, ""},
      {"|a", 0, ""}, {"|a", 1, "a"}, {"", 0, ""}, {"abc", 0, "abc"}, {"abc", 1, ""}};
  for (const auto& c : cases) EXPECT_EQ(StrGetField(c.text, '|', c.n), c.out) << c.text << " " << c.n;
  EXPECT_EQ(StrGetFieldS("a~$b~$", "~$", 1), "b");
  EXPECT_EQ(StrGetFieldS("a€b€c", "€", 2), "c");
  EXPECT_EQ(StrGetFieldS("aaa", "aa", 1), "a");  // left to right, no overlap
}

TEST(StrFields, Counts) {
  EXPECT_EQ(StrCountFields("", '|'), 1);
  EXPECT_EQ(StrCountFields("a|b|", '|'), 3);
  EXPECT_EQ(StrCountFieldsS("a~$b", "~$"), 2);
  EXPECT_EQ(StrCountFieldsS("aaaa", "aa"), 3);
  EXPECT_EQ(StrCountChar("a;b;;", ';'), 3);
}

TEST(StrFields, SetField) {
  struct Case { const char* text; int n; const char* value; const char* out; } cases[] = {
      {"a", 3, "x", "a|||x"}, {"a|b|c", 1, "", "a||c"}, {"a|b", 0, "z", "z|b"},
      {"", 0, "v", "v"}, {"", 2, "v", "||v"}, {"a|b|c", 2, "xy", "a|b|xy"}, {"a|b|c", 3, "d", "a|b|c|d"}};
  for (const auto& c : cases) {
    std::string t = c.text;
    StrSetField(t, '|', c.n, c.value);
    EXPECT_EQ(t, c.out) << c.text << " " << c.n;
  }
}

TEST(StrFields, GetFields) {
  struct Case { int first, last; const char* out; } cases[] = {
      {0, 1, "a|b"}, {2, -1, "|c|d"}, {3, -1, "|d"}, {4, -1, ""}, {1, 2, "|b|c"}, {0, -1, "a|b|c|d"},
      {0, 9, "a|b|c|d"}};
  for (const auto& c : cases) EXPECT_EQ(StrGetFields("a|b|c|d", '|', c.first, c.last), c.out) << c.first;
  // The fields in front, joined, followed by the result give the whole text again.
  EXPECT_EQ(StrGetFields("a|b|c|d", '|', 0, 1) + StrGetFields("a|b|c|d", '|', 2, -1), "a|b|c|d");
}

TEST(StrTokens, GetToken) {
  struct Case { const char* text; const char* open; const char* close; int n; const char* out; } cases[] = {
      {"[A:0][B:8]", "[", "]", 1, "B:8"}, {"[A:0][B:8]", "[", "]", 2, ""}, {"{x", "{", "}", 0, ""},
      {"{a{b}c}", "{", "}", 0, "a{b"}, {"{a{b}c}", "{", "}", 1, "b"}, {"{a}{b}", "{", "}", -1, ""},
      {"x{}y{z}", "{", "}", 0, ""}, {"x{}y{z}", "{", "}", 1, "z"}};
  for (const auto& c : cases) EXPECT_EQ(StrGetToken(c.text, c.open, c.close, c.n), c.out) << c.text << c.n;
}

TEST(StrSearch, FindAndReverseFind) {
  EXPECT_EQ(StrFind("abcabc", "bc", 0), 1);
  EXPECT_EQ(StrFind("abcabc", "bc", 2), 4);
  EXPECT_EQ(StrFind("abc", "x", 0), -1);
  EXPECT_EQ(StrFindChar("a|b", '|', 0), 1);
  EXPECT_EQ(StrFindChar("a|b", '|', 2), -1);
  EXPECT_EQ(StrReverseFind("#CRLF#", "#CRLF#"), -1);  // position 0 is not tested
  EXPECT_EQ(StrReverseFind("ab#CRLF#", "#CRLF#"), 2);
  EXPECT_EQ(StrReverseFind("xaxa", "a", -1), 3);
  EXPECT_EQ(StrReverseFind("xaxa", "a", 2), 1);
  EXPECT_EQ(StrReverseFind("xaxa", "a", 0), -1);
  EXPECT_EQ(StrReverseFind("", "a"), -1);
  EXPECT_EQ(StrReverseFind("abc", ""), -1);
}

TEST(StrSearch, Replace) {
  struct Case { const char* text; const char* from; const char* to; bool all; const char* out; int n; } cases[] = {
      {"   ", "  ", " ", true, "  ", 1}, {"a#b#c", "#", "|", true, "a|b|c", 2},
      {"a#b#c", "#", "|", false, "a|b#c", 1}, {"aa", "a", "aa", true, "aaaa", 2}, {"abc", "", "x", true, "abc", 0}};
  for (const auto& c : cases) {
    std::string t = c.text;
    EXPECT_EQ(StrReplace(t, c.from, c.to, c.all), c.n) << c.text;
    EXPECT_EQ(t, c.out) << c.text;
  }
}

TEST(Numbers, Parse) {
  EXPECT_DOUBLE_EQ(ParseNumber(" 4,75\t"), 4.75);
  EXPECT_DOUBLE_EQ(ParseNumber("3;5"), 3.5);
  EXPECT_DOUBLE_EQ(ParseNumber(""), 0.0);
  EXPECT_EQ(MapDecimalSeparators("1,2:3;4"), "1.2.3.4");
}

TEST(Numbers, AtofLocale) {
  struct Case { const char* in; double out; } cases[] = {
      {"12,5", 12.5}, {"1.5 t", 1.5}, {"", 0}, {"abc", 0}, {"-0,25", -0.25}, {"3,5\t7,1", 3.5}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(AtofLocale(c.in), c.out) << c.in;
  // A letter stops the comma mapping: the conversion then stops at the comma.
  EXPECT_DOUBLE_EQ(AtofLocale("1e1,5"), 10.0);
}

TEST(Numbers, Formatting) {
  EXPECT_EQ(FormatDouble(2.5, 2), "2.50");
  EXPECT_EQ(FormatDouble(-1.25, 1), "-1.2");  // exact half: as printf rounds
  std::string t = "old";
  FormatDoubleOrEmpty(t, 0.0, 2);
  EXPECT_EQ(t, "");
  FormatDoubleOrEmpty(t, -0.0, 2);
  EXPECT_EQ(t, "");
  FormatDoubleOrEmpty(t, 1.0, 1);
  EXPECT_EQ(t, "1.0");
  EXPECT_DOUBLE_EQ(FormatPositiveNumber(t, 3.14159, 2), 3.14);
  EXPECT_EQ(t, "3.14");
  EXPECT_DOUBLE_EQ(FormatPositiveNumber(t, -1, 2), 0.0);
  EXPECT_EQ(t, "");
  SetFormattedDouble(t, 7, 0);
  EXPECT_EQ(t, "7");
}

TEST(ArrayDouble, SetFromTextAndSort) {
  CArrayDouble a;
  a.SetFromText("1;;2.5;", ';');
  ASSERT_EQ(a.GetSize(), 2);
  EXPECT_DOUBLE_EQ(a[0], 1.0);
  EXPECT_DOUBLE_EQ(a[1], 2.5);
  a.SetFromText("8;x;0.063;2", ';');
  ASSERT_EQ(a.GetSize(), 4);
  EXPECT_DOUBLE_EQ(a[1], 0.0);
  a.Sort();
  EXPECT_DOUBLE_EQ(a[0], 0.0);
  EXPECT_DOUBLE_EQ(a[1], 0.063);
  EXPECT_DOUBLE_EQ(a[3], 8.0);
  a.SetFromText("", ';');
  EXPECT_EQ(a.GetSize(), 0);
}
