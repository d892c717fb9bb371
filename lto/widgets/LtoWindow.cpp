#include "lto/widgets/LtoWindow.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "journal/widgets/WindowJournal.h"
#include "lto/LtoForm.h"
#include "lto/MediaId.h"
#include "lto/Volser.h"
#include "printing/PrintJournalled.h"
#include "printing/qt/CalibrationStore.h"
#include "printing/qt/PrintPreview.h"
#include "printing/qt/QtOutputs.h"
#include "printing/qt/QtPrintJob.h"
#include "qt/QtSurface.h"

namespace vantor {

namespace {

constexpr const char* kDefaultMediaId = "L8";
constexpr int kMediaIdRole = Qt::UserRole;  // the ID an item stands for; empty for Custom

// Settings keys, in the program's settings beside the printer calibrations.
constexpr const char* kMediaIdKey = "LtoWindow/mediaId";
constexpr const char* kTemplateKey = "LtoWindow/template";
constexpr const char* kPaletteKey = "LtoWindow/palette";

double MmOf(TLength l) { return static_cast<double>(l.Micrometres()) / 1000; }
QString Text(const std::string& s) { return QString::fromStdString(s); }

QLabel* ProblemLabel(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setStyleSheet(QStringLiteral("color: #B00000"));
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

// "1 label on 1 sheet, VT0000L8", "60 labels on 2 sheets, VT0000L8 to VT0059L8".
QString RunSummaryText(const TLtoRun& run) {
  const int labels = run.volsers.count, sheets = run.Pages();
  const QString first = Text(run.volsers.First() + run.mediaId);
  const QString last = Text(run.volsers.Last() + run.mediaId);
  const QString counted = (labels == 1 ? TLtoWindow::tr("1 label") : TLtoWindow::tr("%1 labels").arg(labels)) +
                          QLatin1Char(' ') +
                          (sheets == 1 ? TLtoWindow::tr("on 1 sheet") : TLtoWindow::tr("on %1 sheets").arg(sheets));
  return labels == 1 ? TLtoWindow::tr("%1, %2").arg(counted, first)
                     : TLtoWindow::tr("%1, %2 to %3").arg(counted, first, last);
}

class TOwnedJobOutput : public TSheetOutput {
 public:
  explicit TOwnedJobOutput(std::unique_ptr<TPrintJob> job) : job_(std::move(job)) {}
  TPrintJob& Job() override { return *job_; }

 private:
  std::unique_ptr<TPrintJob> job_;
};

// The media IDs under their kinds, then Custom with a field of its own.
QStandardItemModel* MediaIdModel(QObject* parent) {
  auto* model = new QStandardItemModel(parent);
  const auto kindName = [](TMediaKind kind) {
    switch (kind) {
      case TMediaKind::Data: return TLtoWindow::tr("Data");
      case TMediaKind::Worm: return TLtoWindow::tr("WORM");
      case TMediaKind::TypeM: return TLtoWindow::tr("Type M");
      case TMediaKind::Cleaning: return TLtoWindow::tr("Cleaning");
      case TMediaKind::Custom: break;
    }
    return TLtoWindow::tr("Custom");
  };
  const auto caption = [](const TMediaId& m) {
    switch (m.kind) {
      case TMediaKind::Data: return QStringLiteral("LTO-%1").arg(m.generation);
      case TMediaKind::Worm: return TLtoWindow::tr("LTO-%1 WORM").arg(m.generation);
      case TMediaKind::TypeM: return TLtoWindow::tr("LTO-%1 cartridge initialised as Type M").arg(m.generation);
      case TMediaKind::Cleaning: return TLtoWindow::tr("Universal cleaning cartridge");
      case TMediaKind::Custom: break;
    }
    return QString();
  };
  const auto heading = [&](TMediaKind kind) {
    auto* item = new QStandardItem(kindName(kind));
    item->setFlags(Qt::NoItemFlags);  // a group's name, not a choice
    QFont bold = item->font();
    bold.setBold(true);
    item->setFont(bold);
    model->appendRow(item);
  };
  std::optional<TMediaKind> group;
  for (const TMediaId& m : MediaIdTable()) {
    if (group != m.kind) heading(m.kind);
    group = m.kind;
    auto* item = new QStandardItem(QStringLiteral("    %1   %2").arg(QString::fromLatin1(m.id.data(), 2), caption(m)));
    item->setData(QString::fromLatin1(m.id.data(), static_cast<int>(m.id.size())), kMediaIdRole);
    model->appendRow(item);
  }
  heading(TMediaKind::Custom);
  auto* custom = new QStandardItem(QStringLiteral("    ") + TLtoWindow::tr("Two characters of your own"));
  custom->setData(QString(), kMediaIdRole);
  model->appendRow(custom);
  return model;
}

}  // namespace

QRect PlaceOverParent(const QSize& frame, const QRect& parentFrame, const QRect& available) {
  const QSize size = frame.boundedTo(available.size());
  const QPoint centred(parentFrame.left() + (parentFrame.width() - size.width()) / 2,
                       parentFrame.top() + (parentFrame.height() - size.height()) / 2);
  return {QPoint(std::clamp(centred.x(), available.left(), available.left() + available.width() - size.width()),
                 std::clamp(centred.y(), available.top(), available.top() + available.height() - size.height())),
          size};
}

QString TemplateCaption(const TSheetTemplate& t, bool userTemplate) {
  const TTemplateShape shape = ShapeOf(t);
  const QLocale locale;
  const auto size = [&locale](TLength w, TLength h) {
    return TLtoWindow::tr("%1 × %2 mm").arg(locale.toString(MmOf(w), 'g', 6), locale.toString(MmOf(h), 'g', 6));
  };
  QStringList parts;
  if (shape.roll) {
    parts << TLtoWindow::tr("Roll, %1").arg(size(shape.labelWidth, shape.labelHeight));
  } else {
    parts << (shape.paper.empty() ? size(shape.page.width, shape.page.height) : Text(shape.paper));
    if (shape.columns > 0)
      parts << QStringLiteral("%1 × %2").arg(shape.columns).arg(shape.rows);
    else
      parts << TLtoWindow::tr("%1 labels").arg(t.LabelsPerPage());
    if (shape.sameSize) parts << size(shape.labelWidth, shape.labelHeight);
  }
  QString caption = parts.join(QStringLiteral(", "));
  if (userTemplate) caption += QStringLiteral(" (%1)").arg(Text(t.name));
  if (const auto why = LtoTemplateUnusable(t))
    caption += QStringLiteral(" \u2014 ") + TLtoWindow::tr("not usable: %1").arg(Text(*why));
  return caption;
}

// --- The preview ----------------------------------------------------------------

TLtoPreview::TLtoPreview(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TLtoPreview::Show(TPageSize paper, std::vector<TLabelRect> places, std::optional<QSizeF> pxPerMm,
                       TDrawing drawing) {
  paper_ = paper;
  places_ = std::move(places);
  pxPerMm_ = pxPerMm;
  drawing_ = std::move(drawing);
  if (pxPerMm_) {
    // At a fixed scale the widget is the paper with a margin round it.
    setFixedSize(sizeHint());
  }
  update();
}

void TLtoPreview::Clear() {
  drawing_ = nullptr;
  update();
}

QSize TLtoPreview::sizeHint() const {
  if (pxPerMm_ && paper_.width.Micrometres() > 0)
    return {static_cast<int>(MmOf(paper_.width) * pxPerMm_->width()) + 8,
            static_cast<int>(MmOf(paper_.height) * pxPerMm_->height()) + 8};
  return {260, 360};
}

void TLtoPreview::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().window());
  if (!drawing_ || paper_.width.Micrometres() <= 0 || paper_.height.Micrometres() <= 0) {
    p.setPen(palette().color(QPalette::Disabled, QPalette::WindowText));
    p.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap,
               tr("Nothing to show while a field is at fault."));
    return;
  }
  const double w = MmOf(paper_.width), h = MmOf(paper_.height);
  QSizeF scale;
  if (pxPerMm_) {
    scale = *pxPerMm_;
  } else {
    const double s = std::min((width() - 8) / w, (height() - 8) / h);
    if (s <= 0) return;
    scale = {s, s};
  }
  const QRectF paper((width() - w * scale.width()) / 2, (height() - h * scale.height()) / 2, w * scale.width(),
                     h * scale.height());
  p.fillRect(paper, Qt::white);
  p.setPen(QPen(QColor(0xA0, 0xA0, 0xA0), 0));
  p.drawRect(paper);
  p.setPen(QPen(QColor(0xD8, 0xD8, 0xD8), 0, Qt::DashLine));
  for (const TLabelRect& r : places_)
    p.drawRect(QRectF(paper.left() + MmOf(r.x) * scale.width(), paper.top() + MmOf(r.y) * scale.height(),
                      MmOf(r.width) * scale.width(), MmOf(r.height) * scale.height()));

