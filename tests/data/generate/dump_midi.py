#!/usr/bin/env python3
"""Prints a Standard MIDI File as one line per chunk and event: offset, raw
bytes, absolute tick and meaning. Used to keep a readable dump beside each
golden file: python3 dump_midi.py autumn_leaves_seed1.mid > autumn_leaves_seed1.txt"""
import sys

def vlq(data, at):
    value = 0
    while True:
        b = data[at]; at += 1
        value = (value << 7) | (b & 0x7F)
        if b < 0x80:
            return value, at

def hexs(data):
    return " ".join("%02X" % b for b in data)

META = {0x03: "name", 0x58: "time signature", 0x51: "tempo", 0x59: "key signature", 0x2F: "end of track"}

def event_text(data):
    status = data[0]
    if status == 0xFF:
        kind, body = data[1], data[3:] if data[2] < 0x80 else data[4:]
        name = META.get(kind, "meta %02X" % kind)
        if kind == 0x03:
            return '%s "%s"' % (name, body.decode("latin-1"))
        if kind == 0x51:
            return "%s %d us per quarter" % (name, int.from_bytes(body, "big"))
        if kind == 0x59:
            return "%s sf=%d mi=%d" % (name, int.from_bytes(body[:1], "big", signed=True), body[1])
        return name
    channel = (status & 0x0F) + 1
    kinds = {0x80: "note off", 0x90: "note on", 0xC0: "program change"}
    return "%s ch %d %s" % (kinds.get(status & 0xF0, "?"), channel, " ".join(str(b) for b in data[1:]))

def main(path):
    data = open(path, "rb").read()
    print("%06X %s  header: format %d, %d tracks, division %d" % (
        0, hexs(data[:14]), int.from_bytes(data[8:10], "big"), int.from_bytes(data[10:12], "big"),
        int.from_bytes(data[12:14], "big")))
    at = 14
    while at < len(data):
        length = int.from_bytes(data[at + 4:at + 8], "big")
        print("%06X %s  track chunk, %d bytes" % (at, hexs(data[at:at + 8]), length))
        at += 8
        end, tick = at + length, 0
        while at < end:
            start = at
            delta, at = vlq(data, at)
            tick += delta
            status = data[at]
            if status == 0xFF:
                size, after = vlq(data, at + 2)
                at = after + size
            else:
                at += 2 if status & 0xF0 == 0xC0 else 3
            event = data[start + vlq_length(data, start):at]
            print("%06X %-30s tick %5d  %s" % (start, hexs(data[start:at]), tick, event_text(event)))
        at = end

def vlq_length(data, at):
    n = 1
    while data[at + n - 1] >= 0x80:
        n += 1
    return n

if __name__ == "__main__":
    main(sys.argv[1])
