#include "persistence/screenshot.h"
