#include "shell/start/lock.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDateTime>
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <cerrno>
#include <chrono>
#include <iterator>
#include <cstdio>

#include "i18n/translation.h"
#include "platform/files.h"
#include "platform/messagebox.h"
#include "platform/process.h"
#include "platform/sharedfolder.h"
#include "platform/textcodec.h"
#include "records/strutil.h"
#include "services/sysfuncs.h"

namespace fs = std::filesystem;

namespace {

using std::chrono::milliseconds;

std::function<int(const fs::path&)>& CreateOverride() {
  static std::function<int(const fs::path&)> create;
  return create;
}

// A field must not hold a bracket, or the line would not read back.
std::string Field(std::string text) {
  for (char& c : text)
    if (c == '[' || c == ']') c = '_';
  return text;
}

// Whether the process that wrote the lock still runs on this computer. Its id
// alone does not tell: after a restart (or in a fresh process space) ids are
// handed out again, also our own.
bool HolderRuns(const LockHolder& holder, const std::string& programPath) {
  const std::string& processId = holder.processId;
  if (processId.empty() || processId.find_first_not_of("0123456789") != std::string::npos ||
      processId.size() > 9)
    return false;
  const pid_t pid = static_cast<pid_t>(std::stol(processId));
  if (pid <= 0) return false;
  // We are not yet holding the lock: a line with our id is an earlier run's.
  if (pid == ::getpid()) return false;
  if (::kill(pid, 0) != 0 && errno != EPERM) return false;
  // The process under that id is the holder only if it started when the
  // holder did.
  if (!holder.processStart.empty()) {
    const std::string start = platform::ProcessStartMark(pid);
    if (!start.empty()) return start == holder.processStart;
  }
  // Lines of older writers (or a system that does not tell a process's
  // start): the program file decides. A process whose program file cannot be
  // looked at (not readable, or replaced by an update while it runs) may well
  // be the holder: it counts as ended only when no process with that id runs.
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/" + processId + "/exe", ec);
  if (ec || exe.string().ends_with(" (deleted)") || !fs::exists(exe, ec)) return true;
  return Field(exe.string()) == programPath;
}

std::optional<std::string> ReadLine(const fs::path& file) {
  auto bytes = platform::ReadFileBytes(file);
  if (!bytes) return std::nullopt;
  std::string text = platform::FromCp1252(*bytes);
  const auto end = text.find_first_of("\r\n");
  if (end != std::string::npos) text.erase(end);
  return text;
}

// Pauses between the reads of a lock that another computer is writing or has
// just removed: a share may show either a moment late, a slow one for
// several seconds.
constexpr milliseconds kShareLookPauses[] = {milliseconds(50),  milliseconds(100), milliseconds(200),
                                             milliseconds(400), milliseconds(800), milliseconds(1600),
                                             milliseconds(3200)};

// The lock line; a line that is not complete yet (its writer has created the
// file but not yet written it, which another computer sees) is read again for
// some seconds. Nothing when the file cannot be read (or is gone).
std::optional<std::string> ReadCompleteLine(const fs::path& file) {
  std::optional<std::string> line = ReadLine(file);
  for (const milliseconds pause : kShareLookPauses) {
    if (!line || IsCompleteLockLine(*line)) break;
    platform::PauseForShare(pause);
    line = ReadLine(file);
  }
  return line;
}

bool LockFileExists(const fs::path& file) {
  struct stat st {};
  return ::lstat(file.c_str(), &st) == 0;
}

// Creates the file only when it does not exist; false with errno otherwise.
bool CreateExclusive(const fs::path& file, const std::string& bytes) {
  if (CreateOverride()) {
    if (const int error = CreateOverride()(file)) {
      errno = error;
      return false;
    }
  }
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = true;
  std::size_t done = 0;
  while (ok && done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) ok = false;
    else done += static_cast<std::size_t>(n);
  }
  if (ok && ::fsync(fd) != 0) ok = false;
  const int saved = errno;
  if (::close(fd) != 0) ok = false;
  if (!ok) {
    ::unlink(file.c_str());
    errno = saved ? saved : EIO;
  }
  return ok;
}

