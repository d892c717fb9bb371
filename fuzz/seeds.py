#!/usr/bin/env python3
"""Writes the seed inputs of fuzz_encode and fuzz_draw.

FuzzedDataProvider reads strings from the front of the input and numbers from
the back, so a seed is the strings, each ended by a backslash and a space,
followed by the numbers in reverse order of reading."""
import os
import re

HERE = os.path.dirname(os.path.abspath(__file__))


def type_names():
    """The type names in enumeration order, from the rows of the symbology table."""
    with open(os.path.join(HERE, '..', 'barcode', 'Symbology.h')) as f:
        return re.findall(r'^\s*\{\w+,\s*"(\w+)",', f.read(), re.MULTILINE)


TYPES = type_names()


class Seed:
    def __init__(self):
        self.front, self.back = b'', []

    def text(self, s):
        self.front += s.replace(b'\\', b'\\\\') + b'\\ '

    def number(self, value, lo, hi):
        span, offset, nbytes = hi - lo, value - lo, 0
        while nbytes < 8 and (span >> (8 * nbytes)) > 0:
            nbytes += 1
        self.back += list(offset.to_bytes(nbytes, 'big'))

    def byte(self, v):
        self.number(v, 0, 255)

    def flag(self, v):
        self.byte(1 if v else 0)

    def bytes(self):
        return self.front + bytes(reversed(self.back))


def encode_params(seed, type_, ratio, addon, caption):
    seed.byte(TYPES.index(type_))
    seed.byte(ratio)
    seed.flag(False)
    seed.text(addon)
    seed.flag(False)
    seed.text(caption)


CASES = [('EAN_8', b'9638507', b''), ('EAN_13', b'590123412345', b'12345'), ('EAN_13', b'12', b'12'),
         ('UPC_A', b'03600029145', b''), ('UPC_E', b'123456', b''), ('CODE39', b'000000D', b''),
         ('CODE39', b'ab#1', b''), ('CODE25i', b'1234567', b''), ('CODE25iP', b'12345678901', b''),
         ('CODE128_A', b'HELLO-123', b''), ('CODE128_B', b'AB12', b''), ('CODE128_C', b'12345', b''),
         ('CODE128_B', b'\x831234', b''), ('MSI_Plessey', b'1234567', b''), ('Codabar', b'a40156b', b''),
         ('Postnet', b'1234567890', b''), ('Postnet_FIM', b'A', b'')]


def main():
    for target in ('fuzz_encode', 'fuzz_draw'):
        os.makedirs(os.path.join(HERE, 'corpus', target), exist_ok=True)
    for i, (type_, caption, addon) in enumerate(CASES):
        s = Seed()
        encode_params(s, type_, i % 2, addon, caption)
        open(os.path.join(HERE, 'corpus', 'fuzz_encode', f'{type_}-{i:02d}'), 'wb').write(s.bytes())

        d = Seed()
        d.number(300 if i % 3 else 96, 0, 2400)   # dpi across
        d.flag(i % 4 != 0)                         # same dpi down
        if i % 4 == 0:
            d.number(600, 0, 2400)
        d.number(10, -1000, 1000)                  # x0
        d.number(20, -1000, 1000)                  # y0
        d.byte(i % 10)                             # module width class
        d.byte(i % 4)                              # rotation
        d.flag(True); d.number(100 if i % 2 else 40, 20, 200)   # height percent
        d.flag(True); d.number(100 if i % 3 else 200, 20, 200)  # font scaling
        for v in (i % 5 == 1, i % 5 == 2, i % 5 == 3, i % 6 != 0):  # reduce, high density, zoom, text
            d.flag(v)
        d.flag(True); d.number(7, 0, 14)           # ident split
        encode_params(d, type_, i % 2, addon, caption)
        open(os.path.join(HERE, 'corpus', 'fuzz_draw', f'{type_}-{i:02d}'), 'wb').write(d.bytes())


if __name__ == '__main__':
    main()
