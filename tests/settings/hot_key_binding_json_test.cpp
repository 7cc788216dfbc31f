// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/hot_key_binding_json.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

const QUuid bindingID = QUuid::fromString(u"6F1D2C3B-4A59-4867-9E8D-7C6B5A493827");
const QUuid accountID = QUuid::fromString(u"0A1B2C3D-4E5F-4061-8273-94A5B6C7D8E9");

TEST(HotKeyBindingJson, WritesTheStoredFormAndReadsItBackInOrder)
{
    const QList<HotKeyBinding> bindings{{bindingID, std::nullopt, 40, 0x0300, true, false},
                                        {bindingID, accountID, 4294967295u, 4294967295u, false, true}};
    const QByteArray json = encodeHotKeyBindingList(bindings);
    EXPECT_EQ(json,
              R"([{"id":"6F1D2C3B-4A59-4867-9E8D-7C6B5A493827","keyCode":40,"modifiers":768,"enabled":true,)"
              R"("autoPaste":false},{"id":"6F1D2C3B-4A59-4867-9E8D-7C6B5A493827","accountID":)"
              R"("0A1B2C3D-4E5F-4061-8273-94A5B6C7D8E9","keyCode":4294967295,"modifiers":4294967295,)"
              R"("enabled":false,"autoPaste":true}])");
    EXPECT_EQ(decodeHotKeyBindingList(json), bindings);
}

TEST(HotKeyBindingJson, MissingOrNullKeysTakeDefaultsAndUnknownKeysAreIgnored)
{
    const auto decoded = decodeHotKeyBindingList(
        R"([{"id":null,"accountID":null,"keyCode":null,"modifiers":null,"enabled":null,"autoPaste":null},{},
            {"keyCode":40.0,"modifiers":7.68e2,"extra":[1,{"a":2}],"enabled":false}])");
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->size(), 3);
    for (const HotKeyBinding& binding : *decoded)
        EXPECT_FALSE(binding.id.isNull());
    EXPECT_NE(decoded->at(0).id, decoded->at(1).id);
    EXPECT_EQ(decoded->at(1), (HotKeyBinding{decoded->at(1).id, std::nullopt, 0, 0, true, false}));
    EXPECT_EQ(decoded->at(2), (HotKeyBinding{decoded->at(2).id, std::nullopt, 40, 768, false, false}));
}

TEST(HotKeyBindingJson, AnyBadValueFailsTheWholeDocument)
{
    const char* bad[] = {R"([{"keyCode":40},{"keyCode":"40"}])",
                         R"([{"keyCode":-1}])",
                         R"([{"keyCode":4294967296}])",
                         R"([{"modifiers":1.5}])",
                         R"([{"modifiers":1e300}])",
                         R"([{"enabled":1}])",
                         R"([{"autoPaste":"true"}])",
                         R"([{"id":5}])",
                         R"([{"id":"not-a-uuid"}])",
                         R"([{"id":"{6F1D2C3B-4A59-4867-9E8D-7C6B5A493827}"}])",
                         R"([{"accountID":""}])",
                         R"([null])",
                         R"({"id":"6F1D2C3B-4A59-4867-9E8D-7C6B5A493827"})",
                         R"([{"keyCode":40})",
                         "",
                         "[{\"id\":\"\xc3\x28\"}]"};
    for (const char* json : bad)
        EXPECT_FALSE(decodeHotKeyBindingList(json)) << json;
    EXPECT_FALSE(decodeHotKeyBindingList(QByteArray(100000, '['))) << "deep nesting";
    EXPECT_TRUE(
        decodeHotKeyBindingList("[{\"x\":" + QByteArray(100000, '[') + QByteArray(100000, ']') + "}]"));
}

} // namespace
