#include "core/syscalls.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdio>

namespace tgc {

const SystemCalls& realSystemCalls() {
  static const SystemCalls calls = {
      [](const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); },
      ::read,
      ::write,
      ::fsync,
      ::close,
      ::rename,
      ::ftruncate,
      ::fchown,
      ::fchmod,
      ::unlink,
      ::listxattr,
      ::fsetxattr,
  };
  return calls;
}

SystemCalls& systemCalls() {
  static SystemCalls calls = realSystemCalls();
  return calls;
}

}  // namespace tgc
