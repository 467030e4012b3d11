#!/usr/bin/env python3
"""Generates common/cp932_table.inc from the measured Windows code page 932 tables.

The measured tables (shared/cp932/*.tsv, see its README.md) hold the output of
MultiByteToWideChar / WideCharToMultiByte for code page 932 with flags 0. This
script turns them into a compact C++ table for common/cp932.cpp:

  kSingleByte[256]      UTF-16 unit of every byte on its own (a lead byte on
                        its own gives U+30FB)
  kDoubleByte[60][256]  UTF-16 unit of every lead/trail pair, per lead byte
                        (0x81-0x9F, 0xE0-0xFC); 0 = unmapped pair (U+30FB)
  kEncodeExceptions[]   code points whose Windows encoding differs from the
                        inverse of the decode tables (best-fit mappings)

The encoder (built once in cp932.cpp) is the inverse of the decode tables,
where a character with several codes takes the lowest code, except that rows
0xED/0xEE (NEC-selected IBM extensions) lose to every other row, followed by
the exceptions. Before writing anything the script runs a model of the C++
decoder and encoder over every row of every measured table and stops with an
error on the first difference.

Usage (from the repository root; standard library only):
  python3 scripts/gen_cp932_table.py [--tables ../shared/cp932] [--output common/cp932_table.inc]
  python3 scripts/gen_cp932_table.py --check   # verify that the committed file is current
"""

import argparse
import os
import sys

LEAD_BYTES = list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD))
LEAD_INDEX = {b: i for i, b in enumerate(LEAD_BYTES)}
REPLACEMENT = 0x30FB  # KATAKANA MIDDLE DOT, what Windows gives for bad input
UNMAPPED = 0xFFFF     # encoder marker: no code for this unit ("?" + default used)

REPO_ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_TABLES = os.path.join(os.path.dirname(REPO_ROOT), "shared", "cp932")
DEFAULT_OUTPUT = os.path.join(REPO_ROOT, "common", "cp932_table.inc")


class TableError(Exception):
    pass


def check(condition, message):
    if not condition:
        raise TableError(message)


def read_tsv(directory, name, columns):
    path = os.path.join(directory, name)
    with open(path, encoding="ascii") as fh:
        lines = fh.read().splitlines()
    header = lines[0].split("\t")
    check(header[: len(columns)] == columns, f"{name}: unexpected header {header}")
    rows = []
    for number, line in enumerate(lines[1:], start=2):
        if not line:
            continue
        fields = line.split("\t")
        check(len(fields) == len(header), f"{name}:{number}: expected {len(header)} fields")
        rows.append(fields)
    return rows


def units(text):
    """'3042 0080' -> [0x3042, 0x80]"""
    return [int(u, 16) for u in text.split()] if text else []


def hex_bytes(text):
    return bytes.fromhex(text)


# ---------------------------------------------------------------------------
# Building the compact tables


def build_tables(tables_dir):
    single_rows = read_tsv(tables_dir, "cp932_oracle_single.tsv", ["byte", "n", "utf16"])
    pair_rows = read_tsv(tables_dir, "cp932_oracle_pairs.tsv", ["lead", "trail", "n", "utf16", "n_strict", "utf16_strict"])
    check(len(single_rows) == 256, "single table must have 256 rows")
    check(len(pair_rows) == 65536, "pair table must have 65536 rows")

    single = [None] * 256
    for fields in single_rows:
        b = int(fields[0], 16)
        u = units(fields[2])
        check(int(fields[1]) == 1 and len(u) == 1, f"byte {b:02X}: expected one unit")
        single[b] = u[0]
    check(all(v is not None for v in single), "single table incomplete")

    pairs = {}
    for fields in pair_rows:
        lead, trail = int(fields[0], 16), int(fields[1], 16)
        pairs[(lead, trail)] = fields
    check(len(pairs) == 65536, "pair table has duplicate rows")

    # Which bytes are lead bytes: those that swallow a following "A" (0x41).
    measured_leads = [b for b in range(256) if int(pairs[(b, 0x41)][2]) == 1]
    check(measured_leads == LEAD_BYTES, f"lead bytes differ from 81-9F, E0-FC: {measured_leads}")
    for b in LEAD_BYTES:
        check(single[b] == REPLACEMENT, f"lone lead byte {b:02X} should give U+30FB")

    # Mapped pairs: those the strict conversion (MB_ERR_INVALID_CHARS) accepts.
    double = [[0] * 256 for _ in LEAD_BYTES]
    for lead in LEAD_BYTES:
        for trail in range(1, 256):
            _, _, n, utf16, n_strict, utf16_strict = pairs[(lead, trail)]
            u = units(utf16)
            check(int(n) == 1 and len(u) == 1, f"pair {lead:02X}{trail:02X}: expected one unit")
            if n_strict == "ERR1113":
                check(u[0] == REPLACEMENT, f"unmapped pair {lead:02X}{trail:02X} should give U+30FB")
            else:
                check(units(utf16_strict) == u, f"pair {lead:02X}{trail:02X}: strict and lenient differ")
                check(u[0] != 0, f"pair {lead:02X}{trail:02X} maps to U+0000")
                double[LEAD_INDEX[lead]][trail] = u[0]
    return single, double


