#include "persistence/settings_file.h"
