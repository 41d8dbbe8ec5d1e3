#!/usr/bin/env python3
"""Finishes the site once the page is written: stamps its version and seals it.

Usage: seal_site.py PROJECT_VERSION PAGE SW MANIFEST SITE [HASHED_FILE...]

The version is the project's plus a digest of the site's content, so that
each republished build differs and the service worker's cache is renewed.
The page gets a Content-Security-Policy of the exact hashes of its inline
scripts and style: every static host then serves it sealed. It has no style
attributes (the controls are placed by rules of its style sheet), so the
policy needs no 'unsafe-hashes'; a page with one is refused.
"""
import base64
import hashlib
import html
import json
import pathlib
import re
import sys


def digest(text):
    return "'sha256-" + base64.b64encode(hashlib.sha256(text.encode()).digest()).decode() + "'"


def policy(page):
    # Inline contents are hashed as the browser reads them: the raw text of a
    # script or style element.
    if re.search(r"<[^>]*\sstyle=", page):
        sys.exit("seal_site.py: the page has a style attribute, which its policy would block")
    scripts = re.findall(r"<script[^>]*>(.*?)</script>", page, re.S)
    styles = re.findall(r"<style[^>]*>(.*?)</style>", page, re.S)
    script_src = " ".join(["'self'", "'wasm-unsafe-eval'", *map(digest, scripts)])
    style_src = " ".join(["'self'", *map(digest, styles)])
    return (f"default-src 'self'; script-src {script_src}; style-src {style_src}; "
            "img-src 'self' data:; object-src 'none'; base-uri 'none'; form-action 'none'")


def main():
    project_version, page_path, sw_path, manifest_path, site, *hashed = sys.argv[1:]
    page = pathlib.Path(page_path).read_text(encoding="utf-8")
    sw = pathlib.Path(sw_path).read_text(encoding="utf-8")
    manifest = json.loads(pathlib.Path(manifest_path).read_text(encoding="utf-8"))

    content = hashlib.sha256()
    for part in [page.encode(), sw.encode(), json.dumps(manifest).encode(),
                 *(pathlib.Path(f).read_bytes() for f in hashed)]:
        content.update(hashlib.sha256(part).digest())
    version = f"{project_version}+{content.hexdigest()[:10]}"

    site = pathlib.Path(site)
    # The policy is computed last over the page as served, version included.
    page = page.replace("@VERSION@", version)
    page = page.replace("@CSP@", html.escape(policy(page.replace("@CSP@", "")), quote=False))
    (site / "index.html").write_text(page, encoding="utf-8")
    (site / "sw.js").write_text(sw.replace("@VERSION@", version), encoding="utf-8")
    manifest["version"] = version
    # The app's colours are the page's: its theme colour and its window's.
    manifest["theme_color"] = re.search(r'<meta name="theme-color" content="([^"]+)"', page)[1]
    manifest["background_color"] = re.search(r"--window:\s*([^;]+);", page)[1]
    (site / "manifest.webmanifest").write_text(
        json.dumps(manifest, ensure_ascii=False, indent=1) + "\n", encoding="utf-8")


if __name__ == "__main__":
    main()
