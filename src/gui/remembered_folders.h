// The folders the file dialogs open in: that of the plan loaded or saved
// last and that of the picture saved last, kept in the user's settings
// (user_settings.h) from one run to the next.
#pragma once

#include <QString>
#include <filesystem>

namespace dz {

// The folder of the plan loaded or saved last, and that of the picture
// saved last (the plan folder until a picture is saved); empty before any.
QString lastPlanFolder();
QString lastPictureFolder();

// A plan in `folder` was loaded or saved.
void rememberPlanFolder(const std::filesystem::path& folder);
// A picture is saved as `chosenFile`: its folder is remembered.
void rememberPictureFolder(const QString& chosenFile);

}  // namespace dz
