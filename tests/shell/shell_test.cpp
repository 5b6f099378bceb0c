// The application and its frame: start-up, the menus' and keys' commands, every dialog each
// command opens (answered through the modal runner), files, printing, and the command line.
#include <QtTest/qtestspontaneevent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QAccessible>
#include <QBitmap>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTextDocument>
#include <QToolBar>
#include <QTranslator>

#include <iostream>
#include <iterator>
#include <sstream>

#include "engine/turn_texts.h"
#include "framework/command_line.h"
#include "framework/control_bars.h"
#include "framework/modal_runner.h"
#include "framework/quiet_return.h"
#include "framework/translation.h"
#include "game/information_dialogs.h"
#include "shell/base_location.h"
#include "shell/qt_translation.h"
#include "support/language.h"
#include "support/program.h"
#include "support/run_program.h"

namespace {

using Program = testsupport::Program;

TEST_F(Program, StartsOneGameAndRoutesEveryCommand) {
    using framework::CreatedObject;
    EXPECT_EQ(made, (std::vector<CreatedObject>{CreatedObject::Document, CreatedObject::Frame,
                                                CreatedObject::View}));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Untitled - Torvel"));
    EXPECT_EQ(document->engine.GetRows(), (Rows{1, 3, 5, 7}));
    EXPECT_GE(view->height(), 500) << "room for seven rows above the button";
    EXPECT_EQ(frame->wndStatusBar->PaneText(0), QStringLiteral("Ready"));
    // A prompt starts where "Ready" starts; the bars offer no menu that could hide the toolbar.
    auto inkLeft = [this] {  // the first column that is not the background
        const QImage bar = frame->wndStatusBar->grab().toImage();
        const QImage ink = bar.createMaskFromColor(bar.pixel(1, 1));
        return QRegion(QBitmap::fromImage(ink)).boundingRect().left();
    };
    const int ready = inkLeft();
    frame->wndStatusBar->showMessage(QStringLiteral("Ready"));
    EXPECT_EQ(inkLeft(), ready);
    EXPECT_EQ(static_cast<QMainWindow*>(frame)->createPopupMenu(), nullptr) << "asked on a bar";
    for (QLabel* pane : frame->statusBar()->findChildren<QLabel*>()) {  // no lock key is on
        EXPECT_FALSE(
            (pane->isEnabled() && QStringList{"CAP", "NUM", "SCRL"}.contains(pane->text())));
    }
    QAction* show = frame->GetAction(game::kMessagesShowCommand);
    QAction* hidden = frame->GetAction(game::kMessagesHiddenCommand);
    EXPECT_TRUE(show->isChecked());
    hidden->trigger();
    EXPECT_TRUE(!view->turn.showMessages && hidden->isChecked() && !show->isChecked());
    show->trigger();
    show->trigger();
    EXPECT_TRUE(view->turn.showMessages && show->isChecked() && !hidden->isChecked());
    // A screen reader reads a menu item's words as its name and its keys as its accelerator.
    QAccessibleInterface* item =
        QAccessible::queryAccessibleInterface(frame->menuBar()->findChild<QMenu*>())->child(0);
    EXPECT_EQ(item->text(QAccessible::Name) + '|' + item->text(QAccessible::Accelerator),
              "New Game|Ctrl+N");
    EXPECT_EQ(frame->GetAction(game::kInstructionsCommand)->shortcut(), QKeySequence("F1"));
    // The editing keys reach no handler: their items are disabled and do nothing.
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    for (framework::CommandId id : {framework::kEditUndo, framework::kEditCut, framework::kEditCopy,
                                    framework::kEditPaste, framework::kNextPane}) {
        EXPECT_FALSE(frame->GetAction(id)->isEnabled() || Run(id)) << id;
    }
    for (Qt::Key key : {Qt::Key_Z, Qt::Key_X, Qt::Key_C, Qt::Key_V}) {
        QTest::keyClick(frame, key, Qt::ControlModifier);
    }
    EXPECT_EQ(document->engine.GetRows(), (Rows{1, 3, 5, 7}));
    for (framework::CommandId id : {framework::kFileNew, framework::kFileOpen, framework::kFileSave,
                                    framework::kFilePrint, framework::kAppAbout}) {
        EXPECT_TRUE(frame->GetAction(id)->isEnabled()) << id;
        EXPECT_TRUE(frame->wndToolBar->actions().contains(frame->GetAction(id))) << id;
    }
    made.clear();  // Ctrl+N after start-up: a new game, in the same document
    document->rowCountOption = 6;
    QTest::keyClick(frame, Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(made.empty());
    EXPECT_EQ(view->GetDocument(), document);
    EXPECT_EQ(document->engine.GetRows(), (Rows{1, 3, 5, 7, 9, 11}));
    EXPECT_TRUE(Run(framework::kAppExit));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(app->GetMainWnd(), nullptr);
    EXPECT_EQ(app->GetDocTemplate()->GetDocument(), nullptr);
    app.reset();
    EXPECT_EQ(framework::GetApp(), nullptr);
}

// In English and in every other language (each text marked in the pseudo-language): each dialog
// opens from its command, belongs to the main window, changes nothing and has room for every
// text, nothing cut and nothing over another; the window's texts come from the catalogue, Qt's
// own speak the same language, and the board draws its UTF-8 messages whole and its button's word.
TEST_F(Program, EachDialogAndTextInEachLanguageFitsAndChangesNothing) {
    const std::tuple<framework::CommandId, const char*, QSize> dialogs[] = {
        {framework::kAppAbout, "About Torvel", {235, 78}},
        {game::kInstructionsCommand, "Instructions", {353, 106}},
        {game::kLegalCommand, "Legal", {300, 108}},
        {game::kCurvatureOfTimeCommand, "Curvature of Time", {308, 194}},
        {game::kSpaceTimeCommand, "Space-Time", {272, 175}},
        {game::kOptionsCommand, "Options", {202, 141}}};
    // Each language and Qt's word for Cancel in it.
    const char* pseudo = testsupport::kPseudoLanguage;
    const std::pair<const char*, const char*> languages[] = {
        {"", "Cancel"},     {pseudo, "Cancel"}, {"de", "Abbrechen"},   {"fr", "Annuler"},
        {"es", "Cancelar"}, {"it", "Annulla"},  {"pt_BR", "Cancelar"}, {"nl", "Annuleren"},
        {"pl", "Anuluj"},   {"ru", "Отмена"},   {"ja", "キャンセル"},  {"zh_CN", "取消"}};
    const QRect play(view->board.playButtonRect.left, view->board.playButtonRect.top, 60, 40);
    const QImage english = Render().copy(play);
    for (const auto& [language, cancel] : languages) {
        app.reset();
        testsupport::Speak(language);
        SetUp();
        const bool inEnglish = *language == '\0';
        QTranslator* qt = shell::LoadQtTranslation(*qApp);  // none for English
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), cancel);
        EXPECT_EQ(qt == nullptr, inEnglish || language == pseudo);
        QCoreApplication::removeTranslator(qt);
        QStringList texts{frame->windowTitle(), frame->wndStatusBar->PaneText(0)};
        for (const QAction* action : frame->findChildren<QAction*>()) {
            texts << action->text() << action->statusTip() << action->toolTip();
        }
        // An opened game speaks the language in every state: either player to move, won, lost.
        const std::string head =
            "Torvel saved game, version 1\noptions rows 4 first human\n"
            "start 1 3 5\nhuman 2 5\ncomputer 1 ";
        for (const char* moves : {"1\n", "1\nhuman 1 1\n", "3\nhuman 0 1\n", "2\nhuman 0 1\n"}) {
            testsupport::WriteFile("opened.tor", head + moves + "end\n");
            ASSERT_NE(app->OpenDocumentFile(QString::fromStdString(dir.File("opened.tor"))),
                      nullptr);
        }
        Run(framework::kFileNew);
        Take(3, 1);
        Click(OverRow(3));
        const QImage board = Render();
        const QImage line =
            board.copy(0, 0, board.width(), 15).createMaskFromColor(QColor(Qt::white).rgb());
        const QString message = QString::fromStdString(view->turn.messageLine1);
        // Drawn whole, to its last character (a full stop of Japanese or Chinese has no ink at
        // its right).
        EXPECT_NEAR(QRegion(QBitmap::fromImage(line)).boundingRect().right() + 1,
                    view->fontMetrics().horizontalAdvance(message),
                    2 + view->fontMetrics().horizontalAdvance(message.back()) / 2)
            << message.toStdString();
        EXPECT_EQ(board.copy(play) == english, inEnglish) << "the Play button's own word";
        for (const char* prompt :
             {engine::kYourTurnText, engine::kReplaceText, engine::kSelectText}) {
            EXPECT_LE(view->fontMetrics().horizontalAdvance(framework::QTr(prompt)),
                      view->sizeHint().width())
                << prompt;  // a message line fits the board of the first window
        }
        EXPECT_TRUE(language ==
                        pseudo ||  // its word inside the button, the pseudo-language's aside
                    view->fontMetrics().horizontalAdvance(framework::QTr("Play")) < 60 - 14)
            << language;
        QTest::keyClick(view, Qt::Key_H);
        texts << frame->statusBar()->currentMessage();
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(view);
        for (int i = -1; i < reader->childCount(); ++i) {
            texts << (i < 0 ? reader : reader->child(i))->text(QAccessible::Name);
        }
        for (const Drawing& drawing : drawings) {
            texts << QString::fromStdString(drawing.line1) << QString::fromStdString(drawing.line2);
        }
        const Rows rows = document->engine.GetRows();
        const int selection = view->turn.sticksTaken * 10 + view->turn.selectedRow;
        for (const auto& [command, title, dialogUnits] : dialogs) {
            QStringList seen;
            framework::ScopedModalRunner runner([&, units = dialogUnits](QDialog& window) {
                framework::Dialog* dialog = framework::Dialog::FromWindow(window);
                seen << window.windowTitle();
                texts << seen.back();
                const QSize size(dialog->Template().width, dialog->Template().height);
                EXPECT_TRUE(seen.size() > 1 || size == units) << seen.back().toStdString();
                const QSize unit = dialog->BaseUnits();  // in English, the template's size
                EXPECT_TRUE(!inEnglish ||
                            window.size() == QSize((size.width() * unit.width() + 2) / 4,
                                                   (size.height() * unit.height() + 4) / 8));
                window.winId();  // the main window's own, never a window on its own
                EXPECT_EQ(window.windowHandle()->transientParent(), frame->windowHandle());
                auto* ok = qobject_cast<QPushButton*>(dialog->GetDlgItem(framework::kIdOk));
                EXPECT_TRUE(ok != nullptr && ok->isDefault()) << seen.back().toStdString();
                std::vector<QPoint> at;  // the texts stand in one column, evenly spaced
                for (const framework::ControlTemplate& c : dialog->Template().controls) {
                    at.insert(at.end(), c.kind == framework::ControlKind::StaticText, {c.x, c.y});
                }
                for (size_t i = 1; i < at.size(); ++i) {
                    EXPECT_EQ(at[i] - at[i - 1], QPoint(0, at[1].y() - at[0].y())) << i;
                }
                for (const QWidget* control : window.findChildren<QWidget*>()) {
                    const auto* label = qobject_cast<const QLabel*>(control);
                    const auto* button = qobject_cast<const QAbstractButton*>(control);
                    const auto* box = qobject_cast<const QGroupBox*>(control);
                    texts << (label    ? label->text()
                              : button ? button->text()
                              : box    ? box->title()
                                       : "");
                    EXPECT_TRUE(!label || label->heightForWidth(label->width()) <= label->height())
                        << "cut: " << texts.back().toStdString();
                    EXPECT_TRUE(!label || label->pixmap().isNull() ==
                                              (label->text() > "" ||
                                               dialog->Template().id != game::kAboutDialog));
                    EXPECT_TRUE(inEnglish || !button ||
                                button->sizeHint().width() <= button->width());
                    // Within what holds it, and beside the others there, never over them (the
                    // template's rows of radio buttons share a unit's height).
                    EXPECT_TRUE(control->parentWidget()->rect().contains(control->geometry()));
                    for (const QWidget* other : control->parentWidget()->findChildren<QWidget*>(
                             Qt::FindDirectChildrenOnly)) {
                        EXPECT_TRUE(other == control ||
                                    other->geometry().intersected(control->geometry()).height() <=
                                        2)
                            << texts.back().toStdString();
                    }
                }
                return framework::kIdOk;
            });
            EXPECT_TRUE(Run(command));
            const bool options = command == game::kOptionsCommand;  // OK there brings the Warning
            EXPECT_EQ(seen.join('|'),
                      framework::QTr(title) + (options ? "|" + framework::QTr("Warning") : ""));
            EXPECT_EQ(document->engine.GetRows(), rows) << title;
            EXPECT_EQ(view->turn.sticksTaken * 10 + view->turn.selectedRow, selection);
            EXPECT_EQ(QString::fromStdString(view->turn.messageLine1), options ? " " : message);
        }
        for (const QString& text : language == pseudo ? texts : QStringList()) {
            EXPECT_EQ(testsupport::Unmarked(text.toStdString()), "") << text.toStdString();
        }
    }
    testsupport::Speak("");
}

