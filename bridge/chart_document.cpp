#include "bridge/chart_document.h"

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "bridge/accidentals.h"
#include "bridge/chart_dictionary.h"
#include "bridge/core_names.h"
#include "bridge/entry_points.h"
#include "bridge/playlist.h"
#include "bridge/plist_io.h"
#include "bridge/bridge_exception.h"

namespace zub {

namespace {

// A slot whose symbol has no list to name stays exactly as stored; a named one
// takes display accidentals, as the editor stores chords.
Plist named_slots(const Plist::Array& slots) {
    Plist::Array named;
    named.reserve(slots.size());
    for (const Plist& slot : slots) {
        const std::string ascii = replaceWithAsciiSharpsAndFlats(slot.as_string());
        const std::string name = namedChordSymbol(ascii);
        named.push_back(name == ascii ? slot : Plist::make_string(replaceWithUnicodeSharpsAndFlats(name)));
    }
    return Plist::make_array(std::move(named));
}

// The chart with every interval list that has a name written under it, as the other readers give it.
Plist with_named_chord_types(const Plist& chart) {
    Plist::Array bars;
    for (const Plist& bar : chart.array_at("Chords"))
        bars.push_back(bar.with("Chords", named_slots(bar.array_at("Chords"))));
    return chart.with("Chords", Plist::make_array(std::move(bars)));
}

}  // namespace

Plist chartFromDocumentBytes(std::string_view bytes, const Plist& font) {
    if (auto plist = try_read_plist(bytes); plist && plist->kind() == Plist::Kind::dictionary) {
        checkChartDictionary(*plist);
        return with_named_chord_types(*plist);
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
    // At most the size measured, in one read: a file growing meanwhile cannot pass the limit.
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    if (in.bad()) throw Bridge_exception("readFileBytes", "Can't read input file: " + path);
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

Plist openChartDocument(const std::string& path, const Plist& font) {
    return chartFromDocumentBytes(readFileBytes(path), font);
}

std::string chartDocumentPath(const std::string& path) {
    const std::string extension = std::filesystem::path(path).extension().string();
    const bool named = extension.size() > 1 && std::all_of(extension.begin() + 1, extension.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0;
    });
    if (!named) return path + std::string(chart_document_extension);
    if (extension == chart_document_extension) return path;
    throw Bridge_exception("chartDocumentPath", std::filesystem::path(path).filename().string() +
                                                    " names another format: Save writes chart documents, whose "
                                                    "names end in .zub");
}

bool isBiabFileName(std::string_view path) {
    const auto extension = std::filesystem::path(path).extension().string();
    if (extension.size() != 4) return false;
    const auto lower = [&](std::size_t k) { return static_cast<char>(std::tolower(static_cast<unsigned char>(extension[k]))); };
    return (lower(1) == 's' || lower(1) == 'm') && lower(2) == 'g';
}

bool isChartFileName(std::string_view path) {
    const std::string extension = std::filesystem::path(path).extension().string();
    const auto takes = [&](std::string_view pattern) {
        pattern.remove_prefix(1);  // the "*"
        return pattern.size() == extension.size() &&
               std::equal(pattern.begin(), pattern.end(), extension.begin(),
                          [](char want, char got) { return want == '?' || want == got; });
    };
    return std::any_of(chart_file_patterns.begin(), chart_file_patterns.end(), takes) || isBiabFileName(path);
}

Plist openChartFile(const std::string& path, const Plist& font) { return openChartSong(path, font, 0); }

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

// Writes bytes to a new temporary file beside target (the file really
// replaced); its name, or "" when that failed, leaving nothing behind. With
// sync the bytes are on disk when it returns.
std::string write_beside(const std::string& target, std::string_view bytes, bool sync) {
    std::string temporary = target + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return {};
    bool written = true;
    keep_attributes(fd, target, written);
    for (std::size_t done = 0; written && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        written = n > 0;
        if (written) done += static_cast<std::size_t>(n);
    }
    written = written && (!sync || ::fsync(fd) == 0);
    written = ::close(fd) == 0 && written;
    if (written) return temporary;
    std::remove(temporary.c_str());
    return {};
}

bool move_into_place(const std::string& temporary, const std::string& path) {
    if (std::rename(temporary.c_str(), path.c_str()) == 0) return true;
    std::remove(temporary.c_str());
    return false;
}

// Syncs the file systems that hold the files: one call per folder, each usually the same disk.
bool sync_folders_of(const std::vector<std::string>& temporaries) {
    bool synced = true;
    std::string last;
    for (const std::string& temporary : temporaries) {
        if (temporary.empty()) continue;
        std::string folder = std::filesystem::path(temporary).parent_path().string();
        if (folder.empty()) folder = ".";
        if (folder == last) continue;
        last = folder;
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
        synced = fd >= 0 && ::syncfs(fd) == 0 && synced;
        if (fd >= 0) ::close(fd);
    }
    return synced;
}

}  // namespace

void writeFileAtomically(const std::string& path, std::string_view bytes) {
    // The new file replaces the old only once its bytes are safely on disk.
    const std::string target = replaced_file(path);
    const std::string temporary = write_beside(target, bytes, true);
    if (temporary.empty() || !move_into_place(temporary, target))
        throw Bridge_exception("writeFileAtomically", "Can't write output file: " + path);
}

std::vector<std::string> writeFilesAtomically(const std::vector<File_to_write>& files) {
    std::vector<std::string> targets, temporaries;
    targets.reserve(files.size());
    temporaries.reserve(files.size());
    for (const File_to_write& file : files) {
        targets.push_back(replaced_file(file.path));
        temporaries.push_back(write_beside(targets.back(), file.bytes, false));
    }
    const bool synced = sync_folders_of(temporaries);
    std::vector<std::string> reasons;
    reasons.reserve(files.size());
    for (std::size_t k = 0; k < files.size(); ++k) {
        bool written = !temporaries[k].empty();
        // Without the sync nothing is renamed: an old file stays whole rather than risk an empty one.
        if (written && !synced) std::remove(temporaries[k].c_str());
        written = written && synced && move_into_place(temporaries[k], targets[k]);
        reasons.push_back(written ? std::string() : "Can't write output file: " + files[k].path);
    }
    return reasons;
}

std::string chartDocumentBytes(const Plist& chart) {
    checkChartDictionary(chart);
    return write_xml_plist(chart);
}

void saveChartDocument(const std::string& path, const Plist& chart) { writeFileAtomically(path, chartDocumentBytes(chart)); }

}  // namespace zub
