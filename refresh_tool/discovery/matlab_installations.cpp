#include "discovery/matlab_installations.h"

#include "discovery/registry_access.h"

namespace qv {

void FindMatlabRoots(IRegistry& registry, const StringArray& connectors32, const StringArray& connectors64,
                     StringArray& roots32, StringArray& roots64)
{
    for (Hive hive : {Hive::LocalMachine, Hive::CurrentUser}) {
        ReadValueOfMatchingSubKeys(registry, hive, kMatlabReleasesKeyPath, kMatlabRootValueName, roots32, roots64,
                                   connectors32, connectors64);
    }
}

}  // namespace qv
