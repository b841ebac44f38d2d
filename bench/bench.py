#!/usr/bin/env python3
"""Measures nocturo.exe against the baseline tray program under 64-bit Wine.

Called by bench/run.sh, which builds both and sets up the display and the
prefix (its own Xvfb, a copy of the end-to-end template prefix, that prefix's
wineserver already running with the session up). Writes
bench/results/results.{json,md}, and the samples of a ten-minute count that
bench/plot.gnuplot turns into cpu-memory.png.
"""
import json
import os
import signal
import statistics
import subprocess
import sys
import time

WINE64 = os.environ.get("WINE64", "/usr/lib/wine/wine64")
CLK_TCK = os.sysconf("SC_CLK_TCK")
OUT = sys.argv[1]  # results folder
WORK = sys.argv[2]  # scratch folder
EXES = {"nocturo": sys.argv[3], "baseline": sys.argv[4]}
SIZES = json.loads(sys.argv[5])  # {"nocturo": {"i686": n, "x64": n}, ...}
RUNS = int(os.environ.get("BENCH_STARTS", "12"))
SHORT_COUNT_MIN = int(os.environ.get("BENCH_SHORT_MINUTES", "2"))
LONG_COUNT_MIN = int(os.environ.get("BENCH_LONG_MINUTES", "10"))

ADD = "Call shell32.Shell_NotifyIconA(00000000"
ADD_SYSTRAY = "Shell_NotifyIconW dwMessage = 0,"
EXIT = "Call user32.ExitWindowsEx("


def log(*args):
    print(time.strftime("[%H:%M:%S]"), *args, file=sys.stderr, flush=True)


# What each start traces: the relay of the listed calls with timestamps (for
# the lateness of ExitWindowsEx), only shell32's notification-area channel
# (for start-up), or nothing. The relay channel also traces every call of a
# window procedure, which would charge a program for each window it makes;
# the systray channel prints one line per Shell_NotifyIcon call and nothing
# else.
TRACES = {"relay": "+relay,+timestamp", "systray": "+systray", None: "-all"}


def start(name, args, trace_kind):
    exe = EXES[name]
    trace = os.path.join(WORK, f"{name}-{time.monotonic_ns()}.trace")
    env = dict(os.environ, WINEDEBUG=TRACES[trace_kind])
    with open(trace, "wb") as err:
        t0 = time.monotonic()
        proc = subprocess.Popen([WINE64, exe, *args], cwd=os.path.dirname(exe), env=env,
                                stdout=subprocess.DEVNULL, stderr=err)
    return proc, trace, t0


def stop(proc):
    if proc.poll() is None:
        proc.send_signal(signal.SIGTERM)
        try:
            proc.wait(5)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


def wait_line(trace, needle, deadline_s, poll=0.001):
    """Polls the trace until a line holds needle; returns (monotonic time seen, line)."""
    end = time.monotonic() + deadline_s
    pos = 0
    buf = b""
    while time.monotonic() < end:
        with open(trace, "rb") as f:
            f.seek(pos)
            chunk = f.read()
        if chunk:
            pos += len(chunk)
            buf += chunk
            for line in buf.decode("latin-1").splitlines():
                if needle in line:
                    return time.monotonic(), line
            buf = buf[buf.rfind(b"\n") + 1:]
        time.sleep(poll)
    raise RuntimeError(f"'{needle}' not seen in {trace} within {deadline_s} s")


def relay_time(line):
    # "1234.567:0024:Call ..." with +timestamp
    return float(line.split(":", 1)[0])


