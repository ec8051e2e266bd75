#pragma once

// What every side of the class's files agrees on: the ranking file's name,
// which names the browser's tabs' lock too, and for every lock over the
// files (a lock file, the server's, the tabs') how long a change waits for
// it and the age at which one that a stopped copy left counts as stale.
namespace ClassFiles {

inline constexpr const char *rankingName = "zenta.rnk";
inline constexpr int lockWaitMs = 5000;
inline constexpr int staleLockMs = 10000;

} // namespace ClassFiles
