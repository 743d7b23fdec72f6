#include "editor/app/temporary_folder.h"

#include <filesystem>
#include <system_error>

#include "bridge/bridge_exception.h"

namespace zub {

namespace fs = std::filesystem;

std::string temporaryDirectoryName() {
    std::error_code error;
    fs::path base = fs::temp_directory_path(error);
    if (error) base = "/tmp";
    return (base / "ZUB2").string();
}

void createTemporaryDirectory() {
    std::error_code error;
    const fs::path dir = temporaryDirectoryName();
    fs::create_directories(dir, error);
    if (error || !fs::is_directory(dir))
        throw Bridge_exception("createTemporaryDirectory", "Can't create temporary directory");
}

void deleteAllTemporaryFiles() {
    std::error_code error;
    const fs::path dir = temporaryDirectoryName();
    if (!fs::is_directory(dir, error)) return;
    // Entries only: the folder itself stays for the rest of the run.
    for (const fs::directory_entry& entry : fs::directory_iterator(dir, error)) fs::remove_all(entry.path(), error);
}

}  // namespace zub
