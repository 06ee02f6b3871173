#pragma once
// Every user-visible text is a German literal with a text id; the text shown is
// the current language file's entry for the id, else the German literal. A
// text the file does not hold yet is machine-translated and added to it,
// unless it is shorter than three characters.
#include <filesystem>
#include <string>
#include <vector>

std::string TranslateString(int textId, const std::string& german);
// forPrint: a text that goes onto a printed report; it stays German while
// reports are printed in German.
std::string TranslateString(int textId, const std::string& german, bool forPrint);

// The language of the user interface: empty or beginning with "de" is German.
// At most two characters are kept.
const std::string& CurrentLangCode();
void SetCurrentLangCode(const std::string& code);
bool IsGermanLanguage(const std::string& code);
// Printed reports stay German.
bool PrintGermanFlag();
void SetPrintGermanFlag(bool on);

// The folder of the language files: the program folder unless one is set
// (an empty path returns to the program folder).
std::filesystem::path LanguageFolder();
void SetLanguageFolder(const std::filesystem::path& folder);

// The texts of one dialog, property page or form view by control id, in the
// order of its child windows. The dialog layer reads them from the window,
// translates them here and puts them back.
struct DialogControlText {
  int id = 0;
  std::string text;
};
struct DialogTexts {
  std::string caption;
  std::vector<DialogControlText> controls;
};
// Translates caption and control texts in place through the dialog's section
// (sub id above 0: the caption through its own section); the Cancel button
// (id 2) through the section shared by all dialogs.
void TranslateDialogTexts(int templateId, int subId, DialogTexts& texts);

// A menu as plain data: the menu layer reads it from the menu, translates it
// here and puts the texts back.
struct MenuItemText {
  int commandId = 0;  // 0 for popups and separators
  std::string text;
  bool popup = false;
  std::vector<MenuItemText> items;
};
// Translates the top-level items (only the first `count` when count > 0),
// their items and the items of popups nested one level deep. subId < 0 selects
// the section "[Menu-<id>]", else "[Menu-<id>-<sub>]".
void TranslateMenuTexts(std::vector<MenuItemText>& menu, int menuId, int subId = -1, int count = -1);
