// The window as a JPEG picture (being written).
#pragma once
