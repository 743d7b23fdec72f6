#include "bridge/resources.h"

#include <cstdlib>
#include <filesystem>

namespace zub {

namespace {

std::string installed_directory() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return {};
    const auto share = program.parent_path().parent_path() / "share" / "zubaroo";
    return std::filesystem::exists(share / "MyConstants.plist", error) ? share.string() : std::string();
}

}  // namespace

const std::string& resource_directory() {
    static const std::string directory = [] {
        if (const char* chosen = std::getenv("ZUB_RESOURCE_DIR"); chosen != nullptr && *chosen != '\0')
            return std::string(chosen);
        std::string installed = installed_directory();
        return installed.empty() ? std::string(ZUB_RESOURCE_DIR) : installed;
    }();
    return directory;
}

std::string resource_path(const std::string& name) { return resource_directory() + "/" + name; }

std::string cache_directory() {
    std::error_code error;
    if (std::filesystem::is_regular_file(resource_path("compatscales.dat"), error)) return resource_directory();
    return ZUB_BUILD_RESOURCE_DIR;
}

}  // namespace zub
