// Version information: the versions that program files carry, the page texts
// of the dialog and the dialog itself.
#include <gtest/gtest.h>

#include "platform/files.h"
#include "services/pravikapp.h"
#include "services/versioninfo.h"
#include "support/scripted_ui_gtest.h"
#include "support/stubs.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;
using namespace std::string_literals;

TEST(VersionInfo, ProgramVersionComesFromTheBuild) {
  EXPECT_EQ(ProgramVersion(), "3.6.66");
  EXPECT_EQ(ProgramVersionDate(), "18.06.2025");
}

TEST(VersionInfo, ReadsTheVersionAProgramFileCarries) {
  struct Case {
    const char* name;
    std::string bytes;
    bool found;
    const char* version;
  } cases[] = {
      {"in a binary", "\x7f" "ELF\0\0\1"s + "PRAVIK-FILEVERSION:2.4.1\0more"s, true, "2.4.1"},
      {"in a script", "#!/bin/sh\n# PRAVIK-FILEVERSION:3.0.0.17\nexit 0\n", true, "3.0.0.17"},
      {"at the very end", "PRAVIK-FILEVERSION:1.2", true, "1.2"},
      // The marker text alone (a program that reads markers) is passed over.
      {"marker without value first", "PRAVIK-FILEVERSION:\0xx PRAVIK-FILEVERSION:5.1\r\n"s, true, "5.1"},
      {"no marker", "#!/bin/sh\nexit 0\n", false, ""},
      {"bytes that are no version", "PRAVIK-FILEVERSION:\x01\x02\n", false, ""},
      {"too long", "PRAVIK-FILEVERSION:" + std::string(200, '9'), false, ""},
      {"empty file", "", false, ""},
  };
  TempFolder dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(platform::WriteFileBytes(dir / "program", c.bytes));
    CVersionInfoReader reader;
    EXPECT_EQ(reader.Create(dir / "program"), c.found);
    EXPECT_EQ(reader.GetFileVersion(), c.version);
  }
  CVersionInfoReader reader;
  ASSERT_TRUE(platform::WriteFileBytes(dir / "program", "PRAVIK-FILEVERSION:9.9"));
  ASSERT_TRUE(reader.Create(dir / "program"));
  EXPECT_FALSE(reader.Create(dir / "missing"));
  EXPECT_EQ(reader.GetFileVersion(), "") << "a failed read forgets the last one";
}

TEST(VersionInfo, PageTexts) {
  TempFolder program;
  WriteScript(program / "gradix", "# PRAVIK-FILEVERSION:2.4.1\nexit 0");
  ASSERT_TRUE(platform::WriteFileBytes(program / "tallyon", "\x7f" "ELF\0PRAVIK-FILEVERSION:7.0.3\0"s));
  WriteScript(program / "blendor", "exit 0");  // carries no version
  // "specora" is not in the program folder; "pravik" is this program.
  const fs::path data = "/srv/labor/Werk Süd";
  const VersionPageTexts pages = ComputeVersionPageTexts(program.path(), data);
  EXPECT_EQ(pages.environment, "Pfad von pravik:\n  [" + program.path().string() +
                                   "]\n\nPfad zu den Daten:\n  [/srv/labor/Werk Süd]\n\n");
  EXPECT_EQ(pages.programs,
            "pravik               3.6.66\n"
            "gradix               2.4.1\n"
            "tallyon              7.0.3\n"
            "blendor              konnte nicht ermittelt werden!\n"
            "specora              konnte nicht ermittelt werden!\n");
}

TEST(VersionInfo, DialogShowsOnePageAtATime) {
  TempFolder program;
  CPravikWinApp app;
  app.m_Settings.m_ProgramFolder = program.path();
  app.m_Settings.m_DataFolder = program / "data";

  platform::TestUi ui;
  ui.ExpectDialog(
      CVersionsUndSystemDatenDlg::kTemplateId,
      [&](platform::DialogDriver& d) {
        EXPECT_TRUE(d.IsChecked(1018));
        EXPECT_TRUE(d.IsVisible(1037));
        for (int id : {1007, 1008, 1009, 1020, 1022}) EXPECT_FALSE(d.IsVisible(id)) << id;
        EXPECT_NE(d.Text(1037).find("[" + (program / "data").string() + "]"), std::string::npos);
        EXPECT_NE(d.Text(1007).find("specora              konnte nicht ermittelt werden!"), std::string::npos);

        d.Click(1019);
        auto& dlg = static_cast<CVersionsUndSystemDatenDlg&>(d.dialog());
        EXPECT_EQ(dlg.page_index(), 1);
        EXPECT_TRUE(d.IsVisible(1007));
        EXPECT_FALSE(d.IsVisible(1037));
        d.Click(1018);
        EXPECT_EQ(dlg.page_index(), 0);
        EXPECT_TRUE(d.IsVisible(1037));
        EXPECT_FALSE(d.IsVisible(1007));
      },
      platform::IDOK);
  CVersionsUndSystemDatenDlg dlg;
  EXPECT_EQ(dlg.DoModal(), platform::IDOK);
  ui.VerifyAllShown();
}
