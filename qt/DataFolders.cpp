#include "qt/DataFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vantor {

QString InstalledDataFolder() {
#ifdef VANTOR_DATADIR
  return QStringLiteral(VANTOR_DATADIR "/vantor");
#else
  return QString();
#endif
}

QStringList DataFolders(const QString& programFolder, const QString& name, const QString& installedFolder) {
  QStringList candidates;
  if (!programFolder.isEmpty()) candidates << QDir(programFolder).filePath(name);
  candidates << QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("vantor/") + name,
                                          QStandardPaths::LocateDirectory);
  if (!installedFolder.isEmpty()) candidates << QDir(installedFolder).filePath(name);
  QStringList folders;
  for (const QString& c : candidates) {
    const QString clean = QDir::cleanPath(c);
    if (QFileInfo(clean).isDir() && !folders.contains(clean)) folders << clean;
  }
  return folders;
}

}  // namespace vantor
