#include "framework/frame_wnd.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScreen>
#include <QStyle>

#include "framework/application.h"
#include "framework/cmd_ui.h"
#include "framework/document.h"
#include "framework/translation.h"
#include "framework/view.h"

namespace framework {

namespace {

// An image file and, when one lies beside it as NAME@2x.EXT, its drawing at twice the size,
// so that the image stays sharp on a screen scaled to 200 % from the start or moved to later.
QIcon ImageIcon(const QString& file) {
    QIcon icon;
    if (file.isEmpty()) {
        return icon;
    }
    icon.addFile(file);
    const QFileInfo info(file);
    const QString twice = info.path() + '/' + info.completeBaseName() + "@2x." + info.suffix();
    if (QFileInfo::exists(twice)) {
        icon.addFile(twice);
    }
    return icon;
}

}  // namespace

FrameWnd::FrameWnd() {
    setAttribute(Qt::WA_DeleteOnClose);
    if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
        // The idle moment before the event loop waits is when toolbar buttons catch up.
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                         [this] { UpdateCmdUI(); });
    }
}

FrameWnd::~FrameWnd() {
    // The view goes before the frame's other parts and before the document it shows.
    activeView = nullptr;
    delete takeCentralWidget();
    if (onDestroyed) {
        auto notify = std::move(onDestroyed);
        notify();
    }
}

bool FrameWnd::LoadFrame(const FrameResources& frameResources, CreateContext& context) {
    resources = frameResources;
    setWindowTitle(QTranslated(resources.DocumentString(0)));
    const QIcon fallback(resources.iconFallback);
    setWindowIcon(resources.iconTheme.isEmpty() ? fallback
                                                : QIcon::fromTheme(resources.iconTheme, fallback));
    CreateActions();
    BuildMenu(nullptr, resources.menuBar);
    if (!OnCreate(context)) {
        return false;
    }
    UpdateCmdUI();
    return true;
}

bool FrameWnd::OnCreate(CreateContext& context) {
    if (!context.createView) {
        return false;
    }
    View* view = context.createView();
    if (view == nullptr) {
        return false;
    }
    if (context.document != nullptr) {
        context.document->AddView(view);
    }
    setCentralWidget(view);
    activeView = view;
    return true;
}

void FrameWnd::CreateActions() {
    for (const CommandResource& entry : resources.commands) {
        auto* action = new QAction(this);
        const QString prompt = QTranslated(entry.prompt);
        const QString tooltip = TooltipPrompt(prompt);
        // The menu writes the accelerator after the text from the shortcut itself, so the text
        // keeps only the item's words, which screen readers read as its name.
        action->setText(entry.text.isEmpty()
                            ? tooltip
                            : QTranslated(entry.text).section(QLatin1Char('\t'), 0, 0));
        action->setIconText(tooltip);
        action->setToolTip(tooltip);
        action->setStatusTip(StatusPrompt(prompt));
        QList<QKeySequence> keys;
        for (const QString& key : entry.keys) {
            keys.append(QKeySequence(key, QKeySequence::PortableText));
        }
        action->setShortcuts(keys);
        if (!entry.themeIcon.isEmpty() || !entry.fallbackIcon.isEmpty()) {
            action->setIcon(QIcon::fromTheme(entry.themeIcon, ImageIcon(entry.fallbackIcon)));
        }
        const CommandId id = entry.id;
        QObject::connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
        // Added to the frame itself so that every accelerator works, on a menu or not.
        addAction(action);
        commandActions[id] = action;
    }
}

void FrameWnd::BuildMenu(QMenu* menu, const std::vector<MenuResource>& items) {
    for (const MenuResource& item : items) {
        if (item.IsPopup()) {
            const QString text = QTranslated(item.popupText);
            QMenu* popup = menu == nullptr ? menuBar()->addMenu(text) : menu->addMenu(text);
            QObject::connect(popup, &QMenu::aboutToShow, this, [this] { UpdateCmdUI(); });
            BuildMenu(popup, item.items);
        } else if (item.IsSeparator()) {
            if (menu != nullptr) {
                menu->addSeparator();
            }
        } else if (QAction* action = GetAction(item.id); action != nullptr && menu != nullptr) {
            menu->addAction(action);
            if (item.checked) {
                CheckMenuItem(item.id, true);
            }
        }
    }
}

