#!/usr/bin/env bash
# Breaks the game's rules on purpose, one at a time, and checks that the tests notice.
# Usage: scripts/mutants.sh [--list] [--check] [--only N...] [--catalogue FILE] [--jobs J]
#   --list       lists the catalogue's mutants (number, file, the rule each one breaks)
#   --check      only checks that every mutant's find-text occurs exactly once in its file
#   --only N...  runs the chosen mutants (numbers as --list shows them; ranges such as 10-20)
#   A mutant of a test helper (tests/shell/Census.h) is run by that folder's tests alone.
# Each mutant is applied to a scratch copy of the tree (build-mutants/src, never the working tree), which is
# rebuilt into build-mutants/src/build (kept between mutants and between runs; ccache when installed). Only the
# test binaries of the folders that can see the change are relinked (bm_tests_FOLDER, see MAP below) and run,
# quick tests only, stopping at the first failure. The table goes to the standard output and to
# build-mutants/results.txt.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
exec python3 - "$here" "$@" <<'PY'
import os, re, shutil, subprocess, sys, time

root = sys.argv[1]
args = sys.argv[2:]
catalogue = os.path.join(root, "tests", "mutants.txt")
work = os.environ.get("BM_MUTANTS_DIR", os.path.join(root, "build-mutants"))
jobs = str(os.cpu_count() or 2)
only, mode = None, "run"
i = 0
while i < len(args):
    a = args[i]
    if a == "--list": mode = "list"
    elif a == "--check": mode = "check"
    elif a == "--catalogue": i += 1; catalogue = args[i]
    elif a == "--jobs": i += 1; jobs = args[i]
    elif a == "--only":
        only = set()
        while i + 1 < len(args) and re.fullmatch(r"\d+(-\d+)?", args[i + 1]):
            i += 1
            lo, _, hi = args[i].partition("-")
            only.update(range(int(lo), int(hi or lo) + 1))
    else:
        sys.exit(f"mutants.sh: unknown argument {a} (see the top of scripts/mutants.sh)")
    i += 1

# The test binaries that can see a change in each source folder, the folder's own first.
MAP = {
    "diag": ["diag", "io", "storage", "shell"],
    "io": ["io", "storage", "saves", "shell"],
    "lang": ["lang", "storage", "render", "shell"],
    "board": ["board", "bonus", "bot", "match", "progress", "shell"],
    "storage": ["storage", "saves", "shell"],
    "bonus": ["bonus", "bot", "match", "progress", "saves", "render", "audio", "shell"],
    "bot": ["bot", "shell"],
    "progress": ["progress", "match", "shell"],
    "match": ["match", "saves", "shell"],
    "saves": ["saves", "shell"],
    "shell": ["shell"],
    "render": ["render", "shell"],
    "audio": ["audio", "shell"],
    "platform": ["platform", "shell"],
}
# Whole-game soaks, kill trials and balance runs: minutes each, and each rule they
# guard has a quick test of its own.
# Drawing caches, lost devices and signals: no rule of the game lives there.
SLOW = ["BonusSoak.*", "BalanceSoak.*", "HugeFiles.*", "StopSignals.*", "CrashLog.*",
        "StillLayer.*", "IdleFrames.*", "DeviceReset.*"]

def groups_of(path):
    """The test binaries that can see a change in a file: its folder's, or for a test's own helper
    (tests/shell/Census.h) that folder's binary alone."""
    parts = path.split("/")
    if parts[0] == "tests" and len(parts) > 2:
        return [parts[1]] if parts[1] in MAP else []
    return MAP.get(parts[0], [])

LIBRARIES = ["bm_io", "bm_lang", "bm_rules", "bm_platform", "bm_game", "bm_harness", "levelc_text"]
# The test binaries whose tests call nothing of the platform or the screens: a mutant of a header the screens
# include too (bonus/BonusKinds.h) recompiles those only when a binary that runs them is reached.
RULES_ONLY = {"board", "bonus", "bot", "saves", "io", "lang", "diag"}

def libraries_of(group):
    return [l for l in LIBRARIES if group not in RULES_ONLY or l not in ("bm_platform", "bm_game")]
TIMEOUT = 300  # seconds for one test binary; a hang counts as killed

def unescape(s):
    return s.replace("\\n", "\n").replace("\\t", "\t")

