// The program's own settings, one file for the window and the command line
// alike: QSettings under the organisation and application names, the
// application's name standing in for an organisation when none was given
// (Qt reports every read and write of settings without an organisation as
// failed, though it does them), so ~/.config/Vantor/Vantor.conf.
#pragma once

#include <QSettings>
#include <QString>
#include <memory>

namespace vantor {

std::unique_ptr<QSettings> OpenProgramSettings();
// Why the settings file cannot be read (it exists but is unreadable or not a
// settings file), naming it; empty when it can (or is not there yet).
QString ProgramSettingsProblem(const QSettings& settings);

}  // namespace vantor
