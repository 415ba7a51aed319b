#!/usr/bin/env bash
# Signs one Windows file in place with Authenticode, SHA-256, for the build:
#
#   packaging/windows/sign.sh FILE
#
# KALVORA_SIGN_PKCS12 names the certificate and key (a PKCS#12 file), KALVORA_SIGN_PASSWORD
# opens it, and KALVORA_SIGN_TIMESTAMP_URL, when set, adds an RFC 3161 time stamp. The password
# reaches osslsigncode through a private file, never a command line. The file is replaced only
# once it is signed.
set -euo pipefail
file=$1
: "${KALVORA_SIGN_PKCS12:?KALVORA_SIGN_PKCS12 must name the PKCS#12 file to sign with}"
: "${KALVORA_SIGN_PASSWORD?KALVORA_SIGN_PASSWORD must hold the password of KALVORA_SIGN_PKCS12}"

work=$(mktemp -d)
signed="$file.signed"
trap 'rm -rf "$work" "$signed"' EXIT
(umask 077 && printf '%s' "$KALVORA_SIGN_PASSWORD" >"$work/password")
options=(-pkcs12 "$KALVORA_SIGN_PKCS12" -readpass "$work/password" -h sha256
    -n Kalvora -i "https://www.valtorre-metalli.example/kalvora/")
if [ -n "${KALVORA_SIGN_TIMESTAMP_URL:-}" ]; then
    options+=(-ts "$KALVORA_SIGN_TIMESTAMP_URL")
fi
if ! osslsigncode sign "${options[@]}" -in "$file" -out "$signed" >"$work/log" 2>&1; then
    echo "signing $file with KALVORA_SIGN_PKCS12 failed:" >&2
    cat "$work/log" >&2
    exit 1
fi
mv "$signed" "$file"
