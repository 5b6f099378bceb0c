// Open, Save and Print through the framework's standard paths, driven by a modal runner: Open
// renames the document and fills the recent-file list, Save writes an empty file after the
// overwrite question, and printing draws the board on one page.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QSettings>

#include "app_fixture.h"
#include "framework/modal_runner.h"
#include "framework/recent_file_list.h"

namespace {

using testsupport::AppFixture;

// Answers file dialogs with `fileName` and message boxes with `answer`, noting what it saw.
struct Answers {
    explicit Answers(QString name = {}, QMessageBox::StandardButton reply = QMessageBox::Ok)
        : fileName(std::move(name)), answer(reply) {}

    QString fileName;
    QMessageBox::StandardButton answer;
    QStringList seen;

    int operator()(QDialog& dialog) {
        if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
            seen << QStringLiteral("file");
            if (fileName.isEmpty()) {
                return QDialog::Rejected;
            }
            files->selectFile(fileName);
            return QDialog::Accepted;
        }
        if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
            seen << QStringLiteral("message: ") + box->text();
            return answer;
        }
        seen << QStringLiteral("other");
        return QDialog::Rejected;
    }
};

QString Write(const testsupport::TempDir& dir, const char* name, const QByteArray& content) {
    const QString path = QString::fromStdString(dir.File(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return path;
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

class FileCommands : public AppFixture {};

TEST_F(FileCommands, OpenRenamesTheDocumentAndLeavesTheGameAlone) {
    Start();
    const QString path = Write(workDir, "old game.tvl", "anything at all");
    Document()->engine.ApplyMove(engine::Move{2, 1});
    View()->messageLine1 = "kept";
    Answers answers{path};
    {
        framework::ScopedModalRunner runner(std::ref(answers));
        ASSERT_TRUE(frame->ExecuteCommand(framework::kFileOpen));
    }
    EXPECT_EQ(answers.seen, (QStringList{"file"}));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("old game.tvl - Torvel"));
    EXPECT_EQ(Document()->engine.GetRows(), (std::vector<int32_t>{1, 3, 4, 7}));
    EXPECT_EQ(View()->messageLine1, "kept");
    EXPECT_EQ(app->GetRecentFileList()->Files().value(0), path);
    QSettings settings(QStringLiteral("Local AppWizard-Generated Applications"),
                       QStringLiteral("Torvel"));
    EXPECT_EQ(settings.value("Recent File List/File1").toString(), path);
    EXPECT_EQ(Read(path), QByteArray("anything at all"));
}

TEST_F(FileCommands, AFileThatCannotBeOpenedIsReportedAndChangesNothing) {
    Start();
    Answers answers{QString::fromStdString(workDir.File("no such file"))};
    {
        framework::ScopedModalRunner runner(std::ref(answers));
        frame->ExecuteCommand(framework::kFileOpen);
        answers.fileName = QString::fromStdString(workDir.Path().string());
        frame->ExecuteCommand(framework::kFileOpen);
        answers.fileName.clear();
        frame->ExecuteCommand(framework::kFileOpen);
    }
    ASSERT_EQ(answers.seen.size(), 5);
    EXPECT_TRUE(answers.seen[1].startsWith("message: Cannot open"));
    EXPECT_TRUE(answers.seen[3].startsWith("message: Cannot open"));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Untitled - Torvel"));
    EXPECT_TRUE(app->GetRecentFileList()->Files().isEmpty());
}

TEST_F(FileCommands, TheRecentFileListKeepsFour) {
    Start();
    Answers answers;
    framework::ScopedModalRunner runner(std::ref(answers));
    QStringList opened;
    for (const char* name : {"1.tvl", "2.tvl", "3.tvl", "4.tvl", "5.tvl"}) {
        answers.fileName = Write(workDir, name, "");
        opened.prepend(answers.fileName);
        frame->ExecuteCommand(framework::kFileOpen);
    }
    EXPECT_EQ(app->GetRecentFileList()->Files(), opened.mid(0, 4));
    QSettings settings(QStringLiteral("Local AppWizard-Generated Applications"),
                       QStringLiteral("Torvel"));
    EXPECT_EQ(settings.value("Recent File List/File4").toString(), opened[3]);
    EXPECT_FALSE(settings.contains("Recent File List/File5"));
}

TEST_F(FileCommands, SaveAsksForANameAndWritesAnEmptyFile) {
    Start();
    const QString path = QString::fromStdString(workDir.File("saved.tvl"));
    Answers answers{path};
    {
        framework::ScopedModalRunner runner(std::ref(answers));
        ASSERT_TRUE(frame->ExecuteCommand(framework::kFileSave));
    }
    EXPECT_EQ(answers.seen, (QStringList{"file"}));
    EXPECT_EQ(Read(path), QByteArray());
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("saved.tvl - Torvel"));
    // Named now: the next Save writes without asking.
    Write(workDir, "saved.tvl", "filled meanwhile");
    {
        framework::ScopedModalRunner runner(std::ref(answers));
        frame->ExecuteCommand(framework::kFileSave);
    }
    EXPECT_EQ(answers.seen.size(), 1);
    EXPECT_EQ(Read(path), QByteArray());
}

TEST_F(FileCommands, SavingOverAFileAsksFirst) {
    Start();
    const QString path = Write(workDir, "precious.tvl", "precious");
    Answers answers{path, QMessageBox::No};
    {
        framework::ScopedModalRunner runner(std::ref(answers));
        frame->ExecuteCommand(framework::kFileSave);
    }
    ASSERT_EQ(answers.seen.size(), 2);
    EXPECT_TRUE(answers.seen[1].contains("already exists"));
    EXPECT_EQ(Read(path), QByteArray("precious"));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Untitled - Torvel"));
    answers.answer = QMessageBox::Yes;
    {
        framework::ScopedModalRunner runner(std::ref(answers));
        frame->ExecuteCommand(framework::kFileSave);
    }
    EXPECT_EQ(Read(path), QByteArray());
}

TEST_F(FileCommands, AFileOnTheCommandLineIsOpenedAtStartUp) {
    const QString path = Write(workDir, "start.tvl", "");
    framework::CommandLineInfo commandLine;
    commandLine.shellCommand = framework::CommandLineInfo::ShellCommand::FileOpen;
    commandLine.fileName = path;
    Start(commandLine);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("start.tvl - Torvel"));
    EXPECT_EQ(Document()->engine.GetRows(), (std::vector<int32_t>{1, 3, 5, 7}));
}