// A closed dialog gives its window back without the platform's own activation, which screen readers
// take for a return from another program and answer by reading the window, the board and its
// messages anew; the window is activated all the same, by the program.
TEST_F(Program, AClosedDialogGivesItsWindowBackQuietly) {
    struct Activations : QObject {
        QWidget* window = nullptr;
        std::string seen;  // s: the platform's activation of the window, p: the program's
        bool eventFilter(QObject* target, QEvent* event) override {
            if (target == window && event->type() == QEvent::WindowActivate) {
                seen += event->spontaneous() ? 's' : 'p';
            }
            return false;
        }
    } activations;
    activations.window = frame;
    qApp->installEventFilter(&activations);
    QDialog dialog(frame);
    framework::ReturnQuietlyFrom(dialog);
    const auto platformActivates = [this] {
        QEvent activation(QEvent::WindowActivate);
        QSpontaneKeyEvent::setSpontaneous(&activation);
        qApp->notify(frame, &activation);
    };
    dialog.show();
    platformActivates();  // while the dialog shows
    dialog.hide();
    platformActivates();  // on its return
    platformActivates();  // once only
    EXPECT_EQ(activations.seen, "sps");
}

// Save keeps the game, Open (and the recent-file list) brings it back as it stood. Save replaces
// only the file the window read or wrote and asks before any other; a file that holds no game, or a
// damaged one, leaves the window as it was. Names and a file's words are shown as they are, never
// as markup, and each notice of a file replaces the last.
TEST_F(Program, SaveAndOpenKeepGamesAndReplaceNoOtherFileUnasked) {
    const QString saved = QString::fromStdString(dir.File("game.tor"));
    QString name = saved;  // file dialogs choose it, message boxes say `reply`
    int reply = QMessageBox::No;
    QStringList seen;
    framework::ScopedModalRunner runner([&](QDialog& dialog) {
        if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
            seen << QStringLiteral("file");
            EXPECT_TRUE(files->testOption(QFileDialog::DontConfirmOverwrite)) << "asked once only";
            files->selectFile(name);
            return int(QDialog::Accepted);
        }
        auto& box = static_cast<QMessageBox&>(dialog);
        seen << box.text();
        EXPECT_EQ(box.textFormat(), Qt::PlainText);
        EXPECT_TRUE(box.standardButtons() & (QMessageBox::Ok | QMessageBox::No));
        return reply;
    });
    const auto open = [&](const char* file, const std::string& text) {
        name = QString::fromStdString(dir.File(file));
        testsupport::WriteFile(file, text);
        Run(framework::kFileOpen);
    };
    const auto notice = [this] { return frame->wndStatusBar->Notice(); };
    open("notes.txt", "my notes\n");  // not the window's: the next Save asks for a name
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Untitled - Torvel"));
    EXPECT_TRUE(Run(framework::kFileSave) && seen.last().contains("already exists"));
    EXPECT_EQ(testsupport::ReadFile("notes.txt"), "my notes\n");
    document->rowCountOption = 6;
    document->humanFirst = false;
    Take(3, 3);
    const Rows rows = document->engine.GetRows();
    const std::string lines = view->turn.messageLine1 + '|' + view->turn.messageLine2;
    seen.clear();
    name = saved;
    EXPECT_TRUE(Run(framework::kFileSave));
    EXPECT_TRUE(Run(framework::kFileSave));  // named now: no question
    EXPECT_EQ(seen, QStringList{"file"});
    EXPECT_EQ(notice(), QStringLiteral("Saved as \"game.tor\"."));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("game.tor - Torvel"));
    const std::string text = testsupport::ReadFile(saved.toStdString());
    EXPECT_TRUE(
        text.starts_with("Torvel saved game, version 1\noptions rows 6 first computer\n"
                         "start 1 3 5 7\nhuman 3 3\ncomputer "))
        << text;
    testsupport::WriteFile("game.tor", "their notes\n");  // changed since: replaced when agreed
    for (const int answer : {int(QMessageBox::No), int(QMessageBox::Yes)}) {
        reply = answer;
        Run(framework::kFileSave);
        EXPECT_TRUE(seen.last().contains("has changed since Torvel read or wrote it"));
    }
    EXPECT_EQ(testsupport::ReadFile("game.tor"), text);
    name = QString::fromStdString(dir.File("copy.tor"));  // Save As, by the desktop's key
    QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(testsupport::ReadFile("copy.tor"), text);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("copy.tor - Torvel"));
    const Rows left = document->engine.GetRows();  // the notice holds until the next move
    Take(int32_t(std::find_if(left.begin(), left.end(), [](int32_t s) { return s > 0; }) -
                 left.begin()),
         1);
    EXPECT_TRUE(notice().isEmpty());
    reply = QMessageBox::No;
    Run(framework::kFileNew);  // a new game, not a new version of the file's: Save asks for a name
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Untitled - Torvel"));
    seen.clear();
    name = QString::fromStdString(dir.File("copy.tor"));
    Run(framework::kFileSave);
    EXPECT_EQ(seen.size(), 2);
    EXPECT_TRUE(seen.first() == "file" && seen.last().contains("already exists"));
    EXPECT_EQ(testsupport::ReadFile("copy.tor"), text);
    Run(framework::kFileNew);  // six rows, the computer first: Open brings the saved game back
    name = saved;
    EXPECT_TRUE(Run(framework::kFileOpen));
    EXPECT_EQ(document->engine.GetRows(), rows);
    EXPECT_EQ(view->turn.messageLine1 + '|' + view->turn.messageLine2, lines);
    EXPECT_TRUE(view->turn.humanToMove && !document->IsModified() && notice().isEmpty());
    EXPECT_EQ(document->rowCountOption * 10 + document->humanFirst, 60);
    open("old.tor", "");  // what Save wrote before: the window takes its name, the game goes on
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("old.tor - Torvel"));
    EXPECT_EQ(document->engine.GetRows(), rows);
    EXPECT_TRUE(notice().contains("holds no saved game"));
    const std::string head =
        "Torvel saved game, version 1\noptions rows 4 first human\nstart 1 3 5";
    open("<h1>x.tor", head + " 7\nhuman 1 4\nend\n");
    EXPECT_TRUE(seen.last().contains("<h1>x.tor\": line 4: row 1 has only 3 sticks"))
        << seen.last().toStdString();
    EXPECT_EQ(document->engine.GetRows(), rows);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("old.tor - Torvel"));
    open("turn[*].tor", head + "\nhuman 2 5\nend\n");  // the computer's reply comes now
    EXPECT_EQ(document->record.moves.size(), 2u);
    EXPECT_TRUE(view->turn.humanToMove && view->turn.messageLine1.starts_with("The computer took"));
    EXPECT_EQ(frame->windowHandle()->title(), QStringLiteral("turn[*].tor - Torvel"));
    // A game the player made read-only is played on, and saved only where the player chooses.
    std::filesystem::permissions("turn[*].tor", std::filesystem::perms::owner_read);
    seen.clear();
    name = QString::fromStdString(dir.File("kept.tor"));
    Run(framework::kFileSave);
    EXPECT_EQ(seen.size(), 2);
    EXPECT_TRUE(seen.first().contains("is read-only") && seen.last() == "file");
    EXPECT_EQ(testsupport::ReadFile("turn[*].tor"), head + "\nhuman 2 5\nend\n");
    EXPECT_TRUE(testsupport::ReadFile("kept.tor").starts_with(head + "\nhuman 2 5\ncomputer "));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("kept.tor - Torvel"));
    app->OpenDocumentFile(app->GetRecentFileList()->Files()[3]);
    EXPECT_EQ(document->engine.GetRows(), rows) << "the recent-file list opens saved games";
    name = QString::fromStdString(dir.File("missing"));
    Run(framework::kFileOpen);
    EXPECT_TRUE(seen.last().startsWith("Cannot open the file")) << seen.last().toStdString();
    ASSERT_EQ(::mkfifo("fifo", 0600), 0);
    for (const char* file : {"game.tor", "fifo", "torvelbase.txt"}) {
        name = QString::fromStdString(dir.File(file));    // Save As over it: asked, and refused;
        testsupport::WriteFile("torvelbase.txt", "0\n");  // the rest before any question
        reply = QMessageBox::Yes * (file[0] == 't');
        EXPECT_FALSE(document->DoSave(QString()));
        EXPECT_TRUE(seen.last().contains(file[0] == 'g'   ? "already exists"
                                         : file[0] == 'f' ? "fifo\": it is not a regular file."
                                                          : "the computer's base of positions"))
            << seen.last().toStdString();
    }
    EXPECT_EQ(testsupport::ReadFile("torvelbase.txt"), "0\n");
    app = std::make_unique<shell::CTorvelApp>();  // the next run offers the same recent files
    ASSERT_TRUE(app->InitInstance({}));
    EXPECT_EQ(app->GetRecentFileList()->Files().first(), saved);
}

