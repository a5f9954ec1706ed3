# Sourced by the scripts that make or check a release (scripts/package,
# scripts/check-release, scripts/check-reproducible), from the top of the
# sources: building the shipped program, naming where two files differ, and
# signing the program and checking its signature (Authenticode, with
# osslsigncode 2.5 or later and openssl).

# The shipped program, as built in build/win32.
PROGRAM="build/win32/bin/Kestrimond GUI.exe"
# The roots this machine trusts (Debian's ca-certificates).
SYSTEM_ROOTS=/etc/ssl/certs/ca-certificates.crt

# build_program [CMAKE-ARGUMENT...]: builds PROGRAM, and only it, in
# build/win32, which it configures with the arguments, and checks its imports.
build_program() {
    scripts/configure win32 "$@"
    cmake --build build/win32 -j "$(nproc)" --target kestrimond_gui
    scripts/check-imports "$PROGRAM"
}

# first_difference FIRST SECOND [FIRST-NAME SECOND-NAME]: says where two files
# that are not equal first differ.
first_difference() {
    local first=$1 second=$2 one=${3:-the first} other=${4:-the second} difference offset a b
    difference=$(cmp -l "$first" "$second" 2>/dev/null | head -n 1 || true)
    if [ -n "$difference" ]; then
        # cmp counts bytes from 1 and prints them in octal.
        read -r offset a b <<<"$difference"
        offset=$((offset - 1))
        printf 'first differing byte at offset %d (0x%x): 0x%02x in %s, 0x%02x in %s\n' \
            "$offset" "$offset" "$((8#$a))" "$one" "$((8#$b))" "$other"
    else
        # One is the start of the other.
        offset=$(( $(stat -c %s "$first") < $(stat -c %s "$second") ? $(stat -c %s "$first") : $(stat -c %s "$second") ))
        printf 'first differing byte at offset %d (0x%x): one file ends there\n' "$offset" "$offset"
    fi
}

# signing_way: which way of signing the KESTRIMOND_SIGN* variables ask for:
# none, pkcs12, pkcs11 or signed (a program signed elsewhere). Fails, naming
# what is wrong, unless the variables make one whole way with files that exist.
signing_way() {
    local way=none variable
    local -a needed=()
    if [ -n "${KESTRIMOND_SIGNED_PROGRAM:-}" ]; then
        way=signed needed=(KESTRIMOND_SIGNED_PROGRAM)
    fi
    if [ -n "${KESTRIMOND_SIGN_PKCS12:-}" ]; then
        [ $way = none ] || { echo "KESTRIMOND_SIGN_PKCS12 and KESTRIMOND_SIGNED_PROGRAM are both set: set one way of signing" >&2; return 1; }
        way=pkcs12 needed=(KESTRIMOND_SIGN_PKCS12 KESTRIMOND_SIGN_PASSWORD_FILE)
    fi
    if [ -n "${KESTRIMOND_SIGN_PKCS11_MODULE:-}${KESTRIMOND_SIGN_PKCS11_KEY:-}${KESTRIMOND_SIGN_CERT:-}" ]; then
        [ $way = none ] || { echo "KESTRIMOND_SIGN_PKCS11_* or KESTRIMOND_SIGN_CERT are set beside another way of signing: set one" >&2; return 1; }
        way=pkcs11 needed=(KESTRIMOND_SIGN_PKCS11_MODULE KESTRIMOND_SIGN_PKCS11_KEY KESTRIMOND_SIGN_CERT KESTRIMOND_SIGN_PASSWORD_FILE)
    fi
    case $way in
        none)
            for variable in KESTRIMOND_SIGN_PASSWORD_FILE KESTRIMOND_SIGN_TIMESTAMP_URL; do
                [ -z "${!variable:-}" ] || { echo "$variable is set, but no key to sign with" >&2; return 1; }
            done ;;
        signed)
            for variable in KESTRIMOND_SIGN_PASSWORD_FILE KESTRIMOND_SIGN_TIMESTAMP_URL; do
                [ -z "${!variable:-}" ] || { echo "$variable is set beside KESTRIMOND_SIGNED_PROGRAM, which was signed (and stamped, or not) where it was made" >&2; return 1; }
            done ;;
    esac
    for variable in "${needed[@]}"; do
        [ -n "${!variable:-}" ] || { echo "$variable is not set: signing with ${needed[0]} needs ${needed[*]:1}" >&2; return 1; }
        # The key on the token is no file.
        [ $variable = KESTRIMOND_SIGN_PKCS11_KEY ] || { [ -f "${!variable}" ] && [ -r "${!variable}" ]; } ||
            { echo "$variable=${!variable}: no such file, or not readable" >&2; return 1; }
    done
    # A PIN in the key's URI would stand on osslsigncode's command line.
    case ${KESTRIMOND_SIGN_PKCS11_KEY:-} in
        *pin-value=*) echo "KESTRIMOND_SIGN_PKCS11_KEY holds a PIN (pin-value=): put it in KESTRIMOND_SIGN_PASSWORD_FILE instead" >&2; return 1 ;;
    esac
    echo $way
}

