// The main() of every window test program. Before QApplication exists (test discovery runs
// the program at build time, often with no display) it picks the offscreen platform unless
// one is set, and gives the program private runtime and settings folders, so that tests run
// side by side and never touch the user's settings.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <filesystem>
#include <string>

namespace {

std::string MakePrivateFolder(const char* name) {
    std::string pattern = (std::filesystem::temp_directory_path() / name).string();
    // mkdtemp makes the folder readable by its owner only (0700).
    const char* made = ::mkdtemp(pattern.data());
    return made != nullptr ? std::string(made) : std::string();
}

}  // namespace

int main(int argc, char** argv) {
    if (::getenv("QT_QPA_PLATFORM") == nullptr) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    const std::string runtime = MakePrivateFolder("torvel-runtime-XXXXXX");
    const std::string config = MakePrivateFolder("torvel-config-XXXXXX");
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);

    int result = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    std::error_code ignored;
    std::filesystem::remove_all(runtime, ignored);
    std::filesystem::remove_all(config, ignored);
    return result;
}
