#!/usr/bin/env python3
"""Assembles the self-contained page: the template with the style, the module's loader, the
page's script and the WebAssembly module (base64) put inline, and a Content-Security-Policy
that allows exactly these inline parts by their hashes and nothing from anywhere else."""
import argparse
import base64
import hashlib


def csp_hash(text: str) -> str:
    digest = hashlib.sha256(text.encode("utf-8")).digest()
    return "'sha256-" + base64.b64encode(digest).decode("ascii") + "'"


def main() -> None:
    parser = argparse.ArgumentParser()
    for name in ("template", "style", "script", "loader", "module", "output"):
        parser.add_argument("--" + name, required=True)
    args = parser.parse_args()

    def read(path: str) -> str:
        with open(path, encoding="utf-8") as f:
            return f.read()

    with open(args.module, "rb") as f:
        module = base64.b64encode(f.read()).decode("ascii")
    style = read(args.style)
    # The module travels as a JSON string the script decodes itself: no fetch, not even of
    # a data: URI, so connect-src stays 'none'.
    script = "\n".join([
        'const AUDCONV_MODULE_BASE64 = "' + module + '";',
        read(args.loader),
        read(args.script),
    ])
    if "</script" in script.lower() or "</style" in style.lower():
        raise SystemExit("make_page: an inline part would close its own element")
    policy = "; ".join([
        "default-src 'none'",
        "script-src " + csp_hash(script) + " 'wasm-unsafe-eval'",
        "style-src " + csp_hash(style),
        "img-src data:",
        "base-uri 'none'",
        "form-action 'none'",
    ])
    page = read(args.template)
    for key, value in (("@POLICY@", policy), ("@STYLE@", style), ("@SCRIPT@", script)):
        if page.count(key) != 1:
            raise SystemExit("make_page: the template must hold " + key + " once")
        page = page.replace(key, value)
    with open(args.output, "w", encoding="utf-8") as f:
        f.write(page)


if __name__ == "__main__":
    main()
