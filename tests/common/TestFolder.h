#pragma once
// A temporary folder of the running test's own, named after it and the process (several
// builds may run the same suite at once), made empty.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

inline std::string Test_Folder(const char* Prefix)
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const auto dir = std::filesystem::temp_directory_path() /
                     (std::string(Prefix) + "_" + info->test_suite_name() + "_" + info->name() + "_" +
                     std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}
