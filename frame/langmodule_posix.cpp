#include "frame/langmodule.h"

namespace OSYS {

// The host build has no language module: every text is missing, as before the module is loaded.
STRING GetStringFromResource(int id, intptr_t)
{
    STRING result("<STR-ERR>", 1252);
    LOGITLEVEL(12, "OSYS::GetStringFromResource %d returns %s\n", id, result.Text());
    return result;
}

}  // namespace OSYS
