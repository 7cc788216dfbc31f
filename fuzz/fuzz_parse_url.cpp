// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary text to the setup-link parser and checks what it promises about accounts.
#include "import/parse_url.h"
#include "import/uri_components.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    (void)OTPAuth::UriComponents::parse(text);

    const auto result = OTPAuth::parseURL(text);
    if (result.ok()) {
        const Account& account = result.value();
        // Anything accepted must be able to make codes.
        if (account.secret.isEmpty() || account.digits < 1 || account.digits > 9 || account.period < 1)
            std::abort();
        (void)account.code(currentInstant());
    } else if (OTPAuth::message(result.error()).isEmpty()) {
        std::abort();
    }
    return 0;
}
