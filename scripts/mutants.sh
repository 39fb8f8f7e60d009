#!/usr/bin/env bash
# Breaks the game's rules on purpose, one at a time, and checks that the tests notice.
# Usage: scripts/mutants.sh [--list] [--check] [--only N...] [--catalogue FILE] [--jobs J] [--fresh]
#   --list       lists the catalogue's mutants (number, file, the rule each one breaks)
#   --check      only checks that every mutant's find-text occurs exactly once in its file
#   --only N...  runs the chosen mutants in the order given (numbers as --list shows them; ranges such as 10-20)
#   --jobs J     the cores to use (all by default): J mutants at once, each in a scratch tree of its own
#   --fresh      forgets which test caught each mutant last time
#   A mutant of a test helper (tests/shell/Census.h) is run by that folder's tests alone.
# Each mutant is applied to a scratch copy of the tree (build-mutants/src, src1, ...: never the working tree),
# which is rebuilt into its build/ (kept between mutants and between runs; ccache when installed). Only the test
# binaries of the folders that can see the change are relinked (bm_tests_FOLDER, see MAP below) and run, quick
# tests only, stopping at the first failure.
# The test that caught a mutant is remembered (build-mutants/killers.txt, by file, find- and repl-text, so a
# re-aimed mutant starts afresh): next time its binary alone is built and that test run first; only when the
# mutant gets past it do the binary's other tests and the other folders' binaries run.
# A mutant counts as killed only when a test that passes on the unchanged tree fails, crashes or hangs (runs ten
# times as long as it did unchanged, plus a minute). The table goes to the standard output and to
# build-mutants/results.txt.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
exec python3 - "$here" "$@" <<'PY'
import hashlib, json, os, queue, re, shutil, subprocess, sys, threading, time

root = sys.argv[1]
args = sys.argv[2:]
catalogue = os.path.join(root, "tests", "mutants.txt")
work = os.environ.get("BM_MUTANTS_DIR", os.path.join(root, "build-mutants"))
cores = os.cpu_count() or 2
only, mode, fresh = None, "run", False
i = 0
while i < len(args):
    a = args[i]
    if a == "--list": mode = "list"
    elif a == "--check": mode = "check"
    elif a == "--fresh": fresh = True
    elif a == "--catalogue": i += 1; catalogue = args[i]
    elif a == "--jobs": i += 1; cores = max(1, int(args[i]))
    elif a == "--only":
        only = []
        while i + 1 < len(args) and re.fullmatch(r"\d+(-\d+)?", args[i + 1]):
            i += 1
            lo, _, hi = args[i].partition("-")
            only += [n for n in range(int(lo), int(hi or lo) + 1) if n not in only]
    else:
        sys.exit(f"mutants.sh: unknown argument {a} (see the top of scripts/mutants.sh)")
    i += 1

