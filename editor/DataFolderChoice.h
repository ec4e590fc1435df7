// Where the editor keeps its data files. A build-tree editor uses Data/
// beside itself, as the build writes it. An installed editor (its sample
// data lies in ../share/kestrilo/Data from its own folder) never writes under
// its prefix: it uses Data/ in the user's application-data folder, filled with
// a copy of the sample data at its first start.
#pragma once

#include <string>

namespace kestrilo {

struct TDataFolderLayout {
  std::string ExecutableDir;  // with its trailing separator
  std::string UserDataDir;    // the user's application-data folder (QStandardPaths::AppDataLocation)
};

struct TDataFolderChoice {
  bool Installed = false;
  std::string DataFolder;        // with its trailing separator
  std::string SampleDataFolder;  // installed sample data (Installed only), with its trailing separator
};

// Decides between the build-tree and installed layouts; changes nothing on disk.
TDataFolderChoice ChooseDataFolder(const TDataFolderLayout& Layout);

// For an installed editor whose data folder does not exist yet: copies the
// sample data into it. The copy is made beside it and renamed into place, so
// an interrupted first start leaves no half-filled folder. An existing data
// folder is left as the designer keeps it. Throws EKestriloError when the
// copy fails.
void PrepareDataFolder(const TDataFolderChoice& Choice);

}  // namespace kestrilo
