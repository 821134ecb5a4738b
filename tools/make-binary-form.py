#!/usr/bin/env python3
"""Writes a binary form file (.dfm) from the text form of a form.

    tools/make-binary-form.py IN.txt OUT.dfm

The input is a form in its text notation (object/inherited/inline ... end, properties "Name = value").
The output is what the form designer stores for it: the resource header (type 0xFF 0x0A 0x00, the root
class name in capitals, 16-bit memory flags, 32-bit data size), the "TPF0" signature and the objects with
their typed values. Value types follow the text:

    123 / -5            smallest of 8-, 16-, 32- or 64-bit integer
    1.5  2E-7           80-bit extended float; with suffix s, c or d: single, currency, date
    'It'#39's' + ...    string (8-bit), long string above 255 characters, wide string for codes above 255
    clBtnFace           identifier; True, False and nil have types of their own
    (...)  [...]  {..}  list, set, binary data (hexadecimal)
    <item [n] ... end>  collection, optionally with item indexes

Converting the result back with `listrel-cli convert-form OUT.dfm` gives the input again when the input
is written the way the converter writes (two-space indent, CR LF, strings cut after 64 characters).
"""

import re
import struct
import sys
from fractions import Fraction

LIST, INT8, INT16, INT32, EXTENDED, STRING, IDENT, FALSE, TRUE, BINARY, SET, LSTRING, NIL, COLLECTION = range(1, 15)
SINGLE, CURRENCY, DATE, WSTRING, INT64 = range(15, 20)

TOKEN = re.compile(r"""
    (?P<space>\s+)
  | (?P<number>-?\d+(\.\d+)?([eE][-+]?\d+)?[scd]?(?![\w.]))
  | (?P<string>('([^'\r\n]|'')*'|\#\d+)+)
  | (?P<name>[A-Za-z_][\w.]*)
  | (?P<symbol>[=:\[\](){}<>,+])
""", re.VERBOSE)


class FormSyntaxError(Exception):
    pass


def tokenize(text):
    tokens = []
    pos = 0
    while pos < len(text):
        m = TOKEN.match(text, pos)
        if not m:
            line = text.count("\n", 0, pos) + 1
            raise FormSyntaxError(f"line {line}: cannot read {text[pos:pos + 20]!r}")
        kind = m.lastgroup
        if kind == "symbol" and m.group() == "{":
            end = text.index("}", pos)
            tokens.append(("binary", re.sub(r"\s+", "", text[pos + 1:end])))
            pos = end + 1
            continue
        if kind != "space":
            tokens.append((kind, m.group()))
        pos = m.end()
    return tokens


def string_units(token):
    """The characters of one quoted-and-coded piece, as code units."""
    units = []
    for quoted, code in re.findall(r"'((?:[^']|'')*)'|#(\d+)", token):
        if code:
            units.append(int(code))
        else:
            units.extend(quoted.replace("''", "'").encode("latin-1"))
    return units


def int_value(value):
    if -128 <= value <= 127:
        return bytes([INT8]) + struct.pack("<b", value)
    if -32768 <= value <= 32767:
        return bytes([INT16]) + struct.pack("<h", value)
    if -2**31 <= value < 2**31:
        return bytes([INT32]) + struct.pack("<i", value)
    return bytes([INT64]) + struct.pack("<q", value)


def extended_bytes(value):
    """The 80-bit extended layout of a decimal value, rounded to nearest-even on 64 mantissa bits."""
    negative = value < 0
    value = abs(value)
    sign = 0x8000 if negative else 0
    if value == 0:
        return bytes(8) + struct.pack("<H", sign)
    exponent = value.numerator.bit_length() - value.denominator.bit_length()
    while value < Fraction(2) ** exponent:
        exponent -= 1
    while value >= Fraction(2) ** (exponent + 1):
        exponent += 1
    mantissa = round(value * Fraction(2) ** (63 - exponent))
    if mantissa == 2**64:
        mantissa >>= 1
        exponent += 1
    return struct.pack("<QH", mantissa, (exponent + 16383) | sign)


def number_value(text):
    suffix = text[-1] if text[-1] in "scd" else ""
    digits = text[:-1] if suffix else text
    if suffix == "s":
        return bytes([SINGLE]) + struct.pack("<f", float(Fraction(digits)))
    if suffix == "c":
        return bytes([CURRENCY]) + struct.pack("<q", int(Fraction(digits)))
    if suffix == "d":
        return bytes([DATE]) + struct.pack("<d", float(Fraction(digits)))
    if re.fullmatch(r"-?\d+", digits):
        return int_value(int(digits))
    return bytes([EXTENDED]) + extended_bytes(Fraction(digits))


