#include "framework/dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include "framework/modal_runner.h"

namespace framework {

namespace {

// The window of a Dialog: hands Escape and the close box to the dialog's Cancel.
class DialogWindow : public QDialog {
  public:
    DialogWindow(Dialog& dialog, QWidget* parentWidget) : QDialog(parentWidget), owner(dialog) {}
    Dialog& Owner() const { return owner; }
    void reject() override { owner.OnCmdMsg(kIdCancel, kBnClicked, nullptr, nullptr); }

  private:
    Dialog& owner;
};

bool IsRadio(ControlKind kind) {
    return kind == ControlKind::AutoRadioButton || kind == ControlKind::RadioButton;
}

bool IsButton(ControlKind kind) {
    return kind == ControlKind::DefPushButton || kind == ControlKind::PushButton || IsRadio(kind) ||
           kind == ControlKind::AutoCheckBox;
}

// Rounds a * b / c to the nearest whole number, as dialog-unit conversion does.
int MulDiv(int a, int b, int c) {
    return (a * b + c / 2) / c;
}

}  // namespace

void Button::SetCheck(int check) {
    if (control != nullptr) {
        control->setChecked(check != 0);
    }
}

int Button::GetCheck() const {
    return control != nullptr && control->isChecked() ? 1 : 0;
}

void DataExchange::Control(int id, Button& button) {
    auto* control = qobject_cast<QAbstractButton*>(dialog.GetDlgItem(id));
    button.control = control;
    if (control != nullptr) {
        dialog.boundButtons.push_back(&button);
    }
}

Dialog::Dialog(DialogTemplate templateToUse, QWidget* parentWidget)
    : dialogTemplate(std::move(templateToUse)), parent(parentWidget) {
    MapCommand(kIdOk, [this] { OnOK(); });
    MapCommand(kIdCancel, [this] { OnCancel(); });
}

Dialog::~Dialog() {
    DestroyWindow();
}

int Dialog::DoModal() {
    CreateWindowFromTemplate();
    OnInitDialog();
    const int result = RunModal(*window);
    DestroyWindow();
    return result;
}

void Dialog::EndDialog(int result) {
    if (window != nullptr) {
        window->done(result);
    }
}

bool Dialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void Dialog::OnOK() {
    if (UpdateData(true)) {
        EndDialog(kIdOk);
    }
}

void Dialog::OnCancel() {
    EndDialog(kIdCancel);
}

void Dialog::DoDataExchange(DataExchange&) {}

bool Dialog::UpdateData(bool saveAndValidate) {
    if (window == nullptr) {
        return false;
    }
    DataExchange exchange(*this, saveAndValidate);
    DoDataExchange(exchange);
    return true;
}

QWidget* Dialog::GetDlgItem(int id) const {
    auto found = controlsById.find(id);
    return found == controlsById.end() ? nullptr : found->second;
}

void Dialog::CheckDlgButton(int id, int check) {
    if (auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(id))) {
        button->setChecked(check != 0);
    }
}

int Dialog::IsDlgButtonChecked(int id) const {
    auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(id));
    return button != nullptr && button->isChecked() ? 1 : 0;
}

bool Dialog::ClickDlgButton(int id) {
    auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(id));
    if (button == nullptr || !button->isEnabled()) {
        return false;
    }
    button->click();
    return true;
}

Dialog* Dialog::FromWindow(const QDialog& dialogWindow) {
    auto* ours = dynamic_cast<const DialogWindow*>(&dialogWindow);
    return ours != nullptr ? &ours->Owner() : nullptr;
}

