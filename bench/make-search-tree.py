#!/usr/bin/env python3
# The tree the search benchmarks run on: FOLDERS folders of FILES small files, every one
# holding "bench needle", all times distinct so the ordering has work to do.
# Usage: bench/make-search-tree.py ROOT FOLDERS FILES
import os
import sys

root, folders, files = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
body = b"x" * 200 + b" bench needle " + b"y" * 200
for d in range(folders):
    os.mkdir(f"{root}/d{d:03}")
    for f in range(files):
        path = f"{root}/d{d:03}/f{f:03}.txt"
        with open(path, "wb") as out:
            out.write(body)
        stamp = 1_600_000_000 + (d * files + f) * 7 % (folders * files) * 60
        os.utime(path, (stamp, stamp))
