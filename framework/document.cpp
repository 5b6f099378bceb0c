#include "framework/document.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

#include "framework/application.h"
#include "framework/doc_template.h"
#include "framework/frame_wnd.h"
#include "framework/message_box.h"
#include "framework/translation.h"
#include "framework/view.h"

namespace framework {

namespace {
QWidget* MainWindow() {
    Application* app = GetApp();
    return app != nullptr ? app->GetMainWnd() : nullptr;
}
}  // namespace

Document::Document() {
    MapCommand(kFileSave, [this] { DoFileSave(); });
    MapCommand(kFileSaveAs, [this] { DoSave(QString()); });
}

Document::~Document() {
    for (View* view : views) {
        view->attachedDocument = nullptr;
    }
}

bool Document::OnNewDocument() {
    DeleteContents();
    SetModifiedFlag(false);
    pathName.clear();
    return true;
}

bool Document::OnOpenDocument(const QString& path) {
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        MessageBox(MainWindow(), QTr("Cannot open the file %1.").arg(QuotedFileName(path)));
        return false;
    }
    DeleteContents();
    Archive archive(file, false);
    Serialize(archive);
    SetModifiedFlag(false);
    return true;
}

bool Document::OnSaveDocument(const QString& path) {
    QSaveFile file(path);
    bool saved = file.open(QIODevice::WriteOnly);
    if (saved) {
        Archive archive(file, true);
        Serialize(archive);
        saved = file.commit();
    }
    if (!saved) {
        MessageBox(MainWindow(), QTr("Cannot save the file %1.").arg(QuotedFileName(path)));
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

void Document::Serialize(Archive&) {}

bool Document::SaveModified() {
    if (!IsModified()) {
        return true;
    }
    switch (MessageBox(MainWindow(), QTr("Save changes to %1?").arg(title),
                       MessageButtons::YesNoCancel, MessageIcon::Question)) {
        case kIdYes:
            return DoFileSave();
        case kIdNo:
            return true;
        default:
            return false;
    }
}

bool Document::DoSave(const QString& path) {
    QString target = path;
    const bool naming = target.isEmpty();
    if (naming) {
        Application* app = GetApp();
        target = pathName.isEmpty() ? title : pathName;
        if (app == nullptr || !app->DoPromptFileName(target, QTr("Save As"), false)) {
            return false;
        }
    }
    switch (SaveToFile(target, naming ? PathSource::ChosenNow : PathSource::Document)) {
        case SaveOutcome::Saved:
            SetPathName(target);
            return true;
        case SaveOutcome::AskForName:
            return !naming && DoSave(QString());
        case SaveOutcome::NotSaved:
            break;
    }
    return false;
}

Document::SaveOutcome Document::SaveToFile(const QString& path, PathSource source) {
    if (source == PathSource::ChosenNow && QFileInfo::exists(path) &&
        MessageBox(MainWindow(),
                   QTr("%1 already exists.\nDo you want to replace it?").arg(EscapedFileName(path)),
                   MessageButtons::YesNo, MessageIcon::Warning) != kIdYes) {
        return SaveOutcome::NotSaved;
    }
    return OnSaveDocument(path) ? SaveOutcome::Saved : SaveOutcome::NotSaved;
}

bool Document::DoFileSave() {
    return DoSave(pathName);
}

void Document::UpdateAllViews(View* sender, long hint, QObject* hintObject) {
    // Copied: a view may go away while it updates.
    const std::vector<View*> current = views;
    for (View* view : current) {
        if (view != sender) {
            view->OnUpdate(sender, hint, hintObject);
        }
    }
}

void Document::SetTitle(const QString& newTitle) {
    title = newTitle;
    if (docTemplate != nullptr) {
        docTemplate->UpdateFrameTitle();
    }
}

void Document::SetPathName(const QString& path, bool addToRecentList) {
    const QFileInfo info(path);
    pathName = info.absoluteFilePath();
    if (addToRecentList) {
        if (Application* app = GetApp()) {
            app->AddToRecentFileList(pathName);
        }
    }
    SetTitle(DisplayName(info.fileName()));
}

void Document::ForgetFile() {
    pathName.clear();
    if (docTemplate != nullptr) {
        docTemplate->SetDefaultTitle();
    }
}

void Document::AddView(View* view) {
    if (view->attachedDocument != nullptr) {
        view->attachedDocument->RemoveView(view);
    }
    views.push_back(view);
    view->attachedDocument = this;
}

void Document::RemoveView(View* view) {
    views.erase(std::remove(views.begin(), views.end(), view), views.end());
    if (view->attachedDocument == this) {
        view->attachedDocument = nullptr;
    }
}

}  // namespace framework
