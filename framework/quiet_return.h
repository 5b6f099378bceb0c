// Coming back from a dialog quietly. When one of the program's modal dialogs closes, its owner
// window becomes active again, and the platform tells screen readers so, as if the user had come
// back from another program: they announce the window's title and its focused widget anew. The
// user only closed a dialog and knows where they are, so once the dialog is hidden the owner's next
// activation (within a second) reaches the window without going through the accessibility bridge.
#pragma once

class QDialog;

namespace framework {

// Call before the dialog runs.
void ReturnQuietlyFrom(QDialog& dialog);

}  // namespace framework
