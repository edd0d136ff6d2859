#!/usr/bin/env python3
"""Prints the version resource of a Windows program file, one "Name=value" per line:
FileVersion and ProductVersion from its fixed part (a.b.c.d), then the named strings.

    peversion.py FILE NAME...
"""

import struct
import sys


def fixed_versions(data):
    at = data.find(struct.pack('<I', 0xFEEF04BD))
    if at < 0:
        sys.exit('no version resource')
    fms, fls, pms, pls = struct.unpack_from('<IIII', data, at + 8)

    def text(ms, ls):
        return f'{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}'

    return text(fms, fls), text(pms, pls)


def string_value(data, name):
    """The value that follows the key in the string table (padding words skipped), or None."""
    key = (name + '\0').encode('utf-16-le')
    at = data.find(key, data.find(struct.pack('<I', 0xFEEF04BD)))
    if at < 0:
        return None
    at += len(key)
    while data[at:at + 2] == b'\0\0':
        at += 2
    end = at
    while data[end:end + 2] != b'\0\0':
        end += 2
    return data[at:end].decode('utf-16-le')


def main(path, names):
    with open(path, 'rb') as f:
        data = f.read()
    file_version, product_version = fixed_versions(data)
    print(f'FileVersion(fixed)={file_version}')
    print(f'ProductVersion(fixed)={product_version}')
    for name in names:
        print(f'{name}={string_value(data, name)}')


if __name__ == '__main__':
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2:])
