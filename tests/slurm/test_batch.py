"""tarvik-batch without a cluster: tasks run directly, sbatch and scontrol are stand-ins."""
import gzip
import json
import os
import signal
import subprocess
import sys
import tempfile
import time
import unittest

DRIVER = os.path.join(os.path.dirname(__file__), "..", "..", "contrib", "slurm", "tarvik-batch")

# Stands in for tarvik-commerce. `inspect --warc FILE --jobs J` prints one JSON line per line of
# FILE, except: "fail M" (stops, status 1), "sleep S", "raw T" (prints T), "cut" (half a line).
# `enrich FILE --json -` prints FILE.
FAKE = r"""#!/bin/sh
if [ "$1" = enrich ]; then cat "$2"; exit; fi
while IFS= read -r line; do
  case "$line" in
    fail*) echo "inspect: $3: offset 7: ${line#fail }" >&2; exit 1 ;;
    sleep*) sleep "${line#sleep }" ;;
    raw*) echo "${line#raw }" ;;
    cut) printf '{"url":' ; exit 0 ;;
    *) printf '{"url":"%s","jobs":%s,"facts":{"page_type":"%s"}}\n' "${3##*/}" "$5" "$line" ;;
  esac
done < "$3"
"""
SBATCH = """#!/bin/sh
echo "$TARVIK_BATCH_OFFSET $*" >> "$(dirname "$0")/sbatch.calls"; echo 42
"""


class Batch(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.root = self.dir.name
        bin_dir = os.path.join(self.root, "bin")
        os.mkdir(bin_dir)
        for name, text in (("fake", FAKE), ("sbatch", SBATCH), ("scontrol", "#!/bin/sh\necho 'MaxArraySize = 3'\n")):
            self.write(f"bin/{name}", text)
            os.chmod(os.path.join(bin_dir, name), 0o755)
        self.env = dict(os.environ, PATH=f"{bin_dir}:{os.environ['PATH']}", SLURM_CPUS_PER_TASK="3")
        self.out = os.path.join(self.root, "out")

    def tearDown(self):
        self.dir.cleanup()

    def write(self, name, text):
        with open(os.path.join(self.root, name), "w") as f:
            f.write(text)

    def batch(self, *args, timeout=30):
        return subprocess.run([sys.executable, DRIVER, *args], env=self.env, capture_output=True,
                              text=True, timeout=timeout)

    def submit(self, inputs, *args):
        for name, text in inputs.items():
            self.write(name, text)
        self.write("manifest", "# inputs\n" + "\n".join(inputs) + "\n")
        return self.batch("submit", os.path.join(self.root, "manifest"), self.out,
                          "--binary", os.path.join(self.root, "bin", "fake"), *args)

    def test_failing_inputs_are_named_and_the_task_goes_on(self):
        # name: (content, lines kept, reason in the error file or None)
        cases = {
            "whole": ("product\narticle\n", 2, None),
            "damaged_after_one_record": ("product\nfail bad record\n", 1, "exit status 1: inspect: "),
            "line_cut_short": ("product\ncut\n", 1, "not a whole JSON object"),
            "line_not_json": ("raw <html>\n", 0, "not a whole JSON object"),
            "line_not_an_object": ("raw [1]\n", 0, "not a whole JSON object"),
            "hangs": ("product\nsleep 30\n", 1, "timed out after 1.0 s"),
        }
        self.submit({k: v[0] for k, v in cases.items()}, "--per-task", "9", "--input-timeout", "1")
        self.assertEqual(self.batch("task", self.out, "0").returncode, 0)
        with gzip.open(os.path.join(self.out, "task-000000.jsonl.gz"), "rt") as f:
            lines = [json.loads(line) for line in f]
        with open(os.path.join(self.out, "task-000000.err")) as f:
            errors = dict(line.rstrip("\n").split("\t") for line in f)
        for name, (_, kept, reason) in cases.items():
            with self.subTest(name):
                self.assertEqual(sum(line["url"] == name for line in lines), kept)
                self.assertEqual(reason is None, os.path.join(self.root, name) not in errors)
                if reason:
                    self.assertIn(reason, errors[os.path.join(self.root, name)])
        self.assertEqual({line["jobs"] for line in lines}, {3})  # the cores Slurm gave

    def test_enrich_writes_one_line_per_input_with_its_path(self):
        record = {"summary": {"total_matches": 2}, "items": [{"page_type": "product"}, {"page_type": "article"}]}
        self.submit({"m.json": json.dumps(record, indent=2)}, "--mode", "enrich")
        self.batch("task", self.out, "0")
        merged = self.batch("merge", self.out, "--output", "-")
        self.assertEqual(json.loads(merged.stdout), dict(input=os.path.join(self.root, "m.json"), **record))
        self.assertIn("items: 2\nproduct pages: 1\nerrors: 0\nfailed tasks: 0", merged.stderr)

    def test_resubmission_runs_only_unfinished_tasks_and_merge_keeps_manifest_order(self):
        inputs = {f"w{i}": f"product\n{'article' if i % 2 else 'fail x'}\n" for i in range(5)}
        self.assertEqual(self.submit(inputs).returncode, 0)
        for i in (4, 3, 2, 0):  # any order; task 1 never ran, and one attempt of it died
            self.batch("task", self.out, str(i))
        self.write("out/task-000001.jsonl.gz.tmp-7-99", "")
        merged = self.batch("merge", self.out)
        self.assertEqual(merged.returncode, 1)
        self.assertIn("failed tasks: 1", merged.stdout)
        self.assertFalse(os.path.exists(os.path.join(self.out, "merged.jsonl.gz")))

        self.assertEqual(self.submit(inputs).returncode, 0)
        with open(os.path.join(self.root, "bin", "sbatch.calls")) as f:
            calls = [line.split()[0] + " " + line.split()[2] for line in f]
        # MaxArraySize 3: tasks 0-2 and 3-4 go in two arrays, the second with offset 3.
        self.assertEqual(calls, ["0 --array=0-2", "3 --array=0-1", "0 --array=1"])
        self.assertNotIn("task-000001.jsonl.gz.tmp-7-99", os.listdir(self.out))

        self.batch("task", self.out, "1")
        merged = self.batch("merge", self.out)
        self.assertIn("inputs: 5\npages: 7\nproduct pages: 5\nerrors: 3\nfailed tasks: 0", merged.stdout)
        with gzip.open(os.path.join(self.out, "merged.jsonl.gz"), "rt") as f:
            self.assertEqual([json.loads(line)["url"] for line in f], ["w0", "w1", "w1", "w2", "w3", "w3", "w4"])
        self.assertIn("all 5 tasks are finished", self.submit(inputs).stdout)
        self.assertEqual(self.submit(dict(inputs, w5="product\n")).returncode, 2)  # another manifest

    def test_terminated_task_leaves_nothing(self):
        self.submit({"slow": "product\nsleep 30\n"})
        task = subprocess.Popen([sys.executable, DRIVER, "task", self.out, "0"], env=self.env,
                                stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 10
        while not any(".tmp-" in n for n in os.listdir(self.out)) and time.monotonic() < deadline:
            time.sleep(0.05)
        time.sleep(0.3)
        task.send_signal(signal.SIGTERM)
        self.assertEqual(task.wait(timeout=10), 128 + signal.SIGTERM)
        self.assertEqual(sorted(os.listdir(self.out)), ["batch.json", "logs"])


if __name__ == "__main__":
    unittest.main()
