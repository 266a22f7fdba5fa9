"""Makes the hosted, installable build of the browser page beside the single file.

    make_web_site.py PAGE_HTML SITE_SOURCES VERSION OUTPUT_FOLDER ICON...

PAGE_HTML is the folded page (vesk-web.html); SITE_SOURCES holds the manifest and service
worker templates; each ICON is a square PNG in a folder named after its size ("256x256").
OUTPUT_FOLDER gets index.html (the page, linking the manifest, its policy letting the
manifest, icons and worker come from the site), manifest.webmanifest, sw.js and icons/.
The worker's cache is named after the version and a hash of everything it caches, so
every change of content makes a new worker that replaces the old cache.
"""
import hashlib
import json
import pathlib
import shutil
import sys

# The page's own policy, and what the hosted build adds to it.
POLICY_CHANGES = [("img-src data: blob:", "img-src 'self' data: blob:"),
                  ("base-uri 'none'", "base-uri 'none'; manifest-src 'self'; worker-src 'self'")]
LINKS = ('<link rel="manifest" href="manifest.webmanifest">\n'
         '<link rel="icon" href="icons/vesk-edit-128.png">\n')


def site_page(html):
    for old, new in POLICY_CHANGES:
        if html.count(old) != 1:
            sys.exit(f"make_web_site: the page's policy no longer has {old!r} once")
        html = html.replace(old, new)
    if html.count("</head>") != 1:
        sys.exit("make_web_site: the page has no single </head>")
    return html.replace("</head>", LINKS + "</head>")


def main(page, sources, version, output, *icons):
    sources, output = pathlib.Path(sources), pathlib.Path(output)
    if output.exists():
        shutil.rmtree(output)
    (output / "icons").mkdir(parents=True)
    entries = []
    for icon in map(pathlib.Path, icons):
        size = icon.parent.name
        name = f"icons/vesk-edit-{size.split('x')[0]}.png"
        shutil.copyfile(icon, output / name)
        entries.append({"src": name, "sizes": size, "type": "image/png", "purpose": "any"})
    manifest = (sources / "manifest.webmanifest").read_text(encoding="utf-8")
    (output / "manifest.webmanifest").write_text(
        manifest.replace("@ICONS@", json.dumps(entries)), encoding="utf-8")
    (output / "index.html").write_text(
        site_page(pathlib.Path(page).read_text(encoding="utf-8")), encoding="utf-8")

    cached = ["index.html", "manifest.webmanifest"] + [e["src"] for e in entries]
    digest = hashlib.sha256()
    for name in cached:
        digest.update((output / name).read_bytes())
    worker = (sources / "sw.js").read_text(encoding="utf-8")
    worker = worker.replace("@CACHE@", f"vesk-web-{version}-{digest.hexdigest()[:16]}")
    (output / "sw.js").write_text(worker.replace("@FILES@", json.dumps(cached)), encoding="utf-8")


if __name__ == "__main__":
    if len(sys.argv) < 6:
        sys.exit(__doc__)
    main(*sys.argv[1:])
