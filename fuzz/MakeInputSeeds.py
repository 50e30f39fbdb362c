#!/usr/bin/env python3
"""Writes the seeds of fuzz-settings-restore and fuzz-settings-ini into
fuzz/corpus-settings-restore/ and fuzz/corpus-settings-ini/.

Settings texts are one line per key in restore order, an absent line an absent key, and a
seventeenth line the decimal separator; INI files are what QSettings wrote and read; argument vectors
are joined by NUL bytes.
"""
import pathlib

KEYS = ["Units", "Icing", "TripDistance", "CruisingAlt", "WindType", "Headwind", "Temp",
        "AlternateDistance", "CruisingAltAlt", "WindTypeAlt", "HeadwindAlt", "Payload",
        "TaxiFuel", "HoldingFuel", "MinimumFuel", "Model"]
DEFAULTS = {"Units": "1", "Temp": "75"}


def texts(separator=None, **values):
    lines = [values.get(key, DEFAULTS.get(key, "0")) for key in KEYS]
    if separator is not None:
        lines.append(separator)
    return "\n".join(lines).encode("utf-8", "surrogateescape")


def every_key(text, separator=None):
    return texts(separator, **{key: text for key in KEYS})


SETTINGS = {
    "absent": b"",
    "defaults": texts(),
    "payload-1000-kgs": texts(Payload="1000", Units="1"),
    "payload-1000-lbs": texts(Payload="1000", Units="0"),
    "payload-lbs-round-trip": texts(Units="0", Payload="453.592292196897"),
    "trip-300-icing": texts(TripDistance="5", Icing="1", Headwind="25", WindTypeAlt="1"),
    "minus-one": every_key("-1"),
    "hex-8000": every_key("&H8000"),
    "beyond-double": every_key("1e400"),
    "comma-decimal-locale": texts(",", Payload="453,59", TaxiFuel="100,5", HoldingFuel="1.5"),
    "comma-decimal-c-locale": texts(".", Payload="453,59"),
    "arabic-decimal": texts("\u066b", Payload="453\u066b59"),
    "empty": every_key(""),
    "wind-overflow": texts(Headwind="40000"),
    "wind-16-bits": texts(Headwind="32767", HeadwindAlt="-32768"),
    "outside-lists": texts(TripDistance="23", Temp="121", AlternateDistance="11", Model="1",
                           Units="2", Icing="2", CruisingAlt="16"),
    "blanks-and-signs": texts(Units=" +0 ", Icing="\t1\t", TripDistance="+-3", Temp="075",
                              CruisingAlt="- 1", Model="+0"),
    "weight-beyond-32-bits": texts(Payload="1e20", TaxiFuel="-3e9", MinimumFuel="2147483647.5"),
    "weight-nan-inf": texts(Payload="nan", TaxiFuel="inf", HoldingFuel="-inf",
                            MinimumFuel="0x1p3"),
    "weight-tiny": texts(Payload="1e-320", TaxiFuel="-0", HoldingFuel="0.5", MinimumFuel="1.5"),
    "huge": texts(Headwind="9" * 3000, Payload="1" * 400, TripDistance="0" * 500 + "7"),
    "not-utf8": texts(Headwind="\udcff\udcfe", HeadwindAlt="\udcc0\udcaf", Payload="\udced"),
}

INI = {
    "empty": b"",
    "example": b"[Settings]\nUnits=0\nPayload=453.592292196897\nTripDistance=5\nIcing=1\n",
    "all-keys": b"[Settings]\n" + b"".join(
        f"{key}={DEFAULTS.get(key, '0')}\n".encode() for key in KEYS),
    "comma-list": b"[Settings]\nPayload=453,59\nHeadwind=1,2,3\n",
    "quoted": b'[Settings]\nPayload="453,59"\nHeadwind="  7 "\nHeadwindAlt=""\n',
    "escapes": b"[Settings]\nHeadwind=\\x41\\t\\n\\\\\nHeadwindAlt=a\\\nb\nPay%6Coad=12\n",
    "variants": b"[Settings]\nPayload=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n"
                b"Headwind=@ByteArray(12)\nUnits=@Invalid()\nTemp=@Rect(1 2 3 4)\n",
    "corrupt": b"[Settings\nUnits=-1\n[Settings]\nUnits=&H8000\nPayload=1e400\nTemp=\n"
               b"Icing\n=5\nTemp=9999999\n",
    "other-sections": b"[General]\nSettings\\Payload=500\n[settings]\nUnits=0\n"
                      b"[Settings]\nUnits=1\nUnits=0\n",
    "crlf-bom": b"\xef\xbb\xbf[Settings]\r\nUnits=0\r\nPayload=1000\r\n",
    "not-utf8": b"[Settings]\nHeadwind=\xff\xfe\nHeadwindAlt=\xc0\xaf\n\xed\xa0\x80=1\n",
    "huge": b"[Settings]\nHeadwind=" + b"9" * 3000 + b"\nPayload=" + b"1" * 400 + b"\n",
    "written-by-qsettings": b'[General]\nTop=t\n\n[%General]\nG=g\n\n[Settings]\nHeadwind=" lead"\n'
                            b'HeadwindAlt=\\x1\\x61\\x62\\x39g\nPayload=@@at\nTemp=@String(x\\0y)\n'
                            b'Units="1, 2 ;x=\\"y\\""\nKey%20With%20Space=s\nk%22ey=q\n',
    "unusable-lines": b'[Settings]\nUnits=0\ngarbage line\nk"ey=1\nTemp=3;warmer\n'
                      b'Payload="open\n%UD800=1\nIcing=\\q\n',
}


def write(folder, seeds):
    folder.mkdir(exist_ok=True)
    for name, data in seeds.items():
        (folder / name).write_bytes(data)


def main():
    here = pathlib.Path(__file__).resolve().parent
    write(here / "corpus-settings-restore", SETTINGS)
    write(here / "corpus-settings-ini", INI)


if __name__ == "__main__":
    main()
