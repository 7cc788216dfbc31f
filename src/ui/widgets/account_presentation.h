// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"

#include <QString>

// How an account reads in a list row: pure text functions, shared by every list of accounts.

// A code split after its first floor(n / 2) characters by one space, for display only:
// "123456" reads "123 456", "1234567" reads "123 4567".
QString groupedCode(const QString& code);

// Up to two upper-case initials of the issuer (or of the name when the issuer is empty);
// "?" when that text has no letter or digit.
QString initials(const Account& account);

// The digits one by one ("287082" -> "2 8 7 0 8 2"), so screen readers do not read a number.
QString spokenCode(const QString& code);

// The row's first line: the issuer, or the name when there is no issuer. Both lines are
// bidirectional isolates (isolatedText).
QString rowTitle(const Account& account);
// The row's second line: the name under an issuer, empty when the title is the name already.
QString rowSubtitle(const Account& account);