  // Drawn in the PDF's dots and scaled down: the bars keep the widths they
  // print with. The surface's exact-pixel rules do not matter at this scale,
  // so the painter may carry the scale and smooth the edges.
  p.setPen(Qt::NoPen);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.translate(paper.topLeft());
  p.scale(scale.width() * kMmPerInch / kLtoPreviewDpi, scale.height() * kMmPerInch / kLtoPreviewDpi);
  p.setClipRect(QRect(0, 0, static_cast<int>(w / kMmPerInch * kLtoPreviewDpi) + 1,
                      static_cast<int>(h / kMmPerInch * kLtoPreviewDpi) + 1));
  TQtSurface surface(p, kLtoPreviewDpi, kLtoPreviewDpi);
  try {
    drawing_(surface);
  } catch (const std::exception&) {
    // A run the fields refuse is never shown; nothing may escape a paint event.
  }
}

// --- The window -------------------------------------------------------------

TLtoWindow::TLtoWindow(QWidget* parent) : TLtoWindow(LoadTemplateCatalogue(), parent) {}

TLtoWindow::TLtoWindow(TTemplateCatalogue templates, QWidget* parent)
    : QWidget(parent, Qt::Window), templates_(std::move(templates)) {
  setObjectName(QStringLiteral("LtoWindow"));
  setWindowTitle(tr("LTO Ultrium labels"));

  auto* form = new QGridLayout;
  form->setColumnMinimumWidth(2, 260);
  form->setColumnStretch(2, 1);
  int row = 0;
  BuildMediaRow(form, row);
  BuildRunRows(form, row);
  BuildTemplateRows(form, row);
  BuildPaletteRows(form, row);
  BuildProblems(form, row);
  BuildPreviewsAndButtons(form);

  LoadSettings();
  TemplateChanged();
  loading_ = false;
  ConnectFields();
}

