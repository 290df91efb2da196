"""Writes the figure's three model files as one fuzz seed for
fuzz_model_loader: the files one after another, each but the last behind
its 32-bit little-endian length.

usage: figure_corpus_seed.py MODELS_DIR SEED_FILE
"""
import os
import struct
import sys


def main(folder, out):
    parts = [open(os.path.join(folder, name), "rb").read()
             for name in ("gign.mdl", "gignT.mdl", "gign01.mdl")]
    with open(out, "wb") as seed:
        for part in parts[:-1]:
            seed.write(struct.pack("<I", len(part)) + part)
        seed.write(parts[-1])


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
