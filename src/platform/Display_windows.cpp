#include "platform/Display.h"

namespace linvox {

DisplayChoice ChooseDisplay() {
    return {QStringLiteral("windows"), {}};
}

}  // namespace linvox
