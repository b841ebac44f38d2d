#!/usr/bin/python3
"""Medians of bench/linux/run.sh's samples, the targets, as JSON and Markdown.

  report.py SAMPLES.tsv OUT.json OUT.md RUNS WINDOW_S CPUS
"""

import json
import statistics
import sys
import time

PROGRAMS = ["kshutdown", "qshutdown", "floor", "nocturo"]
METRICS = [
    ("startup_ms", "start-up to tray item (ms)"),
    ("pss_stopped_kib", "PSS stopped (MiB)"),
    ("pss_counting_kib", "PSS counting (MiB)"),
    ("wakeups_stopped_per_s", "wake-ups stopped (/s)"),
    ("wakeups_counting_per_s", "wake-ups counting (/s)"),
]


def main(samples_path, json_path, md_path, runs, window, cpus):
    samples = {}
    with open(samples_path, encoding="utf-8") as samples_file:
        for line in samples_file:
            name, metric, value = line.rstrip("\n").split("\t")
            samples.setdefault(name, {}).setdefault(metric, []).append(float(value))
    medians = {name: {metric: statistics.median(values) for metric, values in m.items()}
               for name, m in samples.items()}

    def value(name, metric):
        return medians.get(name, {}).get(metric)

    lighter = min(PROGRAMS[:2], key=lambda n: value(n, "pss_stopped_kib"))
    ours = medians["nocturo"]
    checks = []
    for phase in ("stopped", "counting"):
        got = ours[f"pss_{phase}_kib"]
        limit = value(lighter, f"pss_{phase}_kib") / 2
        checks.append((f"PSS {phase} at most half of {lighter}'s",
                       got <= limit, f"{got / 1024:.1f} MiB vs {limit / 1024:.1f} MiB"
                       f" ({got / limit:.2f}× the limit)"))
    slowest_rival = min(value(n, "startup_ms") for n in PROGRAMS[:2])
    checks.append(("start-up no slower than either scheduler",
                   ours["startup_ms"] <= slowest_rival,
                   f"{ours['startup_ms']:.0f} ms vs {slowest_rival:.0f} ms"))
    floor = value("floor", "startup_ms")
    checks.append(("start-up within 1.3× the floor", ours["startup_ms"] <= 1.3 * floor,
                   f"{ours['startup_ms']:.0f} ms = {ours['startup_ms'] / floor:.2f}× {floor:.0f} ms"))
    checks.append(("no wake-ups of our own while stopped (floor's rate or less)",
                   ours["wakeups_stopped_per_s"] <= value("floor", "wakeups_stopped_per_s") + 0.5,
                   f"{ours['wakeups_stopped_per_s']:.1f}/s vs floor "
                   f"{value('floor', 'wakeups_stopped_per_s'):.1f}/s"))

    report = {
        "date": time.strftime("%Y-%m-%d %H:%M UTC", time.gmtime()),
        "runs": runs, "window_s": window, "cpus": cpus,
        "medians": medians, "samples": samples,
        "targets": [{"target": t, "met": ok, "numbers": n} for t, ok, n in checks],
    }
    with open(json_path, "w", encoding="utf-8") as out:
        json.dump(report, out, indent=1, ensure_ascii=False)
        out.write("\n")

    lines = [
        "# Linux benchmarks",
        "",
        f"`bench/linux/run.sh {runs}` on {report['date']}: {runs} rounds after a warm-up,"
        f" medians; {cpus} CPUs shared with other work, Xvfb, private buses.",
        "",
        "| | " + " | ".join(PROGRAMS) + " |",
        "|---|" + "---:|" * len(PROGRAMS),
    ]
    for metric, title in METRICS:
        cells = []
        for name in PROGRAMS:
            v = value(name, metric)
            if v is None:
                cells.append("–")
            elif metric.startswith("pss"):
                cells.append(f"{v / 1024:.1f}")
            elif metric.startswith("wakeups"):
                cells.append(f"{v:.1f}")
            else:
                cells.append(f"{v:.0f}")
        lines.append(f"| {title} | " + " | ".join(cells) + " |")
    lines += ["", "| Target | Met | Numbers |", "|---|---|---|"]
    lines += [f"| {t} | {'yes' if ok else '**no**'} | {n} |" for t, ok, n in checks]
    lines += [
        "",
        "Method. Each program is started in the same throwaway environment"
        " (tests/linux/lib.sh: HOME, XDG directories, Xvfb, private session and"
        " system buses, logind mock, our StatusNotifierWatcher; no accessibility"
        " bus, so Qt's bridge is off as on a desktop without a screen reader)."
        " Start-up is from just before exec to the watcher's timestamp of the"
        " item's RegisterStatusNotifierItem. Two seconds after that, PSS is read"
        " from /proc/PID/smaps_rollup, and wake-ups are the voluntary plus"
        " involuntary context switches of all the process's threads"
        f" (/proc/PID/task/*/status) over {window} s, per second. \"Counting\" is"
        " a second start with a 60-minute count: kshutdown --init --shutdown 60,"
        " qshutdown -s (its countdown_minutes=60), nocturo /D060 /E; the floor"
        " (bench/linux/floor/tray_floor.cpp, a QSystemTrayIcon with an icon and"
        " a tooltip) does not count. kshutdown and qshutdown are Qt 5 programs,"
        " the floor and nocturo Qt 6.",
    ]
    with open(md_path, "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    a = sys.argv[1:]
    main(a[0], a[1], a[2], int(a[3]), int(a[4]), int(a[5]))
