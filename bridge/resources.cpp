#include "bridge/resources.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "bridge/bridge_exception.h"
#include "bridge/plist_io.h"

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

Plist resource_table(const std::string& name) {
    const std::string path = resource_path(name);
    std::error_code error;
    std::ifstream file(path, std::ios::binary);
    // A folder opens as a stream but fails on the first read.
    if (!std::filesystem::is_regular_file(path, error) || !file)
        throw Bridge_exception("resource_table", "Cannot read resource: " + path);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    if (file.bad()) throw Bridge_exception("resource_table", "Cannot read resource: " + path);
    return read_plist(bytes);
}

std::string cache_directory() {
    std::error_code error;
    if (std::filesystem::is_regular_file(resource_path("compatscales.dat"), error)) return resource_directory();
    return ZUB_BUILD_RESOURCE_DIR;
}

}  // namespace zub