// Removes a stale lock only if it still holds the line that was judged stale:
// it is first moved aside (only one process can move it), then checked.
bool RemoveStale(const fs::path& file, const std::string& staleLine) {
  const fs::path aside = platform::TemporarySibling(file);
  if (::rename(file.c_str(), aside.c_str()) != 0) return errno == ENOENT;
  if (ReadLine(aside) == staleLine) {
    ::unlink(aside.c_str());
    return true;
  }
  // Someone else's fresh lock: put it back unless a new one stands already.
  if (::link(aside.c_str(), file.c_str()) != 0) { /* a newer lock stands */ }
  ::unlink(aside.c_str());
  return false;
}

void ShowLockFailure(const std::string& reason, const fs::path& lockFile) {
  platform::ShowMessageBox(TranslateString(7301, "Die Lock-Datei kann nicht angelegt werden:") + "\n" +
                               lockFile.string() + "\n" + reason + "\n" +
                               TranslateString(7302, "Das Programm wird beendet."),
                           platform::MB_OK | platform::MB_ICONSTOP);
}

}  // namespace

std::string FormatLockLine(const LockHolder& h) {
  std::string line = "[" + Field(h.computer) + "][" + Field(h.user) + "][" + Field(h.startTime) + "][" +
                     Field(h.programPath) + "]";
  if (!h.processId.empty() || !h.processStart.empty()) line += "[" + Field(h.processId) + "]";
  if (!h.processStart.empty()) line += "[" + Field(h.processStart) + "]";
  return line;
}

LockHolder ParseLockLine(const std::string& line) {
  LockHolder h;
  h.computer = StrGetToken(line, "[", "]", 0);
  h.user = StrGetToken(line, "[", "]", 1);
  h.startTime = StrGetToken(line, "[", "]", 2);
  h.programPath = StrGetToken(line, "[", "]", 3);
  h.processId = StrGetToken(line, "[", "]", 4);
  h.processStart = StrGetToken(line, "[", "]", 5);
  return h;
}

bool IsCompleteLockLine(const std::string& line) {
  int fields = 0;
  bool open = false;
  for (const char c : line) {
    if (c == '[') {
      if (open) return false;
      open = true;
    } else if (c == ']') {
      if (!open) return false;
      open = false;
      ++fields;
    } else if (!open) {
      return false;
    }
  }
  return !open && fields >= 4;
}

void SetLockCreateOverride(std::function<int(const fs::path& lockFile)> create) {
  CreateOverride() = std::move(create);
}

CLock::~CLock() {
  if (owned_) platform::ReleaseHeldFolder(lockFile_.parent_path());
}

LockHolder CLock::Self() const {
  LockHolder self = selfOverride_.value_or(LockHolder{});
  if (self.computer.empty()) self.computer = platform::HostName();
  if (self.user.empty()) self.user = platform::LoginName();
  if (self.startTime.empty())
    self.startTime = QLocale::system().toString(QDateTime::currentDateTime(), QLocale::ShortFormat).toStdString();
  if (self.programPath.empty()) {
    auto exe = platform::ExecutablePath();
    self.programPath = exe ? exe->string() : std::string();
  }
  if (self.processId.empty()) self.processId = std::to_string(::getpid());
  if (self.processStart.empty()) self.processStart = platform::ProcessStartMark(::getpid());
  self.computer = Field(self.computer);
  self.user = Field(self.user);
  self.startTime = Field(self.startTime);
  self.programPath = Field(self.programPath);
  return self;
}

