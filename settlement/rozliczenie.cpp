#include "rozliczenie.h"
