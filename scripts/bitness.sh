# Sourced by the scripts that run the shipped 32-bit program under Wine.
#
# Whether this machine's kernel runs 32-bit x86 programs differs between
# machines of the same kind, and the kernel's version does not tell: so try
# one. The program below is a whole 32-bit ELF executable of 96 bytes that
# only exits with status 42 (mov eax,1; mov ebx,42; int 0x80).
kernel_runs_32bit() {
    local probe status
    probe=$(mktemp)
    printf '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' >"$probe"
    chmod +x "$probe"
    "$probe" 2>/dev/null
    status=$?
    rm -f "$probe"
    [ "$status" -eq 42 ]
}

# The 32-bit Wine loader, which runs the shipped program.
WINE32=/usr/lib/wine/wine
# The message for machines that cannot run it.
NO_32BIT_REASON="this machine's kernel runs no 32-bit programs"
