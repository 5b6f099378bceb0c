#include "shell/torvel_app.h"

#include <QApplication>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <iostream>

#include "framework/control_bars.h"
#include "framework/doc_template.h"
#include "framework/frame_wnd.h"
#include "framework/standard_ids.h"
#include "game/command_ids.h"
#include "game/information_dialogs.h"
#include "game/torvel_doc.h"
#include "shell/base_location.h"
#include "shell/main_frame.h"
#include "shell/main_frame_resources.h"
#include "view/torvel_view.h"

namespace shell {

namespace {

// The first size of the frame: what it asks for, cut to the screen's free area. The window
// manager's frame is not known before the window is shown; a title bar's height is kept for it.
QSize FirstSize(const QWidget& frame) {
    const QScreen* screen = frame.screen();
    if (screen == nullptr) {
        return frame.sizeHint();
    }
    QSize decorations = frame.frameSize() - frame.size();
    if (decorations.isEmpty()) {
        decorations = QSize(0, frame.style()->pixelMetric(QStyle::PM_TitleBarHeight));
    }
    return frame.sizeHint().boundedTo(screen->availableGeometry().size() - decorations);
}

}  // namespace

CTorvelApp::CTorvelApp() : framework::Application(QStringLiteral("Torvel")) {
    MapCommand(framework::kFileNew, [this] { OnFileNew(); });
    MapCommand(framework::kFileOpen, [this] { OnFileOpen(); });
    MapCommand(framework::kFilePrintSetup, [this] { OnFilePrintSetup(); });
    MapCommand(framework::kAppAbout, [] { game::ShowInformation(game::Information::About); });
    MapCommand(game::kInstructionsCommand,
               [] { game::ShowInformation(game::Information::Instructions); });
    MapCommand(game::kLegalCommand, [] { game::ShowInformation(game::Information::Legal); });
}

bool CTorvelApp::InitInstance(const framework::CommandLineInfo& commandLine) {
    // Qt's widgets need no control container and are drawn in relief already.
    SetRegistryKey(QString::fromLatin1(kSettingsKey));
    LoadStdProfileSettings(4);
    const BaseLocation base = ChooseBaseFile(commandLine);
    AddDocTemplate(std::make_unique<framework::DocTemplate>(
        MainFrameResources(),
        [base] { return std::make_unique<game::CTorvelDoc>(base.path, base.rule); },
        [] { return new CMainFrame(); }, [] { return new view::CTorvelView(); }));
    if (!ProcessShellCommand(commandLine)) {
        return false;
    }
    framework::FrameWnd* frame = GetMainWnd();
    if (frame == nullptr) {
        return false;
    }
    // What the base file has to tell goes to standard error and stays in the status bar, from
    // start-up on.
    auto* bar = static_cast<framework::StatusBar*>(frame->statusBar());
    auto tell = [bar](const QString& notice) {
        std::cerr << "torvel: " << notice.toStdString() << std::endl;
        bar->ShowNotice(notice.left(1).toUpper() + notice.mid(1));
    };
    if (!base.problem.isEmpty()) {
        tell(base.problem);
    }
    auto* document = static_cast<game::CTorvelDoc*>(GetDocTemplate()->GetDocument());
    document->engine.GetTable()->SetNoticeHandler(
        [tell](const std::string& notice) { tell(QString::fromStdString(notice)); });
    // The dialogs, which belong to the main window, show the program's icon too.
    QApplication::setWindowIcon(frame->windowIcon());
    // Big enough for a seven-row board and the button below it, as far as the screen has room.
    if (auto* board = dynamic_cast<view::CTorvelView*>(frame->GetActiveView())) {
        board->ZoomAsLastTime();
    }
    frame->resize(FirstSize(*frame));
    frame->showNormal();
    frame->repaint();
    return true;
}

}  // namespace shell
