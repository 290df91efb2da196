"""Counts the test cases of the JUnit files in RESULTS_DIR, adds the fuzz
results and the failed build steps, prints the closing line of scripts/test
("123 passed, 0 failed") and exits nonzero when anything failed or nothing
passed.

usage: summarize_results.py RESULTS_DIR FUZZ_PASSED FUZZ_FAILED FAILED_STEPS
"""
import glob
import os
import sys
import xml.etree.ElementTree as ET


def count(results):
    passed = failed = 0
    for path in glob.glob(os.path.join(results, "*.xml")):
        try:
            root = ET.parse(path).getroot()
        except ET.ParseError:
            failed += 1
            continue
        for case in root.iter("testcase"):
            status = case.get("status", "run")
            if case.find("failure") is not None or case.find("error") is not None or status == "fail":
                failed += 1
            elif case.find("skipped") is not None or status in ("notrun", "disabled"):
                continue
            else:
                passed += 1
    return passed, failed


def main(results, fuzz_passed, fuzz_failed, failed_steps):
    passed, failed = count(results)
    passed += int(fuzz_passed)
    failed += int(fuzz_failed) + int(failed_steps)
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed or passed == 0 else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:5]))