bool CLock::Lock(const fs::path& dataFolder) {
  lockFile_ = dataFolder / "lock.lck";
  if (owned_) return true;
  holder_ = {};
  const LockHolder self = Self();
  const std::string line = FormatLockLine(self);
  // Each round creates the lock or judges the one that stands. A stale lock
  // removed by us may be replaced by another start before we create ours; a
  // lock that vanishes while we look (another computer removing it) is tried
  // again after a pause, as a share may tell of it a moment late.
  const milliseconds pauses[] = {milliseconds(100), milliseconds(200), milliseconds(400), milliseconds(800),
                                 milliseconds(1600)};
  size_t vanished = 0;
  for (int round = 0; round < 8; ++round) {
    if (CreateExclusive(lockFile_, platform::ToCp1252(line))) {
      owned_ = true;
      ownLine_ = line;
      holder_ = self;
      folderIdentity_ = platform::IdentifyFolder(dataFolder);
      platform::HoldFolder(dataFolder, [this] { return StillHeld(); });
      return true;
    }
    int error = errno;
    // Some shares report "file exists" as a permission error.
    if ((error == EPERM || error == EACCES) && LockFileExists(lockFile_)) error = EEXIST;
    // A share whose cache still knows the lock that another computer has just
    // removed opens it instead of creating it, and finds no such file (its
    // cache may still show the file, too).
    if (error == ENOENT && platform::FolderExists(dataFolder)) {
      if (vanished == std::size(pauses)) break;
      platform::PauseForShare(pauses[vanished++]);
      continue;
    }
    if (error != EEXIST) {
      ShowLockFailure(SystemReasonText(error), lockFile_);
      return false;
    }
    const auto existing = ReadCompleteLine(lockFile_);
    const int readError = errno;
    if (!existing) {
      // Gone when we read it (a share's cache may still show it).
      if (readError != ENOENT && LockFileExists(lockFile_)) {
        ShowLockFailure(SystemReasonText(readError), lockFile_);
        return false;
      }
      if (vanished == std::size(pauses)) break;
      platform::PauseForShare(pauses[vanished++]);
      continue;
    }
    if (!IsCompleteLockLine(*existing)) {
      // Somebody holds the folder, but who is not to be read: no notice with
      // empty values.
      std::string text = TranslateString(67310,
                                         "Der Datenordner wird gerade von einem anderen Programm gesperrt, "
                                         "aber die Lock-Datei nennt auch nach einigen Sekunden nicht, wer es "
                                         "ist:\n%s\nVersuchen Sie es bitte später nochmal.");
      StrReplace(text, "%s", existing->empty() ? TranslateString(67311, "(leer)") : *existing, false);
      ShowLockFailure(text, lockFile_);
      return false;
    }
    holder_ = ParseLockLine(*existing);
    const bool sameOwner = holder_.computer == self.computer && holder_.user == self.user &&
                           holder_.programPath == self.programPath;
    if (!sameOwner || HolderRuns(holder_, self.programPath)) {
      CLockHinweisDlg notice;
      notice.m_User = holder_.user;
      notice.m_Computer = holder_.computer;
      notice.m_StartTime = holder_.startTime;
      notice.m_ProgramPath = holder_.programPath;
      notice.m_LockFile = lockFile_.string();
      notice.DoModal();
      return false;
    }
    // Ours from an ended run: take it over.
    RemoveStale(lockFile_, *existing);
  }
  const std::string text = TranslateString(64001,
                                     "Die Lock-Datei wurde während des Programmstarts wiederholt von einem "
                                     "anderen Rechner angelegt und wieder entfernt.");
  ShowLockFailure(text, lockFile_);
  return false;
}

