#include "hotkeys/app_settings.h"
#include "hotkeys/hot_key_binding_json.h"
#include "qt_printers.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QUuid accountA = QUuid::fromString(u"0A1B2C3D-4E5F-4061-8273-94A5B6C7D8E9");
const QUuid accountB = QUuid::fromString(u"11111111-2222-4333-8444-555555555555");

class AppSettingsTest : public ::testing::Test
{
protected:
    QString path() const { return m_dir.filePath(QStringLiteral("brisvane.conf")); }

    // A fresh QSettings per use, as a new process would see the file.
    std::unique_ptr<QSettings> openStore() const
    {
        return std::make_unique<QSettings>(path(), QSettings::IniFormat);
    }

    void storeRaw(const QString& key, const QVariant& value) const
    {
        auto store = openStore();
        store->setValue(key, value);
        store->sync();
    }

    QVariant readRaw(const QString& key) const { return openStore()->value(key); }

    QByteArray fileContents() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Loads the settings as the application does at start-up and hands them to `use`.
    template <typename Use>
    void withSettings(Use use) const
    {
        auto store = openStore();
        AppSettings settings(*store);
        use(settings);
    }

    QTemporaryDir m_dir;
};

TEST_F(AppSettingsTest, FirstStartHasDefaultsAndWritesNothing)
{
    withSettings([](AppSettings& settings) {
        EXPECT_TRUE(settings.bindings().isEmpty());
        EXPECT_TRUE(settings.showCodeInMenuBar());
        EXPECT_TRUE(settings.revealCodesInMenu());
        EXPECT_EQ(settings.menuBarAccountID(), std::nullopt);
        EXPECT_TRUE(settings.menuBarHiddenAccountIDs().isEmpty());
        EXPECT_FALSE(settings.hasUnreadableStoredBindings());
    });
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(AppSettingsTest, LoadingLeavesAnExistingFileByteForByte)
{
    storeRaw(QStringLiteral("hotkeyBindings.v1"), QByteArray("[{\"keyCode\":\"bad\"}]"));
    storeRaw(QStringLiteral("menuBarHiddenAccountIDs.v1"), QStringList{u"junk"_s});
    const QByteArray before = fileContents();
    withSettings([](AppSettings&) {});
    EXPECT_EQ(fileContents(), before);
}

TEST_F(AppSettingsTest, StoredFalseLoadsFalse)
{
    storeRaw(QStringLiteral("showCodeInMenuBar.v1"), false);
    storeRaw(QStringLiteral("revealCodesInMenu.v1"), false);
    withSettings([](AppSettings& settings) {
        EXPECT_FALSE(settings.showCodeInMenuBar());
        EXPECT_FALSE(settings.revealCodesInMenu());
    });
}

TEST_F(AppSettingsTest, BooleansPersistAndReload)
{
    withSettings([](AppSettings& settings) {
        settings.setShowCodeInMenuBar(false);
        settings.setRevealCodesInMenu(false);
    });
    EXPECT_EQ(readRaw(u"showCodeInMenuBar.v1"_s).toBool(), false);
    withSettings([](AppSettings& settings) {
        EXPECT_FALSE(settings.showCodeInMenuBar());
        EXPECT_FALSE(settings.revealCodesInMenu());
        settings.setShowCodeInMenuBar(true);
    });
    withSettings([](AppSettings& settings) { EXPECT_TRUE(settings.showCodeInMenuBar()); });
}

TEST_F(AppSettingsTest, BindingWithOnlyAnIdLoadsWithDefaults)
{
    storeRaw(u"hotkeyBindings.v1"_s, QByteArray(R"([{"id":"0a1b2c3d-4e5f-4061-8273-94a5b6c7d8e9"}])"));
    withSettings([](AppSettings& settings) {
        ASSERT_EQ(settings.bindings().size(), 1);
        const HotKeyBinding expected{accountA, std::nullopt, 0, 0, true, false};
        EXPECT_EQ(settings.bindings().first(), expected);
    });
}

TEST_F(AppSettingsTest, BindingsAreStoredAsUtf8JsonData)
{
    const QList<HotKeyBinding> bindings{{QUuid::createUuid(), accountA, 40, 0x0300, true, true}};
    withSettings([&](AppSettings& settings) { settings.setBindings(bindings); });
    const QVariant stored = readRaw(u"hotkeyBindings.v1"_s);
    EXPECT_EQ(stored.typeId(), QMetaType::QByteArray);
    EXPECT_EQ(decodeHotKeyBindingList(stored.toByteArray()), bindings);
    withSettings([&](AppSettings& settings) { EXPECT_EQ(settings.bindings(), bindings); });
}

TEST_F(AppSettingsTest, HandEditedJsonTextIsReadToo)
{
    storeRaw(u"hotkeyBindings.v1"_s, QString::fromUtf8(R"([{"keyCode":40,"modifiers":256}])"));
    withSettings([](AppSettings& settings) {
        ASSERT_EQ(settings.bindings().size(), 1);
        EXPECT_EQ(settings.bindings().first().keyCode, 40u);
    });
}

TEST_F(AppSettingsTest, UnreadableBindingsLoadEmptyAndAreKeptAsideAtTheNextWrite)
{
    const QByteArray unreadable(R"([{"keyCode":40},{"keyCode":"40"}])");
    storeRaw(u"hotkeyBindings.v1"_s, unreadable);
    withSettings([&](AppSettings& settings) {
        EXPECT_TRUE(settings.bindings().isEmpty());
        EXPECT_TRUE(settings.hasUnreadableStoredBindings());
        EXPECT_EQ(readRaw(u"hotkeyBindings.v1"_s).toByteArray(), unreadable);
        settings.addBinding();
        EXPECT_FALSE(settings.hasUnreadableStoredBindings());
    });
    EXPECT_EQ(readRaw(u"hotkeyBindings.v1.unreadable"_s).toByteArray(), unreadable);
    const auto written = decodeHotKeyBindingList(readRaw(u"hotkeyBindings.v1"_s).toByteArray());
    ASSERT_TRUE(written);
    EXPECT_EQ(written->size(), 1);
}

TEST_F(AppSettingsTest, AnEarlierUnreadableCopyIsNeverOverwritten)
{
    const QByteArray first("not json");
    const QByteArray second(R"([{"enabled":"yes"}])");
    storeRaw(u"hotkeyBindings.v1.unreadable"_s, first);
    storeRaw(u"hotkeyBindings.v1"_s, second);
    withSettings([](AppSettings& settings) { settings.setBindings({}); });
    EXPECT_EQ(readRaw(u"hotkeyBindings.v1.unreadable"_s).toByteArray(), first);
    EXPECT_EQ(readRaw(u"hotkeyBindings.v1.unreadable.2"_s).toByteArray(), second);

    // The same unreadable data found again is not copied a second time.
    storeRaw(u"hotkeyBindings.v1"_s, second);
    withSettings([](AppSettings& settings) { settings.removeBinding(QUuid::createUuid()); });
    EXPECT_FALSE(openStore()->contains(u"hotkeyBindings.v1.unreadable.3"_s));
    EXPECT_EQ(readRaw(u"hotkeyBindings.v1"_s).toByteArray(), QByteArray("[]"));
}

TEST_F(AppSettingsTest, StoredValueOfAnotherTypeCountsAsUnreadable)
{
    storeRaw(u"hotkeyBindings.v1"_s, 42);
    withSettings([](AppSettings& settings) {
        EXPECT_TRUE(settings.bindings().isEmpty());
        settings.addBinding();
    });
    EXPECT_EQ(readRaw(u"hotkeyBindings.v1.unreadable"_s).toInt(), 42);
}

TEST_F(AppSettingsTest, AddBindingAppendsDistinctEmptyBindings)
{
    withSettings([](AppSettings& settings) {
        settings.addBinding();
        settings.addBinding();
        ASSERT_EQ(settings.bindings().size(), 2);
        EXPECT_NE(settings.bindings()[0].id, settings.bindings()[1].id);
        for (const HotKeyBinding& binding : settings.bindings()) {
            EXPECT_FALSE(binding.id.isNull());
            EXPECT_EQ(binding.accountID, std::nullopt);
            EXPECT_EQ(binding.keyCode, 0u);
            EXPECT_EQ(binding.modifiers, 0x0B00u);
            EXPECT_TRUE(binding.enabled);
            EXPECT_FALSE(binding.autoPaste);
        }
    });
    withSettings([](AppSettings& settings) { EXPECT_EQ(settings.bindings().size(), 2); });
}

TEST_F(AppSettingsTest, RemoveAndUpdateKeepTheOrderAndPersist)
{
    QList<HotKeyBinding> bindings;
    for (std::uint32_t code : {11u, 12u, 13u})
        bindings.append({QUuid::createUuid(), accountA, code, 0x0100, true, false});
    withSettings([&](AppSettings& settings) {
        settings.setBindings(bindings);
        HotKeyBinding changed = bindings[2];
        changed.accountID = accountB;
        changed.autoPaste = true;
        settings.updateBinding(changed);
        settings.removeBinding(bindings[0].id);
    });
    withSettings([&](AppSettings& settings) {
        ASSERT_EQ(settings.bindings().size(), 2);
        EXPECT_EQ(settings.bindings()[0], bindings[1]);
        EXPECT_EQ(settings.bindings()[1].accountID, accountB);
        EXPECT_TRUE(settings.bindings()[1].autoPaste);
    });
}

TEST_F(AppSettingsTest, RemovingAnUnknownIdStillPersistsAndUpdatingOneChangesNothing)
{
    withSettings([this](AppSettings& settings) {
        int emitted = 0;
        QObject::connect(&settings, &AppSettings::bindingsChanged, [&] { ++emitted; });
        settings.updateBinding({QUuid::createUuid(), accountA, 40, 0x0100, true, false});
        EXPECT_EQ(emitted, 0);
        EXPECT_FALSE(QFile::exists(path()));
        settings.removeBinding(QUuid::createUuid());
        EXPECT_EQ(emitted, 1);
    });
    EXPECT_EQ(readRaw(u"hotkeyBindings.v1"_s).toByteArray(), QByteArray("[]"));
}

TEST_F(AppSettingsTest, EveryAssignmentSignalsWithTheNewValueEvenWhenEqual)
{
    withSettings([](AppSettings& settings) {
        QList<QList<HotKeyBinding>> lists;
        QList<bool> shows;
        int accountChanges = 0;
        int hiddenChanges = 0;
        QObject::connect(&settings, &AppSettings::bindingsChanged, [&](const QList<HotKeyBinding>& b) { lists.append(b); });
        QObject::connect(&settings, &AppSettings::showCodeInMenuBarChanged, [&](bool show) { shows.append(show); });
        QObject::connect(&settings, &AppSettings::menuBarAccountIDChanged, [&] { ++accountChanges; });
        QObject::connect(&settings, &AppSettings::menuBarHiddenAccountIDsChanged, [&] { ++hiddenChanges; });

        settings.setBindings({});
        settings.setBindings({});
        settings.addBinding();
        settings.setShowCodeInMenuBar(true);
        settings.setShowCodeInMenuBar(false);
        settings.setMenuBarAccountID(std::nullopt);
        settings.setAccountShownInMenu(accountA, true);

        ASSERT_EQ(lists.size(), 3);
        EXPECT_EQ(lists[2], settings.bindings());
        EXPECT_EQ(shows, (QList<bool>{true, false}));
        EXPECT_EQ(accountChanges, 1);
        EXPECT_EQ(hiddenChanges, 1);
    });
}

TEST_F(AppSettingsTest, MenuBarAccountIsStoredAsTextAndRemovedWhenAbsent)
{
    withSettings([](AppSettings& settings) { settings.setMenuBarAccountID(accountA); });
    EXPECT_EQ(readRaw(u"menuBarAccountID.v1"_s).toString(), u"0A1B2C3D-4E5F-4061-8273-94A5B6C7D8E9");
    withSettings([](AppSettings& settings) {
        EXPECT_EQ(settings.menuBarAccountID(), accountA);
        settings.setMenuBarAccountID(std::nullopt);
    });
    EXPECT_FALSE(openStore()->contains(u"menuBarAccountID.v1"_s));
    withSettings([](AppSettings& settings) { EXPECT_EQ(settings.menuBarAccountID(), std::nullopt); });
}

TEST_F(AppSettingsTest, MenuBarAccountThatIsNotAUuidLoadsAbsent)
{
    storeRaw(u"menuBarAccountID.v1"_s, u"0A1B2C3D"_s);
    withSettings([](AppSettings& settings) { EXPECT_EQ(settings.menuBarAccountID(), std::nullopt); });
}

TEST_F(AppSettingsTest, HiddenIdsDropStringsThatAreNotUuids)
{
    storeRaw(u"menuBarHiddenAccountIDs.v1"_s, QStringList{u"not a uuid"_s, u"11111111-2222-4333-8444-555555555555"_s});
    withSettings([](AppSettings& settings) { EXPECT_EQ(settings.menuBarHiddenAccountIDs(), QSet<QUuid>{accountB}); });
}

TEST_F(AppSettingsTest, HiddenIdsRoundTripForNoneOneAndMany)
{
    for (const QSet<QUuid>& ids : {QSet<QUuid>{}, QSet<QUuid>{accountA}, QSet<QUuid>{accountA, accountB}}) {
        withSettings([&](AppSettings& settings) { settings.setMenuBarHiddenAccountIDs(ids); });
        withSettings([&](AppSettings& settings) { EXPECT_EQ(settings.menuBarHiddenAccountIDs(), ids); });
    }
}

TEST_F(AppSettingsTest, ShowingAndHidingAnAccountInTheMenu)
{
    withSettings([](AppSettings& settings) {
        settings.setAccountShownInMenu(accountA, false);
        settings.setAccountShownInMenu(accountB, false);
        settings.setAccountShownInMenu(accountA, true);
        EXPECT_EQ(settings.menuBarHiddenAccountIDs(), QSet<QUuid>{accountB});
    });
    withSettings([](AppSettings& settings) { EXPECT_EQ(settings.menuBarHiddenAccountIDs(), QSet<QUuid>{accountB}); });
}

} // namespace
