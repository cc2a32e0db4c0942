// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

// One window per user. The first start of the program owns kServiceName on the session bus and
// answers Show there; a later start hands its word to that one, which comes to the front, and ends
// instead of opening a second window whose exit would sweep the first one's page files.
class CSingleInstance : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "lt.lekstar.Lekstar.Window")
public:
    static constexpr const char* kServiceName = "lt.lekstar.Lekstar";
    static constexpr const char* kObjectPath = "/lt/lekstar/Lekstar";
    static constexpr const char* kInterface = "lt.lekstar.Lekstar.Window";
    // How long a later start waits for the first one to answer.
    static constexpr int kAskTimeoutMs = 5000;

    enum class EClaim {
        First, // this process owns the name now
        Taken, // another process owns it
        NoBus, // no session bus: every start is on its own, as without this class
    };

    explicit CSingleInstance(const QDBusConnection& bus, QObject* parent = nullptr);
    // Gives the name and the object back.
    ~CSingleInstance() override;

    // Tries to take the name, without waiting in the bus's queue for it, and puts up the object
    // that answers Show at once, so that a start racing this one's start-up is answered too.
    EClaim Claim();
    // Who shows the window: called with the word of every later start, first with the words of
    // those that asked before it was set.
    void Serve(std::function<void(const QString& word)> show);

    // Asks the owner of the name to show its window with the word (empty: as it is). True when it
    // answered within kAskTimeoutMs.
    static bool AskFirst(const QDBusConnection& bus, const QString& word);

public slots:
    // Another start of the program asks for the window, translating word when it is not empty.
    Q_SCRIPTABLE void Show(const QString& word);

private:
    QDBusConnection m_bus;
    std::function<void(const QString&)> m_fnShow;
    QStringList m_pending;
    bool m_bOwnsName = false;
    bool m_bObjectRegistered = false;
};
