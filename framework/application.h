// The application: the last target on every command's route, the owner of the document
// template, the settings and the recent-file list, and the printer settings that printing,
// print set-up and print preview share.
//
// A program derives from it, sets everything up in `InitInstance` (settings key, recent-file
// list, template, then the shell command from the command line) and calls `Run`. There is one
// application at a time; `GetApp` finds it.
#pragma once

#include <QString>
#include <memory>

#include "framework/cmd_target.h"
#include "framework/command_line.h"
#include "framework/recent_file_list.h"

class QPrinter;
class QSettings;

namespace framework {

class DocTemplate;
class Document;
class FrameWnd;

class Application : public CmdTarget {
  public:
    explicit Application(QString title);
    ~Application() override;

    virtual bool InitInstance(const CommandLineInfo& commandLine) = 0;
    // The event loop, until the main frame closes.
    int Run();

    const QString& AppTitle() const { return appTitle; }
    // Settings live under this organisation and the application title.
    void SetRegistryKey(const QString& organisation);
    const QString& RegistryKey() const { return registryKey; }
    std::unique_ptr<QSettings> OpenSettings() const;
    // Reads the recent-file list, keeping `recentCount` entries.
    void LoadStdProfileSettings(int recentCount = 4);
    RecentFileList* GetRecentFileList() const { return recentFiles.get(); }
    void AddToRecentFileList(const QString& path);

    void AddDocTemplate(std::unique_ptr<DocTemplate> docTemplate);
    DocTemplate* GetDocTemplate() const { return docTemplate.get(); }
    FrameWnd* GetMainWnd() const;

    // Runs what the command line asked for; false when it failed.
    bool ProcessShellCommand(const CommandLineInfo& commandLine);
    Document* OpenDocumentFile(const QString& path);
    // Asks for a file name through the modal runner; false when cancelled.
    bool DoPromptFileName(QString& fileName, const QString& title, bool open);
    QPrinter& GetPrinter();

    // The standard commands a program maps: new, open, print set-up. Exit is mapped here.
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnAppExit();

  private:
    QString appTitle;
    QString registryKey;
    std::unique_ptr<RecentFileList> recentFiles;
    std::unique_ptr<DocTemplate> docTemplate;
    std::unique_ptr<QPrinter> printer;
};

// The application, or null when none exists.
Application* GetApp();

}  // namespace framework
