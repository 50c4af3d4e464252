// The settings file (being written).
#pragma once
