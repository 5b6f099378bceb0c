#include "shell/torvel_app.h"

#include <QApplication>
#include <QStatusBar>
#include <QTextStream>
#include <cstdio>

#include "framework/doc_template.h"
#include "framework/frame_wnd.h"
#include "framework/standard_ids.h"
#include "game/command_ids.h"
#include "game/torvel_doc.h"
#include "shell/base_location.h"
#include "shell/information_dialogs.h"
#include "shell/main_frame.h"
#include "shell/main_frame_resources.h"
#include "view/torvel_view.h"

namespace shell {

CTorvelApp::CTorvelApp() : framework::Application(QStringLiteral("Torvel")) {
    MapCommand(framework::kFileNew, [this] { OnFileNew(); });
    MapCommand(framework::kFileOpen, [this] { OnFileOpen(); });
    MapCommand(framework::kFilePrintSetup, [this] { OnFilePrintSetup(); });
    MapCommand(framework::kAppAbout, [] { CAboutDlg().DoModal(); });
    MapCommand(game::kInstructionsCommand, [] { CInstructionsDlg().DoModal(); });
    MapCommand(game::kLegalCommand, [] { CLegalDlg().DoModal(); });
}

bool CTorvelApp::InitInstance(const framework::CommandLineInfo& commandLine) {
    // Qt's widgets need no control container and are drawn in relief already.
    SetRegistryKey(QString::fromLatin1(kSettingsKey));
    LoadStdProfileSettings(4);
    const BaseLocation base = ChooseBaseFile(commandLine);
    AddDocTemplate(std::make_unique<framework::DocTemplate>(
        MainFrameResources(),
        [path = base.path] { return std::make_unique<game::CTorvelDoc>(path); },
        [] { return new CMainFrame(); }, [] { return new view::CTorvelView(); }));
    if (!ProcessShellCommand(commandLine)) {
        return false;
    }
    framework::FrameWnd* frame = GetMainWnd();
    if (frame == nullptr) {
        return false;
    }
    // What the base file's saving has to tell shows in the status bar; the board stays as it is.
    auto* document = static_cast<game::CTorvelDoc*>(GetDocTemplate()->GetDocument());
    document->engine.GetTable()->SetNoticeHandler([frame](const std::string& notice) {
        QString text = QString::fromStdString(notice);
        text[0] = text[0].toUpper();
        frame->statusBar()->showMessage(text);
    });
    // The dialogs have no owner window; they show the program's icon too.
    QApplication::setWindowIcon(frame->windowIcon());
    if (!base.problem.isEmpty()) {
        QTextStream(stderr) << "torvel: " << base.problem << "\n";
        frame->statusBar()->showMessage(base.problem.left(1).toUpper() + base.problem.mid(1));
    }
    // Big enough for a seven-row board and the button below it, whatever the screen's size.
    frame->resize(frame->sizeHint());
    frame->showNormal();
    frame->repaint();
    return true;
}

}  // namespace shell
