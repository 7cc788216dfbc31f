// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/add_account/add_mode.h"

#include <QCoreApplication>

QString rawValue(AddMode mode)
{
    switch (mode) {
    case AddMode::scanScreen:
        return QCoreApplication::translate("AddMode", "Scan screen");
    case AddMode::imageFile:
        return QCoreApplication::translate("AddMode", "Image file");
    case AddMode::pasteLink:
        return QCoreApplication::translate("AddMode", "Paste link");
    case AddMode::manual:
        return QCoreApplication::translate("AddMode", "Enter by hand");
    }
    return {};
}

QString primaryButtonTitle(AddMode mode)
{
    switch (mode) {
    case AddMode::scanScreen:
        return QCoreApplication::translate("AddMode", "Scan");
    case AddMode::imageFile:
        return QCoreApplication::translate("AddMode", "Choose image…");
    case AddMode::pasteLink:
    case AddMode::manual:
        return QCoreApplication::translate("AddMode", "Add");
    }
    return {};
}
