// Preloaded into the game, stands in for a file system that keeps no locks (NFS without its
// lock daemon): every lock asked of fcntl fails with ENOLCK.
#include <dlfcn.h>
#include <fcntl.h>

#include <cerrno>
#include <cstdarg>

namespace {

bool locks(int command) {
  return command == F_SETLK || command == F_SETLKW || command == F_GETLK || command == F_OFD_SETLK ||
         command == F_OFD_SETLKW || command == F_OFD_GETLK;
}

int fcntlWithoutLocks(const char* name, int fd, int command, void* argument) {
  if (locks(command)) {
    errno = ENOLCK;
    return -1;
  }
  using Real = int (*)(int, int, ...);
  const auto real = reinterpret_cast<Real>(::dlsym(RTLD_NEXT, name));
  return real(fd, command, argument);
}

}  // namespace

// glibc may be asked under either name.
extern "C" int fcntl(int fd, int command, ...) {
  va_list arguments;
  va_start(arguments, command);
  void* argument = va_arg(arguments, void*);
  va_end(arguments);
  return fcntlWithoutLocks("fcntl", fd, command, argument);
}

extern "C" int fcntl64(int fd, int command, ...) {
  va_list arguments;
  va_start(arguments, command);
  void* argument = va_arg(arguments, void*);
  va_end(arguments);
  return fcntlWithoutLocks("fcntl64", fd, command, argument);
}
