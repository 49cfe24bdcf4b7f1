#!/usr/bin/env bash
# Builds the browser page (wasm preset) and the native tool (ci-gcc), then drives the page in
# headless Chromium with the pinned test driver of web/test: conversions, chart and tables
# against the tool, bad inputs, and no request leaving the page. Installs what it needs first.
# The screenshot of a loaded audiogram lands beside the page (build/wasm/web/).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --with-web
cmake --preset wasm >/dev/null
cmake --build --preset wasm -j 2
cmake --preset ci-gcc >/dev/null
cmake --build --preset ci-gcc -j 2 --target audconv
page=build/wasm/web/audconv.html
echo "page: $(stat -c %s "$page") bytes"
# npm ci installs exactly the lockfile; puppeteer-core downloads no browser of its own.
(cd web/test && npm ci --no-audit --no-fund >/dev/null && node --test page.test.mjs)
