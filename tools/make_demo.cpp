// make_demo [program folder [data folder]]: prepares the demo installation
// next to the program (default: this tool's folder, data in "demo-data"
// there). Files that exist already are left as they are.
#include <cstdio>
#include <filesystem>

#include "services/sysfuncs.h"
#include "tools/demo_installation.h"

int main(int argc, char** argv) {
  if (argc > 3) {
    std::fprintf(stderr, "usage: make_demo [program folder [data folder]]\n");
    return 2;
  }
  std::filesystem::path programFolder;
  if (argc >= 2) programFolder = argv[1];
  else if (!GetProgramFolder(programFolder)) {
    std::fprintf(stderr, "make_demo: the program folder cannot be found\n");
    return 1;
  }
  const std::filesystem::path dataFolder = argc == 3 ? std::filesystem::path(argv[2]) : programFolder / "demo-data";
  const demo::DemoResult result = demo::MakeDemoInstallation(programFolder, dataFolder);
  for (const std::string& file : result.written) std::printf("make_demo: wrote %s\n", file.c_str());
  if (!result.ok) {
    std::fprintf(stderr, "make_demo: the demo installation in %s is incomplete\n", programFolder.c_str());
    return 1;
  }
  return 0;
}
