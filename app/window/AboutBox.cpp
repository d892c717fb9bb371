#include "app/window/AboutBox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/window/Icons.h"

namespace vantor {

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(tr("About Vantor"));

  auto* icon = new QLabel(this);
  icon->setPixmap(MainWindowIcon().pixmap(64, 64));
  icon->setAlignment(Qt::AlignTop);

  auto* name = MakeLabel(this, "Name", QStringLiteral("Vantor"));
  QFont big = name->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  name->setFont(big);
  version_ = MakeLabel(this, "Version", tr("Version %1").arg(QStringLiteral(VANTOR_VERSION)));
  auto* summary = MakeLabel(this, "Summary", tr("Prints barcode labels for data-tape cartridges."));

  const QString licence = QStringLiteral(VANTOR_LICENSE);
  licence_ =
      MakeLabel(this, "Licence", licence.isEmpty() ? tr("Licence: not declared yet") : tr("Licence: %1").arg(licence));

  QString rows;
  for (const TLibraryNotice& lib : kLibraryNotices) {
    QString libName = tr(lib.name);
    if (libName.contains(QLatin1String("%1"))) libName = libName.arg(QString::fromLatin1(qVersion()));
    rows += QStringLiteral("<tr><td>%1</td><td>&nbsp;&nbsp;%2</td></tr>")
                .arg(libName.toHtmlEscaped(), QString::fromLatin1(lib.licence).toHtmlEscaped());
  }
  libraries_ = MakeLabel(this, "Libraries",
                         QStringLiteral("<p>%1</p><table>%2</table>").arg(tr("Vantor uses:").toHtmlEscaped(), rows));
  libraries_->setTextFormat(Qt::RichText);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* text = new QVBoxLayout;
  for (QLabel* l : {name, version_, summary, licence_, libraries_}) text->addWidget(l);
  text->addStretch();
  auto* top = new QHBoxLayout;
  top->addWidget(icon);
  top->addSpacing(12);
  top->addLayout(text);
  auto* all = new QVBoxLayout(this);
  all->addLayout(top);
  all->addWidget(buttons);
  all->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace vantor
