#include "app/FormPort.h"
#include "line/SerialLine.h"

#include <QLabel>
#include <QString>
#include <QtWidgets/QWidget>
