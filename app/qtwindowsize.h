// The stored outer size of a window, applied and recorded from Qt.
#pragma once

#include <QWidget>

#include "app/textstyle.h"

namespace tgc {

// Apply on creation: the stored size, centred on the window's screen, when
// both values are stored. Call before the window is shown.
void applyStoredWindowSize(QWidget& window, SettingsPort& settings, SizedWindow which);
// The size stored and applied is the window's own, without the window
// system's frame, which is not known before the window is shown.
// Record on open: the current size when none is stored yet.
void recordWindowSizeOnOpen(const QWidget& window, SettingsPort& settings, SizedWindow which);
// Record on close: the current size (not for a maximised or minimised
// window: its normal size is what the user set).
void recordWindowSizeOnClose(const QWidget& window, SettingsPort& settings, SizedWindow which);

}  // namespace tgc
