// The built-in material definitions: track ballast (new and recycled) and the
// grading mixtures, written as compact tables and expanded into the text form.
#include <string>
#include <vector>

#include "records/matdef_file.h"
#include "records/strutil.h"

namespace {

const char* const kSeparator = " ";

// ---- Track ballast ---------------------------------------------------------

struct BallastDef {
  const char* id;
  const char* name;
  bool wet;
  const char* fines;          // limit L of the first entry
  const char* upper;          // upper bound U of the 1st and 2nd intermediate sieve
  char sideTests;             // 'A' new, 'B' recycled
  const char* purity;         // limit R of the purity test (side tests A)
};

const BallastDef kBallastNew[] = {
    {"SDM-DBDBDB-GS-0001", "31,5/63 Gleisschotter (neu) - Nasssiebung*3* DIN EN 13450 / DBS 918061 August 2006", true, "1.0", "99", 'A', "1.0"},
    {"SDM-DBDBDB-GS-0002", "31,5/63 Gleisschotter (neu) - Trockensiebung*3* DIN EN 13450 / DBS 918061 August 2006", false, "1.0", "99", 'A', "1.0"},
    {"SDM-DBDBDB-GS-0003", "31,5/63-bes.A. Gleisschotter (neu) - Nasssiebung*3* DIN EN 13450 / DBS 918061 August 2006", true, "0.5", "99", 'A', "1.0"},
    {"SDM-DBDBDB-GS-0004", "31,5/63-W.v.O. Gleisschotter (neu) - Nasssiebung*3* DIN EN 13450 / DBS 918061 August 2006", true, "1.0", "99", 'A', "1.0"},
    {"SDM-DBDBDB-GS-0005", "31,5/63 Gleisschotter (neu) - S - Nasssiebung*3* DIN EN 13450 / DBS 918061 August 2006", true, "1.0", "99", 'A', "0.5"},
    {"SDM-DBDBDB-GS-0006", "31,5/63 Gleisschotter (neu) - S - Trockensiebung*3* DIN EN 13450 / DBS 918061 August 2006", false, "1.0", "99", 'A', "0.5"},
    {"SDM-DBDBDB-GS-0007", "31,5/63 Gleisschotter (neu) - Nasssiebung*2* DBS 918 061 August 2006", true, "1.0", "100", 'A', "1.0"},
    {"SDM-DBDBDB-GS-0008", "31,5/63 Gleisschotter (neu) - Trockensiebung*2* DBS 918 061 August 2006", false, "1.0", "100", 'A', "1.0"},
    {"SDM-DBDBDB-GS-0009", "31,5/63-bes.A. Gleisschotter (neu) - Nasssiebung*2* DBS 918 061 August 2006", true, "0.5", "100", 'A', "1.0"},
    {"SDM-DBDBDB-GS-0010", "31,5/63-W.v.O. Gleisschotter (neu) - Nasssiebung*2* DBS 918 061 August 2006", true, "1.0", "100", 'A', "1.0"},
    {"SDM-DBDBDB-GS-0011", "31,5/63 Gleisschotter (neu) - S - Nasssiebung*2* DBS 918 061 August 2006", true, "1.0", "100", 'A', "0.5"},
    {"SDM-DBDBDB-GS-0012", "31,5/63 Gleisschotter (neu) - S - Trockensiebung*2* DBS 918 061 August 2006", false, "1.0", "100", 'A', "0.5"},
    {"SDM-DBDBDB-GS-0013", "22,4/63 Gleisschotter (neu) - Nasssiebung*2* DBS 918 061", true, "1.0", "100", 'A', "1.0"},
    {"SDM-DBDBDB-GS-0014", "22,4/63 Gleisschotter (neu) - Trockensiebung*2* DBS 918 061", false, "1.0", "100", 'A', "1.0"},
    {"SDM-DBDBDB-GS-0015", "22,4/63-bes.A. Gleisschotter (neu) - Nasssiebung*2* DBS 918 061", true, "0.5", "100", 'A', "1.0"},
    {"SDM-DBDBDB-GS-0016", "22,4/63-W.v.O. Gleisschotter (neu) - Nasssiebung*2* DBS 918 061", true, "1.0", "100", 'A', "1.0"},
    {"SDM-DBDBDB-GS-0017", "22,4/63 Gleisschotter (neu) - S - Nasssiebung*2* DBS 918 061", true, "1.0", "100", 'A', "0.5"},
    {"SDM-DBDBDB-GS-0018", "22,4/63 Gleisschotter (neu) - S - Trockensiebung*2* DBS 918 061", false, "1.0", "100", 'A', "0.5"},
};

const BallastDef kBallastRecycled[] = {
    {"SDM-DBDBDB-GSRC-0019", "31,5/63 Gleisschotter (aufbereitet) - Nasssiebung*3* DIN EN 13450 / DBS 918061 August 2006", true, "1.0", "99", 'B', ""},
    {"SDM-DBDBDB-GSRC-0020", "31,5/63 Gleisschotter (aufbereitet) - Trockensiebung*3* DIN EN 13450 / DBS 918061 August 2006", false, "1.0", "99", 'B', ""},
    {"SDM-DBDBDB-GSRC-0021", "31,5/63 Gleisschotter (aufbereitet) - Nasssiebung*2* DBS 918 061 August 2006", true, "1.0", "100", 'B', ""},
    {"SDM-DBDBDB-GSRC-0022", "31,5/63 Gleisschotter (aufbereitet) - Trockensiebung*2* DBS 918 061 August 2006", false, "1.0", "100", 'B', ""},
    {"SDM-DBDBDB-GSRC-0023", "22,4/63 Gleisschotter (aufbereitet) - Nasssiebung*2* DBS 918 061", true, "1.0", "100", 'B', ""},
    {"SDM-DBDBDB-GSRC-0024", "22,4/63 Gleisschotter (aufbereitet) - Trockensiebung*2* DBS 918 061", false, "1.0", "100", 'B', ""},
};

std::string BallastText(const BallastDef& d) {
  const std::string u = d.upper;
  const std::string tower = d.wet ? "0.063 0.5 22.4 31.5 40.0 50.0 63.0 80.0" : "0.5 22.4 31.5 40.0 50.0 63.0 80.0";
  const std::string first = d.wet ? std::string("0.063|") + d.fines + "_LE|0.063 (GS)|1||1||"
                                  : std::string("0.5|") + d.fines + "_LE|Unterkorn (GS)|1||1||";
  const std::string requirements =
      first + "@22.4|0-5|Kornscheide (GS)|1||1||@31.5|1-25|Überkorn (GS)|1||1||@40|30-65|0. Zwischensieb (GS)|1||1||@50|65-" +
      u + "|1. Zwischensieb (GS)|1||1||@63|97-" + u +
      "|2. Zwischensieb (GS)|1||1||@80|100_EQ|3. Zwischensieb (GS)|1||1||@31.5|50_GE|4. Zwischensieb (GS)|1|1|1||63";
  const std::string sideTests =
      d.sideTests == 'A'
          ? std::string("[VA_GS_KORNFORM|5-30][VA_GS_LAENGER100|6_LE][VA_GS_WASSER|0,5_LE][VA_GS_KRISTALL|3,0_LT_D|22.4][VA_GS_REINHEIT|") +
                d.purity + "_LE][VA_GS_PLATTIGKEIT|0-35]"
          : "[VA_GS_UMWELT|][VA_GS_KORNFORM|5-30][VA_GS_LAENGER100|6_LE][VA_GS_REINHEIT|1.0_LE][VA_GS_PLATTIGKEIT|0-35]";
  return std::string("{0}{") + d.id + "|" + d.name + "|" + tower + "}{1|0.02|90.0}{||||}{" + requirements + "}{" +
         sideTests + "}";
}

// ---- Grading mixtures ------------------------------------------------------

// Requirements as "size code" items joined by "; "; "size code to size2" is a
// residue requirement on the share between two sieves.
struct MixtureDef {
  const char* id;
  const char* name;  // blanks exact, trailing and doubled ones included
  const char* tower;
  const char* xFrom;
  const char* xTo;
  const char* requirements;
  char sideTests;  // 'C' or 'D'
};

constexpr const char* kTowerKg1Bk = "0.02 0.063 0.125 0.25 2.0 5.6 8.0 11.2 16.0 22.4 31.5 45.0 56.0 63.0 90.0";
constexpr const char* kTowerKg1BkNoFines = "0.063 0.125 0.25 2.0 5.6 8.0 11.2 16.0 22.4 31.5 45.0 56.0 63.0 90.0";
constexpr const char* kTowerKg1Rk = "0.02 0.063 0.125 0.25 0.5 1.0 2.0 4.0 8.0 16.0 31.5 45.0 63.0";
constexpr const char* kTowerKg1Rc = "0.02 0.063 0.125 0.25 2.0 5.6 8.0 11.2 16.0 22.4 31.5 45.0 56.0 63.0";
constexpr const char* kTowerKg1RcNoFines = "0.063 0.125 0.25 2.0 5.6 8.0 11.2 16.0 22.4 31.5 45.0 56.0 63.0";

const MixtureDef kMixturesBrechkorn[] = {
    {"SDM-DBDBDB-BK-0101", "KG1 (0/32)", "0.02 0.063 0.125 0.25 0.5 1 2 4 8 16 31.5 45", "0.02", "45", "0.02 3_LE; 0.063 5_LE; 0.125 7-17; 0.25 12-32; 0.5 23-43; 1 32-53; 2 40-60; 4 50-71; 8 62-82; 10 85_LE; 16 73-92; 31.5 85-99", 'C'},
    {"SDM-DBDBDB-BK-0102", "KG1 (0/32) nach dem Zv.", "0.02 0.063 0.125 0.25 0.5 1 2 4 8 16 31.5 45", "0.02", "45", "0.02 5_LE; 0.063 7_LE; 0.125 7-17; 0.25 12-32; 0.5 23-43; 1 32-53; 2 40-60; 4 50-71; 8 62-82; 10 85_LE; 16 73-92; 31.5 85-99", 'C'},
    {"SDM-DBDBDB-BK-0105", "KG2 (0/32)", "0.063 0.5 1 2 4 8 16 31.5 45", "0.02", "45", "0.063 5_LE; 0.5 5-35; 1 9-40; 2 16-47; 4 22-60; 8 35-68; 16 55-85; 31.5 90-99", 'C'},
    {"SDM-DBDBDB-BK-0106", "KG2 (0/32) nach dem Zv.", "0.063 0.5 1 2 4 8 16 31.5 45", "0.063", "45", "0.063 7_LE; 0.5 5-35; 1 9-40; 2 16-47; 4 22-60; 8 35-68; 16 55-85; 31.5 90-99", 'C'},
    {"SDM-DBDBDB-BK-0109", "KG2 (0/45)", "0.063 0.5 1 2 4 5.6 11.2 22.4 45 63", "0.063", "63", "0.063 5_LE; 0.5 5-35; 1 9-40; 2 16-47; 5.6 22-60; 11.2 35-68; 22.4 55-85; 45 90-99", 'C'},
    {"SDM-DBDBDB-BK-0110", "KG2 (0/45) nach dem Zv", "0.063 0.5 1 2 4 5.6 11.2 22.4 45 63", "0.063", "63", "0.063 7_LE; 0.5 5-35; 1 9-40; 2 16-47; 5.6 22-60; 11.2 35-68; 22.4 55-85; 45 90-99", 'C'},
    {"SDM-DBDBDB-BK-0113", "KG2 (0/56)", "0.063 0.5 1 2 4 5.6 8 11.2 16 22.4 31.5 45 56 63 80", "0.063", "80", "0.063 5_LE; 1 5-35; 2 9-40; 4 16-47; 8 22-60; 16 35-68; 31.5 55-85; 56 90-99", 'C'},
    {"SDM-DBDBDB-BK-0114", "KG2 (0/56) nach dem Zv", "0.063 0.5 1 2 4 5.6 8 11.2 16 22.4 31.5 45 56 63 80", "0.063", "80", "0.063 7_LE; 1 5-35; 2 9-40; 4 16-47; 8 22-60; 16 35-68; 31.5 55-85; 56 90-99", 'C'},
};

const MixtureDef kMixturesBrechkornOld[] = {
    {"SDM-DBDBDB-BK-0025", "KG1  ", kTowerKg1Bk, "0.02", "90.0", "0.02 3_LE; 0.063 5_LE; 31.5 15_LE to 63.0; 0.125 7_GE; 2.0 40-60; 10 85_LE", 'C'},
    {"SDM-DBDBDB-BK-0026", "KG1 n.d.Zv. ", kTowerKg1Bk, "0.02", "90.0", "0.02 5_LE; 0.063 5_LE; 31.5 15_LE to 63.0; 0.125 7_GE; 2.0 40-60; 10 85_LE", 'C'},
    {"SDM-DBDBDB-BK-0027", "KG1  ohne Schlämmanalyse", kTowerKg1BkNoFines, "0.02", "90.0", "0.063 5_LE; 31.5 15_LE to 63.0; 0.125 7_GE; 2.0 40-60; 10 85_LE", 'C'},
    {"SDM-DBDBDB-BK-0028", "KG1 n.d.Zv. ohne Schlämmanalyse", kTowerKg1BkNoFines, "0.02", "90.0", "0.063 5_LE; 31.5 15_LE to 63.0; 0.125 7_GE; 2.0 40-60; 10 85_LE", 'C'},
    {"SDM-DBDBDB-BK-1025", "KG1, eingeb. Zust. ", kTowerKg1Bk, "0.02", "90.0", "0.02 3_LE; 0.063 7_LE; 31.5 15_LE to 63.0; 0.125 7_GE; 2.0 40-60; 10 85_LE", 'C'},
    {"SDM-DBDBDB-BK-1026", "KG1, eingeb. Zust., n.d.Zv. ", kTowerKg1Bk, "0.02", "90.0", "0.02 5_LE; 0.063 7_LE; 31.5 15_LE to 63.0; 0.125 7_GE; 2.0 40-60; 10 85_LE", 'C'},
    {"SDM-DBDBDB-BK-1027", "KG1, eingeb. Zust.,  ohne Schlämmanalyse", kTowerKg1BkNoFines, "0.02", "90.0", "0.063 7_LE; 31.5 15_LE to 63.0; 0.125 7_GE; 2.0 40-60; 10 85_LE", 'C'},
    {"SDM-DBDBDB-BK-1028", "KG1, eingeb. Zust., n.d.Zv. ohne Schlämmanalyse", kTowerKg1BkNoFines, "0.02", "90.0", "0.063 7_LE; 31.5 15_LE to 63.0; 0.125 7_GE; 2.0 40-60; 10 85_LE", 'C'},
    {"SDM-DBDBDB-BK-0029", "KG2 BKSG ", "0.063  0.25 2.0 5.6 8.0 11.2 16.0 22.4 31.5 45.0 56.0 63.0 90.0", "0.02", "90.0", "0.063 5_LE; 45.0 20_LE to 63.0; 2.0 40_LE; 10 85_LE", 'C'},
    {"SDM-DBDBDB-BK-0030", "KG2 BKSG n.d.Zv. ", "0.063  0.25 2.0 5.6 8.0 11.2 16.0 22.4 31.5 45.0 56.0 63.0 90.0", "0.02", "90.0", "0.063 7_LE; 45.0 20_LE to 63.0; 2.0 40_LE; 10 85_LE", 'C'},
};

const MixtureDef kMixturesRundkornOld[] = {
    {"SDM-DBDBDB-RK-0031", "KG1  ", kTowerKg1Rk, "0.02", "90.0", "0.02 3_LE; 31.5 15_LE to 63.0; 0.125 5_GE; 2.0 40_GE; 10 85_LE", 'C'},
    {"SDM-DBDBDB-RK-0032", "KG1 n.d.Zv. ", kTowerKg1Rk, "0.02", "90.0", "0.02 5_LE; 31.5 15_LE to 63.0; 0.125 5_GE; 2.0 40_GE; 10 85_LE", 'C'},
    {"SDM-DBDBDB-RK-0033", "KG1  ohne Schlämmanalyse", kTowerKg1Rk, "0.02", "90.0", "31.5 15_LE to 63.0; 0.125 5_GE; 2.0 40_GE; 10 85_LE", 'C'},
    {"SDM-DBDBDB-RK-0034", "KG1 n.d.Zv. ohne Schlämmanalyse", kTowerKg1Rk, "0.02", "90.0", "31.5 15_LE to 63.0; 0.125 5_GE; 2.0 40_GE; 10 85_LE", 'C'},
    {"SDM-DBDBDB-RK-1031", "KG1, eingeb. Zust.", kTowerKg1Rk, "0.02", "90.0", "0.02 3_LE; 31.5 15_LE to 63.0; 0.125 7_GE; 2.0 40_GE; 10 85_LE", 'C'},
    {"SDM-DBDBDB-RK-1032", "KG1, eingeb. Zust., n.d.Zv. ", kTowerKg1Rk, "0.02", "90.0", "0.02 5_LE; 31.5 15_LE to 63.0; 0.125 7_GE; 2.0 40_GE; 10 85_LE", 'C'},
    {"SDM-DBDBDB-RK-1033", "KG1, eingeb. Zust.,  ohne Schlämmanalyse", kTowerKg1Rk, "0.02", "90.0", "31.5 15_LE to 63.0; 0.125 7_GE; 2.0 40_GE; 10 85_LE", 'C'},
    {"SDM-DBDBDB-RK-1034", "KG1, eingeb. Zust., n.d.Zv. ohne Schlämmanalyse", kTowerKg1Rk, "0.02", "90.0", "31.5 15_LE to 63.0; 0.125 7_GE; 2.0 40_GE; 10 85_LE", 'C'},
    {"SDM-DBDBDB-RK-0035", "KG2 KSG ", "0.063 0.125 0.25 0.5 1.0 2.0 4.0 8.0 16.0 31.5 45.0 63.0 90.0", "0.02", "90.0", "0.063 5_LE; 45.0 20_LE to 63.0; 10 85_LE", 'C'},
    {"SDM-DBDBDB-RK-0036", "KG2 KSG n.d.Zv. ", "0.063 0.125 0.25 0.5 1.0 2.0 4.0 8.0 16.0 31.5 45.0 63.0 90.0", "0.02", "90.0", "0.063 7_LE; 45.0 20_LE to 63.0; 10 85_LE", 'C'},
};

const MixtureDef kMixturesRcOld[] = {
    {"SDM-DBDBDB-RC-0037", "KG1  ", kTowerKg1Rc, "0.02", "90.0", "0.02 3_LE; 31.5 15_LE to 63.0; 0.125 5_GE; 2.0 40_GE; 10 85_LE", 'D'},
    {"SDM-DBDBDB-RC-0038", "KG1 n.d.Zv. ", kTowerKg1Rc, "0.02", "90.0", "0.02 5_LE; 31.5 15_LE to 63.0; 0.125 5_GE; 2.0 40_GE; 10 85_LE", 'D'},
    {"SDM-DBDBDB-RC-0039", "KG1  ohne Schlämmanalyse", kTowerKg1RcNoFines, "0.02", "90.0", "31.5 15_LE to 63.0; 0.125 5_GE; 2.0 40_GE; 10 85_LE", 'D'},
    {"SDM-DBDBDB-RC-0040", "KG1 n.d.Zv. ohne Schlämmanalyse", kTowerKg1RcNoFines, "0.02", "90.0", "31.5 15_LE to 63.0; 0.125 5_GE; 2.0 40_GE; 10 85_LE", 'D'},
    {"SDM-DBDBDB-RC-1037", "KG1, eingeb. Zust.", kTowerKg1Rc, "0.02", "90.0", "0.02 3_LE; 31.5 15_LE to 63.0; 0.125 7_GE; 2.0 40_GE; 10 85_LE", 'D'},
    {"SDM-DBDBDB-RC-1038", "KG1, eingeb. Zust., n.d.Zv. ", kTowerKg1Rc, "0.02", "90.0", "0.02 5_LE; 31.5 15_LE to 63.0; 0.125 7_GE; 2.0 40_GE; 10 85_LE", 'D'},
    {"SDM-DBDBDB-RC-1039", "KG1, eingeb. Zust.,  ohne Schlämmanalyse", kTowerKg1RcNoFines, "0.02", "90.0", "31.5 15_LE to 63.0; 0.125 7_GE; 2.0 40_GE; 10 85_LE", 'D'},
    {"SDM-DBDBDB-RC-1040", "KG1, eingeb. Zust., n.d.Zv. ohne Schlämmanalyse", kTowerKg1RcNoFines, "0.02", "90.0", "31.5 15_LE to 63.0; 0.125 7_GE; 2.0 40_GE; 10 85_LE", 'D'},
    {"SDM-DBDBDB-RC-0041", "KG2  ", "0.063  0.25 2.0 5.6 8.0 11.2 16.0 22.4 31.5 45.0 56.0 63.0", "0.02", "90.0", "0.063 5_LE; 45.0 20_LE to 63.0; 10 85_LE", 'D'},
    {"SDM-DBDBDB-RC-0042", "KG2 n.d.Zv. ", "0.063  0.25 2.0 5.6 8.0 11.2 16.0 22.4 31.5 45.0 56.0 63.0", "0.02", "90.0", "0.063 7_LE; 45.0 20_LE to 63.0; 10 85_LE", 'D'},
};

// "0.02 3_LE" -> "0.02|3_LE||1||1||"; "31.5 15_LE to 63.0" -> "31.5|15_LE||1|1|1||63.0".
std::string MixtureRequirements(const std::string& compact) {
  std::string result;
  const int count = StrCountFieldsS(compact, "; ");
  for (int i = 0; i < count; ++i) {
    const std::string item = StrGetFieldS(compact, "; ", i);
    const std::string size = StrGetField(item, ' ', 0);
    const std::string code = StrGetField(item, ' ', 1);
    if (i > 0) result += "@";
    if (StrGetField(item, ' ', 2) == "to")
      result += size + "|" + code + "||1|1|1||" + StrGetField(item, ' ', 3);
    else
      result += size + "|" + code + "||1||1||";
  }
  return result;
}

std::string MixtureText(const MixtureDef& d) {
  const char* sideTests = d.sideTests == 'C' ? "[VA_GS_KORNFORM|]" : "[VA_RCZUS|][VA_GS_KORNFORM|]";
  return std::string("{0}{") + d.id + "|" + d.name + "|" + d.tower + "}{1|" + d.xFrom + "|" + d.xTo + "}{||||}{" +
         MixtureRequirements(d.requirements) + "}{" + sideTests + "}";
}

template <typename Def, size_t N>
void AppendGroup(std::vector<std::string>& list, const char* heading, const Def (&defs)[N],
                 std::string (*text)(const Def&), bool separatorAfter) {
  list.push_back(heading);
  for (const Def& d : defs) list.push_back(text(d));
  if (separatorAfter) list.push_back(kSeparator);
}

std::vector<std::string> BuildBuiltinEntries() {
  std::vector<std::string> list;
  AppendGroup(list, " ==== Gleisschotter, neu ====", kBallastNew, BallastText, true);
  AppendGroup(list, " ====  Gleisschotter, aufbereitet ====", kBallastRecycled, BallastText, true);

  AppendGroup(list, " ==== Korngemische Brechkorn ====", kMixturesBrechkorn, MixtureText, true);
  // The rounded and recycled mixtures are copies of the crushed ones (the eight
  // definitions and the separator) with other IDs.
  const std::vector<std::string> crushed(list.end() - 9, list.end());
  for (const auto& [heading, replacement] :
       {std::pair{" ==== Korngemische Rundkorn ====", "-RK-02"}, std::pair{" ==== Korngemische RC ====", "-RC-03"}}) {
    list.push_back(heading);
    for (std::string entry : crushed) {
      StrReplace(entry, "-BK-01", replacement);
      list.push_back(entry);
    }
  }

  AppendGroup(list, " ==== Korngemische Brechkorn alt ====", kMixturesBrechkornOld, MixtureText, true);
  AppendGroup(list, " ==== Korngemische Rundkorn alt ====", kMixturesRundkornOld, MixtureText, true);
  AppendGroup(list, " ==== Korngemische RC alt ====", kMixturesRcOld, MixtureText, false);
  return list;
}

}  // namespace

const std::vector<std::string>& BuiltinMaterialEntries() {
  static const std::vector<std::string> entries = BuildBuiltinEntries();
  return entries;
}
