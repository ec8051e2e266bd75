#pragma once

class QFile;

// Locks the whole of `file`, open for reading and writing, against the
// other copies of the program that share it; waits at most timeoutMs for a
// copy that holds it. The lock goes when the file is closed. Used where no
// lock file can be made beside the file; the only part of the ranking file
// that differs from one system to another.
bool lockOpenFile(QFile &file, int timeoutMs);
