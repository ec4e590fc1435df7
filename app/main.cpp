// Program entry: initialise the application and hand over to the shell's start-up.
#include "windows/Application.h"

int main(int argc, char** argv) { return kestrilo::RunApplication(argc, argv); }
