#include "app/buildvariant.h"

bool isFactoryBuild()
{
#ifdef FACTORY_VERSION
    return true;
#else
    return false;
#endif
}
