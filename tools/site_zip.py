#!/usr/bin/python3
# A folder as a zip that is the same bytes wherever, whenever and by whomever it is made: the
# browser build's zip of its site for game portals (cmake/web_package.cmake). The entries go in
# the byte order of their paths, all stamped with one time (given in seconds since 1970, written
# as UTC) and the mode 0644, with no extra fields: neither the builder's owner, time zone, umask
# nor locale reaches the bytes. (`cmake -E tar --format=zip` writes the files' uid and gid and a
# DOS time in the local time zone.) The zip is written only when its bytes change.
#   site_zip.py FOLDER OUT.zip SECONDS_SINCE_1970
import io, os, sys, time, zipfile

DOS_EPOCH = 315532800  # 1980-01-01 00:00:00 UTC, the earliest time a zip entry can carry


def paths_in(folder):
    found = []
    for root, _, files in os.walk(folder):
        for name in files:
            found.append(os.path.relpath(os.path.join(root, name), folder).replace(os.sep, '/'))
    return sorted(found, key=lambda path: path.encode())


def zip_bytes(folder, seconds):
    date_time = time.gmtime(max(seconds, DOS_EPOCH))[:6]
    out = io.BytesIO()
    with zipfile.ZipFile(out, 'w') as archive:
        for path in paths_in(folder):
            entry = zipfile.ZipInfo(path, date_time)
            entry.create_system = 3  # Unix, so that unzip reads the mode
            entry.external_attr = 0o100644 << 16
            entry.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(folder, path), 'rb') as f:
                archive.writestr(entry, f.read(), compresslevel=9)
    return out.getvalue()


def main():
    folder, out, seconds = sys.argv[1], sys.argv[2], int(sys.argv[3])
    data = zip_bytes(folder, seconds)
    if os.path.exists(out):
        with open(out, 'rb') as f:
            if f.read() == data:
                return 0
    os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
    with open(out + '.part', 'wb') as f:
        f.write(data)
    os.replace(out + '.part', out)
    return 0


if __name__ == '__main__':
    sys.exit(main())
