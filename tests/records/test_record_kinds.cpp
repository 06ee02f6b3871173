#include <gtest/gtest.h>

#include "records/matdef.h"
#include "records/matdef_file.h"
#include "records/strutil.h"
#include "records/versuch.h"

namespace {

// Field 5 with the material name at part 2 and the ID at part 8.
std::string RequirementString(const std::string& name, const std::string& id) {
  return "SDM;;" + name + ";;;;;;[" + id + "];;#;#";
}

std::string BuiltinEntry(const std::string& id) {
  for (const std::string& entry : BuiltinMaterialEntries())
    if (entry.find("{" + id + "|") != std::string::npos) return entry;
  ADD_FAILURE() << id;
  return "";
}

CVersuch RecordWithId(const std::string& id) {
  CVersuch r;
  r.SetField(5, RequirementString("Material", id));
  return r;
}

TEST(RecordKinds, BuiltinTypeAndNumber) {
  struct Case {
    const char* id;
    bool ok;
    const char* type;
    int number;
    bool mixture;
  } cases[] = {
      {"SDM-DBDBDB-BK-0101", true, "BK", 101, true},   {"SDM-DBDBDB-RC-0314", true, "RC", 314, true},
      {"SDM-DBDBDB-GSRC-0019", true, "GSRC", 19, false}, {"SDM-DBDBDB-GS-0001", true, "GS", 1, false},
      {"SDM-DBDBDB-RK-0205x7", true, "RK", 205, true},  {"SDM-DBDBDB-BK-99999999999999", true, "BK", 2147483647, true},
      {"SDM-XX-BK-0101", false, "", 0, false},          {"SDM-DBDBDB-BK", false, "", 0, false},
      {"", false, "", 0, false},
  };
  for (const auto& c : cases) {
    const CVersuch r = RecordWithId(c.id);
    std::string type = "?";
    int number = -1;
    EXPECT_EQ(r.GetBuiltinMaterialType(type, number), c.ok) << c.id;
    EXPECT_EQ(type, c.type) << c.id;
    EXPECT_EQ(number, c.number) << c.id;
    EXPECT_EQ(r.IsKorngemisch(), c.mixture) << c.id;
  }
}

TEST(RecordKinds, KindsFromTheId) {
  const CVersuch gs = RecordWithId("SDM-DBDBDB-GS-0003");
  const CVersuch gsrc = RecordWithId("SDM-DBDBDB-GSRC-0020");
  const CVersuch bk = RecordWithId("SDM-DBDBDB-BK-0101");
  const CVersuch own = RecordWithId("SDM-230415123059123-A");
  EXPECT_TRUE(gs.IsDbMaterial() && gs.IsGleisschotter() && gs.IsGleisschotterNeu() && !gs.IsGleisschotterRecycling());
  EXPECT_TRUE(gsrc.IsGleisschotterMaterial() && gsrc.IsGleisschotterRecycling() && !gsrc.IsGleisschotterNeu());
  EXPECT_TRUE(bk.IsDbMaterial() && !bk.IsGleisschotter());
  EXPECT_FALSE(own.IsDbMaterial() || own.IsGleisschotter() || own.IsKorngemisch());

  CVersuch ballast = gs;
  ballast.SetValue(18, 1, "DIN EN 13450 / DBS 918061");
  EXPECT_TRUE(ballast.IsDinEnBallast());
  EXPECT_FALSE(ballast.IsDbsBallast());
  ballast.SetValue(18, 1, "DBS 918 061");
  EXPECT_TRUE(ballast.IsDbsBallast());
  CVersuch notBallast = bk;
  notBallast.SetValue(18, 1, "DBS 918 061");
  EXPECT_FALSE(notBallast.IsDbsBallast());
}

TEST(RecordKinds, DefaultTargetCurves) {
  const std::string first5 =
      "{0.063;5;-1}{0.5;35;-1}{1;40;-1}{2;47;-1}{4;60;-1}{8;68;-1}{16;85;-1}{31.5;99;-1}{45;100;-1}|1|O|"
      "{0.063;0;-1}{0.5;5;-1}{1;9;-1}{2;16;-1}{4;22;-1}{8;35;-1}{16;55;-1}{31.5;90;-1}{45;100;-1}|1|U|";
  const std::string second5 =
      "{0.063;5;-1}{0.5;30;-1}{1;35;-1}{2;40;-1}{4;52;-1}{8;60;-1}{16;77;-1}{31.5;99;-1}{45;100;-1}|1|O|"
      "{0.063;0;-1}{0.5;10;-1}{1;14;-1}{2;23;-1}{4;30;-1}{8;43;-1}{16;63;-1}{31.5;90;-1}{45;100;-1}|1|U|";
  const std::string pair2 =
      "{0.02;3;-1}{0.063;7;-1}{0.125;17;-1}{0.25;32;-1}{0.5;43;-1}{1;53;-1}{2;60;-1}{4;71;-1}{8;82;-1}{10;85;-1}"
      "{16;92;-1}{31.5;99;-1}{45;100;-1}|1|O|"
      "{0.063;0;-1}{0.125;7;-1}{0.25;14;-1}{0.5;23;-1}{1;32;-1}{2;40;-1}{4;50;-1}{8;62;-1}{16;73;-1}{31.5;85;-1}"
      "{45;100;-1}|1|U";
  const std::string first10 =
      "{0.063;5;-1}{0.5;35;-1}{1;40;-1}{2;47;-1}{5.6;60;-1}{11.2;68;-1}{22.4;85;-1}{45;99;-1}{63;100;-1}|1|O|"
      "{0.063;0;-1}{0.5;5;-1}{1;9;-1}{2;16;-1}{5.6;22;-1}{11.2;35;-1}{22.4;55;-1}{45;90;-1}{63;100;-1}|1|U|";
  const std::string first14 =
      "{0.063;5;-1}{1;35;-1}{2;40;-1}{4;47;-1}{8;60;-1}{16;68;-1}{31.5;85;-1}{56;99;-1}{80;100;-1}|1|O|"
      "{0.063;0;-1}{1;5;-1}{2;9;-1}{4;16;-1}{8;22;-1}{16;35;-1}{31.5;55;-1}{56;90;-1}{80;100;-1}|1|U|";
  const std::string second14 =
      "{0.063;5;-1}{1;30;-1}{2;35;-1}{4;40;-1}{8;52;-1}{16;60;-1}{31.5;77;-1}{56;99;-1}{80;100;-1}|1|O|"
      "{0.063;0;-1}{1;10;-1}{2;14;-1}{4;23;-1}{8;30;-1}{16;43;-1}{31.5;63;-1}{56;90;-1}{80;100;-1}|1|U|";
  const std::string own = "{1;2;-1}|0|O|";
  struct Case {
    const char* id;
    bool flag;
    std::string expected;
  } cases[] = {
      {"SDM-DBDBDB-BK-0105", true, first5 + second5},
      {"SDM-DBDBDB-BK-0105", false, first5},
      {"SDM-DBDBDB-RK-0206", true, first5 + second5},
      {"SDM-DBDBDB-BK-0102", true, pair2},
      {"SDM-DBDBDB-RC-0301", false, pair2},
      {"SDM-DBDBDB-BK-0110", false, first10},
      {"SDM-DBDBDB-RC-0314", true, first14 + second14},
      {"SDM-DBDBDB-BK-0103", true, own},
      {"SDM-DBDBDB-BK-0025", true, own},
      {"SDM-DBDBDB-BK-0400", true, own},
      {"SDM-DBDBDB-GS-0001", true, own},
      {"SDM-230415123059123-A", true, own},
  };
  for (const auto& c : cases) {
    CVersuch r = RecordWithId(c.id);
    r.SetField(11, own);
    const std::string curves = r.GetDefaultSollkurven(c.flag);
    EXPECT_EQ(curves, c.expected) << c.id << " " << c.flag;
    EXPECT_EQ(r.GetField(11), own);
  }
}

// A record carrying a material definition.
CVersuch RecordWithMaterial(const std::string& matDef) {
  CMatDef m;
  m.Parse(matDef);
  CVersuch r;
  r.SetField(5, RequirementString(m.GetValue("BEZEICHNUNG"), m.GetValue("ID")));
  r.SetField(25, m.Format());
  return r;
}

TEST(RecordKinds, TestTypesAndInitialStatusList) {
  CVersuch gs = RecordWithMaterial(BuiltinEntry("SDM-DBDBDB-GS-0001"));
  gs.InitTestStatusList();
  EXPECT_EQ(gs.GetTestStatusList(),
            "[VA_GRUND:0][VA_SIEBL:0][VA_GS_KORNFORM:0][VA_GS_WASSER:0][VA_GS_KRISTALL:0][VA_GS_PLATTIGKEIT:0]"
            "[VA_GS_LAENGER100:0][VA_GS_REINHEIT:0]");
  EXPECT_TRUE(gs.HasTestType("VA_KRIST"));
  EXPECT_FALSE(gs.HasTestType("VA_UMWEL"));

  CVersuch rc = RecordWithMaterial(BuiltinEntry("SDM-DBDBDB-RC-0037"));
  rc.InitTestStatusList();
  EXPECT_EQ(rc.GetTestStatusList(), "[VA_GRUND:0][VA_SIEBL:0][VA_RCZUS:0][VA_GS_KORNFORM:0]");

  CVersuch noTower = RecordWithMaterial("{0}{SDM-1|Splitt||||}{1|0.02|45}{||||}{}{[VA_PLATT|FI20][VA_SANDEQ|]}");
  noTower.SetField(29, "[VA_OLD:8]");
  noTower.InitTestStatusList();
  EXPECT_EQ(noTower.GetTestStatusList(), "[VA_GRUND:0][VA_PLATT:0][VA_SANDEQ:0]");

  CVersuch empty;
  EXPECT_FALSE(empty.HasTestType("VA_SIEBL"));
  EXPECT_TRUE(empty.HasTestType("VA_GRUND"));
  EXPECT_FALSE(empty.HasTestType("VA_XYZ"));
  EXPECT_FALSE(empty.HasTestType("VA_REINH"));
  empty.SetValue(1, 2, "3");
  EXPECT_TRUE(empty.HasTestType("VA_REINH"));
  CVersuch water = RecordWithMaterial("{0}{SDM-1|x|1 2}{}{}{}{[VA_GS_WASSER|0,5_LE]}");
  EXPECT_TRUE(water.HasTestType("VA_GS_WASSER"));
  EXPECT_TRUE(water.ContainsTestType("VA_GS_WASSER"));
  EXPECT_FALSE(water.HasTestType("VA_WASSERG"));
}

TEST(RecordKinds, PagesFollowTheStatuses) {
  struct Case {
    const char* id;
    const char* statusList;
    const char* pages;  // letters of the pages that print
  } cases[] = {
      {"SDM-1", "[VA_GRUND:1][VA_SIEBL:0]", ""},
      {"SDM-1", "[VA_GRUND:1][VA_SIEBL:8]", "A"},
      {"SDM-1", "[VA_PETRO:9][VA_BRUCH:0][VA_RCZUS:0][VA_100MM:0]", "B"},
      {"SDM-1", "[VA_BRUCH:0][VA_RCZUS:0][VA_100MM:1]", "C"},
      {"SDM-1", "[VA_BRUCH:8]", "C"},
      // The sand equivalent alone prints page C, once it holds a result.
      {"SDM-1", "[VA_SANDEQ:7]", "C"},
      {"SDM-1", "[VA_SANDEQ:0]", ""},
      {"SDM-1", "[VA_ALKALI:7]", "D"},
      {"SDM-1", "[VA_WBS:0]", "EF"},
      {"SDM-1", "[VA_SIEBL:8][VA_PETRO:8][VA_BRUCH:8][VA_ALKALI:8][VA_WBS:8]", "ABCDEF"},
      {"SDM-DBDBDB-GS-0001", "[VA_SIEBL:8][VA_PETRO:8][VA_WBS:8]", "XY"},
      {"SDM-DBDBDB-GSRC-0019", "", "XY"},
  };
  const std::string letters = "ABCDEFXY";
  for (const auto& c : cases) {
    CVersuch r = RecordWithId(c.id);
    r.SetTestStatusList(c.statusList);
    std::string printed;
    for (char letter : letters)
      if (r.IsPageNeeded(std::string("SEITE_") + letter)) printed += letter;
    EXPECT_EQ(printed, c.pages) << c.id << " " << c.statusList;
    EXPECT_EQ(r.GetPageCount(), static_cast<int>(printed.size()));
    EXPECT_FALSE(r.IsPageNeeded("SEITE_Z"));
  }
}

TEST(RecordKinds, SievingMode) {
  CVersuch r = RecordWithMaterial("{0}{SDM-1|Kies|1 2 4}{}{}{}{}");
  EXPECT_EQ(r.GetSievingMode(), 0);
  r.SetDrySieving(true);
  EXPECT_EQ(r.GetSievingMode(), 2);
  r.SetDrySieving(false);
  EXPECT_EQ(r.GetSievingMode(), 1);
  CVersuch noSieve = RecordWithMaterial("{0}{SDM-1|Kies|}{}{}{}{}");
  noSieve.SetDrySieving(true);
  EXPECT_EQ(noSieve.GetSievingMode(), 0);
}

TEST(RecordKinds, ListSummaryHasSixteenColumns) {
  CVersuch r = RecordWithMaterial("{0}{SDM-1|Kies|1 2}{}{Kies|TL Gestein|WPK||}{}{}");
  r.SetField(5, "SDM;;Kies 2/8;;;;gewaschen;;[SDM-1]");
  const std::pair<int, const char*> basic[] = {{0, "P-17"}, {5, "20240102"}, {6, "20240110"}, {7, "Bau 5"},
                                               {8, "Schicht 2"}, {9, "20240105"}, {11, "20240103081500"},
                                               {12, "Halde"}, {17, "Werk Nord"}, {18, "Firma"}, {20, "Kunde AG"}};
  for (const auto& [part, value] : basic) r.SetValue(1, part, value);
  r.SetField(18, "old|old|2500|a");
  r.UpdateListSummary();
  EXPECT_EQ(r.GetField(30),
            "P-17||WPK|Kies|Kies 2/8 gewaschen|TL Gestein|Kunde AG|Bau 5|Schicht 2|2024-01-05|2024-01-03 08:15:00|"
            "Halde|Werk Nord|Firma|2024-01-02|2024-01-10");
  EXPECT_EQ(StrCountFields(r.GetField(30), '|'), 16);
  EXPECT_EQ(r.GetField(18), "Kies 2/8 gewaschen|TL Gestein|2500|a");

  CVersuch bare;
  bare.SetField(5, "SDM;;Sand~0/2;;;;;;[x]");
  bare.UpdateListSummary();
  EXPECT_EQ(bare.GetField(30), "||||Sand~0/2|||||||||||");
  EXPECT_EQ(bare.GetValue(18, 0), "Sand#0/2");  // stored values never hold "~"

  CVersuch builtin = RecordWithMaterial(BuiltinEntry("SDM-DBDBDB-BK-0101"));
  builtin.UpdateListSummary();
  EXPECT_EQ(StrGetField(builtin.GetField(30), '|', 2), "Werkseigene Produktionskontrolle");
  EXPECT_EQ(StrGetField(builtin.GetField(30), '|', 3), "Brechkorn");
  EXPECT_EQ(StrGetField(builtin.GetField(30), '|', 4), "KG1 (0/32)");
}

// A record as an older program version stored it: built-in track ballast
// with the standard still inside the name.
CVersuch OldBallastRecord(const std::string& id, const std::string& name) {
  CVersuch r;
  r.SetField(5, RequirementString(name, id));
  r.SetField(18, name + "||2500");
  r.SetField(30, "P-1||||" + name + "||Kunde|||||||||");
  return r;
}

TEST(MigrateOnLoad, CompletesBuiltinTexts) {
  const std::string name = "31,5/63 Gleisschotter (neu) - Nasssiebung*3* DIN EN 13450 / DBS 918061 August 2006";
  CVersuch r = OldBallastRecord("SDM-DBDBDB-GS-0001", name);
  r.MigrateOnLoad();
  EXPECT_EQ(r.GetField(30),
            "P-1||Werkseigene Produktionskontrolle|Gleisschotter|31,5/63 Gleisschotter (neu) - Nasssiebung|"
            "DIN EN 13450 / DBS 918061|Kunde|||||||||");
  EXPECT_EQ(r.GetField(18), "31,5/63 Gleisschotter (neu) - Nasssiebung|DIN EN 13450 / DBS 918061|2500");
  EXPECT_EQ(r.GetField(5), RequirementString("31,5/63 Gleisschotter (neu) - Nasssiebung", "SDM-DBDBDB-GS-0001"));
  EXPECT_TRUE(r.IsDinEnBallast());

  // Loading twice changes nothing more.
  const CVersuch once = r;
  r.MigrateOnLoad();
  for (int f = 0; f < CVersuch::kFieldCount; ++f) EXPECT_EQ(r.GetField(f), once.GetField(f)) << f;
}

TEST(MigrateOnLoad, ShortSummaryGetsSixteenColumns) {
  CVersuch r;
  r.SetField(5, RequirementString("KG1 (0/32)", "SDM-DBDBDB-BK-0101"));
  r.SetField(30, "P-1");
  r.MigrateOnLoad();
  EXPECT_EQ(r.GetField(30), "P-1||Werkseigene Produktionskontrolle|Brechkorn||||||||||||");
}

TEST(MigrateOnLoad, OwnMaterialStaysAsItIs) {
  CVersuch r;
  r.SetField(5, RequirementString("Kies 0/32", "SDM-230415123059123-A"));
  r.SetField(18, "Kies 0/32|TL|x");
  r.SetField(30, "P-1||WPK|Kies|Kies 0/32|TL|||||||||");
  const CVersuch before = r;
  r.MigrateOnLoad();
  for (int f = 0; f < CVersuch::kFieldCount; ++f) EXPECT_EQ(r.GetField(f), before.GetField(f)) << f;
}

TEST(MigrateOnLoad, OldSievingMarkBecomesDryOrWet) {
  struct Case {
    const char* id;
    const char* name;
    const char* mark;
    const char* after;
  } cases[] = {
      {"SDM-1", "Sand 0/2 Trockensiebung", "x", "1"},
      {"SDM-1", "Trockensiebung 0/2", "x", "1"},  // at the very start, too
      {"SDM-1", "Sand 0/2", "x", "0"},
      {"SDM-1", "Sand 0/2", "1", "1"},
      {"SDM-1", "Sand Trockensiebung", "0", "0"},
      {"SDM-1", "Sand 0/2", "xx", "xx"},
      {"SDM-DBDBDB-GS-0002", "31,5/63 Gleisschotter (neu) - Trockensiebung*3* DIN EN 13450 / DBS 918061 August 2006",
       "x", "1"},
  };
  for (const auto& c : cases) {
    CVersuch r;
    r.SetField(5, RequirementString(c.name, c.id));
    r.SetField(7, std::string("1500|3|") + c.mark + "|1");
    r.MigrateOnLoad();
    EXPECT_EQ(r.GetValue(7, 2), c.after) << c.name << " / " << c.mark;
    EXPECT_EQ(r.GetValue(7, 3), "1");
  }
}

}  // namespace