void TLtoWindow::BuildMediaRow(QGridLayout* form, int& row) {
  // Media ID: the table's rows under their kinds, then Custom with a field of its own.
  MediaId = new QComboBox(this);
  MediaId->setObjectName(QStringLiteral("MediaId"));
  MediaId->setModel(MediaIdModel(MediaId));
  CustomMediaId = new QLineEdit(this);
  CustomMediaId->setObjectName(QStringLiteral("CustomMediaId"));
  CustomMediaId->setMaxLength(8);
  CustomMediaId->setFixedWidth(CustomMediaId->fontMetrics().horizontalAdvance(QStringLiteral("WWWW")) + 12);
  CustomMediaId->setToolTip(tr("A media ID the list does not hold: two characters, A-Z and 0-9."));
  auto* mediaRow = new QHBoxLayout;
  mediaRow->addWidget(MediaId, 1);
  mediaRow->addWidget(CustomMediaId);
  form->addWidget(new QLabel(tr("Media ID"), this), row, 0);
  form->addLayout(mediaRow, row++, 1);
}

void TLtoWindow::BuildRunRows(QGridLayout* form, int& row) {
  FirstVolser = new QLineEdit(QStringLiteral("ABC100"), this);
  FirstVolser->setObjectName(QStringLiteral("FirstVolser"));
  FirstVolser->setToolTip(tr("Six characters, A-Z and 0-9; the digits at the end count up."));
  form->addWidget(new QLabel(tr("First volser"), this), row, 0);
  form->addWidget(FirstVolser, row++, 1);

  ByCount = new QRadioButton(tr("Count"), this);
  ByCount->setObjectName(QStringLiteral("ByCount"));
  ByCount->setChecked(true);
  Count = new QSpinBox(this);
  Count->setObjectName(QStringLiteral("Count"));
  Count->setRange(1, kMaxRunLabels);
  ByLast = new QRadioButton(tr("Last volser"), this);
  ByLast->setObjectName(QStringLiteral("ByLast"));
  LastVolser = new QLineEdit(this);
  LastVolser->setObjectName(QStringLiteral("LastVolser"));
  LastVolser->setEnabled(false);
  auto* rangeGroup = new QButtonGroup(this);
  rangeGroup->addButton(ByCount);
  rangeGroup->addButton(ByLast);
  form->addWidget(ByCount, row, 0);
  form->addWidget(Count, row++, 1);
  form->addWidget(ByLast, row, 0);
  form->addWidget(LastVolser, row++, 1);
}

