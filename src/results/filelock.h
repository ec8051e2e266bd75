#pragma once

class QFile;

// What the ranking file's handling differs in from one system to another
// (filelock_posix.cpp, filelock_windows.cpp).

// Locks the whole of `file`, open for reading and writing, against the
// other copies of the program that share it; waits at most timeoutMs for a
// copy that holds it. The lock goes when the file is closed. Used where no
// lock file can be made beside the file.
bool lockOpenFile(QFile &file, int timeoutMs);

// How long a file that the system refuses is tried again. Windows refuses,
// for a moment, to open a file that another copy is renaming a new file
// over, and to read one that another copy has locked while it writes it in
// place; both last milliseconds. Elsewhere a file is tried once.
extern const int busyRetryMs;
