#!/usr/bin/env bash
# Help pages in a real browser: headless Chromium loads every page of res/help (the bytes the
# program file carries and writes to the user's help folder), must report no console error and
# no resource that failed to load, and every link between the pages, anchors included, must lead
# to a page and an element the browser rendered. Prints "LAYER help-pages: N passed, M failed".
# Chromium comes from scripts/setup.sh (Debian package chromium); it is installed when missing.
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
PAGES=${FLK_HELP_DIR:-$ROOT/res/help}

browser=$(command -v chromium || command -v chromium-browser || true)
if [[ -z $browser ]]; then
  echo "check_help: chromium missing, running scripts/setup.sh for the packages"
  FLK_SETUP_NO_DEPS=1 "$ROOT/scripts/setup.sh" >&2 || true
  browser=$(command -v chromium || true)
fi
if [[ -z $browser ]]; then
  echo "check_help: no chromium"
  echo "LAYER help-pages: 0 passed, 1 failed"
  exit 1
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/flk-help.XXXXXX")
trap 'rm -rf "$work"' EXIT

python3 - "$browser" "$PAGES" "$work" <<'PY'
import html.parser, os, re, subprocess, sys, urllib.parse

browser, pages, work = sys.argv[1:4]
passed = failed = 0

def fail(msg):
    global failed
    failed += 1
    print("check_help: FAIL " + msg)

def ok():
    global passed
    passed += 1

class Dom(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.links, self.ids, self.tags = [], set(), set()
    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        self.tags.add(tag)
        if "id" in a: self.ids.add(a["id"])
        if tag in ("a", "link") and "href" in a: self.links.append(a["href"])
        if tag in ("img", "script") and "src" in a: self.links.append(a["src"])

def render(path):
    """The DOM Chromium rendered, and the console and load errors it logged."""
    cmd = [browser, "--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
           "--user-data-dir=" + os.path.join(work, "profile"), "--enable-logging=stderr", "--v=0",
           "--virtual-time-budget=3000", "--dump-dom", "file://" + path]
    r = subprocess.run(cmd, capture_output=True, text=True, timeout=120)
    errors = [l for l in r.stderr.splitlines()
              if ":CONSOLE" in l or "Failed to load resource" in l or "Uncaught" in l]
    return r.returncode, r.stdout, errors

names = sorted(n for n in os.listdir(pages) if n.endswith(".html"))
if not names:
    fail("no pages in " + pages)
doms = {}
for name in names:
    path = os.path.realpath(os.path.join(pages, name))
    rc, dom, errors = render(path)
    d = Dom(); d.feed(dom)
    if rc != 0 or "h1" not in d.tags or "title" not in d.tags:
        fail(f"{name}: not rendered (exit {rc}, tags {sorted(d.tags)[:8]})")
    elif errors:
        fail(f"{name}: " + " | ".join(errors))
    else:
        ok()
    doms[name] = d
    print(f"check_help: {name}: rendered, {len(d.links)} links")

for name, d in doms.items():
    for href in d.links:
        u = urllib.parse.urlparse(href)
        if u.scheme or u.netloc:
            fail(f"{name}: link out of the help pages: {href}")
            continue
        target = os.path.basename(u.path) if u.path else name
        if not os.path.isfile(os.path.join(pages, target)):
            fail(f"{name}: {href}: no such page")
        elif u.fragment and target.endswith(".html") and u.fragment not in doms[target].ids:
            fail(f"{name}: {href}: no element #{u.fragment}")
        else:
            ok()

print(f"LAYER help-pages: {passed} passed, {failed} failed")
sys.exit(1 if failed else 0)
PY
