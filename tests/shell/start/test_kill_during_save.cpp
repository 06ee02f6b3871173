// A save killed at a random moment: the folder then loads to the complete
// old or the complete new records, and the next start leaves no temporary
// file of the killed save behind. PRAVIK_KILL_ROUNDS sets the rounds (a few
// in the suite; scripts/kill_test runs a hundred and more).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

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

  // The two states: as generated, and with a change in every record.
  RecordList states[2];
  ASSERT_TRUE(LoadRecordFile(states[0], folder.path()));
  for (const auto& record : states[0]) {
    states[1].push_back(std::make_unique<CVersuch>(*record));
    states[1].back()->SetValue(1, 21, "geändert nach der Prüfung");
  }
  // How long one save takes here, so that the kills fall into saves.
  const auto started = std::chrono::steady_clock::now();
  ASSERT_TRUE(SaveRecordFileSafely(states[0], folder.path()));
  const auto saveTime = std::chrono::steady_clock::now() - started;

  std::mt19937 random(seed);
  int killedInside = 0;
  int current = 0;
  for (int round = 0; round < rounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    const int next = 1 - current;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // Nothing but the save: the parent kills it somewhere in it.
      ::_exit(SaveRecordFileSafely(states[next], folder.path()) ? 0 : 1);
    }
    std::uniform_int_distribution<long long> delay(0, std::chrono::duration_cast<std::chrono::microseconds>(saveTime).count() * 6 / 5);
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFSIGNALED(status)) ++killedInside;
    else ASSERT_EQ(WEXITSTATUS(status), 0);

    // The next start: its clean-up, then the load (it may tell that it took
    // the newer temporary copy).
    platform::ScriptedMessageBoxes boxes;
    RemoveLeftoverTemporaryFiles(folder.path());
    EXPECT_TRUE(TemporaryFiles(folder.path()).empty());
    RecordList loaded;
    ASSERT_TRUE(LoadRecordFile(loaded, folder.path()));
    if (SameRecords(loaded, states[next])) {
      current = next;
    } else {
      ASSERT_TRUE(SameRecords(loaded, states[current])) << "neither the old nor the new state";
    }
    for (const auto& box : boxes.shown()) EXPECT_NE(box.text.find("data_tmp.db"), std::string::npos) << box.text;
  }
  std::printf("kill test: %d rounds, %d killed inside a save (seed %u)\n", rounds, killedInside, seed);
  if (rounds >= 100) EXPECT_GE(killedInside, rounds / 2);
}
