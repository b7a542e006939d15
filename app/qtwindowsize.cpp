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
  // The stored size is the widget's own (see the records below), kept
  // within the window's limits.
  const QSize size =
      QSize(p.width, p.height).expandedTo(window.minimumSize()).boundedTo(window.maximumSize());
  window.resize(size);
  window.move(screen->geometry().topLeft() + QPoint(p.left, p.top));
}

// The size recorded is the one applyStoredWindowSize gives back: the frame
// is unknown before the window is shown, so recording it would make the
// window grow by its frame with every run.
void recordWindowSizeOnOpen(const QWidget& window, SettingsPort& settings, SizedWindow which) {
  recordSizeOnOpen(settings, which, window.width(), window.height());
}

void recordWindowSizeOnClose(const QWidget& window, SettingsPort& settings, SizedWindow which) {
  if (window.windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)) return;
  recordSizeOnClose(settings, which, window.width(), window.height());
}

}  // namespace tgc
