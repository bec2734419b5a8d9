#include "platform/Display.h"

namespace linvox {

bool HasDisplay() {
    return true;
}

}  // namespace linvox
