#include "services/sysfuncs.h"

#include <algorithm>
#include <cerrno>
#include <initializer_list>
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

std::string WithErrorNumber(const std::string& reason, int error) {
  return reason + " (" + TranslateString(66004, "Fehler-Nummer:") + " " + std::to_string(error) + ")";
}

}  // namespace

bool RunProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments) {
  return platform::StartProgram(program, arguments).started;
}

std::string SystemReasonText(int error) {
  struct Reason {
    std::initializer_list<int> errors;
    int textId;
    const char* german;
  };
  static const Reason kReasons[] = {
      {{ENOENT}, 67430, "Datei oder Ordner nicht gefunden"},
      {{EACCES, EPERM}, 67431, "keine Berechtigung"},
      {{ENOSPC}, 67432, "kein Platz mehr auf dem Datenträger"},
      {{EDQUOT}, 67433, "Speicherkontingent auf dem Datenträger erschöpft"},
      {{EROFS}, 67434, "der Datenträger ist schreibgeschützt"},
      {{EISDIR}, 67435, "ein Ordner, keine Datei"},
      {{ENOTDIR}, 67436, "ein Teil des Pfades ist kein Ordner"},
      {{ENOEXEC}, 67437, "keine ausführbare Programmdatei"},
      {{ETXTBSY}, 67438, "die Programmdatei wird gerade geschrieben"},
      {{EIO}, 67439, "Ein-/Ausgabefehler"},
      {{ENAMETOOLONG}, 67440, "der Name ist zu lang"},
      {{ELOOP}, 67441, "zu viele symbolische Verknüpfungen im Pfad"},
      {{EMFILE, ENFILE}, 67442, "zu viele offene Dateien"},
      {{ENOMEM}, 67443, "nicht genug Arbeitsspeicher"},
      {{E2BIG}, 67444, "die Argumente sind zu lang"},
      {{EAGAIN}, 67445, "vorübergehend nicht möglich"},
      {{EBUSY}, 67446, "das Gerät ist belegt"},
      {{EEXIST}, 67447, "die Datei ist bereits vorhanden"},
      {{ENOTCONN, ESTALE, ENETDOWN, ENETUNREACH, EHOSTDOWN, EHOSTUNREACH, ECONNABORTED, ECONNRESET, ETIMEDOUT},
       67448, "die Verbindung zum Netzlaufwerk ist unterbrochen"},
  };
  for (const Reason& r : kReasons)
    if (std::find(r.errors.begin(), r.errors.end(), error) != r.errors.end())
      return WithErrorNumber(TranslateString(r.textId, r.german), error);
  return WithErrorNumber(TranslateString(67449, "Systemfehler"), error);
}

std::string StartFailureText(const std::filesystem::path& program, int error, const std::string& handedFileNote) {
  // A folder or device in the program's place may not be run (EACCES): say what it is.
  std::error_code ec;
  const bool irregular = std::filesystem::exists(program, ec) && !std::filesystem::is_regular_file(program, ec);
  const std::string reason =
      irregular ? WithErrorNumber(TranslateString(67450, "keine gewöhnliche Datei"), error) : SystemReasonText(error);
  std::string text = TranslateString(66000, "Externes Programm konnte nicht gestartet werden.") + "\n\n" +
                     TranslateString(66001, "Programm:") + " " + program.filename().string() + "\n" +
                     TranslateString(66002, "Ordner:") + " " + program.parent_path().string() + "\n" +
                     TranslateString(66003, "Grund:") + " " + reason;
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
