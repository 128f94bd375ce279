#!/usr/bin/env python3
"""The straightforward way to import a Taobao 4.x file, as a yardstick for bench_import:
Python's csv and sqlite3 modules, one transaction, one description file per record.
    baseline_import.py FILE.csv WORKDIR"""
import csv
import os
import sqlite3
import sys
import time
import uuid


def main():
    path, work = sys.argv[1], sys.argv[2]
    os.makedirs(os.path.join(work, "desc"), exist_ok=True)
    start = time.time()
    db = sqlite3.connect(os.path.join(work, "baseline.db"))
    with open(path, encoding="utf-16", newline="") as f:
        reader = csv.reader(f, delimiter="\t")
        header = next(reader)
        columns = ",".join('"%s"' % name for name in header)
        db.execute("create table BabyData(%s)" % columns)
        marks = ",".join("?" * len(header))
        description = header.index("宝贝描述")
        rows = 0
        with db:
            for record in reader:
                if not record:
                    continue
                name = os.path.join(work, "desc", "{%s}.htm" % str(uuid.uuid4()).upper())
                with open(name, "w", encoding="gb18030", newline="") as out:
                    out.write(record[description] + "\r\n")
                record[description] = name
                db.execute("insert into BabyData values(%s)" % marks, record[: len(header)])
                rows += 1
    seconds = time.time() - start
    size = os.path.getsize(path)
    print("baseline: %.2f s, %.0f records/s, %.1f MB/s of input" % (seconds, rows / seconds, size / 1e6 / seconds))


if __name__ == "__main__":
    main()
