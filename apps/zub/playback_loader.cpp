// zub's way to the playback work: the module "zub-playback.so" beside the
// executable (the build tree) or in the installed library folder, loaded once.
#include <dlfcn.h>

#include <filesystem>

#include "apps/zub/playback_runs.h"

namespace zub::cli {

namespace {

std::filesystem::path module_beside_executable() {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).parent_path() / "zub-playback.so";
}

const Playback_runs* load(std::string& failure) {
    std::filesystem::path module = module_beside_executable();
    if (!std::filesystem::exists(module)) module = std::filesystem::path(ZUB_PLAYBACK_MODULE_DIR) / "zub-playback.so";
    void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    using Entry = const Playback_runs* (*)();
    auto entry = handle ? reinterpret_cast<Entry>(::dlsym(handle, "zub_playback_runs")) : nullptr;
    if (!entry) {
        const char* reason = ::dlerror();
        // The loader's reason names the file.
        failure = std::string("Cannot load the playback module: ") + (reason ? reason : module.c_str());
        return nullptr;
    }
    return entry();
}

}  // namespace

const Playback_runs* playback_runs(std::string& failure) {
    static std::string load_failure;
    static const Playback_runs* const runs = load(load_failure);
    failure = load_failure;
    return runs;
}

}  // namespace zub::cli
