#include "bridge/chart_document.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "bridge/chart_dictionary.h"
#include "bridge/entry_points.h"
#include "bridge/playlist.h"
#include "bridge/plist_io.h"
#include "bridge/bridge_exception.h"

namespace zub {

Plist chartFromDocumentBytes(std::string_view bytes, const Plist& font) {
    if (auto plist = try_read_plist(bytes); plist && plist->kind() == Plist::Kind::dictionary) {
        checkChartDictionary(*plist);
        return *plist;
    }
    return Entry_points::kelreader_read_chart(bytes, font);
}

std::string readFileBytes(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error || std::filesystem::is_directory(path)) throw Bridge_exception("readFileBytes", "Can't read input file: " + path);
    if (size > max_chart_file_bytes) throw Bridge_exception("readFileBytes", "File too large: " + path);
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Bridge_exception("readFileBytes", "Can't read input file: " + path);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) throw Bridge_exception("readFileBytes", "Can't read input file: " + path);
    return bytes;
}

Plist openChartDocument(const std::string& path, const Plist& font) {
    return chartFromDocumentBytes(readFileBytes(path), font);
}

bool isBiabFileName(std::string_view path) {
    const auto extension = std::filesystem::path(path).extension().string();
    if (extension.size() != 4) return false;
    const auto lower = [&](std::size_t k) { return static_cast<char>(std::tolower(static_cast<unsigned char>(extension[k]))); };
    return (lower(1) == 's' || lower(1) == 'm') && lower(2) == 'g';
}

Plist openChartFile(const std::string& path, const Plist& font) { return openChartSong(path, font, 0); }

namespace {

// The mode the written file gets: the replaced file's permissions, or for a
// new file the usual mode a program's new files get under the umask.
mode_t mode_for(const std::string& path) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

void writeFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string failure = "Can't write output file: " + path;
    const mode_t mode = mode_for(path);
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) throw Bridge_exception("writeFileAtomically", failure);
    bool written = ::fchmod(fd, mode) == 0;
    for (std::size_t done = 0; written && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        written = n > 0;
        if (written) done += static_cast<std::size_t>(n);
    }
    // The new file replaces the old only once its bytes are safely on disk.
    written = written && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        throw Bridge_exception("writeFileAtomically", failure);
    }
}

void saveChartDocument(const std::string& path, const Plist& chart) {
    checkChartDictionary(chart);
    writeFileAtomically(path, write_xml_plist(chart));
}

}  // namespace zub
