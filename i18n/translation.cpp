#include "i18n/translation.h"

#include <algorithm>

#include "i18n/langfile.h"
#include "platform/process.h"
#include "platform/textcodec.h"

namespace {

std::string g_langCode;
bool g_printGerman = false;
std::filesystem::path g_languageFolder;

// The longest control text read from a window.
constexpr std::size_t kControlTextLimit = 199;

bool OpenCurrentLangFile(ZelmoLangFile& file) {
  return file.OpenLangFile(LanguageFolder(), g_langCode);
}

int AsciiLetters(const std::string& text) {
  return static_cast<int>(std::count_if(text.begin(), text.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  }));
}

}  // namespace

const std::string& CurrentLangCode() { return g_langCode; }

void SetCurrentLangCode(const std::string& code) { g_langCode = platform::Utf8Prefix(code, 2); }

bool IsGermanLanguage(const std::string& code) { return code.empty() || code.starts_with("de"); }

bool PrintGermanFlag() { return g_printGerman; }

void SetPrintGermanFlag(bool on) { g_printGerman = on; }

std::filesystem::path LanguageFolder() {
  if (!g_languageFolder.empty()) return g_languageFolder;
  auto exe = platform::ExecutablePath();
  return exe ? exe->parent_path() : std::filesystem::path();
}

void SetLanguageFolder(const std::filesystem::path& folder) { g_languageFolder = folder; }

std::string TranslateString(int textId, const std::string& german) { return TranslateString(textId, german, false); }

std::string TranslateString(int textId, const std::string& german, bool forPrint) {
  if (forPrint && g_printGerman) return german;
  if (IsGermanLanguage(g_langCode) || textId < 1000 || german.empty()) return german;
  ZelmoLangFile file;
  if (!OpenCurrentLangFile(file)) return german;
  file.SelectSection("\r\n[MsgString]");
  // A text shorter than three characters ("ja", "KW") is shown from the file
  // but never machine-translated: the tool cannot tell what it abbreviates.
  std::string shown = platform::Utf8Length(german) < 3 ? file.LookupText(textId).value_or(german)
                                                       : file.LookupOrAppendText(textId, german);
  file.Close();
  return shown;
}

void TranslateDialogTexts(int templateId, int subId, DialogTexts& texts) {
  if (IsGermanLanguage(g_langCode) || templateId < 500) return;
  ZelmoLangFile file;
  if (!OpenCurrentLangFile(file)) return;
  auto translate = [&file](const std::string& key, std::string& text, bool atSectionStart) {
    if (auto shown = file.TranslateWindowText(key, text, atSectionStart)) text = *shown;
  };
  const std::string dialogSection = "\r\n\r\n[Dialog-" + std::to_string(templateId) + "]";
  if (subId > 0) {
    file.SelectSection("\r\n\r\n[Dialog-" + std::to_string(templateId) + "-" + std::to_string(subId) + "]");
    translate("CAPTION=", texts.caption, true);
  }
  file.SelectSection(dialogSection);
  if (subId <= 0) translate("CAPTION=", texts.caption, true);
  for (auto& control : texts.controls) {
    std::string text = platform::Utf8Prefix(control.text, kControlTextLimit);
    if (platform::Utf8Length(text) < 3) continue;
    if (control.id >= 1001 && control.id <= 65534 && AsciiLetters(text) >= 3) {
      if (auto shown = file.TranslateWindowText("IDC" + std::to_string(control.id) + "=", text, false))
        control.text = *shown;
    }
    if (control.id == 2) {
      file.SelectSection("\r\n\r\n[Dialog-Global]");
      if (auto shown = file.TranslateWindowText("IDC2=", text, false)) control.text = *shown;
      file.SelectSection(dialogSection);  // found again: the Cancel entry may lie in front of it
    }
  }
  file.Close();
}

void TranslateMenuTexts(std::vector<MenuItemText>& menu, int menuId, int subId, int count) {
  if (IsGermanLanguage(g_langCode)) return;
  ZelmoLangFile file;
  if (!OpenCurrentLangFile(file)) return;
  file.SelectSection(subId < 0 ? "\r\n[Menu-" + std::to_string(menuId) + "]"
                               : "\r\n[Menu-" + std::to_string(menuId) + "-" + std::to_string(subId) + "]");
  auto byCommand = [&file](MenuItemText& item) {
    if (item.commandId < 1000) return;
    if (auto shown = file.TranslateMenuItem("IDM-" + std::to_string(item.commandId) + "=", item.text))
      item.text = *shown;
  };
  auto byPosition = [&file](MenuItemText& item, std::size_t keyNumber) {
    if (auto shown = file.TranslateMenuItem("POS-" + std::to_string(keyNumber) + "=", item.text))
      item.text = *shown;
  };
  auto longEnough = [](const MenuItemText& item) { return platform::Utf8Length(item.text) >= 3; };
  std::size_t n = count > 0 ? std::min(menu.size(), static_cast<std::size_t>(count)) : menu.size();
  for (std::size_t p = 0; p < n; ++p) {
    MenuItemText& top = menu[p];
    if (!top.popup) {
      if (longEnough(top)) byCommand(top);
      continue;
    }
    if (longEnough(top)) byPosition(top, p);
    for (std::size_t q = 0; q < top.items.size(); ++q) {
      MenuItemText& item = top.items[q];
      if (!longEnough(item)) continue;  // separators
      if (!item.popup) {
        byCommand(item);
        continue;
      }
      byPosition(item, 100 * q);
      for (auto& leaf : item.items)
        if (longEnough(leaf) && !leaf.popup) byCommand(leaf);
    }
  }
  file.Close();
}