# check_certificate CERT-FILE [stamped]: refuses a certificate (PEM or DER)
# that Windows would not take for signing a program: one whose extended key
# usage lacks code signing (one with no extended key usage serves any use),
# and, unless a time stamp vouches that it was valid when it signed, one that
# has expired or is not valid yet.
check_certificate() {
    local certificate=$1 stamped=${2:-} format=DER subject usage text
    ! grep -q -- '-----BEGIN CERTIFICATE' "$certificate" || format=PEM
    text=$(openssl x509 -inform $format -in "$certificate" -noout -subject -nameopt oneline -startdate -enddate)
    subject=$(sed -n 's/^subject=//p' <<<"$text")
    usage=$(openssl x509 -inform $format -in "$certificate" -noout -ext extendedKeyUsage 2>/dev/null)
    if [ -n "$usage" ] && ! grep -q 'Code Signing' <<<"$usage"; then
        echo "the certificate of $subject is not for signing code: its extended key usage is $(sed 1d <<<"$usage" | xargs)" >&2
        return 1
    fi
    [ -z "$stamped" ] || return 0
    if ! openssl x509 -inform $format -in "$certificate" -noout -checkend 0 >/dev/null; then
        echo "the certificate of $subject expired on $(sed -n 's/^notAfter=//p' <<<"$text")" >&2
        return 1
    fi
    if [ "$(date -d "$(sed -n 's/^notBefore=//p' <<<"$text")" +%s)" -gt "$(date +%s)" ]; then
        echo "the certificate of $subject is not valid before $(sed -n 's/^notBefore=//p' <<<"$text")" >&2
        return 1
    fi
}

# signing_certificate WAY FILE: writes the certificate that the key of WAY
# signs with to FILE, and checks it (check_certificate): from the PKCS#12
# file, which the password must open, or the first of KESTRIMOND_SIGN_CERT.
signing_certificate() {
    local way=$1 file=$2
    if [ "$way" = pkcs12 ]; then
        # The password goes by its file, never on the command line. Files
        # from older Windows are encrypted with ciphers of OpenSSL's legacy
        # provider.
        if ! openssl pkcs12 -in "$KESTRIMOND_SIGN_PKCS12" -passin "file:$KESTRIMOND_SIGN_PASSWORD_FILE" \
                -nokeys -clcerts -out "$file" 2>/dev/null &&
            ! openssl pkcs12 -legacy -in "$KESTRIMOND_SIGN_PKCS12" -passin "file:$KESTRIMOND_SIGN_PASSWORD_FILE" \
                -nokeys -clcerts -out "$file" 2>/dev/null; then
            echo "cannot open KESTRIMOND_SIGN_PKCS12=$KESTRIMOND_SIGN_PKCS12 with the password in KESTRIMOND_SIGN_PASSWORD_FILE: a wrong password, or no PKCS#12 file" >&2
            return 1
        fi
    elif ! openssl x509 -in "$KESTRIMOND_SIGN_CERT" -out "$file" 2>/dev/null; then
        echo "KESTRIMOND_SIGN_CERT=$KESTRIMOND_SIGN_CERT holds no certificate in PEM form" >&2
        return 1
    fi
    check_certificate "$file"
}

