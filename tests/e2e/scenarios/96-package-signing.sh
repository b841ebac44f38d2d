#!/usr/bin/env bash
# e2e-timeout: 1800
# scripts/package.sh with a throwaway code-signing certificate and ssh key:
# both programs and the MSI carry a valid SHA-256 Authenticode signature by
# that certificate over their exact bytes, the MSI holds the signed program,
# SHA256SUMS.sig verifies with ssh-keygen; a byte changed after signing fails
# each check. The signed programs are the unsigned ones, byte for byte, under
# the signature; the unsigned packages carry no signature at all. (No Wine:
# 95-msi-install installs a signed MSI when it makes its own packages.)
#
# The unsigned packages come from E2E_DIST (scripts/test.sh makes them) or
# are made here.
source "$(dirname "$0")/../lib.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/nocturo-signing.XXXXXX")
trap 'rm -rf "$work"' EXIT
keys=$work/keys
e2e_signing_keys "$keys"
publisher=$(sed -nE 's/^set\(NOCTURO_PUBLISHER "([^"]+)"\)$/\1/p' "$E2E_ROOT/CMakeLists.txt")
url=http://nocturo.example.org
leaf=$(openssl x509 -in "$keys/cert.pem" -outform DER | sha256sum | cut -d' ' -f1)

unsigned=${E2E_DIST:-}
if [[ -z $unsigned ]]; then
  unsigned=$work/unsigned
  e2e_log "making the unsigned packages"
  "$E2E_ROOT/scripts/package.sh" --allow-dirty --out "$unsigned" >"$work/unsigned.log" 2>&1 ||
    e2e_fail "scripts/package.sh failed: $(tail -n 5 "$work/unsigned.log")"
fi
signed=$work/signed
e2e_log "making the signed packages"
started=$SECONDS
NOCTURO_SIGN_PASSWORD_FILE=$keys/password "$E2E_ROOT/scripts/package.sh" --allow-dirty \
  --out "$signed" --sign "$keys/sign.p12" --sums-key "$keys/sums" >"$work/signed.log" 2>&1 ||
  e2e_fail "scripts/package.sh --sign failed: $(tail -n 5 "$work/signed.log")"
e2e_log "ok: signed packages in $((SECONDS - started))s"
! grep -qF "$(cat "$keys/password")" "$work/signed.log" || e2e_fail "package.sh printed the password"

# The zips unpacked into our own folder (E2E_DIST is not ours to write to).
unsigned_zip=$work/unzipped-unsigned signed_zip=$work/unzipped-signed
for dist in "$unsigned:$unsigned_zip" "$signed:$signed_zip"; do
  (cd "${dist%%:*}" && sha256sum -c --quiet SHA256SUMS) || e2e_fail "SHA256SUMS does not match the packages in ${dist%%:*}"
  unzip -q "${dist%%:*}/nocturo-2.5-win32.zip" -d "${dist#*:}" || e2e_fail "cannot unzip ${dist%%:*}"
done
programs=(nocturo-2.5-win32/nocturo.exe nocturo-2.5-win32/nocturo-x64.exe)

# authenticode FILE: osslsigncode's verdict on FILE, trusting only the
# throwaway certificate, and only as the signer.
authenticode() {
  osslsigncode verify -CAfile "$keys/cert.pem" -require-leaf-hash "sha256:$leaf" -in "$1" 2>&1
}
# spoiled FILE: a copy of FILE with one byte changed, past the headers.
spoiled() {
  local copy at byte
  copy=$work/spoiled-$(basename "$1")
  cp "$1" "$copy"
  at=$(($(stat -c %s "$copy") / 3))
  byte=$(od -An -tu1 -j "$at" -N1 "$copy" | tr -d ' ')
  printf '%b' "\\$(printf '%03o' $(((byte + 1) % 256)))" | dd of="$copy" bs=1 seek="$at" conv=notrunc status=none
  echo "$copy"
}

