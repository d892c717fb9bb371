#include "qt/ProgramSettings.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace vantor {

std::unique_ptr<QSettings> OpenProgramSettings() {
  const QString application = QCoreApplication::applicationName();
  const QString organisation = QCoreApplication::organizationName();
  return std::make_unique<QSettings>(QSettings::UserScope, organisation.isEmpty() ? application : organisation,
                                     application);
}

QString ProgramSettingsProblem(const QSettings& settings) {
  const QFileInfo file(settings.fileName());
  if (!file.exists()) return {};
  if (!file.isFile() || !file.isReadable() || settings.status() == QSettings::AccessError)
    return QStringLiteral("the settings file %1 cannot be read").arg(settings.fileName());
  if (settings.status() == QSettings::FormatError)
    return QStringLiteral("the settings file %1 is not a settings file").arg(settings.fileName());
  return {};
}

}  // namespace vantor