// A file the program is started with and cannot open ends it, and the box says so.
TEST(StartUp, AFileThatDoesNotOpenEndsTheProgramAndSaysSo) {
    testsupport::TempDir dir;
    testsupport::WriteFile("bad.txt", "Torvel saved game, version 1\nnonsense\n");
    testsupport::WriteFile("notes.txt", "notes\n");
    QString said;
    framework::ScopedModalRunner runner([&said](QDialog& box) {
        said = static_cast<QMessageBox&>(box).text();
        return int(QMessageBox::Ok);
    });
    for (const char* file : {"bad.txt", "notes.txt"}) {
        shell::CTorvelApp app;
        framework::CommandLineInfo line;
        line.shellCommand = framework::CommandLineInfo::ShellCommand::FileOpen;
        line.fileName = file;
        EXPECT_FALSE(app.InitInstance(line));
        EXPECT_TRUE(said.endsWith("\nTorvel ends.")) << said.toStdString();
    }
}

TEST_F(Program, BaseFileNoticesStayInTheStatusBarWholeAndReachStandardError) {
    std::ostringstream err;
    std::streambuf* const before = std::cerr.rdbuf(err.rdbuf());
    std::filesystem::create_directory("torvelbase.txt");  // no file can take its place
    frame->resize(400, frame->height());
    Take(3, 3);
    std::cerr.rdbuf(before);
    const QString notice = QStringLiteral(
        "The base file 'torvelbase.txt' was replaced by something that is not a regular file; "
        "nothing more is saved in this run");
    EXPECT_EQ(err.str(), "torvel: t" + notice.mid(1).toStdString() + "\n");
    EXPECT_TRUE(view->turn.messageLine1.starts_with("The computer took "));
    // Passing over a toolbar button shows its prompt, then the notice again, not "Ready".
    QWidget* button =
        frame->findChild<QToolBar*>()->widgetForAction(frame->GetAction(framework::kFileOpen));
    QTest::mouseMove(button);
    EXPECT_FALSE(frame->statusBar()->currentMessage().isEmpty());
    QTest::mouseMove(view, QPoint(590, 5));
    EXPECT_TRUE(frame->statusBar()->currentMessage().isEmpty());
    auto* pane = frame->statusBar()->findChildren<QLabel*>().first();
    EXPECT_TRUE(pane->text().startsWith("The base file") && pane->text().endsWith(u'\u2026'));
    EXPECT_EQ(pane->textFormat(), Qt::PlainText) << "names are never markup";
    QTextDocument tip;  // whole, and as plain text however long: it wraps
    tip.setHtml(pane->toolTip());
    EXPECT_EQ(tip.toPlainText(), notice);
    EXPECT_EQ(frame->wndStatusBar->Notice(), notice);
}