# sign_program WAY IN OUT: signs the program IN into OUT with the key of WAY
# (pkcs12 or pkcs11): a SHA-256 Authenticode signature with the certificate
# chain, time-stamped (RFC 3161) by KESTRIMOND_SIGN_TIMESTAMP_URL if set.
# osslsigncode reads the password or PIN from its file (-readpass), and finds
# the token's PKCS#11 engine by itself (2.5 cannot load it by path).
sign_program() {
    local way=$1 in=$2 out=$3 output
    local -a key stamp=()
    if [ "$way" = pkcs12 ]; then
        key=(-pkcs12 "$KESTRIMOND_SIGN_PKCS12")
    else
        key=(-pkcs11module "$KESTRIMOND_SIGN_PKCS11_MODULE" -certs "$KESTRIMOND_SIGN_CERT" -key "$KESTRIMOND_SIGN_PKCS11_KEY")
    fi
    [ -z "${KESTRIMOND_SIGN_TIMESTAMP_URL:-}" ] || stamp=(-ts "$KESTRIMOND_SIGN_TIMESTAMP_URL")
    if ! output=$(osslsigncode sign "${key[@]}" -readpass "$KESTRIMOND_SIGN_PASSWORD_FILE" -h sha256 \
            -n "Kestrimond GUI" "${stamp[@]}" -in "$in" -out "$out" 2>&1) || [ ! -s "$out" ]; then
        echo "osslsigncode could not sign the program${KESTRIMOND_SIGN_TIMESTAMP_URL:+ or have it time-stamped by $KESTRIMOND_SIGN_TIMESTAMP_URL}:" >&2
        sed 's/^/    /' <<<"$output" >&2
        return 1
    fi
}

# authenticode_parts PROGRAM DIR: reads PROGRAM's signature without trusting
# anything: fails, saying why, when it is unsigned (status 2), when its bytes
# are not those that were signed (3), or when the signature does not match
# what it signs. Otherwise writes to DIR the signer's certificate (signer.der),
# the signed attributes as signed (attributes.der), the signature's value
# (value.bin), and the self-issued certificates the signature carries, its
# time stamp's included (roots.pem); prints the signer's digest, the file's
# digest and whether the signature is time-stamped (yes or no).
authenticode_parts() {
    python3 - "$1" "$2" <<'PYTHON'
import base64, hashlib, os, struct, sys

program, out = sys.argv[1:]
data = open(program, "rb").read()
DIGESTS = {
    bytes.fromhex("2b0e03021a"): "sha1",
    bytes.fromhex("608648016503040201"): "sha256",
    bytes.fromhex("608648016503040202"): "sha384",
    bytes.fromhex("608648016503040203"): "sha512",
}
SIGNED_DATA = bytes.fromhex("2a864886f70d010702")
MESSAGE_DIGEST = bytes.fromhex("2a864886f70d010904")
COUNTERSIGNATURE = bytes.fromhex("2a864886f70d010906")
RFC3161_STAMP = bytes.fromhex("2b060104018237030301")

def stop(message, status=1):
    print(message, file=sys.stderr)
    sys.exit(status)

def element(buf, start):
    """The DER element at start: (tag, start, start of contents, end)."""
    tag, length, body = buf[start], buf[start + 1], start + 2
    if length & 0x80:
        count = length & 0x7F
        if not count:
            raise ValueError("indefinite length")
        length, body = int.from_bytes(buf[body:body + count], "big"), body + count
    if body + length > len(buf):
        raise ValueError("cut short")
    return tag, start, body, body + length

def children(buf, parent):
    result, at = [], parent[2]
    while at < parent[3]:
        result.append(element(buf, at))
        at = result[-1][3]
    return result

def contents(buf, item):
    return buf[item[2]:item[3]]

def signed_data(buf, info):
    """The content, certificates and signer infos of a ContentInfo of SignedData."""
    kind, explicit = children(buf, info)[:2]
    if contents(buf, kind) != SIGNED_DATA:
        raise ValueError("no signed data")
    fields = children(buf, children(buf, explicit)[0])
    certificates = [c for f in fields[3:-1] if f[0] == 0xA0 for c in children(buf, f)]
    return fields[2], certificates, children(buf, fields[-1])

def tbs(buf, certificate):
    """serial, issuer and subject of a certificate, as elements."""
    fields = children(buf, children(buf, certificate)[0])
    if fields[0][0] == 0xA0:
        fields = fields[1:]
    return fields[0], fields[2], fields[4]

def whole(buf, item):
    return buf[item[1]:item[3]]

# The PE file's checksum, its certificate table's directory entry and that
# table itself are left out of the digest that the signature holds.
try:
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError
    optional = pe + 24
    checksum = optional + 64
    entry = optional + {0x10B: 96, 0x20B: 112}[struct.unpack_from("<H", data, optional)[0]] + 4 * 8
    table, size = struct.unpack_from("<II", data, entry)
except (struct.error, KeyError, ValueError):
    stop("it is no Windows program")
if not table or not size:
    stop("it is not signed", 2)
if table + size != len(data) or size < 8:
    stop("its signature table does not end the file")
length, revision, kind = struct.unpack_from("<IHH", data, table)
# Windows reads a WIN_CERTIFICATE of revision 2.0 holding PKCS#7 signed data.
if (revision, kind) != (0x200, 2) or not 8 < length <= size:
    stop("its signature table holds no PKCS#7 signature that Windows reads")
blob = data[table + 8:table + length]

try:
    content, certificates, signers = signed_data(blob, element(blob, 0))
    # SpcIndirectDataContent: what it is, then the digest of the file.
    indirect = children(blob, children(blob, content)[1])[0]
    algorithm, claimed = children(blob, children(blob, indirect)[1])
    file_digest = DIGESTS[contents(blob, children(blob, algorithm)[0])]
    _, issuer_serial, algorithm, attributes, _, value, *unsigned = children(blob, signers[0])
    digest = DIGESTS[contents(blob, children(blob, algorithm)[0])]
    message_digest = [contents(blob, children(blob, children(blob, a)[1])[0])
                      for a in children(blob, attributes)
                      if contents(blob, children(blob, a)[0]) == MESSAGE_DIGEST]
    issuer, serial = children(blob, issuer_serial)
    signer = [c for c in certificates
              if (whole(blob, tbs(blob, c)[0]), whole(blob, tbs(blob, c)[1])) == (whole(blob, serial), whole(blob, issuer))]
    # Time stamps: RFC 3161 ones carry their own certificates.
    stamped, carried = False, [(blob, c) for c in certificates]
    for attribute in (children(blob, unsigned[0]) if unsigned else []):
        oid, values = children(blob, attribute)
        if contents(blob, oid) in (RFC3161_STAMP, COUNTERSIGNATURE):
            stamped = True
        if contents(blob, oid) == RFC3161_STAMP:
            carried += [(blob, c) for c in signed_data(blob, children(blob, values)[0])[1]]
except (IndexError, KeyError, ValueError):
    stop("its signature cannot be read: it is no Authenticode signature this check knows")

if hashlib.new(file_digest, data[:checksum] + data[checksum + 4:entry] + data[entry + 8:table]).digest() \
        != contents(blob, claimed):
    stop("DIGEST MISMATCH: its bytes are not the ones that were signed: they were changed after signing", 3)
# The signed attributes hold the digest of the SpcIndirectDataContent's
# contents, without its tag and length.
if message_digest != [hashlib.new(digest, contents(blob, indirect)).digest()]:
    stop("its signature does not match what it signs: the signed digest was changed")
if not signer:
    stop("its signature carries no certificate of its signer")

open(os.path.join(out, "signer.der"), "wb").write(whole(blob, signer[0]))
# They were signed as a SET, not under their implicit tag.
open(os.path.join(out, "attributes.der"), "wb").write(b"\x31" + whole(blob, attributes)[1:])
open(os.path.join(out, "value.bin"), "wb").write(contents(blob, value))
with open(os.path.join(out, "roots.pem"), "w") as roots:
    for buf, certificate in carried:
        _, issuer, subject = tbs(buf, certificate)
        if whole(buf, issuer) == whole(buf, subject):
            text = base64.encodebytes(whole(buf, certificate)).decode().replace("\n", "")
            roots.write("-----BEGIN CERTIFICATE-----\n%s\n-----END CERTIFICATE-----\n"
                        % "\n".join(text[i:i + 64] for i in range(0, len(text), 64)))
print(digest, file_digest, "yes" if stamped else "no")
PYTHON
}

