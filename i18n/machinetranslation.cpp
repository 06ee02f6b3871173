#include "i18n/machinetranslation.h"

#include "platform/process.h"
#include "platform/textcodec.h"

namespace {
std::chrono::milliseconds g_timeLimit{20000};
}

std::chrono::milliseconds MachineTranslationTimeLimit() { return g_timeLimit; }
void SetMachineTranslationTimeLimit(std::chrono::milliseconds limit) { g_timeLimit = limit; }

bool IsValidLanguageCode(std::string_view code) {
  if (code.empty()) return false;
  for (char c : code)
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-')) return false;
  return true;
}

std::string DeeplTargetCode(const std::string& langCode) {
  return langCode == "en" ? "en-us" : langCode;
}

std::vector<std::string> DeeplArguments(const std::string& langCode, const std::string& german) {
  return {"text", "--fr", "de", "--to", DeeplTargetCode(langCode), german};
}

std::optional<std::string> MachineTranslate(const std::string& langCode, const std::string& german) {
  if (!IsValidLanguageCode(DeeplTargetCode(langCode))) return std::nullopt;
  auto tool = platform::FindProgramOnPath("deepl");
  if (!tool) return std::nullopt;
  auto result = platform::RunProcess(*tool, DeeplArguments(langCode, german), g_timeLimit, 64 * 1024);
  if (!result.Succeeded()) return std::nullopt;
  std::string text = std::move(result.output);
  if (!text.empty() && text.back() == '\n') {
    text.pop_back();
    if (!text.empty() && text.back() == '\r') text.pop_back();
  }
  if (text.empty()) return std::nullopt;
  // Nothing but UTF-8 enters the program.
  if (!platform::IsUtf8(text)) return std::nullopt;
  return text;
}
