#include "playback/midi_events.h"

#include <algorithm>
#include <string>

#include "playback/playback_error.h"

namespace zub::playback {

namespace {

[[noreturn]] void malformed() { throw Playback_error("Cannot play the accompaniment's MIDI data"); }

// A reader over the file's bytes that never reads past the end.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool at_end() const { return position_ >= size_; }
    std::uint8_t byte() {
        if (position_ >= size_) malformed();
        return data_[position_++];
    }
    std::uint32_t number(int bytes) {
        std::uint32_t value = 0;
        while (bytes-- > 0) value = value << 8 | byte();
        return value;
    }
    // A variable-length quantity: seven bits a byte, at most four bytes.
    std::uint32_t quantity() {
        std::uint32_t value = 0;
        for (int count = 0; count < 4; ++count) {
            const std::uint8_t next = byte();
            value = value << 7 | (next & 0x7f);
            if (!(next & 0x80)) return value;
        }
        malformed();
    }
    void skip(std::size_t count) {
        if (count > size_ - position_) malformed();
        position_ += count;
    }
    Bytes chunk(std::size_t length) {
        if (length > size_ - position_) malformed();
        Bytes inner(data_ + position_, length);
        position_ += length;
        return inner;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

int data_bytes(int status) {
    const int type = status & 0xf0;
    return type == 0xc0 || type == 0xd0 ? 1 : 2;
}

void read_track(Bytes track, std::vector<Midi_event>& events) {
    long tick = 0;
    int running = 0;
    while (!track.at_end()) {
        tick += track.quantity();
        if (tick > 0x7fffffff) malformed();
        int status = track.byte();
        if (status == 0xff) {  // meta event: type, length, data
            track.byte();
            track.skip(track.quantity());
            continue;
        }
        if (status == 0xf0 || status == 0xf7) {  // system exclusive: length, data
            track.skip(track.quantity());
            continue;
        }
        Midi_message message;
        if (status < 0x80) {  // running status: this byte is the first data byte
            if (!running) malformed();
            message.data1 = static_cast<std::uint8_t>(status);
            status = running;
        } else {
            message.data1 = track.byte();
        }
        running = status;
        message.status = static_cast<std::uint8_t>(status);
        message.size = static_cast<std::uint8_t>(1 + data_bytes(status));
        if (message.size == 3) message.data2 = track.byte();
        if ((message.data1 | message.data2) & 0x80) malformed();
        events.push_back({static_cast<int>(tick), message});
    }
}

}  // namespace

Midi_events read_midi_events(const Plist::Data& data) {
    Bytes file(data.data(), data.size());
    // header chunk: "MThd", length 6, format, tracks, division
    if (file.number(4) != 0x4d546864) malformed();
    Bytes header = file.chunk(file.number(4));
    header.number(2);
    const std::uint32_t tracks = header.number(2);
    const std::uint32_t division = header.number(2);
    if (division == 0 || division & 0x8000) malformed();  // SMPTE time is not the generator's
    Midi_events result{static_cast<int>(division), {}};
    // track chunks: "MTrk", length, events
    for (std::uint32_t track = 0; track < tracks; ++track) {
        if (file.number(4) != 0x4d54726b) malformed();
        read_track(file.chunk(file.number(4)), result.events);
    }
    std::stable_sort(result.events.begin(), result.events.end(), [](const Midi_event& a, const Midi_event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.message.note_off() && !b.message.note_off();
    });
    return result;
}

}  // namespace zub::playback
