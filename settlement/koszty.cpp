#include "koszty.h"
