#include "app/StartUp.h"
#include "line/LineStatus.h"
