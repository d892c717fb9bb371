// TMyLabelRotate: a lightweight label that draws its caption turned by any whole
// number of degrees about its centre, optionally on a turned plate and with a
// sunken, raised or drop-shadow effect. It paints inside its own bounds on top
// of its parent (no background of its own unless MyTransparent is false).
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>
#include <memory>

#include "rotlabel/LabelStyle.h"

namespace vantor {

class TMyLabelRotate : public QWidget {
  Q_OBJECT

 public:
  explicit TMyLabelRotate(QWidget* parent = nullptr);
  ~TMyLabelRotate() override;

  // The owned style; changes that notify request a repaint.
  TLabelStyle& LabelStyle() { return *labelStyle_; }
  const TLabelStyle& LabelStyle() const { return *labelStyle_; }
  // Assigns `style` to the owned style and requests a repaint.
  void SetLabelStyle(const TLabelStyle& style);

  bool MyTransparent() const { return myTransparent_; }
  void SetMyTransparent(bool value);

  const QString& Caption() const { return caption_; }
  void SetCaption(const QString& caption);

  // The label font is the widget's font (QWidget::font / setFont); its colour:
  const QColor& FontColor() const { return fontColor_; }
  void SetFontColor(const QColor& color);

  // The label's own colour: the plate of an opaque label.
  const QColor& Color() const { return color_; }
  void SetColor(const QColor& color);

  // Cosine and sine of the angle at the last paint.
  double CosAngle() const { return cos_; }
  double SinAngle() const { return sin_; }

 signals:
  void clicked();
  void doubleClicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  std::unique_ptr<TLabelStyle> labelStyle_;
  bool myTransparent_ = true;
  QString caption_;
  QColor fontColor_;
  QColor color_;
  double cos_ = 1.0;
  double sin_ = 0.0;
};

}  // namespace vantor
