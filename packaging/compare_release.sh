#!/usr/bin/env bash
# Compares a published release archive with one built here from the same commit (see the
# README, "Checking a release against its source"). Unsigned archives must be identical. A
# signed one may differ only by what signing changes: each binary's signature, PE checksum
# and the zero padding before the signature, and those binaries' sums in SHA256SUMS; the
# published SHA256SUMS must then match the published files.
# compare_release.sh PUBLISHED_ZIP BUILT_ZIP    (prints "same" or each difference; status 0 or 1)
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: compare_release.sh PUBLISHED_ZIP BUILT_ZIP" >&2; exit 2; }
published=$1 built=$2
if cmp -s "$published" "$built"; then
  echo "same: $(basename "$published") (byte for byte)"
  exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unzip -q "$published" -d "$work/published"
unzip -q "$built" -d "$work/built"
(cd "$work/published" && find . -type f | LC_ALL=C sort) >"$work/published.txt"
(cd "$work/built" && find . -type f | LC_ALL=C sort) >"$work/built.txt"
different=0
diff "$work/published.txt" "$work/built.txt" || { echo "the archives hold other files"; different=1; }

# zero_checksum FILE: the PE checksum (offset 0x58 into the PE header) set to 0.
zero_checksum() {
  local header
  header=$(od -An -tu4 -j 60 -N 4 "$1" | tr -d ' ')
  printf '\0\0\0\0' | dd of="$1" bs=1 seek=$((header + 88)) conv=notrunc status=none
}

# same_unsigned PUBLISHED BUILT: PUBLISHED without its signature is BUILT, up to checksum and padding.
same_unsigned() {
  local size
  rm -f "$work/unsigned"
  osslsigncode remove-signature -in "$1" -out "$work/unsigned" >/dev/null 2>&1 || return 1
  cp "$2" "$work/built-copy"
  zero_checksum "$work/unsigned"
  zero_checksum "$work/built-copy"
  size=$(stat -c %s "$work/built-copy")
  [ "$(stat -c %s "$work/unsigned")" -le $((size + 7)) ] || return 1
  [ -z "$(tail -c +$((size + 1)) "$work/unsigned" | tr -d '\0')" ] || return 1
  cmp -s -n "$size" "$work/unsigned" "$work/built-copy"
}

signed=()
while read -r file; do
  [ -f "$work/built/$file" ] || continue
  cmp -s "$work/published/$file" "$work/built/$file" && continue
  case "$file" in
    */SHA256SUMS) continue ;;
    */bin/*.exe | */bin/*.dll)
      if same_unsigned "$work/published/$file" "$work/built/$file"; then
        signed+=("${file#./*/}")
        echo "signed: $file (otherwise the same)"
        continue
      fi ;;
  esac
  echo "differs: $file"
  different=1
done <"$work/published.txt"

sums=$(cd "$work/published" && find . -name SHA256SUMS | head -n 1)
if [ -n "$sums" ]; then
  (cd "$work/published/$(dirname "$sums")" && sha256sum --quiet -c SHA256SUMS) ||
    { echo "the published SHA256SUMS does not match the published files"; different=1; }
  # Apart from the signed binaries, both name the same sums.
  filter() {
    if [ ${#signed[@]} -eq 0 ]; then
      cat "$1"
    else
      grep -vE "  ($(printf '%s|' "${signed[@]}" | sed 's/[.]/[.]/g; s/|$//'))\$" "$1" || true
    fi
  }
  diff <(filter "$work/published/$sums") <(filter "$work/built/$sums") >/dev/null ||
    { echo "SHA256SUMS differ beyond the signed binaries"; different=1; }
fi
[ "$different" -eq 0 ] || exit 1
echo "same: $(basename "$published") (but for its ${#signed[@]} signatures)"
