#include "persistence/settings_dialog.h"
