// The audio file writer's descriptors and temporary files, also when the encoder refuses to start.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "playback/audio_file.h"
#include "playback/playback_error.h"

// The test program is linked with --wrap=close: every close() made by our code
// comes here first, and closing a descriptor that is not open is a fault (on a
// worker thread it can close a file another thread has just opened under that number).
extern "C" int __real_close(int fd);
namespace {
int closed_twice = 0;
}  // namespace
extern "C" int __wrap_close(int fd) {
    if (::fcntl(fd, F_GETFD) == -1) ++closed_twice;
    return __real_close(fd);
}

namespace zub::playback {
namespace {

int open_descriptors() {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                          std::filesystem::directory_iterator()));
}

std::vector<std::string> files_in(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    return names;
}

TEST(AudioFileWriter, EachDescriptorIsClosedOnceWhetherTheEncoderStartsOrNot) {
    const auto folder = std::filesystem::temp_directory_path() / ("zub-audio-file-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    struct Row {
        std::string name;
        int rate;
        bool opens;
    };
    const std::vector<Row> table = {
        {"take.wav", 44100, true}, {"take.ogg", 44100, true}, {"take.flac", 0, false}, {"take.ogg", 0, false}};
    for (const Row& row : table) {
        const std::string path = (folder / row.name).string();
        const int before = open_descriptors();
        closed_twice = 0;
        try {
            Audio_file_writer writer(path, row.rate);
            const std::vector<float> silence(2 * 64, 0.0f);
            writer.write(silence.data(), 64);
            writer.commit();
            EXPECT_TRUE(row.opens) << row.name << " at " << row.rate;
        } catch (const Playback_error& e) {
            EXPECT_FALSE(row.opens) << e.what();
            EXPECT_EQ(std::string(e.what()), "Can't write output file: " + path);
        }
        EXPECT_EQ(closed_twice, 0) << row.name << " at " << row.rate;
        EXPECT_EQ(open_descriptors(), before) << row.name << " at " << row.rate;
        // A refused file leaves nothing behind, not even its temporary file.
        EXPECT_EQ(files_in(folder), row.opens ? std::vector<std::string>{row.name} : std::vector<std::string>{});
        std::filesystem::remove(path);
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace zub::playback
