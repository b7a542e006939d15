#include "core/fileattrs.h"

#include <sys/xattr.h>

#include <cerrno>
#include <string>
#include <string_view>
#include <vector>

#include "core/fileprims.h"
#include "core/syscalls.h"

namespace tgc {
namespace {

constexpr std::string_view kAccessAcl = "system.posix_acl_access";

// The attributes a save carries over. "security." and "trusted." ones are
// the system's or the administrator's: a new file gets its own.
bool carried(std::string_view name) {
  return name == kAccessAcl || name.substr(0, 5) == "user.";
}

// The attribute names of the open file; false with errno on failure. A file
// system without attributes has none.
bool attributeNames(const std::string& path, std::vector<std::string>& out) {
  out.clear();
  for (int attempt = 0; attempt < 4; ++attempt) {
    const ssize_t size = systemCalls().listxattr(path.c_str(), nullptr, 0);
    if (size < 0) return errno == ENOTSUP;
    std::string list(static_cast<size_t>(size), '\0');
    const ssize_t got = systemCalls().listxattr(path.c_str(), list.data(), list.size());
    if (got < 0 && errno == ERANGE) continue;  // grew in between
    if (got < 0) return false;
    for (size_t at = 0; at < static_cast<size_t>(got);) {
      const size_t end = list.find('\0', at);
      out.emplace_back(list, at, end - at);
      at = end + 1;
    }
    return true;
  }
  errno = ERANGE;
  return false;
}

bool attributeValue(const std::string& path, const std::string& name, std::string& value) {
  for (int attempt = 0; attempt < 4; ++attempt) {
    const ssize_t size = ::getxattr(path.c_str(), name.c_str(), nullptr, 0);
    if (size < 0) return false;
    value.assign(static_cast<size_t>(size), '\0');
    const ssize_t got = ::getxattr(path.c_str(), name.c_str(), value.data(), value.size());
    if (got >= 0) {
      value.resize(static_cast<size_t>(got));
      return true;
    }
    if (errno != ERANGE) return false;
  }
  return false;
}

}  // namespace

int copyAccessAttributes(const std::string& from, int to) {
  std::vector<std::string> names;
  if (!attributeNames(from, names)) return lastError();
  bool hasAcl = false;
  std::string value;
  for (const std::string& name : names) {
    if (!carried(name)) continue;
    hasAcl = hasAcl || name == kAccessAcl;
    if (!attributeValue(from, name, value)) return lastError();
    if (systemCalls().fsetxattr(to, name.c_str(), value.data(), value.size(), 0) != 0) return lastError();
  }
  // A folder's default ACL gives each new file one: the old file had none.
  if (!hasAcl && ::fremovexattr(to, std::string(kAccessAcl).c_str()) != 0 && errno != ENODATA &&
      errno != ENOTSUP)
    return lastError();
  return 0;
}

}  // namespace tgc
