#include "eksploatacja.h"
