// Page D: the classification of the aggregate into alkali-sensitivity
// classes from the data string of field 24, one large table laid out by a
// cell template and a grid-line template, then the classification sentence
// and the remark.
#include "reports/druckseite.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>

#include "charts/dczustand.h"
#include "evaluation/alkali/alkali.h"
#include "records/versuch.h"
#include "reports/celltemplate.h"
#include "reports/page_common.h"
#include "reports/page_d.h"

using platform::DrawContext;
using platform::Font;
using platform::Rect;
using namespace report_detail;

namespace {

// The cells of the table (10 columns, 29 rows); cells without a text are left out.
constexpr char kAlkaliCells[] =
    "{00 00 01 01|a_L s_3 fa_B  f_serif|Korngrößenverteilung (Abschnitte A.4.2 und A.4.3)}"
    "{00 01 01 02|a_L s_0  f_serif|Prüfkornklasse}"
    "{01 01 02 02|a_C s_0  f_serif|mm}"
    "{02 01 03 02|a_C s_0  f_serif|Summe}"
    "{03 01 04 02|a_C s_0  f_serif|< 1}"
    "{04 01 05 02|a_C s_0  f_serif|1/2}"
    "{05 01 06 02|a_C s_0  f_serif|2/4}"
    "{06 01 07 02|a_C s_0  f_serif|4/8}"
    "{07 01 08 02|a_C s_0  f_serif|8/16}"
    "{08 01 09 02|a_C s_0  f_serif|16/32}"
    "{09 01 10 02|a_C s_0  f_serif|> 32}"
    "{00 02 01 03|a_L s_0  f_serif|Masse}"
    "{01 02 02 03|a_C s_0  f_serif|g}"
    "{02 02 03 03|a_C s_0  f_mono|#A0}"
    "{03 02 04 03|a_C s_0  f_mono|#A1}"
    "{04 02 05 03|a_C s_0  f_mono|#A2}"
    "{05 02 06 03|a_C s_0  f_mono|#A3}"
    "{06 02 07 03|a_C s_0  f_mono|#A4}"
    "{07 02 08 03|a_C s_0  f_mono|#A5}"
    "{08 02 09 03|a_C s_0  f_mono|#A6}"
    "{09 02 10 03|a_C s_0  f_mono|#A7}"
    "{00 03 01 04|a_L s_0  f_serif|Anteil}"
    "{01 03 02 04|a_C s_0  f_serif|M.-%}"
    "{02 03 03 04|a_C s_0  f_mono|#AP0}"
    "{03 03 04 04|a_C s_0  f_mono|#AP1}"
    "{04 03 05 04|a_C s_0  f_mono|#AP2}"
    "{05 03 06 04|a_C s_0  f_mono|#AP3}"
    "{06 03 07 04|a_C s_0  f_mono|#AP4}"
    "{07 03 08 04|a_C s_0  f_mono|#AP5}"
    "{08 03 09 04|a_C s_0  f_mono|#AP6}"
    "{09 03 10 04|a_C s_0  f_mono|#AP7}"
    "{00 04 01 05|a_L s_3 fa_B  f_serif|Petrografische Prüfung (Abschnitt A.5.3)}"
    "{00 05 01 06|a_L s_0  f_serif|Prüfkornklasse}"
    "{05 05 06 06|a_C s_0  f_serif|mm}"
    "{06 05 07 06|a_C s_0  f_serif|4/8}"
    "{07 05 08 06|a_C s_0  f_serif|8/16}"
    "{08 05 09 06|a_C s_0  f_serif|16/32}"
    "{09 05 10 06|a_C s_0  f_serif|> 32}"
    "{00 06 01 07|a_L s_0  f_serif|Einwaage}"
    "{05 06 06 07|a_C s_0  f_serif|g}"
    "{06 06 07 07|a_C s_0  f_mono|#M200}"
    "{07 06 08 07|a_C s_0  f_mono|#M300}"
    "{08 06 09 07|a_C s_0  f_mono|#M400}"
    "{09 06 10 07|a_C s_0  f_mono|#M500}"
    "{00 07 01 08|a_L s_0  f_serif|Alkaliunempfindliche Bestandteile}"
    "{05 07 06 08|a_C s_0  f_serif|M.-%}"
    "{06 07 07 08|a_C s_0  f_mono|#M202}"
    "{07 07 08 08|a_C s_0  f_mono|#M302}"
    "{08 07 09 08|a_C s_0  f_mono|#M402}"
    "{09 07 10 08|a_C s_0  f_mono|#M502}"
    "{00 08 01 09|a_L s_0  f_serif|Flint}"
    "{05 08 06 09|a_C s_0  f_serif|M.-%}"
    "{06 08 07 09|a_C s_0  f_mono|#M204}"
    "{07 08 08 09|a_C s_0  f_mono|#M304}"
    "{08 08 09 09|a_C s_0  f_mono|#M404}"
    "{09 08 10 09|a_C s_0  f_mono|#M504}"
    "{00 09 01 10|a_L s_0  f_serif|Opalsandstein einschl. Kieselkreide und fragliche Bestandteile}"
    "{05 09 06 10|a_C s_0  f_serif|M.-%}"
    "{06 09 07 10|a_C s_0  f_mono|#M206}"
    "{07 09 08 10|a_C s_0  f_mono|#M306}"
    "{08 09 09 10|a_C s_0  f_mono|#M406}"
    "{09 09 10 10|a_C s_0  f_mono|#M506}"
    "{00 10 01 11|a_L s_3 fa_B  f_serif|Prüfung des Anteils an alkaliempfindlichen Bestandteilen (Abschnitte A.6.3 und A.7.3)}"
    "{00 11 01 12|a_L s_0  f_serif|Prüfkornklasse}"
    "{03 11 04 12|a_C s_0  f_serif|mm}"
    "{04 11 05 12|a_C s_0  f_serif|1/2}"
    "{05 11 06 12|a_C s_0  f_serif|2/4}"
    "{06 11 07 12|a_C s_0  f_serif|4/8}"
    "{07 11 08 12|a_C s_0  f_serif|8/16}"
    "{08 11 09 12|a_C s_0  f_serif|16/32}"
    "{09 11 10 12|a_C s_0  f_serif|> 32}"
    "{00 12 01 13|a_L s_0  f_serif|Einwaage}"
    "{03 12 04 13|a_C s_0  f_serif|g}"
    "{04 12 05 13|a_C s_0  f_mono|#M013}"
    "{05 12 06 13|a_C s_0  f_mono|#M113}"
    "{06 12 07 13|a_C s_0  f_mono|#M213}"
    "{07 12 08 13|a_C s_0  f_mono|#M313}"
    "{08 12 09 13|a_C s_0  f_mono|#M413}"
    "{09 12 10 13|a_C s_0  f_mono|#M513}"
    "{00 13 01 14|a_L s_0  f_serif|Masse nach NaOH-Test (abzügl. G<t>NW<n>)}"
    "{03 13 04 14|a_C s_0  f_serif|g}"
    "{04 13 05 14|a_C s_0  f_mono|#M014}"
    "{05 13 06 14|a_C s_0  f_mono|#M114}"
    "{06 13 07 14|a_C s_0  f_mono|#M214}"
    "{07 13 08 14|a_C s_0  f_mono|#M314}"
    "{08 13 09 14|a_C s_0  f_mono|#M414}"
    "{09 13 10 14|a_C s_0  f_mono|#M514}"
    "{00 14 01 15|a_L s_0  f_serif|Opalsandstein u. reaktionsfähiger Flint}"
    "{03 14 04 15|a_C s_0  f_serif|M.-%}"
    "{04 14 05 15|a_C s_0  f_mono|#M016}"
    "{05 14 06 15|a_C s_0  f_mono|#M116}"
    "{00 15 01 16|a_L s_0  f_serif|Opalsandstein}"
    "{03 15 04 16|a_C s_0  f_serif|M.-%}"
    "{06 15 07 16|a_C s_0  f_mono|#M216}"
    "{07 15 08 16|a_C s_0  f_mono|#M316}"
    "{08 15 09 16|a_C s_0  f_mono|#M416}"
    "{09 15 10 16|a_C s_0  f_mono|#M516}"
    "{00 16 01 18|a_L s_0  f_serif|Erweichte Körner}"
    "{03 16 04 17|a_C s_0  f_serif|g}"
    "{06 16 07 17|a_C s_0  f_mono|#M217}"
    "{07 16 08 17|a_C s_0  f_mono|#M317}"
    "{08 16 09 17|a_C s_0  f_mono|#M417}"
    "{09 16 10 17|a_C s_0  f_mono|#M517}"
    "{03 17 04 18|a_C s_0  f_serif|M.-%}"
    "{06 17 07 18|a_C s_0  f_mono|#M218}"
    "{07 17 08 18|a_C s_0  f_mono|#M318}"
    "{08 17 09 18|a_C s_0  f_mono|#M418}"
    "{09 17 10 18|a_C s_0  f_mono|#M518}"
    "{00 18 01 19|a_L s_0  f_serif|Flintrohdichte}"
    "{03 18 04 19|a_C s_0  f_serif|kg/m³}"
    "{06 18 07 19|a_C s_0  f_mono|#M211}"
    "{07 18 08 19|a_C s_0  f_mono|#M311}"
    "{08 18 09 19|a_C s_0  f_mono|#M411}"
    "{09 18 10 19|a_C s_0  f_mono|#M511}"
    "{00 19 01 20|a_L s_0  f_serif|Reaktionsfähiger Flint}"
    "{03 19 04 20|a_C s_0  f_serif|M.-%}"
    "{06 19 07 20|a_C s_0  f_mono|#M219}"
    "{07 19 08 20|a_C s_0  f_mono|#M319}"
    "{08 19 09 20|a_C s_0  f_mono|#M419}"
    "{09 19 10 20|a_C s_0  f_mono|#M519}"
    "{00 20 01 21|a_L s_0  f_serif|5x Opalsandstein + reaktionsfähiger Flint}"
    "{03 20 04 21|a_C s_0  f_serif|M.-%}"
    "{06 20 07 21|a_C s_0  f_mono|#M220}"
    "{07 20 08 21|a_C s_0  f_mono|#M320}"
    "{08 20 09 21|a_C s_0  f_mono|#M420}"
    "{09 20 10 21|a_C s_0  f_mono|#M520}"
    "{00 21 01 22|a_L s_3 fa_B  f_serif|Einstufung in der Alkaliempfindlichkeitsklassen (Tabellen 1 und 2)}"
    "{00 22 01 23|a_L s_0  f_serif|Kornklasse}"
    "{03 22 04 23|a_C s_0  f_serif|mm}"
    "{04 22 05 23|a_C s_0  f_serif|1/2}"
    "{05 22 06 23|a_C s_0  f_serif|2/4}"
    "{06 22 07 23|a_C s_0  f_serif|4/8}"
    "{07 22 08 23|a_C s_0  f_serif|8/16}"
    "{08 22 09 23|a_C s_0  f_serif|16/32}"
    "{09 22 10 23|a_C s_0  f_serif|> 32}"
    "{03 23 04 24|a_C s_0  f_serif|EI-O}"
    "{04 23 05 24|a_C s_0  f_mono|#B00}"
    "{05 23 06 24|a_C s_0  f_mono|#B10}"
    "{06 23 07 24|a_C s_0  f_mono|#B20}"
    "{07 23 08 24|a_C s_0  f_mono|#B30}"
    "{08 23 09 24|a_C s_0  f_mono|#B40}"
    "{09 23 10 24|a_C s_0  f_mono|#B50}"
    "{00 24 01 25|a_L s_0  f_serif|Opalsandstein}"
    "{03 24 04 25|a_C s_0  f_serif|EII-O}"
    "{04 24 05 25|a_C s_0  f_mono|#B01}"
    "{05 24 06 25|a_C s_0  f_mono|#B11}"
    "{06 24 07 25|a_C s_0  f_mono|#B21}"
    "{07 24 08 25|a_C s_0  f_mono|#B31}"
    "{08 24 09 25|a_C s_0  f_mono|#B41}"
    "{09 24 10 25|a_C s_0  f_mono|#B51}"
    "{03 25 04 26|a_C s_0  f_serif|EIII-O}"
    "{04 25 05 26|a_C s_0  f_mono|#B02}"
    "{05 25 06 26|a_C s_0  f_mono|#B12}"
    "{06 25 07 26|a_C s_0  f_mono|#B22}"
    "{07 25 08 26|a_C s_0  f_mono|#B32}"
    "{08 25 09 26|a_C s_0  f_mono|#B42}"
    "{09 25 10 26|a_C s_0  f_mono|#B52}"
    "{03 26 04 27|a_C s_0  f_serif|EI-OF}"
    "{04 26 05 27|a_C s_0  f_mono|#B03}"
    "{05 26 06 27|a_C s_0  f_mono|#B13}"
    "{06 26 07 27|a_C s_0  f_mono|#B23}"
    "{07 26 08 27|a_C s_0  f_mono|#B33}"
    "{08 26 09 27|a_C s_0  f_mono|#B43}"
    "{09 26 10 27|a_C s_0  f_mono|#B53}"
    "{00 27 01 28|a_L s_0  f_serif|Opalsandstein und Flint}"
    "{03 27 04 28|a_C s_0  f_serif|EII-OF}"
    "{04 27 05 28|a_C s_0  f_mono|#B04}"
    "{05 27 06 28|a_C s_0  f_mono|#B14}"
    "{06 27 07 28|a_C s_0  f_mono|#B24}"
    "{07 27 08 28|a_C s_0  f_mono|#B34}"
    "{08 27 09 28|a_C s_0  f_mono|#B44}"
    "{09 27 10 28|a_C s_0  f_mono|#B54}"
    "{03 28 04 29|a_C s_0  f_serif|EIII-OF}"
    "{04 28 05 29|a_C s_0  f_mono|#B05}"
    "{05 28 06 29|a_C s_0  f_mono|#B15}"
    "{06 28 07 29|a_C s_0  f_mono|#B25}"
    "{07 28 08 29|a_C s_0  f_mono|#B35}"
    "{08 28 09 29|a_C s_0  f_mono|#B45}"
    "{09 28 10 29|a_C s_0  f_mono|#B55}";

// The grid lines, one cell long each, row by row.
constexpr char kAlkaliLines[] =
    "{00 00 01 00 1}{00 00 00 01 1}{01 00 02 00 1}{02 00 03 00 1}{03 00 04 00 1}{04 00 05 00 1}{05 00 06 00 1}{06 00 07 00 1}"
    "{07 00 08 00 1}{08 00 09 00 1}{09 00 10 00 1}{10 00 10 01 1}{00 01 01 01 1}{00 01 00 02 1}{01 01 02 01 1}{02 01 03 01 1}"
    "{02 01 02 02 1}{03 01 04 01 1}{03 01 03 02 1}{04 01 05 01 1}{04 01 04 02 1}{05 01 06 01 1}{05 01 05 02 1}{06 01 07 01 1}"
    "{06 01 06 02 1}{07 01 08 01 1}{07 01 07 02 1}{08 01 09 01 1}{08 01 08 02 1}{09 01 10 01 1}{09 01 09 02 1}{10 01 10 02 1}"
    "{00 02 01 02 1}{00 02 00 03 1}{01 02 02 02 1}{02 02 03 02 1}{02 02 02 03 1}{03 02 04 02 1}{03 02 03 03 1}{04 02 05 02 1}"
    "{04 02 04 03 1}{05 02 06 02 1}{05 02 05 03 1}{06 02 07 02 1}{06 02 06 03 1}{07 02 08 02 1}{07 02 07 03 1}{08 02 09 02 1}"
    "{08 02 08 03 1}{09 02 10 02 1}{09 02 09 03 1}{10 02 10 03 1}{00 03 01 03 1}{00 03 00 04 1}{01 03 02 03 1}{02 03 03 03 1}"
    "{02 03 02 04 1}{03 03 04 03 1}{03 03 03 04 1}{04 03 05 03 1}{04 03 04 04 1}{05 03 06 03 1}{05 03 05 04 1}{06 03 07 03 1}"
    "{06 03 06 04 1}{07 03 08 03 1}{07 03 07 04 1}{08 03 09 03 1}{08 03 08 04 1}{09 03 10 03 1}{09 03 09 04 1}{10 03 10 04 1}"
    "{00 04 01 04 1}{00 04 00 05 1}{01 04 02 04 1}{02 04 03 04 1}{03 04 04 04 1}{04 04 05 04 1}{05 04 06 04 1}{06 04 07 04 1}"
    "{07 04 08 04 1}{08 04 09 04 1}{09 04 10 04 1}{10 04 10 05 1}{00 05 01 05 1}{00 05 00 06 1}{01 05 02 05 1}{02 05 03 05 1}"
    "{03 05 04 05 1}{04 05 05 05 1}{05 05 06 05 1}{06 05 07 05 1}{06 05 06 06 1}{07 05 08 05 1}{07 05 07 06 1}{08 05 09 05 1}"
    "{08 05 08 06 1}{09 05 10 05 1}{09 05 09 06 1}{10 05 10 06 1}{00 06 01 06 1}{00 06 00 07 1}{01 06 02 06 1}{02 06 03 06 1}"
    "{03 06 04 06 1}{04 06 05 06 1}{05 06 06 06 1}{06 06 07 06 1}{06 06 06 07 1}{07 06 08 06 1}{07 06 07 07 1}{08 06 09 06 1}"
    "{08 06 08 07 1}{09 06 10 06 1}{09 06 09 07 1}{10 06 10 07 1}{00 07 01 07 1}{00 07 00 08 1}{01 07 02 07 1}{02 07 03 07 1}"
    "{03 07 04 07 1}{04 07 05 07 1}{05 07 06 07 1}{06 07 07 07 1}{06 07 06 08 1}{07 07 08 07 1}{07 07 07 08 1}{08 07 09 07 1}"
    "{08 07 08 08 1}{09 07 10 07 1}{09 07 09 08 1}{10 07 10 08 1}{00 08 01 08 1}{00 08 00 09 1}{01 08 02 08 1}{02 08 03 08 1}"
    "{03 08 04 08 1}{04 08 05 08 1}{05 08 06 08 1}{06 08 07 08 1}{06 08 06 09 1}{07 08 08 08 1}{07 08 07 09 1}{08 08 09 08 1}"
    "{08 08 08 09 1}{09 08 10 08 1}{09 08 09 09 1}{10 08 10 09 1}{00 09 01 09 1}{00 09 00 10 1}{01 09 02 09 1}{02 09 03 09 1}"
    "{03 09 04 09 1}{04 09 05 09 1}{05 09 06 09 1}{06 09 07 09 1}{06 09 06 10 1}{07 09 08 09 1}{07 09 07 10 1}{08 09 09 09 1}"
    "{08 09 08 10 1}{09 09 10 09 1}{09 09 09 10 1}{10 09 10 10 1}{00 10 01 10 1}{00 10 00 11 1}{01 10 02 10 1}{02 10 03 10 1}"
    "{03 10 04 10 1}{04 10 05 10 1}{05 10 06 10 1}{06 10 07 10 1}{07 10 08 10 1}{08 10 09 10 1}{09 10 10 10 1}{10 10 10 11 1}"
    "{00 11 01 11 1}{00 11 00 12 1}{01 11 02 11 1}{02 11 03 11 1}{03 11 04 11 1}{04 11 05 11 1}{04 11 04 12 1}{05 11 06 11 1}"
    "{05 11 05 12 1}{06 11 07 11 1}{06 11 06 12 1}{07 11 08 11 1}{07 11 07 12 1}{08 11 09 11 1}{08 11 08 12 1}{09 11 10 11 1}"
    "{09 11 09 12 1}{10 11 10 12 1}{00 12 01 12 1}{00 12 00 13 1}{01 12 02 12 1}{02 12 03 12 1}{03 12 04 12 1}{04 12 05 12 1}"
    "{04 12 04 13 1}{05 12 06 12 1}{05 12 05 13 1}{06 12 07 12 1}{06 12 06 13 1}{07 12 08 12 1}{07 12 07 13 1}{08 12 09 12 1}"
    "{08 12 08 13 1}{09 12 10 12 1}{09 12 09 13 1}{10 12 10 13 1}{00 13 01 13 1}{00 13 00 14 1}{01 13 02 13 1}{02 13 03 13 1}"
    "{03 13 04 13 1}{04 13 05 13 1}{04 13 04 14 1}{05 13 06 13 1}{05 13 05 14 1}{06 13 07 13 1}{06 13 06 14 1}{07 13 08 13 1}"
    "{07 13 07 14 1}{08 13 09 13 1}{08 13 08 14 1}{09 13 10 13 1}{09 13 09 14 1}{10 13 10 14 1}{00 14 01 14 1}{00 14 00 15 1}"
    "{01 14 02 14 1}{02 14 03 14 1}{03 14 04 14 1}{04 14 05 14 1}{04 14 04 15 1}{05 14 06 14 1}{05 14 05 15 1}{06 14 07 14 1}"
    "{06 14 06 15 1}{07 14 08 14 1}{08 14 09 14 1}{09 14 10 14 1}{10 14 10 15 1}{00 15 01 15 1}{00 15 00 16 1}{01 15 02 15 1}"
    "{02 15 03 15 1}{03 15 04 15 1}{04 15 05 15 1}{04 15 04 16 1}{05 15 06 15 1}{06 15 07 15 1}{06 15 06 16 1}{07 15 08 15 1}"
    "{07 15 07 16 1}{08 15 09 15 1}{08 15 08 16 1}{09 15 10 15 1}{09 15 09 16 1}{10 15 10 16 1}{00 16 01 16 1}{00 16 00 17 1}"
    "{01 16 02 16 1}{02 16 03 16 1}{03 16 04 16 1}{04 16 04 17 1}{06 16 07 16 1}{06 16 06 17 1}{07 16 08 16 1}{07 16 07 17 1}"
    "{08 16 09 16 1}{08 16 08 17 1}{09 16 10 16 1}{09 16 09 17 1}{10 16 10 17 1}{00 17 00 18 1}{03 17 04 17 1}{04 17 04 18 1}"
    "{06 17 07 17 1}{06 17 06 18 1}{07 17 08 17 1}{07 17 07 18 1}{08 17 09 17 1}{08 17 08 18 1}{09 17 10 17 1}{09 17 09 18 1}"
    "{10 17 10 18 1}{00 18 01 18 1}{00 18 00 19 1}{01 18 02 18 1}{02 18 03 18 1}{03 18 04 18 1}{04 18 04 19 1}{06 18 07 18 1}"
    "{06 18 06 19 1}{07 18 08 18 1}{07 18 07 19 1}{08 18 09 18 1}{08 18 08 19 1}{09 18 10 18 1}{09 18 09 19 1}{10 18 10 19 1}"
    "{00 19 01 19 1}{00 19 00 20 1}{01 19 02 19 1}{02 19 03 19 1}{03 19 04 19 1}{04 19 04 20 1}{06 19 07 19 1}{06 19 06 20 1}"
    "{07 19 08 19 1}{07 19 07 20 1}{08 19 09 19 1}{08 19 08 20 1}{09 19 10 19 1}{09 19 09 20 1}{10 19 10 20 1}{00 20 01 20 1}"
    "{00 20 00 21 1}{01 20 02 20 1}{02 20 03 20 1}{03 20 04 20 1}{04 20 04 21 1}{06 20 07 20 1}{06 20 06 21 1}{07 20 08 20 1}"
    "{07 20 07 21 1}{08 20 09 20 1}{08 20 08 21 1}{09 20 10 20 1}{09 20 09 21 1}{10 20 10 21 1}{00 21 01 21 1}{00 21 00 22 1}"
    "{01 21 02 21 1}{02 21 03 21 1}{03 21 04 21 1}{04 21 05 21 1}{05 21 06 21 1}{06 21 07 21 1}{07 21 08 21 1}{08 21 09 21 1}"
    "{09 21 10 21 1}{10 21 10 22 1}{00 22 01 22 1}{00 22 00 23 1}{01 22 02 22 1}{02 22 03 22 1}{03 22 04 22 1}{04 22 05 22 1}"
    "{04 22 04 23 1}{05 22 06 22 1}{05 22 05 23 1}{06 22 07 22 1}{06 22 06 23 1}{07 22 08 22 1}{07 22 07 23 1}{08 22 09 22 1}"
    "{08 22 08 23 1}{09 22 10 22 1}{09 22 09 23 1}{10 22 10 23 1}{00 23 01 23 1}{00 23 00 24 1}{01 23 02 23 1}{02 23 03 23 1}"
    "{03 23 04 23 1}{03 23 03 24 1}{04 23 05 23 1}{04 23 04 24 1}{05 23 06 23 1}{05 23 05 24 1}{06 23 07 23 1}{06 23 06 24 1}"
    "{07 23 08 23 1}{07 23 07 24 1}{08 23 09 23 1}{08 23 08 24 1}{09 23 10 23 1}{09 23 09 24 1}{10 23 10 24 1}{00 24 00 25 1}"
    "{03 24 04 24 1}{03 24 03 25 1}{04 24 05 24 1}{04 24 04 25 1}{05 24 06 24 1}{05 24 05 25 1}{06 24 07 24 1}{06 24 06 25 1}"
    "{07 24 08 24 1}{07 24 07 25 1}{08 24 09 24 1}{08 24 08 25 1}{09 24 10 24 1}{09 24 09 25 1}{10 24 10 25 1}{00 25 00 26 1}"
    "{03 25 04 25 1}{03 25 03 26 1}{04 25 05 25 1}{04 25 04 26 1}{05 25 06 25 1}{05 25 05 26 1}{06 25 07 25 1}{06 25 06 26 1}"
    "{07 25 08 25 1}{07 25 07 26 1}{08 25 09 25 1}{08 25 08 26 1}{09 25 10 25 1}{09 25 09 26 1}{10 25 10 26 1}{00 26 01 26 1}"
    "{00 26 00 27 1}{01 26 02 26 1}{02 26 03 26 1}{03 26 04 26 1}{03 26 03 27 1}{04 26 05 26 1}{04 26 04 27 1}{05 26 06 26 1}"
    "{05 26 05 27 1}{06 26 07 26 1}{06 26 06 27 1}{07 26 08 26 1}{07 26 07 27 1}{08 26 09 26 1}{08 26 08 27 1}{09 26 10 26 1}"
    "{09 26 09 27 1}{10 26 10 27 1}{00 27 00 28 1}{03 27 04 27 1}{03 27 03 28 1}{04 27 05 27 1}{04 27 04 28 1}{05 27 06 27 1}"
    "{05 27 05 28 1}{06 27 07 27 1}{06 27 06 28 1}{07 27 08 27 1}{07 27 07 28 1}{08 27 09 27 1}{08 27 08 28 1}{09 27 10 27 1}"
    "{09 27 09 28 1}{10 27 10 28 1}{00 28 00 29 1}{03 28 04 28 1}{03 28 03 29 1}{04 28 05 28 1}{04 28 04 29 1}{05 28 06 28 1}"
    "{05 28 05 29 1}{06 28 07 28 1}{06 28 06 29 1}{07 28 08 28 1}{07 28 07 29 1}{08 28 09 28 1}{08 28 08 29 1}{09 28 10 28 1}"
    "{09 28 09 29 1}{10 28 10 29 1}{00 29 01 29 1}{01 29 02 29 1}{02 29 03 29 1}{03 29 04 29 1}{04 29 05 29 1}{05 29 06 29 1}"
    "{06 29 07 29 1}{07 29 08 29 1}{08 29 09 29 1}{09 29 10 29 1}";

// The texts of the template in the printed language: the words by their
// text ids; units, size classes and class names stay as they are.
std::string PrintedCellText(const std::string& german) {
  static const std::pair<const char*, int> kIds[] = {
      {"Korngrößenverteilung (Abschnitte A.4.2 und A.4.3)", 67620},
      {"Prüfkornklasse", 67621},
      {"Summe", 7514},
      {"Masse", 67622},
      {"Anteil", 67623},
      {"Petrografische Prüfung (Abschnitt A.5.3)", 67624},
      {"Einwaage", 6178},
      {"Alkaliunempfindliche Bestandteile", 67625},
      {"Flint", 67626},
      {"Opalsandstein einschl. Kieselkreide und fragliche Bestandteile", 67627},
      {"Prüfung des Anteils an alkaliempfindlichen Bestandteilen (Abschnitte A.6.3 und A.7.3)", 67628},
      {"Masse nach NaOH-Test (abzügl. G<t>NW<n>)", 67629},
      {"Opalsandstein u. reaktionsfähiger Flint", 67630},
      {"Opalsandstein", 67631},
      {"Erweichte Körner", 67632},
      {"Flintrohdichte", 67633},
      {"Reaktionsfähiger Flint", 67634},
      {"5x Opalsandstein + reaktionsfähiger Flint", 67635},
      {"Einstufung in der Alkaliempfindlichkeitsklassen (Tabellen 1 und 2)", 67636},
      {"Kornklasse", 6325},
      {"Opalsandstein und Flint", 67637},
  };
  for (const auto& [text, id] : kIds)
    if (german == text) return PrintText(id, text);
  return german;
}

// Column widths of the grid, ended by -1.
constexpr int kColumnWidths[] = {2000, 1500, 2500, 1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500, -1};
constexpr int kRowCount = 100;
// Rows that start a block are 100 higher.
bool IsBlockStart(int row) { return row == 1 || row == 5 || row == 11 || row == 21; }
// How far "<t>" lowers a text.
constexpr int kLowering = 90;
// Cell texts keep this far from the column lines.
constexpr int kCellMargin = 80;

}  // namespace

