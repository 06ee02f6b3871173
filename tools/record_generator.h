#pragma once
// Realistic test records for tools, tests and benchmarks: 33 fields shaped like
// those the laboratory keeps (test numbers, dates, sieve lists, a requirement
// string of 100 parts, a material definition with groups in braces, status
// lists), a few hundred bytes to a few kB per record. The same seed always
// gives the same records. Header-only, so that every tool, test and benchmark
// can include it without a library of its own.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/numbers.h"
#include "records/recordfile.h"
#include "records/versuch.h"
#include "tools/sieve_analysis.h"

namespace recordgen {

class RecordGenerator {
 public:
  explicit RecordGenerator(std::uint32_t seed = 1) : rng_(seed) {}

  // The next record; test numbers count up from "..-0001".
  std::unique_ptr<CVersuch> Next() {
    ++serial_;
    auto record = std::make_unique<CVersuch>();
    Fill(*record);
    return record;
  }

  RecordList Make(int count) {
    RecordList records;
    records.reserve(static_cast<size_t>(count > 0 ? count : 0));
    for (int i = 0; i < count; ++i) records.push_back(Next());
    return records;
  }

 private:
  struct Material {
    const char* name;
    const char* kind;      // SPEZ_1
    const char* standard;  // SPEZ_2
    const char* testType;  // SPEZ_3
    const char* sieves;    // sieve sizes in mm, joined by ";"
    std::vector<const char*> sideTests;
  };

  static const std::vector<Material>& Materials() {
    static const std::vector<Material> materials = {
        {"Sand 0/2", "Natursand", "DIN EN 12620", "Werkseigene Produktionskontrolle",
         "0.063;0.125;0.25;0.5;1;2;4", {"VA_ORGAN", "VA_SANDEQ", "VA_WASSERG"}},
        {"Kies 2/8", "Rundkorn", "DIN EN 12620", "Werkseigene Produktionskontrolle",
         "0.063;1;2;4;5.6;8;11.2;16", {"VA_KORNF", "VA_PLATT", "VA_PETRO", "VA_ALKALI"}},
        {"Splitt 8/16", "Brechkorn", "DIN EN 13043", "Fremdüberwachung",
         "0.063;2;4;8;11.2;16;22.4;31.5", {"VA_KORNF", "VA_PLATT", "VA_BRUCH", "VA_FLIESSK"}},
        {"Schotter 0/32", "Brechkorn", "TL SoB-StB", "Eignungsprüfung",
         "0.063;0.5;2;5.6;11.2;22.4;31.5;45;63", {"VA_BRUCH", "VA_RCZUS", "VA_100MM"}},
        {"RC-Gemisch 0/45", "Recycling", "TL Gestein-StB", "Werkseigene Produktionskontrolle",
         "0.063;0.5;2;5.6;11.2;22.4;31.5;45;63", {"VA_RCZUS", "VA_WASSERG", "VA_PETRO"}},
        {"Wasserbausteine CP 90/250", "Wasserbaustein", "DIN EN 13383", "Eignungsprüfung",
         "", {"VA_WBS", "VA_ROHDI"}},
    };
    return materials;
  }

  int Uniform(int low, int high) {
    return low + static_cast<int>(rng_() % static_cast<std::uint32_t>(high - low + 1));
  }
  double Real(double low, double high) {
    return low + (high - low) * (static_cast<double>(rng_()) / 4294967296.0);
  }
  std::string Number(double low, double high, int decimals) {
    return platform::FormatFixed(Real(low, high), decimals);
  }
  template <typename T>
  const T& Pick(const std::vector<T>& items) {
    return items[static_cast<size_t>(Uniform(0, static_cast<int>(items.size()) - 1))];
  }

