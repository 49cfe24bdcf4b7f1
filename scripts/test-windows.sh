#!/usr/bin/env bash
# The Windows stage of the tests: cross-builds the COM DLL and its GoogleTest suites with
# MinGW-w64, registers the DLL in a fresh Wine prefix with regsvr32, runs the component's
# suites, the checks that need a real COM runtime and a VBScript against it, unregisters it
# and checks that its keys are gone.
#
# Usage: scripts/test-windows.sh REFERENCE_FOLDER
#   REFERENCE_FOLDER: the conversions of the Linux build (the file "cases"), written by
#   the Linux test stage (test WineReference.LinuxConversionsOfTheSamples) into
#   build/<preset>/wine-reference.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
reference=$(cd "${1:?usage: scripts/test-windows.sh REFERENCE_FOLDER}" && pwd)
started=$SECONDS

"$root/scripts/install-deps.sh" --with-windows

cd "$root"
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j 2 --target VeskAudiogramConverter com_tests wine_tests
build="$root/build/mingw"
dll=$(find "$build" -name VeskAudiogramConverter.dll -print -quit)
echo "windows: cross-build done after $((SECONDS - started)) s"

passed=0
failed=0
pass() { passed=$((passed + 1)); }
fail() {
    failed=$((failed + 1))
    echo "FAIL $*"
}
# run_step WHAT COMMAND...: one check that the command succeeds.
run_step() {
    local what=$1
    shift
    if "$@" >/dev/null 2>&1; then pass; else fail "$what"; fi
}
# run_suite WHAT EXE [ARGUMENTS...]: a GoogleTest program under Wine; its tests join the
# count (in brief output the failures are those that ran but did not pass).
run_suite() {
    local what=$1 output ran ok
    shift
    output=$("$wine" "$@" --gtest_brief=1 2>&1 | tr -d '\r') || true
    echo "$output"
    ran=$(sed -nE 's/^\[==========\] ([0-9]+) tests? from .* ran\..*/\1/p' <<<"$output")
    ok=$(sed -nE 's/^\[  PASSED  \] ([0-9]+) tests?\.$/\1/p' <<<"$output")
    if [[ -z "$ran" ]]; then
        fail "$what ended before its summary"
        return
    fi
    passed=$((passed + ${ok:-0}))
    failed=$((failed + ran - ${ok:-0}))
}
# Adds the "N passed, N failed" line of a part's output to the stage's count.
count_part() {
    local summary
    summary=$(grep -E '^[a-z ]+: [0-9]+ passed, [0-9]+ failed$' <<<"$1" | tail -n 1)
    if [[ -z "$summary" ]]; then
        fail "$2 ended without its summary line"
        return
    fi
    passed=$((passed + $(sed -E 's/.*: ([0-9]+) passed.*/\1/' <<<"$summary")))
    failed=$((failed + $(sed -E 's/.*passed, ([0-9]+) failed/\1/' <<<"$summary")))
}

# Only system DLLs may be imported: the GCC run time is linked in statically.
system_dlls='^(kernel32|user32|advapi32|ole32|oleaut32|rpcrt4|shell32|msvcrt|ucrtbase|api-ms-win-.*)\.dll$'
imports=$(x86_64-w64-mingw32-objdump -p "$dll" | awk '/DLL Name:/ {print tolower($3)}')
foreign=$(grep -Ev "$system_dlls" <<<"$imports" || true)
if [[ -z "$foreign" ]]; then pass; else fail "the DLL imports $(echo $foreign)"; fi
exports=$(x86_64-w64-mingw32-objdump -p "$dll" | awk '/\[Ordinal\/Name Pointer\] Table/ {table = 1; next} table && NF == 0 {table = 0} table {print $3}' | sort | tr '\n' ' ')
if [[ "$exports" == "DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer " ]]; then pass; else fail "the DLL exports: $exports"; fi

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINEPREFIX=$(mktemp -d)
export WINEPREFIX
cleanup() {
    # the server keeps the output pipe open for seconds unless it is told to go
    "$wineserver" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

windows_path() { echo "Z:${1//\//\\}"; }

"$wine" wineboot -i >/dev/null 2>&1
echo "windows: fresh Wine prefix after $((SECONDS - started)) s"

# Installed as a host would install it: in a folder whose path has a blank. The suites sit
# next to it, so that they load the registered module.
install_dir="$WINEPREFIX/drive_c/Program Files/Vesk"
mkdir -p "$install_dir"
cp "$dll" "$build/tests/com/com_tests.exe" "$build/tests/wine/wine_tests.exe" "$install_dir/"
module='C:\Program Files\Vesk\VeskAudiogramConverter.dll'

# Stale keys under the class key: registration rewrites the key whole, so they must go.
class_key='HKCR\CLSID\{617C5CCD-9BB5-4EA3-99AB-CE81BB75A790}'
"$wine" reg add "$class_key\\StaleBeforeRegistration" /f >/dev/null 2>&1
"$wine" reg add "$class_key\\Programmable\\Stale" /f >/dev/null 2>&1

run_step "regsvr32 /s" "$wine" regsvr32 /s "$module"
# installers register again on every upgrade: a second registration rewrites the first
run_step "regsvr32 /s over an existing registration" "$wine" regsvr32 /s "$module"

VESK_WINE_REFERENCE=$(windows_path "$reference")
export VESK_WINE_REFERENCE
run_suite "the component's suites" "$install_dir/com_tests.exe"
run_suite "the registered component" "$install_dir/wine_tests.exe" '--gtest_filter=-Unregistered.*'

output=$("$wine" cscript //nologo "$(windows_path "$root/tests/wine/convert_action.vbs")" 2>&1 | tr -d '\r') || true
echo "$output"
count_part "$output" "the script"

run_step "regsvr32 /u /s" "$wine" regsvr32 /u /s "$module"
# uninstallers may unregister what is already gone: nothing left to remove is no failure
run_step "regsvr32 /u /s of an unregistered DLL" "$wine" regsvr32 /u /s "$module"
run_suite "the unregistration" "$install_dir/wine_tests.exe" '--gtest_filter=Unregistered.*'

echo "windows: Wine stage done after $((SECONDS - started)) s"
echo "windows: $passed passed, $failed failed"
((failed == 0))
