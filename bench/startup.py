#!/usr/bin/env python3
"""Start-up time and peak memory of the program against a bare Qt window.

Each program is started on a private Xvfb server; the time is taken from just
before the fork to the moment the server reports the program's top-level window
mapped (a MapNotify on the root window for a window whose _NET_WM_PID is the
child's). The processor time the program's threads have used by then is read
at the same moment: unlike the time, it hardly moves when other work shares the
machine, so it tells a real change from noise. The peak resident set (VmHWM) is read once the first paint has had
time to finish. The two programs are run alternately so that any drift of the
machine falls on both alike. Neither program needs a test hook for this.

Usage: startup.py PROGRAM BARE_WINDOW [--runs N] [--warmup N] [--settle SECONDS]
Exit status: 0 when time and memory are each within their goal ratio, 1 when a
goal is missed, 2 when the measurement could not be made.
"""

import argparse
import ctypes
import ctypes.util
import os
import select
import shutil
import signal
import statistics
import subprocess
import sys
import time

TIME_GOAL = 1.05    # start-up time against the bare window
MEMORY_GOAL = 1.2  # peak memory against the bare window
MAP_NOTIFY = 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
XA_CARDINAL = 6
ANY_PROPERTY_TYPE = 0


class X11:
    """The few Xlib calls needed to watch windows being mapped."""

    def __init__(self, display_name):
        lib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        c = ctypes
        lib.XOpenDisplay.restype = c.c_void_p
        lib.XOpenDisplay.argtypes = [c.c_char_p]
        lib.XDefaultRootWindow.restype = c.c_ulong
        lib.XDefaultRootWindow.argtypes = [c.c_void_p]
        lib.XSelectInput.argtypes = [c.c_void_p, c.c_ulong, c.c_long]
        lib.XConnectionNumber.argtypes = [c.c_void_p]
        lib.XPending.argtypes = [c.c_void_p]
        lib.XNextEvent.argtypes = [c.c_void_p, c.c_void_p]
        lib.XFlush.argtypes = [c.c_void_p]
        lib.XSync.argtypes = [c.c_void_p, c.c_int]
        lib.XInternAtom.restype = c.c_ulong
        lib.XInternAtom.argtypes = [c.c_void_p, c.c_char_p, c.c_int]
        lib.XGetWindowProperty.argtypes = [
            c.c_void_p, c.c_ulong, c.c_ulong, c.c_long, c.c_long, c.c_int, c.c_ulong,
            c.POINTER(c.c_ulong), c.POINTER(c.c_int), c.POINTER(c.c_ulong),
            c.POINTER(c.c_ulong), c.POINTER(c.c_void_p)]
        lib.XFree.argtypes = [c.c_void_p]
        lib.XCloseDisplay.argtypes = [c.c_void_p]
        # A window can vanish between its MapNotify and our question about it;
        # Xlib's default handler would end this process on the BadWindow.
        handler_type = c.CFUNCTYPE(c.c_int, c.c_void_p, c.c_void_p)
        self._error_handler = handler_type(lambda display, event: 0)
        lib.XSetErrorHandler.argtypes = [handler_type]
        lib.XSetErrorHandler(self._error_handler)

        self.lib = lib
        self.dpy = lib.XOpenDisplay(display_name.encode())
        if not self.dpy:
            raise RuntimeError(f"cannot open display {display_name}")
        self.root = lib.XDefaultRootWindow(self.dpy)
        lib.XSelectInput(self.dpy, self.root, SUBSTRUCTURE_NOTIFY_MASK)
        lib.XSync(self.dpy, 0)
        self.fd = lib.XConnectionNumber(self.dpy)
        self.pid_atom = lib.XInternAtom(self.dpy, b"_NET_WM_PID", 0)
        self.name_atom = lib.XInternAtom(self.dpy, b"_NET_WM_NAME", 0)

    def drain(self):
        self.lib.XSync(self.dpy, 1)  # discards the events queued so far

    def mapped_windows(self):
        """Yields the windows mapped since the last call, without blocking."""
        event = (ctypes.c_long * 24)()
        while self.lib.XPending(self.dpy):
            self.lib.XNextEvent(self.dpy, event)
            if event[0] & 0xFFFFFFFF == MAP_NOTIFY:
                yield event[5]

    def _property(self, window, atom, wanted_type):
        c = ctypes
        actual_type, actual_format = c.c_ulong(), c.c_int()
        nitems, after, data = c.c_ulong(), c.c_ulong(), c.c_void_p()
        status = self.lib.XGetWindowProperty(
            self.dpy, window, atom, 0, 1024, 0, wanted_type, c.byref(actual_type),
            c.byref(actual_format), c.byref(nitems), c.byref(after), c.byref(data))
        if status != 0 or not data.value:
            return None
        try:
            if actual_format.value == 32:
                return [c.cast(data, c.POINTER(c.c_ulong))[i] for i in range(nitems.value)]
            return c.string_at(data, nitems.value)
        finally:
            self.lib.XFree(data)

    def window_pid(self, window):
        value = self._property(window, self.pid_atom, XA_CARDINAL)
        return value[0] if value else None

    def window_name(self, window):
        value = self._property(window, self.name_atom, ANY_PROPERTY_TYPE)
        return value.decode("utf-8", "replace") if isinstance(value, bytes) else ""

    def close(self):
        self.lib.XCloseDisplay(self.dpy)


