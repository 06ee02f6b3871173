// Record field 26 of the armourstone test: both layouts read and written
// back byte for byte, and the particle density's parts kept by either.
#include <gtest/gtest.h>

#include <string>

#include "records/strutil.h"
#include "records/wbsfield.h"

namespace {

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

// 220 entries, each followed by the separator: the given ones first.
std::string Stones(const std::string& given, int count, char separator = '@') {
  return given + Repeat(std::string(1, separator), kWBSStones - count);
}

// A sieving of "CP 45/125" with three stones measured.
std::string SizeFixture() {
  return "1|@@0.0@130.5@310.6@452.8@228.4@61.7@18.9@6.2@@|CP 45/125|20@0@LT A@||" +
         Stones("62.0@71.0@53.0@", 3) + "|" + Stones("31.0@21.0@@", 3) + "|LT A@2@1@50.0@20@0@||" +
         "@@@98-100@90-100@@0-50@0-15@@0-5@@|> 180@360@250@180@125@90@63@45@31.5@22.4@< 22.4|"
         "@@@0.0@130.5@310.6@452.8@228.4@61.7@18.9@6.2|@@@0.0@10.8@25.7@37.4@18.9@5.1@1.6@0.5|"
         "@@@100@89@64@26@7@2@1@0|1209.1|22.4 45 63 125 180 |1 7 26 89 100 |0-5 0-15 0-50 90-100 98-100 |"
         "ja ja ja nein ja |" +
         Stones("2.0@3.4@@", 3) + "|" + Stones("nein@ja@@", 3);
}

// A weighing of "LMA 5/40": two stones and dust.
std::string MassFixture() {
  return "2|" + Stones("3.20@22.75@", 2) + "|LMA 5/40|1|0.50|" + Stones("40.0@50.0@", 2) + "|" +
         Stones("12.0@25.0@", 2) + "|" + Stones("3.20@@", 2) + "|||" + "3.20_1 22.75_2 " + Repeat("_ ", 218) +
         "|0.00 3.20 22.75 0.00 0.00|0.50 3.20 22.75 0.00 0.00|26.45|1.50 5.00 40.00 80.00 "
         "Schlecht_geformt_in_kg Schlecht_geformt_Anzahl |0.50 3.70 26.45 26.45 3.20_kg 1 |1.9 14.0 100.0 100.0 "
         "12.33 50.00 |0-2 0-10 70-100 97-100 <=20 . |ja nein ja ja ja . |";
}

// The particle density's values in parts 21 and 23 to 27.
void AddDensity(std::string& field) {
  for (int part : {21, 23, 24, 25, 26, 27}) StrSetField(field, '|', part, "d" + std::to_string(part) + "@2.65");
}

TEST(WBSField, SizeLayoutRoundTrips) {
  const std::string fixture = SizeFixture();
  EXPECT_EQ(GetWBSForm(fixture), WBSForm::kSize);
  const WBSSizeData size = ReadWBSSizeData(fixture);
  EXPECT_EQ(size.residues[kWBSRow360], "");
  EXPECT_EQ(size.residues[3], "0.0");  // 180 mm
  EXPECT_EQ(size.residues[kWBSRowPan], "6.2");
  EXPECT_EQ(size.residues[kWBSRowOversize], "");
  EXPECT_EQ(size.category, "CP 45/125");
  EXPECT_EQ(size.labels[kWBSRowPan], "< 22.4");
  EXPECT_EQ(size.total, "1209.1");
  ASSERT_EQ(size.requirements.size(), 5u);
  EXPECT_EQ(size.requirements[3].sieve, "125");
  EXPECT_EQ(size.requirements[3].word, "nein");
  const WBSShapeData shape = ReadWBSShapeData(fixture);
  EXPECT_EQ(shape.limit, "20");
  EXPECT_EQ(shape.categoryName, "LT A");
  EXPECT_EQ(shape.lengths[1], "71.0");
  EXPECT_EQ(shape.words[1], "ja");
  EXPECT_EQ(shape.badShare, "50.0");
  EXPECT_EQ(shape.met, "0");

  std::string written;
  WriteWBSSizeData(written, size);
  WriteWBSShapeData(written, shape);
  EXPECT_EQ(written, fixture);
  // In the other order, and over the text itself.
  written.clear();
  WriteWBSShapeData(written, shape);
  WriteWBSSizeData(written, size);
  EXPECT_EQ(written, fixture);
  written = fixture;
  WriteWBSSizeData(written, size);
  EXPECT_EQ(written, fixture);
}

TEST(WBSField, MassLayoutRoundTrips) {
  const std::string fixture = MassFixture();
  EXPECT_EQ(GetWBSForm(fixture), WBSForm::kMass);
  const WBSMassData mass = ReadWBSMassData(fixture);
  EXPECT_EQ(mass.masses[1], "22.75");
  EXPECT_EQ(mass.massClass, "1");
  EXPECT_EQ(mass.dust, "0.50");
  EXPECT_EQ(mass.badMasses[0], "3.20");
  EXPECT_EQ(mass.stoneTokens[1], "22.75_2");
  EXPECT_EQ(mass.stoneTokens[2], "_");
  EXPECT_EQ(WBSStoneTokenMass(mass.stoneTokens[1]), "22.75");
  EXPECT_EQ(WBSStoneTokenBand(mass.stoneTokens[1]), 2);
  EXPECT_EQ(WBSStoneTokenMass("_"), "");
  EXPECT_EQ(WBSStoneTokenBand("_"), -1);
  EXPECT_EQ(mass.bandMassesWithDust[0], "0.50");
  EXPECT_EQ(mass.total, "26.45");
  EXPECT_EQ(mass.table[kWBSCumulative][4], "3.20_kg");
  EXPECT_EQ(mass.table[kWBSWords][5], ".");

  std::string written = "anything|else";
  WriteWBSMassData(written, mass);
  EXPECT_EQ(written, fixture);
}

TEST(WBSField, FormOfPartZero) {
  EXPECT_EQ(GetWBSForm(""), WBSForm::kNone);
  EXPECT_EQ(GetWBSForm("|||"), WBSForm::kNone);
  EXPECT_EQ(GetWBSForm("1|x"), WBSForm::kSize);
  EXPECT_EQ(GetWBSForm("2|x"), WBSForm::kMass);
  EXPECT_EQ(GetWBSForm("x|"), WBSForm::kMass);
}

TEST(WBSField, ParticleDensityPartsSurviveEitherStore) {
  // The size distribution writes only its own parts (its part 20 is its own).
  std::string size = SizeFixture();
  AddDensity(size);
  std::string stored = size;
  WriteWBSSizeData(stored, ReadWBSSizeData(SizeFixture()));
  WriteWBSShapeData(stored, ReadWBSShapeData(SizeFixture()));
  EXPECT_EQ(stored, size);

  // The mass distribution rewrites parts 0 to 19 and keeps the rest.
  std::string field;
  AddDensity(field);
  WriteWBSMassData(field, ReadWBSMassData(MassFixture()));
  EXPECT_EQ(field, MassFixture() + "||d21@2.65||d23@2.65|d24@2.65|d25@2.65|d26@2.65|d27@2.65");
  for (int part : {21, 23, 27}) EXPECT_EQ(StrGetField(field, '|', part), "d" + std::to_string(part) + "@2.65");
  // A second store changes nothing.
  const std::string once = field;
  WriteWBSMassData(field, ReadWBSMassData(field));
  EXPECT_EQ(field, once);
}

TEST(WBSField, ReservedCharactersDoNotBreakTheLayout) {
  WBSSizeData size;
  size.category = "CP|45@x";
  size.residues[kWBSRowPan] = "1@2";
  std::string field;
  WriteWBSSizeData(field, size);
  EXPECT_EQ(StrCountFields(field, '|'), 19);
  const WBSSizeData back = ReadWBSSizeData(field);
  EXPECT_EQ(back.category, "CP#45@x");
  EXPECT_EQ(back.residues[kWBSRowPan], "1#2");
  EXPECT_EQ(back.residues[kWBSRowOversize], "");
}

}  // namespace
