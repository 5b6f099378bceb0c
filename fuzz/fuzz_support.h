// What the fuzz targets share: a check that stops the run with a message (libFuzzer keeps the
// input that set it off), and a private working folder, removed at exit, for the files they write.
#pragma once

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#define FUZZ_CHECK(condition)                                                                  \
    ((condition)                                                                               \
         ? void()                                                                              \
         : (std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition), \
            std::abort()))

namespace fuzz {

inline void EnterPrivateFolder() {
    static std::string folder =
        (std::filesystem::temp_directory_path() / "torvel-fuzz-XXXXXX").string();
    FUZZ_CHECK(::mkdtemp(folder.data()) != nullptr);
    std::filesystem::current_path(folder);
    std::atexit([] { std::filesystem::remove_all(folder); });
}

}  // namespace fuzz
