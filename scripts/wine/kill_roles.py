#!/usr/bin/env python3
"""kill -9 of the program's processes for the e2e-faults kill rounds.

    kill_roles.py list PREFIX
    kill_roles.py kill PREFIX DELAY_MS WITHIN_MS [DIR...]

The program's processes are the Unix processes running FramelarkPro.exe with
WINEPREFIX=PREFIX; "list" prints them as "<pid> <role>" lines. "kill" takes
them, waits DELAY_MS and kills them all at once; with folders (an aimed kill)
it then first watches the folders (inotify) for the temporary file a save
makes ("*.flktmp") and kills the moment one appears, so that the kill lands
inside that write; when none appears within WITHIN_MS it kills anyway. It
prints how ("timed" / "aimed at <file>" / "no write seen"), then the killed
processes as "list" does. (Reading /proc here takes milliseconds where a
shell loop over it takes seconds.)
"""
import ctypes
import os
import select
import signal
import struct
import sys
import time

IN_CREATE = 0x100
IN_MOVED_TO = 0x80


def program_processes(prefix):
    found = {}
    want = ("WINEPREFIX=" + prefix).encode()
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/cmdline" % entry, "rb") as f:
                cmd = f.read().replace(b"\0", b" ")
            if b"FramelarkPro.exe" not in cmd:
                continue
            with open("/proc/%s/environ" % entry, "rb") as f:
                if want not in f.read().split(b"\0"):
                    continue
        except OSError:
            continue
        role = "viewer" if b"FramelarkPro.exe viewer" in cmd else (
            "sticky" if b"FramelarkPro.exe sticky" in cmd else "camera")
        found[int(entry)] = role
    return found


def kill(victims, prefix):
    for pid in victims:
        try:
            os.kill(pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
    # A role one of them started a moment ago goes the same way.
    late = {p: r for p, r in program_processes(prefix).items() if p not in victims}
    for pid in late:
        try:
            os.kill(pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
    victims.update(late)


def report(how, victims):
    print(how)
    for pid, role in sorted(victims.items()):
        print(pid, role)


def main(argv):
    if len(argv) >= 3 and argv[1] == "list":
        for pid, role in sorted(program_processes(argv[2]).items()):
            print(pid, role)
        return 0
    prefix, delay_ms, within_ms, dirs = argv[2], int(argv[3]), int(argv[4]), argv[5:]
    pids = program_processes(prefix)
    if not dirs:
        time.sleep(delay_ms / 1000)
        kill(pids, prefix)
        report("timed", pids)
        return 0
    libc = ctypes.CDLL(None, use_errno=True)
    fd = libc.inotify_init1(os.O_NONBLOCK)
    if fd < 0:
        time.sleep(delay_ms / 1000)
        kill(pids, prefix)
        report("no inotify: timed", pids)
        return 0
    for d in dirs:
        if os.path.isdir(d):
            libc.inotify_add_watch(fd, os.fsencode(d), IN_CREATE | IN_MOVED_TO)
    time.sleep(delay_ms / 1000)
    # Events of the delay are old news: only a write that starts from now counts.
    try:
        while os.read(fd, 65536):
            pass
    except BlockingIOError:
        pass
    end = time.monotonic() + within_ms / 1000
    while True:
        left = end - time.monotonic()
        if left <= 0:
            kill(pids, prefix)
            report("no write seen", pids)
            return 0
        ready, _, _ = select.select([fd], [], [], left)
        if not ready:
            continue
        buf = os.read(fd, 65536)
        at = 0
        while at + 16 <= len(buf):
            _, mask, _, length = struct.unpack_from("iIII", buf, at)
            name = buf[at + 16:at + 16 + length].rstrip(b"\0").decode(errors="replace")
            at += 16 + length
            if mask & (IN_CREATE | IN_MOVED_TO) and name.endswith(".flktmp"):
                kill(pids, prefix)
                report("aimed at " + name, pids)
                return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
