#!/usr/bin/env bash
# zipread on archives it has never seen: a tree packed by bsdtar, 7z and Python's zipfile
# (deflated, stored, ZIP64) must come back byte for byte, with exit code 0.
# usage: zipread_crosscheck.sh ZIPREAD
set -u
zipread=$1
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
tree=$work/tree
mkdir -p "$tree/sub/deeper" "$tree/empty folder"
head -c 300000 /dev/urandom >"$tree/sub/random.bin"
seq 1 200000 >"$tree/sub/deeper/numbers.txt"
: >"$tree/empty.txt"
printf 'name with spaces\n' >"$tree/with spaces.txt"
printf 'utf-8 name\n' >"$tree/"$'gr\xc3\xbc\xc3\x9fe.txt'

failures=0
check() {
  local label=$1 archive=$2
  local out=$work/out-$label
  "$zipread" -qq "$archive" -d "$out" 2>"$work/err-$label"
  local rc=$?
  if [ $rc -ne 0 ]; then
    echo "FAIL $label: exit $rc: $(head -3 "$work/err-$label")"
    failures=$((failures + 1))
  elif ! diff -r "$tree" "$out/tree" >"$work/diff-$label" 2>&1; then
    echo "FAIL $label: content differs: $(head -3 "$work/diff-$label")"
    failures=$((failures + 1))
  else
    echo "ok   $label"
  fi
}

cd "$work" || exit 1
bsdtar -a -cf bsdtar.zip tree && check bsdtar bsdtar.zip
bsdtar --format zip --options zip:compression=store -cf bsdtar-store.zip tree &&
  check bsdtar-store bsdtar-store.zip
7z a -tzip -mx=9 7z.zip tree >/dev/null && check 7z 7z.zip
7z a -tzip -mx=0 7z-store.zip tree >/dev/null && check 7z-store 7z-store.zip
python3 - <<'PY'
import os, zipfile
for name, method, zip64 in (("py-deflate.zip", zipfile.ZIP_DEFLATED, False),
                            ("py-zip64.zip", zipfile.ZIP_DEFLATED, True)):
    with zipfile.ZipFile(name, "w", method) as z:
        for root, dirs, files in os.walk("tree"):
            z.write(root)
            for f in files:
                path = os.path.join(root, f)
                with open(path, "rb") as src, z.open(zipfile.ZipInfo.from_file(path), "w",
                                                      force_zip64=zip64) as dst:
                    dst.write(src.read())
PY
check py-deflate py-deflate.zip
check py-zip64 py-zip64.zip

listed=$("$zipread" -v 7z.zip | tail -1)
expected="total $(find tree -type f -printf '%s\n' | awk '{s += $1} END {print s}')"
[ "$listed" = "$expected" ] || { echo "FAIL listing: '$listed', expected '$expected'"; failures=$((failures + 1)); }
exit $((failures > 0))
