#include "monitor/tray_tip.h"

namespace tavlo {

std::string tipAsShown(const std::string& tip, const TextCodec& codec)
{
    std::string field = codec.encode(tip);
    field += '\0';
    field.resize(codec.fitPrefix(field, kTipFieldBytes));
    if (const auto zero = field.find('\0'); zero != std::string::npos)
        field.resize(zero);
    return codec.decode(field);
}

}  // namespace tavlo
