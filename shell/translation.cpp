#include "shell/translation.h"

// Until language files are loaded the German literal is the text shown.
std::string TranslateString(int /*textId*/, const std::string& german) { return german; }
