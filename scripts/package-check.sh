#!/usr/bin/env bash
# Builds the Debian package from a release build, installs it with dpkg, and proves the
# installed tool works: its version, one conversion of a bundled sample, the Python package,
# its manual page and its bash completion. The package
# is removed again at the end, whatever the outcome. Needs root (dpkg -i).
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset release >/dev/null
cmake --build build/release -j 2
rm -f build/release/audiogram-converter_*.deb
(cd build/release && cpack -G DEB >/dev/null)
package=$(ls build/release/audiogram-converter_*.deb)

work=$(mktemp -d)
cleanup() {
    dpkg --purge audiogram-converter >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

dpkg -i "$package" >/dev/null
echo "installed $(dpkg-query -W -f='${Package} ${Version}' audiogram-converter)"
/usr/bin/audconv --version
/usr/bin/audconv convert --from 100 --to 200 -o "$work/sample.ds200" samples/left-right-thresholds.ds100
test "$(stat -c %s "$work/sample.ds200")" -eq 36128
echo "package check: the installed audconv converted a sample"
if [ -f build/wasm/web/audconv.html ]; then
  cmp build/wasm/web/audconv.html /usr/share/audconv/audconv.html
  echo "package check: the browser page is installed as /usr/share/audconv/audconv.html"
fi

echo "package check: the Python package from Debian's interpreter"
sample="$PWD/samples/full-audiogram.ds200"
# from an empty folder, so that nothing but the installed package can be imported
(cd "$work" && /usr/bin/python3 -c "
import audconv
document = audconv.convert(open('$sample', 'rb').read(), to=500)
assert audconv.read(document).summary().grade == 'mild', 'the summary of the sample changed'
print('package check: import audconv from', audconv.__file__)")

echo "package check: man audconv"
man -P cat audconv | head -n 12
man -P cat audconv | grep -q -- '--strict'
echo "package check: the completion bash loads for audconv"
# the loader answers 124 ("try again") once it has loaded a completion
bash -c 'source /usr/share/bash-completion/bash_completion; _completion_loader audconv; complete -p audconv'
