// Program start: the window, or headless printing when a print option is given.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "app/cli/PrintCli.h"
#include "app/serve/qt/ServeCommand.h"
#include "app/window/AboutBox.h"
#include "app/window/HelpWindow.h"
#include "app/window/LtoLabels.h"
#include "app/window/MainWindow.h"
#include "colors/widgets/ColorBox.h"
#include "journal/widgets/JournalWindow.h"
#include "qt/QtSurface.h"
#include "qt/Translations.h"

namespace {

// Whether Qt can start a GUI here: an X or Wayland display, or a platform in
// QT_QPA_PLATFORM that needs neither (offscreen, minimal, vnc, ...). The
// variable may list several, tried in turn, each with ":options".
bool HaveDisplay() {
  const auto given = [](const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
  };
  if (given("DISPLAY") || given("WAYLAND_DISPLAY")) return true;
  const char* platforms = std::getenv("QT_QPA_PLATFORM");
  std::string_view rest = platforms ? platforms : "";
  while (!rest.empty()) {
    const std::string_view entry = rest.substr(0, rest.find(';'));
    rest.remove_prefix(std::min(rest.size(), entry.size() + 1));
    const std::string_view name = entry.substr(0, entry.find(':'));
    if (!name.empty() && name != "xcb" && !name.starts_with("wayland")) return true;
  }
  return false;
}

// Qt's notes about the session (no runtime directory) are noise on a command
// line; real problems still reach stderr.
void QuietHandler(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtDebugMsg || type == QtInfoMsg) return;
  if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths:"))) return;
  std::cerr << message.toLocal8Bit().constData() << '\n';
}

// Saves the window as first shown to `path`, then its About dialog and the LTO
// window beside it (the name with "-about" and "-lto" before the suffix).
int SaveScreenshot(vantor::TMainWindow& window, const QString& path) {
  window.show();
  int status = 0;
  const auto save = [&status](QWidget& w, const QString& file, const char* what) {
    if (w.grab().save(file, "PNG")) {
      std::cout << "vantor: " << what << " saved to " << file.toStdString() << '\n';
    } else {
      std::cerr << "vantor: cannot write " << file.toStdString() << '\n';
      status = 1;
    }
  };
  // Each grab once the first paint has been processed.
  QTimer::singleShot(0, &window, [&] {
    save(window, path, "window");
    window.AboutClick();
    QTimer::singleShot(0, &window, [&] {
      const QFileInfo info(path);
      const auto beside = [info](const char* suffix) {
        return info.dir().filePath(info.completeBaseName() + QLatin1String(suffix));
      };
      save(*window.AboutBox(), beside("-about.png"), "About dialog");
      window.AboutBox()->hide();
      window.LtoLabelsAction->trigger();
      QTimer::singleShot(0, &window, [&, beside] {
        if (QWidget* lto = vantor::ShownLtoWindow(window)) {
          save(*lto, beside("-lto.png"), "LTO window");
          lto->hide();
        }
        window.JournalAction->trigger();
        QTimer::singleShot(0, &window, [&, beside] {
          if (QWidget* journal = window.JournalWindow()) save(*journal, beside("-journal.png"), "journal window");
          QApplication::quit();
        });
      });
    });
  });
  QApplication::exec();
  return status;
}

// The actions that need no window or printer: their exit status; none for
// printing and the window.
std::optional<int> RunWithoutWindow(const vantor::TVantorCommandLine& command, int argc, char** argv) {
  using vantor::TVantorCommandLine;
  // Qt sees only the program name: every option is ours and has been read.
  int qtArgc = 1;
  char* qtArgv[] = {argv[0], nullptr};
  switch (command.action) {
    case TVantorCommandLine::TAction::Error: std::cerr << command.text << '\n'; return 2;
    case TVantorCommandLine::TAction::Help: {
      vantor::InOperatorsLanguage(argv[0], [&] {
        std::cout << vantor::ParseVantorCommandLine({argv + 1, argv + argc}).text;
      });
      return 0;
    }
    case TVantorCommandLine::TAction::Version: std::cout << command.text; return 0;
    case TVantorCommandLine::TAction::JournalList:
    case TVantorCommandLine::TAction::JournalInit:
    case TVantorCommandLine::TAction::JournalRelease: {
      // Qt SQL's drivers and the data folder need an application object, no display.
      QCoreApplication app(qtArgc, qtArgv);
      QCoreApplication::setApplicationName(QStringLiteral("Vantor"));
      return vantor::RunHeadlessCommand(command, std::cout, std::cerr);
    }
    case TVantorCommandLine::TAction::ListTemplates:
    case TVantorCommandLine::TAction::DescribeTemplate:
      return vantor::RunHeadlessCommand(command, std::cout, std::cerr);
    case TVantorCommandLine::TAction::Print:
    case TVantorCommandLine::TAction::Lto:
    case TVantorCommandLine::TAction::Window: break;
  }
  return std::nullopt;
}

int PrintWithoutWindow(const vantor::TVantorCommandLine& command, char* program, bool display) {
  // Printing needs no screen; without one Qt would refuse to start.
  if (!display) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler(QuietHandler);
  int qtArgc = 1;
  char* qtArgv[] = {program, nullptr};
  QApplication app(qtArgc, qtArgv);
  QApplication::setApplicationName(QStringLiteral("Vantor"));
  return vantor::RunHeadlessCommand(command, std::cout, std::cerr);
}

int RunWindow(const vantor::TVantorCommandLine& command, char* program) {
  int qtArgc = 1;
  char* qtArgv[] = {program, nullptr};
  QApplication app(qtArgc, qtArgv);
  QApplication::setApplicationName(QStringLiteral("Vantor"));
  vantor::SyncScreenDpiFromQt();
  // The menus, dialogs and messages in the operator's language; the main
  // window's own captions and the sheets stay as they are.
  vantor::TTranslation translation;
  translation.InstallForSystemLocale();

  vantor::TMainWindow window;
  vantor::THelpBox help(&window);
  window.SetHelpBox(&help);
  // Created once, after the window has filled the colour table; only shown
  // and hidden afterwards, so its state carries over between openings.
  vantor::TColorBox colors(window.LabelState().Colors, {}, &window);
  window.AttachColorBox(colors);
  vantor::AttachLtoWindow(window);

  if (!command.screenshot.empty()) return SaveScreenshot(window, QString::fromStdString(command.screenshot));
  if (command.journal) window.SetJournalLocation(command.journal);
  window.show();
  // Jobs a killed run left behind, once the window is up.
  QTimer::singleShot(0, &window, [&window] { window.ShowInterruptedJobs(); });
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  using vantor::TVantorCommandLine;
  // `vantor serve`: the web service, with options of its own.
  if (argc > 1 && std::string_view(argv[1]) == "serve")
    return vantor::serve::RunServeCommand(argc, argv, {argv + 2, argv + argc}, std::cout, std::cerr);
  // The options are checked before Qt starts: QApplication needs a display.
  const TVantorCommandLine command = vantor::ParseVantorCommandLine({argv + 1, argv + argc});
  if (const std::optional<int> status = RunWithoutWindow(command, argc, argv)) return *status;
  const bool display = HaveDisplay();
  if (command.action == TVantorCommandLine::TAction::Print || command.action == TVantorCommandLine::TAction::Lto)
    return PrintWithoutWindow(command, argv[0], display);
  if (!display) {
    std::cerr << "vantor: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set); "
                 "to print without the window, give --print-pdf FILE (see vantor --help)\n";
    return 1;
  }
  return RunWindow(command, argv[0]);
}
