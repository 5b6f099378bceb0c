// The framework's message box: a question or a notice with the application title, run through
// the modal runner. Answers are the dialog results kIdOk, kIdCancel, kIdYes and kIdNo.
#pragma once

#include <QString>

class QWidget;

namespace framework {

enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageIcon { Information, Warning, Question };

int MessageBox(QWidget* parent, const QString& text, MessageButtons buttons = MessageButtons::Ok,
               MessageIcon icon = MessageIcon::Warning);

}  // namespace framework
