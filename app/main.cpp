// The program: settings of the data folder, the document with every record,
// the main window with the main view.
//
// Not yet part of the start: the category database offer, the plant
// selection, the check of the data folder and its sub-folders, the
// single-instance guard, the data-folder lock, the splash window, the daily
// copies of "data.db" and the closing key "letzterAufruf".
#include <QApplication>
#include <clocale>

#include "shell/form1view.h"
#include "shell/mainframe.h"
#include "shell/pravikapp.h"
#include "shell/pravikdoc.h"

int main(int argc, char* argv[]) {
  QApplication qtApp(argc, argv);
  // Qt takes the locale from the environment; numbers are never locale-dependent.
  std::setlocale(LC_NUMERIC, "C");

  CPravikWinApp app;
  // "datapfad.dat" in the program folder names the data folder.
  if (!app.m_Settings.ReadDataFolder()) return 1;
  const PlantBlock& plant = app.m_Settings.m_Plant;
  app.PlantIdentity = {plant.operatorNumber, plant.operatorName, plant.plantNumber, plant.plantName};

  CPravikDoc document;
  if (!document.OnNewDocument()) return kExitNoRecordFile;

  CMainFrame frame;
  frame.SetView(new CForm1View(&document));
  frame.ActivateFrame();
  const int status = qtApp.exec();
  app.DestroyWindows();
  return status;
}
