// Where the program's data (help text, translations) is read from: the copy
// beside the executable (a build folder, an unpacked tree), else the XDG data
// folders, else the data folder of the prefix the program was built for.
#pragma once

#include <QString>
#include <QStringList>

namespace vantor {

// <datadir>/vantor of the install prefix, fixed when built; empty when the
// build did not say.
QString InstalledDataFolder();

// The folders that may hold `name` (a folder below the data folder, e.g.
// "translations"), in the order they are searched: `programFolder`/`name`,
// then vantor/`name` in XDG_DATA_HOME and each of XDG_DATA_DIRS, then
// `installedFolder`/`name`. Only folders that exist are listed.
QStringList DataFolders(const QString& programFolder, const QString& name,
                        const QString& installedFolder = InstalledDataFolder());

}  // namespace vantor
