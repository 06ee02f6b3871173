#include <gtest/gtest.h>

#include <cerrno>

#include "platform/datetime.h"
#include "platform/files.h"
#include "platform/messagebox.h"
#include "platform/process.h"
#include "services/sysfuncs.h"
#include "support/stubs.h"
#include "support/temp_folder.h"

TEST(SysFuncs, FormatsTimeStampsAndDates) {
  struct Case {
    const char* in;
    const char* stamp;
    const char* iso;
  } cases[] = {
      {"20240315", "15.03.2024", "2024-03-15"},
      {"202403151207", "15.03.2024 12:07", "202403151207"},
      {"20240315120700", "15.03.2024 12:07", "20240315120700"},  // no seconds when 00
      {"20240315120709", "15.03.2024 12:07:09", "20240315120709"},
      {"2024031", "2024031", "2024031"},                          // 7 characters stay
      {"240315", "240315", "240315"},
      {"", "", ""},
      {"202403151", "15.03.2024 1:", "202403151"},                // cut parts stay cut
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatTimeStamp(c.in), c.stamp) << c.in;
    EXPECT_EQ(FormatIsoDate(c.in), c.iso) << c.in;
  }
}

TEST(SysFuncs, TimeStampMapAndSystemNames) {
  std::tm tm{};
  tm.tm_year = 124; tm.tm_mon = 2; tm.tm_mday = 5; tm.tm_hour = 8; tm.tm_min = 9; tm.tm_sec = 4;
  tm.tm_isdst = -1;
  platform::SetClockOverride(std::mktime(&tm));
  EXPECT_EQ(GetCurrentTimeStamp(), "240305080904");
  platform::SetClockOverride(std::nullopt);

  std::map<std::string, std::string> map{{"a", "1"}};
  EXPECT_EQ(LookupMapValue(map, "a"), "1");
  EXPECT_EQ(LookupMapValue(map, "b"), "");

  std::filesystem::path folder = "unchanged";
  ASSERT_TRUE(GetProgramFolder(folder));
  EXPECT_TRUE(platform::FileExists(folder / "test_services"));
  EXPECT_EQ(GetLocalComputerName(), platform::HostName());
  EXPECT_FALSE(GetLocalUserName().empty());
}

TEST(SysFuncs, ProgramsGetTheirArgumentsAsAVector) {
  TempFolder dir;
  auto out = dir / "args.txt";
  auto prog = WriteScript(dir / "companion program", "printf '<%s>' \"$@\" > '" + out.string() + "'");
  platform::ScriptedMessageBoxes boxes;

  ASSERT_TRUE(RunProgram(prog, {"C:\\Daten\\stat file.txt", "100 %", "$(touch x)"}));
  ASSERT_TRUE(SpinUntil([&] { return platform::FileSize(out).value_or(0) > 0; }));
  EXPECT_EQ(*platform::ReadFileBytes(out), "<C:\\Daten\\stat file.txt><100 %><$(touch x)>");
  EXPECT_FALSE(platform::FileExists("x"));

  std::filesystem::remove(out);
  bool ended = false;
  ASSERT_TRUE(LaunchProgram(prog, {}, [&] { ended = true; }));
  ASSERT_TRUE(SpinUntil([&] { return ended; }));
  EXPECT_EQ(*platform::ReadFileBytes(out), "<>");  // no arguments: the program alone
  EXPECT_TRUE(boxes.shown().empty());
}

TEST(SysFuncs, FailedStartIsReportedOnlyByLaunchProgram) {
  TempFolder dir;
  platform::ScriptedMessageBoxes boxes;
  EXPECT_FALSE(RunProgram(dir / "tallyon"));
  EXPECT_TRUE(boxes.shown().empty());

  EXPECT_FALSE(LaunchProgram(dir / "specora"));
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, "Externes Programm konnte nicht gestartet werden.\n\nProgramm: specora\nOrdner: " +
                                       dir.path().string() + "\nGrund: Datei oder Ordner nicht gefunden (Fehler-Nummer: 2)");
  EXPECT_EQ(boxes.shown()[0].flags, platform::MB_OK | platform::MB_ICONWARNING);

  // A file that may not be run: its own reason, and the note of a file handed to it.
  ASSERT_TRUE(platform::WriteFileBytes(dir / "blendor", "#!/bin/sh\n"));
  EXPECT_FALSE(LaunchProgram(dir / "blendor", {}, {}, "Die Datei: x.pvm"));
  ASSERT_EQ(boxes.shown().size(), 2u);
  EXPECT_EQ(boxes.shown()[1].text, "Externes Programm konnte nicht gestartet werden.\n\nProgramm: blendor\nOrdner: " +
                                       dir.path().string() + "\nGrund: keine Berechtigung (Fehler-Nummer: 13)\n\nDie Datei: x.pvm");
  // A folder in the program's place is named as what it is.
  platform::CreateFolder(dir / "gradix");
  EXPECT_FALSE(LaunchProgram(dir / "gradix"));
  ASSERT_EQ(boxes.shown().size(), 3u);
  EXPECT_NE(boxes.shown()[2].text.find("\nGrund: keine gewöhnliche Datei (Fehler-Nummer: 13)"), std::string::npos)
      << boxes.shown()[2].text;
}

// In German the reasons are German words, whatever the system's own texts are.
TEST(SysFuncs, SystemReasonsSpeakTheProgramsLanguage) {
  const std::pair<int, const char*> cases[] = {
      {ENOENT, "Datei oder Ordner nicht gefunden (Fehler-Nummer: 2)"},
      {EACCES, "keine Berechtigung (Fehler-Nummer: 13)"},
      {EPERM, "keine Berechtigung (Fehler-Nummer: 1)"},
      {ENOSPC, "kein Platz mehr auf dem Datenträger (Fehler-Nummer: 28)"},
      {EROFS, "der Datenträger ist schreibgeschützt (Fehler-Nummer: 30)"},
      {EISDIR, "ein Ordner, keine Datei (Fehler-Nummer: 21)"},
      {ENOEXEC, "keine ausführbare Programmdatei (Fehler-Nummer: 8)"},
      {ESTALE, "die Verbindung zum Netzlaufwerk ist unterbrochen (Fehler-Nummer: 116)"},
      {EXDEV, "Systemfehler (Fehler-Nummer: 18)"},  // one the program does not meet
  };
  for (const auto& [error, reason] : cases) EXPECT_EQ(SystemReasonText(error), reason) << error;
}
