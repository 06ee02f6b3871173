#pragma once
// The clipboard's text (the framework's CF_TEXT), UTF-8 inside the program.
#include <string>
#include <string_view>

namespace platform {

// Puts the text on the clipboard; false without an application.
bool SetClipboardText(std::string_view text);
// The clipboard's text; "" when it holds none (or only a picture).
std::string GetClipboardText();

}  // namespace platform
