#pragma once

class QApplication;

// What every run needs before its first window: the program's icon, the
// Japanese face with its substitutes as the desktop font, and Qt's own
// Japanese texts for the standard buttons ("OK", "キャンセル"). The
// program, the tests and the benchmarks all start through here.
void setUpApplication(QApplication &app);
