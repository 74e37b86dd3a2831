#include "postal/BuiltInData.h"

extern "C" const char mivo_postal_data_begin[];
extern "C" const char mivo_postal_data_end[];

namespace postal {

std::string_view builtInData()
{
    return {mivo_postal_data_begin, static_cast<std::size_t>(mivo_postal_data_end - mivo_postal_data_begin)};
}

} // namespace postal
