#include "app/FormPort.h"
#include "dial/SerialLine.h"
#include <QLabel>
#include <QString>
#include <QtWidgets/QWidget>
