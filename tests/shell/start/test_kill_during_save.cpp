// A save killed at a random moment: the folder then loads to the complete
// old or the complete new records, and the next start leaves no temporary
// file of the killed save behind. The kills reach every phase of a save:
// before "data_tmp.db" is complete, during the checked copy over "data.db",
// and after. PRAVIK_KILL_ROUNDS sets the rounds (a few in the suite;
// scripts/kill_test runs a hundred and more).
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "platform/messagebox.h"
#include "records/recordfile.h"
#include "shell/start/startup.h"
#include "support/temp_folder.h"
#include "tools/record_generator.h"

namespace fs = std::filesystem;

namespace {

bool SameRecords(const RecordList& a, const RecordList& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    for (int field = 0; field < CVersuch::kFieldCount; ++field)
      if (a[i]->GetField(field) != b[i]->GetField(field)) return false;
  return true;
}

int EnvInt(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::atoi(value) : fallback;
}

// The moment of a save a kill fell into, told by the files it left.
enum Phase { kBeforeTemp, kDuringCopy, kAfter, kPhases };
const char* const kPhaseNames[kPhases] = {"before data_tmp.db was complete", "during the checked copy over data.db",
                                          "after"};

Phase PhaseOf(const fs::path& folder, const fs::path& newBytes) {
  if (!platform::SameFileBytes(folder / kRecordTempFileName, newBytes)) return kBeforeTemp;
  if (!platform::SameFileBytes(folder / kRecordFileName, newBytes)) return kDuringCopy;
  return kAfter;
}

// Tells when a file is renamed into the folder, as a save puts
// "data_tmp.db" and then "data.db" in place.
class RenameWatch {
 public:
  explicit RenameWatch(const fs::path& folder) : fd_(::inotify_init1(IN_CLOEXEC | IN_NONBLOCK)) {
    ::inotify_add_watch(fd_, folder.c_str(), IN_MOVED_TO);
  }
  ~RenameWatch() { ::close(fd_); }
  RenameWatch(const RenameWatch&) = delete;
  RenameWatch& operator=(const RenameWatch&) = delete;

