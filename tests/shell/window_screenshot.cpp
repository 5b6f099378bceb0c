// torvel-screenshot OUT.png: starts Torvel as the program does, on the offscreen platform
// unless another is set, and saves a picture of the whole main window (menu bar, toolbar,
// board, status bar). A way for anyone to look at the window without a display.
#include <stdlib.h>

#include <QApplication>
#include <QPixmap>
#include <QTextStream>

#include "framework/frame_wnd.h"
#include "shell/torvel_app.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        QTextStream(stderr) << "usage: torvel-screenshot OUT.png\n";
        return 2;
    }
    if (::getenv("QT_QPA_PLATFORM") == nullptr) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication qtApp(argc, argv);
    shell::CTorvelApp app;
    if (!app.InitInstance(framework::CommandLineInfo{})) {
        return 1;
    }
    framework::FrameWnd* frame = app.GetMainWnd();
    QApplication::processEvents();
    const QString out = QString::fromLocal8Bit(argv[1]);
    if (!frame->grab().save(out)) {
        QTextStream(stderr) << "torvel-screenshot: cannot write " << out << "\n";
        return 1;
    }
    return 0;
}
