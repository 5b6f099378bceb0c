// The standard command line, and the settings with the recent-file list.
#include <gtest/gtest.h>

#include <QSettings>

#include "framework/command_line.h"
#include "framework/recent_file_list.h"

namespace {

using Shell = framework::CommandLineInfo::ShellCommand;

TEST(CommandLine, NoArgumentMakesANewDocumentAndOneFileOpensIt) {
    EXPECT_EQ(framework::ParseCommandLine({}).shellCommand, Shell::FileNew);
    const auto open = framework::ParseCommandLine({"game.tvl"});
    EXPECT_EQ(open.shellCommand, Shell::FileOpen);
    EXPECT_EQ(open.fileName, QStringLiteral("game.tvl"));
    const auto dashed = framework::ParseCommandLine({"--", "-odd name"});
    EXPECT_EQ(dashed.shellCommand, Shell::FileOpen);
    EXPECT_EQ(dashed.fileName, QStringLiteral("-odd name"));
}

TEST(CommandLine, HelpAndVersionWinOverEverything) {
    EXPECT_EQ(framework::ParseCommandLine({"a", "--bogus", "--help"}).shellCommand, Shell::Help);
    EXPECT_EQ(framework::ParseCommandLine({"-h"}).shellCommand, Shell::Help);
    EXPECT_EQ(framework::ParseCommandLine({"x", "--version"}).shellCommand, Shell::Version);
}

TEST(CommandLine, WrongArgumentsAreErrorsWithAReason) {
    for (const QStringList& arguments : {QStringList{"--bogus"}, QStringList{"a", "b"},
                                         QStringList{""}, QStringList{"-x", "file"}}) {
        const auto info = framework::ParseCommandLine(arguments);
        EXPECT_EQ(info.shellCommand, Shell::Error) << arguments.join(' ').toStdString();
        EXPECT_FALSE(info.error.isEmpty());
    }
    EXPECT_TRUE(framework::CommandLineUsage("prog", "Does things.").contains("--version"));
}

TEST(RecentFileList, KeepsTheNewestFourOnceEach) {
    framework::RecentFileList list(4);
    for (const char* name : {"/a", "/b", "/c", "/d", "/e"}) {
        list.Add(name);
    }
    EXPECT_EQ(list.Files(), (QStringList{"/e", "/d", "/c", "/b"}));
    list.Add("/c");
    EXPECT_EQ(list.Files(), (QStringList{"/c", "/e", "/d", "/b"}));
    list.Remove(7);
    list.Remove(0);
    EXPECT_EQ(list.Files(), (QStringList{"/e", "/d", "/b"}));
}

TEST(RecentFileList, RoundTripsThroughTheSettings) {
    QSettings settings(QStringLiteral("Local AppWizard-Generated Applications"),
                       QStringLiteral("Tester"));
    framework::RecentFileList written(4);
    written.Add("/one");
    written.Add("/two");
    written.WriteList(settings);
    EXPECT_EQ(settings.value("Recent File List/File1").toString(), QStringLiteral("/two"));
    EXPECT_EQ(settings.value("Recent File List/File2").toString(), QStringLiteral("/one"));
    framework::RecentFileList read(4);
    read.ReadList(settings);
    EXPECT_EQ(read.Files(), written.Files());
}

}  // namespace
