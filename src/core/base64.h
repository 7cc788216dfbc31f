// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <optional>
#include <string_view>

// Standard Base64 (RFC 4648 section 4) read strictly: length a multiple of 4, "=" padding
// only at the end, nothing outside the alphabet (no white space or line breaks).
std::optional<QByteArray> decodeBase64Strict(std::string_view text);
