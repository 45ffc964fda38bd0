#!/usr/bin/env python3
"""Checks a portable zip as a user gets it: exactly the exe and the readme, the readme with
Windows line ends, the exe built for the zip's architecture, large-address-aware and carrying
the project's version and a manifest for that architecture. Reads the PE file itself: no Wine needed.
Usage: zip_test.py <zip> <project version> <manifest architecture: X86 | amd64>"""
import struct
import sys
import xml.etree.ElementTree as ElementTree
import zipfile

MACHINES = {"X86": 0x14C, "amd64": 0x8664}
RT_VERSION, RT_MANIFEST = 16, 24
VS_FIXEDFILEINFO_SIGNATURE = 0xFEEF04BD
IMAGE_FILE_LARGE_ADDRESS_AWARE = 0x20


class Pe:
    """The headers and resource tree of a PE image held in memory."""

    def __init__(self, data):
        self.data = data
        header = struct.unpack_from("<I", data, 0x3C)[0]
        if data[header:header + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        self.machine, sections = struct.unpack_from("<HH", data, header + 4)
        self.characteristics = struct.unpack_from("<H", data, header + 22)[0]
        optional_size = struct.unpack_from("<H", data, header + 20)[0]
        optional = header + 24
        pe32_plus = struct.unpack_from("<H", data, optional)[0] == 0x20B
        directories = optional + (112 if pe32_plus else 96)
        self.resources_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
        table = optional + optional_size
        self.sections = [struct.unpack_from("<IIII", data, table + 40 * i + 8)
                         for i in range(sections)]

    def offset(self, rva):
        for virtual_size, address, raw_size, raw_offset in self.sections:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw_offset + rva - address
        raise ValueError(f"RVA {rva:#x} is in no section")

    def resource(self, kind, ident):
        """The bytes of resource kind/ident in its first language."""
        base = self.offset(self.resources_rva)
        entry = base
        for wanted in (kind, ident, None):
            named, numbered = struct.unpack_from("<HH", self.data, entry + 12)
            entries = [struct.unpack_from("<II", self.data, entry + 16 + 8 * i)
                       for i in range(named + numbered)]
            target = next((to for name, to in entries if wanted is None or name == wanted), None)
            if target is None:
                raise KeyError(f"no resource {kind}/{ident}")
            entry = base + (target & 0x7FFFFFFF)
        rva, size = struct.unpack_from("<II", self.data, entry)
        start = self.offset(rva)
        return self.data[start:start + size]


def file_version(pe):
    block = pe.resource(RT_VERSION, 1)
    fixed = block.find(struct.pack("<I", VS_FIXEDFILEINFO_SIGNATURE))
    if fixed < 0:
        raise ValueError("version resource without VS_FIXEDFILEINFO")
    high, low = struct.unpack_from("<II", block, fixed + 8)
    return f"{high >> 16}.{high & 0xFFFF}.{low >> 16}.{low & 0xFFFF}"


def manifest_architectures(pe):
    root = ElementTree.fromstring(pe.resource(RT_MANIFEST, 1))
    return {identity.get("processorArchitecture")
            for identity in root.iter("{urn:schemas-microsoft-com:asm.v1}assemblyIdentity")}


def main(path, version, arch):
    failures = []

    def check(what, got, expected):
        if got != expected:
            failures.append(f"{what}: got {got!r}, expected {expected!r}")

    with zipfile.ZipFile(path) as package:
        names = sorted(package.namelist())
        if names != ["README.txt", "Scourwell.exe"]:
            print(f"{path}: FAILED, holds {names}")
            return 1
        readme = package.read("README.txt")
        exe = Pe(package.read("Scourwell.exe"))
    check("readme lines not ending in CRLF",
          readme.count(b"\n") - readme.count(b"\r\n"), 0)
    check("machine", exe.machine, MACHINES[arch])
    # The 32-bit exe may use the address space above 2 GB, as the 64-bit one may anyway.
    check("large address aware", exe.characteristics & IMAGE_FILE_LARGE_ADDRESS_AWARE,
          IMAGE_FILE_LARGE_ADDRESS_AWARE)
    # Versions of fewer than four parts count the missing ones as 0.
    check("file version", file_version(exe), ".".join((version.split(".") + ["0"] * 3)[:4]))
    check("manifest architectures", manifest_architectures(exe), {arch})
    for failure in failures:
        print(failure)
    print(f"{path}: {'FAILED' if failures else 'ok'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
