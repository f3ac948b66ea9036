// Preloaded into the game (LD_PRELOAD) to stand for a file system without a lock service, such as
// a network one: every flock fails there with ENOLCK.
#include <cerrno>

extern "C" int flock(int, int) {
  errno = ENOLCK;
  return -1;
}
