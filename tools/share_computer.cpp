// One run of the program on a "computer" of scripts/share_test: the whole
// start (offscreen, every window answered by the scripted seam), then saves on
// command, then the shutdown. Every line it prints starts with "share:".
//
//   share_computer <program folder>      start; then reads commands from
//                                        standard input: "save" (every record
//                                        gets the next tag, then the records
//                                        are saved), "quit" (or the end of input)
//   share_computer --inspect <folder>    loads the folder's records as a start
//                                        would and prints their count and tag
//
// With SHARE_START_AT=<milliseconds since the epoch> the start waits for that
// moment, so that two computers start at the same time.
#include <QApplication>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>
#include <thread>

#include "platform/messagebox.h"
#include "platform/scripted_ui.h"
#include "platform/sharedfolder.h"
#include "records/recordfile.h"
#include "services/pravikapp.h"
#include "shell/mainview/form1view.h"
#include "shell/mainview/mainframe.h"
#include "shell/mainview/recordlistmodel.h"
#include "shell/start/startup.h"

namespace {

constexpr int kTagField = 21;

void Say(const std::string& line) {
  std::string flat = line;
  for (char& c : flat)
    if (c == '\n' || c == '\r') c = ' ';
  std::printf("share: %s\n", flat.c_str());
  std::fflush(stdout);
}

// The tag of a save: SHARE_TAG (the run), its number and a tail of random
// length, so that consecutive saves change the size of "data.db".
std::string Tag(int save) {
  static std::mt19937 random(std::random_device{}());
  const char* run = std::getenv("SHARE_TAG");
  return std::string(run && *run ? run : "run") + "-" + std::to_string(save) + "-" +
         std::string(random() % 97, 'x');
}

std::string TagOf(const CVersuch& record) { return record.GetValue(1, kTagField); }

int Inspect(const std::filesystem::path& folder) {
  platform::ScriptedMessageBoxes boxes;
  RecordList records;
  if (!LoadRecordFile(records, folder)) {
    Say("unsound");
    return 1;
  }
  Say("sound records=" + std::to_string(records.size()) + " tag=" + (records.empty() ? "" : TagOf(*records[0])));
  return 0;
}

void TellShown(const platform::ScriptedUi& ui, size_t& told) {
  for (; told < ui.shown().size(); ++told) {
    const platform::ShownUi& shown = ui.shown()[told];
    Say(std::string("shown ") + platform::UiKindName(shown.kind) + " " + std::to_string(shown.dialog_id) + " " +
        shown.text);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--inspect") return Inspect(argv[2]);
  if (argc != 2) {
    std::fprintf(stderr, "usage: share_computer <program folder> | --inspect <folder>\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qtApp(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setQuitOnLastWindowClosed(false);
  // Waits of the share code are told, then waited.
  platform::SetSharePauseOverride([](std::chrono::milliseconds pause) {
    Say("pause " + std::to_string(pause.count()));
    std::this_thread::sleep_for(pause);
  });

  platform::ScriptedUi ui([](const std::string& failure) { Say("unexpected " + failure); });
  ui.ExpectDialog(608, [](platform::DialogDriver& d) {
    Say("notice user=" + d.Text(1251) + "|computer=" + d.Text(1252) + "|start=" + d.Text(1253) +
        "|path=" + d.Text(1254) + "|lock=" + d.Text(1256));
  }, platform::IDOK);
  size_t told = 0;

  if (const char* at = std::getenv("SHARE_START_AT"); at && *at) {
    const auto moment = std::chrono::system_clock::time_point(std::chrono::milliseconds(std::atoll(at)));
    std::this_thread::sleep_until(moment);
  }
  CPravikWinApp app;
  StartupOptions options;
  options.programFolder = argv[1];
  options.skipInstanceGuard = true;
  CStartup startup(app, options);
  if (!startup.InitInstance()) {
    TellShown(ui, told);
    Say("refused status=" + std::to_string(startup.ExitInstance()));
    return 1;
  }
  CForm1View* view = startup.Frame()->view();
  CRecordListModel* model = view->model();
  TellShown(ui, told);
  Say("started records=" + std::to_string(model->RecordCount()) +
      " tag=" + (model->RecordCount() > 0 ? TagOf(*model->RecordAt(0)) : std::string()));

  int save = 0;
  std::string command;
  while (std::getline(std::cin, command) && command != "quit") {
    if (command != "save") continue;
    const std::string tag = Tag(++save);
    Say("saving " + std::to_string(save) + " tag=" + tag);
    for (int row = 0; row < model->RecordCount(); ++row) model->RecordAt(row)->SetValue(1, kTagField, tag);
    const bool saved = view->SaveAllRecords();
    TellShown(ui, told);
    Say("save " + std::to_string(save) + (saved ? " ok" : " failed") + " tag=" + tag);
  }
  const int status = startup.ExitInstance();
  TellShown(ui, told);
  Say("quit status=" + std::to_string(status));
  return status;
}