void TLtoWindow::BuildTemplateRows(QGridLayout* form, int& row) {
  Template = new QComboBox(this);
  Template->setObjectName(QStringLiteral("Template"));
  auto* sheets = new QStandardItemModel(Template);
  for (const TSheetTemplate& t : templates_.templates) {
    auto* item = new QStandardItem(TemplateCaption(t, !t.file.empty()));
    item->setData(Text(t.name), Qt::UserRole);
    QString tip = Text(t.name) + QStringLiteral(": ") + Text(t.title.empty() ? t.name : t.title);
    if (const auto why = LtoTemplateUnusable(t)) {
      item->setEnabled(false);  // listed, so it is not missed, but never chosen
      tip += QLatin1Char('\n') + Text(*why);
    }
    item->setToolTip(tip);
    sheets->appendRow(item);
  }
  Template->setModel(sheets);
  // Long marks stay in the list; the field keeps the form's width.
  Template->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  Template->setMinimumContentsLength(26);
  form->addWidget(new QLabel(tr("Template"), this), row, 0);
  form->addWidget(Template, row++, 1);
  TemplatesRefused = new QLabel(this);
  TemplatesRefused->setObjectName(QStringLiteral("TemplatesRefused"));
  TemplatesRefused->setWordWrap(true);
  if (!templates_.refusedNames.empty()) {
    QStringList names, why;
    for (const std::string& name : templates_.refusedNames) names << Text(name);
    for (const std::string& problem : templates_.problems) why << Text(problem);
    TemplatesRefused->setText(tr("Not offered: %1 (point here for why)").arg(names.join(QStringLiteral(", "))));
    TemplatesRefused->setToolTip(why.join(QLatin1Char('\n')));
  } else {
    TemplatesRefused->hide();
  }
  form->addWidget(TemplatesRefused, row++, 1, 1, 2);
}

void TLtoWindow::BuildPaletteRows(QGridLayout* form, int& row) {
  Palette = new QComboBox(this);
  Palette->setObjectName(QStringLiteral("Palette"));
  for (const TLtoPalette& p : LtoPalettes()) {
    const QString shown = p.name == kNoColorPalette      ? tr("No colour")
                          : p.name == kDefaultLtoPalette ? tr("LTO (the colours common to LTO labels)")
                                                         : Text(p.caption);
    Palette->addItem(shown, Text(p.name));
  }
  form->addWidget(new QLabel(tr("Palette"), this), row, 0);
  form->addWidget(Palette, row++, 1);

  StartLabel = new QSpinBox(this);
  StartLabel->setObjectName(QStringLiteral("StartLabel"));
  StartLabel->setToolTip(
      tr("The first page starts at this label, in the order the template fills them; the labels "
         "before it stay blank, so a sheet used in part can be fed again."));
  StartLabelOf = new QLabel(this);
  auto* startRow = new QHBoxLayout;
  startRow->addWidget(StartLabel);
  startRow->addWidget(StartLabelOf);
  startRow->addStretch();
  form->addWidget(new QLabel(tr("Start at label"), this), row, 0);
  form->addLayout(startRow, row++, 1);
}

void TLtoWindow::BuildProblems(QGridLayout* form, int rows) {
  // Why a field is at fault, beside the fields in one area as high as they
  // are: a message wraps inside it and never moves the form.
  auto* problems = new QWidget(this);
  problems->setObjectName(QStringLiteral("Problems"));
  problems->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
  auto* problemLayout = new QVBoxLayout(problems);
  problemLayout->setContentsMargins(0, 0, 0, 0);
  MediaProblem = ProblemLabel(problems, "MediaProblem");
  VolserProblem = ProblemLabel(problems, "VolserProblem");
  RunProblem = ProblemLabel(problems, "RunProblem");
  TemplateProblem = ProblemLabel(problems, "TemplateProblem");
  for (QLabel* l : {MediaProblem, VolserProblem, RunProblem, TemplateProblem}) problemLayout->addWidget(l);
  problemLayout->addStretch(1);
  form->addWidget(problems, 0, 2, rows, 1);
}