  // Forgets what happened so far.
  void Clear() {
    char buffer[4096];
    while (::read(fd_, buffer, sizeof buffer) > 0) {
    }
    names_.clear();
  }
  // Waits until `name` is renamed into the folder; false after a minute without.
  bool WaitFor(const std::string& name) {
    for (;;) {
      while (!names_.empty()) {
        const bool found = names_.front() == name;
        names_.pop_front();
        if (found) return true;
      }
      pollfd in{fd_, POLLIN, 0};
      if (::poll(&in, 1, 60000) <= 0) return false;
      alignas(inotify_event) char buffer[4096];
      const ssize_t got = ::read(fd_, buffer, sizeof buffer);
      for (ssize_t at = 0; at < got;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        if (event->len) names_.emplace_back(event->name);
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
  }

 private:
  int fd_;
  std::deque<std::string> names_;  // read, not yet waited for
};

// The moments of a save in a forked child, from the fork: "data_tmp.db" in
// place, "data.db" replaced, the child's end.
struct SaveMoments {
  std::chrono::microseconds temp{}, data{}, end{};
};

SaveMoments TimedChildSave(const RecordList& records, const fs::path& folder, RenameWatch& watch) {
  using Clock = std::chrono::steady_clock;
  auto since = [](Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
  };
  watch.Clear();
  SaveMoments moments;
  const auto started = Clock::now();
  const pid_t child = ::fork();
  if (child == 0) ::_exit(SaveRecordFileSafely(records, folder) ? 0 : 1);
  EXPECT_TRUE(watch.WaitFor(kRecordTempFileName));
  moments.temp = since(started);
  EXPECT_TRUE(watch.WaitFor(kRecordFileName));
  moments.data = since(started);
  int status = 0;
  ::waitpid(child, &status, 0);
  moments.end = since(started);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  return moments;
}

// The hidden temporary files in the folder.
std::vector<std::string> TemporaryFiles(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().filename().string().starts_with(".")) names.push_back(entry.path().filename().string());
  return names;
}

}  // namespace

TEST(KillDuringSave, EveryRoundLoadsTheOldOrTheNewState) {
  const int rounds = EnvInt("PRAVIK_KILL_ROUNDS", 6);
  const unsigned seed = static_cast<unsigned>(EnvInt("PRAVIK_KILL_SEED", static_cast<int>(std::random_device{}() & 0xFFFF)));
  SCOPED_TRACE("PRAVIK_KILL_SEED=" + std::to_string(seed));
  TempFolder folder;
  ASSERT_TRUE(recordgen::WriteGeneratedRecordFile(folder.path(), 2000, 11));

  // The two states: as generated, and with a change in every record; and
  // the bytes each is saved as, to tell the phase a kill fell into.
  RecordList states[2];
  ASSERT_TRUE(LoadRecordFile(states[0], folder.path()));
  for (const auto& record : states[0]) {
    states[1].push_back(std::make_unique<CVersuch>(*record));
    states[1].back()->SetValue(1, 21, "geändert nach der Prüfung");
  }
  TempFolder bytesFolder;
  fs::path stateBytes[2];
  for (int state = 0; state < 2; ++state) {
    stateBytes[state] = bytesFolder.path() / ("state" + std::to_string(state));
    ASSERT_TRUE(WriteRecordFile(states[state], stateBytes[state]));
  }

  // The moments of a save in a forked child, as in the rounds (its first
  // writes fault in the pages it shares with the parent): the middle of three.
  RenameWatch watch(folder.path());
  int current = 0;
  std::vector<SaveMoments> timed;
  for (int i = 0; i < 3; ++i) {
    current = 1 - current;
    timed.push_back(TimedChildSave(states[current], folder.path(), watch));
  }
  std::sort(timed.begin(), timed.end(), [](const SaveMoments& a, const SaveMoments& b) { return a.end < b.end; });
  const SaveMoments save = timed[1];
  // The length of each phase; the last one longer, to reach past the end.
  const long long spans[kPhases] = {save.temp.count(), std::max<long long>((save.data - save.temp).count(), 1),
                                    std::max<long long>((save.end - save.data).count() * 3 / 2, 1)};

  // The rounds take the phases in turn. A save's time varies with the load
  // of the disk, so a phase's delay runs from where the save shows it begins:
  // the fork, "data_tmp.db" in place, "data.db" replaced.
  int phases[kPhases] = {};
  int tookTemp = 0, lost = 0, mixed = 0, stray = 0;
  std::mt19937 random(seed);
  for (int round = 0; round < rounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    const int next = 1 - current;
    const int aim = round % kPhases;
    const long long delay = std::uniform_int_distribution<long long>(0, spans[aim])(random);
    watch.Clear();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // Nothing but the save: the parent kills it somewhere in it.
      ::_exit(SaveRecordFileSafely(states[next], folder.path()) ? 0 : 1);
    }
    if (aim == kDuringCopy) watch.WaitFor(kRecordTempFileName);
    if (aim == kAfter) watch.WaitFor(kRecordFileName);
    std::this_thread::sleep_for(std::chrono::microseconds(delay));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status) || WEXITSTATUS(status) == 0);
    const Phase phase = WIFSIGNALED(status) ? PhaseOf(folder.path(), stateBytes[next]) : kAfter;
    ++phases[phase];

    // The next start: its clean-up, then the load (it may tell that it took
    // the newer temporary copy).
    platform::ScriptedMessageBoxes boxes;
    RemoveLeftoverTemporaryFiles(folder.path());
    if (!TemporaryFiles(folder.path()).empty()) ++stray;
    RecordList loaded;
    if (!LoadRecordFile(loaded, folder.path())) {
      ++lost;
      continue;
    }
    if (SameRecords(loaded, states[next])) {
      current = next;
    } else if (SameRecords(loaded, states[current])) {
      // Once the new state is complete on disk, it is the one to load.
      if (phase != kBeforeTemp) ++lost;
    } else {
      ++mixed;
    }
    for (const auto& box : boxes.shown()) {
      EXPECT_NE(box.text.find("data_tmp.db"), std::string::npos) << box.text;
      ++tookTemp;
    }
  }
  std::printf("kill test: %d rounds (seed %u); a save in a child: data_tmp.db after %.1f ms, data.db after %.1f ms, "
              "end after %.1f ms\n",
              rounds, seed, save.temp.count() / 1000.0, save.data.count() / 1000.0, save.end.count() / 1000.0);
  for (int phase = 0; phase < kPhases; ++phase) std::printf("  killed %s: %d\n", kPhaseNames[phase], phases[phase]);
  std::printf("  loaded from the newer data_tmp.db: %d\n  lost: %d, mixed: %d, stray files: %d\n", tookTemp, lost,
              mixed, stray);
  EXPECT_EQ(lost, 0);
  EXPECT_EQ(mixed, 0);
  EXPECT_EQ(stray, 0);
  if (rounds >= 30) {
    for (int phase = 0; phase < kPhases; ++phase) EXPECT_GE(phases[phase], rounds / 10) << kPhaseNames[phase];
  }
}
