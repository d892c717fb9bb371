#include <QGuiApplication>
#include <iostream>

#include "qt/BarcodeImage.h"
#include "qt/QtSurface.h"
#include "qt/Translations.h"
#include "tools/qt/BarcodeCommandLine.h"

namespace {

// Image output through the Qt drawing surface.
class QtImageExporter : public vantor::TImageExporter {
 public:
  std::string Write(vantor::TLLBarcode& bc, const std::string& path, vantor::TImageFormat format, int dpi) override {
    return vantor::WriteBarcodeImage(bc, path, format, dpi);
  }
};

// Qt's notes about the session (no runtime directory, no display) are noise for
// a command-line tool; real problems still reach stderr.
void QuietHandler(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtDebugMsg || type == QtInfoMsg) return;
  if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths:"))) return;
  std::cerr << message.toLocal8Bit().constData() << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  using vantor::TBarcodeCommandLine;
  const TBarcodeCommandLine command = vantor::ParseBarcodeCommandLine({argv + 1, argv + argc});
  // Qt sees only the program name: the tool's own options are not Qt's.
  int qtArgc = 1;
  char* qtArgv[] = {argv[0], nullptr};
  switch (command.action) {
    case TBarcodeCommandLine::TAction::Error: std::cerr << command.text << '\n'; return 2;
    case TBarcodeCommandLine::TAction::Help: {
      vantor::InOperatorsLanguage(argv[0], [&] {
        std::cout << vantor::ParseBarcodeCommandLine({argv + 1, argv + argc}).text;
      });
      return 0;
    }
    case TBarcodeCommandLine::TAction::Version: std::cout << command.text; return 0;
    case TBarcodeCommandLine::TAction::Run: break;
  }
  // The tool never opens a window; without a platform chosen, draw off-screen.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietHandler);
  QGuiApplication app(qtArgc, qtArgv);
  vantor::SyncScreenDpiFromQt();
  QtImageExporter exporter;
  return vantor::RunBarcode(command.options, std::cout, std::cerr, &exporter);
}
