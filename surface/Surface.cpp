#include "surface/Surface.h"

namespace vantor {

namespace {
int gScreenDpiX = 96;
int gScreenDpiY = 96;
}  // namespace

int ScreenDpiX() { return gScreenDpiX; }
int ScreenDpiY() { return gScreenDpiY; }
void SetScreenDpi(int x, int y) {
  if (x > 0) gScreenDpiX = x;
  if (y > 0) gScreenDpiY = y;
}

}  // namespace vantor
