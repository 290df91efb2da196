#include "platform/linux/file_names.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

namespace {

bool exists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0;
}

// The entry of `folder` whose name equals `name` ignoring case; empty when
// there is none. The smallest such name wins, so the answer does not depend
// on the order the file system lists entries in.
std::string entryIgnoringCase(const std::string& folder, const std::string& name) {
  DIR* listing = ::opendir(folder.empty() ? "." : folder.c_str());
  if (listing == nullptr) return std::string();
  std::string found;
  while (const dirent* entry = ::readdir(listing)) {
    if (::strcasecmp(entry->d_name, name.c_str()) != 0) continue;
    if (found.empty() || entry->d_name < found) found = entry->d_name;
  }
  ::closedir(listing);
  return found;
}

}  // namespace

std::string findFileIgnoringCase(const char* relativePath) {
  const std::string original(relativePath);
  if (original.empty() || exists(original)) return original;

  // `resolved` is the part found so far, always an existing folder (or
  // empty for the working folder, "/" for the root).
  std::string resolved = original[0] == '/' ? "/" : "";
  std::size_t start = resolved.size();
  while (start <= original.size()) {
    std::size_t end = original.find('/', start);
    if (end == std::string::npos) end = original.size();
    const std::string component = original.substr(start, end - start);
    start = end + 1;
    if (component.empty()) continue;  // doubled or trailing separators

    std::string next = resolved + component;
    if (!exists(next)) {
      const std::string match = entryIgnoringCase(resolved, component);
      if (match.empty()) return original;
      next = resolved + match;
    }
    resolved = next + (start <= original.size() ? "/" : "");
  }
  return resolved;
}
