// The core reaches the screen only through this interface: the main window
// implements it, tests replace it with a recorder.
#pragma once

#include <string>

namespace dz {

class PlanView {
public:
    virtual ~PlanView() = default;

    // Sets the text of status panel 0, 1 or 2 (Windows-1252 bytes).
    virtual void setStatus(int panel, const std::string& text) = 0;
    // Lays the window out for planet type p.
    virtual void layoutForPlanet(int p) = 0;
};

}  // namespace dz
