#include "app/qtwindowsize.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace tgc {

void applyStoredWindowSize(QWidget& window, SettingsPort& settings, SizedWindow which) {
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QSize s = screen->geometry().size();
  WindowPlacement p;
  if (!storedPlacement(settings, which, s.width(), s.height(), p)) return;
  // Before the window is shown its frame is unknown; the stored outer size
  // is taken as the widget size, within the window's own limits.
  const QSize size =
      QSize(p.width, p.height).expandedTo(window.minimumSize()).boundedTo(window.maximumSize());
  window.resize(size);
  window.move(screen->geometry().topLeft() + QPoint(p.left, p.top));
}

void recordWindowSizeOnOpen(const QWidget& window, SettingsPort& settings, SizedWindow which) {
  const QRect frame = window.frameGeometry();
  recordSizeOnOpen(settings, which, frame.width(), frame.height());
}

void recordWindowSizeOnClose(const QWidget& window, SettingsPort& settings, SizedWindow which) {
  if (window.windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)) return;
  const QRect frame = window.frameGeometry();
  recordSizeOnClose(settings, which, frame.width(), frame.height());
}

}  // namespace tgc