def start_xvfb():
    if not shutil.which("Xvfb"):
        raise RuntimeError("Xvfb is not installed (Debian package xvfb)")
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
         "-nolisten", "tcp"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    # The number comes in more than one write; the pipe stays open until the
    # server ends, since a write to a closed pipe would kill it.
    text, deadline = b"", time.monotonic() + 15
    while not text.endswith(b"\n") and time.monotonic() < deadline:
        ready, _, _ = select.select([read_end], [], [], max(0.0, deadline - time.monotonic()))
        chunk = os.read(read_end, 32) if ready else b""
        if not chunk:
            break
        text += chunk
    if not text.endswith(b"\n"):
        server.kill()
        os.close(read_end)
        raise RuntimeError("Xvfb did not start")
    server.displayfd = read_end
    return server, ":" + text.decode().strip()


def cpu_seconds(pid):
    """Processor time used so far by the live threads of a process."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as schedstat:
                total += int(schedstat.read().split()[0])
        except (FileNotFoundError, ProcessLookupError):
            pass  # a thread that ended meanwhile
    return total / 1e9


def peak_rss_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    raise RuntimeError(f"no VmHWM for process {pid}")


def stop(process):
    if process.poll() is None:
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def run_once(x11, program, env, settle, timeout=30.0):
    """Returns (seconds to mapped, CPU seconds by then, peak RSS in KiB, title)."""
    x11.drain()
    start = time.perf_counter()
    child = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
    try:
        while True:
            for window in x11.mapped_windows():
                if x11.window_pid(window) == child.pid:
                    elapsed = time.perf_counter() - start
                    cpu = cpu_seconds(child.pid)
                    title = x11.window_name(window)
                    time.sleep(settle)  # let the first paint happen
                    return elapsed, cpu, peak_rss_kib(child.pid), title
            if child.poll() is not None:
                raise RuntimeError(f"{program} exited with {child.returncode} before "
                                   "showing its window")
            left = start + timeout - time.perf_counter()
            if left <= 0:
                raise RuntimeError(f"{program} showed no window within {timeout:.0f} s")
            select.select([x11.fd], [], [], min(left, 0.05))
    finally:
        stop(child)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("program")
    parser.add_argument("bare_window")
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--warmup", type=int, default=2)
    parser.add_argument("--settle", type=float, default=0.5)
    parser.add_argument("--title", default="Vorlaine", help="the program's window title")
    args = parser.parse_args()

    try:
        server, display = start_xvfb()
    except RuntimeError as error:
        print(f"startup: {error}", file=sys.stderr)
        return 2
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
    env.pop("WAYLAND_DISPLAY", None)
    names = {"vorlaine": args.program, "bare window": args.bare_window}
    times = {name: [] for name in names}
    cpus = {name: [] for name in names}
    peaks = {name: [] for name in names}
    try:
        x11 = X11(display)
        for i in range(args.warmup + args.runs):
            order = ["bare window", "vorlaine"] if i % 2 == 0 else ["vorlaine", "bare window"]
            for name in order:
                elapsed, cpu, peak, title = run_once(x11, names[name], env, args.settle)
                if name == "vorlaine" and title != args.title:
                    raise RuntimeError(f"the program's window is titled {title!r}, "
                                       f"not {args.title!r}")
                if i >= args.warmup:
                    times[name].append(elapsed)
                    cpus[name].append(cpu)
                    peaks[name].append(peak)
        x11.close()
    except RuntimeError as error:
        print(f"startup: {error}", file=sys.stderr)
        return 2
    finally:
        stop(server)
        os.close(server.displayfd)

    def ratio(samples):
        return statistics.median(samples["vorlaine"]) / statistics.median(samples["bare window"])

    time_ratio, cpu_ratio, memory_ratio = ratio(times), ratio(cpus), ratio(peaks)
    print(f"start-up: fork to window mapped on Xvfb, and the processor time used by then; "
          f"peak RSS after {args.settle:g} s; {args.runs} runs each, alternating, after "
          f"{args.warmup} warm-up runs; load average {os.getloadavg()[0]:.1f}")
    print(f"  {'':14}{'median time':>14}{'min..max':>20}{'CPU (median)':>15}"
          f"{'peak RSS (median)':>20}")
    for name in ("bare window", "vorlaine"):
        t = times[name]
        print(f"  {name:14}{statistics.median(t) * 1e3:11.1f} ms"
              f"{min(t) * 1e3:10.1f}..{max(t) * 1e3:.1f} ms"
              f"{statistics.median(cpus[name]) * 1e3:12.1f} ms"
              f"{statistics.median(peaks[name]) / 1024:16.1f} MiB")
    print(f"  {'ratio':14}{time_ratio:14.2f}{'':20}{cpu_ratio:15.2f}{memory_ratio:20.2f}")
    time_ok, memory_ok = time_ratio <= TIME_GOAL, memory_ratio <= MEMORY_GOAL
    print(f"start-up time ratio {time_ratio:.2f} (CPU {cpu_ratio:.2f})   goal <= {TIME_GOAL:.2f}  "
          f"{'met' if time_ok else 'MISSED'}")
    print(f"start-up memory ratio {memory_ratio:.2f}   goal <= {MEMORY_GOAL:.2f}  "
          f"{'met' if memory_ok else 'MISSED'}")
    return 0 if time_ok and memory_ok else 1


if __name__ == "__main__":
    sys.exit(main())
