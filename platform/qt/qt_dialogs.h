// The toolkit's message boxes and colour chooser while they are open, for automation.
#pragma once

#include <QColorDialog>
#include <QMessageBox>

namespace platform::qt {

// The message box shown most recently that is still open; nullptr when none.
QMessageBox* OpenQMessageBox();
// The text the program gave the box, line breaks as given.
QString MessageBoxText(const QMessageBox& box);

// The colour chooser that is open; nullptr when none.
QColorDialog* OpenQColorDialog();
// The colour it was opened with.
QColor ChooserInitialColour(const QColorDialog& dialog);

}  // namespace platform::qt
