// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StartUp.h"
#include "line/SerialLine.h"
