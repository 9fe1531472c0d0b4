#include "tapety.h"
