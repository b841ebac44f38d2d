#!/usr/bin/env python3
"""Turns bench/results/raw.json (and micro.json) into results.json and
results.md: Nocturo, the baseline, their ratio, and the targets."""
import json
import os
import subprocess
import sys

OUT = sys.argv[1]
raw = json.load(open(os.path.join(OUT, "raw.json")))
micro_ns = None
try:
    for b in json.load(open(os.path.join(OUT, "micro.json")))["benchmarks"]:
        if b.get("aggregate_name") == "median":
            micro_ns = b["cpu_time"] if b.get("time_unit") == "ns" else None
except (OSError, ValueError, KeyError):
    pass


def machine():
    model = next((l.split(":", 1)[1].strip() for l in open("/proc/cpuinfo")
                  if l.startswith("model name")), "?")
    wine = subprocess.run(["/usr/lib/wine/wine64", "--version"], capture_output=True,
                          text=True).stdout.strip()
    return {"cpus": os.cpu_count(), "cpu_model": model, "wine": wine,
            "kernel": os.uname().release}


rows = []  # (name, unit, nocturo, baseline, target text, met)


def add(name, unit, n, b, target=None, met=None):
    rows.append({"metric": name, "unit": unit, "nocturo": n, "baseline": b,
                 "ratio": (n / b) if (n is not None and b not in (None, 0)) else None,
                 "target": target, "met": met})


s = raw["startup_ms"]
ratio = s["nocturo"]["median"] / s["baseline"]["median"]
add("start-up to icon added, median", "ms", s["nocturo"]["median"], s["baseline"]["median"],
    "≤ 1.2× baseline", ratio <= 1.2)
add("start-up, min", "ms", s["nocturo"]["min"], s["baseline"]["min"])
add("start-up, max", "ms", s["nocturo"]["max"], s["baseline"]["max"])
st, co = raw["stopped"], raw["counting"]
add("RSS stopped, after 5 s", "KiB", st["nocturo"]["rss_kb_5s"], st["baseline"]["rss_kb_5s"])
pss_ratio = st["nocturo"]["pss_kb_5s"] / st["baseline"]["pss_kb_5s"]
add("PSS stopped, after 5 s", "KiB", st["nocturo"]["pss_kb_5s"], st["baseline"]["pss_kb_5s"],
    "≤ 1.2× baseline", pss_ratio <= 1.2)
add("RSS counting, after 65 s", "KiB", co["nocturo"]["rss_kb_end"], co["baseline"]["rss_kb_end"])
pss_ratio_c = co["nocturo"]["pss_kb_end"] / co["baseline"]["pss_kb_end"]
add("PSS counting, after 65 s", "KiB", co["nocturo"]["pss_kb_end"], co["baseline"]["pss_kb_end"],
    "≤ 1.2× baseline", pss_ratio_c <= 1.2)
add("CPU stopped", "s/min", st["nocturo"]["cpu_s_per_min"], st["baseline"]["cpu_s_per_min"])
cpu_c = co["nocturo"]["cpu_s_per_min"], co["baseline"]["cpu_s_per_min"]
add("CPU counting", "s/min", cpu_c[0], cpu_c[1], "≤ 1.5× baseline",
    cpu_c[0] <= 1.5 * cpu_c[1] if cpu_c[1] > 0 else cpu_c[0] <= 0.01)
sw = st["nocturo"]["ctxsw_per_s"], st["baseline"]["ctxsw_per_s"]
add("context switches stopped", "1/s", sw[0], sw[1], "baseline idle level (no own timer)",
    sw[0] <= sw[1] + 0.1)
add("context switches counting", "1/s", co["nocturo"]["ctxsw_per_s"],
    co["baseline"]["ctxsw_per_s"])
add("threads", "", st["nocturo"]["threads"], st["baseline"]["threads"])
z = raw["size_bytes"]
add("exe size, i686 (the real nocturo.exe)", "bytes", z["nocturo"]["i686"], z["baseline"]["i686"],
    "< 300 KB (307,200 bytes)", z["nocturo"]["i686"] < 300 * 1024)
add("exe size, x86_64 (test build)", "bytes", z["nocturo"]["x64"], z["baseline"]["x64"])
for t in raw.get("timing", []):
    target = "≤ 1000 ms" if t["minutes"] >= 10 else None
    add(f"ExitWindowsEx after due moment, {t['minutes']}-min count", "ms", t["late_ms"], None,
        target, (t["late_ms"] <= 1000) if target else None)
if micro_ns is not None:
    add("micro-benchmark: one tick with refresh (native, median)", "ns", micro_ns, None, "< 5 µs",
        micro_ns < 5000)

env = machine()
json.dump({"machine": env, "rows": rows, "raw": raw}, open(os.path.join(OUT, "results.json"), "w"),
          indent=2, ensure_ascii=False)


def fmt(v, unit):
    if v is None:
        return "—"
    if unit in ("bytes",):
        return f"{v:,}"
    if unit in ("KiB", "ms") and abs(v) >= 100:
        return f"{v:,.0f}"
    if unit == "s/min":
        return f"{v:.3f}"
    return f"{v:.1f}" if isinstance(v, float) else f"{v}"


lines = [
    f"Machine: {env['cpus']} CPUs, {env['cpu_model']}, Linux {env['kernel']}, {env['wine']}.",
    "Measured: the x86_64 builds under wine64 (32-bit Wine runs here only through qemu-user, "
    "too slowly to time); the i686 size is that of the real 32-bit nocturo.exe.",
    "",
    "| Metric | Nocturo | Baseline | Ratio | Target | Met |",
    "|---|---:|---:|---:|---|---|",
]
for r in rows:
    unit = f" {r['unit']}" if r["unit"] else ""
    lines.append("| {} | {}{} | {}{} | {} | {} | {} |".format(
        r["metric"], fmt(r["nocturo"], r["unit"]), unit if r["nocturo"] is not None else "",
        fmt(r["baseline"], r["unit"]), unit if r["baseline"] is not None else "",
        f"{r['ratio']:.2f}" if r["ratio"] is not None else "—", r["target"] or "",
        "" if r["met"] is None else ("yes" if r["met"] else "**no**")))
open(os.path.join(OUT, "results.md"), "w").write("\n".join(lines) + "\n")