  // The sieve requirements of a material: a band of +-8 M.-% around a
  // grading of exponent 0.45 up to the largest grain, the smallest sieve as a
  // limit; none at the largest sieve.
  static std::vector<Band> MaterialBands(const std::vector<std::string>& sizes) {
    std::vector<Band> bands;
    if (sizes.empty()) return bands;
    const double dmax = ParseNumber(sizes.back()) / 1.4;
    for (size_t i = 0; i < sizes.size(); ++i) {
      const double p = std::min(100.0, 100.0 * std::pow(ParseNumber(sizes[i]) / dmax, 0.45));
      if (i + 1 == sizes.size()) bands.push_back({100.0, 100.0});
      else if (i == 0) bands.push_back({0.0, std::ceil(p + 3.0)});
      else bands.push_back({std::max(0.0, std::floor(p - 8.0)), std::min(100.0, std::ceil(p + 8.0))});
    }
    return bands;
  }

  static std::string Two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

  // Civil date of a day count since 1970-01-01 as "YYYYMMDD".
  static std::string DateText(long days) {
    days += 719468;
    long era = (days >= 0 ? days : days - 146096) / 146097;
    long doe = days - era * 146097;
    long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long mp = (5 * doy + 2) / 153;
    long d = doy - (153 * mp + 2) / 5 + 1;
    long m = mp < 10 ? mp + 3 : mp - 9;
    long y = yoe + era * 400 + (m <= 2 ? 1 : 0);
    return std::to_string(y) + Two(static_cast<int>(m)) + Two(static_cast<int>(d));
  }

  static std::string Join(const std::vector<std::string>& parts, char separator) {
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i) {
      if (i) out.push_back(separator);
      out += parts[i];
    }
    return out;
  }