void TLtoWindow::BuildPreviewsAndButtons(QGridLayout* form) {
  auto* labelBox = new QGroupBox(tr("One label, true size"), this);
  auto* labelLayout = new QVBoxLayout(labelBox);
  LabelPreview = new TLtoPreview(labelBox);
  LabelPreview->setObjectName(QStringLiteral("LabelPreview"));
  LabelPreview->setFixedSize(320, 72);  // until a label gives it its true size
  labelLayout->addWidget(LabelPreview, 0, Qt::AlignLeft);

  auto* sheetBox = new QGroupBox(tr("First sheet"), this);
  auto* sheetLayout = new QVBoxLayout(sheetBox);
  SheetPreview = new TLtoPreview(sheetBox);
  SheetPreview->setObjectName(QStringLiteral("SheetPreview"));
  SheetPreview->setMinimumSize(240, 320);
  sheetLayout->addWidget(SheetPreview);

  RunSummary = new QLabel(this);
  RunSummary->setObjectName(QStringLiteral("RunSummary"));
  RunSummary->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QFont summaryFont = RunSummary->font();
  summaryFont.setBold(true);
  RunSummary->setFont(summaryFont);

  Status = new QLabel(this);
  Status->setObjectName(QStringLiteral("Status"));
  Status->setWordWrap(true);
  Status->setTextInteractionFlags(Qt::TextSelectableByMouse);

  PreviewButton = new QPushButton(tr("Pre&view..."), this);
  PreviewButton->setObjectName(QStringLiteral("PreviewButton"));
  ExportButton = new QPushButton(tr("&Export PDF..."), this);
  ExportButton->setObjectName(QStringLiteral("ExportButton"));
  PrintButton = new QPushButton(tr("&Print..."), this);
  PrintButton->setObjectName(QStringLiteral("PrintButton"));
  PrintButton->setDefault(true);
  CloseButton = new QPushButton(tr("Close"), this);
  CloseButton->setObjectName(QStringLiteral("CloseButton"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {PreviewButton, ExportButton, PrintButton, CloseButton}) buttons->addWidget(b);

  auto* left = new QVBoxLayout;
  left->addLayout(form);
  left->addWidget(labelBox);
  left->addWidget(RunSummary);
  left->addWidget(Status);
  left->addStretch();
  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 3);
  columns->addWidget(sheetBox, 2);
  auto* outer = new QVBoxLayout(this);
  outer->addLayout(columns, 1);
  outer->addLayout(buttons);
}

void TLtoWindow::ConnectFields() {
  const auto mediaChanged = [this] {
    CustomMediaId->setEnabled(MediaId->currentData(kMediaIdRole).toString().isEmpty());
    Update();
    SaveSettings();
  };
  connect(MediaId, &QComboBox::currentIndexChanged, this, mediaChanged);
  CustomMediaId->setEnabled(MediaId->currentData(kMediaIdRole).toString().isEmpty());
  connect(CustomMediaId, &QLineEdit::textEdited, this, [this] {
    customMediaTouched_ = true;
    UpperCase(CustomMediaId);
  });
  connect(CustomMediaId, &QLineEdit::textChanged, this, [this] {
    Update();
    SaveSettings();
  });
  connect(FirstVolser, &QLineEdit::textEdited, this, [this] { UpperCase(FirstVolser); });
  connect(FirstVolser, &QLineEdit::textChanged, this, &TLtoWindow::Update);
  connect(LastVolser, &QLineEdit::textEdited, this, [this] {
    lastVolserTouched_ = true;
    UpperCase(LastVolser);
  });
  for (QLineEdit* field : {CustomMediaId, LastVolser}) field->installEventFilter(this);
  connect(LastVolser, &QLineEdit::textChanged, this, &TLtoWindow::Update);
  connect(Count, &QSpinBox::valueChanged, this, &TLtoWindow::Update);
  connect(ByCount, &QRadioButton::toggled, this, [this](bool byCount) {
    Count->setEnabled(byCount);
    LastVolser->setEnabled(!byCount);
    Update();
  });
  connect(Template, &QComboBox::currentIndexChanged, this, [this] {
    TemplateChanged();
    SaveSettings();
  });
  connect(Palette, &QComboBox::currentIndexChanged, this, [this] {
    Update();
    SaveSettings();
  });
  connect(StartLabel, &QSpinBox::valueChanged, this, &TLtoWindow::Update);
  connect(PreviewButton, &QPushButton::clicked, this, &TLtoWindow::Preview);
  connect(ExportButton, &QPushButton::clicked, this, &TLtoWindow::ExportPdf);
  connect(PrintButton, &QPushButton::clicked, this, &TLtoWindow::Print);
  connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);
}

TLtoWindow::~TLtoWindow() = default;

void TLtoWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TLtoWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (placed_) return;
  placed_ = true;
  // Over the window it was opened from, on that window's screen, wholly visible.
  const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
  const QScreen* on = owner && owner->screen() ? owner->screen() : screen();
  if (!on) return;
  const QRect available = on->availableGeometry();
  const QSize frame = frameGeometry().size();
  const QRect place = PlaceOverParent(frame, owner ? owner->frameGeometry() : available, available);
  if (place.size() != frame) resize(size() - (frame - place.size()));
  move(place.topLeft());
}

