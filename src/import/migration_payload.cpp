// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/migration_payload.h"

#include "import/payload_reader.h"
#include "import/utf8_text.h"

#include <QUuid>

namespace OTPAuth {

namespace {

enum WireType : std::uint64_t
{
    varint = 0,
    fixed64 = 1,
    lengthDelimited = 2,
    groupStart = 3,
    groupEnd = 4,
    fixed32 = 5
};

enum EntryField : std::uint64_t
{
    secretField = 1,
    nameField = 2,
    issuerField = 3,
    algorithmField = 4,
    digitsField = 5,
    typeField = 6,
    counterField = 7
};

constexpr std::uint64_t entriesField = 1;
constexpr std::int64_t exportPeriod = 30;

struct Tag
{
    std::uint64_t field;
    std::uint64_t wireType;
};

Tag splitTag(std::uint64_t tag)
{
    return Tag{tag >> 3, tag & 7};
}

bool isInvalidWireType(std::uint64_t wireType)
{
    return wireType == 6 || wireType == 7;
}

HashAlgorithm algorithmFromExport(std::uint64_t value)
{
    if (value == 2)
        return HashAlgorithm::sha256;
    if (value == 3)
        return HashAlgorithm::sha512;
    return HashAlgorithm::sha1;
}

std::int64_t digitsFromExport(std::uint64_t value)
{
    return value == 2 ? 8 : 6;
}

OTPType typeFromExport(std::uint64_t value)
{
    return value == 1 ? OTPType::hotp : OTPType::totp;
}

bool isTextField(const Tag& tag)
{
    return tag.wireType == lengthDelimited &&
           (tag.field == secretField || tag.field == nameField || tag.field == issuerField);
}

bool isNumberField(const Tag& tag)
{
    return tag.wireType == varint && tag.field >= algorithmField && tag.field <= counterField;
}

void applyBytesField(Account& account, std::uint64_t field, const QByteArray& bytes)
{
    if (field == secretField)
        account.secret = bytes;
    else if (field == nameField)
        account.name = decodeUtf8Strictly(bytes).value_or(QString());
    else
        account.issuer = decodeUtf8Strictly(bytes).value_or(QString());
}

void applyNumberField(Account& account, std::uint64_t field, std::uint64_t value)
{
    switch (field) {
    case algorithmField:
        account.algorithm = algorithmFromExport(value);
        break;
    case digitsField:
        account.digits = digitsFromExport(value);
        break;
    case typeField:
        account.type = typeFromExport(value);
        break;
    default:
        account.counter = value;
        break;
    }
}

} // namespace

std::optional<Account> decodeOtpEntry(const QByteArray& entry)
{
    Account account;
    PayloadReader reader(entry);
    while (!reader.atEnd()) {
        const std::optional<std::uint64_t> rawTag = reader.readVarint();
        if (!rawTag)
            break;
        const Tag tag = splitTag(*rawTag);
        if (isInvalidWireType(tag.wireType))
            break;
        if (isTextField(tag)) {
            const std::optional<QByteArray> bytes = reader.readLengthDelimited();
            if (!bytes)
                return std::nullopt;
            applyBytesField(account, tag.field, *bytes);
        } else if (isNumberField(tag)) {
            const std::optional<std::uint64_t> value = reader.readVarint();
            if (!value)
                return std::nullopt;
            applyNumberField(account, tag.field, *value);
        } else if (!reader.skipValue(tag.wireType)) {
            return std::nullopt;
        }
    }

    if (account.secret.isEmpty())
        return std::nullopt;
    account.id = QUuid::createUuid();
    account.period = exportPeriod;
    account.createdAt = currentInstant();
    return account;
}

QList<Account> decodeMigrationPayload(const QByteArray& payload)
{
    QList<Account> accounts;
    PayloadReader reader(payload);
    while (!reader.atEnd()) {
        const std::optional<std::uint64_t> rawTag = reader.readVarint();
        if (!rawTag)
            break;
        const Tag tag = splitTag(*rawTag);
        if (tag.field == entriesField && tag.wireType == lengthDelimited) {
            const std::optional<QByteArray> entry = reader.readLengthDelimited();
            if (!entry)
                break;
            if (std::optional<Account> account = decodeOtpEntry(*entry))
                accounts.append(std::move(*account));
        } else if (!reader.skipValue(tag.wireType)) {
            break;
        }
    }
    return accounts;
}

} // namespace OTPAuth