bool FrameWnd::OnCmdMsg(CommandId id, int code, void* extra, HandlerInfo* handlerInfo) {
    if (activeView != nullptr && activeView->OnCmdMsg(id, code, extra, handlerInfo)) {
        return true;
    }
    if (CmdTarget::OnCmdMsg(id, code, extra, handlerInfo)) {
        return true;
    }
    Application* app = GetApp();
    return app != nullptr && app->OnCmdMsg(id, code, extra, handlerInfo);
}

bool FrameWnd::ExecuteCommand(CommandId id) {
    if (QAction* action = GetAction(id)) {
        CmdUI(id, action).DoUpdate(*this);
        if (!action->isEnabled()) {
            return false;
        }
    }
    return OnCmdMsg(id, kCnCommand, nullptr, nullptr);
}

void FrameWnd::UpdateCmdUI() {
    for (const auto& [id, action] : commandActions) {
        CmdUI(id, action).DoUpdate(*this);
    }
}

QString FrameWnd::LoadString(uint32_t stringId) const {
    return QTranslated(resources.String(stringId));
}

QAction* FrameWnd::GetAction(CommandId id) const {
    auto found = commandActions.find(id);
    return found == commandActions.end() ? nullptr : found->second;
}

void FrameWnd::CheckMenuItem(CommandId id, bool checked) {
    if (QAction* action = GetAction(id)) {
        action->setCheckable(true);
        action->setChecked(checked);
    }
}

Document* FrameWnd::GetActiveDocument() const {
    return activeView != nullptr ? activeView->GetDocument() : nullptr;
}

void FrameWnd::OnUpdateFrameTitle() {
    const QString frameTitle = QTranslated(resources.DocumentString(0));
    Document* document = GetActiveDocument();
    if (document == nullptr || document->GetTitle().isEmpty()) {
        setWindowTitle(frameTitle);
    } else {
        // Qt reads "[*]" in a title as the place of its modified mark and shows "[*][*]" as
        // "[*]": a file's name is shown as it is named.
        QString name = document->GetTitle();
        name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
        setWindowTitle(name + QStringLiteral(" - ") + frameTitle);
    }
}

bool FrameWnd::HasOwnSize() const {
    return !playerSized && !isMaximized() && !isFullScreen();
}

QSize FrameWnd::FrameSizeFor(QSize viewSize) const {
    // The bars' room: as laid out once shown, as they ask for before.
    const QWidget* client = centralWidget();
    const QSize bars = client == nullptr ? QSize()
                       : isVisible()     ? size() - client->size()
                                         : sizeHint() - client->sizeHint();
    const QSize wanted = bars + viewSize;
    const QScreen* where = screen();
    if (where == nullptr) {
        return wanted;
    }
    QSize decorations = frameSize() - size();
    if (decorations.isEmpty()) {
        decorations = QSize(0, style()->pixelMetric(QStyle::PM_TitleBarHeight));
    }
    const QSize room = where->availableGeometry().size() - decorations;
    return wanted.width() <= room.width() && wanted.height() <= room.height() ? wanted : QSize();
}

void FrameWnd::ResizeOwn(QSize frameSize) {
    ownSize = frameSize;
    resize(frameSize);
}

void FrameWnd::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (!event->spontaneous()) {
        ownSize = event->size();  // the program's resize, or its layout's
    } else if (event->size() != ownSize && !isMaximized() && !isFullScreen()) {
        playerSized = true;
    }
}

void FrameWnd::InitialUpdateFrame(bool makeVisible) {
    if (Document* document = GetActiveDocument()) {
        for (View* view : document->GetViews()) {
            view->OnInitialUpdate();
        }
    }
    OnUpdateFrameTitle();
    if (makeVisible) {
        show();
    }
}

void FrameWnd::closeEvent(QCloseEvent* event) {
    Document* document = GetActiveDocument();
    if (document != nullptr && !document->SaveModified()) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace framework
