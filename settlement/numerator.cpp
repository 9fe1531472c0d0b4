#include "numerator.h"
