#include "app/window/WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace vantor {

namespace {

// Lives as the window's child; gone after the first activation.
class TCentreOnFirstShow : public QObject {
 public:
  explicit TCentreOnFirstShow(QWidget& window) : QObject(&window), window_(window) { window.installEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != &window_) return false;
    if (event->type() == QEvent::Show && !shown_) {
      shown_ = true;
      Centre();
    } else if (event->type() == QEvent::WindowActivate && shown_) {
      if (window_.frameGeometry().size() != centredFrame_) Centre();
      window_.removeEventFilter(this);
      deleteLater();
    }
    return false;
  }

 private:
  void Centre() {
    const QScreen* screen = window_.screen() ? window_.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    centredFrame_ = window_.frameGeometry().size();
    // For a window, move() places the frame's corner.
    window_.move(CentredFramePosition(centredFrame_, screen->availableGeometry()));
  }

  QWidget& window_;
  bool shown_ = false;
  QSize centredFrame_;
};

int CentredStart(int areaStart, int areaLength, int length) {
  return areaStart + std::max(0, (areaLength - length) / 2);
}

}  // namespace

QPoint CentredFramePosition(const QSize& frame, const QRect& available) {
  return {CentredStart(available.x(), available.width(), frame.width()),
          CentredStart(available.y(), available.height(), frame.height())};
}

void CentreOnFirstShow(QWidget& window) { new TCentreOnFirstShow(window); }

}  // namespace vantor
