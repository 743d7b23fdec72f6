// A throw-away HOME, KEL_PATH and current directory for tests that touch the
// compatibility cache, so no test reads or writes the real ~/.kel/.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "core/analysis/compatscales.h"

namespace zub::testing_env {

class Temp_env {
public:
    Temp_env() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zubcst.XXXXXX").string();
        root_ = ::mkdtemp(pattern.data());
        old_home_ = saved("HOME");
        old_kel_path_ = saved("KEL_PATH");
        old_cwd_ = std::filesystem::current_path();
        std::filesystem::create_directories(root_ / "home");
        std::filesystem::create_directories(root_ / "cwd");
        ::setenv("HOME", (root_ / "home").c_str(), 1);
        ::unsetenv("KEL_PATH");
        std::filesystem::current_path(root_ / "cwd");
        Compatscales::set_cache_pathname((root_ / "no-such-folder").string());
        Compatscales::forget_table();
    }
    ~Temp_env() {
        std::filesystem::current_path(old_cwd_);
        restore("HOME", old_home_);
        restore("KEL_PATH", old_kel_path_);
        Compatscales::set_cache_pathname("");
        Compatscales::forget_table();
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    Temp_env(const Temp_env&) = delete;
    Temp_env& operator=(const Temp_env&) = delete;

    std::filesystem::path path(const std::string& relative) const { return root_ / relative; }
    std::filesystem::path make_folder(const std::string& relative) const {
        std::filesystem::create_directories(root_ / relative);
        return root_ / relative;
    }

private:
    static std::optional<std::string> saved(const char* name) {
        const char* value = std::getenv(name);
        return value == nullptr ? std::nullopt : std::optional<std::string>(value);
    }
    static void restore(const char* name, const std::optional<std::string>& value) {
        if (value) ::setenv(name, value->c_str(), 1);
        else ::unsetenv(name);
    }

    std::filesystem::path root_;
    std::filesystem::path old_cwd_;
    std::optional<std::string> old_home_;
    std::optional<std::string> old_kel_path_;
};

}  // namespace zub::testing_env
