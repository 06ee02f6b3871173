#pragma once
// Every user-visible text is a German literal with a text id; the text shown is
// the current language file's entry for the id, else the German literal.
#include <string>

std::string TranslateString(int textId, const std::string& german);
