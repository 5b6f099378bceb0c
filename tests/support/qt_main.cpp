// The main() of the window tests. Before QApplication exists (test discovery runs the program at
// build time, often with no display) it picks the offscreen platform unless one is set, and
// gives the program private runtime and settings folders, so that runs never share settings.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <filesystem>

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::string folder = (std::filesystem::temp_directory_path() / "torvel-qt-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {  // made readable by its owner only
        return 1;
    }
    ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    int result = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    std::filesystem::remove_all(folder);
    return result;
}
