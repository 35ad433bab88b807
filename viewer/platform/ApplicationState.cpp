#include "platform/ApplicationState.h"

namespace brellix {

ApplicationState& applicationState()
{
    static ApplicationState state;
    return state;
}

} // namespace brellix