# The options that keep `osslsigncode verify` offline: 2.9 fetches the
# revocation lists that certificates name, and fails without them even when
# told not to fetch them (-ignore-cdp), unless told not to check them at all;
# 2.5 checks only the lists it is given and has neither option.
verify_offline() {
    local help
    help=$(osslsigncode verify --help 2>&1 || true)
    case $help in *-ignore-crl*) echo -ignore-crl ;; esac
}

# check_signature PROGRAM CA-FILE WORK NAME: checks PROGRAM's signature
# offline, in this order, each failure named apart: that it is signed; that
# its digest matches its bytes, and is SHA-256; that the signature's value
# verifies with the signer's key; that the signer's certificate is for signing
# code and, without a time stamp, valid now; that its chain ends at a root of
# CA-FILE, valid at the time stamp or now. The time stamp's own chain may also end at one of the
# system's roots. Warns about an elliptic-curve key.
# With CA-FILE empty, the roots are the system's and those the signature
# carries, and a chain that ends at a root of neither is only warned about:
# this checks that a signature holds together, not whom to trust.
# WORK is an empty folder for its files; messages call the program NAME. Sets
# SIGNER (the signer's subject and fingerprint) and STAMPED (yes or no).
check_signature() {
    local program=$1 ca=$2 work=$3 name=$4 parts digest file_digest output reason status=0
    parts=$(authenticode_parts "$program" "$work" 2>"$work/reason") || status=$?
    if [ $status -ne 0 ]; then
        echo "$name: $(cat "$work/reason")" >&2
        return $status
    fi
    read -r digest file_digest STAMPED <<<"$parts"
    if [ "$file_digest" != sha256 ]; then
        echo "$name: its file digest is $file_digest, not the SHA-256 that Windows asks for" >&2
        return 1
    fi
    openssl x509 -inform DER -in "$work/signer.der" -noout -pubkey >"$work/signer-key.pem"
    if ! openssl dgst "-$digest" -verify "$work/signer-key.pem" -signature "$work/value.bin" \
            "$work/attributes.der" >/dev/null 2>&1; then
        echo "$name: its signature's value does not verify with the signer's key: the signature was changed" >&2
        return 1
    fi
    if ! check_certificate "$work/signer.der" $([ "$STAMPED" = no ] || echo stamped); then
        echo "    (the signer of $name)" >&2
        return 1
    fi
    if openssl x509 -inform DER -in "$work/signer.der" -noout -text | grep -q 'Public Key Algorithm: id-ecPublicKey'; then
        echo "warning: $name is signed with an elliptic-curve key: Windows takes it, but Smart App Control does not accept ECC signatures yet" >&2
    fi
    if [ -z "$ca" ]; then
        ca=$work/trusted.pem
        cat "$SYSTEM_ROOTS" "$work/roots.pem" >"$ca"
    fi
    cat "$ca" "$SYSTEM_ROOTS" >"$work/stamp-roots.pem"
    # Which check failed is found above, not in osslsigncode's exit status,
    # which is the same for all.
    if ! output=$(osslsigncode verify $(verify_offline) -CAfile "$ca" -TSA-CAfile "$work/stamp-roots.pem" \
            -in "$program" 2>&1); then
        reason=$(sed -n 's/.*Verify error: *//p' <<<"$output" | head -n 1)
        if [ -z "$2" ] && [ "$reason" = "unable to get local issuer certificate" ]; then
            echo "warning: $name's certificate chain reaches no root that this machine trusts or the signature carries (a root that only Windows knows, or an intermediate certificate left out): Windows checks it against its own roots; scripts/check-release needs the root as CA-FILE here" >&2
        else
            echo "$name: its certificate chain does not verify against ${2:-the roots it carries or this machine trusts} (${reason:-osslsigncode says why below}), though its bytes and its signature's value are sound" >&2
            [ -n "$reason" ] || sed 's/^/    /' <<<"$output" >&2
            return 1
        fi
    fi
    SIGNER="$(openssl x509 -inform DER -in "$work/signer.der" -noout -subject -nameopt oneline | sed 's/^subject=//')"
    SIGNER+=" (certificate SHA-256 $(openssl x509 -inform DER -in "$work/signer.der" -noout -fingerprint -sha256 | cut -d= -f2))"
}

