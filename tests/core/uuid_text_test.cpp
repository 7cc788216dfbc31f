#include "core/uuid_text.h"
#include "qstring_printer.h"

#include <gtest/gtest.h>

namespace {

const char16_t canonical[] = u"3F2504E0-4F89-11D3-9A0C-0305E82C3301";

TEST(UuidText, WritesCanonicalUpperCaseWithoutBraces)
{
    const QUuid id = QUuid::fromString(QStringView(canonical));
    ASSERT_FALSE(id.isNull());
    EXPECT_EQ(uuidText(id), QString::fromUtf16(canonical));
    EXPECT_EQ(uuidText(QUuid()), QStringLiteral("00000000-0000-0000-0000-000000000000"));
    const QUuid fresh = QUuid::createUuid();
    const QString written = uuidText(fresh);
    EXPECT_EQ(written.size(), 36);
    EXPECT_EQ(written, written.toUpper());
    EXPECT_EQ(parseUUID(written), fresh);
}

TEST(UuidText, ReadsEitherCase)
{
    const QUuid id = QUuid::fromString(QStringView(canonical));
    EXPECT_EQ(parseUUID(canonical), id);
    EXPECT_EQ(parseUUID(u"3f2504e0-4f89-11d3-9a0c-0305e82c3301"), id);
    EXPECT_EQ(parseUUID(u"3f2504E0-4F89-11d3-9A0c-0305e82C3301"), id);
    EXPECT_EQ(parseUUID(u"00000000-0000-0000-0000-000000000000"), QUuid());
}

TEST(UuidText, RejectsEveryOtherForm)
{
    for (const char16_t* text : {
             u"{3F2504E0-4F89-11D3-9A0C-0305E82C3301}",
             u"3F2504E04F8911D39A0C0305E82C3301",
             u"3F2504E0-4F89-11D3-9A0C-0305E82C330",
             u"3F2504E0-4F89-11D3-9A0C-0305E82C33011",
             u"3F2504E0-4F8911D3-9A0C--0305E82C3301",
             u"3F2504E0-4F89-11D3-9A0C-0305E82C330G",
             u" 3F2504E0-4F89-11D3-9A0C-0305E82C3301",
             u"3F2504E0-4F89-11D3-9A0C-0305E82C3301 ",
             u"3F2504E0+4F89-11D3-9A0C-0305E82C3301",
             u"\uff13F2504E0-4F89-11D3-9A0C-0305E82C330",
             u"",
         })
        EXPECT_FALSE(parseUUID(text)) << QString::fromUtf16(text).toStdString();
}

} // namespace
