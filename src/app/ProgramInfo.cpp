#include "app/ProgramInfo.h"

namespace listorix {

std::string_view programCaption()
{
    return "Listorix 4.35";
}

} // namespace listorix
