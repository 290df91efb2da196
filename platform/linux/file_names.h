#pragma once
// The Linux rule for the game's file names. The game spells its folders and
// files in mixed case ("Data/BMP/...", "data/wav/...") as Windows, which
// ignores case, allows; here the same names find the same files.

#include <string>

// `relativePath` when it names an existing file or folder; otherwise the
// path whose components match those of `relativePath` ignoring ASCII case,
// looked up one component at a time (the first match in name order when a
// folder holds several); `relativePath` itself when some component has no
// match. Components are separated by '/'; an absolute path works too.
std::string findFileIgnoringCase(const char* relativePath);