bool TLtoWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    const Qt::FocusReason why = static_cast<QFocusEvent*>(event)->reason();
    // Another window taking the focus, or a menu opening, is not leaving the field.
    if (why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason) {
      bool& touched = watched == CustomMediaId ? customMediaTouched_ : lastVolserTouched_;
      if ((watched == CustomMediaId || watched == LastVolser) && !touched) {
        touched = true;
        Update();
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TLtoWindow::UpperCase(QLineEdit* field) {
  const QString upper = field->text().toUpper();
  if (upper == field->text()) return;
  const int cursor = field->cursorPosition();
  field->setText(upper);
  field->setCursorPosition(cursor);
}

const TSheetTemplate* TLtoWindow::ChosenTemplate() const {
  const int i = Template->currentIndex();
  if (i < 0 || i >= static_cast<int>(templates_.templates.size())) return nullptr;
  return &templates_.templates[static_cast<std::size_t>(i)];
}

std::string TLtoWindow::ChosenMediaId() const {
  const QString id = MediaId->currentData(kMediaIdRole).toString();
  return (id.isEmpty() ? CustomMediaId->text() : id).toStdString();
}

// A new template: the start label's range follows it, and a count of one
// whole sheet stays one whole sheet.
void TLtoWindow::TemplateChanged() {
  const TSheetTemplate* t = ChosenTemplate();
  const int perPage = t ? t->LabelsPerPage() : 1;
  if (shownPerPage_ == 0 || Count->value() == shownPerPage_) Count->setValue(perPage);
  shownPerPage_ = perPage;
  StartLabel->setRange(1, perPage);
  StartLabelOf->setText(tr("of %1").arg(perPage));
  Update();
}

TLtoForm TLtoWindow::Evaluate(int startLabel) const {
  TLtoFormFields fields;
  fields.mediaId = ChosenMediaId();
  fields.customMedia = MediaId->currentData(kMediaIdRole).toString().isEmpty();
  fields.customMediaTouched = customMediaTouched_;
  fields.firstVolser = FirstVolser->text().toStdString();
  fields.byCount = ByCount->isChecked();
  fields.count = Count->value();
  fields.lastVolser = LastVolser->text().toStdString();
  fields.lastVolserTouched = lastVolserTouched_;
  fields.sheet = ChosenTemplate();
  fields.palette = Palette->currentData().toString().toStdString();
  fields.startLabel = startLabel;
  return EvaluateLtoForm(fields, [](const char* english) {
    return QCoreApplication::translate(kLtoFormTextContext, english).toStdString();
  });
}

void TLtoWindow::Update() {
  const TLtoForm f = Evaluate(StartLabel->value());
  MediaProblem->setText(Text(f.media));
  VolserProblem->setText(Text(f.volser));
  RunProblem->setText(Text(f.range));
  TemplateProblem->setText(Text(f.sheet));
  run_ = f.run;
  problem_ = Text(f.problem);
  for (QPushButton* b : {PreviewButton, PrintButton, ExportButton}) b->setEnabled(run_.has_value());
  RunSummary->setText(run_ ? RunSummaryText(*run_) : QString());
  if (!run_) {
    LabelPreview->Clear();
    SheetPreview->Clear();
    return;
  }
  ShowPreviews();
}

void TLtoWindow::ShowPreviews() {
  const TLabelRect& place = run_->sheet.labels[static_cast<std::size_t>(run_->PlaceOf(0))];
  // True millimetres: the screen's physical resolution, not its logical one.
  const QScreen* s = screen();
  const double dpiX = s && s->physicalDotsPerInchX() > 10 ? s->physicalDotsPerInchX() : logicalDpiX();
  const double dpiY = s && s->physicalDotsPerInchY() > 10 ? s->physicalDotsPerInchY() : logicalDpiY();
  LabelPreview->Show({place.width, place.height}, {TLabelRect{{}, {}, place.width, place.height}},
                     QSizeF(dpiX / kMmPerInch, dpiY / kMmPerInch),
                     [this](TSurface& surface) { DrawLabelPreview(surface); });
  SheetPreview->Show(run_->sheet.page, run_->sheet.labels, std::nullopt,
                     [this](TSurface& surface) { DrawSheetPreview(surface); });
}

void TLtoWindow::DrawLabelPreview(TSurface& surface) const {
  if (!run_) return;
  const TLtoBarPlan plan = PlanLtoBars(run_->layout, surface.DpiX(), surface.DpiY(), run_->sheet.labels);
  if (!plan.bars) return;
  const TLabelRect& place = run_->sheet.labels[static_cast<std::size_t>(run_->PlaceOf(0))];
  TLtoLabelPainter(surface, run_->layout, run_->palette, *plan.bars)
      .Draw({{}, {}, place.width, place.height}, run_->volsers.First(), run_->mediaId);
}

void TLtoWindow::DrawSheetPreview(TSurface& surface) const {
  if (!run_) return;
  const TLtoBarPlan plan = PlanLtoBars(run_->layout, surface.DpiX(), surface.DpiY(), run_->sheet.labels);
  if (!plan.bars) return;
  DrawLtoPage(*run_, 0, *plan.bars, surface);
}

TSheetResult TLtoWindow::PrintRun(TSheetOutput& output, const TLtoRun& run) {
  if (const auto problem = LtoRunProblem(run)) throw ELtoRefused(*problem);
  TPrintJob& job = output.Job();
  jobOptions_.startLabel = run.startLabel;  // what the dialog's Labels tab starts from
  if (!job.ShowDialog()) return TSheetResult::Cancelled;
  TLtoRun printed = run;
  printed.startLabel = jobOptions_.startLabel;
  const TLtoLabelRun labels(printed);
  if (journal_) {
    // Reserved before anything is drawn; a PDF counts as printed once its
    // file is in place, a printer's document once it has ended.
    if (journal_->Print(labels, output) != TWindowJournal::TResult::Printed) return TSheetResult::Cancelled;
  } else if (const TPrintResult result = PrintJournalled(labels, output, {});
             result.outcome != TPrintOutcome::Printed) {
    throw std::runtime_error(result.message);
  }
  MoveOn(printed);
  return TSheetResult::Printed;
}

// The next run starts after the last volser printed, as long as one follows
// without changing the characters before the digits.
void TLtoWindow::MoveOn(const TLtoRun& printed) {
  const int count = printed.volsers.count;
  const QString what =
      tr("Printed %1 to %2.")
          .arg(Text(printed.volsers.First() + printed.mediaId), Text(printed.volsers.Last() + printed.mediaId));
  StartLabel->setValue(1);
  const TVolserRunResult further = VolserRunByCount(printed.volsers.First(), count + 1);
  if (!further.run) {
    Status->setText(what + QLatin1Char(' ') +
                    tr("No volser follows %1 without changing the characters before its digits; type the next "
                       "first volser.")
                        .arg(Text(printed.volsers.Last())));
    return;
  }
  const std::string next = further.run->At(count);
  if (ByLast->isChecked()) {
    // A run of the same length from the next volser, where one fits; else the
    // last field is left for the operator (the run is refused until then).
    if (const TVolserRunResult same = VolserRunByCount(next, count); same.run)
      LastVolser->setText(Text(same.run->Last()));
  }
  FirstVolser->setText(Text(next));
  Status->setText(what + QLatin1Char(' ') + tr("The next run starts at %1.").arg(Text(next)));
}

void TLtoWindow::ReportError(const QString& text) {
  Status->setText(text);
  if (reportError_)
    reportError_(text);
  else
    QMessageBox::warning(this, windowTitle(), text);
}

QPrinter& TLtoWindow::Printer() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

std::unique_ptr<TSheetOutput> TLtoWindow::DefaultPrinterOutput(const TLtoRun& run) {
  Printer().setPageSize(TemplatePageSize(run.sheet.page));
  auto job = std::make_unique<TPrinterJob>(Printer(), jobOptions_, this);
  // LTO labels draw no outlines: their quiet zones reach the label's edges.
  job->SetLabelsTabFields({.sheets = false, .labelsPerPage = run.sheet.LabelsPerPage(), .outlines = false});
  // The run as the dialog's start label would place it: refused before the dialog closes.
  job->SetJobCheck([this](const TSheetOptions& o) -> std::optional<std::string> {
    const TLtoForm f = Evaluate(o.startLabel);
    if (f.run) return std::nullopt;
    return f.problem;
  });
  job->SetPageCount([this](const TSheetOptions& o) {
    const TLtoForm f = Evaluate(o.startLabel);
    return f.run ? f.run->Pages() : 0;
  });
  return std::make_unique<TOwnedJobOutput>(std::move(job));
}

void TLtoWindow::Print() {
  if (!run_) return;
  const TLtoRun run = *run_;
  try {
    const std::unique_ptr<TSheetOutput> output = printerOutput_ ? printerOutput_(run) : DefaultPrinterOutput(run);
    PrintRun(*output, run);
  } catch (const std::exception& e) {
    ReportError(Text(e.what()));
  }
}

void TLtoWindow::Preview() {
  if (!run_) return;
  const TLtoRun run = *run_;
  Printer().setPageSize(TemplatePageSize(run.sheet.page));
  Printer().setPageOrientation(QPageLayout::Portrait);  // as printing sets it
  TPrintPreview dialog(
      Printer(),
      [this, run](TPrintJob& job, bool preview) {
        if (!preview) {
          // The preview's Print button: printed and moved on as Print... does.
          TJobOutput output(job, DeliveryFor(job.Destination().kind));
          PrintRun(output, run);
          return;
        }
        job.SetPortrait();
        job.SetTitle(kJobTitle);
        job.SetCopies(1);
        DrawLtoJob(run, job);
      },
      this);
  dialog.SetError([this](const QString& text) { ReportError(text); });
  dialog.exec();
}

void TLtoWindow::ExportPdf() {
  if (!run_) return;
  const TLtoRun run = *run_;
  const QString suggested = Text(run.volsers.First() + run.mediaId) + QStringLiteral(".pdf");
  const QString path = choosePdf_
                           ? choosePdf_()
                           : QFileDialog::getSaveFileName(this, tr("Export PDF"), suggested, tr("PDF files (*.pdf)"));
  if (path.isEmpty()) return;
  try {
    TPdfOutput output(path, kLtoPreviewDpi, TCalibration{}, TemplatePageSize(run.sheet.page));
    PrintRun(output, run);
    Status->setText(Status->text() + QLatin1Char(' ') + tr("Written to %1.").arg(QFileInfo(path).fileName()));
  } catch (const std::exception& e) {
    ReportError(Text(e.what()));
  }
}

// --- Settings -----------------------------------------------------------------

void TLtoWindow::LoadSettings() {
  const std::unique_ptr<QSettings> kept = OpenProgramSettings();
  QSettings& settings = *kept;
  QStringList warnings;
  const auto fallBack = [&](const QString& text) {
    warnings << text;
    qWarning("%s", qPrintable(text));
  };
  // Qt reports a file whose folder does not exist yet as an access error; it
  // only means nothing was ever kept.
  if (QFileInfo::exists(settings.fileName()) && settings.status() != QSettings::NoError) {
    fallBack(tr("The settings file \"%1\" cannot be read; the LTO window starts with its defaults.")
                 .arg(settings.fileName()));
  } else {
    const QString media = settings.value(QLatin1String(kMediaIdKey), QLatin1String(kDefaultMediaId)).toString();
    const std::string id = media.toStdString();
    if (FindMediaId(id)) {
      const int at = MediaId->findData(media, kMediaIdRole);
      if (at >= 0) {
        MediaId->setCurrentIndex(at);
      } else {
        MediaId->setCurrentIndex(MediaId->count() - 1);  // Custom
        CustomMediaId->setText(media);
      }
    } else {
      fallBack(tr("The media ID kept in the settings, \"%1\", is not one; %2 is used.")
                   .arg(media, QLatin1String(kDefaultMediaId)));
      MediaId->setCurrentIndex(MediaId->findData(QLatin1String(kDefaultMediaId), kMediaIdRole));
    }
    const QString sheet = settings.value(QLatin1String(kTemplateKey), QLatin1String(kDefaultLtoTemplate)).toString();
    const int sheetAt = Template->findData(sheet);
    if (sheetAt >= 0) {
      Template->setCurrentIndex(sheetAt);
    } else {
      fallBack(tr("The template kept in the settings, \"%1\", is not on offer; %2 is used.")
                   .arg(sheet, QLatin1String(kDefaultLtoTemplate)));
      Template->setCurrentIndex(std::max(0, Template->findData(QLatin1String(kDefaultLtoTemplate))));
    }
    const QString palette = settings.value(QLatin1String(kPaletteKey), QLatin1String(kDefaultLtoPalette)).toString();
    const TLtoPalette* found = FindLtoPalette(palette.toStdString());
    if (found) {
      Palette->setCurrentIndex(Palette->findData(Text(found->name)));
    } else {
      fallBack(tr("The palette kept in the settings, \"%1\", is not one; %2 is used.")
                   .arg(palette, QLatin1String(kDefaultLtoPalette)));
    }
  }
  if (!MediaId->currentData(kMediaIdRole).isValid())
    MediaId->setCurrentIndex(MediaId->findData(QLatin1String(kDefaultMediaId), kMediaIdRole));
  Status->setText(warnings.join(QLatin1Char('\n')));
}

void TLtoWindow::SaveSettings() {
  if (loading_) return;
  const std::unique_ptr<QSettings> kept = OpenProgramSettings();
  QSettings& settings = *kept;
  if (QFileInfo::exists(settings.fileName()) && settings.status() != QSettings::NoError) return;  // said at start
  const std::string media = ChosenMediaId();
  if (!MediaIdProblem(media)) settings.setValue(QLatin1String(kMediaIdKey), Text(media));
  if (const TSheetTemplate* t = ChosenTemplate()) settings.setValue(QLatin1String(kTemplateKey), Text(t->name));
  settings.setValue(QLatin1String(kPaletteKey), Palette->currentData().toString());
  settings.sync();
}

}  // namespace vantor
