#include "common/platform.h"

// The site's storage, and a link with "?grade=" (src/web/library.js).
extern "C" {
int zentaStoredGrade();
void zentaStoreGrade(int grade);
}

int DesktopPlatform::storedGrade()
{
    return zentaStoredGrade();
}

void DesktopPlatform::storeGrade(int grade)
{
    zentaStoreGrade(grade);
}
