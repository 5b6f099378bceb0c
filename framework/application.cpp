#include "framework/application.h"

#include <QApplication>
#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QSettings>

#include "framework/doc_template.h"
#include "framework/document.h"
#include "framework/frame_wnd.h"
#include "framework/modal_runner.h"
#include "framework/translation.h"

namespace framework {

namespace {
Application* currentApp = nullptr;
}

Application* GetApp() {
    return currentApp;
}

Application::Application(QString title) : appTitle(std::move(title)) {
    currentApp = this;
    MapCommand(kAppExit, [this] { OnAppExit(); });
}

Application::~Application() {
    docTemplate.reset();
    if (currentApp == this) {
        currentApp = nullptr;
    }
}

int Application::Run() {
    return QApplication::exec();
}

void Application::SetRegistryKey(const QString& organisation) {
    registryKey = organisation;
}

std::unique_ptr<QSettings> Application::OpenSettings() const {
    return std::make_unique<QSettings>(registryKey, appTitle);
}

void Application::LoadStdProfileSettings(int recentCount) {
    recentFiles = std::make_unique<RecentFileList>(recentCount);
    auto settings = OpenSettings();
    recentFiles->ReadList(*settings);
}

void Application::AddToRecentFileList(const QString& path) {
    if (recentFiles == nullptr) {
        return;
    }
    recentFiles->Add(path);
    auto settings = OpenSettings();
    recentFiles->WriteList(*settings);
}

void Application::AddDocTemplate(std::unique_ptr<DocTemplate> templateToAdd) {
    docTemplate = std::move(templateToAdd);
}

FrameWnd* Application::GetMainWnd() const {
    return docTemplate != nullptr ? docTemplate->GetFrame() : nullptr;
}

bool Application::ProcessShellCommand(const CommandLineInfo& commandLine) {
    switch (commandLine.shellCommand) {
        case CommandLineInfo::ShellCommand::FileNew:
            OnFileNew();
            return GetMainWnd() != nullptr;
        case CommandLineInfo::ShellCommand::FileOpen:
            return OpenDocumentFile(commandLine.fileName) != nullptr;
        default:
            return false;
    }
}

Document* Application::OpenDocumentFile(const QString& path) {
    return docTemplate != nullptr ? docTemplate->OpenDocumentFile(path, false) : nullptr;
}

bool Application::DoPromptFileName(QString& fileName, const QString& title, bool open) {
    QFileDialog dialog(GetMainWnd(), title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The overwrite question is the document's, asked after the dialog.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!fileName.isEmpty()) {
        dialog.selectFile(fileName);
    }
    if (RunModal(dialog) != QDialog::Accepted) {
        return false;
    }
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty()) {
        return false;
    }
    fileName = chosen.first();
    return true;
}

QPrinter& Application::GetPrinter() {
    if (printer == nullptr) {
        // At screen resolution a page pixel is a screen pixel: printed views keep their size.
        printer = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
    }
    return *printer;
}

void Application::OnFileNew() {
    if (docTemplate != nullptr) {
        docTemplate->OpenDocumentFile(QString(), false);
    }
}

void Application::OnFileOpen() {
    QString fileName;
    if (DoPromptFileName(fileName, QTr("Open"), true)) {
        OpenDocumentFile(fileName);
    }
}

void Application::OnFilePrintSetup() {
    QPageSetupDialog dialog(&GetPrinter(), GetMainWnd());
    RunModal(dialog);
}

void Application::OnAppExit() {
    if (FrameWnd* frame = GetMainWnd()) {
        frame->close();
    }
}

}  // namespace framework
