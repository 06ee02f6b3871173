#pragma once
// Text and number helpers for the field texts of the records: fields split at
// a separator, tokens between delimiters, numbers written with "." and read
// with "." or ",". Positions are 0-based byte indexes; not found is -1.
#include <string>
#include <string_view>

// Field n of the text split at the separator; "" for n < 0 or beyond the last field.
std::string StrGetField(const std::string& text, char separator, int n);
// As StrGetField, as a view into the text (no copy).
std::string_view StrGetFieldView(std::string_view text, char separator, int n);
// As StrGetField with a separator of one or more characters (found left to
// right without overlap).
std::string StrGetFieldS(const std::string& text, const std::string& separator, int n);
// Fields first through last (last < 0: through the end). From field 1 on the
// result starts with the separator in front of field first. "" when there is
// no field first.
std::string StrGetFields(const std::string& text, char separator, int first, int last);
// Replaces field n (0 or more), appending separators until field n exists.
void StrSetField(std::string& text, char separator, int n, const std::string& value);
int StrCountChar(const std::string& text, char c);
int StrCountFields(const std::string& text, char separator);
int StrCountFieldsS(const std::string& text, const std::string& separator);
// Token n: the text after the (n+1)-th opening delimiter up to the first
// closing delimiter after it; opening delimiters inside a token count too.
std::string StrGetToken(const std::string& text, const std::string& open,
                        const std::string& close, int n);
int StrFindChar(const std::string& text, char c, int start = 0);
int StrFind(const std::string& text, const std::string& sub, int start = 0);
// Searches backwards from start (-1 or beyond the end: from the last
// position) down to position 1; position 0 is never tested.
int StrReverseFind(const std::string& text, const std::string& sub, int start = -1);
// Left to right; inserted text is never searched again. Result: replacements made.
int StrReplace(std::string& text, const std::string& oldText, const std::string& newText,
               bool all = true);
// Every ",", ":" and ";" becomes ".".
std::string MapDecimalSeparators(const std::string& text);

std::string FormatDouble(double value, int decimals);
void SetFormattedDouble(std::string& text, double value, int decimals);
// "" when the value is exactly 0.
void FormatDoubleOrEmpty(std::string& text, double value, int decimals);
// "" unless the value is above 0; returns the value of the new text.
double FormatPositiveNumber(std::string& text, double value, int decimals);
// Trims and reads with "," ":" ";" as decimal points; "" gives 0.
double ParseNumber(const std::string& text);
// Reads a number with "." or "," as decimal point; "" gives 0.
double AtofLocale(const std::string& text);
// Plain conversion: "." only, stops at the first character that cannot belong to a number.
double PlainAtof(const std::string& text);
int PlainAtoi(const std::string& text);
// Blanks, tabs and line ends removed at both ends.
std::string TrimWhite(const std::string& text);
// Case-insensitive comparison in the order of the single-byte code page (the
// letters of code page 1252 folded to lower case): negative, 0 or positive.
int StrCompareNoCase(const std::string& a, const std::string& b);
// The text as StrCompareNoCase sees it: two folded texts compare (as plain
// strings) as the texts do, so that a sort folds each text once.
std::string FoldedText(std::string_view text);
// The folded text appended to `out`.
void AppendFoldedText(std::string& out, std::string_view text);
