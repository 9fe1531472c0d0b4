#include "wyliczenie.h"
