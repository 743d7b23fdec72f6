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

Plist openChartFile(const std::string& path, const Plist& font) {
    if (isBiabFileName(path)) return Entry_points::biabreader_read_chart(readFileBytes(path), font);
    return openChartDocument(path, font);
}

namespace {

// The file a save really replaces: a symbolic link's target, so that saving
// through a link updates what it points to instead of replacing the link.
std::string replaced_file(const std::string& path) {
    std::filesystem::path file = path;
    std::error_code error;
    // As the system does, give up on a chain of links too long to be anything but a loop.
    for (int links = 0; links < 40 && std::filesystem::is_symlink(file, error); ++links) {
        const auto target = std::filesystem::read_symlink(file, error);
        if (error) break;
        file = target.is_absolute() ? target : file.parent_path() / target;
    }
    return file.string();
}

// The replaced file's permissions, owner and group stay; a new file gets the
// usual mode a program's new files get under the umask.
void keep_attributes(int fd, const std::string& path, bool& written) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        written = written && ::fchmod(fd, existing.st_mode & 07777) == 0;
        // Only root may give a file away; for others this keeps what it can.
        if (::fchown(fd, existing.st_uid, existing.st_gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), existing.st_gid);
        return;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    written = written && ::fchmod(fd, 0666 & ~mask) == 0;
}

}  // namespace

void writeFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string failure = "Can't write output file: " + path;
    const std::string target = replaced_file(path);
    std::string temporary = target + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) throw Bridge_exception("writeFileAtomically", failure);
    bool written = true;
    keep_attributes(fd, target, written);
    for (std::size_t done = 0; written && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        written = n > 0;
        if (written) done += static_cast<std::size_t>(n);
    }
    // The new file replaces the old only once its bytes are safely on disk.
    written = written && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (!written || std::rename(temporary.c_str(), target.c_str()) != 0) {
        std::remove(temporary.c_str());
        throw Bridge_exception("writeFileAtomically", failure);
    }
}

void saveChartDocument(const std::string& path, const Plist& chart) {
    checkChartDictionary(chart);
    writeFileAtomically(path, write_xml_plist(chart));
}

}  // namespace zub
