// kestrilo-tool: command-line work on Kestrilo files without a window.
#include <cstdio>

int main(int argc, char** argv) {
  std::fprintf(stderr, "usage: kestrilo-tool COMMAND ...\n");
  return 1;
}