def sample(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    cpu = (int(fields[11]) + int(fields[12])) / CLK_TCK  # utime + stime, all threads
    rollup = {}
    with open(f"/proc/{pid}/smaps_rollup") as f:
        for line in f:
            parts = line.split()
            if len(parts) >= 2 and parts[0].endswith(":") and parts[1].isdigit():
                rollup[parts[0][:-1]] = int(parts[1])
    switches = 0
    threads = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/status") as f:
                for line in f:
                    if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                        switches += int(line.split()[1])
            threads += 1
        except FileNotFoundError:
            pass
    return {"t": time.monotonic(), "cpu_s": cpu, "rss_kb": rollup.get("Rss", 0),
            "pss_kb": rollup.get("Pss", 0), "ctxsw": switches, "threads": threads}


def check_process(proc, name):
    with open(f"/proc/{proc.pid}/cmdline", "rb") as f:
        cmd = f.read().split(b"\0")
    if not any(os.path.basename(EXES[name]).encode() in part for part in cmd):
        raise RuntimeError(f"PID {proc.pid} runs {cmd}, not {name}")
    return os.path.basename(os.readlink(f"/proc/{proc.pid}/exe"))


def summary(values):
    return {"median": statistics.median(values), "min": min(values), "max": max(values),
            "n": len(values)}


def startups():
    times = {"nocturo": [], "baseline": []}
    # Two unrecorded starts of each first: the first starts after the session
    # comes up are several times slower (explorer and the tray still settle).
    for name in ("nocturo", "baseline", "nocturo", "baseline"):
        proc, trace, _ = start(name, [], "systray")
        wait_line(trace, ADD_SYSTRAY, 120)
        stop(proc)
        time.sleep(0.5)
    for i in range(RUNS):
        order = ("nocturo", "baseline") if i % 2 == 0 else ("baseline", "nocturo")
        for name in order:
            proc, trace, t0 = start(name, [], "systray")
            seen, _ = wait_line(trace, ADD_SYSTRAY, 120)
            times[name].append((seen - t0) * 1000)
            stop(proc)
            time.sleep(0.5)
        log(f"start-up run {i + 1}: nocturo {times['nocturo'][-1]:.0f} ms, "
            f"baseline {times['baseline'][-1]:.0f} ms")
    return {name: summary(v) for name, v in times.items()}


def steady(args_of, label, seconds=int(os.environ.get("BENCH_STEADY_S", "60"))):
    """Both programs side by side: memory after 5 s, then CPU and switches
    over the next `seconds`; memory again at the end."""
    procs = {name: start(name, args_of[name], None)[0] for name in EXES}
    time.sleep(5)
    first = {}
    result = {}
    for name, proc in procs.items():
        loader = check_process(proc, name)
        first[name] = sample(proc.pid)
        result[name] = {"loader": loader, "rss_kb_5s": first[name]["rss_kb"],
                        "pss_kb_5s": first[name]["pss_kb"], "threads": first[name]["threads"]}
    time.sleep(seconds)
    for name, proc in procs.items():
        last = sample(proc.pid)
        span = last["t"] - first[name]["t"]
        result[name].update({
            "rss_kb_end": last["rss_kb"], "pss_kb_end": last["pss_kb"],
            "cpu_s_per_min": (last["cpu_s"] - first[name]["cpu_s"]) * 60 / span,
            "ctxsw_per_s": (last["ctxsw"] - first[name]["ctxsw"]) / span,
            "seconds": span})
        stop(proc)
    log(label, json.dumps(result))
    return result


def timed_count(minutes, samples_file=None):
    proc, trace, _ = start("nocturo", [f"/D{minutes:03d}", "/E"], "relay")
    _, add_line = wait_line(trace, ADD, 120)
    check_process(proc, "nocturo")
    due = relay_time(add_line) + minutes * 60
    rows = []
    t_start = time.monotonic()
    end = t_start + minutes * 60 + 60
    exit_line = None
    last_cpu = None
    while time.monotonic() < end and proc.poll() is None:
        if samples_file is not None:
            try:
                s = sample(proc.pid)
                cpu_pct = 0.0 if last_cpu is None else (
                    100 * (s["cpu_s"] - last_cpu["cpu_s"]) / (s["t"] - last_cpu["t"]))
                last_cpu = s
                rows.append((s["t"] - t_start, cpu_pct, s["rss_kb"] / 1024, s["pss_kb"] / 1024))
            except (FileNotFoundError, ProcessLookupError):
                pass
        with open(trace, "rb") as f:
            text = f.read().decode("latin-1")
        if EXIT in text:
            exit_line = next(line for line in text.splitlines() if EXIT in line)
            break
        time.sleep(1 - (time.monotonic() - t_start) % 1)
    stop(proc)
    if exit_line is None:
        # The request may end the process (and the session) before the loop
        # reads the trace again.
        with open(trace, "rb") as f:
            text = f.read().decode("latin-1")
        exit_line = next((line for line in text.splitlines() if EXIT in line), None)
    if exit_line is None:
        raise RuntimeError(f"no ExitWindowsEx within {minutes} min + 60 s ({trace})")
    late = relay_time(exit_line) - due
    if samples_file is not None:
        with open(samples_file, "w") as f:
            f.write("# seconds cpu_percent rss_mb pss_mb\n")
            for row in rows:
                f.write("%.1f %.2f %.2f %.2f\n" % row)
    log(f"{minutes}-minute count: ExitWindowsEx {late * 1000:.0f} ms after the due moment "
        f"({exit_line.strip()[:80]})")
    return {"minutes": minutes, "late_ms": late * 1000, "call": exit_line.split("Call ", 1)[1][:40]}


def restart_session():
    """ExitWindowsEx ends the prefix's session under Wine; bring it back."""
    subprocess.run(["bash", "-c", os.environ["BENCH_SESSION_UP"]], check=True)


def main():
    phase = os.environ.get("BENCH_ONLY", "")
    results = {}
    if phase == "startup":
        # Only the start-up, written into an existing raw.json.
        with open(os.path.join(OUT, "raw.json")) as f:
            results = json.load(f)
        results["startup_ms"] = startups()
        with open(os.path.join(OUT, "raw.json"), "w") as f:
            json.dump(results, f, indent=2)
        return
    log("start-up, alternating")
    results["startup_ms"] = startups()
    log("stopped: memory after 5 s, CPU and switches over 60 s")
    results["stopped"] = steady({"nocturo": [], "baseline": []}, "stopped")
    log("counting: CPU and switches over 60 s, memory after 65 s")
    results["counting"] = steady({"nocturo": ["/D010", "/E"], "baseline": ["/E"]}, "counting")
    results["size_bytes"] = SIZES
    with open(os.path.join(OUT, "raw.json"), "w") as f:
        json.dump(results, f, indent=2)
    results["timing"] = []
    if phase != "quick":
        log(f"{SHORT_COUNT_MIN}-minute count")
        results["timing"].append(timed_count(SHORT_COUNT_MIN))
        restart_session()
        log(f"{LONG_COUNT_MIN}-minute count, sampled every second for the plot")
        results["timing"].append(timed_count(LONG_COUNT_MIN, os.path.join(OUT, "cpu-memory.dat")))
    results["size_bytes"] = SIZES
    with open(os.path.join(OUT, "raw.json"), "w") as f:
        json.dump(results, f, indent=2)


if __name__ == "__main__":
    main()
