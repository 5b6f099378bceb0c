#include "framework/message_box.h"

#include <QMessageBox>

#include "framework/application.h"
#include "framework/modal_runner.h"
#include "framework/standard_ids.h"

namespace framework {

int MessageBox(QWidget* parent, const QString& text, MessageButtons buttons, MessageIcon icon) {
    QMessageBox box(parent);
    Application* app = GetApp();
    box.setWindowTitle(app != nullptr ? app->AppTitle() : QString());
    // Texts carry names and words from files: they are shown as they are, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    switch (icon) {
        case MessageIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MessageIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
    }
    switch (buttons) {
        case MessageButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case MessageButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    switch (RunModal(box)) {
        case QMessageBox::Yes:
            return kIdYes;
        case QMessageBox::No:
            return kIdNo;
        case QMessageBox::Ok:
            return kIdOk;
        default:
            return kIdCancel;
    }
}

}  // namespace framework
