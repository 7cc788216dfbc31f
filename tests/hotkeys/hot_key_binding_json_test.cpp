#include "hotkeys/hot_key_binding_json.h"
#include "qt_printers.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

const QUuid bindingID = QUuid::fromString(u"6F1D2C3B-4A59-4867-9E8D-7C6B5A493827");
const QUuid accountID = QUuid::fromString(u"0A1B2C3D-4E5F-4061-8273-94A5B6C7D8E9");

QByteArray bytes(const char* json)
{
    return QByteArray(json);
}

TEST(HotKeyBindingJson, RoundTripsAListInOrder)
{
    const QList<HotKeyBinding> bindings{
        {bindingID, accountID, 40, 0x0300, true, false},
        {QUuid::createUuid(), std::nullopt, 0, 0x0B00, false, true},
        {QUuid::createUuid(), accountID, 4294967295u, 4294967295u, true, true},
    };
    EXPECT_EQ(decodeHotKeyBindingList(encodeHotKeyBindingList(bindings)), bindings);
    EXPECT_EQ(decodeHotKeyBindingList(encodeHotKeyBindingList({})), QList<HotKeyBinding>{});
}

TEST(HotKeyBindingJson, WritesUpperCaseIdsNumbersAndBooleansAndOmitsAnAbsentAccount)
{
    const QByteArray json = encodeHotKeyBindingList({{bindingID, std::nullopt, 40, 0x0300, true, false},
                                                     {bindingID, accountID, 1, 2, false, true}});
    const QJsonArray array = QJsonDocument::fromJson(json).array();
    ASSERT_EQ(array.size(), 2);
    const QJsonObject first = array[0].toObject();
    EXPECT_EQ(first.value(u"id").toString(), u"6F1D2C3B-4A59-4867-9E8D-7C6B5A493827");
    EXPECT_FALSE(first.contains(u"accountID"));
    EXPECT_TRUE(first.value(u"keyCode").isDouble());
    EXPECT_EQ(first.value(u"keyCode").toInt(), 40);
    EXPECT_EQ(first.value(u"modifiers").toInt(), 0x0300);
    EXPECT_TRUE(first.value(u"enabled").isBool());
    EXPECT_TRUE(first.value(u"enabled").toBool());
    EXPECT_TRUE(first.value(u"autoPaste").isBool());
    EXPECT_EQ(first.keys().size(), 5);
    const QJsonObject second = array[1].toObject();
    EXPECT_EQ(second.value(u"accountID").toString(), u"0A1B2C3D-4E5F-4061-8273-94A5B6C7D8E9");
    EXPECT_EQ(second.keys().size(), 6);
}

TEST(HotKeyBindingJson, MissingAndNullKeysTakeTheirDefaults)
{
    const auto onlyID = decodeHotKeyBindingList(bytes(R"([{"id":"6f1d2c3b-4a59-4867-9e8d-7c6b5a493827"}])"));
    ASSERT_TRUE(onlyID);
    ASSERT_EQ(onlyID->size(), 1);
    const HotKeyBinding expected{bindingID, std::nullopt, 0, 0, true, false};
    EXPECT_EQ(onlyID->first(), expected);

    const auto nulls = decodeHotKeyBindingList(bytes(
        R"([{"id":null,"accountID":null,"keyCode":null,"modifiers":null,"enabled":null,"autoPaste":null},{}])"));
    ASSERT_TRUE(nulls);
    ASSERT_EQ(nulls->size(), 2);
    for (const HotKeyBinding& binding : *nulls) {
        EXPECT_FALSE(binding.id.isNull());
        EXPECT_EQ(binding.accountID, std::nullopt);
        EXPECT_EQ(binding.keyCode, 0u);
        EXPECT_EQ(binding.modifiers, 0u);
        EXPECT_TRUE(binding.enabled);
        EXPECT_FALSE(binding.autoPaste);
    }
    EXPECT_NE(nulls->at(0).id, nulls->at(1).id);
}

TEST(HotKeyBindingJson, AcceptsWholeNumbersInAnyNotationAndIgnoresUnknownKeys)
{
    const auto decoded = decodeHotKeyBindingList(
        bytes(R"([{"keyCode":40.0,"modifiers":7.68e2,"extra":[1,{"a":2}],"enabled":false}])"));
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->size(), 1);
    EXPECT_EQ(decoded->first().keyCode, 40u);
    EXPECT_EQ(decoded->first().modifiers, 768u);
    EXPECT_FALSE(decoded->first().enabled);
}

TEST(HotKeyBindingJson, AnyBadValueFailsTheWholeDocument)
{
    const char* bad[] = {
        R"([{"keyCode":40},{"keyCode":"40"}])",
        R"([{"keyCode":-1}])",
        R"([{"keyCode":4294967296}])",
        R"([{"modifiers":1.5}])",
        R"([{"modifiers":1e300}])",
        R"([{"keyCode":true}])",
        R"([{"enabled":1}])",
        R"([{"autoPaste":"true"}])",
        R"([{"id":5}])",
        R"([{"id":"not-a-uuid"}])",
        R"([{"id":"{6F1D2C3B-4A59-4867-9E8D-7C6B5A493827}"}])",
        R"([{"accountID":""}])",
        R"([{"accountID":["0A1B2C3D-4E5F-4061-8273-94A5B6C7D8E9"]}])",
        R"([[]])",
        R"([null])",
        R"({"id":"6F1D2C3B-4A59-4867-9E8D-7C6B5A493827"})",
        R"([{"keyCode":40})",
        R"([] trailing)",
        "",
        "\xff\xfe[]",
        "[{\"id\":\"\xc3\x28\"}]",
    };
    for (const char* json : bad) {
        SCOPED_TRACE(json);
        EXPECT_FALSE(decodeHotKeyBindingList(bytes(json)));
    }
}

TEST(HotKeyBindingJson, SurvivesDeepNesting)
{
    const QByteArray deep = "[{\"extra\":" + QByteArray(100000, '[') + QByteArray(100000, ']') + "}]";
    const auto decoded = decodeHotKeyBindingList(deep);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->size(), 1);
    EXPECT_FALSE(decodeHotKeyBindingList(QByteArray(100000, '[')));
}

} // namespace