bool CLock::StillHeld() {
  if (!owned_) return false;
  const fs::path folder = lockFile_.parent_path();
  // A share's cache may still show a lock file that was deleted by hand (it
  // cannot be read, or not created anew) for a moment: it is looked at again
  // after pauses, as the start does, before the folder counts as lost.
  for (size_t look = 0;; ++look) {
    if (look > 0) platform::PauseForShare(kShareLookPauses[look - 1]);
    const std::optional<std::string> line = ReadLine(lockFile_);
    if (line == ownLine_) {
      // The same folder after the share was mounted again is another object.
      folderIdentity_ = platform::IdentifyFolder(folder);
      return true;
    }
    // Gone or replaced (the empty mount point of a share that dropped off).
    if (!folderIdentity_ || platform::IdentifyFolder(folder) != folderIdentity_) return false;
    // Someone else has taken the folder over.
    if (line && IsCompleteLockLine(*line)) return false;
    // Deleted by hand in our own folder: nobody else holds it, it is ours again.
    if (!line && !LockFileExists(lockFile_) && CreateExclusive(lockFile_, platform::ToCp1252(ownLine_)))
      return true;
    if (look == std::size(kShareLookPauses)) return false;
  }
}

void CLock::Unlock() {
  if (!owned_) return;
  owned_ = false;
  platform::ReleaseHeldFolder(lockFile_.parent_path());
  // Only our own line: a lock someone took over after us stays.
  if (ReadLine(lockFile_) == ownLine_) platform::DeleteFile(lockFile_);
}

bool CLock::GetHolderInfo(std::string& computer, std::string& user, std::string& startTime,
                          std::string& programPath, std::string& lockFilePath) const {
  computer = holder_.computer;
  user = holder_.user;
  startTime = holder_.startTime;
  programPath = holder_.programPath;
  lockFilePath = lockFile_.string();
  return true;
}

CLockHinweisDlg::CLockHinweisDlg(QWidget* parent) : CpvDialog(608, parent) {
  setWindowTitle(QStringLiteral("Zugriff verweigert"));
  auto* grid = new QGridLayout(this);
  auto text = [this](int id, const char* german) {
    auto* label = new QLabel(QString::fromUtf8(german), this);
    platform::SetControlId(label, id);
    return label;
  };
  grid->addWidget(text(3000, "Auf die Pravikdaten greift zur  Zeit ein Anwender mit den folgenden Daten zu:"), 0, 0, 1, 2);
  const struct {
    int labelId;
    const char* label;
    int valueId;
  } rows[] = {{3001, "Username:", 1251},
              {3002, "Rechner:", 1252},
              {3003, "Zeitpunkt Programmstart:", 1253},
              {3004, "Aufrufpfad:", 1254},
              {3006, "Lock-Datei:", 1256}};
  int r = 1;
  for (const auto& row : rows) {
    grid->addWidget(text(row.labelId, row.label), r, 0);
    auto* value = new QLabel(this);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    platform::SetControlId(value, row.valueId);
    grid->addWidget(value, r++, 1);
  }
  grid->addWidget(text(3005, "Versuchen Sie es bitte später nochmal."), r++, 0, 1, 2);
  auto* hint = text(1255,
                    "(Anmerkung: Wenn sicher ist, dass kein anderer User z. Z. auf die Daten zugreift, dann löschen "
                    "Sie bitte die die Lock Datei \nund starten Pravik erneut.)");
  hint->setWordWrap(true);
  grid->addWidget(hint, r++, 0, 1, 2);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  platform::SetControlId(ok, platform::IDOK);
  grid->addWidget(ok, r, 1, Qt::AlignRight);
}

bool CLockHinweisDlg::OnInitDialog() {
  CpvDialog::OnInitDialog();
  const std::pair<int, const std::string*> values[] = {
      {1251, &m_User}, {1252, &m_Computer}, {1253, &m_StartTime}, {1254, &m_ProgramPath}, {1256, &m_LockFile}};
  for (const auto& [id, value] : values) {
    SetItemText(id, *value);
    if (QWidget* w = GetDlgItem(id)) {
      QFont font = w->font();
      font.setBold(true);
      w->setFont(font);
    }
  }
  return true;
}
