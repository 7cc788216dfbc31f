// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

// The ways of adding accounts, in the order of the add-account dialog's segments.
enum class AddMode
{
    scanScreen,
    imageFile,
    pasteLink,
    manual
};

inline constexpr std::array<AddMode, 4> allAddModes{AddMode::scanScreen, AddMode::imageFile,
                                                    AddMode::pasteLink, AddMode::manual};

// The segment title, which is also the mode's identity: "Scan screen", "Image file", ...
QString rawValue(AddMode mode);
// Title of the primary button: "Scan", "Choose image…", "Add", "Add".
QString primaryButtonTitle(AddMode mode);
