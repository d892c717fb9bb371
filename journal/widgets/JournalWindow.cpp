#include "journal/widgets/JournalWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "journal/qt/JournalSettings.h"
#include "journal/widgets/WindowJournal.h"
#include "printing/Output.h"
#include "printing/qt/QtPrintJob.h"
#include "surface/Text.h"

namespace vantor {

namespace {

using journal::TJobRecord;
using journal::TPieceState;
using journal::TSerialRange;

constexpr const char* kOutcomes[] = {
    QT_TRANSLATE_NOOP("vantor::TJournalWindow", "reserved"),
    QT_TRANSLATE_NOOP("vantor::TJournalWindow", "printing"),
    QT_TRANSLATE_NOOP("vantor::TJournalWindow", "printed"),
    QT_TRANSLATE_NOOP("vantor::TJournalWindow", "failed"),
    QT_TRANSLATE_NOOP("vantor::TJournalWindow", "cancelled"),
    QT_TRANSLATE_NOOP("vantor::TJournalWindow", "interrupted"),
};

QString Ranges(const std::vector<TSerialRange>& ranges) {
  QStringList out;
  for (const TSerialRange& r : ranges) out << QString::fromStdString(journal::DescribeRange(r, JournalTranslation()));
  return out.join(QStringLiteral(", "));
}

enum TColumn { kTime, kUser, kHost, kFamily, kMedia, kSerials, kOutput, kOutcome, kReprint, kColumns };

// Whether every serial of `wanted` went out in `job` (sent, or maybe sent).
bool PrintedBy(const TJobRecord& job, const TSerialRange& wanted) {
  std::vector<TSerialRange> left{wanted};
  for (const journal::TRangePiece& p : job.pieces) {
    if (p.state != TPieceState::Sent && p.state != TPieceState::Sending) continue;
    std::vector<TSerialRange> next;
    for (const TSerialRange& l : left)
      for (TSerialRange& rest : journal::Subtract(l, p.range)) next.push_back(std::move(rest));
    left = std::move(next);
  }
  return left.empty();
}

// The labels of the one sheet DLT jobs print on.
int DltLabelsPerPage() {
  for (const TSheetTemplate& t : BuiltInTemplates())
    if (t.name == kDltTemplate) return t.LabelsPerPage();
  return 1;
}

}  // namespace

journal::TTranslate JournalTranslation() {
  return [](const char* pattern) { return QCoreApplication::translate(journal::kTextContext, pattern).toStdString(); };
}

TJournalWindow::TJournalWindow(TWindowJournal& journal, QWidget* parent)
    : QDialog(parent), journal_(journal), templates_(LoadTemplateCatalogue()) {
  setObjectName(QStringLiteral("JournalWindow"));
  setWindowTitle(tr("Print Journal"));
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  const journal::TParsed<std::string> stored = journal::ReadStoredJournalLocation();
  auto* layout = new QVBoxLayout(this);
  BuildLocation(layout, stored.value.value_or(std::string()));
  BuildFilters(layout);
  BuildJobList(layout);
  BuildReprintForm(layout);
  Status = new QLabel(this);
  Status->setObjectName(QStringLiteral("Status"));
  Status->setWordWrap(true);
  layout->addWidget(Status);
  resize(980, 560);

  ConnectSignals();

  if (!stored.value) Status->setText(QString::fromStdString(stored.error));
  UpdateReprintFields();
  // Looking a serial up is what the window is opened for.
  SerialFilter->setFocus();
}

void TJournalWindow::BuildLocation(QVBoxLayout* layout, const std::string& stored) {
  auto* where = new QGroupBox(tr("Journal"), this);
  auto* whereLayout = new QHBoxLayout(where);
  LocationEdit = new QLineEdit(QString::fromStdString(stored), where);
  LocationEdit->setObjectName(QStringLiteral("LocationEdit"));
  LocationEdit->setPlaceholderText(QString::fromStdString(journal::DefaultJournalPath()));
  LocationEdit->setToolTip(
      tr("A file, or postgresql://user@host:port/database for a journal the team shares. "
         "Empty: the file in your data folder. The password is asked for, never kept."));
  SaveLocationButton = new QPushButton(tr("&Use"), where);
  SaveLocationButton->setObjectName(QStringLiteral("SaveLocationButton"));
  whereLayout->addWidget(new QLabel(tr("Location:"), where));
  whereLayout->addWidget(LocationEdit, 1);
  whereLayout->addWidget(SaveLocationButton);
  InUseLabel = new QLabel(where);
  InUseLabel->setObjectName(QStringLiteral("InUseLabel"));
  auto* whereBox = new QVBoxLayout;
  whereBox->addWidget(where);
  whereBox->addWidget(InUseLabel);
  layout->addLayout(whereBox);
}

void TJournalWindow::BuildFilters(QVBoxLayout* layout) {
  auto* filters = new QHBoxLayout;
  SerialFilter = new QLineEdit(this);
  SerialFilter->setObjectName(QStringLiteral("SerialFilter"));
  SerialFilter->setMaxLength(6);
  SerialFilter->setPlaceholderText(tr("any"));
  DateFilter = new QCheckBox(tr("Started from"), this);
  DateFilter->setObjectName(QStringLiteral("DateFilter"));
  FromDate = new QDateEdit(QDate::currentDate().addDays(-30), this);
  ToDate = new QDateEdit(QDate::currentDate(), this);
  for (QDateEdit* d : {FromDate, ToDate}) {
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    d->setEnabled(false);
  }
  SearchButton = new QPushButton(tr("&Search"), this);
  SearchButton->setObjectName(QStringLiteral("SearchButton"));
  filters->addWidget(new QLabel(tr("Serial:"), this));
  filters->addWidget(SerialFilter);
  filters->addWidget(DateFilter);
  filters->addWidget(FromDate);
  filters->addWidget(new QLabel(tr("to"), this));
  filters->addWidget(ToDate);
  filters->addStretch(1);
  filters->addWidget(SearchButton);
  layout->addLayout(filters);
}

void TJournalWindow::BuildJobList(QVBoxLayout* layout) {
  Jobs = new QTableWidget(0, kColumns, this);
  Jobs->setObjectName(QStringLiteral("Jobs"));
  Jobs->setHorizontalHeaderLabels({tr("Time"), tr("User"), tr("Host"), tr("Family"), tr("Media"), tr("Serials"),
                                   tr("Output"), tr("Outcome"), tr("Reprint")});
  Jobs->setSelectionBehavior(QAbstractItemView::SelectRows);
  Jobs->setSelectionMode(QAbstractItemView::SingleSelection);
  Jobs->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Jobs->verticalHeader()->hide();
  // The columns as wide as what they hold; the serials take the rest of the width.
  Jobs->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  Jobs->horizontalHeader()->setSectionResizeMode(kSerials, QHeaderView::Stretch);
  layout->addWidget(Jobs, 1);
}

// The reprint form of the selected job, and Release below it.
void TJournalWindow::BuildReprintForm(QVBoxLayout* layout) {
  auto* reprint = new QGroupBox(tr("Reprint labels of the selected job"), this);
  auto* form = new QHBoxLayout(reprint);
  FirstSerial = new QLineEdit(reprint);
  FirstSerial->setObjectName(QStringLiteral("FirstSerial"));
  FirstSerial->setMaxLength(6);
  Count = new QSpinBox(reprint);
  Count->setObjectName(QStringLiteral("Count"));
  Count->setRange(1, 1000);
  StartLabel = new QSpinBox(reprint);
  StartLabel->setObjectName(QStringLiteral("StartLabel"));
  StartLabel->setRange(1, DltLabelsPerPage());
  Template = new QComboBox(reprint);
  Template->setObjectName(QStringLiteral("Template"));
  for (const TSheetTemplate& t : templates_.templates) Template->addItem(QString::fromStdString(t.name));
  ltoTemplate_ = QString::fromLatin1(kDefaultLtoTemplate);
  Template->setCurrentText(ltoTemplate_);
  ReprintButton = new QPushButton(tr("&Reprint..."), reprint);
  ReprintButton->setObjectName(QStringLiteral("ReprintButton"));
  ReleaseButton = new QPushButton(tr("Re&lease job..."), this);
  ReleaseButton->setObjectName(QStringLiteral("ReleaseButton"));
  ReleaseButton->setToolTip(
      tr("End the selected job, running elsewhere, as interrupted and free the serials it "
         "reserved: only when its program is known to be gone."));
  // Enter in a field does what that field is for, never a button's action.
  for (QPushButton* button : {SaveLocationButton, SearchButton, ReprintButton, ReleaseButton}) {
    button->setAutoDefault(false);
    button->setDefault(false);
  }
  form->addWidget(new QLabel(tr("From serial:"), reprint));
  form->addWidget(FirstSerial);
  form->addWidget(new QLabel(tr("Labels:"), reprint));
  form->addWidget(Count);
  form->addWidget(new QLabel(tr("Start at label:"), reprint));
  form->addWidget(StartLabel);
  form->addWidget(new QLabel(tr("Sheet:"), reprint));
  form->addWidget(Template);
  form->addStretch(1);
  form->addWidget(ReprintButton);
  layout->addWidget(reprint);
  auto* jobActions = new QHBoxLayout;
  jobActions->addStretch(1);
  jobActions->addWidget(ReleaseButton);
  layout->addLayout(jobActions);
}

void TJournalWindow::ConnectSignals() {
  connect(SaveLocationButton, &QPushButton::clicked, this, &TJournalWindow::SaveLocation);
  connect(LocationEdit, &QLineEdit::returnPressed, this, &TJournalWindow::SaveLocation);
  connect(ReleaseButton, &QPushButton::clicked, this, [this] { ReleaseJob(); });
  connect(SearchButton, &QPushButton::clicked, this, &TJournalWindow::Refresh);
  connect(SerialFilter, &QLineEdit::returnPressed, this, &TJournalWindow::Refresh);
  connect(DateFilter, &QCheckBox::toggled, this, [this](bool on) {
    FromDate->setEnabled(on);
    ToDate->setEnabled(on);
  });
  connect(Jobs, &QTableWidget::itemSelectionChanged, this, [this] { SelectJob(SelectedRow()); });
  connect(Template, &QComboBox::currentTextChanged, this, [this](const QString& name) {
    if (Template->isEnabled()) ltoTemplate_ = name;
    UpdateReprintFields();
  });
  connect(ReprintButton, &QPushButton::clicked, this, [this] { Reprint(); });
}

TJournalWindow::~TJournalWindow() = default;

void TJournalWindow::Tell(const QString& text) {
  if (tell_)
    tell_(text);
  else
    QMessageBox::warning(this, windowTitle(), text, QMessageBox::Ok);
}

bool TJournalWindow::Ask(const QString& question) {
  if (ask_) return ask_(question);
  return QMessageBox::question(this, windowTitle(), question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
         QMessageBox::Yes;
}

void TJournalWindow::ShowInUse() {
  InUseLabel->setText(tr("In use: %1").arg(QString::fromStdString(journal_.Access().Where())));
}

int TJournalWindow::SelectedRow() const {
  const QList<QTableWidgetItem*> items = Jobs->selectedItems();
  return items.isEmpty() ? -1 : items.front()->row();
}

void TJournalWindow::SaveLocation() {
  const std::string text = LocationEdit->text().trimmed().toStdString();
  if (const auto problem = journal::StoreJournalLocation(text)) {
    Tell(tr("The journal location was not kept: %1").arg(QString::fromStdString(*problem)));
    return;
  }
  journal_.Access().SetGiven(std::nullopt);
  ShowInUse();
  Refresh();
  if (Status->text().isEmpty())
    Status->setText(tr("The journal location is kept; in use from now on: %1")
                        .arg(QString::fromStdString(journal_.Access().Where())));
}

void TJournalWindow::Refresh() {
  listed_.clear();
  Jobs->setRowCount(0);
  Status->clear();
  journal::TJobFilter filter;
  const std::string serial = UpperCase(SerialFilter->text().trimmed().toStdString());
  if (!serial.empty()) {
    if (!journal::SplitSerial(serial)) {
      Status->setText(tr("'%1' is not a volume serial.").arg(QString::fromStdString(serial)));
      return;
    }
    filter.serial = serial;
  }
  if (DateFilter->isChecked()) {
    filter.from = FromDate->date().startOfDay().toSecsSinceEpoch();
    filter.to = ToDate->date().endOfDay().toSecsSinceEpoch();
  }
  elsewhere_.clear();
  ShowInUse();
  try {
    // Read-only: a journal one may read but not write is still listed.
    std::unique_ptr<journal::TJournal> j;
    try {
      j = journal_.Access().OpenForList();
    } catch (const journal::TNoJournalError&) {
      if (journal_.Access().IsDefault()) {  // made by its first job
        Jobs->setRowCount(0);
        UpdateReprintFields();
        return;
      }
      if (!Ask(tr("There is no print journal at %1. Make a new one there?")
                   .arg(QString::fromStdString(journal_.Access().Where()))))
        throw;
      journal_.Access().Create();
      j = journal_.Access().OpenForList();
    }
    listed_ = j->List(filter);
    for (const TJobRecord& job : listed_) elsewhere_.push_back(j->RunningElsewhere(job));
    QStringList problems;
    for (const std::string& p : j->Problems()) problems << QString::fromStdString(p);
    if (!problems.isEmpty())
      Status->setText(tr("Unreadable rows:") + QLatin1Char(' ') + problems.join(QLatin1Char('\n')));
  } catch (const std::exception& e) {
    journal_.Access().Close();
    listed_.clear();
    elsewhere_.clear();
    Status->setText(tr("The print journal cannot be read: %1").arg(QString::fromStdString(e.what())));
    UpdateReprintFields();
    return;
  }
  FillJobRows();
  UpdateReprintFields();
}

// One row a listed job: its serials sent, maybe sent and still reserved.
void TJournalWindow::FillJobRows() {
  Jobs->setRowCount(static_cast<int>(listed_.size()));
  for (int row = 0; row < static_cast<int>(listed_.size()); ++row) {
    const TJobRecord& job = listed_[static_cast<std::size_t>(row)];
    QString serials = Ranges(job.RangesIn(TPieceState::Sent));
    if (const auto doubt = job.RangesIn(TPieceState::Sending); !doubt.empty())
      serials += (serials.isEmpty() ? QString() : QStringLiteral("; ")) + tr("maybe %1").arg(Ranges(doubt));
    if (const auto held = job.RangesIn(TPieceState::Reserved); !held.empty())
      serials += (serials.isEmpty() ? QString() : QStringLiteral("; ")) + tr("reserved %1").arg(Ranges(held));
    const auto outcome = static_cast<std::size_t>(job.outcome);
    const QStringList cells = {
        QString::fromStdString(journal::FormatMinute(job.startedAt)),
        QString::fromStdString(job.user),
        QString::fromStdString(job.host),
        QString::fromStdString(std::string(journal::NameOf(job.family))),
        QString::fromStdString(job.media),
        serials,
        QString::fromStdString(journal::DescribeOutput(job.output, job.target, JournalTranslation())),
        elsewhere_[static_cast<std::size_t>(row)] ? tr("running elsewhere")
        : outcome < std::size(kOutcomes)          ? tr(kOutcomes[outcome])
                                                  : QString(),
        job.reprint ? tr("yes") : QString(),
    };
    for (int col = 0; col < cells.size(); ++col) Jobs->setItem(row, col, new QTableWidgetItem(cells[col]));
  }
}

void TJournalWindow::SelectJob(int row) {
  if (row < 0 || row >= static_cast<int>(listed_.size())) return;
  if (SelectedRow() != row) Jobs->selectRow(row);
  const TJobRecord& job = listed_[static_cast<std::size_t>(row)];
  std::vector<TSerialRange> out = job.RangesIn(TPieceState::Sent);
  for (const TSerialRange& r : job.RangesIn(TPieceState::Sending)) out.push_back(r);
  out = journal::Merge(std::move(out));
  if (!out.empty()) {
    FirstSerial->setText(QString::fromStdString(journal::SerialAt(out.front(), out.front().first)));
    Count->setValue(out.front().Count());
  }
  UpdateReprintFields();
}

void TJournalWindow::UpdateReprintFields() {
  const int row = SelectedRow();
  const bool dlt = row >= 0 && listed_[static_cast<std::size_t>(row)].family == journal::TTapeFamily::Dlt;
  const bool lto = row >= 0 && !dlt;
  {
    // A DLT job shows the one sheet it prints on; an LTO job the operator's choice.
    const QSignalBlocker quiet(Template);
    Template->setEnabled(lto);
    Template->setCurrentText(dlt ? QString::fromLatin1(kDltTemplate) : ltoTemplate_);
  }
  int perPage = DltLabelsPerPage();
  if (lto)
    if (const TSheetTemplate* t = templates_.Find(Template->currentText().toStdString())) perPage = t->LabelsPerPage();
  StartLabel->setMaximum(perPage);
  ReprintButton->setEnabled(row >= 0);
  ReleaseButton->setEnabled(row >= 0 && static_cast<std::size_t>(row) < elsewhere_.size() &&
                            elsewhere_[static_cast<std::size_t>(row)]);
}

bool TJournalWindow::ReleaseJob() {
  const int row = SelectedRow();
  if (row < 0 || static_cast<std::size_t>(row) >= elsewhere_.size() || !elsewhere_[static_cast<std::size_t>(row)])
    return false;
  const TJobRecord& job = listed_[static_cast<std::size_t>(row)];
  if (!Ask(tr("Job %1 of %2 on %3 is running elsewhere. Release it only when its program is known to be gone: "
              "its reserved serials are freed, and labels it may have printed stay recorded. Release it?")
               .arg(job.id)
               .arg(QString::fromStdString(job.user), QString::fromStdString(job.host))))
    return false;
  std::string told;
  try {
    told = journal::DescribeInterrupted(journal_.Access().Get().Release(job.id));
  } catch (const std::exception& e) {
    journal_.Access().Close();
    Tell(QString::fromStdString(e.what()));
    return false;
  }
  Refresh();
  Status->setText(tr("Released: %1").arg(QString::fromStdString(told)));
  return true;
}

std::unique_ptr<TPrintJob> TJournalWindow::DefaultJob(const TPageSize& page) {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer_->setPageSize(TemplatePageSize(page));
  QPrintDialog dialog(printer_.get(), this);
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  return std::make_unique<TNamedPrinterJob>(*printer_, sheetOptions_, this);
}

bool TJournalWindow::Reprint() {
  const int row = SelectedRow();
  if (row < 0) {
    Tell(tr("Choose a job in the list first."));
    return false;
  }
  const TJobRecord job = listed_[static_cast<std::size_t>(row)];
  const std::string first = UpperCase(FirstSerial->text().trimmed().toStdString());
  const int count = Count->value();
  const int start = StartLabel->value();
  const std::optional<TSerialRange> wanted = journal::RunOf(job.family, first, count);
  if (!wanted || !PrintedBy(job, *wanted)) {
    Tell(tr("%1 labels from %2 were not printed by this job; a reprint takes serials the job printed.")
             .arg(count)
             .arg(QString::fromStdString(first)));
    return false;
  }

  const auto reprints = reprints_.find(job.family);
  if (reprints == reprints_.end()) {
    Tell(tr("The job's media '%1' is not one this program prints.").arg(QString::fromStdString(job.media)));
    return false;
  }
  const TReprint reprint =
      reprints->second(job, first, count, start, templates_.Find(Template->currentText().toStdString()));
  if (!reprint.run) {
    if (!reprint.refusal.isEmpty()) Tell(reprint.refusal);
    return false;
  }
  const TPageSize page = reprint.page;

  std::unique_ptr<TPrintJob> printJob = factory_ ? factory_(job.family, page) : DefaultJob(page);
  if (!printJob) return false;
  TWindowJournal::TResult result = TWindowJournal::TResult::Refused;
  try {
    TJobOutput output(*printJob, TDelivery::AtEndDoc);
    result = journal_.Print(*reprint.run, output, true);
  } catch (const std::exception& e) {
    Tell(QString::fromStdString(e.what()));
    return false;
  }
  if (result != TWindowJournal::TResult::Printed) return false;
  Refresh();
  Status->setText(tr("Reprinted %1 from label %2.")
                      .arg(QString::fromStdString(journal::DescribeRange(*wanted, JournalTranslation())))
                      .arg(start));
  return true;
}

}  // namespace vantor
