#include "przebieg.h"