TEST_F(Program, PrintingDrawsTheBoardOnOnePage) {
    const QString pdf = QString::fromStdString(dir.File("board.pdf"));
    app->GetPrinter().setOutputFormat(QPrinter::PdfFormat);
    app->GetPrinter().setOutputFileName(pdf);
    int answer = QDialog::Rejected;
    int previewPages = 0;
    framework::ScopedModalRunner runner([&](QDialog& dialog) {
        if (auto* preview = qobject_cast<QPrintPreviewDialog*>(&dialog)) {
            preview->show();
            previewPages = preview->findChild<QPrintPreviewWidget*>()->pageCount();
            preview->hide();
        }
        return answer;
    });
    Run(framework::kFilePrint);
    EXPECT_FALSE(QFile::exists(pdf)) << "cancelled";
    answer = QDialog::Accepted;
    for (framework::CommandId id : {framework::kFilePrint, framework::kFilePrintDirect}) {
        QFile::remove(pdf);
        EXPECT_TRUE(Run(id));
        const QByteArray text = QByteArray::fromStdString(testsupport::ReadFile(pdf.toStdString()));
        EXPECT_EQ(text.count("/Type /Page") - text.count("/Type /Pages"), 1) << id;  // one page
    }
    EXPECT_TRUE(Run(framework::kFilePrintPreview));
    EXPECT_EQ(previewPages, 1);
    EXPECT_TRUE(Run(framework::kFilePrintSetup));
}

