#!/usr/bin/env python3
"""Writes the seeds of fuzz-plan-command-line into fuzz/corpus-plan-command-line/.

A seed is one byte that picks how the stand-in system behaves (the SystemChoice bits of
FuzzPlanCommandLine.cpp), then the arguments after the program's name joined by NUL bytes.
"""
import pathlib

REFUSES_URLS = 1
NO_STORE_FILES = 2
NO_SIMULATOR = 4
NO_BROWSER = 8
COMMA_DECIMAL = 16
PORT_TAKEN = 32
STORE_EXISTS = 64

SEEDS = {
    "none": (0, []),
    "help": (0, ["--help"]),
    "json": (0, ["--json"]),
    "example-pounds-json": (0, ["--select", "cboUnits=0", "--type", "txtPayload=12000", "--json"]),
    "set-items": (0, ["--set", "cboTripDistance=300", "--set", "chkIcing=1", "--set",
                      "txtHeadwind=25", "--set", "cboTemp=-10"]),
    "typed-keys": (0, ["--type", "txtPayload=12a3\\b4", "--type", "txtTaxiFuel=\\b\\b9"]),
    "index-out-of-range": (0, ["--select", "cboUnits=2"]),
    "index-huge": (0, ["--select", "cboTripDistance=99999999999999999999"]),
    "index-minus-one": (0, ["--select", "cboWindType=-1", "--json"]),
    "index-not-a-number": (0, ["--select", "cboTemp=0x10"]),
    "hex-8000": (0, ["--set", "txtHeadwind=&H8000", "--set", "txtPayload=&H8000", "--json"]),
    "wind-overflow": (0, ["--set", "txtHeadwind=32767", "--set", "txtHeadwindAlt=-32768",
                          "--select", "cboTripDistance=19"]),
    "beyond-double": (0, ["--set", "txtPayload=1e400", "--set", "txtTaxiFuel=-1e308"]),
    "unknown-option": (0, ["--frobnicate"]),
    "unknown-control": (0, ["--click", "cmdNothing"]),
    "display-box": (0, ["--set", "txtZFW=1"]),
    "check-value": (0, ["--set", "chkIcing=2"]),
    "not-an-item": (0, ["--set", "cboCruisingAlt=FL999"]),
    "missing-value": (0, ["--set"]),
    "no-equals": (0, ["--select", "cboUnits"]),
    "line-break-in-value": (0, ["--set", "cboTemp=1\n2", "--json"]),
    "line-break-in-option": (0, ["--js\non"]),
    "crlf-in-store": (0, ["--store", "plan\r\n.ini", "--json"]),
    "odd-utf8": (0, ["--set", "txtPayload=\udcff\udcfe", "--type", "txtTaxiFuel=\u00e9\u20ac"]),
    "after-exit": (0, ["--click", "cmdExit", "--select", "cboUnits=0"]),
    "exit-twice": (0, ["--click", "cmdExit", "--click", "cmdExit"]),
    "messages": (0, ["--click", "cmdOperatingLimits", "--click", "cmdAbout", "--json"]),
    "store": (0, ["--store", "plan.ini", "--set", "txtPayload=4000"]),
    "store-existing": (STORE_EXISTS, ["--store", "plan.ini", "--json"]),
    "store-missing-folder": (0, ["--store", "missing/plan.ini", "--json"]),
    "store-folder": (0, ["--store", "/tmp/", "--json"]),
    "store-refused-build": (NO_STORE_FILES, ["--store", "plan.ini"]),
    "store-twice": (0, ["--store", "a.ini", "--store", "b.ini"]),
    "print": (0, ["--click", "cmdPrint", "--json"]),
    "print-open": (0, ["--open", "--click", "cmdPrint", "--json"]),
    "print-open-refused": (REFUSES_URLS, ["--open", "--click", "cmdPrint", "--click",
                                          "cmdPrint", "--json"]),
    "print-open-no-browser": (NO_BROWSER, ["--open", "--click", "cmdPrint"]),
    "print-port-taken": (PORT_TAKEN, ["--open", "--click", "cmdPrint", "--json"]),
    "web-host-elsewhere": (0, ["--open", "--web-host", "example.org:8080", "--click",
                               "cmdPrint"]),
    "web-host-odd": (0, ["--open", "--web-host", "127.0.0.1:99999", "--click", "cmdPrint",
                         "--web-host", "[::1"]),
    "web-host-with-control-bytes": (0, ["--open", "--web-host", "::0n\x1b\x0f&H80:8642",
                                        "--click", "cmdPrint", "--json"]),
    "read-payload": (0, ["--select", "cboUnits=0", "--click", "cmdReadPayload", "--json"]),
    "board-fuel": (0, ["--click", "cmdBoardFuel", "--click", "cmdReadPayload"]),
    "xplane": (NO_SIMULATOR, ["--click", "cmdReadPayload", "--click", "cmdBoardFuel", "--json"]),
    "comma-decimal": (COMMA_DECIMAL, ["--set", "txtPayload=4.000,5", "--type",
                                      "txtTaxiFuel=1,5", "--json"]),
    "everything": (REFUSES_URLS | PORT_TAKEN | COMMA_DECIMAL | STORE_EXISTS,
                   ["--store", "plan.ini", "--open", "--click", "cmdPrint", "--click",
                    "cmdBoardFuel", "--json"]),
    "flag-with-value": (0, ["--json=false"]),
    "double-dash": (0, ["--", "--json"]),
}


def main():
    corpus = pathlib.Path(__file__).resolve().parent / "corpus-plan-command-line"
    corpus.mkdir(exist_ok=True)
    for name, (choice, arguments) in SEEDS.items():
        joined = b"\0".join(a.encode("utf-8", "surrogateescape") for a in arguments)
        (corpus / name).write_bytes(bytes([choice]) + joined)


if __name__ == "__main__":
    main()
