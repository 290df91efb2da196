# The broken-data table of tests/e2e/test_broken_data.py run with the native
# Linux program: the same rows, boxes, outcomes and exit codes.

from e2e_lib import run_test
from test_broken_data import test

run_test(lambda args: test(args, native=True))