TEST(CommandLine, HelpVersionAndMistakesNeedNoWindow) {
    auto torvel = [](const char* arguments, bool display) {
        ::unsetenv("DISPLAY");
        ::unsetenv("WAYLAND_DISPLAY");
        display ? ::setenv("QT_QPA_PLATFORM", "offscreen", 1) : ::unsetenv("QT_QPA_PLATFORM");
        std::istringstream words(arguments);
        const testsupport::RunResult run =
            testsupport::RunProgram(TORVEL_BINARY, {std::istream_iterator<std::string>(words), {}});
        return std::make_pair(run.status, run.out);
    };
    EXPECT_EQ(torvel("--version", false), std::make_pair(0, std::string("torvel 1.0.0\n")));
    EXPECT_EQ(torvel("--help", false).first, 0);
    EXPECT_EQ(torvel("", false).first, 1) << "no display";
    for (bool display : {false, true}) {
        for (const char* mistake : {"--frobnicate", "one two", "--base", "--base a --base b",
                                    "--user-base --base a", "--user-base=1"}) {
            EXPECT_EQ(torvel(mistake, display).first, 2) << mistake;
        }
    }
    const testsupport::RunResult escaped =
        testsupport::RunProgram(TORVEL_BINARY, {"-\x1b]0;x\x07"});
    EXPECT_TRUE(escaped.err.starts_with("torvel: unknown option '-\\x1b]0;x\\x07'\n"))
        << escaped.err;
    testsupport::Speak(testsupport::kPseudoLanguage);  // the usage and the mistakes
    for (const char* arguments : {"--help", "--frobnicate", ""}) {
        const testsupport::RunResult run = testsupport::RunProgram(TORVEL_BINARY, {arguments});
        testsupport::ExpectMarkedLines(run.out + run.err, "torvel");
    }
    testsupport::Speak("");
}

