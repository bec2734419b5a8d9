// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FormPort.h"
#include "line/SerialLine.h"

#include <QLabel>
#include <QString>
#include <QtWidgets/QWidget>
