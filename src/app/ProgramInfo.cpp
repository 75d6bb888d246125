#include "app/ProgramInfo.h"

#include "app/ProgramVersion.h"

namespace listorix {

std::string_view programVersion()
{
    return kProgramVersion;
}

std::string_view programCaption()
{
    return kProgramCaption;
}

} // namespace listorix
