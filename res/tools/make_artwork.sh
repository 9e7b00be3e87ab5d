#!/bin/sh
# Regenerates res/art/ from res/tools/make_artwork.py; fetches cjpeg first if
# this is a Debian machine that lacks it.
set -e
here=$(cd "$(dirname "$0")" && pwd)
if ! command -v cjpeg >/dev/null 2>&1; then
    if [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null 2>&1; then
        apt-get install -y libjpeg-turbo-progs >/dev/null
    else
        echo "cjpeg missing: apt-get install -y libjpeg-turbo-progs" >&2
        exit 1
    fi
fi
exec python3 "$here/make_artwork.py" "$@"
