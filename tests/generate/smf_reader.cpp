#include "smf_reader.h"

#include <cstdio>
#include <stdexcept>
#include <string>

namespace zub::testing {

namespace {

class Cursor {
public:
    Cursor(const std::string& bytes, std::size_t begin, std::size_t end) : bytes_(bytes), at_(begin), end_(end) {}

    bool done() const { return at_ >= end_; }
    std::size_t at() const { return at_; }

    std::uint8_t byte() {
        if (at_ >= end_) fail("read past the end");
        return static_cast<std::uint8_t>(bytes_[at_++]);
    }
    long number(int size) {
        long value = 0;
        for (int k = 0; k < size; ++k) value = (value << 8) | byte();
        return value;
    }
    long quantity() {
        long value = 0;
        for (int k = 0; k < 4; ++k) {
            const std::uint8_t b = byte();
            value = (value << 7) | (b & 0x7F);
            if ((b & 0x80) == 0) return value;
        }
        fail("variable-length quantity longer than 4 bytes");
    }
    std::string text(std::size_t size) {
        if (end_ - at_ < size) fail("text past the end");
        std::string result = bytes_.substr(at_, size);
        at_ += size;
        return result;
    }
    [[noreturn]] void fail(const std::string& what) const {
        throw std::runtime_error(what + " at offset " + std::to_string(at_));
    }

private:
    const std::string& bytes_;
    std::size_t at_;
    std::size_t end_;
};

std::size_t data_length(std::uint8_t status) { return (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2; }

// One event as its raw bytes (status and data, or FF, type, length, data).
Smf_event read_event(const std::string& bytes, Cursor& cursor, long tick) {
    const std::size_t begin = cursor.at();
    const std::uint8_t status = cursor.byte();
    if (status < 0x80) cursor.fail("running status or stray data byte");
    if (status == 0xFF) {
        cursor.byte();
        cursor.text(static_cast<std::size_t>(cursor.quantity()));
    } else {
        for (std::size_t k = 0; k < data_length(status); ++k)
            if (cursor.byte() >= 0x80) cursor.fail("data byte with bit 7 set");
    }
    Smf_event event{tick, {}};
    for (std::size_t k = begin; k < cursor.at(); ++k) event.bytes.push_back(static_cast<std::uint8_t>(bytes[k]));
    return event;
}

}  // namespace

Smf_file read_smf(const std::string& bytes) {
    Cursor file(bytes, 0, bytes.size());
    if (file.text(4) != "MThd") file.fail("expected MThd");
    if (file.number(4) != 6) file.fail("header length is not 6");
    Smf_file smf{static_cast<int>(file.number(2)), 0, {}};
    const long track_count = file.number(2);
    smf.division = static_cast<int>(file.number(2));
    for (long k = 0; k < track_count; ++k) {
        if (file.text(4) != "MTrk") file.fail("expected MTrk");
        const long length = file.number(4);
        const std::size_t begin = file.at();
        file.text(static_cast<std::size_t>(length));  // checks the body lies inside the file
        Cursor body(bytes, begin, begin + static_cast<std::size_t>(length));
        Smf_track track{length, {}};
        long tick = 0;
        while (!body.done()) {
            tick += body.quantity();
            track.events.push_back(read_event(bytes, body, tick));
        }
        if (track.events.empty() || hex(track.events.back().bytes) != "FF 2F 00") body.fail("track without end");
        smf.tracks.push_back(std::move(track));
    }
    if (!file.done()) file.fail("bytes after the last track");
    return smf;
}

std::string hex(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    char digits[4];
    for (const std::uint8_t b : bytes) {
        std::snprintf(digits, sizeof digits, "%02X", b);
        text += (text.empty() ? "" : " ") + std::string(digits);
    }
    return text;
}

std::vector<Smf_note> notes_of(const Smf_track& track) {
    std::vector<Smf_note> notes;
    std::vector<std::size_t> open;
    for (const Smf_event& e : track.events) {
        if (e.bytes.size() != 3 || e.bytes[0] >= 0xF0) continue;
        const int kind = e.bytes[0] & 0xF0;
        const bool on = kind == 0x90 && e.bytes[2] > 0;
        const bool off = kind == 0x80 || (kind == 0x90 && e.bytes[2] == 0);
        if (on) {
            open.push_back(notes.size());
            notes.push_back({e.tick, -1, e.bytes[1], e.bytes[2]});
        }
        if (!off) continue;
        for (auto k = open.begin(); k != open.end(); ++k) {
            if (notes[*k].number != e.bytes[1]) continue;
            notes[*k].length = e.tick - notes[*k].tick;
            open.erase(k);
            break;
        }
    }
    if (!open.empty())
        throw std::runtime_error("note never switched off at tick " + std::to_string(notes[open.front()].tick));
    return notes;
}

}  // namespace zub::testing
