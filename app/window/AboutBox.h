// TAboutBox: Help > About. The program's name, version and licence, and the
// libraries it runs on with theirs.
#pragma once

#include <QDialog>

class QLabel;

namespace vantor {

struct TLibraryNotice {
  const char* name;     // translatable (context "vantor::TAboutBox")
  const char* licence;  // an SPDX licence expression, the same in every language
};

// What the executables link at run time (readelf -d: NEEDED), the print
// journal's database clients (Qt's SQL driver plugins), the JSON reader built
// in, and the fonts the sheets are drawn in.
inline constexpr TLibraryNotice kLibraryNotices[] = {
    {QT_TRANSLATE_NOOP("vantor::TAboutBox", "Qt %1 (Core, GUI, Widgets, Print Support, SQL)"), "LGPL-3.0-only"},
    {QT_TRANSLATE_NOOP("vantor::TAboutBox", "SQLite (the print journal on this computer)"), "blessing"},
    {QT_TRANSLATE_NOOP("vantor::TAboutBox", "PostgreSQL client library (a shared print journal)"), "PostgreSQL"},
    {QT_TRANSLATE_NOOP("vantor::TAboutBox", "JSON for Modern C++ (sheet templates)"), "MIT"},
    {QT_TRANSLATE_NOOP("vantor::TAboutBox", "Liberation fonts"), "OFL-1.1"},
    {QT_TRANSLATE_NOOP("vantor::TAboutBox", "GNU C++ library and GCC run-time library"),
     "GPL-3.0-or-later WITH GCC-exception-3.1"},
    {QT_TRANSLATE_NOOP("vantor::TAboutBox", "GNU C library"), "LGPL-2.1-or-later"},
};

class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(QWidget* parent = nullptr);

  QLabel* Version() const { return version_; }
  QLabel* Licence() const { return licence_; }
  QLabel* Libraries() const { return libraries_; }

 private:
  QLabel* version_ = nullptr;
  QLabel* licence_ = nullptr;
  QLabel* libraries_ = nullptr;
};

}  // namespace vantor
