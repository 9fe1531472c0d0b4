#include "kalendarz.h"
