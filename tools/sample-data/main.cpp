// kestrilo-sample-data DIR: draws the sample pictures and writes the sample
// object library, monsters, portal pictures and demo level into DIR.
#include <QCoreApplication>
#include <exception>
#include <iostream>

#include "SampleDataWriter.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 2) {
    std::cerr << "usage: kestrilo-sample-data DIR\n";
    return 2;
  }
  try {
    kestrilo::sample::WriteSampleData(argv[1]);
  } catch (const std::exception& e) {
    std::cerr << "kestrilo-sample-data: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
