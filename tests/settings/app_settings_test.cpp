// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/app_settings.h"
#include "settings/hot_key_binding_json.h"
#include "support/qt_printers.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QUuid accountA = QUuid::fromString(u"0A1B2C3D-4E5F-4061-8273-94A5B6C7D8E9");
const QUuid accountB = QUuid::fromString(u"11111111-2222-4333-8444-555555555555");
const QString bindingsKey = u"hotkeyBindings.v1"_s;

class AppSettingsTest : public ::testing::Test
{
protected:
    QString path() const { return m_dir.filePath(u"brisvane.conf"_s); }
    // A fresh QSettings per use, as another process would see the file; it writes when destroyed.
    std::unique_ptr<QSettings> store() const
    {
        return std::make_unique<QSettings>(path(), QSettings::IniFormat);
    }
    void storeRaw(const QString& key, const QVariant& value) const { store()->setValue(key, value); }
    QVariant raw(const QString& key) const { return store()->value(key); }

    // The settings as the application loads them at start-up.
    AppSettings& reopen()
    {
        close();
        m_store = store();
        m_settings = std::make_unique<AppSettings>(*m_store);
        return *m_settings;
    }
    void close()
    {
        m_settings.reset();
        m_store.reset();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<QSettings> m_store;
    std::unique_ptr<AppSettings> m_settings;
};

TEST_F(AppSettingsTest, LoadingWritesNothing)
{
    AppSettings& settings = reopen();
    EXPECT_TRUE(settings.bindings().isEmpty());
    EXPECT_TRUE(settings.showCodeInMenuBar());
    EXPECT_TRUE(settings.revealCodesInMenu());
    EXPECT_EQ(settings.menuBarAccountID(), std::nullopt);
    EXPECT_TRUE(settings.menuBarHiddenAccountIDs().isEmpty());
    EXPECT_FALSE(QFile::exists(path()));

    storeRaw(bindingsKey, QByteArray(R"([{"keyCode":"bad"}])"));
    storeRaw(u"menuBarHiddenAccountIDs.v1"_s, QStringList{u"junk"_s});
    const auto contents = [this] {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray before = contents();
    reopen();
    close();
    EXPECT_EQ(contents(), before);
}

TEST_F(AppSettingsTest, StoredFalseLoadsFalseAndChangesAreWrittenThrough)
{
    storeRaw(u"showCodeInMenuBar.v1"_s, false);
    storeRaw(u"revealCodesInMenu.v1"_s, false);
    AppSettings& settings = reopen();
    EXPECT_FALSE(settings.showCodeInMenuBar());
    EXPECT_FALSE(settings.revealCodesInMenu());
    settings.setShowCodeInMenuBar(true);
    settings.setRevealCodesInMenu(true);
    EXPECT_TRUE(raw(u"showCodeInMenuBar.v1"_s).toBool());
    EXPECT_TRUE(raw(u"revealCodesInMenu.v1"_s).toBool());
}

TEST_F(AppSettingsTest, ClipboardLifetimeDefaultsTo30SecondsAndOnlyANumberInRangeIsTaken)
{
    EXPECT_EQ(reopen().clearClipboardSeconds(), 30);
    const struct
    {
        QVariant stored;
        int loaded;
    } cases[] = {{0, 0}, {u"45"_s, 45}, {3600, 3600}, {3601, 30}, {-5, 30}, {u"soon"_s, 30}};
    for (const auto& c : cases) {
        storeRaw(u"clearClipboardSeconds.v1"_s, c.stored);
        EXPECT_EQ(reopen().clearClipboardSeconds(), c.loaded) << qPrintable(c.stored.toString());
    }
    reopen().setClearClipboardSeconds(90000);
    EXPECT_EQ(raw(u"clearClipboardSeconds.v1"_s).toInt(), 3600);
}

TEST_F(AppSettingsTest, AWriteThatCannotBeSavedIsReported)
{
    // Even a privileged user cannot write a file where a folder is.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"brisvane.conf"_s));
    AppSettings& settings = reopen();
    EXPECT_FALSE(settings.writeError());
    QSignalSpy changed(&settings, &AppSettings::writeErrorChanged);
    settings.addBinding();
    EXPECT_EQ(settings.writeError(), u"Settings could not be saved: "_s + path() + u" cannot be written."_s);
    settings.setMenuBarAccountID(std::nullopt);
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(AppSettingsTest, BindingsAreStoredAsJsonDataAndReadBackFromDataOrText)
{
    const QList<HotKeyBinding> bindings{{QUuid::createUuid(), accountA, 40, 0x0300, true, true}};
    reopen().setBindings(bindings);
    EXPECT_EQ(raw(bindingsKey).typeId(), QMetaType::QByteArray);
    EXPECT_EQ(decodeHotKeyBindingList(raw(bindingsKey).toByteArray()), bindings);
    EXPECT_EQ(reopen().bindings(), bindings);

    // A hand-edited file holds text; a binding with only an id takes the defaults.
    storeRaw(bindingsKey, u"[{\"id\":\"0a1b2c3d-4e5f-4061-8273-94a5b6c7d8e9\"}]"_s);
    EXPECT_EQ(reopen().bindings(), (QList<HotKeyBinding>{{accountA, std::nullopt, 0, 0, true, false}}));
}

TEST_F(AppSettingsTest, UnreadableBindingsLoadEmptyAndAreKeptAsideAtTheNextWrite)
{
    for (const QVariant& unreadable :
         {QVariant(QByteArray(R"([{"keyCode":40},{"keyCode":"40"}])")), QVariant(42)}) {
        SCOPED_TRACE(unreadable.toString().toStdString());
        close();
        QFile::remove(path());
        storeRaw(bindingsKey, unreadable);
        AppSettings& settings = reopen();
        EXPECT_TRUE(settings.bindings().isEmpty());
        EXPECT_TRUE(settings.hasUnreadableStoredBindings());
        settings.addBinding();
        EXPECT_EQ(raw(bindingsKey + u".unreadable"_s).toString(), unreadable.toString());
        EXPECT_EQ(decodeHotKeyBindingList(raw(bindingsKey).toByteArray()), settings.bindings());
        EXPECT_EQ(settings.bindings().size(), 1);
    }
}

TEST_F(AppSettingsTest, AnEarlierUnreadableCopyIsNeverOverwrittenNorCopiedTwice)
{
    storeRaw(bindingsKey + u".unreadable"_s, QByteArray("not json"));
    storeRaw(bindingsKey, QByteArray(R"([{"enabled":"yes"}])"));
    reopen().setBindings({});
    EXPECT_EQ(raw(bindingsKey + u".unreadable"_s).toByteArray(), "not json");
    EXPECT_EQ(raw(bindingsKey + u".unreadable.2"_s).toByteArray(), R"([{"enabled":"yes"}])");

    storeRaw(bindingsKey, QByteArray(R"([{"enabled":"yes"}])"));
    reopen().removeBinding(QUuid::createUuid());
    EXPECT_FALSE(store()->contains(bindingsKey + u".unreadable.3"_s));
    EXPECT_EQ(raw(bindingsKey).toByteArray(), "[]");
}

TEST_F(AppSettingsTest, AddUpdateAndRemoveKeepTheOrderAndAnUnknownIdIsNoUpdate)
{
    AppSettings& settings = reopen();
    settings.updateBinding({QUuid::createUuid(), accountA, 40, 0x0100, true, false});
    EXPECT_FALSE(QFile::exists(path()));

    for (int i = 0; i < 3; ++i)
        settings.addBinding();
    QList<HotKeyBinding> added = settings.bindings();
    ASSERT_EQ(added.size(), 3);
    EXPECT_EQ(QSet<QUuid>({added[0].id, added[1].id, added[2].id}).size(), 3);
    for (const HotKeyBinding& binding : added)
        EXPECT_EQ(binding, (HotKeyBinding{binding.id, std::nullopt, 0, 0x0B00, true, false}));
    added[2].accountID = accountB;
    settings.updateBinding(added[2]);
    settings.removeBinding(added[0].id);
    EXPECT_EQ(reopen().bindings(), (QList{added[1], added[2]}));
}

TEST_F(AppSettingsTest, MenuBarAccountIsStoredAsTextAndRemovedWhenAbsent)
{
    reopen().setMenuBarAccountID(accountA);
    EXPECT_EQ(raw(u"menuBarAccountID.v1"_s).toString(), u"0A1B2C3D-4E5F-4061-8273-94A5B6C7D8E9");
    EXPECT_EQ(reopen().menuBarAccountID(), accountA);
    m_settings->setMenuBarAccountID(std::nullopt);
    EXPECT_FALSE(store()->contains(u"menuBarAccountID.v1"_s));

    storeRaw(u"menuBarAccountID.v1"_s, u"0A1B2C3D"_s);
    EXPECT_EQ(reopen().menuBarAccountID(), std::nullopt);
}

TEST_F(AppSettingsTest, HiddenAccountIdsRoundTripAndDropWhatIsNotAUuid)
{
    // The INI format reads a list of one back as a plain string.
    for (const QSet<QUuid>& ids : {QSet<QUuid>{}, QSet<QUuid>{accountA}, QSet<QUuid>{accountA, accountB}}) {
        reopen().setMenuBarHiddenAccountIDs(ids);
        EXPECT_EQ(reopen().menuBarHiddenAccountIDs(), ids);
    }
    m_settings->setAccountShownInMenu(accountA, true);
    m_settings->setAccountShownInMenu(accountB, false);
    EXPECT_EQ(reopen().menuBarHiddenAccountIDs(), QSet<QUuid>{accountB});

    storeRaw(u"menuBarHiddenAccountIDs.v1"_s,
             QStringList{u"not a uuid"_s, u"0A1B2C3D-4E5F-4061-8273-94A5B6C7D8E9"_s});
    EXPECT_EQ(reopen().menuBarHiddenAccountIDs(), QSet<QUuid>{accountA});
}

} // namespace
