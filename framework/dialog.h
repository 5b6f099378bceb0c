// Modal dialogs built from a DialogTemplate.
//
// A Dialog object may outlive many openings: `DoModal` builds a fresh window from the template,
// runs `OnInitDialog` (which exchanges data into the controls), runs the window through the
// modal runner and destroys it again. Control notifications (a button click is code
// kBnClicked) are routed by control number through the dialog's own command map, so a derived
// dialog maps its click handlers with `MapCommand(controlId, ...)`; OK and Cancel are mapped
// to `OnOK` and `OnCancel`. Escape and the close box count as Cancel.
//
// A test drives a dialog from its modal runner: `Dialog::FromWindow` finds the Dialog behind
// the window, `ClickDlgButton` does what a user's click does, `IsDlgButtonChecked` reads the
// result, and the runner returns the window's result.
#pragma once

#include <QDialog>
#include <QFont>
#include <QPointer>
#include <QSize>
#include <map>
#include <vector>

#include "framework/cmd_target.h"
#include "framework/dialog_template.h"

class QAbstractButton;
class QWidget;

namespace framework {

class Dialog;

// A button control bound to a dialog's control by number while the dialog window exists.
class Button {
  public:
    bool IsAttached() const { return control != nullptr; }
    QAbstractButton* Control() const { return control; }
    void SetCheck(int check);
    int GetCheck() const;

  private:
    friend class Dialog;
    friend class DataExchange;
    QAbstractButton* control = nullptr;
};

// The direction and the dialog of one data exchange.
class DataExchange {
  public:
    DataExchange(Dialog& owner, bool saving) : dialog(owner), saveAndValidate(saving) {}

    // Binds `button` to the dialog's button control `id`.
    void Control(int id, Button& button);

    Dialog& dialog;
    const bool saveAndValidate;
};

class Dialog : public CmdTarget {
  public:
    explicit Dialog(DialogTemplate dialogTemplate, QWidget* parentWidget = nullptr);
    ~Dialog() override;

    // Builds the window, runs it modally and destroys it; gives kIdOk, kIdCancel or what
    // `EndDialog` was given.
    int DoModal();
    void EndDialog(int result);

    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(DataExchange& exchange);
    // Moves data from the controls (true) or into them (false); false when validation fails.
    bool UpdateData(bool saveAndValidate = true);

    // Controls by number, while the window exists.
    QWidget* GetDlgItem(int id) const;
    void CheckDlgButton(int id, int check);
    int IsDlgButtonChecked(int id) const;
    // Does what a user's click on the control does: checks an automatic button and notifies.
    bool ClickDlgButton(int id);

    QDialog* GetWindow() const { return window.data(); }
    const DialogTemplate& Template() const { return dialogTemplate; }
    // The Dialog whose window this is, or null.
    static Dialog* FromWindow(const QDialog& window);

    // Average character width and height of the dialog font, in pixels.
    QSize BaseUnits() const;
    QFont DialogFont() const;

  private:
    friend class DataExchange;
    void CreateWindowFromTemplate();
    void DestroyWindow();
    void OnControlClicked(ControlKind kind, int id, QAbstractButton& button);

    DialogTemplate dialogTemplate;
    QWidget* parent;
    // Owned here, and by the main window too: it goes with whichever goes first.
    QPointer<QDialog> window;
    std::map<int, QWidget*> controlsById;
    std::vector<Button*> boundButtons;
};

}  // namespace framework
