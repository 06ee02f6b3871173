#pragma once
// The program's string resources: texts that code loads by their id (choice
// lists, header rows of tables), German as the program ships them. Shown
// through TranslateString with the same id, so that a language file can
// replace them.
#include <string>

// The German text of a string resource; "" for an id without one.
std::string LoadResourceString(int id);
