#include "editor/DataFolderChoice.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include "platform/Errors.h"

namespace kestrilo {

namespace {

QString WithSeparator(const QString& folder) { return folder.endsWith('/') ? folder : folder + '/'; }

}  // namespace

TDataFolderChoice ChooseDataFolder(const TDataFolderLayout& Layout) {
  TDataFolderChoice choice;
  const QString executableDir = WithSeparator(QString::fromStdString(Layout.ExecutableDir));
  const QString installedSample = QDir::cleanPath(executableDir + "../share/kestrilo/Data");
  // Data/ beside the editor wins: that is the build tree (and `make run`).
  if (!QFileInfo(executableDir + "Data").isDir() && QFileInfo(installedSample).isDir() && !Layout.UserDataDir.empty()) {
    choice.Installed = true;
    choice.SampleDataFolder = WithSeparator(installedSample).toStdString();
    choice.DataFolder =
        WithSeparator(QDir::cleanPath(QString::fromStdString(Layout.UserDataDir) + "/Data")).toStdString();
    return choice;
  }
  choice.DataFolder = (executableDir + "Data/").toStdString();
  return choice;
}

void PrepareDataFolder(const TDataFolderChoice& Choice) {
  if (!Choice.Installed) return;
  const QString target = QDir::cleanPath(QString::fromStdString(Choice.DataFolder));
  if (QFileInfo::exists(target)) return;
  const QString parent = QFileInfo(target).absolutePath();
  if (!QDir().mkpath(parent)) throw EKestriloError("Cannot create folder " + ShownFileName(parent.toStdString()));
  const QString partial = parent + "/.Data-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
  if (!QDir().mkpath(partial)) throw EKestriloError("Cannot create folder " + ShownFileName(partial.toStdString()));
  const QString source = QDir::cleanPath(QString::fromStdString(Choice.SampleDataFolder));
  const auto fail = [&](const std::string& message) {
    QDir(partial).removeRecursively();
    throw EKestriloError(message);
  };
  QDirIterator files(source, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (files.hasNext()) {
    const QString file = files.next();
    const QString copy = partial + "/" + QDir(source).relativeFilePath(file);
    if (!QDir().mkpath(QFileInfo(copy).absolutePath()) || !QFile::copy(file, copy))
      fail(CannotCreateMessage(copy.toStdString()));
    // Installed files are read-only; the designer's copies are theirs to change.
    QFile::setPermissions(copy, QFile::permissions(copy) | QFileDevice::WriteOwner | QFileDevice::ReadOwner);
  }
  if (!QDir().rename(partial, target)) {
    // Another editor started at the same moment may have made it first.
    if (QFileInfo(target).isDir()) {
      QDir(partial).removeRecursively();
      return;
    }
    fail("Cannot create folder " + ShownFileName(target.toStdString()));
  }
}

}  // namespace kestrilo
