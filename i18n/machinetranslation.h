#pragma once
// Machine translation of one German text through the external "deepl" tool,
// found on the PATH. The tool is run with an argument vector (never through a
// shell) and a time limit; its key is the tool's own setting. Its standard
// output, UTF-8, is the translation.
#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Letters and "-" only, not empty.
bool IsValidLanguageCode(std::string_view code);
// The target the tool is asked for: "en-us" for "en", else the code itself.
std::string DeeplTargetCode(const std::string& langCode);
// The tool's arguments for one text.
std::vector<std::string> DeeplArguments(const std::string& langCode, const std::string& german);

// The translation, or nothing when the call failed: no tool, an invalid
// language code, a start failure, the time limit, an exit status other than
// 0, an empty answer or one that is not UTF-8.
std::optional<std::string> MachineTranslate(const std::string& langCode, const std::string& german);

std::chrono::milliseconds MachineTranslationTimeLimit();
void SetMachineTranslationTimeLimit(std::chrono::milliseconds limit);
