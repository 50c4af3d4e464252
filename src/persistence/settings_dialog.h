// The settings dialog (being written).
#pragma once
