#!/usr/bin/env python3
"""Writes the seeds of fuzz-xplane-answer into fuzz/corpus-xplane-answer/.

Each seed is a source port (two bytes, little-endian) and one datagram as it could come from
X-Plane: answers with values for the index the fuzzer's read uses (2) and for others, cut short,
with NaN or infinity, with another header, the most values a packet carries, and a beacon; all
from X-Plane's port (49000 on the fake network) but one from another port of its host.
"""
import pathlib
import struct


def answer(pairs, header=b"RREF,"):
    return header + b"".join(struct.pack("<if", index, value) for index, value in pairs)


SEEDS = {
    "one-value": answer([(2, 4643.69)]),
    "other-index-first": answer([(1, 1.0), (2, 2000.0)]),
    "old-header-byte": answer([(2, 5.0)], b"RREF\0"),
    "odd-length": answer([(2, 5.0)])[:-1],
    "header-only": b"RREF,",
    "short": b"RRE",
    "nan-then-value": answer([(2, float("nan")), (2, 7.0)]),
    "infinities": answer([(2, float("inf")), (2, float("-inf"))]),
    "other-header": answer([(2, 5.0)], b"DREF,"),
    "most-values": answer([(i, float(i)) for i in range(183)]),
    "beacon": b"BECN\0" + struct.pack("<BBiiIH", 1, 2, 1, 120011, 1, 49000) + b"sim-pc\0",
}
XPLANE_PORT = 49000
FOREIGN_SEEDS = {"one-value-from-another-port": (XPLANE_PORT + 1, SEEDS["one-value"])}

folder = pathlib.Path(__file__).parent / "corpus-xplane-answer"
folder.mkdir(exist_ok=True)
for name, data in SEEDS.items():
    (folder / name).write_bytes(struct.pack("<H", XPLANE_PORT) + data)
for name, (port, data) in FOREIGN_SEEDS.items():
    (folder / name).write_bytes(struct.pack("<H", port) + data)
