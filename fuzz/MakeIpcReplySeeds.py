#!/usr/bin/env python3
"""Writes the seeds of fuzz-ipc-reply into fuzz/corpus-ipc-reply/.

Each seed is the batch layout that FuzzIpcReply.cpp reads (the number of reads, where the write
goes, its size, then size and offset of each read) followed by the server's reply: an exact
reply with every read filled in, and variants with one header field or the terminator changed,
cut short, or missing.
"""
import pathlib
import struct

READ, WRITE = 1, 2
WRITE_OFFSET = 0x0B7C
WRITTEN_BYTE = 0x5A


def layout(reads, reads_before_write, write_size):
    data = bytes([len(reads) - 1, reads_before_write, write_size])
    for size, offset in reads:
        data += bytes([size]) + struct.pack("<H", offset)
    return data


def records(reads, reads_before_write, write_size):
    """The batch as (type, offset, size, token) in the order the fuzzer queues it."""
    batch = []
    for token, (size, offset) in enumerate(reads, start=1):
        if token - 1 == reads_before_write:
            batch.append((WRITE, WRITE_OFFSET, write_size, 0))
        batch.append((READ, offset, size, token))
    if reads_before_write == len(reads):
        batch.append((WRITE, WRITE_OFFSET, write_size, 0))
    return batch


def exact_reply(batch, change=None):
    """The area as a server that carried out the batch leaves it; change(index, fields) may
    alter the header fields of one record."""
    area = b""
    for index, (kind, offset, size, token) in enumerate(batch):
        fields = [kind, offset, size, token]
        if change:
            fields = change(index, fields)
        if kind == READ:
            area += struct.pack("<4I", *fields)
            area += bytes((0x10 * index + i + 1) & 0xFF for i in range(size))
        else:
            area += struct.pack("<3I", *fields[:3]) + bytes([WRITTEN_BYTE] * size)
    return area


def changed(record, field, value):
    def change(index, fields):
        if index == record:
            fields[field] = value
        return fields

    return change


def main():
    folder = pathlib.Path(__file__).resolve().parent / "corpus-ipc-reply"
    folder.mkdir(exist_ok=True)
    one = ([(4, 0x3BFC)], 1, 2)
    four = ([(0, 0x3304), (1, 0x0000), (7, 0xFFFF), (40, 0x0B7C)], 2, 8)
    one_batch, four_batch = records(*one), records(*four)
    seeds = {
        "exact-one-read": layout(*one) + exact_reply(one_batch) + bytes(4),
        "exact-four-reads": layout(*four) + exact_reply(four_batch) + bytes(4),
        "no-reply": layout(*four),
        "short-reply": layout(*four) + exact_reply(four_batch)[:21],
        "token-changed": layout(*four) + exact_reply(four_batch, changed(4, 3, 3)) + bytes(4),
        "size-larger": layout(*one) + exact_reply(one_batch, changed(0, 2, 5)) + bytes(4),
        "size-smaller": layout(*one) + exact_reply(one_batch, changed(0, 2, 3)) + bytes(4),
        "unknown-type": layout(*one) + exact_reply(one_batch, changed(1, 0, 3)) + bytes(4),
        "terminator-missing": layout(*one) + exact_reply(one_batch) + struct.pack("<I", 1),
    }
    for name, data in seeds.items():
        (folder / name).write_bytes(data)


if __name__ == "__main__":
    main()
