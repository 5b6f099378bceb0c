#include "shell/base_location.h"

#include <QDir>
#include <QFile>
#include <filesystem>
#include <system_error>

#include "table/base_file.h"

namespace shell {

BaseLocation ChooseBaseFile(const framework::CommandLineInfo& commandLine) {
    if (!commandLine.baseFile.isEmpty()) {
        return {QFile::encodeName(commandLine.baseFile).toStdString(), {}};
    }
    if (!commandLine.userBase) {
        return {table::kBaseFileName, {}};
    }
    // A relative XDG_DATA_HOME is to be ignored, as an unset one.
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(dataHome)) {
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    }
    const QString folder = QDir::cleanPath(dataHome + QStringLiteral("/torvel"));
    const std::filesystem::path folderPath = QFile::encodeName(folder).toStdString();
    std::error_code error;
    std::filesystem::create_directories(folderPath, error);
    if (!error && !std::filesystem::is_directory(folderPath, error)) {
        error = std::make_error_code(std::errc::not_a_directory);
    }
    if (error) {
        return {{},
                QStringLiteral("the folder '%1' for the base file cannot be made (%2); the "
                               "computer's positions are not kept this time")
                    .arg(folder, QString::fromLocal8Bit(error.message()))};
    }
    return {(folderPath / table::kBaseFileName).string(), {}};
}

}  // namespace shell