def short_string(text):
    data = text.encode("latin-1")
    if len(data) > 255:
        raise FormSyntaxError(f"name too long: {text[:40]}...")
    return bytes([len(data)]) + data


class Reader:
    def __init__(self, tokens):
        self.tokens = tokens
        self.pos = 0

    def peek(self):
        return self.tokens[self.pos] if self.pos < len(self.tokens) else ("eof", "")

    def take(self, expected=None):
        token = self.peek()
        if token[0] == "eof" or (expected is not None and token[1] != expected):
            raise FormSyntaxError(f"expected {expected or 'more'}, found {token[1]!r} (token {self.pos})")
        self.pos += 1
        return token

    def value(self):
        kind, text = self.take()
        if kind == "number":
            return number_value(text)
        if kind == "string":
            units = string_units(text)
            while self.peek()[1] == "+":
                self.take("+")
                units += string_units(self.take()[1])
            if any(u > 255 for u in units):
                return bytes([WSTRING]) + struct.pack("<I", len(units)) + b"".join(struct.pack("<H", u) for u in units)
            data = bytes(units)
            if len(data) > 255:
                return bytes([LSTRING]) + struct.pack("<I", len(data)) + data
            return bytes([STRING, len(data)]) + data
        if kind == "name":
            special = {"True": TRUE, "False": FALSE, "nil": NIL}
            if text in special:
                return bytes([special[text]])
            return bytes([IDENT]) + short_string(text)
        if kind == "binary":
            data = bytes.fromhex(text)
            return bytes([BINARY]) + struct.pack("<I", len(data)) + data
        if text == "(":
            out = bytes([LIST])
            while self.peek()[1] != ")":
                out += self.value()
            self.take(")")
            return out + b"\0"
        if text == "[":
            out = bytes([SET])
            while self.peek()[1] != "]":
                out += short_string(self.take()[1])
                if self.peek()[1] == ",":
                    self.take(",")
            self.take("]")
            return out + b"\0"
        if text == "<":
            out = bytes([COLLECTION])
            while self.peek()[1] != ">":
                self.take("item")
                if self.peek()[1] == "[":
                    self.take("[")
                    out += int_value(int(self.take()[1]))
                    self.take("]")
                out += bytes([LIST]) + self.properties() + b"\0"
                self.take("end")
            self.take(">")
            return out + b"\0"
        raise FormSyntaxError(f"unexpected {text!r}")

    def properties(self):
        out = b""
        while self.peek()[1] not in ("end", "object", "inherited", "inline"):
            name = self.take()[1]
            self.take("=")
            out += short_string(name) + self.value()
        return out

    def object(self):
        """Answers the object's bytes and its class name."""
        kind = self.take()[1]
        flags = {"object": 0, "inherited": 1, "inline": 4}.get(kind)
        if flags is None:
            raise FormSyntaxError(f"expected object, found {kind!r}")
        first = self.take()[1]
        name, class_name = "", first
        if self.peek()[1] == ":":
            self.take(":")
            name, class_name = first, self.take()[1]
        position = b""
        if self.peek()[1] == "[":
            self.take("[")
            flags |= 2
            position = int_value(int(self.take()[1]))
            self.take("]")
        out = (bytes([0xF0 | flags]) + position if flags else b"")
        out += short_string(class_name) + short_string(name) + self.properties() + b"\0"
        while self.peek()[1] != "end":
            out += self.object()[0]
        self.take("end")
        return out + b"\0", class_name


def binary_form(text):
    reader = Reader(tokenize(text))
    body, class_name = reader.object()
    if reader.peek()[0] != "eof":
        raise FormSyntaxError("text after the root object's end")
    stream = b"TPF0" + body
    header = b"\xff\x0a\x00" + class_name.upper().encode("latin-1") + b"\0" + struct.pack("<HI", 0x1030, len(stream))
    return header + stream


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    with open(argv[1], "rb") as f:
        text = f.read().decode("latin-1")
    try:
        data = binary_form(text)
    except FormSyntaxError as e:
        sys.stderr.write(f"{argv[1]}: {e}\n")
        return 1
    with open(argv[2], "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