# same_as_sources SIGNED WORK NAME: after check_signature SIGNED ... WORK/signature
# NAME, removes the signature and compares the rest with PROGRAM, byte for
# byte. Says "same program as the sources, signed by ..." and for how long the
# signature holds, or where they first differ.
same_as_sources() {
    local signed=$1 work=$2 name=$3 expiry
    if ! osslsigncode remove-signature -in "$signed" -out "$work/unsigned.exe" >"$work/remove.log" 2>&1; then
        echo "osslsigncode could not remove the signature of $name:" >&2
        sed 's/^/    /' "$work/remove.log" >&2
        return 1
    fi
    if ! cmp -s "$work/unsigned.exe" "$PROGRAM"; then
        echo "$name is NOT the program these sources make: without its signature, its" \
            "$(first_difference "$work/unsigned.exe" "$PROGRAM" "it" "$PROGRAM")" >&2
        return 1
    fi
    echo "same program as the sources, signed by $SIGNER"
    if [ "$STAMPED" = yes ]; then
        echo "The signature is time-stamped: it stays valid after the certificate expires."
    else
        expiry=$(openssl x509 -inform DER -in "$work/signature/signer.der" -noout -enddate | cut -d= -f2)
        echo "The signature has no time stamp: it stops verifying when the certificate expires, on $expiry."
    fi
}
