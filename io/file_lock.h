#pragma once
// Taking the lock file beside a kept file (QLockFile). QLockFile frees a
// lock whose owner has died, but not one whose owner was killed between
// creating the lock file and writing its name into it: such a file names no
// one and, as no stale time is set, would hold the lock for ever. A lock
// file that names no owner and is older than kNamelessLockMs is taken to be
// one of those and removed. A live owner keeps its lock file locked
// (flock), so removing it fails while the owner lives.

class QLockFile;

namespace numsift {

inline constexpr int kNamelessLockMs = 1000;

// Tries to take lock until waitMs have passed (0: once); true when taken.
// On false, lock.error() says why.
bool takeLock(QLockFile& lock, int waitMs);

}  // namespace numsift