# The test binaries that can see a change in each source folder (those whose tests include its headers or call
# into it), the folder's own first and the shell's, the slowest, last.
MAP = {
    "diag": ["diag", "io", "lang", "storage", "bonus", "progress", "saves", "audio", "shell"],
    "io": ["io", "storage", "saves", "shell"],
    "lang": ["lang", "storage", "bonus", "render", "shell"],
    "board": ["board", "bonus", "bot", "match", "progress", "saves", "render", "shell"],
    "storage": ["storage", "saves", "bonus", "match", "render", "shell"],
    "bonus": ["bonus", "board", "bot", "match", "progress", "saves", "render", "audio", "shell"],
    "bot": ["bot", "bonus", "saves", "shell"],
    "progress": ["progress", "board", "match", "storage", "render", "audio", "shell"],
    "match": ["match", "board", "bonus", "saves", "shell"],
    "saves": ["saves", "shell"],
    "shell": ["shell", "match", "platform"],
    "render": ["render", "progress", "shell"],
    "audio": ["audio", "shell"],
    "platform": ["platform", "storage", "audio", "shell"],
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

SLOW_TEST_S = 2.0  # a test that took this long on the unchanged tree runs after the quick ones, alone

def hang_limit(seconds_unchanged):
    """How long a test may run before it counts as hung: ten times its unchanged time, plus a minute."""
    return 60 + 10 * seconds_unchanged

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
        m["key"] = hashlib.sha1("\0".join((m["file"], m["find"], m["repl"])).encode()).hexdigest()[:16]
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

chosen = mutants if only is None else [mutants[n - 1] for n in only if 0 < n <= len(mutants)]
to_build = [m for m in chosen if not m["equivalent"]]
game = os.path.join(root, "build", "game")
if not os.path.exists(os.path.join(game, "brinemoor")):
    sys.exit("mutants.sh: build the game first (./test.sh, or the README's cmake commands into build/)")
os.makedirs(work, exist_ok=True)
env = dict(os.environ)
if shutil.which("ccache"):
    env.setdefault("CMAKE_CXX_COMPILER_LAUNCHER", "ccache")
    env.setdefault("CMAKE_C_COMPILER_LAUNCHER", "ccache")
    # Paths under the common folder are hashed relative to the build folder, so every scratch tree shares the
    # real build's cache.
    common = os.path.commonpath([root, os.path.realpath(work)])
    if common != "/":
        env.setdefault("CCACHE_BASEDIR", common)
    env.setdefault("CCACHE_NOHASHDIR", "1")
test_env = dict(env, SDL_AUDIODRIVER="dummy", SDL_VIDEODRIVER="dummy")
test_env.pop("DISPLAY", None)
for k in ("GTEST_TOTAL_SHARDS", "GTEST_SHARD_INDEX", "GTEST_FILTER"):
    test_env.pop(k, None)

def run(cmd, **kw):
    return subprocess.run(cmd, env=env, **kw)

# ---- which test caught each mutant last time: KEY GROUP TEST  # number, file
killers_path = os.path.join(work, "killers.txt")
killers = {}
if os.path.exists(killers_path) and not fresh:
    for line in open(killers_path, encoding="utf-8"):
        fields = line.split("#")[0].split()
        if len(fields) == 3:
            killers[fields[0]] = (fields[1], fields[2])

def save_killers():
    by_key = {m["key"]: m for m in mutants}
    with open(killers_path + ".tmp", "w", encoding="utf-8") as f:
        for key, (group, test) in sorted(killers.items()):
            m = by_key.get(key)
            f.write(f"{key} {group} {test}" + (f"  # {m['id']} {m['file']}" if m else "") + "\n")
    os.replace(killers_path + ".tmp", killers_path)

# ---- the scratch trees
workers = max(1, min(cores, len(to_build)))
share = max(1, cores // workers)  # the cores each worker's make and test runs may use
trees = [os.path.join(work, "src" if k == 0 else f"src{k}") for k in range(workers)]

def sync(src):
    """The scratch copy of the files git knows (and new ones it would add): only files whose contents differ
    are written, with a fresh time, so make rebuilds exactly those (a mutant left behind by a stopped run too)."""
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

# Linking and archiving, not compiling, is most of a mutant's build: the scratch binaries are linked without their
# debugging sections (by lld when installed: the shell's tests in a quarter of a second rather than three or
# four), and the libraries are thin archives that only name their objects.
QUICK_LINKS = ["-DCMAKE_EXE_LINKER_FLAGS=" + ("-fuse-ld=lld " if shutil.which("ld.lld") else "") + "-Wl,-S"]
QUICK_LINKS += [f"-DCMAKE_{lang}_ARCHIVE_{step}={rule}" for lang in ("CXX",) for step, rule in
                (("CREATE", "<CMAKE_AR> qcT <TARGET> <LINK_FLAGS> <OBJECTS>"),
                 ("APPEND", "<CMAKE_AR> qT <TARGET> <LINK_FLAGS> <OBJECTS>"))]

start = time.time()
load_at_start = os.getloadavg()[0]
groups = sorted({g for m in to_build for g in groups_of(m["file"])})
targets = ["bm_tests_" + g for g in groups]
print(f"Building {len(trees)} scratch tree(s) ({len(targets)} test binaries each)...", flush=True)
for src in trees:
    # The scratch build sits inside the scratch tree as build/ sits in the real one, with the same options, so
    # ccache serves every file a mutant leaves alone; its tests read the real build's program folder and the
    # scratch tree's own files (a break in a file a test reads as it runs, the page's pack table, is seen).
    sync(src)
    build = os.path.join(src, "build")
    run(["cmake", "-S", src, "-B", build, "-G", "Unix Makefiles", "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
         f"-DBM_TEST_GAME_DIR={game}", f"-DBM_TEST_SOURCE_DIR={src}", *QUICK_LINKS], check=True,
        stdout=subprocess.DEVNULL)
    with open(os.path.join(work, "setup.log"), "a") as out:
        if targets and run(["cmake", "--build", build, "-j", str(cores), "--target", *targets],
                           stdout=out, stderr=out).returncode:
            sys.exit(f"mutants.sh: the unchanged tree does not build; see {work}/setup.log")

built_at = time.time()

# ---- running tests
def run_tests(build, group, parts, limit_of, json_prefix=None):
    """Runs one test binary as len(parts) processes at once (each part: a gtest filter and extra environment),
    each stopping at its first failure, all stopped at the first failure anywhere. Returns ("pass", "") or
    ("fail" | "crash" | "hang", the test), the test's name as gtest prints it."""
    lines = queue.Queue()
    procs = []
    for k, (filter_, extra) in enumerate(parts):
        cmd = [os.path.join(build, "bm_tests_" + group), "--gtest_fail_fast", "--gtest_filter=" + filter_]
        if json_prefix:
            cmd.append(f"--gtest_output=json:{json_prefix}.{k}.json")
        p = subprocess.Popen(cmd, cwd=build, env=dict(test_env, **extra), stdout=subprocess.PIPE,
                             stderr=subprocess.STDOUT, start_new_session=True)
        def read(k=k, p=p):
            for raw in p.stdout:
                lines.put((k, raw.decode(errors="replace").rstrip("\n")))
            lines.put((k, None))
        threading.Thread(target=read, daemon=True).start()
        procs.append({"p": p, "test": None, "since": 0.0, "heard": time.time(), "failed": None, "open": True})
    verdict = ("pass", "")
    while any(s["open"] for s in procs) and verdict[0] == "pass":
        try:
            k, line = lines.get(timeout=1)
        except queue.Empty:
            k, line = None, ""
        if k is not None:
            s = procs[k]
            if line is None:
                s["open"] = False
                rc = s["p"].wait()
                if rc != 0:
                    verdict = ("fail", s["failed"]) if s["failed"] else ("crash", s["test"] or f"exit {rc}")
            elif line.startswith("[ RUN      ] "):
                s["test"], s["since"] = line[13:].strip(), time.time()
            elif line.startswith(("[       OK ] ", "[  SKIPPED ] ")):
                s["test"] = None
            elif line.startswith("[  FAILED  ] ") and s["test"] and line[13:].startswith(s["test"]):
                s["failed"], s["test"] = s["test"], None
            s["heard"] = time.time()
        for s in procs:
            if s["open"] and s["test"] and time.time() - s["since"] > limit_of(s["test"]):
                verdict = ("hang", s["test"])
            elif s["open"] and not s["test"] and time.time() - s["heard"] > hang_limit(30):
                verdict = ("hang", "(before or after its tests)")
    for s in procs:
        if s["p"].poll() is None:
            os.killpg(s["p"].pid, 9)
            s["p"].wait()
    return verdict

def balanced(group, tests, n):
    """The tests split into n filters of about equal unchanged time (the longest placed first)."""
    bins = [[0.0, []] for _ in range(n)]
    for t in sorted(tests, key=lambda t: -unchanged[group][t]):
        b = min(bins, key=lambda b: b[0])
        b[0] += unchanged[group][t]
        b[1].append(t)
    return [(":".join(b[1]), {}) for b in bins if b[1]]

# Every test each binary runs, with its time on the unchanged tree.
print("Checking that the unchanged tree passes...", flush=True)
unchanged = {}
for g in groups:
    prefix = os.path.join(work, f"unchanged-{g}")
    parts = [("-" + ":".join(SLOW), {"GTEST_TOTAL_SHARDS": str(cores), "GTEST_SHARD_INDEX": str(k)})
             for k in range(cores)]
    verdict, test = run_tests(os.path.join(trees[0], "build"), g, parts, lambda t: 900, prefix)
    if verdict != "pass":
        sys.exit(f"mutants.sh: bm_tests_{g} fails on the unchanged tree ({verdict}: {test}); mend that first")
    unchanged[g] = {}
    for k in range(cores):
        for suite in json.load(open(f"{prefix}.{k}.json"))["testsuites"]:
            for t in suite["testsuite"]:
                if t.get("status") == "RUN" and t.get("result", "COMPLETED") == "COMPLETED":
                    unchanged[g][suite["name"] + "." + t["name"]] = float(t["time"].rstrip("s"))
print(f"Ready after {time.time() - start:.0f} s (the trees built in {built_at - start:.0f} s); {len(to_build)} mutants, {workers} at once\n", flush=True)

# ---- one mutant
def touch_includers(src, rel):
    """A header's change reaches the files of its folder that include it: make's quick targets read the
    dependency lists of the last full build only, so those files are given a fresh time."""
    if not rel.endswith(".h"):
        return
    folder, name = os.path.split(os.path.join(src, rel))
    for f in os.listdir(folder):
        p = os.path.join(folder, f)
        if f.endswith(".cpp") and f'#include "{name}"' in open(p, encoding="utf-8").read():
            os.utime(p)

def try_mutant(m, src, log):
    """Returns (status, how it was caught, seconds building, seconds testing)."""
    build = os.path.join(src, "build")
    order = groups_of(m["file"])
    known = killers.get(m["key"])
    if known and (known[0] not in order or known[1] not in unchanged.get(known[0], {})):
        known = None  # a test renamed or a folder no longer mapped
    if known:
        order = [known[0]] + [g for g in order if g != known[0]]
    built_s = tested_s = 0.0
    for g in order:
        t0 = time.time()
        log.write(f"\n=== mutant {m['id']} bm_tests_{g}\n")
        log.flush()
        # The libraries in order, then the tests: make's quick targets check no other target's files.
        for t in libraries_of(g) + ["bm_test_objects_" + g, "bm_tests_" + g]:
            if run(["make", "-C", build, "-s", "-j", str(share), t + "/fast"], stdout=log, stderr=log).returncode:
                return "did not build", "", built_s + time.time() - t0, tested_s
        t1 = time.time()
        built_s += t1 - t0
        tests = list(unchanged[g])
        limit_of = lambda t: hang_limit(unchanged[g].get(t, 30.0))
        verdict = ("pass", "")
        if known and g == known[0]:
            verdict = run_tests(build, g, [(known[1], {})], limit_of)
            tests.remove(known[1])
        # The quick tests together first, then the slow ones (the census's) one by one, the quickest first: most
        # mutants a test catches are caught in seconds.
        quick = [t for t in tests if unchanged[g][t] < SLOW_TEST_S]
        slow = sorted((t for t in tests if t not in quick), key=lambda t: unchanged[g][t])
        for batch in ([quick] if quick else []) + [[t] for t in slow]:
            if verdict[0] == "pass":
                verdict = run_tests(build, g, balanced(g, batch, share), limit_of)
        tested_s += time.time() - t1
        if verdict[0] != "pass":
            return "killed", (g, verdict[1], verdict[0]), built_s, tested_s
    return "survived", "", built_s, tested_s

HOW = {"fail": "failed", "crash": "crashed", "hang": "hung"}
results, printing = {}, threading.Lock()
todo = queue.Queue()
for m in chosen:
    todo.put(m)

def worker(src):
    log = open(src + ".log", "a")
    while True:
        try:
            m = todo.get_nowait()
        except queue.Empty:
            return
        t0 = time.time()
        if m["equivalent"]:
            result = ("equivalent", m["equivalent"], 0.0, 0.0)
        else:
            path = os.path.join(src, m["file"])
            original = open(path, encoding="utf-8").read()
            try:
                with open(path, "w", encoding="utf-8") as f:
                    f.write(original.replace(m["find"], m["repl"], 1))
                touch_includers(src, m["file"])
                result = try_mutant(m, src, log)
            finally:
                # Written afresh (a new time), so the next build compiles the file again, from the cache.
                with open(path, "w", encoding="utf-8") as f:
                    f.write(original)
                touch_includers(src, m["file"])
        status, caught, built_s, tested_s = result
        why = f"bm_tests_{caught[0]}: {caught[1]} {HOW[caught[2]]}" if status == "killed" else ""
        with printing:
            results[m["id"]] = (m, status, why, time.time() - t0, built_s, tested_s)
            if status == "killed":
                killers[m["key"]] = caught[:2]
            elif status == "survived":
                killers.pop(m["key"], None)
            save_killers()
            timing = f"[{time.time() - t0:.0f} s: build {built_s:.0f}, tests {tested_s:.0f}] " if status != "equivalent" else ""
            print(f"{m['id']:3}  {status:13} {m['file']}: {m['rule']}  {timing}{why}", flush=True)

threads = [threading.Thread(target=worker, args=(src,)) for src in trees]
for t in threads:
    t.start()
for t in threads:
    t.join()

rows = [results[m["id"]] for m in chosen if m["id"] in results]
counts = {k: sum(1 for r in rows if r[1] == k) for k in ("killed", "survived", "did not build", "equivalent")}
total = len(rows)
judged = total - counts["equivalent"]
rate = 100.0 * counts["killed"] / judged if judged else 0.0
ran = [r for r in rows if r[1] != "equivalent"]
lines = ["", f"{'id':>3}  {'result':13} file / rule / caught by", f"{'-' * 3}  {'-' * 13} {'-' * 60}"]
for m, status, why, secs, _, _ in rows:
    lines.append(f"{m['id']:3}  {status:13} {m['file']}: {m['rule']}" + (f"  [{why}]" if why else ""))
lines.append("")
lines.append(f"{total} mutants: {counts['killed']} killed, {counts['survived']} survived, "
             f"{counts['equivalent']} equivalent, {counts['did not build']} did not build; "
             f"kill rate {rate:.1f} % of the {judged} that change behaviour")
if ran:
    lines.append(f"a mutant took {sum(r[3] for r in ran) / len(ran):.0f} s on average (build "
                 f"{sum(r[4] for r in ran) / len(ran):.0f} s, tests {sum(r[5] for r in ran) / len(ran):.0f} s), "
                 f"{workers} at once")
lines.append(f"wall time {time.time() - start:.0f} s ({(time.time() - start) / 60:.1f} minutes); "
             f"load {load_at_start:.1f} at the start, {os.getloadavg()[0]:.1f} at the end")
text = "\n".join(lines)
print(text)
with open(os.path.join(work, "results.txt"), "w") as f:
    f.write(text + "\n")
sys.exit(0 if counts["survived"] == 0 and counts["did not build"] == 0 else 1)
PY