  static std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    if (text.empty()) return parts;
    size_t start = 0;
    for (;;) {
      size_t end = text.find(separator, start);
      parts.push_back(text.substr(start, end == std::string::npos ? end : end - start));
      if (end == std::string::npos) break;
      start = end + 1;
    }
    return parts;
  }

  void Fill(CVersuch& r) {
    static const std::vector<std::string> people = {"M. Schäfer", "K. Öztürk", "B. Weiß",
                                                    "J. Müller", "A. Nußbaum"};
    static const std::vector<std::string> customers = {
        "Straßenbau Südwest GmbH", "Gemeinde Bad Überlingen", "Tiefbau Köhler & Söhne",
        "Betonwerk Rheinfelden", "Ing.-Büro Groß"};
    static const std::vector<std::string> points = {"Förderband 3", "Halde Nord", "Silo 2",
                                                    "Brecher-Abzug", "Verladung LKW"};
    static const std::vector<std::string> remarks = {
        "", "Probe feucht angeliefert.", "Nachprüfung auf Wunsch des Kunden.#CRLF#Ergebnis telefonisch mitgeteilt.",
        "Siebung nach Waschen (DIN EN 933-1), Rückstand max. 1 %.", "Leichte Verfärbung, Ton-Anteil prüfen!"};

    const Material& material = Pick(Materials());
    const bool small = Uniform(0, 9) == 0;  // a fresh record with little data yet
    const std::string operatorNo = Uniform(0, 3) ? "12" : "07";
    const std::string plantNo = Uniform(0, 2) ? "34" : "05";
    const long day = 17897 + serial_ / 8;  // from 2019-01-01 on, about eight records a day
    const std::string created = DateText(day);
    const std::string changed = DateText(day + Uniform(0, 30));
    const std::string time = Two(Uniform(6, 18)) + Two(Uniform(0, 59)) + Two(Uniform(0, 59));
    const std::string testNumber =
        operatorNo + "-" + plantNo + "-" + std::string(4 - std::to_string(serial_ % 10000).size(), '0') +
        std::to_string(serial_ % 10000);
    const std::string materialId =
        plantNo + "-" + created.substr(2) + time + Two(static_cast<int>(serial_ % 97)) + "1";

    // 0: record ID with the creation stamp
    r.SetField(0, operatorNo + "-" + plantNo + "-" + created.substr(2) + time);

    // 1: basic data
    std::vector<std::string> basic(46);
    basic[0] = testNumber;
    basic[1] = Uniform(0, 4) ? "-1" : "2";
    basic[2] = "-1";
    basic[3] = "-1";
    basic[4] = Uniform(0, 1) ? "1" : "0";
    basic[5] = created;
    basic[6] = changed;
    basic[7] = "BV Umgehung B" + std::to_string(Uniform(10, 500));
    basic[8] = Uniform(0, 1) ? "Frühschicht" : "Spätschicht";
    basic[9] = DateText(day + Uniform(0, 3));
    basic[10] = Pick(people);
    basic[11] = created + time;
    basic[12] = Pick(points);
    basic[13] = Pick(people);
    basic[14] = small ? "" : Pick(remarks);
    basic[15] = plantNo;
    basic[16] = operatorNo;
    basic[17] = "Kieswerk Mühlhausen " + plantNo;
    basic[18] = "Schotterwerke Südbaden GmbH & Co. KG";
    basic[19] = "K-" + std::to_string(Uniform(1000, 1999));
    basic[20] = Pick(customers);
    basic[21] = small ? "" : Pick(remarks);
    basic[25] = Uniform(0, 3) ? "" : "unterschriften/" + std::to_string(Uniform(1, 9)) + ".bmp";
    r.SetField(1, Join(basic, '|'));

    r.SetField(2, std::to_string(Uniform(0, 3)));

    std::vector<std::string> sizes = Split(material.sieves, ';');
    const bool hasSieving = !sizes.empty() && !small;
    // A fresh record: the new-record dialog's sieve list only.
    std::vector<std::string> descending(sizes.rbegin(), sizes.rend());
    if (!sizes.empty()) descending.push_back("< " + sizes.front());
    r.SetField(3, "0|1|" + Join(descending, ';'));

    // 4: part 1 the report rows "label@size@actual@required@code" of the side
    // tests, each in braces (part 0 holds those of the sieve analysis)
    std::string rows;
    if (!small)
      for (const char* test : material.sideTests) {
        const double value = Real(1, 26);
        rows += "{" + std::string(test).substr(3) + "@" + (sizes.empty() ? "-" : Pick(sizes)) + "@" +
                platform::FormatFixed(value, 1) + "@<= 20@" + (value <= 20 ? "2" : "1") + "}";
      }
    r.SetField(4, "|" + rows);

    // 5: requirement string of 100 parts, "#" where no requirement is set
    std::vector<std::string> req(100);
    req[0] = "SDM";
    req[2] = material.name;
    req[6] = Uniform(0, 2) ? "" : "gewaschen";
    req[8] = "[" + materialId + "]";
    for (int p = 27; p < 100; ++p) req[static_cast<size_t>(p)] = "#";
    req[32] = "0-3_LE/0-5_LE";
    req[34] = "0.5";
    req[35] = "5-25";
    req[52] = "SI20";
    req[54] = "FI20";
    r.SetField(5, Join(req, ';'));

    r.SetField(6, std::string(material.sieves) + "|2");
    r.SetField(7, "||0|1|0||0");
    r.SetField(8, Uniform(0, 5) ? "" : "||1|0|0||0");
    r.SetField(9, "");

    std::vector<std::string> values(26);
    if (!small)
      for (int p : {10, 11, 12, 13, 14, 15, 20, 25})
        if (Uniform(0, 2) == 0) values[static_cast<size_t>(p)] = Number(0, 50, 1);
    r.SetField(10, Join(values, '|'));

    // 11: target curves, upper and lower: the edges of the sieve requirements
    const std::vector<Band> bands = MaterialBands(sizes);
    std::string curves;
    for (const char* which : {"O", "U"}) {
      for (size_t i = 0; i < sizes.size(); ++i)
        curves += "{" + sizes[i] + ";" + platform::FormatFixed(which[0] == 'O' ? bands[i].high : bands[i].low, 0) +
                  ";-1}";
      curves += std::string("|1|") + which + "|";
    }
    r.SetField(11, sizes.empty() ? "" : curves);

    // Side tests: result fields with numbers joined by "|".
    auto result = [&](int parts) {
      std::vector<std::string> p(static_cast<size_t>(parts));
      for (auto& part : p) part = Uniform(0, 4) ? Number(0, 3000, 2) : "";
      return Join(p, '|');
    };
    for (int field : {12, 13, 14, 15, 16, 17, 19, 22, 23, 24, 26, 31})
      r.SetField(field, !small && Uniform(0, 2) == 0 ? result(Uniform(8, 30)) : "");
    r.SetField(20, small ? "" : result(19) + "|" + std::to_string(Uniform(0, 2)));
    r.SetField(21, small ? ""
                         : "Kalkstein@" + Number(20, 60, 1) + "|Sandstein@" + Number(5, 30, 1) +
                               "|Quarzit@" + Number(1, 20, 1) + "|Grauwacke@" + Number(0, 10, 1) +
                               "|Sonstige (Ziegel, Glas)@" + Number(0, 2, 1));

    // 25: the material definition carried by the record
    std::string tower;
    for (const auto& size : sizes) tower += (tower.empty() ? "" : " ") + size;
    std::string sieveRequirements;
    for (size_t i = 0; i + 1 < sizes.size(); ++i)
      sieveRequirements += (i ? "@" : "") + sizes[i] + "|" +
                           (i == 0 ? platform::FormatFixed(bands[i].high, 0) + "_LE"
                                   : platform::FormatFixed(bands[i].low, 0) + "-" +
                                         platform::FormatFixed(bands[i].high, 0)) +
                           "||1||1||";
    std::string sideTests;
    for (const char* test : material.sideTests)
      sideTests += std::string("[") + test + "|" + (Uniform(0, 1) ? "20_LE" : "") + "]";
    const std::string display =
        std::string(material.name) + (req[6].empty() ? "" : " " + req[6]);
    r.SetField(25, "{0}{" + materialId + "|" + display + "|" + tower + "||20" +
                       created.substr(2, 2) + "-" + created.substr(4, 2) + "-" + created.substr(6, 2) +
                       " 08:00|}{1|0.063|" + (sizes.empty() ? "90.0" : sizes.back()) + "}{" +
                       material.kind + "|" + material.standard + "|" + material.testType + "|" +
                       Number(5, 40, 2) + "|20190101}{" + sieveRequirements + "}{" + sideTests + "}{}");

    r.SetField(18, display + "|" + material.standard + "|" + Number(1000, 30000, 1) + "|||||" +
                       std::to_string(Uniform(0, 2)) + "||0|0");
    r.SetField(27, "");
    r.SetField(28, "");

    // 29: status list of the tests that apply
    std::string status = "[VA_GRUND:1]";
    if (!sizes.empty()) status += std::string("[VA_SIEBL:") + (hasSieving ? Pick(statuses_) : '0') + "]";
    for (const char* test : material.sideTests)
      status += std::string("[") + test + ":" + (small ? '0' : Pick(statuses_)) + "]";
    r.SetField(29, status);

    if (hasSieving) {
      // About one sieving in eight misses a requirement.
      SieveRun run;
      run.sizes = sizes;
      run.aimed = AimedPassing(sizes, ParseSieveRequirements(r.GetGroup(25, 4)), Uniform(0, 7) == 0,
                               [this](double low, double high) { return Real(low, high); });
      run.sample = Real(1500, 6000);
      run.wet = Uniform(0, 2) != 0;
      run.washedOut = Real(0.6, 0.95);
      run.lossPercent = Real(0.02, 0.8);
      run.smooth = Uniform(0, 3) != 0;
      WriteSieveAnalysis(r, run);
    }

    // 30: the 16 columns of the list row
    std::vector<std::string> columns = {testNumber,          "",
                                        material.testType,   material.kind,
                                        display,             material.standard,
                                        basic[20],           basic[7],
                                        basic[8],            FormatStoredDate(basic[9]),
                                        FormatStoredDate(basic[11]), basic[12],
                                        basic[17],           basic[18],
                                        FormatStoredDate(created),   FormatStoredDate(changed)};
    r.SetField(30, Join(columns, '|'));
    r.SetField(32, "");
  }

  std::mt19937 rng_;
  long serial_ = 0;
  const std::vector<char> statuses_ = {'0', '1', '7', '8', '8', '8', '9'};
};

// Writes "data.db" with `count` generated records into the folder.
inline bool WriteGeneratedRecordFile(const std::filesystem::path& folder, int count,
                                     std::uint32_t seed = 1) {
  RecordGenerator generator(seed);
  return WriteRecordFile(generator.Make(count), folder / kRecordFileName);
}

}  // namespace recordgen
