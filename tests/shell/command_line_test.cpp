// The torvel program's command line, run as a user runs it: help and version work without a
// display, and wrong arguments end with a message and a failing status, never a crash.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

namespace {

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

Outcome Torvel(const QStringList& arguments, bool withDisplay) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    if (withDisplay) {
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TORVEL_BINARY), arguments);
    Outcome run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.status = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

TEST(CommandLine, HelpAndVersionNeedNoDisplay) {
    const Outcome help = Torvel({"--help"}, false);
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: torvel [FILE]")) << help.out.toStdString();
    const Outcome version = Torvel({"--version"}, false);
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, QStringLiteral("torvel 1.0.0\n"));
}

TEST(CommandLine, WrongArgumentsFailWithAMessage) {
    for (bool display : {false, true}) {
        const Outcome unknown = Torvel({"--frobnicate"}, display);
        EXPECT_EQ(unknown.status, 2) << display;
        EXPECT_TRUE(unknown.err.contains("unknown option '--frobnicate'"))
            << unknown.err.toStdString();
        EXPECT_TRUE(unknown.err.contains("Usage:"));
    }
    const Outcome two = Torvel({"one", "two"}, true);
    EXPECT_EQ(two.status, 2);
    EXPECT_TRUE(two.err.contains("more than one file"));
}

TEST(CommandLine, WithoutADisplayTheProgramSaysSoAndStops) {
    const Outcome run = Torvel({}, false);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("no display")) << run.err.toStdString();
}

}  // namespace
