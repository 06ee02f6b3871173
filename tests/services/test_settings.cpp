// The settings record: "datapfad.dat", "pravik.ini" with defaults and write
// back, the profile routing, the pens, the logo box and the printed area.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QSettings>

#include "i18n/translation.h"
#include "platform/drawcontext.h"
#include "platform/files.h"
#include "platform/inifile.h"
#include "platform/printdriver.h"
#include "platform/textcodec.h"
#include "services/pravikapp.h"
#include "services/settings.h"
#include "support/scripted_ui_gtest.h"
#include "support/temp_folder.h"

using platform::ColorRef;
using platform::Pen;
using platform::RGB;
namespace fs = std::filesystem;

namespace {

const fs::path kFixtures = fs::path(PRAVIK_FIXTURES) / "settings";

// The language read with the settings is process-wide: back to German after
// each test, so that no later text goes through a language file.
struct LanguageReset {
  ~LanguageReset() {
    SetCurrentLangCode("");
    SetPrintGermanFlag(false);
  }
};

// The user's configuration of the tests lives in a folder of its own.
const fs::path& UserConfigFolder() {
  static TempFolder folder;
  static bool set = [] {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(folder.path()));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(folder.path()));
    return true;
  }();
  (void)set;
  return folder.path();
}

// A data folder with a copy of a fixture as its "pravik.ini".
CProgrammEinstellungen LoadedFrom(const TempFolder& dir, const char* fixture) {
  if (fixture) {
    EXPECT_TRUE(platform::CopyFile(kFixtures / fixture, dir / "pravik.ini"));
  }
  CProgrammEinstellungen settings;
  settings.m_DataFolder = dir.path();
  settings.m_IniPath = dir / "pravik.ini";
  settings.LoadSettings();
  return settings;
}

LayoutEntry E(ColorRef color, int width, int style, int fourth = 0) { return LayoutEntry{color, width, style, fourth}; }

std::string Raw(const fs::path& ini, const char* section, const char* key) {
  return platform::GetPrivateProfileString(section, key, "<missing>", platform::kProfileBufferSize, ini);
}

}  // namespace

TEST(Settings, RecordDefaultsBeforeLoading) {
  CProgrammEinstellungen s;
  EXPECT_EQ(s.m_PrintLogo, 1);
  EXPECT_EQ(s.m_NoDatasaveInfo, 1);
  EXPECT_DOUBLE_EQ(s.m_LeftMargin, 1.7);
  EXPECT_DOUBLE_EQ(s.m_TopMargin, 0.8);
  EXPECT_DOUBLE_EQ(s.m_PrintWidth, 18.3);
  EXPECT_DOUBLE_EQ(s.m_PrintHeight, 27.5);
  for (int i = 0; i < kLayoutEntryCount; ++i) {
    const int style = i == 2 ? platform::PS_DASH : i == 3 ? platform::PS_DASHDOTDOT : i == 10 ? platform::PS_DOT : 0;
    EXPECT_EQ(s.LayoutTable[i], E(0, 0, style)) << "entry " << i;
  }
}