TEST_F(FileCommands, AMissingFileOnTheCommandLineEndsStartUp) {
    framework::CommandLineInfo commandLine;
    commandLine.shellCommand = framework::CommandLineInfo::ShellCommand::FileOpen;
    commandLine.fileName = QString::fromStdString(workDir.File("gone.tvl"));
    Answers answers;
    framework::ScopedModalRunner runner(std::ref(answers));
    shell::CTorvelApp failing;
    EXPECT_FALSE(failing.InitInstance(commandLine));
    EXPECT_EQ(failing.GetMainWnd(), nullptr);
    EXPECT_EQ(failing.GetDocTemplate()->GetDocument(), nullptr);
    ASSERT_EQ(answers.seen.size(), 1);
    EXPECT_TRUE(answers.seen[0].startsWith("message: Cannot open"));
}

int PdfPages(const QByteArray& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    int pages = 0;
    for (auto match = page.globalMatch(QString::fromLatin1(pdf)); match.hasNext(); match.next()) {
        ++pages;
    }
    return pages;
}

class Printing : public AppFixture {
  protected:
    QString PrintToPdf(const char* name) {
        const QString path = QString::fromStdString(workDir.File(name));
        QPrinter& printer = app->GetPrinter();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return path;
    }
};

TEST_F(Printing, PrintGoesThroughThePrintDialogAndMakesOnePage) {
    Start();
    const QString pdf = PrintToPdf("board.pdf");
    QStringList seen;
    int answer = QDialog::Rejected;  // cancelled first: nothing printed
    framework::ScopedModalRunner runner([&](QDialog& dialog) {
        seen << (qobject_cast<QPrintDialog*>(&dialog) != nullptr ? "print" : "other");
        return answer;
    });
    frame->ExecuteCommand(framework::kFilePrint);
    EXPECT_FALSE(QFile::exists(pdf));
    answer = QDialog::Accepted;
    ASSERT_TRUE(frame->ExecuteCommand(framework::kFilePrint));
    EXPECT_EQ(seen, (QStringList{"print", "print"}));
    EXPECT_EQ(PdfPages(Read(pdf)), 1);
    // At screen resolution a page pixel is a screen pixel, so the board keeps its size.
    EXPECT_EQ(app->GetPrinter().resolution(), View()->logicalDpiY());
}

TEST_F(Printing, DirectPrintAndPreviewDrawTheBoardOnOnePage) {
    Start();
    const QString pdf = PrintToPdf("direct.pdf");
    ASSERT_TRUE(frame->ExecuteCommand(framework::kFilePrintDirect));
    EXPECT_EQ(PdfPages(Read(pdf)), 1);
    int previewPages = -1;
    {
        framework::ScopedModalRunner runner([&previewPages](QDialog& dialog) {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(&dialog);
            if (preview != nullptr) {
                dialog.show();
                previewPages = dialog.findChild<QPrintPreviewWidget*>()->pageCount();
                dialog.hide();
            }
            return int(QDialog::Rejected);
        });
        ASSERT_TRUE(frame->ExecuteCommand(framework::kFilePrintPreview));
    }
    EXPECT_EQ(previewPages, 1);
    {
        bool pageSetup = false;
        framework::ScopedModalRunner runner([&pageSetup](QDialog& dialog) {
            pageSetup = qobject_cast<QPageSetupDialog*>(&dialog) != nullptr;
            return int(QDialog::Rejected);
        });
        ASSERT_TRUE(frame->ExecuteCommand(framework::kFilePrintSetup));
        EXPECT_TRUE(pageSetup);
    }
}

}  // namespace
