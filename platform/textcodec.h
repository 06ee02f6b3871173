#pragma once
// Code page 1252 on disk, UTF-8 inside the program. The mapping is lossless:
// every one of the 256 bytes decodes to a distinct character and encodes back.
#include <string>
#include <string_view>

namespace platform {

// Bytes in code page 1252 to UTF-8. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+0081 ... U+009D.
std::string FromCp1252(std::string_view bytes);

// UTF-8 to code page 1252. A character the code page cannot hold, and every
// byte that is not valid UTF-8, becomes "?".
std::string ToCp1252(std::string_view utf8);
// The same appended to `out` (a buffer that is reused keeps its memory).
void AppendCp1252(std::string& out, std::string_view utf8);

// Byte-by-byte forms of the two conversions: slower, plainly right; the
// tests hold the ones above against them.
namespace plain {
std::string FromCp1252(std::string_view bytes);
std::string ToCp1252(std::string_view utf8);
}  // namespace plain

// Whether code page 1252 holds the character (the five undefined bytes
// included), so that it is stored as it is and not as "?".
bool IsCp1252Character(char32_t codePoint);

// The UTF-8 text of one code page 1252 byte (for separators such as "€" 0x80).
std::string Cp1252Char(unsigned char byte);

// UTF-8 helpers: whether the bytes are well-formed UTF-8, the number of
// characters, and the text cut to at most `count` characters.
bool IsUtf8(std::string_view bytes);
std::size_t Utf8Length(std::string_view utf8);
std::string Utf8Prefix(std::string_view utf8, std::size_t count);

}  // namespace platform
