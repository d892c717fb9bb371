#include "journal/qt/Journal.h"
