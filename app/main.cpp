// The program: the start-up sequence, the message loop and the shutdown.
#include "shell/start/startup.h"

int main(int argc, char* argv[]) { return RunApplication(argc, argv); }
