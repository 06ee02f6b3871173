#include "services/sysfuncs.h"

#include <system_error>

#include "i18n/translation.h"
#include "platform/datetime.h"
#include "platform/messagebox.h"
#include "platform/numbers.h"
#include "platform/process.h"
#include "records/strutil.h"

namespace {

// Characters from..from+count-1 of a text, cut at its end.
std::string Mid(const std::string& text, std::size_t from, std::size_t count) {
  return from < text.size() ? text.substr(from, count) : std::string();
}

}  // namespace

bool RunProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments) {
  return platform::StartProgram(program, arguments).started;
}

std::string StartFailureText(const std::filesystem::path& program, int error, const std::string& handedFileNote) {
  std::string text = TranslateString(66000, "Externes Programm konnte nicht gestartet werden.") + "\n\n" +
                     TranslateString(66001, "Programm:") + " " + program.filename().string() + "\n" +
                     TranslateString(66002, "Ordner:") + " " + program.parent_path().string() + "\n" +
                     TranslateString(66003, "Grund:") + " " + std::generic_category().message(error) + " (" +
                     TranslateString(66004, "Fehler-Nummer:") + " " + std::to_string(error) + ")";
  if (!handedFileNote.empty()) text += "\n\n" + handedFileNote;
  return text;
}

std::string HandedFileNote(int textId, const std::string& german, const std::filesystem::path& file) {
  return TranslateString(textId, german) + "\n" + file.string() + "\n" +
         TranslateString(66007, "Sie können diese Datei auch an einem anderen Rechner mit dem Programm öffnen.");
}

bool LaunchProgram(const std::filesystem::path& file, const std::vector<std::string>& arguments,
                   std::function<void()> onEnd, const std::string& handedFileNote) {
  auto result = platform::StartProgram(file, arguments, std::move(onEnd));
  if (result.started) return true;
  platform::ShowMessageBox(StartFailureText(file, result.error, handedFileNote),
                           platform::MB_OK | platform::MB_ICONWARNING);
  return false;
}

bool GetProgramFolder(std::filesystem::path& folder) {
  auto exe = platform::ExecutablePath();
  if (!exe) return false;
  folder = exe->parent_path();
  return true;
}

std::string GetLocalComputerName() { return platform::HostName(); }

std::string GetLocalUserName() { return platform::LoginName(); }

std::string GetCurrentTimeStamp() { return platform::FormatLocalTime("%y%m%d%H%M%S"); }

std::string FormatTimeStamp(const std::string& text) {
  if (text.size() <= 7) return text;
  std::string out = Mid(text, 6, 2) + "." + Mid(text, 4, 2) + "." + Mid(text, 0, 4);
  if (text.size() > 8) {
    out += " " + Mid(text, 8, 2) + ":" + Mid(text, 10, 2);
    if (platform::ParseInt(Mid(text, 12, 2)) > 0) out += ":" + Mid(text, 12, 2);
  }
  return out;
}

void ShowFileMessage(int textId, const std::string& german, const std::filesystem::path& file, unsigned flags) {
  std::string text = TranslateString(textId, german);
  StrReplace(text, "%s", file.string(), false);
  platform::ShowMessageBox(text, flags);
}

std::string LookupMapValue(const std::map<std::string, std::string>& map, const std::string& key) {
  auto it = map.find(key);
  return it == map.end() ? std::string() : it->second;
}
