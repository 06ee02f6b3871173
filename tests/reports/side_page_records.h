#pragma once
// Records for the side-test pages B (petrography) and D (alkali
// classification), with their fields written out by hand as the record file
// holds them.
#include <string>
#include <vector>

#include "reports/report_testing.h"

namespace reporttest {

// A gravel 8/16 sorted into 2994.0 g: A (0.45 %) and C (0.01 %) within all
// limits, B (0.30 %) within the one for Deckschichten only.
inline std::string PetrographyField() {
  std::vector<std::string> parts(52);
  parts[11] = "Flint, grau, kantig#CRLF#Kreidekruste teils abgerieben#CRLF#mit Einschlüssen";
  parts[12] = "Kalkstein, porös, gelblich#CRLF##CRLF#";
  parts[13] = "Tonstein, weich#CRLF##CRLF#";
  parts[14] = "Limonitkonkretionen#CRLF##CRLF#";
  parts[15] = "Holzreste#CRLF##CRLF#";
  const std::vector<std::string> values = {"2904.5", "71.8", "5.2",  "6.1",  "2.3",  "13.6", "9.0",  "0.3",
                                           "2994.0", "97.01", "2.40", "0.17", "0.20", "0.08", "0.45", "0.30",
                                           "0.01",   "100.00"};
  for (size_t i = 0; i < values.size(); ++i) parts[16 + i] = values[i];
  const std::vector<std::string> requirements = {"< 0.50", "<= 0.50", "<= 0.02", "< 0.50", "<= 0.25",
                                                 "<= 0.02", "< 0.50", "<= 0.25", "<= 0.01"};
  for (size_t i = 0; i < requirements.size(); ++i) parts[34 + i] = requirements[i];
  const std::vector<std::string> checks = {"1", "1", "1", "1", "2", "2", "1", "1", "1"};
  for (size_t i = 0; i < checks.size(); ++i) parts[43 + i] = checks[i];
  return Join(parts, "|") + "|";
}

// A record whose only page is page B.
inline CVersuch PetrographyRecord(const std::string& field21) {
  CVersuch r = PageARecord();
  r.SetField(29, "[VA_GRUND:1][VA_SIEBL:0][VA_PETRO:9]");
  r.SetField(21, field21);
  return r;
}

// A sand and gravel 0/32 classified E II-O / E II-OF: classes 1/2 to 16/32
// tested, grain group 0/32.
inline std::string AlkaliField() {
  return "A0:11190.0|A1:2450.0|A2:820.0|A3:1130.0|A4:1560.0|A5:2340.0|A6:2890.0|A7:0.0|"
         "AP0:100.0|AP1:21.9|AP2:7.3|AP3:10.1|AP4:13.9|AP5:20.9|AP6:25.9|AP7:0.0|"
         "M013:50.00|M014:49.80|M015:0.20|M016:0.4|M113:100.0|M114:99.10|M115:0.90|M116:0.9|"
         "M200:1000.0|M201:985.0|M202:98.5|M203:9.00|M204:0.9|M205:6.00|M206:0.6|M207:9.00|M208:9.30|"
         "M209:5.40|M210:3.90|M211:2308|M212:0.4|M213:6.00|M214:3.10|M215:2.90|M216:0.3|M217:1.20|"
         "M218:0.1|M219:0.4|M220:1.9|"
         "M300:2000.0|M301:1940.0|M302:97.0|M303:38.00|M304:1.9|M305:22.00|M306:1.1|M307:38.00|"
         "M308:39.20|M309:22.40|M310:16.80|M311:2262|M312:1.0|M313:22.00|M314:8.60|M315:13.40|"
         "M316:0.7|M317:4.50|M318:0.2|M319:1.0|M320:4.5|"
         "M400:3000.0|M401:2955.0|M402:98.5|M403:30.00|M404:1.0|M405:15.00|M406:0.5|M407:30.00|"
         "M408:30.90|M409:18.00|M410:12.90|M411:2326|M412:0.4|M413:15.00|M414:9.00|M415:6.00|"
         "M416:0.2|M417:2.10|M418:0.1|M419:0.4|M420:1.4|"
         "B00:X|B03:X|B11:X|B14:X|B20:X|B23:X|B31:X|B34:X|B40:X|B43:X|"
         "E_O:E II-O|E_OF:E II-OF|KG1:0|KG2:32|";
}

// A record whose only page is page D.
inline CVersuch AlkaliRecord(const std::string& field24) {
  CVersuch r = PageARecord();
  r.SetField(29, "[VA_GRUND:1][VA_SIEBL:0][VA_ALKALI:8]");
  r.SetField(24, field24);
  return r;
}

}  // namespace reporttest
