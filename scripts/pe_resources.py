#!/usr/bin/env python3
"""Prints what a Windows binary tells about itself in its resources, read from the file alone.

    pe_resources.py FILE

One fact a line: machine=i386|x86-64, icon-groups=ID,ID... (the numbers of the icon groups in the
order the shell looks at them: it shows the first), file-version=A.B.C.D and product-version=A.B.C.D (the numbers of the version block), then
every string of the version block as Name=Value. Standard library only.
"""
import struct
import sys

RT_ICON_GROUP = 14
RT_VERSION = 16
MACHINES = {0x14C: "i386", 0x8664: "x86-64"}


def resources(image):
    """{type id: [(name, data) of each resource of that type]} from the resource section."""
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    if image[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", image, pe + 4)
    optional = pe + 24
    magic = struct.unpack_from("<H", image, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    rsrc_rva = struct.unpack_from("<I", image, directories + 2 * 8)[0]
    table = optional + optional_size
    spans = [struct.unpack_from("<IIII", image, table + 40 * i + 8) for i in range(sections)]

    def offset(rva):
        for size, address, raw_size, raw in spans:
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        raise ValueError("address 0x%x outside every section" % rva)

    found = {}
    if not rsrc_rva:
        return MACHINES.get(machine, hex(machine)), found
    base = offset(rsrc_rva)

    def entries(directory):
        named, ids = struct.unpack_from("<HH", image, base + directory + 12)
        for i in range(named + ids):
            name, target = struct.unpack_from("<II", image, base + directory + 16 + 8 * i)
            yield name, target

    def leaves(target):
        if target & 0x80000000:
            for _, child in entries(target & 0x7FFFFFFF):
                yield from leaves(child)
        else:
            rva, size = struct.unpack_from("<II", image, base + target)
            yield bytes(image[offset(rva):offset(rva) + size])

    for kind, target in entries(0):
        # Names are numbers here (the high bit marks a text name, which we show as "name").
        found[kind] = [("name" if name & 0x80000000 else str(name), data)
                       for name, child in entries(target & 0x7FFFFFFF) for data in leaves(child)]
    return MACHINES.get(machine, hex(machine)), found


def version_block(data, at=0):
    """(key, value, children) of one VS_VERSIONINFO node: value is text or bytes."""
    length, value_length, kind = struct.unpack_from("<HHH", data, at)
    end = at + length
    key_end = at + 6
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[at + 6:key_end].decode("utf-16-le")
    value_at = (key_end + 2 + 3) & ~3
    if kind == 1:  # text, its length counted in characters
        value = data[value_at:value_at + 2 * value_length].decode("utf-16-le").rstrip("\0")
        value_end = value_at + 2 * value_length
    else:
        value = data[value_at:value_at + value_length]
        value_end = value_at + value_length
    children = []
    child = (value_end + 3) & ~3
    while child < end:
        node = version_block(data, child)
        children.append(node)
        child = (child + struct.unpack_from("<H", data, child)[0] + 3) & ~3
    return key, value, children


def describe(path):
    with open(path, "rb") as f:
        machine, found = resources(f.read())
    lines = ["machine=" + machine,
             "icon-groups=" + ",".join(name for name, _ in found.get(RT_ICON_GROUP, []))]
    for _, data in found.get(RT_VERSION, [])[:1]:
        key, fixed, children = version_block(data)
        if key != "VS_VERSION_INFO" or struct.unpack_from("<I", fixed, 0)[0] != 0xFEEF04BD:
            raise ValueError("malformed version block")
        for name, ms, ls in (("file", 8, 12), ("product", 16, 20)):
            high, low = struct.unpack_from("<II", fixed, ms)[0], struct.unpack_from("<I", fixed, ls)[0]
            lines.append("%s-version=%d.%d.%d.%d" % (name, high >> 16, high & 0xFFFF, low >> 16, low & 0xFFFF))
        for child in children:
            if child[0] == "StringFileInfo":
                for table in child[2]:
                    lines += ["%s=%s" % (name, value) for name, value, _ in table[2]]
    return lines


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    try:
        print("\n".join(describe(sys.argv[1])))
    except (OSError, ValueError, struct.error) as error:
        sys.exit("%s: %s" % (sys.argv[1], error or "not a readable PE file"))
