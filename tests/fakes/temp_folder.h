#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

namespace tavlo::testing {

// A fresh folder under the system's temporary folder, removed afterwards.
struct TempFolder {
    explicit TempFolder(std::string_view purpose)
        : path(std::filesystem::temp_directory_path()
            / ("tavlo-" + std::string(purpose) + "-" + std::to_string(std::random_device{}())))
    {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path path;
};

// Writes a file, making the folders on its way.
inline void writeFile(const std::filesystem::path& file, std::string_view content)
{
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
}

}  // namespace tavlo::testing
