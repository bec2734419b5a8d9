#include "app/StartUp.h"
#include "dial/LineStatus.h"
