// The details view of Qt's own file chooser, widened where Qt's fixed
// column sizes cut the text the system's locale writes.
#pragma once

class QFileDialog;

namespace tgc {

// Qt sizes the date column for "10/29/81 02:02PM", which cuts longer forms
// such as "28 Dec 2000 23:59:59" to "28 Dec …:59:59". Widens it to the
// widest date of the locale's short form, and the dialog by as much. Call
// before the dialog is shown. Nothing for a native dialog.
void fitDateColumn(QFileDialog& dialog);

}  // namespace tgc
