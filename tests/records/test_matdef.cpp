#include <gtest/gtest.h>

#include <algorithm>

#include "records/matdef.h"
#include "records/matdef_file.h"

namespace {

const char* const kBk0101 =
    "{0}{SDM-DBDBDB-BK-0101|KG1 (0/32)|0.02 0.063 0.125 0.25 0.5 1 2 4 8 16 31.5 45}{1|0.02|45}{||||}"
    "{0.02|3_LE||1||1||@0.063|5_LE||1||1||@0.125|7-17||1||1||@0.25|12-32||1||1||@0.5|23-43||1||1||"
    "@1|32-53||1||1||@2|40-60||1||1||@4|50-71||1||1||@8|62-82||1||1||@10|85_LE||1||1||@16|73-92||1||1||"
    "@31.5|85-99||1||1||}{[VA_GS_KORNFORM|]}";

std::string BuiltinEntry(const std::string& id) {
  for (const std::string& entry : BuiltinMaterialEntries())
    if (entry.find("{" + id + "|") != std::string::npos) return entry;
  return "";
}

TEST(MatDef, BuiltinMixtureParsesAndFormatsWithCompletedTexts) {
  CMatDef m;
  EXPECT_TRUE(m.Parse(kBk0101));
  EXPECT_EQ(m.GetValue("ID"), "SDM-DBDBDB-BK-0101");
  EXPECT_EQ(m.GetValue("BEZEICHNUNG"), "KG1 (0/32)");
  EXPECT_EQ(m.GetValue("X_BIS"), "45");
  for (const char* key : {"WTS", "CTIME", "MTIME", "SIEBANFLINIEN", "SPEZ_2", "GRUNDPR"})
    EXPECT_EQ(m.GetValue(key), "") << key;
  EXPECT_EQ(m.GetValue("SPEZ_1"), "Brechkorn");
  EXPECT_EQ(m.GetValue("SPEZ_3"), "Werkseigene Produktionskontrolle");
  EXPECT_EQ(m.Format(),
            "{0}{SDM-DBDBDB-BK-0101|KG1 (0/32)|0.02 0.063 0.125 0.25 0.5 1 2 4 8 16 31.5 45|||}{1|0.02|45}"
            "{Brechkorn||Werkseigene Produktionskontrolle||}"
            "{0.02|3_LE||1||1||@0.063|5_LE||1||1||@0.125|7-17||1||1||@0.25|12-32||1||1||@0.5|23-43||1||1||"
            "@1|32-53||1||1||@2|40-60||1||1||@4|50-71||1||1||@8|62-82||1||1||@10|85_LE||1||1||@16|73-92||1||1||"
            "@31.5|85-99||1||1||}{[VA_GS_KORNFORM|]}{}");
}

TEST(MatDef, OwnDefinitionRoundTripsAndTakesCreationTimeFromId) {
  const std::string text =
      "{0}{SDM-230415123059123-A|Kies 2/8|0.063 2 4 8|w||2023-05-01 10:00}{1|0.063|16}"
      "{Kies|TL Gestein-StB|WPK|12,50 €|2023-01-01}{2|10-30||1||1||}{[VA_KORNF|SI20]}{|Kategorie A}";
  CMatDef m;
  m.Parse(text);
  EXPECT_EQ(m.GetValue("CTIME"), "2023-04-15 12:30");
  EXPECT_EQ(m.GetValue("GRUNDPR"), "12,50 €");
  EXPECT_EQ(m.GetValue("SIEBANFLINIEN"), "|Kategorie A");
  std::string expected = text;
  expected.replace(expected.find("|w||"), 4, "|w|2023-04-15 12:30|");
  EXPECT_EQ(m.Format(), expected);
  CMatDef again;
  again.Parse(m.Format());
  EXPECT_EQ(again.Format(), m.Format());
}

TEST(MatDef, TrackBallastNameLosesItsStandard) {
  CMatDef m;
  m.Parse(BuiltinEntry("SDM-DBDBDB-GS-0001"));
  EXPECT_EQ(m.GetValue("BEZEICHNUNG"), "31,5/63 Gleisschotter (neu) - Nasssiebung");
  EXPECT_EQ(m.GetValue("SPEZ_1"), "Gleisschotter");
  EXPECT_EQ(m.GetValue("SPEZ_2"), "DIN EN 13450 / DBS 918061");
  EXPECT_EQ(m.GetValue("CTIME"), "2006-08-01");
  EXPECT_EQ(m.GetSideTestEntry("VA_GS_KRISTALL"), "VA_GS_KRISTALL|3,0_LT_D|22.4");
  EXPECT_EQ(m.GetSideTestEntry("VA_KORNF"), "");
  EXPECT_EQ(m.GetSideTestEntry("VA_GS"), "VA_GS_KORNFORM|5-30");  // a prefix test
}

TEST(MatDef, DamagedTextsParseToEmptyValues) {
  for (const char* text : {"no braces at all", "", "{0}{SDM-X|Name", "}{{", "{0}{|||||||||}{"}) {
    CMatDef m;
    EXPECT_TRUE(m.Parse(text));
    EXPECT_FALSE(m.HasName()) << text;
    EXPECT_EQ(m.Format(), "{0}{|||||}{||}{||||}{}{}{}") << text;
  }
  CMatDef partial;
  partial.Parse("{0}{SDM-X|Name}{1|0.02");
  EXPECT_TRUE(partial.HasName());
  EXPECT_EQ(partial.GetValue("X_VON"), "");
}

// A value holding a brace shifts the groups as it is read; formatting what
// was parsed from a formatted text gives the same text again.
TEST(MatDef, TextFormIsStable) {
  for (const char* text : {"{0}{ID-2305120830123|A{b}|c}{x|y}{z}{4}{[VA_KORNF|SI15]}{6|a}",
                           "{0}{{x}}{1|2|3}{A|B{|C}{@{}{[VA_PLATT|FI20]}", "{0}{ID|Name|0.063 2}{}{}{a{b{c}{}{"}) {
    SCOPED_TRACE(text);
    CMatDef first;
    first.Parse(text);
    const std::string formatted = first.Format();
    CMatDef second;
    second.Parse(formatted);
    EXPECT_EQ(second.Format(), formatted);
    for (const char* key : MatDefKeys) {
      std::string expected = first.GetValue(key);
      std::replace(expected.begin(), expected.end(), '{', '#');
      EXPECT_EQ(second.GetValue(key), expected) << key;
    }
  }
}

TEST(MatDef, UnknownKeyGivesEmptyText) {
  CMatDef m;
  EXPECT_EQ(m.GetValue("NOPE"), "");
  m.Parse(kBk0101);
  EXPECT_EQ(m.GetValue("NOPE"), "");
  EXPECT_EQ(m.GetShownText("ID"), "");
  m.SetShownText("ID", "shown");
  EXPECT_EQ(m.GetShownText("ID"), "shown");
}

TEST(MatDef, FindSideTestEntryStopsAtEmptyItem) {
  EXPECT_EQ(FindSideTestEntry(kBk0101, "VA_GS_KORNFORM"), "VA_GS_KORNFORM|");
  EXPECT_EQ(FindSideTestEntry("{0}{}{}{}{}{[VA_RCZUS|][VA_PLATT|FI20]}", "VA_PLATT"), "VA_PLATT|FI20");
  EXPECT_EQ(FindSideTestEntry("{0}{}{}{}{}{[][VA_PLATT|FI20]}", "VA_PLATT"), "");
  EXPECT_EQ(FindSideTestEntry("{0}{}{}{}{}{[VA_PLATT|FI20", "VA_PLATT"), "");
}

TEST(MatDef, CreationTimeFromId) {
  EXPECT_EQ(GetCreationTimeFromId("SDM-230415123059123-A"), "2023-04-15 12:30");
  EXPECT_EQ(GetCreationTimeFromId("SDM-DBDBDB-BK-0101"), "");
  EXPECT_EQ(GetCreationTimeFromId("SDM-2304151230591234-A"), "");
  EXPECT_EQ(GetCreationTimeFromId(""), "");
}

TEST(MatDef, TestTypeNames) {
  EXPECT_EQ(GetTestTypeName("VA_BRUCH"), "Bruchflächigkeit");
  EXPECT_EQ(GetTestTypeName("VA_100MM"), "Länge > 100 mm");
  EXPECT_EQ(GetTestTypeName("VA_GRUND"), "Grunddaten");
  EXPECT_EQ(GetTestTypeName("VA_GS_KORNFORM"), "VA_GS_KORNFORM");
}

}  // namespace
