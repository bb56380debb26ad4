#ifndef BUILDVARIANT_H
#define BUILDVARIANT_H

// True in the factory build (compiled with FACTORY_VERSION). The answer is fixed per program:
// its definition is compiled once for each variant, so shared code can ask without an #ifdef.
bool isFactoryBuild();

#endif
