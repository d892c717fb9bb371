// Program start: the window, or headless printing when a print option is given.
#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/window/Menu.h"
#include "app/window/help.h"
#include "colours/widgets/Color.h"
#include "printing/qt/PrintCli.h"
#include "qt/QtSurface.h"

namespace {

// Hidden option for `make screenshot`: the window as shown, saved as a PNG.
constexpr const char* kScreenshotOption = "--screenshot";

// Qt's notes about the session (no runtime directory) are noise on a command
// line; real problems still reach stderr.
void QuietHandler(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtDebugMsg || type == QtInfoMsg) return;
  if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths:"))) return;
  std::cerr << message.toLocal8Bit().constData() << '\n';
}

int SaveScreenshot(vantor::TMainMenu& window, const QString& path) {
  window.show();
  int status = 1;
  // Grab once the first paint has been processed.
  QTimer::singleShot(0, &window, [&] {
    if (window.grab().save(path, "PNG")) {
      std::cout << "vantor: window saved to " << path.toStdString() << '\n';
      status = 0;
    } else {
      std::cerr << "vantor: cannot write " << path.toStdString() << '\n';
    }
    QApplication::quit();
  });
  QApplication::exec();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (vantor::WantsHeadlessPrint(args)) {
    // Printing needs no screen; without a display Qt would refuse to start.
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    qInstallMessageHandler(QuietHandler);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantor"));
    return vantor::RunPrintCli(args, std::cout, std::cerr);
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vantor"));
  vantor::SyncScreenDpiFromQt();

  vantor::TMainMenu window;
  vantor::THelpBox help(&window);
  window.SetHelpBox(&help);
  // Created once, after the window has filled the colour table; only shown
  // and hidden afterwards, so its state carries over between openings.
  vantor::TColorBox colours(window.LabelState().Colors, {}, &window);
  window.AttachColorBox(colours);

  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != kScreenshotOption) continue;
    if (i + 1 >= args.size()) {
      std::cerr << "vantor: " << kScreenshotOption << " needs a file name\n";
      return 2;
    }
    return SaveScreenshot(window, QString::fromStdString(args[i + 1]));
  }

  window.show();
  return QApplication::exec();
}