std::vector<int> AlkaliTableColumns(int x0) {
  std::vector<int> widths;
  for (const int* w = kColumnWidths; *w >= 0; ++w) widths.push_back(*w);
  return GridPositions(x0, widths);
}

std::vector<int> AlkaliTableRows(int top) {
  std::vector<int> steps;
  for (int row = 1; row < kRowCount; ++row) steps.push_back(IsBlockStart(row) ? -600 : -500);
  return GridPositions(top, steps);
}

const std::vector<TemplateCell>& AlkaliTableCells() {
  static const std::vector<TemplateCell> cells = ParseCellTemplate(kAlkaliCells);
  return cells;
}

const std::vector<TemplateLine>& AlkaliTableLines() {
  static const std::vector<TemplateLine> lines = ParseLineTemplate(kAlkaliLines);
  return lines;
}

void CDruckSeite::DrawAlkaliPage(DrawContext& dc) {
  if (!m_pVersuch) return;
  const std::map<std::string, std::string> values = ParseAlkaliData(m_pVersuch->GetAlkaliData());
  auto value = [&values](const char* key) {
    const auto it = values.find(key);
    return it == values.end() ? std::string() : it->second;
  };
  CDCZustand state(dc, platform::TRANSPARENT);
  dc.SelectPen(platform::Pen{platform::PS_SOLID, 10, kBlack});
  const int x0 = m_Layout[PetrographyAnchors].right;
  // Below a long header block the page moves down.
  int y = m_Layout[PetrographyAnchors].bottom + HeaderClearance(m_Layout[PetrographyAnchors].bottom);

  dc.SetTextAlign(platform::TA_LEFT | platform::TA_TOP);
  dc.SelectFont(m_Fonts.serifLarge);
  dc.TextOut(x0, y, PrintText(6184, "Einstufung von Gesteinskörnung in Alkaliempfindlichkeitsklassen"));
  y -= 460;
  dc.TextOut(x0, y,
             PrintText(6185, "nach DAfStb-Richtlinie 'Vorbeugende Maßnahmen gegen schädigende Alkalireaktion im "
                             "Beton Anhang A'"));
  y -= 800;
  dc.SelectFont(m_Fonts.serif);
  dc.TextOut(x0, y, PrintText(6186, "Korngruppe:    "));
  dc.SelectFont(m_Fonts.serifBold);
  dc.TextOut(x0 + 2000, y, value("KG1") + "/" + value("KG2") + " mm");

  const std::vector<int> x = AlkaliTableColumns(x0);
  const std::vector<int> rows = AlkaliTableRows(y - 460);
  auto columnX = [&x](int c) { return x[static_cast<size_t>(std::clamp<int>(c, 0, static_cast<int>(x.size()) - 1))]; };
  auto rowY = [&rows](int r) { return rows[static_cast<size_t>(std::clamp<int>(r, 0, kRowCount - 1))]; };

  for (const TemplateCell& cell : AlkaliTableCells()) {
    const std::string text = cell.text.starts_with('#') ? CellText(cell.text, values) : PrintedCellText(cell.text);
    if (text.empty()) continue;
    const CellStyle style = CellStyleOf(cell.attributes);
    dc.SelectFont(style.font == CellFont::kSectionTitle ? m_Fonts.serifBold
                  : style.font == CellFont::kValue      ? m_Fonts.textBold
                                                        : m_Fonts.serif);
    const Rect rect{columnX(cell.c1) + kCellMargin, rowY(cell.r1), columnX(cell.c2) - kCellMargin, rowY(cell.r2)};
    const unsigned horizontal = style.alignment == CellAlignment::kLeft    ? platform::DT_LEFT
                                : style.alignment == CellAlignment::kRight ? platform::DT_RIGHT
                                                                           : platform::DT_CENTER;
    const unsigned format = platform::DT_VCENTER | platform::DT_SINGLELINE | platform::DT_NOCLIP;
    const std::vector<CellMarkupPiece> pieces = SplitCellMarkup(text, kLowering);
    if (pieces.size() == 1) {
      dc.DrawText(text, rect, horizontal | format);
      continue;
    }
    // Pieces one after the other along the line, each at its own height.
    int width = 0;
    for (const CellMarkupPiece& piece : pieces) width += dc.GetTextExtent(piece.text).cx;
    int left = rect.left;
    if (style.alignment == CellAlignment::kCentre) left = (rect.left + rect.right - width) / 2;
    else if (style.alignment == CellAlignment::kRight) left = rect.right - width;
    for (const CellMarkupPiece& piece : pieces) {
      const Rect pieceRect{left, rect.top + piece.offset, std::max(rect.right, left), rect.bottom + piece.offset};
      dc.DrawText(piece.text, pieceRect, platform::DT_LEFT | format);
      left += dc.GetTextExtent(piece.text).cx;
    }
  }

  int lowest = rows.front();
  for (const TemplateLine& line : AlkaliTableLines()) {
    dc.MoveTo(columnX(line.c1), rowY(line.r1));
    dc.LineTo(columnX(line.c2), rowY(line.r2));
    lowest = std::min({lowest, rowY(line.r1), rowY(line.r2)});
  }

  // The classification sentence, its pieces one after the other.
  y = lowest - 300;
  dc.MoveTo(x0, y);
  dc.SetTextAlign(platform::TA_UPDATECP | platform::TA_LEFT | platform::TA_TOP);
  auto piece = [&dc](const Font& font, const std::string& text) {
    dc.SelectFont(font);
    dc.TextOut(0, 0, text);
  };
  piece(m_Fonts.serif, PrintText(6187, "Die Korngruppe/Lieferkörnung        "));
  piece(m_Fonts.serifBold, value("KG1") + "/" + value("KG2") + " mm");
  piece(m_Fonts.serif, "         " + PrintText(6188, "ist als        "));
  piece(m_Fonts.serifBold, value("E_O") + " - " + value("E_OF"));
  piece(m_Fonts.serif, PrintText(6189, "        einzustufen."));

  y -= 500;
  dc.SetTextAlign(platform::TA_LEFT | platform::TA_TOP);
  dc.SelectFont(m_Fonts.serifBold);
  dc.TextOut(x0, y, PrintText(6293, "Bemerkungen") + ":");
  dc.SelectFont(m_Fonts.serif);
  dc.TextOut(x0 + 4000, y,
             PrintText(7501, "Dies ist eine Einzelprüfung. Die maßgebliche Einstufung erfolgt durch die "
                             "Zertifizierungsstelle."));
}
