# shellcheck shell=bash disable=SC2154 # package.sh sets the variables
# Signing for scripts/package.sh, which sources this file and sets what it
# uses: sign_p12, sums_key, work, publisher, url, epoch, fail and the tools
# (openssl, osslsigncode, ssh_keygen).
#
# The PKCS#12 password travels only through pipes from printf (a shell
# builtin), so it is on no command line and in no file of ours.

# sign_password: the PKCS#12 password, on standard output, for a pipe.
sign_password() {
  if [[ -n ${NOCTURO_SIGN_PASSWORD_FILE:-} ]]; then
    local password
    # (read fails on a last line without its line end, yet reads it.)
    IFS= read -r password <"$NOCTURO_SIGN_PASSWORD_FILE" || true
    printf '%s' "$password"
  else
    printf '%s' "${NOCTURO_SIGN_PASSWORD-}"
  fi
}

# check_certificate: refuses, before anything is built, a certificate that
# would give a signature Windows does not trust as the publisher's: one that
# the password does not open, without its key, not valid now, not for code
# signing, or issued to someone else. Leaves the certificate in
# $work/certificate.pem.
check_certificate() {
  local nothing="; nothing was written" pem=$work/certificate.pem subject start end
  [[ -f $sign_p12 && -r $sign_p12 ]] || fail "cannot read the certificate file $sign_p12$nothing"
  if [[ -n ${NOCTURO_SIGN_PASSWORD_FILE:-} ]]; then
    [[ -r $NOCTURO_SIGN_PASSWORD_FILE ]] ||
      fail "cannot read the password file $NOCTURO_SIGN_PASSWORD_FILE$nothing"
  elif [[ -z ${NOCTURO_SIGN_PASSWORD+set} ]]; then
    fail "no password for $sign_p12: set NOCTURO_SIGN_PASSWORD or NOCTURO_SIGN_PASSWORD_FILE$nothing"
  fi
  # Older files use ciphers that OpenSSL 3 keeps in its legacy provider.
  local legacy=()
  if ! sign_password | "$openssl" pkcs12 -in "$sign_p12" -passin stdin -nokeys -clcerts \
    -out "$pem" 2>/dev/null; then
    legacy=(-legacy)
    sign_password | "$openssl" pkcs12 "${legacy[@]}" -in "$sign_p12" -passin stdin -nokeys \
      -clcerts -out "$pem" 2>/dev/null ||
      fail "cannot open $sign_p12: wrong password, or not a PKCS#12 file$nothing"
  fi
  # The key goes down the pipe to grep, never to a file.
  sign_password | "$openssl" pkcs12 "${legacy[@]}" -in "$sign_p12" -passin stdin -nocerts \
    -nodes 2>/dev/null | grep -q -- '-----BEGIN .*PRIVATE KEY-----' ||
    fail "$sign_p12 holds no private key$nothing"
  grep -q -- '-----BEGIN CERTIFICATE-----' "$pem" || fail "$sign_p12 holds no certificate for its key$nothing"

  start=$("$openssl" x509 -in "$pem" -noout -startdate | cut -d= -f2)
  end=$("$openssl" x509 -in "$pem" -noout -enddate | cut -d= -f2)
  "$openssl" x509 -in "$pem" -noout -checkend 0 >/dev/null ||
    fail "the certificate in $sign_p12 expired on $end$nothing"
  (($(date -d "$start" +%s) <= $(date +%s))) ||
    fail "the certificate in $sign_p12 is not valid before $start$nothing"
  "$openssl" x509 -in "$pem" -noout -ext extendedKeyUsage 2>/dev/null | grep -q 'Code Signing' ||
    fail "the certificate in $sign_p12 is not for code signing (no Code Signing extended key usage)$nothing"
  # Windows names the publisher by the subject's common name.
  subject=$("$openssl" x509 -in "$pem" -noout -subject -nameopt multiline,utf8,-esc_msb |
    sed -nE 's/^ +commonName += (.*)$/\1/p')
  [[ $subject == "$publisher" ]] ||
    fail "the certificate in $sign_p12 is issued to '$subject', not to the publisher '$publisher'" \
      "(NOCTURO_PUBLISHER in CMakeLists.txt)$nothing"
  echo "package: signing as $subject, certificate valid until $end"
}

# authenticode FILE: signs FILE (a program or an MSI) in place; SHA-256, the
# program's name and address, and the commit's time as the signing time.
authenticode() {
  local name
  name=$(basename "$1")
  rm -f "$1.signed"
  sign_password | "$osslsigncode" sign -pkcs12 "$sign_p12" -readpass - -h sha256 \
    -n Nocturo -i "$url" -time "$epoch" -in "$1" -out "$1.signed" >"$work/sign-$name.log" 2>&1 ||
    { cat "$work/sign-$name.log" >&2; fail "osslsigncode could not sign $name; nothing was written"; }
  mv -f "$1.signed" "$1"
}

# check_sums_key: signs a scrap of text with the checksums' key, so that a key
# that cannot sign is found before the build.
check_sums_key() {
  [[ -f $sums_key && -r $sums_key ]] || fail "cannot read the key $sums_key; nothing was written"
  printf 'probe\n' >"$work/key-probe"
  "$ssh_keygen" -Y sign -f "$sums_key" -n file "$work/key-probe" >"$work/key-probe.log" 2>&1 ||
    fail "ssh-keygen cannot sign with $sums_key (a key with a passphrase must be in ssh-agent," \
      "and named by its .pub): $(tail -n 1 "$work/key-probe.log"); nothing was written"
}

# sign_sums FILE: FILE.sig, to check with ssh-keygen -Y verify -n file.
sign_sums() {
  "$ssh_keygen" -Y sign -f "$sums_key" -n file "$1" >"$work/sign-sums.log" 2>&1 ||
    { cat "$work/sign-sums.log" >&2; fail "ssh-keygen could not sign $(basename "$1"); nothing was written"; }
}
