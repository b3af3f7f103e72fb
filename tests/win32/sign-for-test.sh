#!/usr/bin/env bash
# Signs two copies of a program, each with a certificate made for the occasion: "untrusted.exe", whose
# signer no system trusts, and "trusted.exe", whose signer's certificate (trusted.cer) a test makes
# the machine trust. The keys stay in the build folder that asked for them.
#
#   sign-for-test.sh PROGRAM FOLDER
set -euo pipefail
program=$1
folder=$2
mkdir -p "$folder"
sign() {
    local name=$1 subject=$2
    openssl req -x509 -newkey rsa:2048 -nodes -days 3650 -subj "/CN=$subject" \
        -addext extendedKeyUsage=codeSigning -keyout "$folder/$name.key" -out "$folder/$name.pem" 2>/dev/null
    openssl x509 -in "$folder/$name.pem" -outform der -out "$folder/$name.cer"
    rm -f "$folder/$name.exe"
    osslsigncode sign -certs "$folder/$name.pem" -key "$folder/$name.key" -n "Quorvel test" \
        -in "$program" -out "$folder/$name.exe" >/dev/null
}
sign untrusted "Quorvel Test Signer"
sign trusted "Quorvel Trusted Test Signer"
