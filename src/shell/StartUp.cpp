#include "shell/StartUp.h"

#include <cstdio>

namespace StartUp {

int runDesigner(const QStringList &)
{
    std::fputs("kestrova: the designer window is not built yet; see kestrova --help\n", stderr);
    return 1;
}

} // namespace StartUp