def code_rank(code):
    """Order in which codes claim a character: lowest first, rows ED/EE last."""
    return (1 if (code >> 8) in (0xED, 0xEE) else 0, code)


def derive_encoder(single, double):
    """Inverse of the decode tables; must match DeriveEncoder() in cp932.cpp."""
    candidates = [(b, single[b]) for b in range(256) if b not in LEAD_INDEX]
    for lead in LEAD_BYTES:
        row = double[LEAD_INDEX[lead]]
        candidates += [((lead << 8) | trail, row[trail]) for trail in range(256) if row[trail]]
    table = [UNMAPPED] * 0x10000
    for code, unit in sorted(candidates, key=lambda c: code_rank(c[0])):
        if table[unit] == UNMAPPED:
            table[unit] = code
    return table


def code_to_bytes(code):
    if code == UNMAPPED:
        return b"?"
    return bytes([code]) if code < 0x100 else bytes([code >> 8, code & 0xFF])


def build_exceptions(tables_dir, derived):
    encode_rows = read_tsv(tables_dir, "cp932_oracle_encode.tsv", ["cp", "bytes", "used_default"])
    check(len(encode_rows) == 0x10000 - 0x800, "encode table must hold every BMP code point but surrogates")
    exceptions = []
    for fields in encode_rows:
        cp, out, used_default = int(fields[0], 16), hex_bytes(fields[1]), fields[2] == "1"
        check(not 0xD800 <= cp <= 0xDFFF, "encode table holds a surrogate")
        check(used_default == (out == b"?" and cp != 0x3F), f"U+{cp:04X}: default flag and bytes disagree")
        check(1 <= len(out) <= 2, f"U+{cp:04X}: unexpected byte count")
        code = UNMAPPED if used_default else int.from_bytes(out, "big")
        if code != derived[cp]:
            exceptions.append((cp, code))
    return exceptions


# ---------------------------------------------------------------------------
# Model of the C++ codec, run against every measured row


def model_decode(data, single, double):
    out = []
    i = 0
    while i < len(data):
        b = data[i]
        if b in LEAD_INDEX:
            if i + 1 < len(data) and data[i + 1] != 0:
                v = double[LEAD_INDEX[b]][data[i + 1]]
                out.append(v if v else REPLACEMENT)
                i += 2
                continue
            out.append(REPLACEMENT)
        else:
            out.append(single[b])
        i += 1
    return out


def model_encode(text_units, encoder):
    out = bytearray()
    used_default = False
    for u in text_units:
        code = encoder[u]
        if code == UNMAPPED:
            used_default = True
        out += code_to_bytes(code)
    return bytes(out), used_default


def verify(tables_dir, single, double, encoder):
    def expect_decode(data, n, utf16, where):
        got = model_decode(data, single, double)
        want = units(utf16)
        check(int(n) == len(want), f"{where}: unit count column disagrees with its units")
        check(got == want, f"{where}: decode of {data.hex().upper()} gives "
              f"{' '.join('%04X' % u for u in got)}, Windows {utf16}")

    for fields in read_tsv(tables_dir, "cp932_oracle_single.tsv", ["byte", "n", "utf16"]):
        expect_decode(hex_bytes(fields[0]), fields[1], fields[2], "single")
    for fields in read_tsv(tables_dir, "cp932_oracle_pairs.tsv", ["lead", "trail", "n", "utf16"]):
        expect_decode(hex_bytes(fields[0] + fields[1]), fields[2], fields[3], "pairs")
    for fields in read_tsv(tables_dir, "cp932_oracle_strings.tsv", ["input_hex", "n", "utf16"]):
        expect_decode(hex_bytes(fields[0]), fields[1], fields[2], "strings")

    def expect_encode(text_units, out_hex, used_default, where):
        got, got_default = model_encode(text_units, encoder)
        check((got, got_default) == (hex_bytes(out_hex), used_default == "1"),
              f"{where}: encode of {' '.join('%04X' % u for u in text_units)} gives "
              f"{got.hex().upper()}/{int(got_default)}, Windows {out_hex}/{used_default}")

    for fields in read_tsv(tables_dir, "cp932_oracle_encode.tsv", ["cp", "bytes", "used_default"]):
        expect_encode([int(fields[0], 16)], fields[1], fields[2], "encode")
    for fields in read_tsv(tables_dir, "cp932_oracle_encode_strings.tsv", ["input_utf16", "bytes", "used_default"]):
        expect_encode(units(fields[0]), fields[1], fields[2], "encode_strings")
    # Surrogates are left out of the encode table; each unit on its own is unmappable.
    for u in range(0xD800, 0xE000):
        check(encoder[u] == UNMAPPED, f"surrogate U+{u:04X} should be unmappable")


