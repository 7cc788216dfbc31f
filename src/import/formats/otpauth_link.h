// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"

#include <QList>
#include <QString>

// The setup link of an account: plain ASCII, every other character percent-encoded, read back
// by the link parser to the same issuer, name, secret and parameters.
QString otpauthLink(const Account& account);

// One link per line, each line ending in a newline.
QString otpauthLinkList(const QList<Account>& accounts);