// Each fixture and what loading it gives; a missing file gives the defaults.
TEST(Settings, LoadsFixtureFiles) {
  struct Case {
    const char* fixture;
    std::string archive;  // "" = the data folder's "archiv"
    std::string lang;
    bool printGerman;
    int noDatasaveInfo;
    int printLogo;
    std::array<LayoutEntry, kLayoutEntryCount> table;
  };
  // Absent keys: "0,0,0,1" -> black, width factor 1, the default style.
  auto absent = [] {
    auto t = DefaultLayoutTable();
    for (auto& e : t) e.widthFactor = 1;
    t[kLayoutArrowEntry].widthFactor = 0;
    return t;
  }();
  auto partial = absent;
  partial[3] = E(0, 1, platform::PS_DASHDOTDOT);  // empty value: no number at all
  partial[5] = E(RGB(255, 255, 255), 1, 0);
  const Case cases[] = {
      {nullptr, "", "", false, 0, 1, absent},
      {"partial.ini", "", "", false, 0, 1, partial},  // "PrintLogo=" keeps 1, "zwei" reads 0
      {"full.ini",
       "D:\\Labor\\Werk Süd\\archiv",
       "en",  // "english" in quotes, cut to two characters
       true,  // "1yes"
       1,
       0,
       {E(RGB(255, 0, 0), 2, 1, 7),      // all six numbers
        E(RGB(0, 128, 0), 1, 0),         // "Color1 = 0,128,0 ": three numbers
        E(RGB(0, 0, 255), 1, 3),         // five
        E(0, 0, 4),                      // four: the style stays the entry's
        E(RGB(1, 2, 3), 5, 4),           // blanks after the commas are fine
        E(RGB(1, 0, 0), 1, 0),           // "1 ,2,3": a blank before the comma ends it
        E(0, 1, 0),                      // "abc"
        E(RGB(10, 20, 30), 0, 0, 9),     // the arrows: always thin and solid
        E(RGB(44, 255, 0), 4, 0),        // "300,-1,256": each modulo 256
        E(0, 1, 4),
        E(0, 0, 2),
        E(RGB(10, 20, 30), 0, 3, 1),
        E(RGB(40, 50, 60), 2, 1, 2),
        E(RGB(70, 80, 90), 1, 2, 3),
        E(RGB(100, 110, 120), 4, 3, 4),
        E(RGB(130, 140, 150), 0, 4, 5),
        E(RGB(160, 170, 180), 3, 0, 6)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fixture ? c.fixture : "no pravik.ini");
    LanguageReset reset;
    TempFolder dir;
    CProgrammEinstellungen s = LoadedFrom(dir, c.fixture);
    const std::string archive = c.archive.empty() ? (dir / "archiv").string() : c.archive;
    EXPECT_EQ(s.m_ArchiveFolder, archive);
    // A missing archive folder is written back only once the folder is ours.
    const bool missing = c.archive.empty();
    EXPECT_EQ(Raw(dir / "pravik.ini", "Archivierung", "Ordner"), missing ? "<missing>" : archive);
    EXPECT_TRUE(s.WriteMissingDefaults());
    EXPECT_EQ(Raw(dir / "pravik.ini", "Archivierung", "Ordner"), archive);
    EXPECT_EQ(CurrentLangCode(), c.lang);
    EXPECT_EQ(PrintGermanFlag(), c.printGerman);
    EXPECT_EQ(s.m_NoDatasaveInfo, c.noDatasaveInfo);
    EXPECT_EQ(s.m_PrintLogo, c.printLogo);
    for (int i = 0; i < kLayoutEntryCount; ++i) {
      EXPECT_EQ(s.LayoutTable[i].color, c.table[i].color) << "entry " << i;
      EXPECT_EQ(s.LayoutTable[i].widthFactor, c.table[i].widthFactor) << "entry " << i;
      EXPECT_EQ(s.LayoutTable[i].style, c.table[i].style) << "entry " << i;
      EXPECT_EQ(s.LayoutTable[i].fourth, c.table[i].fourth) << "entry " << i;
    }
  }
}

TEST(Settings, SavesItsKeysAndKeepsEveryOtherLine) {
  LanguageReset reset;
  TempFolder dir;
  CProgrammEinstellungen s = LoadedFrom(dir, "full.ini");
  s.m_ArchiveFolder = "/srv/labor/archiv neu";
  s.m_NoDatasaveInfo = 0;
  s.m_PrintLogo = 1;
  s.LayoutTable[kLayoutArrowEntry].widthFactor = 3;
  s.LayoutTable[4] = E(RGB(200, 100, 50), 2, 3, 8);
  SetCurrentLangCode("fr");  // the language is not the record's to write
  ASSERT_TRUE(s.SaveSettings());
  SetCurrentLangCode("");

  const fs::path ini = dir / "pravik.ini";
  EXPECT_EQ(Raw(ini, "Archivierung", "Ordner"), "/srv/labor/archiv neu");
  EXPECT_EQ(Raw(ini, "General", "NoDatasaveInfo"), "0");
  EXPECT_EQ(Raw(ini, "General", "PrintLogo"), "1");
  EXPECT_EQ(Raw(ini, "Layout", "color4"), "200,100,50,2,3,8");
  EXPECT_EQ(Raw(ini, "Layout", "color7"), "10,20,30,3,0,9");  // written as held
  EXPECT_EQ(Raw(ini, "Layout", "color1"), "0,128,0,1,0,0");
  EXPECT_EQ(Raw(ini, "Layout", "Spaltenbreiten"), "80;120;60");
  EXPECT_EQ(Raw(ini, "General", "x1"), "10");
  const std::string bytes = *platform::ReadFileBytes(ini);
  EXPECT_NE(bytes.find("; written by the program on Windows\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("\r\nLangCode=\"english\"\r\nPrintGerman=1yes\r\n"), std::string::npos);
  EXPECT_EQ(bytes.find("\n\n"), std::string::npos) << "CR LF throughout";

  CProgrammEinstellungen again = LoadedFrom(dir, nullptr);
  EXPECT_EQ(again.m_ArchiveFolder, s.m_ArchiveFolder);
  EXPECT_EQ(again.LayoutTable[4], s.LayoutTable[4]);
  EXPECT_EQ(again.LayoutTable[kLayoutArrowEntry], E(RGB(10, 20, 30), 0, 0, 9));  // thin again
  for (int i = 0; i < kLayoutEntryCount; ++i)
    if (i != kLayoutArrowEntry) {
      EXPECT_EQ(again.LayoutTable[i], s.LayoutTable[i]) << "entry " << i;
    }
}

TEST(Settings, SaveReportsAFileItCannotWrite) {
  LanguageReset reset;
  TempFolder dir;
  CProgrammEinstellungen s;
  s.m_IniPath = dir / "no such folder" / "pravik.ini";
  EXPECT_FALSE(s.SaveSettings());
}

TEST(Settings, DataFolderFromDatapfadDat) {
  LanguageReset reset;
  TempFolder program;
  TempFolder data;
  ASSERT_TRUE(platform::CopyFile(kFixtures / "partial.ini", data / "pravik.ini"));

  // No "datapfad.dat": the program folder's "data", without a message.
  {
    platform::TestUi ui;
    CProgrammEinstellungen s;
    EXPECT_TRUE(s.ReadDataFolder(program.path()));
    EXPECT_EQ(s.m_DataFolder, program / "data");
    EXPECT_EQ(s.m_IniPath, program / "data" / "pravik.ini");
    EXPECT_EQ(s.m_ProgramFolder, program.path());
  }
  // The first line, blanks around it removed; the settings of that folder.
  {
    platform::TestUi ui;
    ASSERT_TRUE(platform::WriteFileBytes(program / "datapfad.dat", " \t" + data.path().string() + "  \r\nzweite Zeile\r\n"));
    CProgrammEinstellungen s;
    EXPECT_TRUE(s.ReadDataFolder(program.path()));
    EXPECT_EQ(s.m_DataFolder, data.path());
    EXPECT_EQ(s.m_IniPath, data / "pravik.ini");
    EXPECT_EQ(s.LayoutTable[5].color, RGB(255, 255, 255));
    EXPECT_EQ(s.m_ArchiveFolder, (data / "archiv").string());
  }
  // A folder that cannot be reached: the message names it and the file, the
  // result is false, and the settings are loaded all the same.
  {
    const fs::path gone = data / "Werk Süd" / "weg";
    ASSERT_TRUE(platform::WriteFileBytes(program / "datapfad.dat", platform::ToCp1252(gone.string()) + "\r\n"));
    platform::TestUi ui;
    ui.ExpectMessageBox(platform::IDOK, "kann nicht zugegriffen werden!");
    CProgrammEinstellungen s;
    EXPECT_FALSE(s.ReadDataFolder(program.path()));
    ui.VerifyAllShown();
    ASSERT_EQ(ui.shown().size(), 1u);
    const std::string& text = ui.shown()[0].text;
    EXPECT_EQ(text, "FEHLER: Auf den Ordner \n  '" + gone.string() +
                        "'\nkann nicht zugegriffen werden!\n\nPrüfen Sie bitte, ob die Pfad-Angabe in der Datei\n  '" +
                        (program / "datapfad.dat").string() +
                        "'\nkorrekt ist und, wenn der Ordner auf einem anderen Rechner liegt,\ndieser z.Z. auch "
                        "erreichbar ist.\n");
    EXPECT_EQ(ui.shown()[0].flags, platform::MB_OK | platform::MB_ICONWARNING);
    EXPECT_EQ(s.m_IniPath, gone / "pravik.ini");
    EXPECT_EQ(s.m_ArchiveFolder, (gone / "archiv").string());
    EXPECT_EQ(s.LayoutTable[0].widthFactor, 1);
  }
}

TEST(Settings, ProfileRouting) {
  struct Case {
    const char* section;
    bool ini;
  } cases[] = {{"Workspace", false}, {"Settings", false}, {"workspace", true}, {"SETTINGS", true},
               {"Settings ", true},  {"General", true},   {"Layout", true},    {"", true}};
  for (const auto& c : cases) EXPECT_EQ(IsIniSection(c.section), c.ini) << '"' << c.section << '"';

  const fs::path config = UserConfigFolder();
  TempFolder dir;
  CPravikWinApp app;
  app.m_Settings.m_IniPath = dir / "pravik.ini";
  ASSERT_TRUE(app.WriteProfileString("Settings", "Theme", "dunkel"));
  ASSERT_TRUE(app.WriteProfileInt("Workspace", "Bars", 3));
  ASSERT_TRUE(app.WriteProfileString("settings", "Theme", "hell"));
  ASSERT_TRUE(app.WriteProfileInt("Allgemeines", "ResetLayout", -12));

  EXPECT_EQ(app.GetProfileString("Settings", "Theme", ""), "dunkel");
  EXPECT_EQ(app.GetProfileInt("Workspace", "Bars", 0), 3);
  EXPECT_EQ(app.GetProfileString("settings", "Theme", ""), "hell");
  EXPECT_EQ(app.GetProfileInt("Allgemeines", "ResetLayout", 0), -12);
  EXPECT_EQ(app.GetProfileString("Settings", "None", "vorgabe"), "vorgabe");
  EXPECT_EQ(app.GetProfileInt("Workspace", "None", 7), 7);

  // On disk: the INI file has only the INI sections.
  EXPECT_EQ(platform::GetPrivateProfileSectionNames(dir / "pravik.ini"),
            (std::vector<std::string>{"settings", "Allgemeines"}));
  EXPECT_EQ(Raw(dir / "pravik.ini", "Allgemeines", "ResetLayout"), "-12");
  QSettings user(kUserConfigOrganization, kUserConfigApplication);
  EXPECT_TRUE(user.fileName().startsWith(QString::fromStdString(config.string()))) << user.fileName().toStdString();
  EXPECT_EQ(user.value("Settings/Theme").toString(), "dunkel");
  EXPECT_EQ(user.value("Workspace/Bars").toInt(), 3);
}

// Width factors 0 and 1 draw the thinnest line in the entry's style; 2 to 5
// draw solid lines of that many times the scale.
TEST(Settings, PensOfTheLayoutTable) {
  CProgrammEinstellungen s;
  s.LayoutTable[0] = E(RGB(1, 2, 3), 0, platform::PS_DASH);
  s.LayoutTable[1] = E(RGB(4, 5, 6), 1, platform::PS_DASHDOTDOT);
  s.LayoutTable[2] = E(RGB(7, 8, 9), 2, platform::PS_DOT);
  s.LayoutTable[3] = E(RGB(10, 11, 12), 5, platform::PS_DASHDOT);
  s.LayoutTable[16] = E(RGB(13, 14, 15), 3, platform::PS_SOLID);
  struct Case {
    int index;
    int scale;
    std::optional<Pen> pen;
  } cases[] = {
      {0, 20, Pen{platform::PS_DASH, 0, RGB(1, 2, 3)}},
      {1, 20, Pen{platform::PS_DASHDOTDOT, 0, RGB(4, 5, 6)}},  // 1 counts as 0
      {2, 20, Pen{platform::PS_SOLID, 40, RGB(7, 8, 9)}},
      {3, 20, Pen{platform::PS_SOLID, 100, RGB(10, 11, 12)}},
      {3, 1, Pen{platform::PS_SOLID, 5, RGB(10, 11, 12)}},
      {16, 20, Pen{platform::PS_SOLID, 60, RGB(13, 14, 15)}},
      {17, 20, std::nullopt},
      {-1, 20, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(s.CreateLayoutPen(c.index, c.scale), c.pen) << "entry " << c.index;
}

namespace {

// A view that takes the printed area when the job begins.
class PrintRectView : public platform::PrintableView {
 public:
  explicit PrintRectView(CProgrammEinstellungen& s) : settings_(s) {}
  bool OnPreparePrinting(platform::PrintInfo& info) override {
    info.SetMaxPage(1);
    return true;
  }
  void OnBeginPrinting(platform::DrawContext& dc, platform::PrintInfo&) override { settings_.ComputePrintRect(dc, rect); }
  void OnPrint(platform::DrawContext& dc, platform::PrintInfo&) override { dc.Rectangle(rect); }
  platform::Rect rect;

 private:
  CProgrammEinstellungen& settings_;
};

}  // namespace

TEST(Settings, PrintedAreaOnThePdfTarget) {
  // The PDF target stands for an A4 laser printer: 201 x 288 mm printable,
  // 100 dots of 600 dpi (423 units) unprintable on every side.
  TempFolder dir;
  CProgrammEinstellungen s;
  s.m_PrintWidth = s.m_PrintHeight = 0;
  PrintRectView view(s);
  ASSERT_EQ(platform::PrintToPdf(view, dir / "page.pdf"), platform::PrintResult::kPrinted);
  EXPECT_NEAR(s.m_PrintWidth, 18.3, 1e-9);   // 20.1 - 1.7 - 0.1
  EXPECT_NEAR(s.m_PrintHeight, 27.5, 1e-9);  // 28.8 - 0.8 - 0.5
  EXPECT_EQ(view.rect, (platform::Rect{1700 - 423, 423 - 800, 1277 + 18300, -377 - 27500}));
}

TEST(Settings, PrintedAreaFollowsMarginsAndResolution) {
  // 300 dpi, 2000 x 3000 dots printable (169 x 254 mm), offsets of 59 and
  // 118 dots (500 and 999 units).
  platform::DeviceInfo device;
  device.dpi_x = device.dpi_y = 300;
  device.printable_width = 2000;
  device.printable_height = 3000;
  device.offset_x = 59;
  device.offset_y = 118;
  QImage image(10, 10, QImage::Format_RGB32);
  QPainter painter(&image);
  platform::DrawContext dc(painter, device);
  CProgrammEinstellungen s;
  s.m_LeftMargin = 2.5;
  s.m_TopMargin = 1.25;
  platform::Rect r;
  s.ComputePrintRect(dc, r);
  EXPECT_NEAR(s.m_PrintWidth, 16.9 - 2.5 - 0.1, 1e-9);
  EXPECT_NEAR(s.m_PrintHeight, 25.4 - 1.25 - 0.5, 1e-9);
  EXPECT_EQ(r.left, 2500 - 500);
  EXPECT_EQ(r.top, 999 - 1250);
  EXPECT_EQ(r.right, r.left + static_cast<int>(s.m_PrintWidth * 1000));
  EXPECT_EQ(r.bottom, r.top - static_cast<int>(s.m_PrintHeight * 1000));
}

namespace {

// The logo box drawn on a white image of 254 dpi: one pixel is 0.1 mm (10
// units), so the box from (500, -500) to (3500, -3500) covers pixels 50..350.
struct LogoBoxPicture {
  QImage image{400, 400, QImage::Format_RGB32};
  platform::Pen penAfter;
  int bkModeAfter = 0;

  LogoBoxPicture(const CProgrammEinstellungen& s, bool placeholder) {
    image.fill(Qt::white);
    image.setDotsPerMeterX(10000);
    image.setDotsPerMeterY(10000);
    QPainter painter(&image);
    platform::DrawContext dc(painter);
    dc.SelectPen(Pen{platform::PS_DOT, 0, RGB(0, 0, 255)});
    dc.SetBkMode(platform::OPAQUE);
    s.DrawLogoBox(dc, platform::Rect{500, -500, 3500, -3500}, placeholder);
    penAfter = dc.GetPen();
    bkModeAfter = dc.GetBkMode();
  }
  // Whether a pixel of about that colour lies within 2 pixels of the point.
  bool Near(int x, int y, QColor color) const {
    for (int dy = -2; dy <= 2; ++dy)
      for (int dx = -2; dx <= 2; ++dx) {
        QColor c = image.pixelColor(x + dx, y + dy);
        if (std::abs(c.red() - color.red()) < 60 && std::abs(c.green() - color.green()) < 60 &&
            std::abs(c.blue() - color.blue()) < 60)
          return true;
      }
    return false;
  }
};

}  // namespace

TEST(Settings, LogoBox) {
  QImage logo(8, 8, QImage::Format_RGB32);
  logo.fill(Qt::red);
  struct Case {
    const char* name;
    bool logoLoaded;
    int printLogo;
    bool placeholder;
    bool crossed;
    bool logoDrawn;
  } cases[] = {
      {"no logo, placeholder", false, 1, true, true, false},
      {"no logo, no placeholder", false, 1, false, false, false},
      {"logo printed", true, 1, true, false, true},
      {"logo switched off, placeholder", true, 0, true, true, false},
      {"logo switched off, no placeholder", true, 0, false, false, false},
  };
  const QColor black(0, 0, 0), white(255, 255, 255), red(255, 0, 0);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CProgrammEinstellungen s;
    s.m_PrintLogo = c.printLogo;
    if (c.logoLoaded) s.m_Plant.logo = logo;
    LogoBoxPicture p(s, c.placeholder);
    // Left and bottom edge always.
    EXPECT_TRUE(p.Near(50, 120, black));
    EXPECT_TRUE(p.Near(120, 350, black));
    // Top and right edge and the diagonals only for the crossed box.
    EXPECT_EQ(p.Near(120, 50, black), c.crossed);
    EXPECT_EQ(p.Near(350, 120, black), c.crossed);
    EXPECT_EQ(p.Near(100, 100, black), c.crossed);
    EXPECT_EQ(p.Near(300, 100, black), c.crossed);
    // The logo fills the box 40 units (4 pixels) inside it.
    EXPECT_EQ(p.image.pixelColor(200, 200) == red, c.logoDrawn);
    EXPECT_EQ(p.image.pixelColor(56, 56) == red, c.logoDrawn);
    EXPECT_EQ(p.image.pixelColor(344, 344) == red, c.logoDrawn);
    EXPECT_EQ(p.image.pixelColor(52, 200), white);
    EXPECT_EQ(p.image.pixelColor(200, 52), white);
    // The context's state is as before.
    EXPECT_EQ(p.penAfter, (Pen{platform::PS_DOT, 0, RGB(0, 0, 255)}));
    EXPECT_EQ(p.bkModeAfter, platform::OPAQUE);
  }
}
