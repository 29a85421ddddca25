// Builds the contact sheet: every rendered picture small, with its name, on one PNG, so that a
// person can review the whole set at a glance. Any thread (build tool).
#pragma once

#include "PictureTable.h"

#include <QImage>
#include <QString>
#include <vector>

namespace scene {

// Lays the pictures found in `dir` out in a grid; a missing or unreadable picture shows as a
// red box with its name, so that the sheet itself reveals the fault.
QImage MakeContactSheet(const std::vector<PictureEntry>& pictures, const QString& dir);

}  // namespace scene