def parse(path):
    mutants, cur = [], None
    for n, line in enumerate(open(path, encoding="utf-8"), 1):
        line = line.rstrip("\n")
        if line.startswith("#") or not line.strip():
            continue
        if line.startswith("== "):
            cur = {"file": line[3:].strip(), "line": n, "find": None, "repl": None, "rule": "", "equivalent": None}
            mutants.append(cur)
            continue
        key, sep, value = line.partition(":")
        if cur is None or not sep or key not in ("find", "repl", "rule", "equivalent"):
            sys.exit(f"{path}:{n}: expected '== FILE' or find:/repl:/rule:/equivalent:")
        value = value[1:] if value.startswith(" ") else value
        cur[key] = unescape(value) if key in ("find", "repl") else value
    for k, m in enumerate(mutants, 1):
        m["id"] = k
        if m["find"] is None or m["repl"] is None:
            sys.exit(f"{path}:{m['line']}: a mutant needs find: and repl:")
    return mutants

mutants = parse(catalogue)
bad = []
for m in mutants:
    p = os.path.join(root, m["file"])
    count = open(p, encoding="utf-8").read().count(m["find"]) if os.path.exists(p) else -1
    if not groups_of(m["file"]):
        bad.append(f"  {m['id']:3} {m['file']}: no test binaries are mapped to its folder")
    elif count != 1:
        bad.append(f"  {m['id']:3} {m['file']}: the find-text occurs {count if count >= 0 else 'no file'} times: {m['find']!r}")
if bad:
    print("mutants.sh: these find-texts must occur exactly once:\n" + "\n".join(bad))
    sys.exit(2)
if mode == "check":
    print(f"{len(mutants)} mutants, every find-text occurs once")
    sys.exit(0)
if mode == "list":
    for m in mutants:
        tag = " [equivalent]" if m["equivalent"] else ""
        print(f"{m['id']:3}  {m['file']:28} {m['rule']}{tag}")
    sys.exit(0)

chosen = [m for m in mutants if only is None or m["id"] in only]
# The scratch build sits inside the scratch tree as build/ sits in the real one, with the same options, so
# ccache serves every file a mutant leaves alone; its tests read the real build's program folder.
src = os.path.join(work, "src")
build = os.path.join(src, "build")
game = os.path.join(root, "build", "game")
if not os.path.exists(os.path.join(game, "brinemoor")):
    sys.exit("mutants.sh: build the game first (./test.sh, or the README's cmake commands into build/)")
os.makedirs(src, exist_ok=True)
env = dict(os.environ)
if shutil.which("ccache"):
    env.setdefault("CMAKE_CXX_COMPILER_LAUNCHER", "ccache")
    env.setdefault("CMAKE_C_COMPILER_LAUNCHER", "ccache")

def run(cmd, **kw):
    return subprocess.run(cmd, env=env, **kw)

def log_to(name):
    return open(os.path.join(work, name), "a")

start = time.time()
def sync():
    """The scratch copy of the files git knows (and new ones it would add): only files whose contents differ
    are written, with a fresh time, so make rebuilds exactly those."""
    listed = subprocess.run(["git", "-C", root, "ls-files", "-co", "--exclude-standard", "-z"], check=True,
                            stdout=subprocess.PIPE).stdout.decode().split("\0")
    keep = {f for f in listed if f and os.path.isfile(os.path.join(root, f))}
    for f in keep:
        a, b = os.path.join(root, f), os.path.join(src, f)
        data = open(a, "rb").read()
        if not os.path.exists(b) or open(b, "rb").read() != data:
            os.makedirs(os.path.dirname(b), exist_ok=True)
            with open(b, "wb") as out:
                out.write(data)
            shutil.copymode(a, b)
    for dirpath, dirnames, filenames in os.walk(src):
        rel = os.path.relpath(dirpath, src)
        if rel == ".":
            dirnames[:] = [d for d in dirnames if d != "build"]
        for name in filenames:
            f = os.path.normpath(os.path.join(rel, name))
            if f not in keep:
                os.remove(os.path.join(dirpath, name))

start = time.time()
sync()
run(["cmake", "-S", src, "-B", build, "-G", "Unix Makefiles", "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
     f"-DBM_TEST_GAME_DIR={game}",
     f"-DBM_TEST_SOURCE_DIR={root}"], check=True, stdout=subprocess.DEVNULL)
groups = sorted({g for m in chosen for g in groups_of(m["file"])})
targets = ["bm_tests_" + g for g in groups]
print(f"Building the scratch tree ({len(targets)} test binaries)...", flush=True)
with log_to("setup.log") as out:
    if run(["cmake", "--build", build, "-j", jobs, "--target", *targets], stdout=out, stderr=out).returncode:
        sys.exit(f"mutants.sh: the unchanged tree does not build; see {work}/setup.log")
