// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/add_account/add_mode.h"

QString rawValue(AddMode mode)
{
    switch (mode) {
    case AddMode::scanScreen:
        return QStringLiteral("Scan screen");
    case AddMode::imageFile:
        return QStringLiteral("Image file");
    case AddMode::pasteLink:
        return QStringLiteral("Paste link");
    case AddMode::manual:
        return QStringLiteral("Enter by hand");
    }
    return {};
}

QString primaryButtonTitle(AddMode mode)
{
    switch (mode) {
    case AddMode::scanScreen:
        return QStringLiteral("Scan");
    case AddMode::imageFile:
        return QStringLiteral("Choose image\u2026");
    case AddMode::pasteLink:
    case AddMode::manual:
        return QStringLiteral("Add");
    }
    return {};
}
