#!/usr/bin/env bash
# A release with a key signs what it ships: with a throwaway self-signed certificate made here
# (nothing of it is kept), cpack signs the program and the three adapters. Each carries a valid
# Authenticode signature by that certificate (osslsigncode verify), SHA256SUMS names the
# signed files, and every signed adapter still loads and works under Wine (the Microsoft-ABI
# host of its release, bound through the .lib, beside the stand-in MATLAB libraries).
# compare_release.sh finds the signed archive the same as the unsigned one but for the
# signatures, as a user checking a signed release against the source does.
# check_signing.sh BUILD_DIR SOURCE_DIR   (WINEPREFIX from the caller)
set -euo pipefail
build=$1 source=$2
work="$build/signing-check"
fail() { echo "check_signing: $*" >&2; exit 1; }
for tool in openssl osslsigncode; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh installs it)"
done

rm -rf "$work"
mkdir -p "$work/key" "$work/unpacked"
chmod 700 "$work/key"
subject="/CN=QvMatlabTools test signer $$"
password="test-$RANDOM$RANDOM"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "$subject" -addext "extendedKeyUsage=codeSigning" \
  -keyout "$work/key/key.pem" -out "$work/key/certificate.pem" 2>"$work/openssl.log" || { cat "$work/openssl.log"; fail "no certificate"; }
openssl pkcs12 -export -inkey "$work/key/key.pem" -in "$work/key/certificate.pem" -out "$work/key/signer.p12" \
  -passout "pass:$password" 2>>"$work/openssl.log" || { cat "$work/openssl.log"; fail "no PKCS#12 file"; }

# The signer as the signing step sees it: records the owner and mode of the password file and
# of its folder while it signs, then hands over to the real osslsigncode.
mkdir -p "$work/spy"
printf '%s\n' '#!/bin/sh' 'previous=' 'for argument; do' \
  '  [ "$previous" = -readpass ] && stat -c "%a %U %F" "$(dirname "$argument")" "$argument" >>"$QV_SPY_LOG"' \
  '  previous=$argument' 'done' "exec $(command -v osslsigncode) \"\$@\"" >"$work/spy/osslsigncode"
chmod +x "$work/spy/osslsigncode"
sign() {  # sign OUTPUT_FOLDER LOG: packs with the key and its password
  (cd "$build" && PATH="$work/spy:$PATH" QV_SPY_LOG="$work/modes.log" QV_SIGN_PKCS12="$work/key/signer.p12" \
    QV_SIGN_PASSWORD="$password" cpack --config CPackConfig.cmake -B "$1" >"$2" 2>&1)
}

echo "== the password file"
# A scratch folder that another user made is refused before anything is written to it.
scratch="$build/packaging/signing"
[ "$(id -u)" -eq 0 ] || fail "making a folder of another user needs root"
rm -rf "$scratch" && mkdir -p "$scratch" && chown nobody "$scratch"
sign "$work/refused" "$work/refused.log" && { cat "$work/refused.log"; fail "signed with another user's scratch folder"; }
tr -s ' \n' '  ' <"$work/refused.log" | grep -qF "is not a folder of this user's" || { cat "$work/refused.log"; fail "no word on the refused folder"; }
[ -z "$(ls -A "$scratch")" ] || fail "the password was written into another user's folder"
rm -rf "$scratch"
sign "$work/package" "$work/cpack.log" || { cat "$work/cpack.log"; fail "cpack failed"; }
# While each binary is signed, the folder is closed to others and the file is its owner's only.
[ "$(wc -l <"$work/modes.log")" -eq 8 ] || { cat "$work/modes.log"; fail "not 4 signings with a password file"; }
bad=$(grep -vxE "700 $(id -un) directory|600 $(id -un) regular (empty )?file" "$work/modes.log" || true)
[ -z "$bad" ] || fail "other users could open the password file or its folder: $bad"
echo "  folder 700 and file 600 during each of 4 signings; another user's folder refused"
rm -rf "$work/key/key.pem" "$work/key/signer.p12"
version=$(sed -nE 's/^CMAKE_PROJECT_VERSION:STATIC=(.*)/\1/p' "$build/CMakeCache.txt")
name="QvMatlabTools-$version-win64"
unzip -q "$work/package/$name.zip" -d "$work/unpacked"
top="$work/unpacked/$name"
! grep -rqF "$password" "$work/unpacked" "$work/cpack.log" || fail "the password is in the package or the log"
ls "$build"/packaging/signing 2>/dev/null | grep -q . && fail "the password file was left behind"

echo "== signatures"
for binary in "$top"/bin/QvMatlabSetPath.exe "$top"/bin/QvMatlabAPI_*_Lib.dll; do
  file=$(basename "$binary")
  osslsigncode verify -CAfile "$work/key/certificate.pem" -in "$binary" >"$work/verify-$file.log" 2>&1 ||
    { cat "$work/verify-$file.log"; fail "$file: no valid signature"; }
  grep -q "Signature verification: ok" "$work/verify-$file.log" || { cat "$work/verify-$file.log"; fail "$file: not verified"; }
  grep -qF "Subject: $subject" "$work/verify-$file.log" || { cat "$work/verify-$file.log"; fail "$file: not signed by the test certificate"; }
  grep -qi "sha256" "$work/verify-$file.log" || fail "$file: not a SHA-256 signature"
  echo "  $file: signed"
done
(cd "$top" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the signed files"

echo "== against the unsigned archive"
(cd "$build" && env -u QV_SIGN_PKCS12 -u QV_SIGN_PASSWORD -u QV_SIGN_TIMESTAMP_URL \
  cpack --config CPackConfig.cmake -B "$work/unsigned" >"$work/unsigned-cpack.log" 2>&1) ||
  { cat "$work/unsigned-cpack.log"; fail "unsigned cpack failed"; }
comparison=$(bash "$source/packaging/compare_release.sh" "$work/package/$name.zip" "$work/unsigned/$name.zip") ||
  { echo "$comparison"; fail "the signed archive differs from the unsigned one beyond its signatures"; }
grep -qx "same: $name.zip (but for its 4 signatures)" <<<"$comparison" || { echo "$comparison"; fail "not 4 signatures"; }
echo "  $(tail -n 1 <<<"$comparison")"

echo "== signed adapters under Wine"
mkdir -p "$work/run"
cp "$build"/bin/{libmx,libmat,libeng,libmex,qv_matlab_call_log}.dll "$top"/bin/QvMatlabAPI_*_Lib.dll "$work/run/"
for release in 9_4 9_3 7_6; do
  cp "$build/bin/microsoft_abi_host_$release.exe" "$work/run/"
  mode=$([ "$release" = 7_6 ] && echo legacy-mex || true)
  output=$(cd "$work/run" && wine "microsoft_abi_host_$release.exe" $mode 2>&1 | tr -d '\r') ||
    { echo "$output"; fail "the signed QvMatlabAPI_${release}_Lib.dll did not load or work"; }
  echo "  $release: $output"
done
echo "signing: passed"
