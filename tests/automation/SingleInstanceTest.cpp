// SPDX-License-Identifier: GPL-2.0-or-later
// One window per user: the first start owns the instance name, a later one hands it its word.

#include "automation/SingleInstance.h"
#include "automation/PrivateBus.h"
#include "desktop/WebBrowser2.h"
#include "lists/WordEdit.h"
#include "support/DialogFixture.h"

#include <QDBusConnectionInterface>

#include <fstream>
#include <iterator>

namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    bool OwnerOf(const QDBusConnection& connection) {
        const QDBusReply<QString> owner =
            connection.interface()->serviceOwner(QString::fromLatin1(CSingleInstance::kServiceName));
        return owner.isValid() && owner.value() == connection.baseService();
    }

    CPrivateBus m_bus;
};

TEST_F(SingleInstanceTest, TheFirstOwnsTheNameALaterOneHandsItsWordOver) {
    ASSERT_TRUE(m_bus.IsRunning());
    QDBusConnection firstBus = m_bus.Connect();
    QDBusConnection laterBus = m_bus.Connect();
    QStringList shown;
    {
        CSingleInstance first(firstBus);
        ASSERT_EQ(first.Claim(), CSingleInstance::EClaim::First);
        EXPECT_TRUE(OwnerOf(firstBus));
        CSingleInstance later(laterBus);
        EXPECT_EQ(later.Claim(), CSingleInstance::EClaim::Taken);
        EXPECT_TRUE(OwnerOf(firstBus));

        // A word that arrives while the first one is still starting waits for its window.
        EXPECT_TRUE(
            OnClientThread([&] { return CSingleInstance::AskFirst(laterBus, QString::fromUtf8("žodis")); }));
        EXPECT_TRUE(shown.isEmpty());
        first.Serve([&](const QString& word) { shown.push_back(word); });
        EXPECT_EQ(shown, QStringList{QString::fromUtf8("žodis")});
        EXPECT_TRUE(OnClientThread([&] { return CSingleInstance::AskFirst(laterBus, QString()); }));
        EXPECT_EQ(shown, (QStringList{QString::fromUtf8("žodis"), QString()}));
    }
    // The first gave the name back at its end: nobody answers, and the next start is the first.
    EXPECT_FALSE(CSingleInstance::AskFirst(laterBus, "house"));
    CSingleInstance next(laterBus);
    EXPECT_EQ(next.Claim(), CSingleInstance::EClaim::First);
    EXPECT_TRUE(OwnerOf(laterBus));
}

TEST_F(SingleInstanceTest, WithoutABusEveryStartIsOnItsOwn) {
    const QDBusConnection none =
        QDBusConnection::connectToBus("unix:path=/nonexistent/bus", "lekstar-no-bus");
    CSingleInstance instance(none);
    EXPECT_EQ(instance.Claim(), CSingleInstance::EClaim::NoBus);
    EXPECT_FALSE(CSingleInstance::AskFirst(none, "house"));
    QDBusConnection::disconnectFromBus("lekstar-no-bus");
}

class ShowForWordTest : public CDialogFixture {};

TEST_F(ShowForWordTest, TheWordIsTranslatedAsIfTypedAndConfirmed) {
    auto dlg = Start();
    ASSERT_TRUE(m_bInitResult);
    dlg->ShowForWord("  house ");
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(EntryBox(dlg)->text(), "house");
    EXPECT_EQ(IndexList(dlg)->Selection(), 1);
    EXPECT_NE(ReadAll(PageView(dlg)->CurrentPath()).find("namas"), std::string::npos);
    // No word: the window only comes forward.
    const std::string shown = PageView(dlg)->CurrentPath();
    dlg->ShowForWord("");
    EXPECT_EQ(PageView(dlg)->CurrentPath(), shown);
    // In the Lithuanian index the word goes through the index as typed.
    dlg->SwitchDirection(EDirection::Reverse);
    dlg->ShowForWord(QString::fromUtf8("namas"));
    EXPECT_EQ(IndexList(dlg)->Selection(), 0);
    EXPECT_NE(PageView(dlg)->CurrentPath(), shown);
    EXPECT_NE(ReadAll(PageView(dlg)->CurrentPath()).find("<P>1. namas</P>"), std::string::npos);
    EXPECT_EQ(EntryBox(dlg)->text(), "namas");
}

} // namespace
