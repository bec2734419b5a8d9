// SPDX-License-Identifier: GPL-3.0-or-later
#include "dial/Dialer.h"
#include "messages/Phrases.h"