test_env = dict(env, SDL_AUDIODRIVER="dummy", SDL_VIDEODRIVER="dummy")
test_env.pop("DISPLAY", None)

def test(group):
    cmd = [os.path.join(build, "bm_tests_" + group), "--gtest_fail_fast", "--gtest_brief=1",
           "--gtest_filter=-" + ":".join(SLOW)]
    try:
        r = subprocess.run(cmd, cwd=build, env=test_env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                           timeout=TIMEOUT)
    except subprocess.TimeoutExpired:
        return "hang", ""
    failed = re.findall(r"^\[  FAILED  \] (\S+)", r.stdout.decode(errors="replace"), re.M)
    return ("pass" if r.returncode == 0 else "fail"), (failed[0] if failed else f"exit {r.returncode}")

print("Checking that the unchanged tree passes...", flush=True)
for g in groups:
    verdict, why = test(g)
    if verdict != "pass":
        sys.exit(f"mutants.sh: bm_tests_{g} fails on the unchanged tree ({why}); mend that first")
print(f"Ready after {time.time() - start:.0f} s\n", flush=True)

def touch_includers(rel):
    """A header's change reaches the files of its folder that include it: make's quick targets read no
    dependency lists, so those files are given a fresh time."""
    if not rel.endswith(".h"):
        return
    folder, name = os.path.split(os.path.join(src, rel))
    for f in os.listdir(folder):
        p = os.path.join(folder, f)
        if f.endswith(".cpp") and f'#include "{name}"' in open(p, encoding="utf-8").read():
            os.utime(p)

results = []
for m in chosen:
    t0 = time.time()
    if m["equivalent"]:
        results.append((m, "equivalent", m["equivalent"], 0.0))
        print(f"{m['id']:3}  equivalent    {m['file']}: {m['rule']}", flush=True)
        continue
    path = os.path.join(src, m["file"])
    original = open(path, encoding="utf-8").read()
    status, why = "survived", ""
    try:
        with open(path, "w", encoding="utf-8") as f:
            f.write(original.replace(m["find"], m["repl"], 1))
        touch_includers(m["file"])
        for g in groups_of(m["file"]):
            with log_to("build.log") as out:
                out.write(f"\n=== mutant {m['id']} bm_tests_{g}\n")
                out.flush()
                # The libraries in order, then the tests: make's quick targets check no other target's files.
                built = all(run(["make", "-C", build, "-s", "-j", jobs, t + "/fast"], stdout=out,
                                stderr=out).returncode == 0 for t in libraries_of(g) + ["bm_test_objects_" + g, "bm_tests_" + g])
            if not built:
                status, why = "did not build", ""
                break
            verdict, why = test(g)
            if verdict != "pass":
                status = "killed"
                why = f"bm_tests_{g}: " + (why if verdict == "fail" else f"no end within {TIMEOUT} s")
                break
    finally:
        # Written afresh (a new time), so the next build compiles the file again, from the cache.
        with open(path, "w", encoding="utf-8") as f:
            f.write(original)
        touch_includers(m["file"])
    results.append((m, status, why, time.time() - t0))
    print(f"{m['id']:3}  {status:13} {m['file']}: {m['rule']}  [{time.time() - t0:.0f} s] {why}", flush=True)

counts = {k: sum(1 for r in results if r[1] == k) for k in ("killed", "survived", "did not build", "equivalent")}
total = len(results)
judged = total - counts["equivalent"]
rate = 100.0 * counts["killed"] / judged if judged else 0.0
lines = ["", f"{'id':>3}  {'result':13} file / rule", f"{'-' * 3}  {'-' * 13} {'-' * 60}"]
for m, status, why, secs in results:
    lines.append(f"{m['id']:3}  {status:13} {m['file']}: {m['rule']}")
lines.append("")
lines.append(f"{total} mutants: {counts['killed']} killed, {counts['survived']} survived, "
             f"{counts['equivalent']} equivalent, {counts['did not build']} did not build; "
             f"kill rate {rate:.1f} % of the {judged} that change behaviour; "
             f"{time.time() - start:.0f} s in all")
text = "\n".join(lines)
print(text)
with open(os.path.join(work, "results.txt"), "w") as f:
    f.write(text + "\n")
sys.exit(0 if counts["survived"] == 0 and counts["did not build"] == 0 else 1)
PY
