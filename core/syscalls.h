// The system calls through which workbook files are read and written, kept
// in one table so a test can make any of them fail (disk full, I/O error) and
// watch the writer recover (or, for the attributes, fall back). The default entries call the system directly;
// the cost is one indirect call per system call.
#pragma once

#include <sys/types.h>

namespace tgc {

struct SystemCalls {
  int (*open)(const char* path, int flags, mode_t mode);
  ssize_t (*read)(int fd, void* buffer, size_t size);
  ssize_t (*write)(int fd, const void* buffer, size_t size);
  int (*fsync)(int fd);
  int (*close)(int fd);
  int (*rename)(const char* from, const char* to);
  int (*ftruncate)(int fd, off_t length);
  int (*fchown)(int fd, uid_t owner, gid_t group);
  int (*fchmod)(int fd, mode_t mode);
  int (*unlink)(const char* path);
  ssize_t (*listxattr)(const char* path, char* list, size_t size);
  int (*fsetxattr)(int fd, const char* name, const void* value, size_t size, int flags);
};

// The calls of the running system.
const SystemCalls& realSystemCalls();

// The table in use. A test may replace entries while no file operation
// runs, and must restore them afterwards.
SystemCalls& systemCalls();

}  // namespace tgc
