#include "app/serve/qt/Outputs.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>

#include "qt/LeanSvg.h"
#include "qt/QtSurface.h"
#include "surface/CorrectedSurface.h"
#include "surface/RecordingSurface.h"

namespace vantor::serve {

namespace {

double MmOf(TLength l) { return static_cast<double>(l.Micrometres()) / 1000; }
int Dots(TLength l, int dpi) { return static_cast<int>(MmOf(l) / kMmPerInch * dpi + 0.5); }

// Draws one page of a document into an image; the others on a recording
// surface that is cleared every page, so a long run costs no memory.
class TPreviewJob : public TPrintJob {
 public:
  TPreviewJob(int page, TPreviewFormat format, TPageSize paper, std::vector<TLabelRect> places,
              const TCalibration& calibration, TPreviewImage& image)
      : page_(page),
        format_(format),
        paper_(paper),
        places_(std::move(places)),
        calibration_(calibration),
        image_(image),
        elsewhere_(kPreviewDpi, kPreviewDpi) {}

  bool ShowDialog() override { return true; }
  void SetPortrait() override {}
  void SetTitle(const std::string&) override {}
  void SetCopies(int) override {}
  void BeginDoc() override { Begin(); }
  void NewPage() override {
    End();
    Begin();
  }
  void EndDoc() override { End(); }
  void AbortDoc() override {
    painter_.reset();
    surface_.reset();
  }
  TSurface& Page() override {
    if (corrected_) return *corrected_;
    if (surface_) return *surface_;
    return elsewhere_;
  }
  TJobDestination Destination() const override { return {TOutputKind::Trace, {}}; }

 private:
  void Begin() {
    const int index = current_++;
    image_.pages = current_;
    elsewhere_.ClearOps();
    if (index != page_) return;
    const int w = Dots(paper_.width, kPreviewDpi), h = Dots(paper_.height, kPreviewDpi);
    painter_ = std::make_unique<QPainter>();
    if (format_ == TPreviewFormat::Svg) {
      svg_ = std::make_unique<TLeanSvgDevice>(QSize(w, h), kPreviewDpi, image_.bytes);
      painter_->begin(svg_.get());
    } else {
      const double s = static_cast<double>(kPngDpi) / kPreviewDpi;
      png_ = QImage(static_cast<int>(w * s + 0.5), static_cast<int>(h * s + 0.5), QImage::Format_RGB32);
      png_.fill(Qt::white);
      painter_->begin(&png_);
      painter_->setRenderHint(QPainter::Antialiasing);
      painter_->setRenderHint(QPainter::TextAntialiasing);
      painter_->scale(s, s);
    }
    painter_->fillRect(QRect(0, 0, w, h), Qt::white);
    // The places faintly, beneath what the run draws: the empty ones before
    // the start label show where printing begins.
    painter_->setPen(QPen(QColor(0xC8, 0xC8, 0xC8), 4, Qt::DashLine));
    for (const TLabelRect& r : places_)
      painter_->drawRect(QRect(Dots(r.x, kPreviewDpi), Dots(r.y, kPreviewDpi), Dots(r.width, kPreviewDpi),
                               Dots(r.height, kPreviewDpi)));
    painter_->setPen(Qt::NoPen);
    surface_ = std::make_unique<TQtSurface>(*painter_, kPreviewDpi, kPreviewDpi);
    if (!calibration_.IsIdentity()) corrected_ = std::make_unique<TCorrectedSurface>(*surface_, calibration_);
  }
  void End() {
    if (!painter_) return;
    corrected_.reset();
    surface_.reset();
    painter_->end();
    painter_.reset();
    if (format_ == TPreviewFormat::Png) {
      QBuffer out(&image_.bytes);
      out.open(QIODevice::WriteOnly);
      png_.save(&out, "PNG");
    }
  }

  int page_;
  TPreviewFormat format_;
  TPageSize paper_;
  std::vector<TLabelRect> places_;
  TCalibration calibration_;
  TPreviewImage& image_;
  int current_ = 0;
  std::unique_ptr<TLeanSvgDevice> svg_;
  QImage png_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<TQtSurface> surface_;
  std::unique_ptr<TCorrectedSurface> corrected_;
  TRecordingSurface elsewhere_;
};

class TPreviewOutput : public TSheetOutput {
 public:
  template <typename... A>
  explicit TPreviewOutput(A&&... a) : job_(std::forward<A>(a)...) {}
  TPrintJob& Job() override { return job_; }

 private:
  TPreviewJob job_;
};

}  // namespace

TPageSize DltPage() { return {Mm(210), Mm(297)}; }

std::unique_ptr<TSheetOutput> TPreviewFactory::Open(const TOutputSpec& spec, const std::optional<TPageSize>& page) {
  return std::make_unique<TPreviewOutput>(page_, format_, page.value_or(DltPage()), places_,
                                          spec.calibration.value_or(TCalibration{}), image_);
}

TPdfBytesFactory::TPdfBytesFactory() : folder_(QDir::tempPath() + QStringLiteral("/vantor-serve-XXXXXX")) {}

std::string TPdfBytesFactory::Path() const { return folder_.filePath(QStringLiteral("job.pdf")).toStdString(); }

std::unique_ptr<TSheetOutput> TPdfBytesFactory::Open(const TOutputSpec& spec, const std::optional<TPageSize>& page) {
  try {
    return outputs_.Open(spec, page);
  } catch (...) {
    failed_ = true;
    throw;
  }
}

QByteArray TPdfBytesFactory::TakeBytes() {
  QFile file(QString::fromStdString(Path()));
  if (!file.open(QIODevice::ReadOnly)) return {};
  QByteArray bytes = file.readAll();
  file.close();
  file.remove();
  return bytes;
}

}  // namespace vantor::serve