// The base file: the one --base names, byte for byte; with --user-base (the desktop launcher's)
// the user's data folder, made on first use, used while it is the user's alone, or no file and a
// message when it cannot be; else the working folder. What start-up finds is told at once.
TEST(BaseFile, FollowsTheCommandLineAndTheUserDataFolder) {
    testsupport::TempDir dir;
    const std::string data = dir.File("data"), home = dir.File("home"), open = dir.File("open");
    std::filesystem::create_directories(open + "/torvel");
    std::filesystem::permissions(open + "/torvel", std::filesystem::perms::all);
    testsupport::WriteFile("base-\xff.txt", "2\n0 1\n");  // damaged
    const QByteArray homeBefore = qgetenv("HOME");
    qputenv("HOME", home.c_str());
    // Arguments, XDG_DATA_HOME, the base file (none: the folder cannot be made), what is told.
    const std::vector<std::tuple<QStringList, const char*, std::string, QString>> cases = {
        {{}, data.c_str(), "torvelbase.txt", ""},
        {{"--base", QString::fromLatin1("base-\xff.txt")},
         "",
         "base-\xff.txt",
         "base-\\xff.txt' is damaged"},
        {{"--user-base"}, data.c_str(), data + "/torvel/torvelbase.txt", ""},
        {{"--user-base"}, nullptr, home + "/.local/share/torvel/torvelbase.txt", ""},
        {{"--user-base"}, open.c_str(), open + "/torvel/torvelbase.txt", "is not yours alone"},
        {{"--user-base"}, TORVEL_BINARY, "", "cannot be made"}};
    for (const auto& [arguments, dataHome, path, told] : cases) {
        dataHome != nullptr ? qputenv("XDG_DATA_HOME", dataHome) : qunsetenv("XDG_DATA_HOME");
        shell::CTorvelApp app;
        ASSERT_TRUE(app.InitInstance(framework::ParseCommandLine(arguments)));
        const auto* document = static_cast<game::CTorvelDoc*>(app.GetDocTemplate()->GetDocument());
        EXPECT_EQ(document->engine.GetTable()->GetBasePath(), path) << (dataHome ? dataHome : "");
        const QString notice =
            static_cast<shell::CMainFrame*>(app.GetMainWnd())->wndStatusBar->Notice();
        EXPECT_TRUE(told.isEmpty() ? notice.isEmpty() : notice.contains(told))
            << notice.toStdString();
        EXPECT_TRUE(QFileInfo(QString::fromStdString(path)).absoluteDir().exists()) << path;
    }
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("HOME");
    EXPECT_EQ(shell::DataHome(), std::string(::getpwuid(::geteuid())->pw_dir) + "/.local/share");
    qputenv("HOME", homeBefore);
}

}  // namespace