# --- The signatures ----------------------------------------------------------
for file in "${programs[@]/#/$signed_zip/}" "$signed/nocturo-2.5.msi"; do
  name=${file#"$signed_zip"/}
  name=${name#"$work"/}
  out=$(authenticode "$file") || e2e_fail "$name: no valid signature by the test certificate:"$'\n'"$out"
  # (The report pads its names with spaces, differently for an MSI.)
  for line in "Message digest algorithm : SHA256" "Text description: Nocturo" "URL description: $url" \
    "Subject: /CN=$publisher"; do
    tr -s ' ' <<<"$out" | grep -qF "$line" || e2e_fail "$name: no '$line' in:"$'\n'"$out"
  done
  bad=$(spoiled "$file")
  out=$(authenticode "$bad") && e2e_fail "$name with a byte changed still verifies:"$'\n'"$out"
  e2e_log "ok: $name signed (SHA-256, description, address); with a byte changed: $(grep -m1 -E 'MISMATCH|[Ff]ail' <<<"$out")"
done

# The MSI installs the signed program.
msiextract -C "$work/extracted" "$signed/nocturo-2.5.msi" >/dev/null || e2e_fail "cannot extract the MSI"
extracted=$(find "$work/extracted" -name nocturo.exe)
cmp -s "$extracted" "$signed_zip/nocturo-2.5-win32/nocturo.exe" ||
  e2e_fail "the MSI's nocturo.exe ($extracted) is not the signed one of the zip"
e2e_log "ok: the MSI holds the signed nocturo.exe"

allowed() { ssh-keygen -Y verify -f "$keys/allowed_signers" -I nocturo -n file -s "$signed/SHA256SUMS.sig" <"$1" 2>&1; }
out=$(allowed "$signed/SHA256SUMS") || e2e_fail "SHA256SUMS.sig does not verify: $out"
out=$(allowed "$(spoiled "$signed/SHA256SUMS")") && e2e_fail "a changed SHA256SUMS verifies: $out"
e2e_log "ok: SHA256SUMS.sig verifies; with a byte changed: $out"

# --- Signed over the unsigned bytes --------------------------------------------
# The digest a program's signature covers is the unsigned program's own.
for program in "${programs[@]}"; do
  osslsigncode extract-data -h sha256 -in "$unsigned_zip/$program" -out "$work/data.der" >/dev/null ||
    e2e_fail "cannot compute the digest of the unsigned $program"
  digest=$(authenticode "$signed_zip/$program" | sed -nE 's/^Current message digest +: ([0-9A-F]+).*/\1/p')
  [[ -n $digest ]] || e2e_fail "no digest in the signature of $program"
  od -An -tx1 -v "$work/data.der" | tr -d ' \n' | grep -qi "$digest" ||
    e2e_fail "the signature of $program covers $digest, which is not the unsigned program's digest"
  rm -f "$work/data.der"
done
e2e_log "ok: the signed programs are the unsigned ones under their signature"

# --- Unsigned -----------------------------------------------------------------
[[ ! -e $unsigned/SHA256SUMS.sig ]] || e2e_fail "an unsigned package has SHA256SUMS.sig"
for file in "${programs[@]/#/$unsigned_zip/}" "$unsigned/nocturo-2.5.msi"; do
  out=$(osslsigncode verify -in "$file" 2>&1) && e2e_fail "the unsigned $file has a signature: $out"
  grep -qE 'No signature found|has no signature' <<<"$out" || e2e_fail "the unsigned $file: $out"
done
e2e_log "ok: the unsigned packages carry no signature"

# --- One publisher --------------------------------------------------------------
for file in "${programs[@]/#/$signed_zip/}"; do
  company=$(strings -e l "$file" | grep -A1 -x CompanyName | tail -n 1)
  [[ $company == "$publisher" ]] || e2e_fail "$file's version resource names '$company', not '$publisher'"
done
msiinfo suminfo "$signed/nocturo-2.5.msi" | grep -qxF "Author: $publisher" ||
  e2e_fail "the MSI's summary does not name $publisher: $(msiinfo suminfo "$signed/nocturo-2.5.msi")"
e2e_log "ok: the certificate, the version resources and the MSI's summary name $publisher"