# ---------------------------------------------------------------------------
# Output


def format_units(values, per_line, indent):
    lines = []
    for start in range(0, len(values), per_line):
        chunk = values[start : start + per_line]
        lines.append(indent + ",".join("0x%04X" % v for v in chunk) + ",")
    return lines


def render(single, double, exceptions):
    out = [
        "// Generated by scripts/gen_cp932_table.py from the measured Windows code page 932",
        "// tables (shared/cp932/*.tsv). Do not edit; regenerate from the repository root with",
        "//   python3 scripts/gen_cp932_table.py --tables ../shared/cp932 --output common/cp932_table.inc",
        "// Included by common/cp932.cpp only.",
        "",
        "// UTF-16 unit of each byte on its own. A lead byte (0x81-0x9F, 0xE0-0xFC) at the end",
        "// of the input or before NUL gives U+30FB and consumes only itself.",
        "constexpr char16_t kSingleByte[256] = {",
    ]
    out += format_units(single, 16, "    ")
    out += [
        "};",
        "",
        "// UTF-16 unit of each lead/trail pair, one row per lead byte in the order",
        "// 0x81-0x9F, 0xE0-0xFC. 0 = unmapped: the pair gives U+30FB and consumes both bytes.",
        f"constexpr char16_t kDoubleByte[{len(double)}][256] = {{",
    ]
    for lead in LEAD_BYTES:
        out.append("  {  // lead 0x%02X" % lead)
        out += format_units(double[LEAD_INDEX[lead]], 16, "    ")
        out.append("  },")
    out += [
        "};",
        "",
        "// Code points whose Windows encoding is not the inverse of the tables above (where",
        "// several codes give one character, the lowest code wins except that rows 0xED/0xEE",
        "// lose to all others). code is 1 byte (< 0x100), 2 bytes (lead << 8 | trail), or",
        "// 0xFFFF for \"no mapping\".",
        "struct EncodeException {",
        "  char16_t unit;",
        "  char16_t code;",
        "};",
        f"constexpr EncodeException kEncodeExceptions[{max(len(exceptions), 1)}] = {{",
    ]
    for start in range(0, len(exceptions), 6):
        chunk = exceptions[start : start + 6]
        out.append("    " + " ".join("{0x%04X,0x%04X}," % e for e in chunk))
    if not exceptions:
        out.append("    {0x003F,0x003F},  // placeholder: no exceptions")
    out += ["};", ""]
    return "\n".join(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--tables", default=DEFAULT_TABLES, help="folder with the cp932_oracle_*.tsv files")
    parser.add_argument("--output", default=DEFAULT_OUTPUT, help="generated C++ table file")
    parser.add_argument("--check", action="store_true", help="do not write; fail if the output file is out of date")
    args = parser.parse_args()

    try:
        single, double = build_tables(args.tables)
        derived = derive_encoder(single, double)
        exceptions = build_exceptions(args.tables, derived)
        encoder = list(derived)
        for unit, code in exceptions:
            encoder[unit] = code
        verify(args.tables, single, double, encoder)
    except (TableError, OSError, ValueError) as e:
        sys.exit(f"gen_cp932_table.py: {e}")

    text = render(single, double, exceptions)
    if args.check:
        try:
            with open(args.output, encoding="ascii") as fh:
                current = fh.read()
        except OSError as e:
            sys.exit(f"gen_cp932_table.py: {e}")
        if current != text:
            sys.exit(f"gen_cp932_table.py: {args.output} is out of date; rerun the generator")
        print(f"{args.output} is up to date")
        return
    with open(args.output, "w", encoding="ascii", newline="\n") as fh:
        fh.write(text)
    print(f"wrote {args.output}: {len(text)} bytes, {sum(1 for r in double for v in r if v)} pairs, "
          f"{len(exceptions)} encode exceptions; all measured rows verified")


if __name__ == "__main__":
    main()