QFont Dialog::DialogFont() const {
    QFont font(dialogTemplate.fontFamily, dialogTemplate.fontPointSize);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QSize Dialog::BaseUnits() const {
    const QFontMetrics metrics(DialogFont());
    const int alphabet = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return QSize((alphabet / 26 + 1) / 2, metrics.height());
}

void Dialog::CreateWindowFromTemplate() {
    DestroyWindow();
    window = std::make_unique<DialogWindow>(*this, parent);
    window->setWindowTitle(dialogTemplate.title);
    window->setFont(DialogFont());
    const QSize units = BaseUnits();
    auto toPixels = [&units](int x, int y, int w, int h) {
        return QRect(MulDiv(x, units.width(), 4), MulDiv(y, units.height(), 8),
                     MulDiv(w, units.width(), 4), MulDiv(h, units.height(), 8));
    };
    window->setFixedSize(toPixels(0, 0, dialogTemplate.width, dialogTemplate.height).size());

    std::vector<QGroupBox*> frames;
    QWidget* previousTabStop = nullptr;
    for (size_t index = 0; index < dialogTemplate.controls.size(); ++index) {
        const ControlTemplate& item = dialogTemplate.controls[index];
        QWidget* control = nullptr;
        switch (item.kind) {
            case ControlKind::DefPushButton:
            case ControlKind::PushButton: {
                auto* push = new QPushButton(item.text, window.get());
                push->setDefault(item.kind == ControlKind::DefPushButton);
                control = push;
                break;
            }
            case ControlKind::AutoRadioButton:
            case ControlKind::RadioButton: {
                auto* radio = new QRadioButton(item.text, window.get());
                // Groups are kept by the click handling below, not by Qt's sibling rule.
                radio->setAutoExclusive(false);
                control = radio;
                break;
            }
            case ControlKind::AutoCheckBox:
                control = new QCheckBox(item.text, window.get());
                break;
            case ControlKind::GroupBox: {
                auto* frame = new QGroupBox(item.text, window.get());
                // A frame drawn around earlier controls must not take their clicks.
                frame->setAttribute(Qt::WA_TransparentForMouseEvents);
                frames.push_back(frame);
                control = frame;
                break;
            }
            case ControlKind::StaticText: {
                auto* label = new QLabel(item.text, window.get());
                label->setTextFormat(Qt::PlainText);
                label->setWordWrap(true);
                label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
                control = label;
                break;
            }
            case ControlKind::Icon: {
                auto* label = new QLabel(window.get());
                const QIcon icon = item.text.isEmpty()
                                       ? QApplication::windowIcon()
                                       : QIcon::fromTheme(item.text, QApplication::windowIcon());
                const int side = window->style()->pixelMetric(QStyle::PM_LargeIconSize);
                label->setPixmap(icon.pixmap(side, side));
                control = label;
                break;
            }
        }
        control->setGeometry(toPixels(item.x, item.y, item.width, item.height));
        if (IsButton(item.kind)) {
            control->setFocusPolicy(item.tabStop ? Qt::StrongFocus : Qt::ClickFocus);
            auto* button = static_cast<QAbstractButton*>(control);
            QObject::connect(button, &QAbstractButton::clicked, window.get(),
                             [this, index](bool checked) {
                                 OnControlClicked(static_cast<int>(index), checked);
                             });
            if (IsRadio(item.kind) || item.kind == ControlKind::AutoCheckBox) {
                button->setCheckable(true);
            }
        }
        if (item.tabStop) {
            if (previousTabStop != nullptr) {
                QWidget::setTabOrder(previousTabStop, control);
            }
            previousTabStop = control;
        }
        if (item.id != kNoControlId) {
            controlsById[item.id] = control;
        }
        controlsByIndex.push_back(control);
    }
    for (QGroupBox* frame : frames) {
        frame->lower();
    }
}

void Dialog::OnControlClicked(int index, bool checkedAfterClick) {
    const ControlTemplate& item = dialogTemplate.controls[static_cast<size_t>(index)];
    auto* button = static_cast<QAbstractButton*>(controlsByIndex[static_cast<size_t>(index)]);
    if (item.kind == ControlKind::RadioButton) {
        // Qt toggled it; a plain radio button changes only when the program says so.
        button->setChecked(!checkedAfterClick);
    } else if (item.kind == ControlKind::AutoRadioButton) {
        button->setChecked(true);
        // Uncheck the other automatic radio buttons of the same group.
        size_t first = static_cast<size_t>(index);
        while (first > 0 && !dialogTemplate.controls[first].beginsGroup) {
            --first;
        }
        for (size_t other = first; other < dialogTemplate.controls.size(); ++other) {
            if (other != first && dialogTemplate.controls[other].beginsGroup) {
                break;
            }
            if (other != static_cast<size_t>(index) &&
                dialogTemplate.controls[other].kind == ControlKind::AutoRadioButton) {
                static_cast<QAbstractButton*>(controlsByIndex[other])->setChecked(false);
            }
        }
    }
    if (item.id != kNoControlId) {
        OnCmdMsg(static_cast<CommandId>(item.id), kBnClicked, nullptr, nullptr);
    }
}

void Dialog::DestroyWindow() {
    for (Button* button : boundButtons) {
        button->control = nullptr;
    }
    boundButtons.clear();
    controlsById.clear();
    controlsByIndex.clear();
    window.reset();
}

}  // namespace framework
